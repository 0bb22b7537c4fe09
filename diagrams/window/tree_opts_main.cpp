// diagrams/window/tree_opts_main.cpp: the General page.
#include "diagrams/window/tree_opts_main.h"

#include "controls/window_text.h"
#include "diagrams/diagram_settings.h"
#include "diagrams/window/tree_opts_colours.h"
#include "diagrams/window/tree_opts_dlg.h"
#include "diagrams/window/tree_opts_font.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/dialogs/edit.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

using C = CTreePageMain;

/// The lists of the page's combo boxes, in order.
constexpr std::pair<int, const char*> kComboRows[] = {
    {C::kTypeId, "Ancestors"},
    {C::kTypeId, "Descendants"},
    {C::kTypeId, "Ancestors and Descendants"},
    {C::kTypeId, "All Relatives"},
    {C::kCountId, "diagram root"},
    {C::kCountId, "each ancestor"},
    {C::kLayoutId, "Fewer rows per gen at top of diagram"},
    {C::kLayoutId, "Fixed no. of rows per gen - gaps left at top"},
    {C::kLayoutId, "Fixed no. of rows per gen - gaps left at bottom"},
    {C::kSpouseId, "No spouses or duplicates"},
    {C::kSpouseId, "Show duplicates"},
    {C::kSpouseId, "Show spouses"},
    {C::kCompressionId, "Close fit (narrow diagram)"},
    {C::kCompressionId, "Standard fit (medium diagram)"},
    {C::kCompressionId, "Loose fit (wide diagram)"},
    {C::kBackgroundId, "Row stripes"},
    {C::kBackgroundId, "Generation stripes (All Relatives only)"},
    {C::kBackgroundId, "No stripes"},
    {C::kBoundariesId, "Row boundaries"},
    {C::kBoundariesId, "Generation boundaries (All Relatives only)"},
    {C::kBoundariesId, "No boundaries"},
    {C::kRelationshipId, "On the left side"},
    {C::kRelationshipId, "On the right side"},
    {C::kRelationshipId, "On both sides"},
    {C::kRelationshipId, "None"},
    {C::kDuplicateLineId, "Solid Line"},
    {C::kDuplicateLineId, "Stretchy Line"},
    {C::kDuplicateLineId, "Dotted Line"},
    {C::kDuplicateLineId, "2 Dotted Lines"},
    {C::kDuplicateLineId, "None"},
};
static_assert(std::size(kComboRows) == 30);

constexpr int kNoSpouses = 0, kShowDuplicates = 1;

/// The layout combo's item for the two All Relatives flags, and back.
int LayoutIndex(const CDiagramSettings& s)
{
    return !s.m_fixedGenerationSize ? 0 : s.m_gapsAtTop ? 1 : 2;
}

void TakeLayout(CDiagramSettings& s, int index)
{
    s.m_fixedGenerationSize = index == 1 || index == 2;
    // Without a fixed size the gaps mean nothing: keep them, so an untouched page is no change.
    if (s.m_fixedGenerationSize)
        s.m_gapsAtTop = index == 1;
}

/// A combo's index exchanged with a field; a combo with nothing chosen leaves the field alone.
void ExchangeIndex(CDataExchange& dx, int id, int& value)
{
    int index = value;
    dx.ComboIndex(id, index);
    if (index >= 0)
        value = index;
}

} // namespace

CTreePageMain::CTreePageMain(CTreeOptsDlg& sheet)
    : CTreeOptsPage(kTemplate, sheet, {kSectionGeneral})
{
}

BOOL CTreePageMain::OnInitDialog()
{
    FillDialogCombos(*this, kComboRows);
    CTreeOptsPage::OnInitDialog();
    EnableForType();
    UpdateRows();
    return TRUE;
}

int CTreePageMain::ShownType() const
{
    const auto* combo = dynamic_cast<const CComboBox*>(GetDlgItem(kTypeId));
    const int index = combo ? combo->GetCurSel() : -1;
    return index >= 0 ? index : m_sheet.Working().m_diagramType;
}

