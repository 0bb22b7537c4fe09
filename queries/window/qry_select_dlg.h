// queries/window/qry_select_dlg.h: the Select Query dialog, which lists the saved queries of a
// record type (or of all types) and gives back the one chosen.
#pragma once

#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/list_box.h"

#include <string>

class CFieldDef;

/// The dialog's list of queries (control 1243): standard queries by name, custom ones with
/// " (custom)" after the name, item data 0 or 1.
using CQrySelectListBox = CListBox;

inline constexpr UINT kQrySelectTemplate = 240;
inline constexpr int IDC_QRY_SELECT_LIST = 1243, IDC_QRY_SELECT_NOTE = 1547;

/// The caller sets m_recordType (null lists every query) and runs DoModal; after IDOK m_name
/// and m_custom name the query chosen.
class CQrySelectDlg final : public CDialog {
public:
    /// removeNote leaves out the note on the multimedia window and gives its room to the list.
    explicit CQrySelectDlg(bool removeNote, CWnd* parent = nullptr);

    const CFieldDef* m_recordType = nullptr;
    std::string m_name;
    bool m_custom = false;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void UpdateOk();

    bool m_removeNote;
};
