// database/multimedia/file_links.cpp: walking the records for the stored file names.
#include "database/multimedia/file_links.h"

#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/multimedia/media_item.h"
#include "database/multimedia/obj_node.h"
#include "database/multimedia/obj_rec.h"
#include "database/nodes/data_node.h"

namespace {

constexpr int kHeaderListIndex = 8;

using Sink = std::function<void(CDataNode&, const std::string&)>;

void CollectBelow(CDataNode& node, const Sink& sink)
{
    for (CDataNode* child = node.GetFirstChild(); child; child = child->GetNextSibling()) {
        const int id = child->GetFieldId();
        // The linked file (or the FILE lines) of a multimedia record, the file of an object
        // inside a record.
        const bool fileField =
            ((id == FIELD_OBJE_LINKED_FILE || id == FIELD_FILE) &&
             dynamic_cast<const CObjRec*>(&node) != nullptr) ||
            (id == FIELD_FILE && dynamic_cast<const CObjNode*>(&node) != nullptr);
        if (fileField) {
            if (!dynamic_cast<const CMediaItem&>(node).IsEmbedded()) {
                std::string name;
                child->GetText(name, 0);
                sink(*child, name);
            }
            continue;
        }
        CollectBelow(*child, sink);
    }
}

} // namespace

void CollectFileLinks(const Sink& sink)
{
    for (int listIndex = 0; listIndex < GetRecordTypeCount(); ++listIndex) {
        if (listIndex == kHeaderListIndex)
            continue;
        CDataNode* root = GetRecordTypeRoot(listIndex);
        for (CDataNode* record = root ? root->GetFirstChild() : nullptr; record;
             record = record->GetNextSibling())
            if (!record->IsPendingDeletion())
                CollectBelow(*record, sink);
    }
}
