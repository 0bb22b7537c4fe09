// tests/records/window/scripted_named_lists_pane.h: a named-lists pane for the records window's
// tests: a plain child window that records what the window asks of it and answers as the test
// scripts.
#pragma once

#include "records/window/named_lists_pane.h"

#include "platform/ui/windows/wnd.h"

#include <memory>
#include <string>
#include <vector>

/// Every call is logged by name ("FillLists", "OnDataChanged 9", "Create 88"); the answers are
/// the public members a test sets. Focus and changes are reported to the host through
/// TakeFocus and Changed, as the real pane would.
class CScriptedNamedListsPane final : public INamedListsPane {
public:
    bool Create(CWnd* parent, UINT id, const RECT& rect, INamedListsPaneHost* host) override
    {
        Log("Create " + std::to_string(id));
        m_host = host;
        if (failCreate)
            return false;
        return m_wnd.Create(nullptr, "NamedListsWnd", WS_CHILD, rect, parent, id) != FALSE;
    }
    CWnd* GetWnd() override { return m_wnd.GetSafeHwnd() ? &m_wnd : nullptr; }
    void FillLists() override { Log("FillLists"); }
    void Empty() override { Log("Empty"); }
    void SelectList(CNamedList* list) override
    {
        Log("SelectList");
        selected = list;
    }
    CNamedList* GetSelectedNamedList() const override { return selected; }
    void OnDataChanged(CView*, LPARAM hint, CObject*) override
    {
        Log("OnDataChanged " + std::to_string(hint));
    }
    void GetSelectedRecords(std::vector<CRecordNode*>& records) const override
    {
        records = selectedRecords;
    }
    CObject* GetSelection(const CRuntimeClass*, int* count) const override
    {
        if (count)
            *count = selection ? 1 : 0;
        return selection;
    }
    CRecordNode* GetCurrentRecord() const override { return current; }
    void RemoveSelectedItems() override { Log("RemoveSelectedItems"); }
    bool CanRemoveSelectedItems() const override { return canRemove; }
    void MoveSelectedItems(bool up) override { Log(up ? "MoveUp" : "MoveDown"); }
    bool CanMoveSelectedItems(bool up) const override { return up ? canMoveUp : canMoveDown; }
    void CreateNamedList() override { Log("CreateNamedList"); }
    void DeleteNamedList(CNamedList*) override { Log("DeleteNamedList"); }
    void AddSelectionToNamedList(CNamedList*, CTagGrid*) override
    {
        Log("AddSelectionToNamedList");
    }
    bool WantsAddWhileActive() const override { return wantsAdd; }
    bool EditListProperties(CNamedList*) override
    {
        Log("EditListProperties");
        return true;
    }
    void EmptyNamedList(CNamedList*) override { Log("EmptyNamedList"); }
    bool SaveListOrder(CNamedList*) override
    {
        Log("SaveListOrder");
        return saveOrderResult;
    }
    bool ConfirmDeleteAllRecords(CNamedList*) override
    {
        Log("ConfirmDeleteAllRecords");
        return confirmDelete;
    }

    /// The pane gains the focus, as a click into it would do.
    void TakeFocus()
    {
        m_wnd.SetFocus();
        if (m_host)
            m_host->OnNamedListsPaneFocus();
    }

    std::vector<std::string> log;
    bool failCreate = false;
    CNamedList* selected = nullptr;
    CObject* selection = nullptr;
    std::vector<CRecordNode*> selectedRecords;
    CRecordNode* current = nullptr;
    bool canRemove = true;
    bool canMoveUp = true;
    bool canMoveDown = false;
    bool wantsAdd = false;
    bool saveOrderResult = true;
    bool confirmDelete = false;

private:
    void Log(std::string entry) { log.push_back(std::move(entry)); }

    CWnd m_wnd;
    INamedListsPaneHost* m_host = nullptr;
};
