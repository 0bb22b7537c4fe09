// database/records/record_node.cpp: the node at the top of every record.
#include "database/records/record_node.h"

#include "database/dates/date_node.h"
#include "database/dates/date_tables.h"
#include "database/dictionary/qualifier_table.h"
#include "database/dictionary/record_type_table.h"
#include "database/gedcom/gedcom_line_sink.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_model.h"
#include "database/nodes/node_menu.h"
#include "database/paths/data_path.h"
#include "database/records/assoc_node.h"
#include "database/records/record_id_state.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

namespace {

/// Appends the decimal digits of value, with zeros before them up to width digits.
void AppendNumber(std::string& line, int value, int width = 1)
{
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    line.append(std::size_t(std::max<std::ptrdiff_t>(0, width - (end - digits))), '0');
    line.append(digits, end);
}

constexpr int kMatchEqual = 20;
constexpr int kMatchDiffers = -30;
constexpr int kMatchNoKeys = -999;
constexpr std::size_t kMatchKeys = 2;

bool IsLdsOrdinance(int fieldId)
{
    return fieldId == FIELD_BAPL || fieldId == FIELD_CONL || fieldId == FIELD_ENDL ||
           fieldId == FIELD_SLGC || fieldId == FIELD_SLGS;
}

/// The non-empty DATE of a fact or ordinance; null when it has none.
const CDateNode* DateOf(const CDataNode* item)
{
    const CDataNode* date = item->FindChild(nullptr, FIELD_DATE, true);
    return dynamic_cast<const CDateNode*>(date);
}

/// -1, 0 or 1 by date; two equal dates by their own qualifiers, BEF first and AFT last.
int CompareItemDates(const CDateNode& a, const CDateNode& b)
{
    const int byValue = CompareDateValues(a.GetFirstValue(), b.GetFirstValue());
    if (byValue != 0)
        return byValue;
    const auto rank = [](const CDateNode& date) {
        return date.GetQualifier() == DQ_BEF ? -1 : date.GetQualifier() == DQ_AFT ? 1 : 0;
    };
    return rank(a) - rank(b);
}

/// One pass of the date sort over the children that next answers; true when one moved.
template <class Next> bool SortPass(CRecordNode& record, Next next)
{
    const CDataNode* previous = nullptr;
    const CDateNode* previousDate = nullptr;
    for (CDataNode* item = next(nullptr); item; item = next(item)) {
        const CDateNode* date = DateOf(item);
        if (!date)
            continue;
        if (previousDate && CompareItemDates(*date, *previousDate) < 0) {
            record.UnlinkChild(item, false);
            record.InsertChild(item, const_cast<CDataNode*>(previous), true);
            return true;
        }
        previous = item;
        previousDate = date;
    }
    return false;
}

/// The parts of a "hh:mm:ss" time, blanks allowed; the fraction GEDCOM allows after the
/// seconds ("hh:mm:ss.fs") is below what a stamp holds and is passed over. An hour out of range
/// zeroes all three, a minute the minute and second, a second the second.
void ParseTime(std::string_view text, int& hour, int& minute, int& second)
{
    int parts[3] = {0, 0, 0};
    std::size_t part = 0;
    for (const char c : text) {
        if (c == '.' && part == 2)
            break;
        if (c == ':' && part < 2)
            ++part;
        else if (c >= '0' && c <= '9' && parts[part] < 1000)
            parts[part] = parts[part] * 10 + (c - '0');
    }
    hour = parts[0];
    minute = parts[1];
    second = parts[2];
    if (hour > 23)
        hour = minute = second = 0;
    if (minute > 59)
        minute = second = 0;
    if (second > 59)
        second = 0;
}

/// The stamp a CHAN DATE gives: a Gregorian simple, approximate or interpreted date with day
/// and month that a stamp can hold, with its TIME; status not valid otherwise.
COleDateTime StampOf(const CDateNode& date)
{
    COleDateTime stamp;
    const DateKind kind = date.GetKind();
    const CDateValue& value = date.GetFirstValue();
    if ((kind != DATE_SIMPLE && kind != DATE_APPROXIMATE && kind != DATE_INTERPRETED) ||
        !value.IsValid() || value.IsBC() || value.GetCalendar() != CALENDAR_GREGORIAN)
        return stamp;
    int hour = 0, minute = 0, second = 0;
    if (const CDataNode* time = date.FindChild(nullptr, FIELD_TIME)) {
        std::string text;
        time->GetText(text, 0);
        ParseTime(text, hour, minute, second);
    }
    stamp.SetDateTime(value.GetYear(), value.GetMonth(), value.GetDay(), hour, minute, second);
    return stamp;
}

/// Deletes each link to the record that is not itself being deleted.
class CLinkDeleter final : public ILinkVisitor {
public:
    void OnLink(CRecordNode*, CAssocNode* link, CRecordNode*) override
    {
        if (link->IsPendingDeletion())
            return;
        if (CDataNode* parent = link->GetParent())
            parent->DeleteChild(link);
    }
};

} // namespace

