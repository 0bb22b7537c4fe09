// media/window/me_create_link_dlg.h: the Create Link question: what the selected area, or the
// object, is linked to.
#pragma once

#include "platform/ui/dialogs/dialog.h"

/// Template 234. The caller says whether a frame was drawn; after IDOK m_fieldId is the record
/// type chosen (FIELD_INDI, FIELD_FAM or FIELD_SOUR), or 0 for a note only.
class CMeCreateLinkDlg final : public CDialog {
public:
    static constexpr int kGroupId = 1272, kIndividualId = 1273, kFamilyId = 1274, kSourceId = 1275,
                         kNothingId = 1276;

    explicit CMeCreateLinkDlg(bool withFrame, CWnd* parent = nullptr);

    int m_fieldId = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    bool m_withFrame;
};
