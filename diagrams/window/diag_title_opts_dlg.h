// diagrams/window/diag_title_opts_dlg.h: the Title Options dialog: one title's frame, margins,
// text, colours and font.
#pragma once

#include "platform/ui/dialogs/dialog.h"

class CDiagramSettings;
struct CDiagramTitle;

/// Template 246, over a copy of one title that OK fills in. The text is a box-text template,
/// trimmed of white space at either end; a title with neither text nor frame is refused. The
/// font is chosen in the points it prints at with the settings' page.
class CTitleOptsDlg final : public CDialog {
public:
    static constexpr UINT kTemplate = 246;
    static constexpr int kShowFrameId = 1247, kMarginXId = 1248, kMarginYId = 1249, kTextId = 1251,
                         kColoursId = 1250, kFontId = 1009;
    static constexpr int kMaxMargin = 1000;

    CTitleOptsDlg(CDiagramTitle& title, const CDiagramSettings& settings, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    CDiagramTitle& m_title;
    const CDiagramSettings& m_settings;
    BOOL m_showFrame = TRUE;
    int m_marginX = 0;
    int m_marginY = 0;
    std::string m_text;
};