CRecordNode::CRecordNode() noexcept
{
    SetFlag(DNF_RECORD, true);
}

CRecordNode::~CRecordNode()
{
    if (m_firstLinkIn != 0 && !IsClearingDataSet())
        CAssocNode::DropLinksTo(this);
    ForgetLoadedRecordId(*this);
    ForgetChangedRecord(this);
    if (IsChangeTrackingOn()) {
        if (CDataNode* root = KeptRoot())
            root->UnlinkChild(this, true);
    }
    SetFlag(DNF_RECORD, false);
}

const CRuntimeClass* CRecordNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CRecordNode>();
}

int CRecordNode::GetTypeIndex() const
{
    return GetRecordTypeIndex(GetFieldDef());
}

std::size_t CRecordNode::PutIdText(char (&id)[kIdTextRoom]) const
{
    // The row found from the definition in one step: every record line of a save asks.
    const CRecordType* row = GetRecordTypeTable().RowForDef(GetFieldDef());
    if (!row || row->m_listIndex == RECORD_LIST_HEAD || m_recordNumber < 1)
        return 0;
    id[0] = row->m_idLetter;
    return std::size_t(PutRecordNumber(id + 1, std::uint32_t(m_recordNumber)) - id);
}

std::string CRecordNode::GetIdText() const
{
    char id[kIdTextRoom];
    return std::string(id, PutIdText(id));
}

// ---- Node operations ----------------------------------------------------------------------

bool CRecordNode::AddContextMenu(INodeMenu& menu)
{
    if (CDataNode::AddContextMenu(menu))
        menu.AppendSeparator();
    menu.AppendItem(ID_RECORD_PROPERTIES, "Properties", false);
    return true;
}

bool CRecordNode::MatchRecord(int qualifier, int op, const CRecordNode* record) const
{
    if (qualifier == 0 && op == COND_IS)
        return record == this;
    return CDataNode::MatchRecord(qualifier, op, record);
}

void CRecordNode::ComposeRecordLine(std::string& line) const
{
    // "0 @I12@ " is put together on the stack and goes into line in one piece.
    char id[kIdTextRoom];
    const std::size_t size = PutIdText(id);
    char start[kIdTextRoom + 5] = {'0', ' ', '@'};
    std::memcpy(start + 3, id, size);
    start[3 + size] = '@';
    start[4 + size] = ' ';
    line.assign(start, size ? 5 + size : 2);
    if (const CFieldDef* def = GetFieldDef())
        line += def->GetGedcomTag();
}

bool CRecordNode::WriteGedcom(int, std::string& line) const
{
    ComposeRecordLine(line);
    return WriteGedcomLine(line) && WriteChildrenAndChange(line, nullptr);
}

bool CRecordNode::WriteChildrenAndChange(std::string& line, const CDataNode* skip) const
{
    const CDataNode* change = nullptr;
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        if (child->GetFieldId() == FIELD_CHAN) {
            change = change ? change : child;
            continue;
        }
        if (child != skip && !child->WriteGedcom(1, line))
            return false;
    }
    return WriteChangeDate(line, change);
}

