// records/grid/tag_grid_opts_dlg.h: the Record Window Options sheet: which record types the
// records window lists, name order and pedigree (General), which back-links are listed and
// the colours of the lists (Advanced).
#pragma once

#include "platform/ui/dialogs/property_page.h"
#include "platform/ui/dialogs/property_sheet.h"

class CRecWndOptions;
class CTagGridOptsDlg;

inline constexpr UINT kTagGridGeneralTemplate = 179, kTagGridAdvancedTemplate = 178;

class CTagGridPageGen final : public CPropertyPage {
public:
    explicit CTagGridPageGen(CTagGridOptsDlg& sheet);
    BOOL OnApply() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CTagGridOptsDlg& m_owner;
    bool m_changed = false;
};

class CTagGridPageInc final : public CPropertyPage {
public:
    explicit CTagGridPageInc(CTagGridOptsDlg& sheet);
    BOOL OnApply() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnColours();

    CTagGridOptsDlg& m_owner;
};

/// The two pages over one options block. Every page that was shown stores its choices on OK
/// or Apply; the options are then written to the profile once, after the last of them, so
/// nothing a later page stores is left out. Changes are announced with kHintDisplayOptionsApplied
/// and kHintIncludeOptionsChanged (the back-links listed).
class CTagGridOptsDlg final : public CPropertySheet {
public:
    CTagGridOptsDlg(const char* caption, CWnd* parent, UINT firstPage = 0);

    CRecWndOptions* m_options = nullptr;

private:
    friend class CTagGridPageGen;
    friend class CTagGridPageInc;
    /// A page stored its choices: after the last page shown, the options are saved.
    void OnPageApplied(const CPropertyPage& page);

    CTagGridPageGen m_general;
    CTagGridPageInc m_advanced;
};

/// Runs the sheet over the program's options, modally.
void RunRecWndOptionsDialog(const char* caption, CWnd* parent);
