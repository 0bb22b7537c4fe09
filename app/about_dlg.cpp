// app/about_dlg.cpp: the About box.
#include "app/about_dlg.h"

namespace {

constexpr UINT kTemplate = 100;
constexpr int kWebAddress = 1529, kVersionLine = 1869;
constexpr const char* kVersion = "Ardenvel Riru Version 2.1";

} // namespace

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(kTemplate, parent) {}

BOOL CAboutDlg::OnInitDialog()
{
    m_link.SubclassDlgItem(kWebAddress, this);
    SetDlgItemText(kVersionLine, kVersion);
    return CDialog::OnInitDialog();
}

void ShowAboutBox()
{
    CAboutDlg dialog;
    dialog.DoModal();
}
