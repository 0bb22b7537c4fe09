// platform/ui/dialogs/folder_dialog.h: the dialog in which the user picks a folder.
#pragma once

#include "platform/base/types.h"

#include <string>

class CWnd;

/// Shows folders only. Under the test hooks the folder comes from
/// TestHooks::AnswerFolderPicker.
class CFolderDialog {
public:
    explicit CFolderDialog(const char* title = nullptr, const char* initialFolder = nullptr,
                           CWnd* parent = nullptr);
    virtual ~CFolderDialog() = default;

    /// IDOK with a folder chosen, or IDCANCEL.
    virtual int DoModal();
    /// The folder chosen, as a full path.
    const std::string& GetFolderPath() const { return m_folder; }

private:
    std::string m_title;
    std::string m_initialFolder;
    CWnd* m_parent;
    std::string m_folder;
};
