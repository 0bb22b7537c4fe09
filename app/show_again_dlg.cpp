// app/show_again_dlg.cpp: show-once messages.
#include "app/show_again_dlg.h"

#include "common/preferences.h"

#include "platform/base/prompt.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/resources/resources.h"

namespace {

constexpr UINT kTemplate = 402;
constexpr int kMessage = 1295, kShowAgainBox = 1258;

} // namespace

CShowAgainDlg::CShowAgainDlg(CWnd* parent) : CDialog(kTemplate, parent) {}

BOOL CShowAgainDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_caption.empty())
        SetWindowText(m_caption);
    return TRUE;
}

void CShowAgainDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Check(kShowAgainBox, m_showAgain);
    dx.Text(kMessage, m_message);
}

void ShowOnceDialog(std::uint32_t key, unsigned messageId, unsigned captionId, const char* caption)
{
    if (messageId == 0)
        return;
    auto& flags = Prefs().m_showOnce;
    const auto flag = flags.find(key);
    if (flag == flags.end() || !flag->second)
        return;
    CShowAgainDlg dialog;
    AppResources().LoadString(messageId, dialog.m_message);
    if (captionId != 0)
        AppResources().LoadString(captionId, dialog.m_caption);
    else if (caption)
        dialog.m_caption = caption;
    if (dialog.DoModal() != IDOK || dialog.m_showAgain)
        return;
    flag->second = false;
    SavePreferences();
}
