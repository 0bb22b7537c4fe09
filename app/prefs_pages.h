// app/prefs_pages.h: the three pages of the preferences sheet: General, File Load/Save and
// Miscellaneous.
#pragma once

#include "common/preferences.h"

#include "platform/ui/dialogs/property_page.h"

#include <array>
#include <string>

class CPrefsDlg;

// Each page shows the sheet's edited copy of the preferences when it is first shown, checks its
// fields whenever they are read from the controls, and on OK writes them back into that copy;
// the sheet makes the copy the program's preferences only when OK has passed every page. Any
// click or typing on a page marks it modified.

/// Sizes of the record properties box, life years, the root row's text, family clean-up and
/// the automatic named lists.
class CPrefsPageGen final : public CPropertyPage {
public:
    explicit CPrefsPageGen(CPrefsDlg& sheet);

    /// Checks the fields again, then, when automatic lists are missing from the open file, asks
    /// whether to create them with the other changes.
    BOOL OnApply() override;
    void OnOK() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    void ExchangeSizes(CDataExchange& dx);
    void CheckListNames(CDataExchange& dx);

    CPrefsDlg& m_sheet;
    UINT m_lifeYears = 0;
    std::string m_rootText;
    BOOL m_autoCleanup = FALSE;
    std::array<std::string, kAutoNamedListCount> m_listNames;
};

/// Numeric dates, what loading leaves out and what saving writes.
class CPrefsPageFile final : public CPropertyPage {
public:
    explicit CPrefsPageFile(CPrefsDlg& sheet);

    BOOL OnApply() override;
    void OnOK() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    /// The format buttons are enabled when numeric dates are; the separator when, besides, a
    /// format other than the locale's is chosen.
    void ApplyEnablingRule();

    CPrefsDlg& m_sheet;
    BOOL m_numericDates = FALSE;
    BOOL m_excludeExtensions = FALSE;
    BOOL m_excludeNonStandard = FALSE;
    BOOL m_reoutputHeader = FALSE;
    BOOL m_familiesFirst = FALSE;
};

/// Start-up file and folders, splash, autosave, backup prompt, surnames and the GEDCOM file
/// type.
class CPrefsPageStartup final : public CPropertyPage {
public:
    explicit CPrefsPageStartup(CPrefsDlg& sheet);

    /// Checks the fields again; a file or folder may have gone since the page was left.
    BOOL OnApply() override;
    void OnOK() override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    /// The minutes and their labels are enabled while autosave is.
    void ApplyAutosaveRule();
    void CheckPaths(CDataExchange& dx);
    /// A pop-up under the button with the open file's item (grey for an untitled file) and
    /// "Browse..."; returns the command chosen, 0 when none.
    UINT TrackSelectMenu(int buttonId, const char* currentFileItem);
    void OnSelectDefaultFile();
    void OnSelectStartupFolder();
    void OnSelectBackupFolder();

    CPrefsDlg& m_sheet;
    std::string m_defaultFile;
    std::string m_startupFolder;
    std::string m_backupFolder;
    BOOL m_hideSplash = FALSE;
    BOOL m_autosave = FALSE;
    UINT m_autosaveMinutes = 5;
    BOOL m_backupPrompt = TRUE;
    BOOL m_upperSurnames = TRUE;
    BOOL m_fatherSurname = TRUE;
    BOOL m_registerGedcom = TRUE;
    /// A missing backup folder the user chose to keep; not asked about again.
    std::string m_keptBackupFolder;
};
