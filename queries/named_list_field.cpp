// queries/named_list_field.cpp: named lists as "_LIST" fields of the GEDCOM header: read after
// a load, written by a save.
#include "queries/named_list.h"

#include "database/dictionary/record_type_table.h"
#include "database/fields/text_value_node.h"
#include "database/gedcom/exception_report.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr int kHeaderListIndex = 8;
/// The references an "_IDS" line carries at most, in characters.
constexpr std::size_t kIdsLineChars = 200;

/// The list index of a record-type letter; -1 for the header's and any other letter.
int ListIndexOfLetter(char letter)
{
    for (int listIndex = 0; listIndex < kHeaderListIndex; ++listIndex) {
        if (GetRecordTypeTable().RowByListIndex(listIndex)->m_idLetter == letter)
            return listIndex;
    }
    return -1;
}

/// The record a reference ("I12") names among the records of the load being read.
CRecordNode* FindReferencedRecord(std::string_view reference)
{
    const int listIndex = reference.empty() ? -1 : ListIndexOfLetter(reference.front());
    if (listIndex < 0 || reference.size() < 2 || reference[1] < '0' || reference[1] > '9')
        return nullptr;
    std::int64_t number = 0;
    for (std::size_t i = 1; i < reference.size() && reference[i] >= '0' && reference[i] <= '9';
         ++i) {
        number = number * 10 + (reference[i] - '0');
        if (number > std::numeric_limits<std::int32_t>::max())
            return nullptr;
    }
    return number < 1 ? nullptr : FindLoadedRecord(listIndex, std::int32_t(number));
}

/// The references of an "_IDS" value, each without the white space around it; the empty
/// pieces of doubled or trailing commas are left out.
std::vector<std::string_view> SplitReferences(std::string_view ids)
{
    std::vector<std::string_view> references;
    for (std::size_t start = 0; start <= ids.size();) {
        const std::size_t comma = std::min(ids.find(',', start), ids.size());
        const std::string_view reference = text::TrimView(ids.substr(start, comma - start));
        if (!reference.empty())
            references.push_back(reference);
        start = comma + 1;
    }
    return references;
}

/// Lists in the exception report a reference that names no record, with the note it carried.
void ReportUnreadReference(std::string_view list, std::string_view reference, std::string_view note)
{
    std::string entry =
        text::Format("* Named list \"%s\": the reference \"%s\" names no record and is left out",
                     list, reference);
    if (!note.empty())
        entry += text::Format(", with its note \"%s\"", note);
    AppendExceptionText(entry + ".\r\n");
}

/// The whole value of a field, line breaks included.
std::string TextOf(const CDataNode* node)
{
    if (const auto* text = dynamic_cast<const CTextValueNode*>(node))
        return std::string(text->GetValue());
    std::string text;
    if (node)
        node->GetText(text, 0);
    return text;
}

/// A field made to be written and freed afterwards.
class CFieldBuilder final {
public:
    CFieldBuilder(const CFieldDef* listDef, std::string_view name)
        : m_list(Make(listDef, nullptr, name))
    {
    }
    ~CFieldBuilder()
    {
        if (m_list)
            DestroyNodeTree(m_list);
    }
    CFieldBuilder(const CFieldBuilder&) = delete;
    CFieldBuilder& operator=(const CFieldBuilder&) = delete;

    CDataNode* List() const { return m_list; }
    /// A text child of def under parent holding text.
    static CDataNode* Make(const CFieldDef* def, CDataNode* parent, std::string_view text)
    {
        CDataNode* node = CreateNodeFromDef(def, false, nullptr);
        if (!node)
            return nullptr;
        if (auto* textNode = dynamic_cast<CTextValueNode*>(node); textNode && !text.empty())
            textNode->SetValue(text);
        if (parent)
            parent->AppendChild(node, false);
        return node;
    }

private:
    CDataNode* m_list;
};

/// The reference by which a file names record ("I12"); empty when it has none.
std::string ReferenceOf(const CRecordNode* record)
{
    if (!record || record->IsPendingDeletion())
        return {};
    return record->GetIdText();
}

/// The "_LIST" field of one list.
bool WriteListField(const CNamedList& list, const CFieldDef* listDef, std::string& line)
{
    const CFieldDef* noteDef = FindChildDefById(listDef, FIELD_EXT_NOTE);
    const CFieldDef* idsDef = FindChildDefById(listDef, FIELD_EXT_IDS);
    const CFieldDef* entryNoteDef = FindChildDefById(idsDef, FIELD_EXT_NOTE);
    CFieldBuilder builder(listDef, list.GetName());
    CDataNode* field = builder.List();
    if (!field || !idsDef || !entryNoteDef)
        return true;
    if (!list.GetNote().empty() && noteDef)
        CFieldBuilder::Make(noteDef, field, list.GetNote());
    std::string references;
    const auto flush = [&](const std::string& note) {
        CDataNode* ids = CFieldBuilder::Make(idsDef, field, references);
        if (ids && !note.empty())
            CFieldBuilder::Make(entryNoteDef, ids, note);
        references.clear();
    };
    for (const NamedListEntry& entry : list.Entries()) {
        const std::string reference = ReferenceOf(entry.m_record);
        if (reference.empty())
            continue;
        if (!references.empty() && references.size() + 1 + reference.size() > kIdsLineChars)
            flush({});
        references += (references.empty() ? "" : ",") + reference;
        if (!entry.m_note.empty())
            flush(entry.m_note);
    }
    if (!references.empty())
        flush({});
    return field->WriteGedcom(1, line);
}

} // namespace

void CNamedList::ReadListField(const CDataNode& field)
{
    for (const CDataNode* child = field.GetFirstChild(); child; child = child->GetNextSibling()) {
        if (child->GetFieldId() == FIELD_EXT_NOTE)
            m_note = TextOf(child);
        if (child->GetFieldId() != FIELD_EXT_IDS)
            continue;
        const std::string ids = TextOf(child);
        const std::vector<std::string_view> references = SplitReferences(ids);
        const std::string note = TextOf(child->FindChild(nullptr, FIELD_EXT_NOTE));
        for (std::size_t i = 0; i < references.size(); ++i) {
            const bool last = i + 1 == references.size();
            if (CRecordNode* record = FindReferencedRecord(references[i]))
                m_entries.push_back({record, last ? note : std::string()});
            else
                ReportUnreadReference(m_name, references[i], last ? note : std::string());
        }
    }
}

bool WriteNamedListFields(std::string& line)
{
    const CFieldDef* listDef = FindChildDefById(GetRecordTypeDef(kHeaderListIndex), FIELD_EXT_LIST);
    if (!listDef)
        return true;
    std::vector<const CNamedList*> lists;
    for (const CNamedList* list = CNamedList::GetFirst(); list; list = list->GetNext())
        lists.push_back(list);
    for (auto list = lists.rbegin(); list != lists.rend(); ++list) {
        if (!WriteListField(**list, listDef, line))
            return false;
    }
    return true;
}
