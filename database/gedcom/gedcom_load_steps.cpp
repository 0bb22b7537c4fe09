// database/gedcom/gedcom_load_steps.cpp: multimedia chains, references to missing records and the
// end of the multimedia records of a GEDCOM load.
#include "database/gedcom/gedcom_load_steps.h"

#include "database/dictionary/record_type_table.h"
#include "database/fields/text_value_node.h"
#include "database/gedcom/exception_report.h"
#include "database/multimedia/obj_rec.h"
#include "database/nodes/change_tracking.h"
#include "database/records/assoc_node.h"
#include "database/records/record_id_state.h"
#include "platform/base/text.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace {

/// A continuation key: the number of a standard identifier, or the text of another one.
struct ChainKey {
    std::int32_t number = 0;
    std::string text;
};

/// The "Continued in" link of a multimedia record; null when it has none.
CAssocNode* ContinuationLink(const CObjRec& record)
{
    for (CDataNode* child = record.FindChild(nullptr, FIELD_OBJE); child;
         child = record.FindChild(child, FIELD_OBJE)) {
        if (auto* link = dynamic_cast<CAssocNode*>(child))
            return link;
    }
    return nullptr;
}

/// The identifier text between the at-signs of "@X1@".
std::string WithoutAtSigns(std::string xref)
{
    if (xref.size() >= 2 && xref.front() == '@' && xref.back() == '@')
        return xref.substr(1, xref.size() - 2);
    return xref;
}

/// Tells the exception report of every reference to a missing record.
class CDanglingReport final : public IDanglingLinkSink {
public:
    void OnDanglingLink(const CAssocNode& link, std::string_view xref) override
    {
        AppendExceptionText(text::Format("* Reference to a missing record kept: %s %s in %s.\r\n",
                                         link.GetFieldDef()->GetGedcomTag(), xref,
                                         Where(RecordOf(link))));
    }

    /// The record as the report names it: its type, and the identifier it had in its file.
    std::string Where(const CRecordNode* holder)
    {
        std::string where(ExceptionRecordKindName(holder ? holder->GetTypeIndex() : -1));
        if (holder) {
            if (const std::string id = XrefOf(*holder); !id.empty())
                where += " " + id;
        }
        return where;
    }

private:
    /// The record a node lies in. A field finds its parent at the end of its sibling chain, so
    /// every node passed on the way learns its parent: the links of one record with a hundred
    /// thousand missing targets walk the chain once in all, not once each.
    const CRecordNode* RecordOf(const CDataNode& node)
    {
        const CDataNode* at = &node;
        while (at && !at->IsRecord())
            at = ParentOf(*at);
        return static_cast<const CRecordNode*>(at);
    }
    const CDataNode* ParentOf(const CDataNode& node)
    {
        m_passed.clear();
        const CDataNode* parent = nullptr;
        for (const CDataNode* at = &node;;) {
            if (const auto known = m_parents.find(at); known != m_parents.end()) {
                parent = known->second;
                break;
            }
            m_passed.push_back(at);
            const CDataNode* next = at->GetNextSibling();
            if (!next) {
                parent = at->GetParent(); // the last sibling holds its parent
                break;
            }
            at = next;
        }
        for (const CDataNode* passed : m_passed)
            m_parents.emplace(passed, parent);
        return parent;
    }

    /// The identifier a record had in its file ("@P12@"), while the load's identifier state
    /// still knows it; empty for a record without one.
    std::string XrefOf(const CRecordNode& record)
    {
        const int kind = record.GetTypeIndex();
        const CRecordIdState* state = GetRecordIdState(kind);
        if (!state)
            return {};
        if (record.HasTextId()) {
            if (m_textIds.empty()) {
                for (int type = 0; type < RECORD_TYPE_COUNT; ++type) {
                    GetRecordIdState(type)->m_textMap.ForEach(
                        [this](std::string_view text, const CRecordNode* mapped) {
                            m_textIds.emplace(mapped, "@" + std::string(text) + "@");
                        });
                }
            }
            const auto found = m_textIds.find(&record);
            return found == m_textIds.end() ? std::string() : found->second;
        }
        if (record.GetRecordNumber() < 1)
            return {};
        const std::string prefix = state->m_noPrefix
                                       ? std::string()
                                       : std::string(state->m_prefix, strnlen(state->m_prefix, 4));
        return "@" + prefix + std::to_string(record.GetRecordNumber()) + "@";
    }

