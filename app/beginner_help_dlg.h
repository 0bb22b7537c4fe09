// app/beginner_help_dlg.h: a guidance document shown read-only, optionally with a box that asks
// for it again next time.
#pragma once

#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/rich_edit_ctrl.h"

#include <string>

/// The document is a file of formatted text (HTML, or plain text) shown in a read-only text
/// area that takes the place of the template's hidden placeholder, grows with the document up
/// to the dialog's largest height, and scrolls beyond it. The caller sets
/// the path, the caption and the flags and runs the dialog; after OK, m_showAgain holds the
/// box's state.
class CBeginnerHelpDlg final : public CDialog {
public:
    explicit CBeginnerHelpDlg(CWnd* parent = nullptr);

    std::string m_path;
    /// Empty keeps the template's caption.
    std::string m_caption;
    bool m_showAgain = true;
    bool m_hideHelp = false;
    /// Only a centred "Close" button: no Help, OK or box.
    bool m_closeOnly = false;

    const CRichEditCtrl& GetTextControl() const { return m_text; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void ShowDocument();
    /// Makes the text area, and the dialog with it, as tall as the document needs, up to the
    /// full-screen height less two scroll-bar heights; the buttons and the box move down.
    void GrowToDocument(const CRect& place);
    void MakeCloseOnly();

    CRichEditCtrl m_text;
};
