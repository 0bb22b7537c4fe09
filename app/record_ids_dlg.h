// app/record_ids_dlg.h: the "Work with Record Identifiers" tool: one of five record-identifier
// tasks run on the records of one type.
#pragma once

#include "platform/ui/dialogs/dialog.h"

/// The record types are offered by name, each remembering its place in the record-type table;
/// the tasks take the type's list index. The header is not offered: its record never carries
/// an identifier. The dialog stays open after each task until Close.
class CRecordIdsDlg final : public CDialog {
public:
    explicit CRecordIdsDlg(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    /// "Perform Task...": runs the checked task on the chosen type.
    void OnOK() override;

private:
    /// Repositories and sources have no Custom Id: its two tasks are disabled for them, and a
    /// check on one of them moves to renumbering.
    void ApplyTypeRule();
    /// The table index of the chosen type; -1 when none is chosen.
    int GetSelectedTableIndex() const;
    void RunTask(int task, int listIndex);
};
