// app/backup_prompt_dlg.cpp: the backup question's controls and buttons.
#include "app/backup_prompt_dlg.h"

#include "platform/base/prompt.h"
#include "platform/ui/dialogs/data_exchange.h"

namespace {

constexpr int kPathText = 1468, kAlwaysPromptBox = 1786, kBackupButton = 1785, kSkipButton = 3;

} // namespace

CBackupPromptDlg::CBackupPromptDlg(CWnd* parent) : CDialog(kTemplateId, parent)
{
    MapCommand(kBackupButton, [this] { EndWith(IDYES); });
    MapCommand(kSkipButton, [this] { EndWith(IDNO); });
}

void CBackupPromptDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Check(kAlwaysPromptBox, m_alwaysPrompt);
    if (!dx.m_bSaveAndValidate)
        dx.Text(kPathText, m_path);
}

void CBackupPromptDlg::EndWith(int result)
{
    if (UpdateData(TRUE))
        EndDialog(result);
}
