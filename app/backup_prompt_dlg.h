// app/backup_prompt_dlg.h: the question, asked when the main window closes, whether to back the
// open file up first.
#pragma once

#include "platform/ui/dialogs/dialog.h"

#include <string>

/// "Backup" ends the dialog with IDYES and "Skip" with IDNO, each after reading the "always
/// prompt" box; Cancel ends it with IDCANCEL without reading it.
class CBackupPromptDlg final : public CDialog {
public:
    static constexpr UINT kTemplateId = 383;

    explicit CBackupPromptDlg(CWnd* parent = nullptr);

    BOOL m_alwaysPrompt = TRUE;
    /// The open file's path, shown under the question.
    std::string m_path;

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    /// Reads the controls and ends the dialog with result.
    void EndWith(int result);
};
