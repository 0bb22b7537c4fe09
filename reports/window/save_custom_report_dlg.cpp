// reports/window/save_custom_report_dlg.cpp: the Save As Custom Report dialog and the save.
#include "reports/window/save_custom_report_dlg.h"

#include "reports/report_name.h"
#include "reports/rpt_catalogue.h"
#include "reports/rpt_settings.h"

#include "platform/base/prompt.h"
#include "platform/base/safe_file.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/edit.h"
#include "templates/settings_store.h"

#include <filesystem>
#include <optional>
#include <system_error>

BOOL CSaveCustomReportDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_CUSTOM_NAME, m_name);
    EnableOk();
    return TRUE;
}

void CSaveCustomReportDlg::EnableOk()
{
    std::string typed;
    GetDlgItemText(IDC_CUSTOM_NAME, typed);
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->EnableWindow(!text::TrimView(typed).empty());
}

BOOL CSaveCustomReportDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_CUSTOM_NAME && HIWORD(wParam) == EN_CHANGE) {
        EnableOk();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CSaveCustomReportDlg::OnOK()
{
    std::string typed;
    GetDlgItemText(IDC_CUSTOM_NAME, typed);
    m_name = std::string(text::TrimView(typed));
    if (m_name.empty())
        return;
    CDialog::OnOK();
}

bool SaveAsCustomReport(const CRptSettings& settings, const std::string& name)
{
    std::string problem;
    if (!CheckReportName(name, &problem)) {
        MessageBox(problem);
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(GetReportFolderPath(true), error);
    const std::string path = GetReportFilePath(name, true);
    if (path.empty())
        return false;
    if (std::filesystem::exists(path, error) &&
        MessageBox("A custom report called \"" + name +
                       "\" already exists.  Do you want to replace it?",
                   MB_YESNO) != IDYES)
        return false;
    // The file holds these settings only: no key of the report it replaces stays.
    CRptSettings saved;
    saved.Copy(settings, kRptPartAll, false);
    CSettingsStore store(path);
    saved.Write(store, kRptPartAll);
    std::string reason;
    const std::optional<std::string> content = store.GatheredText(&reason);
    CSafeFile file;
    bool written = false;
    if (content && file.OpenBeside(path)) {
        try {
            file.Write(content->data(), static_cast<UINT>(content->size()));
            written = file.Commit();
        } catch (const CFileException&) {
            written = false;
        }
    }
    if (!written) {
        MessageBox("Unable to save the report in file " + path + ".  " +
                       (content ? file.LastErrorText() : reason),
                   MB_OK | MB_ICONEXCLAMATION);
    }
    return written;
}
