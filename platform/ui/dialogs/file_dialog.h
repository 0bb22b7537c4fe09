// platform/ui/dialogs/file_dialog.h: the dialog in which the user picks files to open or a file to
// save, with its type filters, default extension and checks.
#pragma once

#include "platform/base/types.h"

#include <string>
#include <vector>

class CDialog;
class CWnd;

// Flags. OFN_HIDEREADONLY is accepted: the dialog has no read-only box to hide.
inline constexpr DWORD OFN_READONLY = 0x00000001, OFN_OVERWRITEPROMPT = 0x00000002,
                       OFN_HIDEREADONLY = 0x00000004, OFN_ALLOWMULTISELECT = 0x00000200,
                       OFN_PATHMUSTEXIST = 0x00000800, OFN_FILEMUSTEXIST = 0x00001000;

/// One type of a filter: the text shown, and its patterns ("*.ged").
struct FileFilterEntry {
    std::string text;
    std::vector<std::string> patterns;
};

/// Parses "text|pattern;pattern|text|pattern||": pairs up to an empty text or the end; a text
/// without a pattern is dropped.
std::vector<FileFilterEntry> ParseFileFilter(const std::string& filter);
/// The extension a name without one gets: that of the chosen type when its first pattern is
/// "*.ext" without wildcards, else the dialog's default extension; empty when the dialog has no
/// default extension. chosenType counts from 1; a leading "." or "*." of defaultExt is dropped.
/// It is spelt as the text of a filter shows it to the user, the chosen type's first ("Files
/// (*.ged)|*.GED" gives "ged"), since names differ by case here.
std::string DefaultExtensionFor(const std::vector<FileFilterEntry>& filters, int chosenType,
                                const std::string& defaultExt);
/// path with "." and the extension added when its file name has no extension and the extension
/// is not empty.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

/// The dialog is modal. Its checks run on the chosen names: a missing file (OFN_FILEMUSTEXIST)
/// or folder (OFN_PATHMUSTEXIST) is reported and the dialog opens again; an existing file to
/// save over (OFN_OVERWRITEPROMPT) is asked about, and No opens the dialog again. Under the
/// test hooks the names come from TestHooks::AnswerFilePicker and go through the same steps.
class CFileDialog {
public:
    /// filter is "text|patterns|...||"; defaultExt, when given, is added to names typed
    /// without an extension, unless the chosen type has its own.
    explicit CFileDialog(BOOL openFileDialog, const char* defaultExt = nullptr,
                         const char* fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         const char* filter = nullptr, CWnd* parent = nullptr);
    virtual ~CFileDialog() = default;

    /// IDOK with names chosen, or IDCANCEL.
    virtual int DoModal();

    // Before DoModal.
    void SetTitle(const std::string& title) { m_title = title; }
    void SetInitialFolder(const std::string& folder) { m_initialFolder = folder; }
    /// The type shown first, counting from 1.
    void SetFilterIndex(int index) { m_filterIndex = index; }
    /// A dialog made from templateId (a DS_CONTROL template) shown below the picker's own
    /// controls while it is open; null for none. The caller owns it; the picker makes its window
    /// when it opens and destroys it when it closes, so the panel keeps what it read.
    void SetPanel(CDialog* panel, UINT templateId)
    {
        m_panel = panel;
        m_panelTemplate = templateId;
    }
    CDialog* GetPanel() const { return m_panel; }
    /// The name in the picker changed while it is open (the user clicked or typed one; several
    /// chosen names come quoted and separated by blanks). The base does nothing; a dialog with a
    /// panel that shows the file overrides it.
    virtual void OnFileNameChange(const std::string& /*current*/) {}
    DWORD GetFlags() const { return m_flags; }
    /// The name the dialog proposes when it opens.
    const std::string& GetProposedName() const { return m_fileName; }
    void SetFlags(DWORD flags) { m_flags = flags; }

    // After DoModal returned IDOK.
    /// The first name chosen, as a full path.
    std::string GetPathName() const;
    /// Every name chosen, as full paths (several only with OFN_ALLOWMULTISELECT).
    const std::vector<std::string>& GetPathNames() const { return m_paths; }
    /// The first name's file name, with its extension.
    std::string GetFileName() const;
    /// The first name's extension, without the ".".
    std::string GetFileExt() const;
    /// The first name's file name without its extension.
    std::string GetFileTitle() const;
    std::string GetFolderPath() const;
    /// The type chosen, counting from 1.
    int GetFilterIndex() const { return m_filterIndex; }

    BOOL IsOpenDialog() const { return m_open; }
    const std::vector<FileFilterEntry>& GetFilters() const { return m_filters; }

private:
    /// The names the user picked, empty on Cancel; the chosen type is stored.
    std::vector<std::string> Pick();
    std::vector<std::string> PickOnDesktop();
    /// The names after the default extension; empty when a check refused them.
    std::vector<std::string> Checked(std::vector<std::string> names) const;
    int Report(const std::string& text, UINT style) const;

    bool m_open;
    std::string m_defaultExt;
    std::string m_fileName;
    DWORD m_flags;
    std::vector<FileFilterEntry> m_filters;
    CWnd* m_parent;
    std::string m_title;
    std::string m_initialFolder;
    int m_filterIndex = 1;
    std::vector<std::string> m_paths;
    CDialog* m_panel = nullptr;
    UINT m_panelTemplate = 0;
};