void CTreePageMain::DoDataExchange(CDataExchange& dx)
{
    CDiagramSettings& s = Working();
    const bool saving = dx.m_bSaveAndValidate;
    int type = s.m_diagramType;
    dx.ComboIndex(kTypeId, type);
    const int checkedType = s.m_diagramType; // the values shown belong to it
    const auto generations = [&](int id, int& value, bool check) {
        if (!saving || check) {
            ExchangeInt(dx, id, value, 1, 999);
            return;
        }
        BOOL translated = FALSE;
        const int typed = int(GetDlgItemInt(id, &translated));
        if (translated)
            value = typed;
    };
    generations(kUpId, s.m_ancestorGenerations, checkedType != kDescendantsDiagram);
    generations(kDownId, s.m_descendantGenerations, checkedType != kAncestorsDiagram);
    int count = s.m_countDownFromTop ? 1 : 0;
    ExchangeIndex(dx, kCountId, count);
    int layout = LayoutIndex(s);
    ExchangeIndex(dx, kLayoutId, layout);
    if (saving) {
        s.m_countDownFromTop = count == 1;
        TakeLayout(s, layout);
    }
    if (!saving || checkedType == kAllRelativesDiagram) {
        ExchangeInt(dx, kRowsId, s.m_rowsPerGeneration, 2, 50);
    } else {
        BOOL translated = FALSE;
        const int typed = int(GetDlgItemInt(kRowsId, &translated));
        if (translated)
            s.m_rowsPerGeneration = typed;
    }
    ExchangeIndex(dx, kSpouseId, s.m_spouseOption);
    ExchangeIndex(dx, kCompressionId, s.m_horizontalCompression);
    ExchangeIndex(dx, kBackgroundId, s.m_background);
    ExchangeIndex(dx, kBoundariesId, s.m_boundaries);
    ExchangeIndex(dx, kRelationshipId, s.m_relationshipDescriptions);
    ExchangeIndex(dx, kDuplicateLineId, s.m_duplicateLine);
    ExchangeBool(dx, kExpandId, s.m_expandSiblingBranches);
    ExchangeBool(dx, kButtonsId, s.m_showExpansionButtons);
    ExchangeBool(dx, kBoxesId, s.m_showBoxes);
    ExchangeBool(dx, kDuplicatesWithSpousesId, s.m_duplicatesWithSpouses);
    ExchangeBool(dx, kDividingLineId, s.m_horizontalDividingLine);
    ExchangeBool(dx, kCentreRootId, s.m_centreDiagramRoot);
    ExchangeBool(dx, kCentreSubTreesId, s.m_centreSubTreeRoots);
    if (saving) {
        s.m_ancestorGenerations = std::max(1, s.m_ancestorGenerations);
        s.m_descendantGenerations = std::max(1, s.m_descendantGenerations);
        s.m_rowsPerGeneration = std::max(2, s.m_rowsPerGeneration);
        s.StoreTypeGenerations();
    } else {
        const int automatic = std::min(kAutoRowsCap, m_sheet.Target().GetAutoRowsPerGeneration(s));
        CheckDlgButton(kAutoSetId,
                       automatic == s.m_rowsPerGeneration ? BST_CHECKED : BST_UNCHECKED);
    }
}

BOOL CTreePageMain::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (lParam && code == BN_CLICKED && id == kColoursId) {
        OnColours();
        return TRUE;
    }
    if (lParam && code == BN_CLICKED && id == kFontId) {
        OnFont();
        return TRUE;
    }
    return CTreeOptsPage::OnCommand(wParam, lParam);
}

void CTreePageMain::OnControlChanged(int id, UINT code)
{
    CTreeOptsPage::OnControlChanged(id, code);
    if (code == CBN_SELCHANGE && id == kTypeId) {
        OnTypeChosen();
        return;
    }
    if (code == CBN_SELCHANGE && id == kSpouseId && ShownType() == kAllRelativesDiagram) {
        auto* spouses = dynamic_cast<CComboBox*>(GetDlgItem(kSpouseId));
        if (spouses && spouses->GetCurSel() == kNoSpouses) {
            MessageBox("This option is not supported in an \"All Relatives\" diagram",
                       MB_OK | MB_ICONEXCLAMATION, "Option not supported");
            spouses->SetCurSel(kShowDuplicates);
        }
        return;
    }
    if (id == kRowsId && code == EN_CHANGE && !m_settingRows) {
        CheckDlgButton(kAutoSetId, BST_UNCHECKED);
        return;
    }
    if ((code == CBN_SELCHANGE && (id == kCountId || id == kLayoutId)) ||
        (code == EN_CHANGE && (id == kUpId || id == kDownId)) ||
        (code == BN_CLICKED && id == kAutoSetId))
        UpdateRows();
}

void CTreePageMain::OnTypeChosen()
{
    CDiagramSettings& s = Working();
    const int chosen = ShownType();
    if (chosen == s.m_diagramType)
        return;
    auto* types = dynamic_cast<CComboBox*>(GetDlgItem(kTypeId));
    if (!UpdateData(TRUE)) {
        if (types)
            types->SetCurSel(s.m_diagramType);
        return;
    }
    s.SetDiagramType(chosen);
    if (chosen == kAllRelativesDiagram && s.m_spouseOption == kNoSpouses)
        s.m_spouseOption = kShowDuplicates;
    Load();
    EnableForType();
    UpdateRows();
}

