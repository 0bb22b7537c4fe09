// records/grid/tag_grid_opts_dlg.cpp: the Record Window Options sheet.
#include "records/grid/tag_grid_opts_dlg.h"

#include "database/nodes/change_hint.h"
#include "records/grid/rec_wnd_options.h"

#include "app/shell/shell_app.h"
#include "controls/colour_chooser.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/windows/app.h"

#include <array>

namespace {

/// The display-choice lists, by list index.
constexpr std::array<int, CRecWndOptions::kTypeCount> kChoiceLists = {1244, 1250, 1251, 1252, 1253,
                                                                      1254, 1255, 1256, 1257};
constexpr int kSurnamesFirst = 1048, kShowPedigree = 1049;
constexpr int kColoursButton = 1008;
constexpr const char* kChoices[] = {"Always show", "Hide if none", "Always hide"};

/// The Advanced page's pairs: the box for value 1 and the box for value 2 (0: none).
struct BackLinkBoxes {
    int first;
    int second;
    int CRecWndOptions::*option;
};
constexpr BackLinkBoxes kBackLinks[] = {
    {1049, 0, &CRecWndOptions::m_showSpouse},
    {1051, 1052, &CRecWndOptions::m_showChild},
    {1053, 1054, &CRecWndOptions::m_showFamilyAsSpouse},
    {1055, 1056, &CRecWndOptions::m_showFamilyAsChild},
};

void Broadcast(ChangeHint hint)
{
    if (IShellApp* app = GetShellApp())
        app->BroadcastUpdate(nullptr, hint, nullptr, FALSE);
}

/// The colour chooser's side of the options: choices shown at once, defaults on request.
class COptionColours final : public IColourSink {
public:
    explicit COptionColours(CRecWndOptions& options) : m_options(options)
    {
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            const RecWndColour& row = options.m_colours[i];
            m_items[i] = {.colour = row.colour,
                          .name = row.name,
                          .mayBeTransparent = row.mayBeTransparent,
                          .transparent = row.transparent};
        }
    }
    void Apply(const ColourItem* items, int count) override
    {
        for (int i = 0; i < count && i < kRecWndColourCount; ++i) {
            m_options.m_colours[std::size_t(i)].colour = items[i].colour;
            m_options.m_colours[std::size_t(i)].transparent = items[i].transparent;
        }
        Broadcast(kHintDisplayOptionsApplied);
    }
    void ResetToInstallationSettings(ColourItem* items, int count) override
    {
        CRecWndOptions defaults;
        defaults.SetDefaults(CRecWndOptions::kColours);
        for (int i = 0; i < count && i < kRecWndColourCount; ++i) {
            items[i].colour = defaults.m_colours[std::size_t(i)].colour;
            items[i].transparent = defaults.m_colours[std::size_t(i)].transparent;
        }
    }
    std::array<ColourItem, kRecWndColourCount> m_items{};

private:
    CRecWndOptions& m_options;
};

} // namespace

// ---- General ----------------------------------------------------------------------------------

CTagGridPageGen::CTagGridPageGen(CTagGridOptsDlg& sheet)
    : CPropertyPage(kTagGridGeneralTemplate), m_owner(sheet)
{
}

BOOL CTagGridPageGen::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CRecWndOptions& options = *m_owner.m_options;
    CheckDlgButton(kSurnamesFirst, options.m_surnamesFirst ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(kShowPedigree, options.m_showPedigree ? BST_CHECKED : BST_UNCHECKED);
    options.m_displayChoice[0] = 0;
    for (std::size_t i = 0; i < kChoiceLists.size(); ++i) {
        auto* list = dynamic_cast<CComboBox*>(GetDlgItem(kChoiceLists[i]));
        if (!list)
            continue;
        for (const char* choice : kChoices)
            list->AddString(choice);
        const int choice = options.m_displayChoice[i];
        list->SetCurSel(choice == 0 || choice == 1 ? choice : 2);
        if (i == 0)
            list->EnableWindow(FALSE);
    }
    return TRUE;
}

