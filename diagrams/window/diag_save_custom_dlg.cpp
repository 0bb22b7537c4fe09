// diagrams/window/diag_save_custom_dlg.cpp: the custom diagram's name, its checks and the
// question before another diagram's file is replaced.
#include "diagrams/window/diag_save_custom_dlg.h"

#include "common/file_name_check.h"
#include "common/file_utils.h"
#include "common/folder_settings.h"
#include "platform/base/paths.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/edit.h"

#include <filesystem>

namespace {

constexpr std::string_view kExtension = ".dgm";

} // namespace

std::string CustomDiagramNameProblem(std::string_view name)
{
    // Diagram names were never held to UTF-8 nor to plain ends: names saved so far stay valid.
    switch (FindFileNameFault(name, kExtension, {.textOnly = false, .plainEnds = false})) {
    case FileNameFault::kNone:
    case FileNameFault::kNotText:
    case FileNameFault::kEnds:
        return {};
    case FileNameFault::kEmpty:
        return "Diagram name must be supplied";
    case FileNameFault::kControl:
    case FileNameFault::kReserved:
    case FileNameFault::kDotDot:
        return "A diagram name cannot contain \"/\", \"\\\", \"..\", control characters or any "
               "of : * ? \" < > |.  Please choose another name.";
    case FileNameFault::kTooLong:
        break;
    }
    return "This diagram name is too long to name a file.  Please choose a shorter name.";
}

CSaveCustomDiagramDlg::CSaveCustomDiagramDlg(CWnd* parent) : CDialog(kTemplate, parent) {}

BOOL CSaveCustomDiagramDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_openingName = text::Trim(m_name);
    SetDlgItemText(kNameId, m_name);
    UpdateOk();
    return TRUE;
}

std::string CSaveCustomDiagramDlg::TypedName() const
{
    std::string text;
    GetDlgItemText(kNameId, text);
    return text::Trim(text);
}

void CSaveCustomDiagramDlg::UpdateOk()
{
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->EnableWindow(!TypedName().empty());
}

BOOL CSaveCustomDiagramDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kNameId && HIWORD(wParam) == EN_CHANGE) {
        UpdateOk();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CSaveCustomDiagramDlg::OnOK()
{
    const std::string name = TypedName();
    CWnd* edit = GetDlgItem(kNameId);
    if (const std::string problem = CustomDiagramNameProblem(name); !problem.empty()) {
        // A missing name is asked for; a name that cannot be a file is warned about.
        MessageBox(problem, name.empty() ? MB_OK : MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(edit);
        return;
    }
    // The folder is made on the first save; a save that cannot be made says so.
    const std::string folder = GetCustomDiagramsFolder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!paths::IsDirectory(folder)) {
        MessageBox("The folder for custom diagrams, \"" + folder +
                       "\", could not be made.  The diagram was not saved.",
                   MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const std::string path = paths::Join(folder, name + std::string(kExtension));
    if (!text::EqualsNoCase(name, m_openingName) && FileExists(path) &&
        MessageBox("A Custom Diagram with this name already exists.  Do you wish to replace it?",
                   MB_OKCANCEL, "Replace existing diagram?") != IDOK)
        return;
    m_name = name;
    m_path = path;
    EndDialog(IDOK);
}
