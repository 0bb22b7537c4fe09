// platform/ui/dialogs/file_dialog.cpp: filters, the default extension and the checks on chosen
// names; the picking itself over a non-native QFileDialog or the test hooks.
#include "platform/ui/dialogs/file_dialog.h"

#include "platform/base/paths.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/detail/hook_answers.h"
#include "platform/ui/detail/modal_cursor.h"
#include "platform/ui/detail/owner_activation.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/windows/test_hooks.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QTreeView>

#include <cctype>
#include <filesystem>

namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

bool HasWildcard(const std::string& text)
{
    return text.find_first_of("*?") != std::string::npos;
}

std::string WithoutDotPrefix(const std::string& extension)
{
    if (extension.starts_with("*."))
        return extension.substr(2);
    if (extension.starts_with("."))
        return extension.substr(1);
    return extension;
}

/// A name made full against folder (the current folder when empty), without "." and "..".
std::string FullPath(const std::string& name, const std::string& folder)
{
    std::filesystem::path path(paths::ToNative(name));
    if (path.is_relative()) {
        std::error_code ignored;
        const std::filesystem::path base =
            folder.empty() ? std::filesystem::current_path(ignored) : std::filesystem::path(folder);
        path = base / path;
    }
    return path.lexically_normal().string();
}

/// A filter as Qt reads it: the text, then the patterns in parentheses; "*.*" matches every
/// name here, as it does in the filters' home.
QString QtFilter(const FileFilterEntry& entry)
{
    QStringList patterns;
    for (const std::string& pattern : entry.patterns)
        patterns << (pattern == "*.*" ? QStringLiteral("*") : QString::fromStdString(pattern));
    return QString::fromStdString(entry.text) + QStringLiteral(" (") + patterns.join(' ') + ')';
}

} // namespace

std::vector<FileFilterEntry> ParseFileFilter(const std::string& filter)
{
    std::vector<FileFilterEntry> entries;
    const std::vector<std::string> parts = Split(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size() && !parts[i].empty(); i += 2) {
        FileFilterEntry entry{parts[i], {}};
        for (const std::string& pattern : Split(parts[i + 1], ';'))
            if (const std::string trimmed = text::Trim(pattern); !trimmed.empty())
                entry.patterns.push_back(trimmed);
        if (!entry.patterns.empty())
            entries.push_back(std::move(entry));
    }
    return entries;
}

namespace {

/// The extension as the text of a filter shows it ("Files (*.ged)" shows "ged" for "GED"), the
/// chosen type's text first; as it is when no text shows it.
std::string AsFilterShowsIt(const std::vector<FileFilterEntry>& filters, int chosenType,
                            const std::string& extension)
{
    const std::string pattern = "*." + extension;
    const auto shown = [&pattern](const std::string& text) -> std::string {
        for (std::size_t at = text::FindNoCase(text, pattern); at != std::string::npos;
             at = text::FindNoCase(text, pattern, at + 1)) {
            const std::size_t end = at + pattern.size();
            if (end == text.size() || !std::isalnum(static_cast<unsigned char>(text[end])))
                return text.substr(at + 2, pattern.size() - 2);
        }
        return {};
    };
    if (chosenType >= 1 && chosenType <= int(filters.size()))
        if (std::string found = shown(filters[std::size_t(chosenType - 1)].text); !found.empty())
            return found;
    for (const FileFilterEntry& filter : filters)
        if (std::string found = shown(filter.text); !found.empty())
            return found;
    return extension;
}

} // namespace

