// queries/window/qry_dialogs.h: the small dialogs of the query window: unsaved changes, a new
// custom query, and saving a query as a custom one.
#pragma once

#include "platform/ui/dialogs/dialog.h"

#include <memory>
#include <string>

class CQueryDef;

/// Asks what to do with unsaved column (or, in the filter form, filter) changes. DoModal gives
/// 1302 update, 1303 add, 1304 discard, or IDCANCEL.
class CQryUnsavedDlg final : public CDialog {
public:
    explicit CQryUnsavedDlg(CWnd* parent = nullptr) : CDialog(263, parent) {}

    bool m_addAllowed = true;
    bool m_updateAllowed = true;
    bool m_filterForm = false;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};

/// Names a new custom query and picks its record type; on IDOK m_query is the saved query.
class CQryNewDlg final : public CDialog {
public:
    explicit CQryNewDlg(CWnd* parent = nullptr) : CDialog(266, parent) {}

    std::shared_ptr<CQueryDef> m_query;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
};

/// Saves the query under a name the user types, as a custom query.
class CQrySaveAsDlg final : public CDialog {
public:
    CQrySaveAsDlg(CQueryDef& query, CWnd* parent = nullptr) : CDialog(211, parent), m_query(query)
    {
    }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    CQueryDef& m_query;
};
