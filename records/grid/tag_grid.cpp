// records/grid/tag_grid.cpp: the record list grid: what it shows, its rows and their expansion,
// refill on change notices, sorting and the find bar.
#include "records/grid/tag_grid.h"

#include "common/abort.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/node_prefetch.h"
#include "records/grid/grid_colours.h"
#include "records/grid/grid_sort_keys.h"
#include "records/grid/name_rank_sort.h"
#include "records/grid/rec_wnd_options.h"

#include "database/dictionary/field_def.h"
#include "database/dictionary/field_ids.h"
#include "database/dictionary/qualifier_table.h"
#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_node.h"
#include "database/records/fam_rec.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/flag_guard.h"
#include "platform/base/present_pages.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"

#include <algorithm>
#include <functional>
#include <new>

namespace {

/// One extra column of a record type's column set.
struct ColumnSpec {
    const char* title;
    const char* reference;
    const char* sample;
    bool ascending;
};

constexpr ColumnSpec kRecordId = {"Record Id", "=RecordId()", "+Record Id+", true};
constexpr ColumnSpec kUpdated = {"Updated", "=LastUpdated()", "+31/12/88 12:24+", false};
constexpr ColumnSpec kLinks = {"Links", "=LinksTo()", "+Links+", false};

struct TypeColumns {
    const char* heading;
    const char* emptyText;
    std::vector<ColumnSpec> columns;
};

/// By list index: individuals, families, notes, sources, repositories, submitters,
/// submissions, multimedia, header.
const TypeColumns& ColumnsOf(int listIndex)
{
    static const TypeColumns kTypes[] = {
        {"Individual Records",
         "No Individual Records",
         {kRecordId,
          {"Dates", "=LifeDates()", "+8888-8888+", false},
          {"Birth Place", "INDI.BIRT.PLAC", "+Birth Place+", true},
          kUpdated}},
        {"Family Records",
         "No Family Records",
         {kRecordId, {"Children", "=ChildCount()", "+Children+", false}, kUpdated}},
        {"Note Records", "No Note Records", {kRecordId, kLinks, kUpdated}},
        {"Source Records",
         "No Source Records",
         {kRecordId, {"Citations", "=LinksTo()", "+Citations+", false}, kUpdated}},
        {"Repository Records",
         "No Repository Records",
         {kRecordId, {"Sources", "=LinksTo()", "+Sources+", false}, kUpdated}},
        {"Submitter Records", "No Submitter Records", {kRecordId, kLinks, kUpdated}},
        {"Submission Records", "No Submission Records", {kRecordId, kLinks, kUpdated}},
        {"Multimedia Records",
         "No Multimedia Records",
         {kRecordId,
          {"Type", "=MediaType()", "+Picture+", true},
          {"Year", "OBJE._DATE:YEAR", "+1988+", false},
          kLinks,
          {"Embedded", "=IsEmbedded()", "+Emb+", false},
          kUpdated}},
        {"Header Record", "No Header Record", {}},
    };
    static const TypeColumns kNoDefinition = {nullptr, nullptr, {kRecordId}};
    return listIndex >= 0 && listIndex < int(std::size(kTypes)) ? kTypes[listIndex] : kNoDefinition;
}

constexpr int kHeaderList = 8;
/// More new rows than this at one notice are linked in one pass over all rows.
constexpr std::size_t kBulkRows = 64;
constexpr std::size_t kMaxExtraText = 400;
constexpr const char* kEditablePrompt = "< click here to insert link (or select and press F2) >";
constexpr const char* kReadOnlyPrompt = "<none>";
/// Expansion never goes deeper than this, whatever the links hold.
constexpr int kMaxDepth = 64;

std::string TextOf(const CDataNode* node)
{
    std::string text;
    if (node)
        node->GetText(text, 0);
    return text;
}

int ListIndexOf(const CDataNode* node)
{
    return node ? GetRecordTypeIndex(node->GetFieldDef()) : -1;
}

/// The first non-empty NAME of an individual in surname-first form; empty without one.
std::string SurnameFirst(const CDataNode* individual)
{
    for (const CDataNode* name = individual->FindChild(nullptr, FIELD_NAME, true); name;
         name = individual->FindChild(name, FIELD_NAME, true)) {
        char buffer[513] = {};
        if (name->GetTextBuf(buffer, int(sizeof buffer), QUAL_SURNAME_FIRST) > 0)
            return buffer;
    }
    return {};
}

/// The pedigree words of a child's link to the family: empty for a birth link.
std::string PedigreeSuffix(const CRecordNode* child, const CRecordNode* family)
{
    for (const CDataNode* famc = child->FindChild(nullptr, FIELD_FAMC); famc;
         famc = child->FindChild(famc, FIELD_FAMC)) {
        if (famc->GetLinkTarget() != family)
            continue;
        const std::string pedigree = TextOf(famc->FindChild(nullptr, FIELD_PEDI, true));
        const std::string key = text::ToLower(pedigree);
        if (key.empty() || key == "birth")
            return {};
        if (key == "adopted")
            return " (adopted)";
        if (key == "foster" || key == "fostered")
            return " (fostered)";
        if (key == "sealing" || key == "sealed")
            return " (sealed [LDS])";
        return " (unknown)";
    }
    return {};
}

} // namespace

CTagGrid::CTagGrid()
{
    LoadRecWndOptions();
}

CTagGrid::~CTagGrid()
{
    CloseEditor(false);
    ClearRowMap();
    m_openRows.clear();
    if (GetBox().GetSafeHwnd())
        GetBox().DeleteAllItems();
}

BOOL CTagGrid::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, ITagGridOwner* owner,
                      UINT findBarTemplate, bool moveButtons)
{
    m_owner = owner;
    if (!CreateGrid(moveButtons ? 1 : 0, 0, style,
                    TBF_GRID | TBF_CHILDREN_ON_DEMAND | TBF_MULTI_SELECT, rect, parent, id, 0, 0,
                    findBarTemplate))
        return FALSE;
    GetBox().SetEmptyText("");
    ApplyColumns();
    return TRUE;
}