std::string DefaultExtensionFor(const std::vector<FileFilterEntry>& filters, int chosenType,
                                const std::string& defaultExt)
{
    if (defaultExt.empty())
        return {};
    if (chosenType >= 1 && chosenType <= int(filters.size())) {
        const std::string& first = filters[std::size_t(chosenType - 1)].patterns.front();
        const std::string extension = first.starts_with("*.") ? first.substr(2) : std::string();
        if (!extension.empty() && !HasWildcard(extension))
            return AsFilterShowsIt(filters, chosenType, extension);
    }
    return AsFilterShowsIt(filters, chosenType, WithoutDotPrefix(defaultExt));
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension)
{
    const std::string name = paths::FileName(path);
    if (extension.empty() || name.empty() || name.find('.') != std::string::npos)
        return path;
    return path + "." + extension;
}

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExt, const char* fileName,
                         DWORD flags, const char* filter, CWnd* parent)
    : m_open(openFileDialog != FALSE), m_defaultExt(defaultExt ? defaultExt : ""),
      m_fileName(fileName ? fileName : ""), m_flags(flags),
      m_filters(ParseFileFilter(filter ? filter : "")), m_parent(parent)
{
}

int CFileDialog::DoModal()
{
    m_paths.clear();
    for (;;) {
        std::vector<std::string> picked = Pick();
        if (picked.empty())
            return IDCANCEL;
        std::vector<std::string> checked = Checked(std::move(picked));
        if (!checked.empty()) {
            m_paths = std::move(checked);
            return IDOK;
        }
    }
}

std::string CFileDialog::GetPathName() const
{
    return m_paths.empty() ? std::string() : m_paths.front();
}

std::string CFileDialog::GetFileName() const
{
    return paths::FileName(GetPathName());
}

std::string CFileDialog::GetFileExt() const
{
    return paths::Extension(GetPathName());
}

std::string CFileDialog::GetFileTitle() const
{
    const std::string name = GetFileName();
    const std::string extension = GetFileExt();
    return extension.empty() ? name : name.substr(0, name.size() - extension.size() - 1);
}

std::string CFileDialog::GetFolderPath() const
{
    return paths::Folder(GetPathName());
}

namespace {

/// The panel's window while the picker is open: made inside a hidden host, shown in the
/// picker's layout on the desktop, destroyed at the end.
class PanelWindow {
public:
    PanelWindow(CDialog* panel, UINT templateId) : m_panel(panel)
    {
        if (!m_panel || !templateId)
            return;
        m_host.CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
        if (!m_panel->Create(templateId, &m_host))
            m_panel = nullptr;
    }
    ~PanelWindow()
    {
        if (m_panel && m_panel->GetSafeHwnd())
            m_panel->DestroyWindow();
        if (m_host.GetSafeHwnd())
            m_host.DestroyWindow();
    }
    PanelWindow(const PanelWindow&) = delete;
    PanelWindow& operator=(const PanelWindow&) = delete;

    void PlaceIn(QFileDialog& dialog) const
    {
        QWidget* widget = m_panel ? ui_detail::WidgetOf(m_panel) : nullptr;
        auto* layout = qobject_cast<QGridLayout*>(dialog.layout());
        if (!widget || !layout)
            return;
        widget->setParent(&dialog);
        widget->setMinimumSize(widget->size());
        layout->addWidget(widget, layout->rowCount(), 0, 1, layout->columnCount());
        widget->show();
    }

private:
    CDialog* m_panel;
    CWnd m_host;
};

/// The size, type and date columns of the detail list take the width of what they show once a
/// folder is listed: the picker's own widths, made for short texts, cut "65.3 KiB" and the type
/// names. The dialog opens wide enough for them beside the names.
void FitDetailColumns(QFileDialog& dialog)
{
    auto* view = dialog.findChild<QTreeView*>();
    auto* model = view ? qobject_cast<QFileSystemModel*>(view->model()) : nullptr;
    if (!model)
        return;
    QObject::connect(model, &QFileSystemModel::directoryLoaded, view, [view] {
        for (int column = 1; column < view->header()->count(); ++column) {
            const int before = view->columnWidth(column);
            view->resizeColumnToContents(column); // the texts and the title
            if (view->columnWidth(column) < before)
                view->setColumnWidth(column, before);
        }
    });
    constexpr int kWideEnough = 760;
    if (dialog.width() < kWideEnough)
        dialog.resize(kWideEnough, dialog.height());
}

} // namespace