void CTreePageMain::EnableForType()
{
    const int type = ShownType();
    const bool relatives = type == kAllRelativesDiagram;
    const auto enable = [this](int id, bool on) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(on);
    };
    enable(kUpId, type != kDescendantsDiagram);
    enable(kDownId, type != kAncestorsDiagram);
    for (const int id : {kCountId, kLayoutId, kRowsId, kAutoSetId})
        enable(id, relatives);
}

void CTreePageMain::UpdateRows()
{
    CWnd* max = GetDlgItem(kMaxId);
    if (ShownType() != kAllRelativesDiagram) {
        if (max)
            max->ShowWindow(SW_HIDE);
        return;
    }
    CDiagramSettings& s = Working();
    BOOL translated = FALSE;
    if (const int up = int(GetDlgItemInt(kUpId, &translated)); translated)
        s.m_ancestorGenerations = up;
    if (const int down = int(GetDlgItemInt(kDownId, &translated)); translated)
        s.m_descendantGenerations = down;
    if (const auto* count = dynamic_cast<const CComboBox*>(GetDlgItem(kCountId));
        count && count->GetCurSel() >= 0)
        s.m_countDownFromTop = count->GetCurSel() == 1;
    if (const auto* layout = dynamic_cast<const CComboBox*>(GetDlgItem(kLayoutId));
        layout && layout->GetCurSel() >= 0)
        TakeLayout(s, layout->GetCurSel());
    if (max)
        max->ShowWindow(s.m_fixedGenerationSize ? SW_HIDE : SW_SHOW);
    if (IsDlgButtonChecked(kAutoSetId) != BST_CHECKED)
        return;
    const int automatic = std::min(kAutoRowsCap, m_sheet.Target().GetAutoRowsPerGeneration(s));
    m_settingRows = true;
    SetDlgItemText(kRowsId, std::to_string(automatic));
    m_settingRows = false;
}

void CTreePageMain::OnColours()
{
    CDiagramSettings& s = Working();
    auto colours = s.m_colours;
    bool save = false;
    const bool window = m_sheet.Window() != nullptr;
    if (!ChooseDiagramColours(this, colours.data(), kDiagramColourCount, this, window, &save))
        return;
    s.m_colours = colours;
    m_sheet.Target().TakeSettings(s, kSectionColours);
    m_sheet.Applied().CopySettings(s, kSectionColours);
    if (!window || save)
        m_sheet.SaveAsDefault({kSectionColours});
    m_sheet.Target().RefreshDiagram();
}

void CTreePageMain::OnFont()
{
    CDiagramSettings& s = Working();
    if (!ChooseDiagramFont(this, s.m_relationshipFont, s, false))
        return;
    m_sheet.Target().TakeSettings(s, kSectionFonts);
    m_sheet.Applied().CopySettings(s, kSectionFonts);
    m_sheet.Target().RefreshDiagram();
}

void CTreePageMain::ApplyColours(const DiagramColourEntry* entries, int count)
{
    CDiagramSettings shown = m_sheet.Edited();
    for (int i = 0; i < count && i < kDiagramColourCount; ++i) {
        shown.m_colours[std::size_t(i)].colour = entries[i].colour;
        shown.m_colours[std::size_t(i)].transparent = entries[i].transparent;
    }
    m_sheet.Target().TakeSettings(shown, kSectionColours);
    m_sheet.Target().RefreshDiagram();
}

void CTreePageMain::ResetColoursToInstallation(DiagramColourEntry* entries, int count)
{
    ResetDiagramColours(entries, count);
}

void CTreePageMain::OnOK()
{
    CDiagramSettings& s = Working();
    m_sheet.Target().TakeSettings(s, kSectionGeneral);
    if (m_sheet.IsSaveAsDefault())
        m_sheet.SaveAsDefault({kSectionGeneral, kSectionColours, kSectionFonts});
    CDiagramSettings& applied = m_sheet.Applied();
    if (applied.CompareGeneralSettings(s, kSectionGeneral)) {
        m_sheet.Target().RefreshDiagram();
        return;
    }
    const bool typeChanged = applied.m_diagramType != s.m_diagramType;
    applied.CopySettings(s, kSectionGeneral);
    m_sheet.Target().ApplyGeneralOptions(typeChanged);
}