    std::unordered_map<const CRecordNode*, std::string> m_textIds; // made on first need
    std::unordered_map<const CDataNode*, const CDataNode*> m_parents;
    std::vector<const CDataNode*> m_passed;
};

} // namespace

bool CMultimediaChains::Take(CObjRec& record, std::string_view xref)
{
    CObjRec* owner = nullptr;
    if (record.HasTextId()) {
        if (const auto found = m_byText.find(std::string(xref)); found != m_byText.end()) {
            owner = found->second;
            m_byText.erase(found);
        }
    } else if (const auto found = m_byNumber.find(record.GetRecordNumber());
               record.GetRecordNumber() > 0 && found != m_byNumber.end()) {
        owner = found->second;
        m_byNumber.erase(found);
    }
    if (!owner) {
        if (!AnnounceContinuation(record, record))
            record.DecodeBlobs();
        return true;
    }
    owner->ResolveBlobChain(record);
    if (!AnnounceContinuation(record, *owner))
        owner->DecodeBlobs();
    DestroyNodeTree(&record);
    return false;
}

bool CMultimediaChains::AnnounceContinuation(CObjRec& record, CObjRec& owner)
{
    CAssocNode* link = ContinuationLink(record);
    if (!link)
        return false;
    ChainKey key;
    if (link->HasCrossReference()) {
        key.number = link->GetReferenceNumber();
        if (key.number == 0)
            key.text = WithoutAtSigns(link->GetXrefText());
    }
    record.UnlinkChild(link, true);
    DestroyNodeTree(link);
    if (key.number > 0)
        m_byNumber[key.number] = &owner;
    else if (!key.text.empty())
        m_byText[key.text] = &owner;
    else
        return false;
    return true;
}

