// diagrams/window/tree_opts_page.h: what every page of the Diagram Options sheet shares: loading
// its controls from the sheet's working copy, marking itself changed, Installation Settings,
// handing its sections over on OK and taking them back on Cancel.
#pragma once

#include "platform/ui/dialogs/property_page.h"

#include <initializer_list>
#include <string>
#include <vector>

class CDiagramSettings;
class CTreeOptsDlg;

/// A page edits the sections it names in the sheet's working copy. Any change of a control
/// (while the page is not filling its controls) marks it modified; the Installation Settings
/// button (1010) puts its sections back to their installation values. Cancel takes its sections
/// back from the applied copy. The base OnOK hands the sections over (CTreeOptsDlg::ApplySections)
/// and refreshes the diagram; pages with more to do override it.
class CTreeOptsPage : public CPropertyPage {
public:
    static constexpr int kInstallationId = 1010;

    CTreeOptsPage(UINT templateId, CTreeOptsDlg& sheet, std::initializer_list<int> sections);

    /// Checks and stores the controls, then OnOK; FALSE keeps the sheet open on this page.
    BOOL OnApply() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnSetActive() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    /// A control the page does not handle itself changed; the base marks the page modified.
    virtual void OnControlChanged(int id, UINT code);
    /// Shows the working copy in the controls, as filling.
    void Load();
    CDiagramSettings& Working();
    bool IsFilling() const { return m_filling; }
    /// Sets a control's text as filling, so that it counts as no change of the user's.
    void ShowText(int id, const std::string& text);

    // Exchanges of one working-copy value with its control. Whole numbers are checked against
    // their range only when check is set; a number outside it shows the range message.
    static void ExchangeInt(CDataExchange& dx, int id, int& value, int min, int max,
                            bool check = true);
    static void ExchangeBool(CDataExchange& dx, int id, bool& value);
    /// A decimal number from min to max; otherwise "Enter a number from <min> to <max>.".
    static void ExchangeDouble(CDataExchange& dx, int id, double& value, double min, double max);

    CTreeOptsDlg& m_sheet;
    std::vector<int> m_sections;

private:
    bool m_filling = false;
};
