// platform/ui/dialogs/folder_dialog.cpp: a directory-only QFileDialog, or the test hooks' answer.
#include "platform/ui/dialogs/folder_dialog.h"

#include "platform/base/paths.h"
#include "platform/base/prompt.h"
#include "platform/ui/detail/hook_answers.h"
#include "platform/ui/detail/modal_cursor.h"
#include "platform/ui/detail/owner_activation.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/windows/test_hooks.h"

#include <QApplication>
#include <QFileDialog>

#include <filesystem>

namespace {

/// The folder a test answered, or nothing when it cancelled or named no folder a user could
/// pick.
std::optional<std::string> FolderFromHooks()
{
    std::optional<std::string> answer = ui_detail::hooks::TakeFolderAnswer();
    if (!answer || answer->empty())
        return std::nullopt;
    std::error_code ignored;
    std::filesystem::path path =
        std::filesystem::absolute(paths::ToNative(*answer), ignored).lexically_normal();
    if (!path.has_filename() && path.has_parent_path())
        path = path.parent_path(); // "/a/b/" is "/a/b"
    const std::string folder = path.string();
    if (!paths::IsDirectory(folder)) {
        ui_detail::hooks::ReportFailure("A folder picker was answered with \"" + *answer +
                                        "\", which is no folder");
        return std::nullopt;
    }
    return folder;
}

} // namespace

CFolderDialog::CFolderDialog(const char* title, const char* initialFolder, CWnd* parent)
    : m_title(title ? title : ""), m_initialFolder(initialFolder ? initialFolder : ""),
      m_parent(parent)
{
}

int CFolderDialog::DoModal()
{
    m_folder.clear();
    if (TestHooks::IsEnabled()) {
        const std::optional<std::string> folder = FolderFromHooks();
        if (!folder)
            return IDCANCEL;
        m_folder = *folder;
        return IDOK;
    }
    QWidget* parent = m_parent ? ui_detail::WidgetOf(m_parent) : QApplication::activeWindow();
    QFileDialog dialog(parent, QString::fromStdString(m_title),
                       QString::fromStdString(m_initialFolder));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    const ui_detail::ModalCursorPause cursorPause;
    const ui_detail::ModalActivationReturn activationReturn(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return IDCANCEL;
    m_folder = dialog.selectedFiles().front().toStdString();
    return IDOK;
}
