// queries/lists/records_window_pane.cpp: the named-lists pane behind the records window's
// interface, and the Add to Named List command.
#include "queries/lists/records_window_pane.h"

#include "queries/lists/named_list_dlgs.h"
#include "queries/lists/named_list_pane.h"

#include "platform/base/prompt.h"
#include "platform/base/wait_cursor.h"
#include "queries/named_list.h"
#include "records/window/named_lists_pane.h"

namespace {

class CRecordsWindowPane final : public INamedListsPane, private INamedListPaneHost {
public:
    bool Create(CWnd* parent, UINT id, const RECT& rect, INamedListsPaneHost* host) override
    {
        m_host = host;
        return m_pane.Create(parent, id, rect, this);
    }
    CWnd* GetWnd() override { return m_pane.GetSafeHwnd() ? &m_pane : nullptr; }
    void FillLists() override { m_pane.FillLists(); }
    void Empty() override { m_pane.Empty(); }
    void SelectList(CNamedList* list) override { m_pane.SelectList(list); }
    CNamedList* GetSelectedNamedList() const override { return m_pane.GetSelectedNamedList(); }
    void OnDataChanged(CView* sender, LPARAM hint, CObject* object) override
    {
        m_pane.OnDataChanged(sender, hint, object);
    }
    CObject* GetSelection(const CRuntimeClass* cls, int* count) const override
    {
        return m_pane.GetSelection(cls, count);
    }
    CRecordNode* GetCurrentRecord() const override { return m_pane.GetCurrentRecord(); }
    void GetSelectedRecords(std::vector<CRecordNode*>& records) const override
    {
        const_cast<CNamedListPane&>(m_pane).GetItemsGrid().GetSelectedRecords(records);
    }
    void RemoveSelectedItems() override { m_pane.RemoveSelectedItems(); }
    bool CanRemoveSelectedItems() const override { return m_pane.OnUpdateListCommand(); }
    void MoveSelectedItems(bool up) override
    {
        if (CanMoveSelectedItems(up))
            m_pane.MoveSelectedItems(up);
    }
    bool CanMoveSelectedItems(bool up) const override
    {
        return m_pane.IsItemsGridFocused() && m_pane.CanMoveSelectedItems(up);
    }
    void CreateNamedList() override { m_pane.CreateNamedList(); }
    void DeleteNamedList(CNamedList* list) override { m_pane.DeleteNamedList(list); }
    void AddSelectionToNamedList(CNamedList* list, CTagGrid* source) override
    {
        if (list == m_pane.GetSelectedNamedList())
            m_pane.AddSelectionToNamedList(source);
    }
    bool WantsAddWhileActive() const override { return false; }
    bool EditListProperties(CNamedList* list) override
    {
        if (!m_pane.EditListProperties(list))
            return false;
        m_pane.AnnounceChange();
        return true;
    }
    void EmptyNamedList(CNamedList* list) override { m_pane.EmptyNamedListInPane(list); }
    bool SaveListOrder(CNamedList* list) override { return m_pane.SaveListOrder(list); }
    bool ConfirmDeleteAllRecords(CNamedList* list) override
    {
        return m_pane.ConfirmDeleteAllRecords(list);
    }

private:
    void OnNamedListPaneFocus(CNamedListPane*) override
    {
        if (m_host)
            m_host->OnNamedListsPaneFocus();
    }
    void OnNamedListPaneChanged(CNamedListPane*) override
    {
        if (m_host)
            m_host->OnNamedListsPaneChanged();
    }

    CNamedListPane m_pane;
    INamedListsPaneHost* m_host = nullptr;
};

} // namespace

void InstallNamedListsPane()
{
    InstallNamedListsPaneFactory([] { return std::make_unique<CRecordsWindowPane>(); });
}

bool AddRecordsToNamedList(CWnd* parent, const std::vector<CRecordNode*>& records)
{
    CAddToNamedListDlg dialog(true, parent);
    if (dialog.DoModal() != IDOK)
        return false;
    {
        const CWaitCursor wait;
        CNamedList* list = GetNamedList(dialog.m_name, false);
        if (dialog.m_replace)
            RemoveAllFromNamedList(list);
        AddManyToNamedList(list, records);
    }
    NotifyNamedListsChanged();
    return true;
}