bool CRecordNode::WriteChangeDate(std::string& line, const CDataNode* change) const
{
    const bool stamped = m_changeStamp.GetStatus() == COleDateTime::valid;
    const CFieldDef* def = GetFieldDef();
    if (!change && !(stamped && def && def->HasChangeStamp()))
        return true;
    // Without a stamp, CHAN is written only when a sub-field of it writes something.
    if (!stamped) {
        HoldGedcomTagLine(1, "CHAN", "");
        bool written = true;
        for (const CDataNode* child = change->GetFirstChild(); child && written;
             child = child->GetNextSibling())
            written = child->WriteGedcom(2, line);
        ReleaseGedcomTagLine();
        return written;
    }
    line = "2 DATE ";
    AppendNumber(line, m_changeStamp.GetDay());
    line += ' ';
    line += GetMonthCode(m_changeStamp.GetMonth(), CALENDAR_GREGORIAN);
    line += ' ';
    AppendNumber(line, m_changeStamp.GetYear());
    if (!WriteGedcomLine("1 CHAN") || !WriteGedcomLine(line))
        return false;
    line = "3 TIME ";
    AppendNumber(line, m_changeStamp.GetHour(), 2);
    line += ':';
    AppendNumber(line, m_changeStamp.GetMinute(), 2);
    line += ':';
    AppendNumber(line, m_changeStamp.GetSecond(), 2);
    if (!WriteGedcomLine(line))
        return false;
    for (const CDataNode* child = change ? change->GetFirstChild() : nullptr; child;
         child = child->GetNextSibling()) {
        if (child->GetFieldId() == FIELD_DATE)
            continue;
        if (!child->WriteGedcom(2, line))
            return false;
    }
    return true;
}

void CRecordNode::DeleteChild(CDataNode* child)
{
    if (child && child->GetLinkTarget())
        child->ClearLink();
    CDataNode::DeleteChild(child);
}

void CRecordNode::ScheduleDelete()
{
    if (HasLinks()) {
        CLinkDeleter deleter;
        EnumLinksTo(this, &deleter, nullptr);
    }
    CDataNode::ScheduleDelete();
}

// ---- Record operations --------------------------------------------------------------------

std::int32_t CRecordNode::GetLinkCount() const
{
    std::int32_t count = 0;
    for (const CAssocNode* link = CAssocNode::FirstLinkTo(this); link;
         link = link->GetNextLinkToTarget())
        ++count;
    return count;
}

int CRecordNode::CountLinkedChildren(bool& notApplicable) const
{
    notApplicable = true;
    return 0;
}

bool CRecordNode::SortFactsByDate()
{
    bool moved = false;
    const auto next = [this](const CDataNode* after) { return GetNextFact(after, false); };
    while (SortPass(*this, next))
        moved = true;
    return moved;
}

bool CRecordNode::SortLdsOrdinancesByDate()
{
    bool moved = false;
    const auto next = [this](const CDataNode* after) { return GetNextLdsOrdinance(after, true); };
    while (SortPass(*this, next))
        moved = true;
    return moved;
}

int CRecordNode::MatchScore(const CRecordNode* other, const void* options) const
{
    const CFieldDef* def = GetFieldDef();
    if (!def || !other || def->GetValues().m_items.empty())
        return kMatchNoKeys;
    const std::vector<std::string>& keys = def->GetValues().m_items;
    int score = 0;
    for (std::size_t i = 0; i < keys.size() && i < kMatchKeys; ++i) {
        const CDataNode* mine = FindNodeByText(const_cast<CRecordNode*>(this), keys[i], nullptr);
        const CDataNode* theirs = FindNodeByText(const_cast<CRecordNode*>(other), keys[i], nullptr);
        if (mine && theirs && mine != this && theirs != other)
            score += mine->IsEqual(theirs, options) ? kMatchEqual : kMatchDiffers;
    }
    return score;
}

bool CRecordNode::ContainsKeyText(std::span<const CSearchTerm> terms, bool caseSensitive) const
{
    int keyField = 0;
    switch (GetTypeIndex()) {
    case RECORD_LIST_OBJE:
        keyField = FIELD_TITL;
        break;
    case RECORD_LIST_REPO:
    case RECORD_LIST_SUBM:
        keyField = FIELD_NAME;
        break;
    case RECORD_LIST_SUBN:
        keyField = FIELD_FAMF;
        break;
    default:
        return false;
    }
    for (const CDataNode* field = FindChild(nullptr, keyField); field;
         field = FindChild(field, keyField)) {
        if (field->ContainsText(terms, caseSensitive, false))
            return true;
    }
    return false;
}

// ---- Walks --------------------------------------------------------------------------------

