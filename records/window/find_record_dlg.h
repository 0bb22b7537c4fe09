// records/window/find_record_dlg.h: the modeless Find Record dialog, which hands each search to the
// records window.
#pragma once

#include "records/window/record_search.h"

#include "platform/ui/dialogs/dialog.h"

class CSubViewRec;

/// The records window of the open document, or null when there is none.
CSubViewRec* FindRecordsWindow();

/// Made from template 284 as a modeless child of the main window; the application owns the one
/// object. Closing it brings the records window's tabs up to date and destroys the window; the
/// object stays until the application deletes it.
class CFindRecordDlg final : public CDialog {
public:
    static constexpr UINT kTemplate = 284;
    static constexpr int kSearchText = 1362, kRecordType = 1103, kNameSearch = 1359,
                         kNoteSearch = 1360, kAllText = 1361, kUp = 1363, kDown = 1364,
                         kMatchCase = 1358, kFindFirst = 1365, kFindNext = 1514;
    /// The record-type combo box's last item: every type.
    static constexpr int kAllTypesItem = 9;

    explicit CFindRecordDlg(CWnd* parent = nullptr);

    /// Makes the window; false when it cannot be made.
    bool Open();
    /// One search, from the start (Find First) or on from the current record (Find Next);
    /// "End of file reached" when nothing more matches.
    void FindRecord(bool first);
    /// The request the controls describe, words included.
    RecordSearch ReadRequest(bool first) const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    /// The focus given to the dialog itself goes on to "Search For:", where typing belongs.
    void OnSetFocus(CWnd* oldWnd) override;

private:
    /// Both find buttons are enabled while the search text is not empty.
    void UpdateButtons();
    /// Checks a single-type request against the records window; false when it cannot go on.
    bool PrepareSingleType(CSubViewRec& window, const RecordSearch& search);
};
