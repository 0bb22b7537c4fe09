// records/window/sub_view_rec.cpp: the records window's layout, its change notices, its selection
// and showing records in it.
#include "records/window/sub_view_rec.h"

#include "app/shell/app_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_hint.h"
#include "database/records/record_node.h"

CSubViewRec::CSubViewRec()
{
    MapListCommands();
    MapNamedListCommands();
}

CSubViewRec::~CSubViewRec() = default;

const CRuntimeClass* CSubViewRec::GetRuntimeClass() const
{
    return RuntimeClassOf<CSubViewRec>();
}

void CSubViewRec::GetTitle(std::string& title) const
{
    title = "Records";
}

HICON CSubViewRec::LoadViewIcon(BOOL, BOOL big) const
{
    return LoadViewIconResource(IDI_RECORDS_VIEW, big);
}

int CSubViewRec::OnCreate(CREATESTRUCT* createStruct)
{
    if (CRecordsPane::OnCreate(createStruct) == -1)
        return -1;
    if (!m_splitter.Create(this, CUSplitterWnd::kSideBySide, true, nullptr))
        return -1;
    NotifyOwner(kHelpContext);
    m_lists.SetFocusListener([this] { m_listsActive = true; });
    if (!m_lists.Create("RecListsWnd", "RecListsWnd", WS_CHILD | WS_VISIBLE, CRect(), &m_splitter,
                        kListsId))
        return -1;
    m_splitter.AddPane(&m_lists, kListsShare);
    m_pane = MakeNamedListsPane();
    if (m_pane) {
        if (!m_pane->Create(&m_splitter, kPaneId, CRect(), this) || !m_pane->GetWnd())
            return -1;
        m_panePaneIndex = m_splitter.AddPane(m_pane->GetWnd(), kPaneShare);
        m_pane->GetWnd()->ShowWindow(SW_HIDE);
    }
    CRect client;
    m_splitter.GetClientRect(&client);
    if (!client.IsRectEmpty())
        LayOutPanes(client.Width(), client.Height());
    m_created = true;
    return 0;
}

void CSubViewRec::LayOutPanes(int cx, int cy)
{
    m_panesLaidOut = true;
    if (m_pane)
        m_pane->GetWnd()->ShowWindow(SW_SHOW);
    m_splitter.MoveWindow(0, 0, cx, cy);
    m_splitter.InitPaneSizes();
    if (m_panePaneIndex != -1)
        m_splitter.ShowPane(m_panePaneIndex, false);
}

void CSubViewRec::OnSize(UINT type, int cx, int cy)
{
    CRecordsPane::OnSize(type, cx, cy);
    if (!m_splitter.GetSafeHwnd())
        return;
    if (!m_panesLaidOut && cx > 0 && cy > 0)
        LayOutPanes(cx, cy);
    else
        m_splitter.MoveWindow(0, 0, cx, cy);
}

void CSubViewRec::OnSetFocus(CWnd* /*oldWnd*/)
{
    if (!m_listsActive && IsPaneVisible()) {
        m_pane->GetWnd()->SetFocus();
        return;
    }
    if (CTagGrid* grid = m_lists.GetActiveGrid(); grid && grid->GetSafeHwnd())
        grid->SetFocus();
}

bool CSubViewRec::IsPaneVisible() const
{
    CWnd* wnd = m_pane ? m_pane->GetWnd() : nullptr;
    return wnd && (wnd->GetStyle() & WS_VISIBLE) != 0;
}

CNamedList* CSubViewRec::ShownList() const
{
    return IsPaneVisible() ? m_pane->GetSelectedNamedList() : nullptr;
}

CObject* CSubViewRec::GetSelection(const CRuntimeClass* cls, int* count) const
{
    if (!m_listsActive && IsPaneVisible())
        return m_pane->GetSelection(cls, count);
    CTagGrid* grid = const_cast<CRecListsWnd&>(m_lists).GetActiveGrid();
    if (count)
        *count = 0;
    if (!grid || !grid->GetSafeHwnd())
        return nullptr;
    return grid->GetSelectedRecordOfKind(cls, count);
}

void CSubViewRec::GetSelectedRecords(std::vector<CRecordNode*>& records) const
{
    records.clear();
    if (!m_listsActive && IsPaneVisible()) {
        m_pane->GetSelectedRecords(records);
        return;
    }
    if (CTagGrid* grid = const_cast<CRecListsWnd&>(m_lists).GetActiveGrid();
        grid && grid->GetSafeHwnd())
        grid->GetSelectedRecords(records);
}

CRecordNode* CSubViewRec::GetCurrentRecord() const
{
    if (!m_listsActive && IsPaneVisible())
        return m_pane->GetCurrentRecord();
    CTagGrid* grid = const_cast<CRecListsWnd&>(m_lists).GetActiveGrid();
    CTreeBoxNode* row = grid && grid->GetSafeHwnd() ? grid->GetBox().GetFocusItem() : nullptr;
    return dynamic_cast<CRecordNode*>(CTagGrid::NodeOf(row));
}

void CSubViewRec::OnUpdate(CView* sender, LPARAM hint, CObject* object)
{
    if (!m_created)
        return;
    if (hint == kHintDataSetClearing)
        Reset();
    else if (hint != kHintNamedListsChanged) // nor kHintDataSetCleared, the same number
        m_lists.OnDocUpdate(sender, hint, object);
    if (IsPaneVisible())
        m_pane->OnDataChanged(sender, hint, object);
}

void CSubViewRec::Reset()
{
    if (!m_created)
        return;
    m_lists.ResetAll();
    if (m_pane)
        m_pane->Empty();
    m_listsActive = true;
}

int CSubViewRec::FindTab(int listIndex) const
{
    return m_created ? m_lists.FindTab(listIndex) : -1;
}

void CSubViewRec::SelectTab(int listIndex, bool focus)
{
    if (!m_created)
        return;
    m_lists.SelectTab(listIndex, focus);
    if (focus)
        m_listsActive = true;
}

void CSubViewRec::ShowRecord(CRecordNode* record, bool focus)
{
    if (m_created && record && m_lists.ShowHiddenType(record, true) && focus)
        m_listsActive = true;
}

bool CSubViewRec::GoToRecord(const RecordSearch& search)
{
    return m_created && m_lists.ShowFoundRecord(search);
}

void CSubViewRec::UpdateTabs()
{
    if (m_created)
        m_lists.UpdateTabs();
}

void CSubViewRec::CloseGridEditor()
{
    if (CTagGrid* grid = m_created ? m_lists.GetActiveGrid() : nullptr)
        grid->CloseEditor(true);
}

void CSubViewRec::ShowNamedList(CNamedList* list)
{
    if (!m_pane)
        return;
    if (!IsPaneVisible())
        OnNamedListsPane();
    if (list)
        m_pane->SelectList(list);
}

void CSubViewRec::OnNamedListsPaneFocus()
{
    m_listsActive = false;
}

void CSubViewRec::OnNamedListsPaneChanged() {}
