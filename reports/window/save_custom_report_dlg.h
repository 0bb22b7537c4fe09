// reports/window/save_custom_report_dlg.h: Save As Custom Report: the name a report's settings
// are saved under in the Custom reports folder.
#pragma once

#include "platform/ui/dialogs/dialog.h"

#include <string>

class CRptSettings;

inline constexpr UINT IDD_SAVE_CUSTOM_REPORT = 379;
inline constexpr int IDC_CUSTOM_NAME = 1760;

class CSaveCustomReportDlg final : public CDialog {
public:
    explicit CSaveCustomReportDlg(CWnd* parent = nullptr) : CDialog(IDD_SAVE_CUSTOM_REPORT, parent)
    {
    }

    BOOL OnInitDialog() override;
    /// The name, trimmed.
    void OnOK() override;

    std::string m_name;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void EnableOk();
};

/// Saves settings as the custom report name: the name passes the report name check, a custom
/// report of that name is replaced only when the user agrees, and then holds none of its old
/// keys. The file is written beside its target and renamed over it; a read-only target is
/// refused. False, with its message, when refused, declined or not saved; a failed save says
/// "Unable to save the report in file X." with the system's reason, the old file untouched.
bool SaveAsCustomReport(const CRptSettings& settings, const std::string& name);
