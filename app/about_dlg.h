// app/about_dlg.h: the About box: the program's picture, name, version and build, and its web
// address as a link.
#pragma once

#include "controls/static_link.h"
#include "platform/ui/dialogs/dialog.h"

class CAboutDlg final : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent = nullptr);

    const CStaticLink& GetLink() const { return m_link; }

protected:
    BOOL OnInitDialog() override;

private:
    /// Takes the place of the web address's static; its text is the link.
    CStaticLink m_link{nullptr, FALSE};
};

/// The About command: runs the About box.
void ShowAboutBox();
