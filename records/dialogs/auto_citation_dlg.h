// records/dialogs/auto_citation_dlg.h: the Set Automatic Source Citation dialog, which edits the
// citation the program adds by itself to new records and fields.
#pragma once

#include "records/datactl/data_ctl.h"

#include "database/nodes/source_citation.h"
#include "platform/ui/dialogs/dialog.h"

#include <string>

inline constexpr UINT kAutoCitationTemplate = 296;
inline constexpr int IDC_CITE_SOURCE = 1399, IDC_CITE_SELECT = 1390, IDC_CITE_DATE = 1404,
                     IDC_CITE_QUALITY = 1103, IDC_CITE_PAGE = 1403, IDC_CITE_TEXT = 1394,
                     IDC_CITE_NOTE = 1333, IDC_CITE_NEW_RECORDS = 1401, IDC_CITE_NEW_FIELDS = 1402,
                     IDC_CITE_PASTE = 4, IDC_CITE_CANCEL = 1513;

/// A date as typed into a date control, in its GEDCOM form; empty for no date.
std::string TypedDateToGedcom(const std::string& typed);

/// The caller fills the value and the two switches and runs DoModal; after IDOK they hold what
/// the user set. A value without a source opens with both switches checked.
class CAutoCitationDlg final : public CDialog, public IDataCtlOwner {
public:
    explicit CAutoCitationDlg(CWnd* parent = nullptr);

    CAutoCitation m_value;
    bool m_newRecords = false;
    bool m_newFields = false;

    /// The entry date's control; null when it could not be made.
    CDataCtl* GetDateControl() const { return m_dateControl; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    /// Shows a citation value in the controls.
    void Fill(const CAutoCitation& value);
    void OnSelectSource();

    CDataCtl* m_dateControl = nullptr;
};
