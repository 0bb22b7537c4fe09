// diagrams/window/diag_more_dimensions_dlg.h: the dimensions the options sheet's Dimensions page
// has no room for: box margins, the stretchy line's zigzag, the relationship description font
// height and the gap above pictures.
//
// Edits the options sheet's working CDiagramSettings. The zigzag is shown at full size and stored
// halved.
#pragma once

#include "platform/ui/dialogs/dialog.h"

class CDiagramSettings;

/// Template 315, over the working copy of the options sheet. The zigzag is shown at its full
/// height and width, twice the stored half sizes. OK checks the values (the font height lies in
/// 1 to 100, the side margin is at most half the minimum box width, the zigzag sizes are even,
/// the picture gap is not negative) and writes them back into the settings; a refusal names
/// the value at fault and keeps the dialog open with the focus on it.
class CMoreDimensionsDlg final : public CDialog {
public:
    static constexpr UINT kTemplate = 315;
    static constexpr int kSideMarginId = 1509, kTopMarginId = 1510, kBottomMarginId = 1511,
                         kZigzagHeightId = 107, kZigzagWidthId = 108, kFontHeightId = 109,
                         kPictureGapId = 110;

    explicit CMoreDimensionsDlg(CDiagramSettings& settings, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    /// Shows the message and puts the focus on the edit.
    void Refuse(int id, const char* message);

    CDiagramSettings& m_settings;
    int m_sideMargin = 0;
    int m_topMargin = 0;
    int m_bottomMargin = 0;
    int m_zigzagHeight = 0;
    int m_zigzagWidth = 0;
    int m_fontHeight = 0;
    int m_pictureGap = 0;
};
