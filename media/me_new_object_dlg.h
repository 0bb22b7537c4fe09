// media/me_new_object_dlg.h: the dialog that asks how a new object is attached to the current
// record: as a record linked to it, an unlinked record, or a field of it.
#pragma once

#include "platform/ui/dialogs/dialog.h"

class CDataNode;

/// The caller sets what is possible and the current record, runs the dialog, and after OK
/// reads m_insertAs.
class CMeNewObjectDlg final : public CDialog {
public:
    /// How the object is attached.
    enum InsertAs : int { kLinkedRecord = 0, kUnlinkedRecord = 1, kField = 2 };

    explicit CMeNewObjectDlg(CWnd* parent = nullptr);

    /// The "field" and "record, linked to" options are available.
    BOOL m_canField = FALSE;
    BOOL m_canLinkRecord = FALSE;
    int m_insertAs = kUnlinkedRecord;
    /// The current record that the options name; null for none (only an unlinked record).
    CDataNode* m_pContext = nullptr;

protected:
    /// Names the current record in the options, disables the unavailable ones (moving the
    /// choice to an unlinked record) and checks the chosen one.
    BOOL OnInitDialog() override;
};
