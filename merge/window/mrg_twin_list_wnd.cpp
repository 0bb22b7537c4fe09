// merge/window/mrg_twin_list_wnd.cpp: the twin list's three panes: their lines, expansion,
// selection, scrolling and sorting, kept in step.
#include "merge/window/mrg_twin_list_wnd.h"

#include "merge/window/merge_window_ids.h"

#include "database/dictionary/field_def.h"
#include "database/nodes/data_node.h"
#include "database/records/record_node.h"
#include "platform/base/ole_date_time.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/windows/message.h"

#include <algorithm>
#include <cstdlib>

namespace {

/// The fields from below node's record down to node itself, node first; empty for a record.
std::vector<const CDataNode*> FieldPath(const CDataNode* node)
{
    std::vector<const CDataNode*> path;
    for (const CDataNode* at = node; at && !at->IsRecord(); at = at->GetParent())
        path.push_back(at);
    return path;
}

constexpr DWORD kClientEdge = 0x00000200, kControlParent = 0x00010000;
constexpr const char* kColumns = "Action\tMatch\tScore\tL+\tL-\tR+\tR-\tChk\t";
/// The columns' right edges in quarters of an average character.
constexpr int kColumnEdges[kMergeColumnCount] = {56, 100, 128, 148, 168, 188, 208, 230};

bool Shown(const CDataNode* node)
{
    return node && node->GetFieldDef() && !node->GetFieldDef()->IsHidden() &&
           !node->IsPendingDeletion();
}

bool Opens(const CDataNode* node)
{
    if (!node)
        return false;
    for (const CDataNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
        if (Shown(child))
            return true;
    return false;
}

/// The number of a record's identifier ("I12" is 12); 0 for none.
long RecordNumber(const CRecordNode* record)
{
    const std::string id = record->GetIdText();
    const auto digit = id.find_first_of("0123456789");
    return digit == std::string::npos ? 0 : std::strtol(id.c_str() + digit, nullptr, 10);
}

/// Rows whose side has no record sort after those with one; among those, other decides.
int CompareRecords(const CRecordNode* a, const CRecordNode* b, int grid)
{
    if (!a || !b)
        return a ? -1 : (b ? 1 : 0);
    switch (grid) {
    case 1: {
        const long x = RecordNumber(a), y = RecordNumber(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case 2: {
        const auto order = a->GetChangeStamp() <=> b->GetChangeStamp();
        return order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    default:
        return a->Compare(b, 0);
    }
}

} // namespace

CMrgTwinListWnd::CMrgTwinListWnd(CMergeEngine& engine, int type)
    : m_engine(engine), m_type(type), m_centre(*this, true), m_right(*this, false)
{
}

CMrgTwinListWnd::~CMrgTwinListWnd()
{
    // The panes' last notices find no listener and no lines to read.
    m_onSelection = nullptr;
    m_selecting = m_syncing = true;
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CMrgTwinListWnd::Create(const RECT& rect, CWnd* parent, UINT id)
{
    if (!CreateEx(kClientEdge | kControlParent, nullptr, "MrgTwinListWnd",
                  WS_CHILD | WS_CLIPCHILDREN, rect, parent, id))
        return FALSE;
    if (!m_splitter.Create(this, CUSplitterWnd::kSideBySide, true, nullptr))
        return FALSE;
    if (!m_list.Create(TBF_MULTI_SELECT | TBF_OWNER_TEXT | TBF_FULL_ROW_SELECT, 0,
                       WS_CHILD | WS_VISIBLE, CRect(), &m_splitter, merge_ids::kLeftList, this, 0,
                       0) ||
        !m_list.SetColumns(kColumns, 1, kMergeColumnCount, kColumnEdges))
        return FALSE;
    if (!m_centre.Create(CRect(), &m_splitter, merge_ids::kCentreGrid) ||
        !m_right.Create(CRect(), &m_splitter, merge_ids::kRightGrid))
        return FALSE;
    for (CWnd* pane :
         {static_cast<CWnd*>(&m_list), static_cast<CWnd*>(&m_centre), static_cast<CWnd*>(&m_right)})
        m_splitter.AddPane(pane, 33);
    m_splitter.InitPaneSizes();
    return TRUE;
}

void CMrgTwinListWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_splitter.GetSafeHwnd())
        m_splitter.MoveWindow(0, 0, cx, cy);
    MatchRowHeights();
}

// ---- Lines ------------------------------------------------------------------------------------

void CMrgTwinListWnd::AddGridRows(Line& line, CTreeBoxNode* parentCentre, CTreeBoxNode* afterCentre,
                                  CTreeBoxNode* parentRight, CTreeBoxNode* afterRight, bool bulk)
{
    const int state = Opens(line.current) || Opens(line.incoming) ? CTreeBoxNode::kCollapsed
                                                                  : CTreeBoxNode::kLeaf;
    line.centre = m_centre.GetBox().CreateNode(
        parentCentre, afterCentre,
        {.state = state, .data = std::uintptr_t(line.current), .noRedraw = bulk});
    line.right = m_right.GetBox().CreateNode(
        parentRight, afterRight,
        {.state = state, .data = std::uintptr_t(line.incoming), .noRedraw = bulk});
    m_lineOf[line.centre] = &line;
    m_lineOf[line.right] = &line;
}

bool CMrgTwinListWnd::ShowsRowsAsTheyAre() const
{
    const auto& rows = m_engine.Rows(m_type);
    if (rows.size() != m_lines.size())
        return false;
    auto line = m_lines.begin();
    for (const auto& row : rows) {
        const Line& shown = **line++;
        if (shown.row != row.get() || shown.current != row->current ||
            shown.incoming != row->incoming)
            return false;
    }
    return true;
}

void CMrgTwinListWnd::MatchRowHeights()
{
    // The list's rows as high as the grids', so that the lines face each other.
    const int height = m_centre.GetBox().GetMetrics()[TBM_ROW_HEIGHT];
    if (height > 0 && m_list.GetBox().GetMetrics()[TBM_ROW_HEIGHT] != height)
        m_list.AddItem(height);
}

void CMrgTwinListWnd::Fill()
{
    MatchRowHeights();
    if (!m_lines.empty() && ShowsRowsAsTheyAre()) {
        // The same rows in the same order: only what is open is made again.
        for (auto& line : m_lines)
            if (line->built)
                RemakeLine(*line);
        RepaintPanes();
        return;
    }
    if (!m_lines.empty() && m_lines.size() >= m_engine.Rows(m_type).size() / 2) {
        Update();
        return;
    }
    m_lineOf.clear();
    for (CTreeBox* box : {&m_list.GetBox(), &m_centre.GetBox(), &m_right.GetBox()}) {
        box->DeleteAllItems();
        box->BeginBulkChange();
    }
    m_lines.clear();
    const auto& rows = m_engine.Rows(m_type);
    m_lines.reserve(rows.size());
    m_lineOf.reserve(rows.size() * 2);
    CTreeBoxNode *left = nullptr, *centre = nullptr, *right = nullptr;
    for (const auto& row : rows) {
        m_lines.push_back(NewRecordLine(*row, left, centre, right));
        left = m_lines.back()->left;
        centre = m_lines.back()->centre;
        right = m_lines.back()->right;
    }
    for (CTreeBox* box : {&m_list.GetBox(), &m_centre.GetBox(), &m_right.GetBox()}) {
        box->EndBulkChange();
        box->RedrawAll();
    }
}

std::unique_ptr<CMrgTwinListWnd::Line> CMrgTwinListWnd::NewRecordLine(MergeRow& row,
                                                                      CTreeBoxNode* left,
                                                                      CTreeBoxNode* centre,
                                                                      CTreeBoxNode* right)
{
    auto line = std::make_unique<Line>();
    line->row = &row;
    line->current = row.current;
    line->incoming = row.incoming;
    AddGridRows(*line, nullptr, centre, nullptr, right, true);
    line->left = m_list.GetBox().CreateNode(nullptr, left,
                                            {.data = std::uintptr_t(line.get()), .noRedraw = true});
    return line;
}

void CMrgTwinListWnd::Update()
{
    // Lines whose row stands as it was are kept; the others go, and new rows get new lines.
    // The left list is flat: every line is closed while the rows are put in order, and what
    // was open (a record of either side, a field) opens again.
    std::unordered_set<const CDataNode*> open;
    for (auto& line : m_lines) {
        CollectOpen(*line, open);
        if (line->built)
            ToggleLine(*line, false);
    }
    std::unordered_map<const MergeRow*, std::unique_ptr<Line>> kept;
    kept.reserve(m_lines.size());
    for (auto& line : m_lines)
        kept.emplace(line->row, std::move(line));
    std::vector<std::unique_ptr<Line>> lines;
    lines.reserve(m_engine.Rows(m_type).size());
    for (CTreeBox* box : {&m_list.GetBox(), &m_centre.GetBox(), &m_right.GetBox()})
        box->BeginBulkChange();
    for (const auto& row : m_engine.Rows(m_type)) {
        const auto found = kept.find(row.get());
        if (found != kept.end() && found->second->current == row->current &&
            found->second->incoming == row->incoming) {
            if (found->second->built)
                RemakeLine(*found->second);
            lines.push_back(std::move(found->second));
            kept.erase(found);
            continue;
        }
        lines.push_back(NewRecordLine(*row, m_list.GetBox().GetLastItem(),
                                      m_centre.GetBox().GetLastItem(),
                                      m_right.GetBox().GetLastItem()));
    }
    for (auto& [row, line] : kept) {
        DropChildren(*line);
        m_lineOf.erase(line->centre);
        m_lineOf.erase(line->right);
        m_list.GetBox().DeleteItem(line->left, false);
        m_centre.GetBox().DeleteItem(line->centre, false);
        m_right.GetBox().DeleteItem(line->right, false);
    }
    for (CTreeBox* box : {&m_list.GetBox(), &m_centre.GetBox(), &m_right.GetBox()})
        box->EndBulkChange();
    m_lines = std::move(lines);
    OrderPanesAsLines();
    if (!open.empty()) {
        for (auto& line : m_lines)
            Reopen(*line, open);
        RepaintPanes();
    }
}

void CMrgTwinListWnd::OrderPanesAsLines()
{
    std::vector<CTreeBoxNode*> left, centre, right;
    for (const auto& line : m_lines) {
        left.push_back(line->left);
        centre.push_back(line->centre);
        right.push_back(line->right);
    }
    m_list.GetBox().SetTopLevelOrder(left);
    m_centre.GetBox().SetTopLevelOrder(centre);
    m_right.GetBox().SetTopLevelOrder(right);
    RepaintPanes();
}

void CMrgTwinListWnd::BuildChildren(Line& line)
{
    line.built = true;
    std::vector<std::pair<CDataNode*, CDataNode*>> pairs;
    if (line.current) {
        for (CDataNode* child = line.current->GetFirstChild(); child;
             child = child->GetNextSibling()) {
            if (!Shown(child))
                continue;
            CDataNode* counterpart = line.incoming && child->HasFlag(DNF_PAIRED)
                                         ? m_engine.GetCounterpart(child, true)
                                         : nullptr;
            if (counterpart && counterpart->GetParent() != line.incoming)
                counterpart = nullptr;
            pairs.emplace_back(child, counterpart);
        }
    }
    if (line.incoming) {
        for (CDataNode* child = line.incoming->GetFirstChild(); child;
             child = child->GetNextSibling()) {
            if (!Shown(child))
                continue;
            if (std::any_of(pairs.begin(), pairs.end(),
                            [child](const auto& pair) { return pair.second == child; }))
                continue;
            // An unpaired new field goes after the last line of its definition, else last.
            auto place = pairs.end();
            for (auto it = pairs.begin(); it != pairs.end(); ++it) {
                const CDataNode* shown = it->first ? it->first : it->second;
                if (shown->GetFieldDef() == child->GetFieldDef())
                    place = it + 1;
            }
            pairs.insert(place, {nullptr, child});
        }
    }
    CTreeBoxNode *centre = nullptr, *right = nullptr;
    for (const auto& [current, incoming] : pairs) {
        auto child = std::make_unique<Line>();
        child->row = line.row;
        child->current = current;
        child->incoming = incoming;
        child->parent = &line;
        AddGridRows(*child, line.centre, centre, line.right, right, false);
        centre = child->centre;
        right = child->right;
        line.children.push_back(std::move(child));
    }
}

void CMrgTwinListWnd::DropChildren(Line& line)
{
    for (auto& child : line.children) {
        DropChildren(*child);
        m_lineOf.erase(child->centre);
        m_lineOf.erase(child->right);
    }
    line.children.clear();
    line.built = false;
}

CTreeBoxNode* CMrgTwinListWnd::AddLeftItemsBelow(Line& line, CTreeBoxNode* after)
{
    for (auto& child : line.children) {
        child->left =
            m_list.GetBox().CreateNode(nullptr, after, {.data = std::uintptr_t(child.get())});
        after = child->left;
        if (IsOpen(*child))
            after = AddLeftItemsBelow(*child, after);
    }
    return after;
}

void CMrgTwinListWnd::RemoveLeftItemsBelow(Line& line)
{
    for (auto& child : line.children) {
        RemoveLeftItemsBelow(*child);
        if (child->left)
            m_list.GetBox().DeleteItem(child->left, false);
        child->left = nullptr;
    }
}

bool CMrgTwinListWnd::IsOpen(const Line& line)
{
    return line.centre && line.centre->m_state == CTreeBoxNode::kExpanded;
}

CMrgTwinListWnd::Line* CMrgTwinListWnd::LineOf(const CTreeBoxNode* node) const
{
    const auto found = m_lineOf.find(node);
    return found == m_lineOf.end() ? nullptr : found->second;
}

void CMrgTwinListWnd::ToggleLine(Line& line, bool expand)
{
    if (expand == IsOpen(line) || line.centre->m_state == CTreeBoxNode::kLeaf)
        return;
    const CWaitCursor wait;
    m_syncing = true;
    if (expand && !line.built)
        BuildChildren(line);
    if (!expand)
        RemoveLeftItemsBelow(line);
    m_centre.GetBox().ExpandItem(line.centre, expand, 1);
    m_right.GetBox().ExpandItem(line.right, expand, 1);
    if (expand && line.left)
        AddLeftItemsBelow(line, line.left);
    if (!expand)
        ForgetClosedChildren(line);
    m_list.GetBox().RedrawAll();
    m_syncing = false;
}

void CMrgTwinListWnd::ForgetClosedChildren(Line& line)
{
    // The grids free the rows under a row they close: its lines are made again when it opens.
    if (line.centre->m_firstChild && line.right->m_firstChild)
        return;
    m_centre.GetBox().DeleteItem(line.centre, false, true);
    m_right.GetBox().DeleteItem(line.right, false, true);
    DropChildren(line);
}

void CMrgTwinListWnd::OnGridExpanding(CMrgLinkedGrid& grid, CTreeBoxNode* node, bool expand)
{
    Line* line = LineOf(node);
    if (!line)
        return;
    const CWaitCursor wait;
    m_syncing = true;
    if (expand && !line->built)
        BuildChildren(*line);
    if (!expand)
        RemoveLeftItemsBelow(*line);
    CMrgLinkedGrid& twin = &grid == &m_centre ? m_right : m_centre;
    twin.GetBox().ExpandItem(&grid == &m_centre ? line->right : line->centre, expand, 1);
    m_syncing = false;
    if (!expand) {
        // The grid closing its own row frees the rows under it once this returns.
        DropChildren(*line);
        twin.GetBox().DeleteItem(&grid == &m_centre ? line->right : line->centre, false, true);
    }
    // The grid's own row opens after this returns; its children's states are known already.
    if (expand && line->left)
        AddLeftItemsBelow(*line, line->left);
    m_list.GetBox().RedrawAll();
}

void CMrgTwinListWnd::ExpandLine(int index, bool expand)
{
    const std::vector<const Line*> lines = VisibleLines();
    if (index >= 0 && index < int(lines.size()))
        ToggleLine(*const_cast<Line*>(lines[std::size_t(index)]), expand);
}

std::vector<const CMrgTwinListWnd::Line*> CMrgTwinListWnd::VisibleLines() const
{
    std::vector<const Line*> lines;
    CTreeBox& box = const_cast<CColBox&>(m_list).GetBox();
    for (CTreeBoxNode* node = box.GetFirstItem(); node; node = node->m_nextSibling)
        lines.push_back(reinterpret_cast<const Line*>(node->m_data));
    return lines;
}

// ---- Texts ------------------------------------------------------------------------------------

std::string CMrgTwinListWnd::GetCellText(const Line& line, int column) const
{
    return MergeCellText({.row = line.row,
                          .current = line.current,
                          .incoming = line.incoming,
                          .field = line.parent != nullptr},
                         column);
}

std::string CMrgTwinListWnd::GetItemText(CColBox*, CTreeBoxNode* node, std::uintptr_t data,
                                         int column, bool, CDC*, CSize*)
{
    const auto* line = reinterpret_cast<const Line*>(data ? data : node ? node->m_data : 0);
    if (!line)
        return {};
    if (column < 0) {
        std::string text;
        for (int c = 0; c < kMergeColumnCount; ++c)
            text += GetCellText(*line, c) + "\t";
        return text;
    }
    return GetCellText(*line, column);
}

// ---- Selection --------------------------------------------------------------------------------

MergeLine CMrgTwinListWnd::AsMergeLine(const Line& line) const
{
    return {.row = line.row, .current = line.current, .incoming = line.incoming};
}

MergeSelection CMrgTwinListWnd::GetSelection() const
{
    MergeSelection selection;
    CTreeBox& list = const_cast<CColBox&>(m_list).GetBox();
    for (CTreeBoxNode* node = list.GetNextSelected(nullptr); node;
         node = list.GetNextSelected(node))
        if (const auto* line = reinterpret_cast<const Line*>(node->m_data))
            selection.left.push_back(AsMergeLine(*line));
    for (const CMrgLinkedGrid* grid : {&m_centre, &m_right}) {
        CTreeBox& box = const_cast<CMrgLinkedGrid*>(grid)->GetBox();
        CTreeBoxNode* node = box.GetFocusItem();
        if (!node || !node->m_selected)
            node = box.GetNextSelected(nullptr);
        if (!node || !CTagGrid::NodeOf(node))
            continue;
        MergePaneItem& item = grid == &m_centre ? selection.centre : selection.right;
        item.node = CTagGrid::NodeOf(node);
        item.valueColumn = grid->ValueColumnSelected();
    }
    return selection;
}

MergeButtonStates CMrgTwinListWnd::GetButtonStates() const
{
    return MergeButtonsFor(m_engine, m_type, GetSelection());
}

void CMrgTwinListWnd::ClearOtherPanes(CWnd* keep)
{
    if (m_ctrlHeld)
        return; // with Ctrl, selections in several panes stand together
    m_selecting = true;
    if (keep != &m_list)
        m_list.GetBox().ClearSelection(nullptr, false);
    if (keep != &m_centre)
        m_centre.GetBox().ClearSelection(nullptr, false);
    if (keep != &m_right)
        m_right.GetBox().ClearSelection(nullptr, false);
    m_selecting = false;
}

void CMrgTwinListWnd::NotifySelection()
{
    if (m_onSelection)
        m_onSelection();
}

void CMrgTwinListWnd::OnSelChanged(CColBox*)
{
    if (m_selecting)
        return;
    m_selecting = true;
    ClearOtherPanes(&m_list);
    m_selecting = false;
    NotifySelection();
}

void CMrgTwinListWnd::OnGridSelChanged(CTagGrid* grid)
{
    if (m_selecting)
        return;
    m_selecting = true;
    ClearOtherPanes(grid);
    m_selecting = false;
    NotifySelection();
}

bool CMrgTwinListWnd::OnButtonDown(CColBox*, CTreeBoxNode*, UINT flags, int, int, int)
{
    OnPaneButtonDown(flags);
    return true;
}

bool CMrgTwinListWnd::OnDoubleClick(CColBox*, CTreeBoxNode* node, int)
{
    if (auto* line = node ? reinterpret_cast<Line*>(node->m_data) : nullptr)
        ToggleLine(*line, !IsOpen(*line));
    return false;
}

void CMrgTwinListWnd::SelectLeftLine(int index, bool ctrl)
{
    CTreeBox& box = m_list.GetBox();
    CTreeBoxNode* node = box.GetItemByIndex(index);
    if (!node)
        return;
    m_ctrlHeld = ctrl;
    if (ctrl)
        box.SetItemSelected(node, true, false);
    else
        box.SetFocusItem(node, true);
    m_ctrlHeld = false;
}

void CMrgTwinListWnd::SelectGridLine(int index, bool currentSide, bool valueColumn, bool ctrl)
{
    CMrgLinkedGrid& grid = GetGrid(currentSide);
    CTreeBoxNode* node = grid.GetBox().GetFirstItem();
    for (; node && index > 0; --index)
        node = node->m_nextRow;
    if (!node)
        return;
    grid.SetValueColumnSelected(valueColumn);
    m_ctrlHeld = ctrl;
    grid.GetBox().SetFocusItem(node, true);
    m_ctrlHeld = false;
}

CMrgTwinListWnd::Line* CMrgTwinListWnd::FindRecordLine(const CRecordNode* record,
                                                       bool currentSide) const
{
    for (const auto& line : m_lines)
        if ((currentSide ? line->current : line->incoming) == record)
            return line.get();
    return nullptr;
}

bool CMrgTwinListWnd::SelectRecord(const CRecordNode* record, bool currentSide)
{
    Line* line = record ? FindRecordLine(record, currentSide) : nullptr;
    if (!line)
        return false;
    m_selecting = true;
    m_centre.GetBox().ClearSelection(nullptr, false);
    m_right.GetBox().ClearSelection(nullptr, false);
    m_list.GetBox().ClearSelection(nullptr, false);
    m_list.GetBox().SetFocusItem(line->left, true);
    m_list.GetBox().EnsureItemVisible(line->left, 1, false);
    m_selecting = false;
    if (CTreeBoxNode* top = m_list.GetBox().GetTopItem())
        SyncTop(m_list, top->m_row);
    NotifySelection();
    return true;
}

// ---- Scrolling --------------------------------------------------------------------------------

void CMrgTwinListWnd::SyncTop(CWnd& from, int top)
{
    if (m_syncing)
        return;
    m_syncing = true;
    if (&from != &m_list)
        m_list.GetBox().ScrollToRow(top);
    if (&from != &m_centre)
        m_centre.GetBox().ScrollToRow(top);
    if (&from != &m_right)
        m_right.GetBox().ScrollToRow(top);
    m_syncing = false;
}

void CMrgTwinListWnd::OnPaneScrolled(CWnd& pane, int top)
{
    const CWaitCursor wait;
    SyncTop(pane, top);
}

bool CMrgTwinListWnd::ScrollVertically(CColBox*, int pos, int, const CRect&, bool)
{
    OnPaneScrolled(m_list, pos);
    return false;
}

// ---- Sorting ----------------------------------------------------------------------------------

bool CMrgTwinListWnd::OnColumnClick(CColBox*, int column)
{
    Resort(column);
    return false;
}

void CMrgTwinListWnd::OnGridSortColumn(CMrgLinkedGrid& grid, int column)
{
    Resort(-1, std::clamp(column, 0, 2), grid.IsCurrentSide());
}

void CMrgTwinListWnd::Resort(int leftColumn, int grid, bool currentSide)
{
    const CWaitCursor wait;
    for (auto& line : m_lines)
        ToggleLine(*line, false);
    const auto before = [&](const std::unique_ptr<Line>& a, const std::unique_ptr<Line>& b) {
        if (grid >= 0) {
            const auto* x = static_cast<const CRecordNode*>(currentSide ? a->current : a->incoming);
            const auto* y = static_cast<const CRecordNode*>(currentSide ? b->current : b->incoming);
            int order = CompareRecords(x, y, grid);
            if (order == 0 && !x && !y)
                order = CompareRecords(
                    static_cast<const CRecordNode*>(currentSide ? a->incoming : a->current),
                    static_cast<const CRecordNode*>(currentSide ? b->incoming : b->current), grid);
            return order < 0;
        }
        if (leftColumn == kColumnScore)
            return a->row->score > b->row->score;
        const std::string x = GetCellText(*a, leftColumn), y = GetCellText(*b, leftColumn);
        if (leftColumn >= kColumnLPlus)
            return !x.empty() && y.empty(); // flagged rows first
        return x < y;
    };
    std::stable_sort(m_lines.begin(), m_lines.end(), before);
    OrderPanesAsLines();
}

// ---- Refresh ----------------------------------------------------------------------------------

void CMrgTwinListWnd::RememberSelection()
{
    m_keptNode = nullptr;
    m_keptRecord = nullptr;
    const MergeSelection selection = GetSelection();
    if (selection.centre.node || selection.right.node) {
        m_keptCurrentSide = selection.centre.node != nullptr;
        const MergePaneItem& item = m_keptCurrentSide ? selection.centre : selection.right;
        m_keptNode = item.node;
        m_keptInGrid = true;
        m_keptValueColumn = item.valueColumn;
    } else if (!selection.left.empty() && selection.left.front().row) {
        const MergeRow& row = *selection.left.front().row;
        m_keptCurrentSide = row.current != nullptr;
        m_keptNode = row.current ? row.current : row.incoming;
        m_keptInGrid = false;
    }
    if (m_keptNode)
        m_keptRecord = m_keptNode->GetRecord();
    const CTreeBoxNode* top = m_list.GetBox().GetTopItem();
    m_keptTop = top ? top->m_row : 0;
}

void CMrgTwinListWnd::RestoreSelection()
{
    const Line* line =
        m_keptInGrid && m_keptNode ? FindShownLine(m_keptNode, m_keptCurrentSide) : nullptr;
    if (line) {
        m_selecting = true;
        m_list.GetBox().ClearSelection(nullptr, false);
        GetGrid(!m_keptCurrentSide).GetBox().ClearSelection(nullptr, false);
        m_selecting = false;
        CMrgLinkedGrid& grid = GetGrid(m_keptCurrentSide);
        grid.SetValueColumnSelected(m_keptValueColumn);
        grid.GetBox().SetFocusItem(m_keptCurrentSide ? line->centre : line->right, true);
    } else if (m_keptRecord && !SelectRecord(m_keptRecord, m_keptCurrentSide)) {
        // The record may have moved to the other side's row, or its row gone.
        SelectRecord(m_keptRecord, !m_keptCurrentSide);
    }
    m_syncing = false;
    m_list.GetBox().ScrollToRow(m_keptTop);
    SyncTop(m_list, m_keptTop);
}

CMrgTwinListWnd::Line* CMrgTwinListWnd::ChildLine(const Line& line, const CDataNode* node,
                                                  bool currentSide)
{
    for (const auto& child : line.children)
        if ((currentSide ? child->current : child->incoming) == node)
            return child.get();
    return nullptr;
}

CMrgTwinListWnd::Line* CMrgTwinListWnd::FindShownLine(const CDataNode* node, bool currentSide) const
{
    Line* line = node ? FindRecordLine(node->GetRecord(), currentSide) : nullptr;
    const std::vector<const CDataNode*> path = FieldPath(node);
    for (auto at = path.rbegin(); line && at != path.rend(); ++at)
        line = IsOpen(*line) ? ChildLine(*line, *at, currentSide) : nullptr;
    return line;
}

bool CMrgTwinListWnd::ShowNode(const CDataNode* node, bool currentSide)
{
    Line* line = node ? FindRecordLine(node->GetRecord(), currentSide) : nullptr;
    if (!line)
        return false;
    const std::vector<const CDataNode*> path = FieldPath(node);
    for (auto at = path.rbegin(); at != path.rend(); ++at) {
        ToggleLine(*line, true);
        Line* next = ChildLine(*line, *at, currentSide);
        if (!next)
            break;
        line = next;
    }
    if (line->left) {
        m_list.GetBox().EnsureItemVisible(line->left, 1, false);
        if (const CTreeBoxNode* top = m_list.GetBox().GetTopItem())
            SyncTop(m_list, top->m_row);
    }
    return true;
}

bool CMrgTwinListWnd::RefreshRecordLines(const CRecordNode* record)
{
    Line* line = FindRecordLine(record, true);
    if (!line)
        line = FindRecordLine(record, false);
    if (!line)
        return false;
    RemakeLine(*line);
    RepaintPanes();
    return true;
}

void CMrgTwinListWnd::CollectOpen(const Line& line, std::unordered_set<const CDataNode*>& open)
{
    if (!IsOpen(line))
        return;
    for (const CDataNode* node : {line.current, line.incoming})
        if (node)
            open.insert(node);
    for (const auto& child : line.children)
        CollectOpen(*child, open);
}

void CMrgTwinListWnd::Reopen(Line& line, const std::unordered_set<const CDataNode*>& open)
{
    if (!open.contains(line.current) && !open.contains(line.incoming))
        return;
    ToggleLine(line, true);
    for (auto& child : line.children)
        Reopen(*child, open);
}

void CMrgTwinListWnd::RemakeLine(Line& line)
{
    std::unordered_set<const CDataNode*> open;
    CollectOpen(line, open);
    ToggleLine(line, false);
    RemoveLeftItemsBelow(line);
    DropChildren(line);
    const int state = Opens(line.current) || Opens(line.incoming) ? CTreeBoxNode::kCollapsed
                                                                  : CTreeBoxNode::kLeaf;
    for (CTreeBox* box : {&m_centre.GetBox(), &m_right.GetBox()}) {
        CTreeBoxNode* node = box == &m_centre.GetBox() ? line.centre : line.right;
        box->DeleteItem(node, false, true);
        box->SetItem(node, {.state = state});
    }
    Reopen(line, open);
}

void CMrgTwinListWnd::RepaintPanes()
{
    m_list.GetBox().RedrawAll();
    m_centre.GetBox().RedrawAll();
    m_right.GetBox().RedrawAll();
}