int CRecordNode::CountLinksTo(const CRecordNode* record) const
{
    int count = 0;
    CDataNode::CountLinksTo(record, count);
    return count;
}

CDataNode* CRecordNode::GetNextFact(const CDataNode* after, bool skipEmpty) const
{
    for (CDataNode* child = after ? after->GetNextSibling() : GetFirstChild(); child;
         child = child->GetNextSibling()) {
        const CFieldDef* def = child->GetFieldDef();
        if (!def || !def->HasFlag(FDF_EVENT | FDF_ATTRIBUTE))
            continue;
        if (skipEmpty && def->HasFlag(FDF_SKIP_WHEN_CHILDLESS) && child->IsEmpty())
            continue;
        return child;
    }
    return nullptr;
}

CDataNode* CRecordNode::GetNextNote(const CDataNode* after, bool includeLinks, int& fieldId) const
{
    fieldId = 0;
    for (CDataNode* child = after ? after->GetNextSibling() : GetFirstChild(); child;
         child = child->GetNextSibling()) {
        const int id = child->GetFieldId();
        if ((id == FIELD_NOTE_TEXT || (includeLinks && id == FIELD_NOTE)) && !child->IsEmpty()) {
            fieldId = id;
            return child;
        }
    }
    return nullptr;
}

CDataNode* CRecordNode::GetNextObjectLink(const CDataNode* after, bool skipRepeats) const
{
    const bool inLinks = !after || after->GetFieldId() == FIELD_OBJE;
    if (inLinks) {
        for (CDataNode* link = FindChild(after, FIELD_OBJE); link;
             link = FindChild(link, FIELD_OBJE)) {
            if (!skipRepeats)
                return link;
            const CRecordNode* target = link->GetLinkTarget();
            bool repeated = false;
            for (const CDataNode* earlier = FindChild(nullptr, FIELD_OBJE); earlier != link;
                 earlier = FindChild(earlier, FIELD_OBJE))
                repeated |= target && earlier->GetLinkTarget() == target;
            if (!repeated)
                return link;
        }
        return FindChild(nullptr, FIELD_OBJE_EMBEDDED);
    }
    return FindChild(after, FIELD_OBJE_EMBEDDED);
}

CDataNode* CRecordNode::GetNextLdsOrdinance(const CDataNode* after, bool skipEmpty) const
{
    for (CDataNode* child = after ? after->GetNextSibling() : GetFirstChild(); child;
         child = child->GetNextSibling()) {
        if (IsLdsOrdinance(child->GetFieldId()) && !(skipEmpty && child->IsEmpty()))
            return child;
    }
    return nullptr;
}

bool CRecordNode::ReorderData(bool first, bool second, bool sortFacts, bool sortOrdinances,
                              bool notify)
{
    bool moved = false;
    if (first)
        moved |= ReorderFirst();
    if (second)
        moved |= SortChildren();
    if (sortFacts)
        moved |= SortFactsByDate();
    if (sortOrdinances)
        moved |= SortLdsOrdinancesByDate();
    if (moved && notify)
        NotifyChanges();
    return moved;
}

// ---- Loading ------------------------------------------------------------------------------

bool ParseChangeDate(CRecordNode* record, CDataNode* changeField)
{
    if (!record || !changeField)
        return false;
    COleDateTime stamp;
    std::vector<CDataNode*> taken;
    for (CDataNode* child = changeField->FindChild(nullptr, FIELD_DATE); child;
         child = changeField->FindChild(child, FIELD_DATE)) {
        const auto* date = dynamic_cast<const CDateNode*>(child);
        const COleDateTime candidate = date ? StampOf(*date) : COleDateTime();
        if (candidate.GetStatus() != COleDateTime::valid)
            continue;
        stamp = candidate;
        taken.push_back(child);
    }
    for (CDataNode* child : taken) {
        changeField->UnlinkChild(child, false);
        DestroyNodeTree(child);
    }
    if (!changeField->GetFirstChild()) {
        record->UnlinkChild(changeField, true);
        DestroyNodeTree(changeField);
    }
    if (taken.empty())
        return false;
    record->SetChangeStamp(stamp);
    return true;
}

void DestroyNodeTree(CDataNode* node)
{
    if (!node)
        return;
    node->DeleteChildren();
    delete node;
}