std::vector<std::string> CFileDialog::Pick()
{
    if (!TestHooks::IsEnabled())
        return PickOnDesktop();
    std::optional<ui_detail::hooks::FileAnswer> answer = ui_detail::hooks::TakeFileAnswer();
    if (!answer)
        return {};
    if (answer->paths.size() > 1 && !(m_flags & OFN_ALLOWMULTISELECT)) {
        ui_detail::hooks::ReportFailure("A file picker for one file was answered with several");
        return {};
    }
    const PanelWindow panel(m_panel, m_panelTemplate);
    if (answer->panelDriver)
        answer->panelDriver(*this);
    std::vector<std::string> names;
    for (const std::string& name : answer->paths)
        names.push_back(FullPath(name, m_initialFolder));
    return names;
}

std::vector<std::string> CFileDialog::PickOnDesktop()
{
    QWidget* parent = m_parent ? ui_detail::WidgetOf(m_parent) : QApplication::activeWindow();
    QFileDialog dialog(parent, QString::fromStdString(m_title));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite |
                      QFileDialog::HideNameFilterDetails);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setAcceptMode(m_open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (m_open && (m_flags & OFN_ALLOWMULTISELECT))
        dialog.setFileMode(QFileDialog::ExistingFiles);
    else
        dialog.setFileMode(m_open && (m_flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                   : QFileDialog::AnyFile);
    QStringList filters;
    for (const FileFilterEntry& entry : m_filters)
        filters << QtFilter(entry);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(m_filterIndex - 1, filters.front()));
    }
    if (!m_initialFolder.empty())
        dialog.setDirectory(QString::fromStdString(m_initialFolder));
    if (!m_fileName.empty())
        dialog.selectFile(QString::fromStdString(m_fileName));
    const PanelWindow panel(m_panel, m_panelTemplate);
    panel.PlaceIn(dialog);
    FitDetailColumns(dialog);
    QObject::connect(&dialog, &QFileDialog::currentChanged,
                     [this](const QString& path) { OnFileNameChange(path.toStdString()); });
    const ui_detail::ModalCursorPause cursorPause;
    const ui_detail::ModalActivationReturn activationReturn(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    if (const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter()); chosen >= 0)
        m_filterIndex = int(chosen) + 1;
    std::vector<std::string> names;
    for (const QString& file : dialog.selectedFiles())
        names.push_back(FullPath(file.toStdString(), {}));
    return names;
}

std::vector<std::string> CFileDialog::Checked(std::vector<std::string> names) const
{
    const std::string extension = DefaultExtensionFor(m_filters, m_filterIndex, m_defaultExt);
    for (std::string& name : names)
        if (!m_open || !paths::Exists(name)) // a name that exists is opened as it is
            name = WithDefaultExtension(name, extension);
    for (const std::string& name : names) {
        if ((m_flags & OFN_FILEMUSTEXIST) && !paths::IsFile(name)) {
            Report(
                text::Format("\"%s\" cannot be found.\nCheck the file name and try again.", name),
                MB_OK | MB_ICONEXCLAMATION);
            return {};
        }
        const std::string folder = std::filesystem::path(name).parent_path().string();
        if ((m_flags & OFN_PATHMUSTEXIST) && !paths::IsDirectory(folder)) {
            Report(text::Format("The folder \"%s\" does not exist.\nCheck the path and try again.",
                                folder),
                   MB_OK | MB_ICONEXCLAMATION);
            return {};
        }
    }
    if (!m_open && (m_flags & OFN_OVERWRITEPROMPT) && paths::Exists(names.front())) {
        const int answer = Report(text::Format("%s already exists.\nDo you want to replace it?",
                                               paths::FileName(names.front())),
                                  MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
        if (answer != IDYES)
            return {};
    }
    return names;
}

int CFileDialog::Report(const std::string& text, UINT style) const
{
    return MessageBox(text, style, m_title);
}
