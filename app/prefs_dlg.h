// app/prefs_dlg.h: the preferences sheet and the Preferences command that runs it.
#pragma once

#include "app/prefs_pages.h"
#include "common/preferences.h"

#include "platform/ui/dialogs/property_sheet.h"

#include <string>
#include <vector>

/// The sheet edits a copy of the preferences. Only OK, once every page made has agreed, makes
/// the copy the program's preferences and writes them to the registry; it also creates the
/// automatic named lists the user asked for and changes to the start-up folder. Cancel leaves
/// everything as it was, so the sheet has no Apply button. A page the user never opened is
/// never made and changes nothing.
class CPrefsDlg final : public CPropertySheet {
public:
    CPrefsDlg(const char* caption, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPrefsDlg() override;

    int DoModal() override;

    /// The preferences as the pages have stored them so far.
    Preferences& Edited() { return m_edited; }
    /// The open file's path, empty for an untitled file; the Miscellaneous page offers it.
    void SetOpenFilePath(std::string path) { m_openFilePath = std::move(path); }
    const std::string& GetOpenFilePath() const { return m_openFilePath; }
    /// The automatic lists to create on OK.
    void SetListsToCreate(std::vector<std::string> names) { m_listsToCreate = std::move(names); }
    /// The start-up folder to change to on OK, set by the Miscellaneous page.
    void SetFolderToEnter(std::string folder) { m_folderToEnter = std::move(folder); }

protected:
    /// Hides Apply; OK and Cancel move to the right in its place.
    BOOL OnInitDialog() override;

private:
    void Commit();

    Preferences m_edited;
    std::string m_openFilePath;
    std::vector<std::string> m_listsToCreate;
    std::string m_folderToEnter;
    CPrefsPageGen m_general;
    CPrefsPageFile m_file;
    CPrefsPageStartup m_startup;
};

/// The Preferences command: the "Preferences" sheet over the open file. When the autosave
/// period (0 while autosave is off) differs afterwards, the main frame's autosave timer starts
/// again.
void ShowPreferences();
