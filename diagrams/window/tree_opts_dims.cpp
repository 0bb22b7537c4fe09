// diagrams/window/tree_opts_dims.cpp: the Dimensions page.
#include "diagrams/window/tree_opts_dims.h"

#include "diagrams/diagram_options_target.h"
#include "diagrams/diagram_settings.h"
#include "diagrams/window/diag_more_dimensions_dlg.h"
#include "diagrams/window/tree_opts_dlg.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/dialogs/edit.h"

#include <string>

CTreePageDims::CTreePageDims(CTreeOptsDlg& sheet)
    : CTreeOptsPage(kTemplate, sheet, {kSectionDimensions})
{
}

BOOL CTreePageDims::OnInitDialog()
{
    const CDiagramSettings& s = Working();
    m_startMinWidth = s.m_minBoxWidth;
    m_startDivisor = m_sheet.Window() ? m_sheet.Window()->GetScaleDivisor() : 0;
    m_testApplied = false;
    CTreeOptsPage::OnInitDialog();
    ShowTotal();
    return TRUE;
}

void CTreePageDims::DoDataExchange(CDataExchange& dx)
{
    CDiagramSettings& s = Working();
    ExchangeInt(dx, kMinWidthId, s.m_minBoxWidth, 5, 200);
    ExchangeInt(dx, kFontHeightId, s.m_boxFont.lfHeight, 1, 250);
    ExchangeInt(dx, kSpouseGapId, s.m_spouseGap, 0, 100);
    ExchangeInt(dx, kSiblingGapId, s.m_minSiblingGap, 0, 100);
    ExchangeInt(dx, kDescendantGapId, s.m_minDescendantGap, 0, 100);
    ExchangeInt(dx, kAncestorGapId, s.m_minAncestorGap, 0, 100);
    ExchangeInt(dx, kSubTreeGapId, s.m_subTreeGap, 0, 250);
    ExchangeInt(dx, kSecondSpouseGapId, s.m_minOtherSpouseGap, 0, 100);
    ExchangeInt(dx, kRelationshipGapId, s.m_relationshipDescriptionGap, 0, 500);
    const int radius = s.m_buttonRadius;
    int a = s.m_boxToBoxVertGap - s.m_buttonCentreToBoxVertGap - radius;
    int b = 2 * radius;
    int d = s.m_sibLineToBoxVertGap;
    int c = s.m_boxToBoxVertGap - 2 * radius - d - a;
    ExchangeInt(dx, kChainAId, a, 0, 1000);
    ExchangeInt(dx, kChainBId, b, 2, 50);
    ExchangeInt(dx, kChainCId, c, 0, 1000);
    ExchangeInt(dx, kChainDId, d, 0, 1000);
    ExchangeInt(dx, kDoubleLineGapId, s.m_spouseLinesGap, 0, 50);
    if (!dx.m_bSaveAndValidate)
        return;
    s.m_buttonRadius = b / 2;
    s.m_boxToBoxVertGap = d + c + 2 * s.m_buttonRadius + a;
    s.m_buttonCentreToBoxVertGap = s.m_boxToBoxVertGap - s.m_buttonRadius - a;
    s.m_sibLineToBoxVertGap = d;
}

void CTreePageDims::ShowTotal()
{
    long long total = 0;
    for (const int id : {kChainAId, kChainBId, kChainCId, kChainDId}) {
        BOOL translated = FALSE;
        const int value = int(GetDlgItemInt(id, &translated));
        if (translated)
            total += value;
    }
    SetDlgItemText(kTotalId, text::Format("%d", int(total)));
}

BOOL CTreePageDims::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (lParam && HIWORD(wParam) == BN_CLICKED && id == kTestId) {
        OnTest();
        return TRUE;
    }
    if (lParam && HIWORD(wParam) == BN_CLICKED && id == kMoreId) {
        OnMoreDimensions();
        return TRUE;
    }
    return CTreeOptsPage::OnCommand(wParam, lParam);
}

void CTreePageDims::OnControlChanged(int id, UINT code)
{
    if (id == kTotalId)
        return;
    CTreeOptsPage::OnControlChanged(id, code);
    const bool chain = id == kChainAId || id == kChainBId || id == kChainCId || id == kChainDId;
    if (chain && code == EN_CHANGE)
        ShowTotal();
    if (id != kChainBId || code != EN_KILLFOCUS)
        return;
    BOOL translated = FALSE;
    const int diameter = int(GetDlgItemInt(kChainBId, &translated));
    if (translated && diameter % 2 != 0 && diameter < 999999)
        SetDlgItemText(kChainBId, std::to_string(diameter + 1));
}

void CTreePageDims::OnTest()
{
    if (!UpdateData(TRUE))
        return;
    ApplyAndRedraw(false);
}

void CTreePageDims::OnMoreDimensions()
{
    CMoreDimensionsDlg dialog(Working(), this);
    if (dialog.DoModal() == IDOK)
        SetModified(TRUE);
}

void CTreePageDims::ApplyAndRedraw(bool restoreScale)
{
    const CDiagramSettings& s = Working();
    if (IDiagramOptionsWindow* window = m_sheet.Window()) {
        if (restoreScale)
            window->SetScale(m_startDivisor);
        else if (s.m_minBoxWidth != m_startMinWidth && s.m_minBoxWidth > 0)
            window->SetScale(
                int(static_cast<long long>(m_startMinWidth) * m_startDivisor / s.m_minBoxWidth));
    }
    m_testApplied = true;
    IDiagramOptionsTarget& target = m_sheet.Target();
    target.TakeSettings(s, kSectionDimensions);
    target.TakeSettings(s, kSectionFonts);
    target.RefreshDiagram();
    if (!target.RelayoutDiagram(true))
        MessageBox("Insufficient memory to display diagram.", MB_OK | MB_ICONEXCLAMATION);
}

void CTreePageDims::OnOK()
{
    ApplyAndRedraw(true);
    m_testApplied = false;
    m_sheet.ApplySections({kSectionDimensions, kSectionFonts}, {kSectionDimensions, kSectionFonts});
}

void CTreePageDims::OnCancel()
{
    CDiagramSettings& s = Working();
    s.CopySettings(m_sheet.Applied(), kSectionDimensions);
    s.CopySettings(m_sheet.Applied(), kSectionFonts);
    if (IDiagramOptionsWindow* window = m_sheet.Window())
        window->SetScale(m_startDivisor);
    if (m_testApplied)
        ApplyAndRedraw(true);
    m_testApplied = false;
}
