// controls/text_dlg.h: a resizable dialog that edits or shows a long text.
#pragma once

#include "platform/ui/dialogs/dialog.h"

#include <string>

/// The caller sets the text, the caption and the two flags, runs the dialog and reads the text
/// back after OK. When the window is resized the edit takes the room left above the buttons,
/// which stay centred below it.
class CTextDlg final : public CDialog {
public:
    explicit CTextDlg(CWnd* parent = nullptr);

    std::string m_text;
    std::string m_caption;
    /// One "&Close" button in place of OK and Cancel.
    bool m_closeOnly = false;
    bool m_readOnly = false;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    /// The places measured from the template once the controls exist.
    struct Layout {
        int m_editTop = 0;
        int m_editLeft = 0;
        int m_buttonGap = 0; // between OK and Cancel
        int m_gapAboveButtons = 0;
        int m_marginBelow = 0; // below the buttons
        int m_buttonHeight = 0;
        int m_buttonWidth = 0;
    };

    void MeasureLayout();
    void PlaceControls(int cx, int cy);

    Layout m_layout;
    bool m_layoutReady = false;
};