void CTagGrid::ApplyColumns()
{
    if (!GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    const int half = std::max(0, int(client.Width()) / 2);
    m_columnsFitted = half > 0;
    std::string titles = m_heading + "\t" + m_valueHeading;
    std::vector<int> edges = {half, 2 * half};
    CClientDC dc(this);
    for (const ExtraColumn& column : m_extra) {
        titles += "\t" + column.title;
        edges.push_back(edges.back() + int(dc.GetTextExtent(column.sample).cx) + 8);
    }
    SetColumns(titles.c_str(), 2, int(edges.size()), edges.data());
}

void CTagGrid::SetHeading(const std::string& heading, const std::string& emptyText,
                          const std::string& valueHeading)
{
    m_heading = heading;
    m_valueHeading = valueHeading;
    GetBox().SetEmptyText(emptyText);
    ApplyColumns();
}

void CTagGrid::AddOwnColumn(const std::string& title, const std::string& sample,
                            const CDataRef& reference)
{
    m_keepOwnColumns = true;
    ExtraColumn column;
    column.title = title;
    column.sample = sample;
    column.reference = reference;
    m_extra.push_back(std::move(column));
    ApplyColumns();
}

void CTagGrid::OnSize(UINT type, int cx, int cy)
{
    CTreeGrid::OnSize(type, cx, cy);
    if (!m_columnsFitted && cx > 0)
        ApplyColumns();
}

void CTagGrid::AddRecordTypeHeadings(int listIndex)
{
    const TypeColumns& type = ColumnsOf(listIndex);
    if (type.heading) {
        m_heading = type.heading;
        GetBox().SetEmptyText(type.emptyText);
    }
    m_sortOnHeaderClick = listIndex != kHeaderList;
    for (const ColumnSpec& spec : type.columns) {
        ExtraColumn column;
        column.title = spec.title;
        column.sample = spec.sample;
        column.ascending = spec.ascending;
        if (!column.reference.SetText(spec.reference)) {
            m_extra.clear();
            break;
        }
        m_extra.push_back(std::move(column));
    }
}

void CTagGrid::SetRecordPageColumns(bool header)
{
    m_extra.clear();
    m_heading = "Record";
    m_keepOwnColumns = true;
    for (const ColumnSpec* spec : {header ? nullptr : &kRecordId, &kUpdated}) {
        if (!spec)
            continue;
        ExtraColumn column;
        column.title = spec->title;
        column.sample = spec->sample;
        column.ascending = spec->ascending;
        if (!column.reference.SetText(spec->reference))
            break;
        m_extra.push_back(std::move(column));
    }
    ApplyColumns();
}

void CTagGrid::SetRecord(CRecordNode* record)
{
    ResetList();
    m_mode = kModeRecord;
    m_shown = record;
    RefreshList();
}

void CTagGrid::SetRecordSet(CDataNode* root, bool fill, bool sort)
{
    ResetList();
    if (!m_keepOwnColumns) {
        m_extra.clear();
        m_heading = "Records";
        AddRecordTypeHeadings(root ? GetRecordTypeIndex(root->GetFieldDef()) : -1);
        ApplyColumns();
    }
    m_mode = root ? kModeRecordSet : kModeRecord;
    m_shown = root;
    if (root && fill) {
        RefreshList();
        if (sort)
            OnSortAlphabetical();
    }
}

void CTagGrid::RefreshList()
{
    if (m_mode == kModeRecordSet) {
        ResetList();
        AddAllRecordRows();
    } else if (m_mode == kModeRecord && m_shown) {
        ClearRowMap();
        m_openRows.clear();
        GetBox().DeleteAllItems();
        if (CTreeBoxNode* row = AddTopRow(m_shown, nullptr, false); row && row->m_state != 0)
            GetBox().ExpandItem(row, true, 1);
    }
    if (CTreeBoxNode* first = GetBox().GetFirstItem())
        GetBox().SetFocusItem(first, false);
}

void CTagGrid::ResetList()
{
    CloseEditor(true);
    m_menuTarget = nullptr;
    m_menuKind = kMenuNone;
    ClearRowMap();
    m_openRows.clear();
    m_rowOrder = kSortNone;
    m_rowOrderColumn = -1;
    if (GetBox().GetSafeHwnd())
        GetBox().DeleteAllItems();
    if (m_mode != kModeRecordSet) {
        m_shown = nullptr;
        if (m_mode != kModeNone)
            m_mode = kModeRecord;
    }
}

void CTagGrid::ClearRecordSet()
{
    ResetList();
    m_shown = nullptr;
    m_mode = kModeNone;
}

void CTagGrid::AddAllRecordRows()
{
    if (!m_shown)
        return;
    std::vector<CRowMap::Pair> rows;
    rows.reserve(std::size_t(m_shown->CountChildren()));
    CNodeStreamPrefetch prefetch;
    for (CDataNode* record = m_shown->GetFirstChild(); record; record = record->GetNextSibling()) {
        prefetch.At(record);
        if (!record->IsPendingDeletion())
            if (CTreeBoxNode* row = AppendTopRow(record, HasShownChildren(record)))
                rows.emplace_back(record, row);
    }
    Rows().SetMany(rows);
    GetBox().ShowAppendedRows();
}

bool CTagGrid::AddAllRecordRowsByName()
{
    if (!m_shown || GetRecordTypeIndex(m_shown->GetFieldDef()) != RECORD_LIST_INDI)
        return false;
    // Whether each row opens and its name's rank are read in file order, where the records lie
    // one after another, in one walk.
    std::vector<CDataNode*> records;
    std::vector<std::uint8_t> opens;
    ReservePresent(records, std::size_t(m_shown->CountChildren()));
    ReservePresent(opens, records.capacity());
    CNameRankSort ranks(records.capacity());
    CNodeStreamPrefetch prefetch;
    for (CDataNode* record = m_shown->GetFirstChild(); record; record = record->GetNextSibling()) {
        prefetch.At(record);
        if (!record->IsPendingDeletion()) {
            if (!AddNameRankRow(ranks, record))
                return false;
            records.push_back(record);
            opens.push_back(HasShownChildren(record));
        }
    }
    const std::optional<std::vector<std::uint32_t>> places = ranks.Order();
    if (!places)
        return false;
    // The rows come in the names' order, far apart in the file's: the places some rows ahead
    // are asked for while this one is made.
    constexpr std::size_t kAhead = 16;
    for (std::size_t i = 0; i < places->size(); ++i) {
        if (i + kAhead < places->size()) {
            __builtin_prefetch(&records[(*places)[i + kAhead]]);
            __builtin_prefetch(&opens[(*places)[i + kAhead]]);
        }
        const std::uint32_t place = (*places)[i];
        AppendTopRow(records[place], opens[place] != 0);
    }
    // The first paint needs no record's row: the map is made from the rows when first asked.
    ClearRowMap();
    m_rowsToMap = true;
    GetBox().ShowAppendedRows();
    m_rowOrder = kSortAlphabetical;
    return true;
}

CTreeBoxNode* CTagGrid::AddTopRow(CDataNode* record, CTreeBoxNode* after, bool bulk)
{
    CTreeBoxNode* row = CreateTopRow(record, after, bulk);
    if (row)
        Rows().Set(record, row);
    return row;
}

CTreeBoxNode* CTagGrid::AppendTopRow(CDataNode* record, bool opens)
{
    try {
        return GetBox().AppendRow({.state = opens ? CTreeBoxNode::kCollapsed : CTreeBoxNode::kLeaf,
                                   .data = std::uintptr_t(record)});
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

CTreeBoxNode* CTagGrid::CreateTopRow(CDataNode* record, CTreeBoxNode* after, bool bulk)
{
    return CreateTopRow(record, after, bulk, HasShownChildren(record));
}

CTreeBoxNode* CTagGrid::CreateTopRow(CDataNode* record, CTreeBoxNode* after, bool bulk, bool opens)
{
    const int state = opens ? CTreeBoxNode::kCollapsed : CTreeBoxNode::kLeaf;
    CTreeBoxNode* row = nullptr;
    try {
        const TreeBoxItem item{.state = state, .data = std::uintptr_t(record), .noRedraw = bulk};
        row = after ? GetBox().CreateNode(nullptr, after, item)
                    : GetBox().InsertItem(nullptr, CTreeBox::kInsertLast, item);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return row;
}

CTreeBoxNode* CTagGrid::AddRecordRow(CRecordNode* record, bool last, bool allowDuplicate,
                                     bool select, bool freeList)
{
    if (!record && !m_allowEmptyRows)
        return nullptr;
    if (m_mode == kModeRecord || freeList) {
        if (m_mode != kModeFreeList)
            ResetList();
        m_mode = kModeFreeList;
        m_shown = nullptr;
    }
    if (!allowDuplicate) {
        if (CTreeBoxNode* existing = FindRowByRecord(record)) {
            if (select)
                SelectRow(existing, false, true);
            return nullptr;
        }
    }
    CTreeBoxNode* row = nullptr;
    try {
        row = GetBox().InsertItem(
            nullptr, last ? CTreeBox::kInsertLast : CTreeBox::kInsertFirst,
            {.state = HasShownChildren(record) ? CTreeBoxNode::kCollapsed : CTreeBoxNode::kLeaf,
             .data = std::uintptr_t(record)});
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (!row)
        return nullptr;
    if (!Rows().Find(record))
        Rows().Set(record, row);
    if (select)
        SelectRow(row, false, true);
    return row;
}

CTreeBoxNode* CTagGrid::FindRowByRecord(const CDataNode* record) const
{
    return Rows().Find(record);
}

CRowMap& CTagGrid::Rows() const
{
    if (m_rowsToMap) {
        m_rowsToMap = false;
        // The rows lie one after another as they were made, their records far apart: the map's
        // slot of the record some rows on is asked for while this one is set.
        constexpr int kAhead = 16;
        CTreeBox& box = const_cast<CTagGrid*>(this)->GetBox();
        const CTreeBoxNode* ahead = box.GetFirstItem();
        for (int i = 0; ahead && i < kAhead; ++i)
            ahead = ahead->m_nextSibling;
        m_rows.Reserve(box.GetCount());
        for (CTreeBoxNode* row = box.GetFirstItem(); row; row = row->m_nextSibling) {
            if (ahead) {
                m_rows.Prefetch(NodeOf(ahead));
                ahead = ahead->m_nextSibling;
            }
            m_rows.Set(NodeOf(row), row);
        }
    }
    return m_rows;
}

void CTagGrid::ClearRowMap()
{
    m_rows.Clear();
    m_rowsToMap = false;
}

CTreeBoxNode* CTagGrid::InsertFreeRow(CDataNode* node, CTreeBoxNode* after)
{
    if (!node)
        return nullptr;
    if (m_mode != kModeFreeList) {
        ResetList();
        m_mode = kModeFreeList;
        m_shown = nullptr;
    }
    CTreeBoxNode* row = nullptr;
    try {
        row = GetBox().CreateNode(
            nullptr, after,
            {.state = HasShownChildren(node) ? CTreeBoxNode::kCollapsed : CTreeBoxNode::kLeaf,
             .data = std::uintptr_t(node)});
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (row && !Rows().Find(node))
        Rows().Set(node, row);
    return row;
}

void CTagGrid::OnButtonClicked(CUButton* button)
{
    if (button == &GetButton(0) || button == &GetButton(1))
        Move(button == &GetButton(0));
}

void CTagGrid::SelectRow(CTreeBoxNode* row, bool linkMode, bool select)
{
    if (!row)
        return;
    const bool wasLinkMode = (row->m_data2 & kRowLinkMode) != 0;
    row->m_data2 = linkMode ? (row->m_data2 | kRowLinkMode) : (row->m_data2 & ~kRowLinkMode);
    if (linkMode) {
        if (m_linkModeRow && m_linkModeRow != row)
            m_linkModeRow->m_data2 &= ~kRowLinkMode;
        m_linkModeRow = row;
    }
    {
        const CFlagGuard selecting(m_selecting);
        if (select)
            GetBox().ClearSelection(row, false);
        GetBox().SetFocusItem(row, select);
        if (!select)
            GetBox().SetItemSelected(row, false, false);
    }
    if (wasLinkMode != linkMode)
        GetBox().InvalidateItemIfVisible(row);
    GetBox().EnsureItemVisible(row, 1, false);
    UpdateMoveButtons();
    if (m_owner)
        m_owner->OnGridSelChanged(this);
}

CRecordNode* CTagGrid::GetSelectedRecord(bool followLinks) const
{
    CTreeBox& box = const_cast<CTagGrid*>(this)->GetBox();
    if (box.GetSelectedCount() == 0)
        return nullptr;
    CTreeBoxNode* first = box.GetNextSelected(nullptr);
    if (!first || box.GetNextSelected(first))
        return nullptr;
    CDataNode* node = NodeOf(first);
    if (followLinks && (first->m_data2 & kRowLinkMode) && node)
        return node->GetLinkTarget();
    return node && node->IsRecord() ? static_cast<CRecordNode*>(node) : nullptr;
}

CRecordNode* CTagGrid::GetSelectedRecordOfKind(const CRuntimeClass* cls, int* several) const
{
    if (several) {
        *several = 0;
        CTreeBox& box = const_cast<CTagGrid*>(this)->GetBox();
        for (CTreeBoxNode* row = box.GetNextSelected(nullptr); row; row = box.GetNextSelected(row))
            ++*several;
    }
    CRecordNode* record = GetSelectedRecord(true);
    return record && (!cls || record->IsKindOf(cls)) ? record : nullptr;
}

CDataNode* CTagGrid::GetNextRowData(CTreeBoxNode*& position) const
{
    position =
        position ? position->m_nextSibling : const_cast<CTagGrid*>(this)->GetBox().GetFirstItem();
    return NodeOf(position);
}

void CTagGrid::GetSelectedRecords(std::vector<CRecordNode*>& records) const
{
    records.clear();
    CTreeBox& box = const_cast<CTagGrid*>(this)->GetBox();
    for (CTreeBoxNode* row = box.GetNextSelected(nullptr); row; row = box.GetNextSelected(row)) {
        CDataNode* node = NodeOf(row);
        CRecordNode* record = nullptr;
        if (node && (row->m_data2 & kRowLinkMode))
            record = node->GetLinkTarget();
        else if (node && node->IsRecord())
            record = static_cast<CRecordNode*>(node);
        if (record && !record->IsPendingDeletion())
            records.push_back(record);
    }
}

// ---- Children and the child filter ------------------------------------------------------------

CDataNode* CTagGrid::ExpansionSource(const CDataNode* node)
{
    if (!node)
        return nullptr;
    if (!node->IsRecord())
        if (CRecordNode* target = node->GetLinkTarget())
            return target;
    return const_cast<CDataNode*>(node);
}

bool CTagGrid::HasShownChildren(const CDataNode* node) const
{
    const CDataNode* source = ExpansionSource(node);
    return source && source->HasVisibleChildren();
}

bool CTagGrid::CheckLinkAllowed(const CTreeBoxNode* row, const CDataNode* child,
                                bool& recursive) const
{
    recursive = false;
    if (!child || !child->GetFieldDef() || child->GetFieldDef()->IsHidden())
        return false;
    if (!row)
        return true;
    const CDataNode* link = NodeOf(row);
    if (!link || link->IsRecord() || !link->GetLinkTarget())
        return true;
    const CRecordNode* listedUnder = link->GetRecord();
    if (!listedUnder || child->GetLinkTarget() != listedUnder)
        return true;
    const CRecWndOptions& options = RecWndOptions();
    const int linkId = link->GetFieldId(), childId = child->GetFieldId();
    int option = -1;
    int count = 0;
    if (linkId == FIELD_FAMC && childId == FIELD_CHIL) {
        option = options.m_showChild;
        if (auto* family = dynamic_cast<const CFamRec*>(link->GetLinkTarget()))
            count = family->CountChildren();
    } else if (linkId == FIELD_CHIL && childId == FIELD_FAMC) {
        option = options.m_showFamilyAsChild;
        if (auto* individual = dynamic_cast<const CIndRec*>(link->GetLinkTarget()))
            count = individual->CountParentFamilies(false);
    } else if ((linkId == FIELD_HUSB || linkId == FIELD_WIFE) && childId == FIELD_FAMS) {
        option = options.m_showFamilyAsSpouse;
        if (auto* individual = dynamic_cast<const CIndRec*>(link->GetLinkTarget()))
            count = individual->CountSpouseFamilies(false);
    } else if (linkId == FIELD_FAMS && (childId == FIELD_HUSB || childId == FIELD_WIFE)) {
        option = options.m_showSpouse;
        count = 2;
    } else {
        return true;
    }
    recursive = true;
    return option == 0 || (option == 2 && count > 1);
}

std::vector<std::pair<CDataNode*, bool>> CTagGrid::ShownChildren(const CTreeBoxNode* row) const
{
    std::vector<std::pair<CDataNode*, bool>> shown;
    const CDataNode* source = ExpansionSource(NodeOf(row));
    if (!source)
        return shown;
    for (CDataNode* child = source->GetFirstChild(); child; child = child->GetNextSibling()) {
        bool recursive = false;
        if (!child->IsPendingDeletion() && CheckLinkAllowed(row, child, recursive))
            shown.emplace_back(child, recursive);
    }
    return shown;
}

void CTagGrid::AddChildRows(CTreeBoxNode* row)
{
    if (row->m_level >= kMaxDepth || (row->m_data2 & kRowRecursive))
        return;
    CTreeBoxNode* after = nullptr;
    for (const auto& [child, recursive] : ShownChildren(row)) {
        const int state =
            !recursive && HasShownChildren(child) ? CTreeBoxNode::kCollapsed : CTreeBoxNode::kLeaf;
        after = GetBox().CreateNode(row, after,
                                    {.state = state,
                                     .data = std::uintptr_t(child),
                                     .data2 = std::uintptr_t(recursive ? kRowRecursive : 0)});
        if (!after)
            return;
    }
}

bool CTagGrid::OnExpanding(CTreeBox*, CTreeBoxNode* node, bool expand)
{
    if (expand) {
        if (node->m_data2 & kRowRecursive)
            return false;
        if (!node->m_firstChild)
            AddChildRows(node);
        node->m_data2 |= kRowExpanded;
    } else {
        node->m_data2 &= ~kRowExpanded;
    }
    if (node->m_level == 0)
        m_openRows.insert(node);
    return true;
}

void CTagGrid::OnItemFreed(CTreeBox*, CTreeBoxNode* node)
{
    if (node == m_editorRow)
        m_editorRow = nullptr;
    if (node == m_restoreRow)
        m_restoreRow = nullptr;
    if (node == m_linkModeRow)
        m_linkModeRow = nullptr;
    if (node->m_level == 0) {
        // A map still to be made from the rows is made without this one.
        if (!m_rowsToMap)
            m_rows.Erase(NodeOf(node), node);
        m_openRows.erase(node);
    }
}

void CTagGrid::OnAllItemsFreed(CTreeBox*)
{
    m_editorRow = m_restoreRow = m_linkModeRow = nullptr;
    ClearRowMap();
    m_openRows.clear();
}

void CTagGrid::OnNodeExpand(CTreeBoxNode* row)
{
    if (!row)
        return;
    const CWaitCursor wait;
    GetBox().ExpandItem(row, row->m_state != CTreeBoxNode::kExpanded, 1);
}

bool CTagGrid::OnDoubleClick(CTreeBox*, CTreeBoxNode* node, int part)
{
    if (m_owner && !m_owner->OnGridDoubleClick(this, node, part))
        return false;
    // Anywhere on a row, an open row closes and a closed one opens; the box's own toggle, which
    // knows no grid columns, is not wanted on top.
    if (node && node->m_state != CTreeBoxNode::kLeaf)
        OnNodeExpand(node);
    return false;
}

void CTagGrid::OnSelChanged(CTreeBox*)
{
    if (m_selecting)
        return;
    if (m_linkModeRow) {
        m_linkModeRow->m_data2 &= ~kRowLinkMode;
        GetBox().InvalidateItemIfVisible(m_linkModeRow);
        m_linkModeRow = nullptr;
    }
    UpdateMoveButtons();
    if (m_owner)
        m_owner->OnGridSelChanged(this);
}

void CTagGrid::OnSetFocus(CTreeBox*)
{
    if (m_owner)
        m_owner->OnGridFocus(this);
}

// ---- Refill -----------------------------------------------------------------------------------

void CTagGrid::Refill(CView*, long hint, CObject*)
{
    m_findStart.reset();
    m_findKeys = {};
    // What the grid holds on to must not outlive a deleted node.
    if (hint == kHintDataSetClearing || (m_menuTarget && m_menuTarget->IsPendingDeletion())) {
        m_menuTarget = nullptr;
        m_menuKind = kMenuNone;
    }
    if (hint == kHintDataSetClearing || (m_pendingNode && m_pendingNode->IsPendingDeletion())) {
        m_pendingNode = nullptr;
        m_pendingKind = kPendingNone;
    }
    if (m_editor && (hint == kHintDataSetClearing || !m_editor->GetNode() ||
                     m_editor->GetNode()->IsPendingDeletion()))
        CloseEditor(false);
    if (m_mode == kModeNone || (!m_shown && m_mode != kModeFreeList))
        return;
    switch (hint) {
    case kHintDataSetClearing:
        ResetList();
        return;
    case kHintFileLoaded:
        if (m_mode != kModeRecordSet)
            return;
        ResetList();
        if (!m_sortAfterReload || !AddAllRecordRowsByName()) {
            AddAllRecordRows();
            if (m_sortAfterReload)
                OnSortAlphabetical();
        }
        if (CTreeBoxNode* first = GetBox().GetFirstItem())
            GetBox().SetFocusItem(first, false);
        return;
    case kHintPrinterChanged:
    case kHintDiagramTextApplied:
    case kHintTextSchemesReplaced:
        return;
    case kHintDisplayOptionsApplied: // or kHintViewsRedrawn, the same number
        GetBox().Invalidate();
        return;
    default:
        break;
    }
    try {
        if (m_mode == kModeRecordSet)
            UpdateRecordSetRows();
        else if (m_mode == kModeRecord) {
            if (m_shown->IsPendingDeletion()) {
                ClearRecordSet();
                m_mode = kModeRecord;
            } else if (CTreeBoxNode* row = GetBox().GetFirstItem()) {
                SyncChildRows(row, 0);
            }
        } else {
            UpdateFreeListRows();
        }
    } catch (const std::bad_alloc&) {
        RemoveDeletedRows();
        GetBox().Invalidate();
        MessageBox("Running low on memory", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    GetBox().Invalidate();
    UpdateMoveButtons();
    if (!m_editor)
        ActOnPendingSelection();
}

void CTagGrid::RemoveDeletedRows()
{
    // Many rows go with one numbering of the rows at the end, a few one by one. Nothing is
    // allocated here: this is also what runs when memory ran short.
    std::size_t count = 0;
    for (CRecordNode* record = GetChangedRecords(); record; record = record->GetNextChanged())
        if (record->IsPendingDeletion() && FindRowByRecord(record))
            ++count;
    const bool bulk = count > kBulkRows;
    if (bulk)
        GetBox().BeginBulkChange();
    for (CRecordNode* record = GetChangedRecords(); record; record = record->GetNextChanged())
        if (record->IsPendingDeletion())
            if (CTreeBoxNode* row = FindRowByRecord(record))
                GetBox().DeleteItem(row);
    if (bulk)
        GetBox().EndBulkChange();
}

void CTagGrid::UpdateRecordSetRows()
{
    RemoveDeletedRows();
    for (CTreeBoxNode* row : std::vector<CTreeBoxNode*>(m_openRows.begin(), m_openRows.end()))
        SyncChildRows(row, 0);
    std::vector<CRecordNode*> added;
    for (CRecordNode* record = GetChangedRecords(); record; record = record->GetNextChanged()) {
        if (record->IsPendingDeletion() || record->GetParent() != m_shown)
            continue;
        if (CTreeBoxNode* row = FindRowByRecord(record)) {
            if (!row->m_firstChild)
                row->m_state =
                    HasShownChildren(record) ? CTreeBoxNode::kCollapsed : CTreeBoxNode::kLeaf;
            continue;
        }
        if (record->HasFlag(DNF_NEW))
            added.push_back(record);
    }
    // A few new rows are linked in one by one; many at once in one pass over the rows.
    const bool bulk = added.size() > kBulkRows;
    // In a sorted list a new record takes its sorted place, elsewhere its place in the file.
    if (added.empty() || !AddRowsInSortedPlace(added, bulk))
        for (CRecordNode* record : added)
            AddRowBeforeNextInFile(record, bulk);
    if (bulk)
        GetBox().RedrawAll();
}

void CTagGrid::AddRowBeforeNextInFile(CDataNode* record, bool bulk)
{
    CTreeBoxNode* next = nullptr;
    for (CDataNode* n = record->GetNextSibling(); n && !next; n = n->GetNextSibling())
        next = FindRowByRecord(n);
    AddRowBefore(record, next, bulk);
}

void CTagGrid::AddRowBefore(CDataNode* record, CTreeBoxNode* next, bool bulk)
{
    CTreeBoxNode* after =
        next ? GetBox().GetRelative(next, CTreeBox::kPreviousSibling) : GetBox().GetLastItem();
    if (!next || after) {
        AddTopRow(record, after, bulk);
        return;
    }
    const TreeBoxItem item{.state = HasShownChildren(record) ? CTreeBoxNode::kCollapsed
                                                             : CTreeBoxNode::kLeaf,
                           .data = std::uintptr_t(record),
                           .noRedraw = bulk};
    if (CTreeBoxNode* row = GetBox().InsertItem(nullptr, CTreeBox::kInsertFirst, item))
        Rows().Set(record, row);
}

void CTagGrid::UpdateFreeListRows()
{
    RemoveDeletedRows();
    for (CTreeBoxNode* row = GetBox().GetFirstItem(); row;) {
        CTreeBoxNode* next = row->m_nextSibling;
        if (NodeOf(row) && NodeOf(row)->IsPendingDeletion())
            GetBox().DeleteItem(row);
        else if (row->m_firstChild)
            SyncChildRows(row, 0);
        row = next;
    }
}

void CTagGrid::SyncChildRows(CTreeBoxNode* row, int depth)
{
    if (!row || depth > kMaxDepth)
        return;
    CDataNode* node = NodeOf(row);
    if (!node || node->IsPendingDeletion())
        return;
    const bool expanded = row->m_state == CTreeBoxNode::kExpanded;
    if (!expanded) {
        // A closed row keeps no rows under it; it opens afresh.
        if (row->m_firstChild)
            GetBox().DeleteItem(row, true, true);
        row->m_state = !(row->m_data2 & kRowRecursive) && HasShownChildren(node)
                           ? CTreeBoxNode::kCollapsed
                           : CTreeBoxNode::kLeaf;
        if (row->m_level == 0)
            m_openRows.erase(row);
        return;
    }
    const auto shown = ShownChildren(row);
    bool same = true;
    CTreeBoxNode* child = row->m_firstChild;
    for (const auto& entry : shown) {
        if (!child || NodeOf(child) != entry.first) {
            same = false;
            break;
        }
        child = child->m_nextSibling;
    }
    same = same && !child;
    if (!same) {
        std::unordered_set<const CDataNode*> open;
        for (CTreeBoxNode* c = row->m_firstChild; c; c = c->m_nextSibling)
            if (c->m_state == CTreeBoxNode::kExpanded)
                open.insert(NodeOf(c));
        if (row->m_firstChild)
            GetBox().DeleteItem(row, true, true);
        AddChildRows(row);
        if (!row->m_firstChild) {
            row->m_state = CTreeBoxNode::kLeaf;
            row->m_data2 &= ~kRowExpanded;
            return;
        }
        row->m_state = CTreeBoxNode::kCollapsed;
        GetBox().ExpandItem(row, true, 1);
        for (CTreeBoxNode* c = row->m_firstChild; c; c = c->m_nextSibling)
            if (open.count(NodeOf(c)))
                GetBox().ExpandItem(c, true, 1);
    }
    for (CTreeBoxNode* c = row->m_firstChild; c; c = c->m_nextSibling)
        if (c->m_state == CTreeBoxNode::kExpanded || c->m_firstChild)
            SyncChildRows(c, depth + 1);
}

// ---- Texts and colours ------------------------------------------------------------------------

std::string CTagGrid::GetRelationLabel(const CTreeBoxNode* row) const
{
    const CDataNode* node = NodeOf(row);
    if (!node)
        return {};
    const CFieldDef* def = node->GetFieldDef();
    if (def && def->HasFlag(FDF_ATTRIBUTE) && def->HasFlag(FDF_TYPED)) {
        std::string label;
        node->GetLabel(label);
        return label;
    }
    const int id = node->GetFieldId();
    if (id == FIELD_FAMC && !node->IsRecord())
        return "Parents family";
    if (id == FIELD_FAMS && !node->IsRecord())
        return "Spouse family";
    if (row->m_parent && NodeOf(row->m_parent) &&
        NodeOf(row->m_parent)->GetFieldId() == FIELD_FAMC && !node->IsRecord()) {
        if (id == FIELD_HUSB)
            return "Father";
        if (id == FIELD_WIFE)
            return "Mother";
        if (id == FIELD_CHIL)
            return "Sibling";
    }
    if (node->IsRecord() && row->m_level == 0 && ListIndexOf(node) == 0 &&
        RecWndOptions().m_surnamesFirst) {
        std::string name = SurnameFirst(node);
        if (!name.empty())
            return name;
    }
    if (node->IsRecord() || node->GetFirstChild() || node->GetLinkTarget())
        return node->IsRecord() || !def ? TextOf(node) : def->GetLabel();
    return def ? def->GetLabel() : TextOf(node);
}

std::string CTagGrid::GetValueText(const CTreeBoxNode* row) const
{
    const CDataNode* node = NodeOf(row);
    if (!node || node->IsRecord())
        return {};
    const int id = node->GetFieldId();
    const bool isLink = node->GetFieldDef() && node->GetFieldDef()->GetLinkTarget();
    CRecordNode* target = node->GetLinkTarget();
    if (isLink && !target)
        return m_editable ? kEditablePrompt : kReadOnlyPrompt;
    if (id == FIELD_CHIL && target) {
        std::string text = TextOf(target);
        if (RecWndOptions().m_showPedigree)
            text += PedigreeSuffix(target, node->GetRecord());
        return text;
    }
    if (id == FIELD_FAMS && target) {
        const auto* family = dynamic_cast<const CFamRec*>(target);
        const CRecordNode* self = node->GetRecord();
        if (!family)
            return TextOf(target);
        if (family->GetHusband() == self) {
            const CIndRec* wife = family->GetWife();
            return wife ? "...with " + TextOf(wife) : "<no wife>";
        }
        if (family->GetWife() == self) {
            const CIndRec* husband = family->GetHusband();
            return husband ? "...with " + TextOf(husband) : "<no husband>";
        }
        return "<no spouse>";
    }
    if (target)
        return TextOf(target);
    return TextOf(node);
}

std::string CTagGrid::GetExtraText(const CTreeBoxNode* row, int k) const
{
    const CDataNode* node = NodeOf(row);
    if (!node || !node->IsRecord() || row->m_level != 0 || k < 0 || k >= int(m_extra.size()))
        return {};
    std::string text;
    m_extra[std::size_t(k)].reference.Evaluate(
        text, const_cast<CRecordNode*>(static_cast<const CRecordNode*>(node)));
    if (text.size() > kMaxExtraText)
        text.resize(kMaxExtraText);
    return text;
}

void CTagGrid::GetRowColours(const CTreeBoxNode* row, COLORREF& label, COLORREF& value) const
{
    const CDataNode* node = NodeOf(row);
    GetGridColours(node, RecWndOptions(), label, value);
    if (row && (row->m_data2 & kRowRecursive))
        label = value = RecWndOptions().GetColour(kColourRecursive);
    if (node && !node->IsRecord() && node->GetFieldDef() && node->GetFieldDef()->GetLinkTarget() &&
        !node->GetLinkTarget())
        value = RecWndOptions().GetColour(kColourMessagePrompt);
}

// ---- Painting ---------------------------------------------------------------------------------

void CTagGrid::DrawCell(CDC& dc, const CRect& cell, const std::string& text, COLORREF colour)
{
    if (cell.right <= cell.left || text.empty())
        return;
    CRect rect = cell;
    rect.left += 2;
    dc.SetTextColor(colour);
    dc.DrawText(text, &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

bool CTagGrid::DrawGridRow(CTreeBox* box, TreeBoxRowPaint& paint)
{
    CDC& dc = *paint.dc;
    CTreeBoxNode* row = paint.node;
    const CColumnHeader& header = GetHeader();
    const int indent = box->GetMetrics()[TBM_LEVEL_INDENT];
    const int ox = paint.originX;
    const CRect& r = paint.rect;
    const bool selected = row->m_selected != 0;
    dc.FillSolidRect(
        &r, paint.colours[selected ? (paint.hasFocus ? TBC_SELECTION : TBC_SELECTION_NO_FOCUS)
                                   : TBC_BACKGROUND]);
    COLORREF label = 0, value = 0;
    GetRowColours(row, label, value);
    if (selected)
        label = value =
            paint.colours[paint.hasFocus ? TBC_SELECTED_TEXT : TBC_SELECTED_TEXT_NO_FOCUS];
    // The expander, a small box with a minus or plus sign, where the box looks for its click.
    const int centre = ox + row->m_level * indent + box->GetMetrics()[TBM_LEFT_MARGIN];
    const int x0 = centre - 4;
    const int mid = (r.top + r.bottom) / 2;
    if (row->m_state != CTreeBoxNode::kLeaf) {
        const CRect button(x0, mid - 4, x0 + 9, mid + 5);
        dc.FillSolidRect(&button, paint.colours[TBC_LINES]);
        const CRect inner(button.left + 1, button.top + 1, button.right - 1, button.bottom - 1);
        dc.FillSolidRect(&inner, paint.colours[TBC_BACKGROUND]);
        dc.FillSolidRect(button.left + 2, mid, 5, 1, paint.colours[TBC_SIGNS]);
        if (row->m_state != CTreeBoxNode::kExpanded)
            dc.FillSolidRect(button.left + 4, mid - 2, 1, 5, paint.colours[TBC_SIGNS]);
    }
    const int count = header.GetColumnCount();
    int left = std::max(x0 + 12, ox + (row->m_level + 1) * indent);
    for (int column = 0; column < count; ++column) {
        const int right = ox + header.GetColumnRight(column);
        const CRect cell(left, r.top, right, r.bottom);
        if (column == 0)
            DrawCell(dc, cell, GetRelationLabel(row), label);
        else if (column == 1)
            DrawCell(dc, cell, GetValueText(row), value);
        else
            DrawCell(dc, cell, GetExtraText(row, column - 2), label);
        left = right;
    }
    paint.widest = std::max(paint.widest, header.GetColumnRight(count - 1));
    return true;
}

// ---- The find bar -----------------------------------------------------------------------------

void CTagGrid::SelectFound(CTreeBoxNode* row)
{
    if (!row->m_selected || GetBox().GetFocusItem() != row) {
        GetBox().ClearSelection(nullptr, false);
        SelectRow(row, false, true);
    }
}

CTreeBoxNode* CTagGrid::SelectMatch(const std::function<bool(const CDataNode*)>& matches,
                                    CTreeBoxNode* from)
{
    // The records of the rows eight ahead are asked for while this row's is compared.
    CTreeBoxNode* ahead = from;
    for (int i = 0; ahead && i < 8; ++i)
        ahead = ahead->m_nextSibling;
    for (CTreeBoxNode* row = from; row; row = row->m_nextSibling) {
        if (ahead) {
            PrefetchNode(NodeOf(ahead));
            ahead = ahead->m_nextSibling;
        }
        if (!matches(NodeOf(row)))
            continue;
        SelectFound(row);
        return row;
    }
    return nullptr;
}

namespace {

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    return !prefix.empty() && text.size() >= prefix.size() &&
           text::CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

/// The text a find by name compares: an individual's surname-first name, a family's husband's
/// (or with wife, its wife's), any other record's text.
std::string FindText(const CDataNode* node, bool wife)
{
    if (!node)
        return {};
    switch (ListIndexOf(node)) {
    case 0:
        return SurnameFirst(node);
    case 1: {
        const auto* family = dynamic_cast<const CFamRec*>(node);
        const CIndRec* spouse =
            family ? (wife ? family->GetWife() : family->GetHusband()) : nullptr;
        return spouse ? SurnameFirst(spouse) : std::string();
    }
    default:
        return wife ? std::string() : TextOf(node);
    }
}

std::function<bool(const CDataNode*)> RecordNumbered(long number)
{
    return [number](const CDataNode* n) {
        return n && n->IsRecord() &&
               static_cast<const CRecordNode*>(n)->GetRecordNumber() == number;
    };
}

} // namespace

namespace {

/// How many rows' find keys a tick of the read-ahead timer reads, and its id and period.
constexpr std::size_t kKeysPerTick = 20000;
constexpr UINT_PTR kFindKeysTimer = 0x4B59;
constexpr UINT kFindKeysPeriodMs = 10;

} // namespace

CTagGrid::FindKeys& CTagGrid::FindKeysFor(int editId)
{
    const std::uint64_t stamp = GetBox().GetOrderStamp();
    if (m_findKeys.editId != editId || m_findKeys.stamp != stamp)
        m_findKeys = FindKeys{editId, stamp, {}, false};
    return m_findKeys;
}

std::size_t CTagGrid::GetFindKeyCount(int editId)
{
    const bool current =
        m_findKeys.editId == editId && m_findKeys.stamp == GetBox().GetOrderStamp();
    return current ? m_findKeys.keys.size() : 0;
}

CTreeBoxNode* CTagGrid::ReadFindKeys(FindKeys& keys, std::size_t count)
{
    if (keys.complete)
        return nullptr;
    CTreeBoxNode* row =
        keys.keys.empty() ? GetBox().GetFirstItem() : keys.keys.back().row->m_nextSibling;
    // The records of the rows eight ahead are asked for while this row's is read.
    CTreeBoxNode* ahead = row;
    for (int i = 0; ahead && i < 8; ++i)
        ahead = ahead->m_nextSibling;
    const bool wife = keys.editId == kFindText2Id;
    CTreeBoxNode* last = nullptr;
    for (; row && count > 0; row = row->m_nextSibling, --count) {
        if (ahead) {
            PrefetchNode(NodeOf(ahead));
            ahead = ahead->m_nextSibling;
        }
        const std::string text = FindText(NodeOf(row), wife);
        FindKey key;
        key.row = row;
        key.size = std::uint8_t(std::min(text.size(), key.bytes.size()));
        std::copy_n(text.begin(), key.size, key.bytes.begin());
        keys.keys.push_back(key);
        last = row;
    }
    if (!row)
        keys.complete = true;
    return last;
}

CTreeBoxNode* CTagGrid::FindByKeys(const std::string& text, int editId)
{
    FindKeys& keys = FindKeysFor(editId);
    const auto matches = [&text](const FindKey& key) {
        return StartsWithNoCase(std::string(key.bytes.data(), key.size), text);
    };
    for (const FindKey& key : keys.keys)
        if (matches(key))
            return key.row;
    // Read on from the last key, a row at a time, until a row matches.
    while (ReadFindKeys(keys, 1))
        if (matches(keys.keys.back()))
            return keys.keys.back().row;
    return nullptr;
}

void CTagGrid::OnFindEditFocus(int editId)
{
    if (editId == kFindIdId || FindKeysFor(editId).complete)
        return;
    SetTimer(kFindKeysTimer, kFindKeysPeriodMs);
}

void CTagGrid::OnTimer(UINT_PTR id)
{
    if (id != kFindKeysTimer) {
        CTreeGrid::OnTimer(id);
        return;
    }
    // The keys are read for the edit last in use; a change since starts them again.
    FindKeys& keys = FindKeysFor(m_findKeys.editId ? m_findKeys.editId : int(kFindTextId));
    ReadFindKeys(keys, kKeysPerTick);
    if (keys.complete)
        KillTimer(kFindKeysTimer);
}

void CTagGrid::FindFromTop(const std::string& text, int editId)
{
    CTreeBox& box = GetBox();
    CTreeBoxNode* from = box.GetFirstItem();
    if (const FindStart* last = m_findStart ? &*m_findStart : nullptr;
        last && last->editId == editId && last->stamp == box.GetOrderStamp() &&
        !last->text.empty() && text.size() > last->text.size() && text.starts_with(last->text)) {
        if (!last->row)
            return;
        from = last->row;
    }
    const bool wife = editId == kFindText2Id;
    CTreeBoxNode* found = nullptr;
    if (text.empty()) {
        // An empty text starts no find text: nothing to walk for.
    } else if (from == box.GetFirstItem() && text.size() <= sizeof(FindKey::bytes)) {
        found = FindByKeys(text, editId);
        if (found)
            SelectFound(found);
    } else {
        found = SelectMatch(
            [&](const CDataNode* n) { return StartsWithNoCase(FindText(n, wife), text); }, from);
    }
    m_findStart = FindStart{editId, text, found, box.GetOrderStamp()};
}

void CTagGrid::OnFindTextChanged(const std::string& text)
{
    FindFromTop(text, kFindTextId);
}

void CTagGrid::OnFindText2Changed(const std::string& text)
{
    FindFromTop(text, kFindText2Id);
}

void CTagGrid::OnFindIdChanged(const std::string& text)
{
    std::size_t used = 0;
    const long number = text::ParseLeadingInt(text, &used);
    if (used == 0 || used != text.size() || number < 1)
        return;
    SelectMatch(RecordNumbered(number), GetBox().GetFirstItem());
}

void CTagGrid::OnFindNext(const std::string& text, int editId)
{
    CTreeBoxNode* focus = GetBox().GetFocusItem();
    while (focus && focus->m_parent)
        focus = focus->m_parent;
    CTreeBoxNode* from = focus ? focus->m_nextSibling : GetBox().GetFirstItem();
    if (editId == kFindIdId) {
        std::size_t used = 0;
        const long number = text::ParseLeadingInt(text, &used);
        if (used == 0 || number < 1)
            return;
        SelectMatch(RecordNumbered(number), from);
        return;
    }
    const bool wife = editId == kFindText2Id;
    SelectMatch([&](const CDataNode* n) { return StartsWithNoCase(FindText(n, wife), text); },
                from);
}
