// reports/window/pic_gaps_dlg.h: Gaps Around Pictures: the five gaps around a picture and its
// caption, in hundredths of an inch shown as inches.
#pragma once

#include "platform/ui/dialogs/dialog.h"
#include "reports/rpt_settings.h"

inline constexpr UINT IDD_PIC_GAPS = 385;
/// Left, above, right, below, picture to caption.
inline constexpr int IDC_GAP_FIRST = 1750;

class CPicGapsDlg final : public CDialog {
public:
    explicit CPicGapsDlg(const CRptPicGaps& gaps, CWnd* parent = nullptr)
        : CDialog(IDD_PIC_GAPS, parent), m_gaps(gaps)
    {
    }

    BOOL OnInitDialog() override;
    /// Refuses the first negative gap, in field order, with its edit focused.
    void OnOK() override;

    CRptPicGaps m_gaps;
};