namespace {

/// The one loaded record that idText names among the record types; null when none or several.
const CRecordNode* FindLoadedRecordById(std::string_view idText)
{
    const CRecordNode* found = nullptr;
    for (int listIndex = 0; listIndex < kLoadKindHeader; ++listIndex) {
        CRecordIdState* state = GetRecordIdState(listIndex);
        if (!state || !state->m_prefixLearned)
            continue;
        std::int32_t number = 0;
        const CRecordNode* record = ParseStandardId(*state, idText, number)
                                        ? FindLoadedRecord(listIndex, number)
                                        : FindLoadedRecord(listIndex, idText);
        if (record && found)
            return nullptr;
        if (record)
            found = record;
    }
    return found;
}

/// Whether an identifier has the form the program saves records under, a type's letter and a
/// number ("I200"; "F0002" reads as F2): a later load of the saved file could find a record
/// under it.
bool MayNameASavedRecord(std::string_view id)
{
    if (id.size() < 2 ||
        !std::all_of(id.begin() + 1, id.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const auto rows = GetRecordTypeTable().Rows();
    return std::any_of(rows.begin(), rows.end(),
                       [&id](const CRecordType& row) { return row.m_idLetter == id.front(); });
}

/// What Collect does with one text field of holder that holds a cross-reference; false when the
/// field was left out.
bool TakeCrossReferenceText(CTextValueNode& text, const CRecordNode& holder,
                            const std::unordered_set<std::string>& skippedRecords,
                            std::vector<std::pair<CTextValueNode*, const CRecordNode*>>& found,
                            CDanglingReport& names)
{
    const std::string_view id = CrossReferenceIn(text.GetValue());
    const std::string_view tag = text.GetFieldDef()->GetGedcomTag();
    if (const CRecordNode* record = FindLoadedRecordById(id)) {
        found.emplace_back(&text, record);
        return true;
    }
    const bool skipped = skippedRecords.contains(std::string(id));
    if (!MayNameASavedRecord(id)) {
        // No record of the saved file can carry this identifier, so it stays a link as read.
        if (skipped)
            AppendExceptionText(
                text::Format("* Reference to a skipped record kept: %s @%s@ in %s.\r\n", tag, id,
                             names.Where(&holder)));
        return true;
    }
    if (skipped) {
        // A record of the saved file may take this identifier: the link is left out with the
        // fields below it, as its record was, rather than come to name another record.
        AppendExceptionText(text::Format(
            "* Reference to a skipped record left out with the lines below it: %s @%s@ in %s.\r\n",
            tag, id, names.Where(&holder)));
        text.GetParent()->DeleteChild(&text);
        return false;
    }
    // One that names no record (or several) is plain text from now on, so that no later load
    // of the saved file can find a record under it.
    const std::string value(text.GetValue());
    text.SetValue(value);
    return true;
}

} // namespace

CCrossReferenceTexts::CCrossReferenceTexts() : m_readBefore(CountCrossReferenceTextsRead()) {}

void CCrossReferenceTexts::NoteSkippedRecord(std::string_view xref)
{
    if (!xref.empty())
        m_skipped.emplace(xref);
}

void CCrossReferenceTexts::Collect()
{
    m_found.clear();
    if (CountCrossReferenceTextsRead() == m_readBefore)
        return;
    CDanglingReport names;
    bool removed = false;
    std::vector<CDataNode*> pending;
    for (int listIndex = 0; listIndex < RECORD_TYPE_COUNT; ++listIndex) {
        for (CDataNode* record = GetRecordTypeRoot(listIndex)->GetFirstChild(); record;
             record = record->GetNextSibling()) {
            pending.push_back(record);
            while (!pending.empty()) {
                CDataNode* node = pending.back();
                pending.pop_back();
                auto* text = node->HasFlag(DNF_XREF_TEXT) && !node->IsRecord()
                                 ? dynamic_cast<CTextValueNode*>(node)
                                 : nullptr;
                if (text && !TakeCrossReferenceText(*text, static_cast<const CRecordNode&>(*record),
                                                    m_skipped, m_found, names)) {
                    removed = true;
                    continue;
                }
                // Children are taken in the file's order, so the report lists them so.
                const std::size_t first = pending.size();
                for (CDataNode* child = node->GetFirstChild(); child;
                     child = child->GetNextSibling())
                    pending.push_back(child);
                std::reverse(pending.begin() + std::ptrdiff_t(first), pending.end());
            }
        }
    }
    if (removed)
        DeletePendingNodes();
}

void CCrossReferenceTexts::Renumber()
{
    for (const auto& [text, record] : m_found) {
        const std::string id = record->GetIdText();
        if (!id.empty())
            text->SetCrossReference(id);
    }
    m_found.clear();
}

void ResolveLoadedLinks(IProgress* progress, CAssocNode* stopLink)
{
    CDanglingReport report;
    ResolveLinkTargets(stopLink, progress, &report);
}

void NumberDanglingTextReferences(CAssocNode* stopLink)
{
    if (CAssocNode::CountKeptTexts() == 0)
        return;
    std::unordered_map<std::string, std::int32_t> numbers[kLoadKindHeader];
    for (CAssocNode* link = CAssocNode::GetFirstLink(); link && link != stopLink;
         link = link->GetNextLink()) {
        const int listIndex = link->GetTargetTypeIndex();
        const std::optional<std::string_view> text = link->GetKeptText();
        CRecordIdState* state = GetRecordIdState(listIndex);
        if (!text || !state || listIndex >= kLoadKindHeader)
            continue;
        std::int32_t& number = numbers[listIndex][std::string(*text)];
        if (number == 0)
            number = state->TakeNextNumber();
        if (number > 0)
            link->KeepNumberInstead(number);
    }
}

void FinishMultimediaRecords()
{
    CDataNode* root = GetRecordTypeRoot(kLoadKindMultimedia);
    CRecordIdState* state = GetRecordIdState(kLoadKindMultimedia);
    if (!root || !state)
        return;
    std::int32_t highest = 0;
    for (CDataNode* node = root->GetFirstChild(); node; node = node->GetNextSibling()) {
        auto* record = static_cast<CRecordNode*>(node);
        highest = std::max(highest, record->GetRecordNumber());
        auto* object = dynamic_cast<CObjRec*>(record);
        if (!object || object->DecodeBlobs())
            continue;
        const std::string id = record->GetIdText();
        AppendExceptionText(text::Format(
            "* Multimedia record %s: its embedded data (BLOB) cannot be read; it is kept as read."
            "\r\n",
            id.empty() ? std::string("without a standard identifier") : "@" + id + "@"));
    }
    if (state->m_counter <= highest)
        return;
    for (const std::int32_t reserved : CollectReservedNumbers(kLoadKindMultimedia))
        highest = std::max(highest, reserved);
    state->m_counter = highest;
}