BOOL CTagGridPageGen::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const bool check =
        HIWORD(wParam) == BN_CLICKED && (id == kSurnamesFirst || id == kShowPedigree);
    bool list = false;
    for (const int listId : kChoiceLists)
        list = list || (HIWORD(wParam) == CBN_SELCHANGE && id == listId);
    if (lParam && (check || list)) {
        SetModified(TRUE);
        m_changed = true;
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

BOOL CTagGridPageGen::OnApply()
{
    SetModified(FALSE);
    CRecWndOptions& options = *m_owner.m_options;
    for (std::size_t i = 0; i < kChoiceLists.size(); ++i) {
        const auto* list = dynamic_cast<CComboBox*>(GetDlgItem(kChoiceLists[i]));
        const int item = list ? list->GetCurSel() : 0;
        options.m_displayChoice[i] = item == 0 || item == 1 ? item : 2;
    }
    options.m_displayChoice[0] = 0;
    options.m_surnamesFirst = IsDlgButtonChecked(kSurnamesFirst) == BST_CHECKED;
    options.m_showPedigree = IsDlgButtonChecked(kShowPedigree) == BST_CHECKED;
    if (m_changed) {
        m_changed = false;
        Broadcast(kHintDisplayOptionsApplied);
    }
    m_owner.OnPageApplied(*this);
    return TRUE;
}

// ---- Advanced ---------------------------------------------------------------------------------

CTagGridPageInc::CTagGridPageInc(CTagGridOptsDlg& sheet)
    : CPropertyPage(kTagGridAdvancedTemplate), m_owner(sheet)
{
}

BOOL CTagGridPageInc::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    const CRecWndOptions& options = *m_owner.m_options;
    for (const BackLinkBoxes& pair : kBackLinks) {
        CheckDlgButton(pair.first, options.*pair.option == 1 ? BST_CHECKED : BST_UNCHECKED);
        if (pair.second)
            CheckDlgButton(pair.second, options.*pair.option == 2 ? BST_CHECKED : BST_UNCHECKED);
    }
    return TRUE;
}

BOOL CTagGridPageInc::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (!lParam || HIWORD(wParam) != BN_CLICKED)
        return CPropertyPage::OnCommand(wParam, lParam);
    if (id == kColoursButton) {
        OnColours();
        return TRUE;
    }
    for (const BackLinkBoxes& pair : kBackLinks) {
        if (id != pair.first && id != pair.second)
            continue;
        SetModified(TRUE);
        const int partner = id == pair.first ? pair.second : pair.first;
        if (partner && IsDlgButtonChecked(id) == BST_CHECKED)
            CheckDlgButton(partner, BST_UNCHECKED);
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

BOOL CTagGridPageInc::OnApply()
{
    SetModified(FALSE);
    CRecWndOptions& options = *m_owner.m_options;
    bool changed = false;
    for (const BackLinkBoxes& pair : kBackLinks) {
        int value = 0;
        if (IsDlgButtonChecked(pair.first) == BST_CHECKED)
            value = 1;
        else if (pair.second && IsDlgButtonChecked(pair.second) == BST_CHECKED)
            value = 2;
        changed = changed || options.*pair.option != value;
        options.*pair.option = value;
    }
    if (changed)
        Broadcast(kHintIncludeOptionsChanged);
    m_owner.OnPageApplied(*this);
    return TRUE;
}

void CTagGridPageInc::OnColours()
{
    COptionColours colours(*m_owner.m_options);
    if (ChooseColours(this, colours.m_items.data(), int(colours.m_items.size()), &colours, false,
                      nullptr))
        Broadcast(kHintDisplayOptionsApplied);
}

// ---- The sheet --------------------------------------------------------------------------------

CTagGridOptsDlg::CTagGridOptsDlg(const char* caption, CWnd* parent, UINT firstPage)
    : CPropertySheet(caption, parent, firstPage), m_general(*this), m_advanced(*this)
{
    AddPage(&m_general);
    AddPage(&m_advanced);
}

void CTagGridOptsDlg::OnPageApplied(const CPropertyPage& page)
{
    for (int i = GetPageCount() - 1; i >= 0; --i) {
        const CPropertyPage* last = GetPage(i);
        if (!last->GetSafeHwnd())
            continue;
        if (last == &page && m_options)
            if (CWinApp* app = AfxGetApp())
                m_options->Save(app->GetProfile());
        return;
    }
}

void RunRecWndOptionsDialog(const char* caption, CWnd* parent)
{
    CTagGridOptsDlg sheet(caption, parent);
    sheet.m_options = &RecWndOptions();
    sheet.DoModal();
}
