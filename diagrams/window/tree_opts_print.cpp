// diagrams/window/tree_opts_print.cpp: the Print page.
#include "diagrams/window/tree_opts_print.h"

#include "diagrams/diagram_settings.h"
#include "diagrams/page_grid.h"
#include "diagrams/window/tree_opts_dlg.h"
#include "diagrams/window/tree_opts_font.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/dialogs/edit.h"

#include <string>

namespace {

constexpr double kMaxMargin = 40.0;
constexpr int kMaxMarginHundredths = 4000;

constexpr const char* kPreserveQuestion =
    "If this option is checked, Ardenvel will ensure that the ratio between the width and "
    "height of your diagram matches that of your printer's paper.  If this ratio is not "
    "preserved your diagrams may appear squeezed or stretched when printed.  Are you sure you "
    "want to uncheck this option?";
constexpr const char* kMarginQuestion =
    "Your margin settings will distort the shape of your diagram when printed, making it "
    "appear squeezed or stretched.  To prevent this, and preserve the correct ratio between "
    "page width and height, the total value of the top and bottom margins should match the "
    "total value of the left and right margins.  Would you like Ardenvel to adjust your margin "
    "settings for you?\n\n(If you wish to keep your margin settings, press 'No', uncheck the "
    "'Preserve Aspect Ratio' check box, and then press 'OK' again)";

} // namespace

CTreePagePrint::CTreePagePrint(CTreeOptsDlg& sheet)
    : CTreeOptsPage(kTemplate, sheet, {kSectionPrinting})
{
}

void CTreePagePrint::DoDataExchange(CDataExchange& dx)
{
    CDiagramSettings& s = Working();
    int landscape = s.m_printLandscape ? 1 : 0;
    dx.Radio(kPortraitId, landscape);
    if (dx.m_bSaveAndValidate)
        s.m_printLandscape = landscape == 1;
    ExchangeInt(dx, kWidthId, s.m_pageWidth, kMinPageSide, kMaxPageSide);
    ExchangeInt(dx, kHeightId, s.m_pageHeight, kMinPageSide, kMaxPageSide);
    s.m_pageXOrigin = NormalisePageOrigin(s.m_pageXOrigin, s.m_pageWidth);
    s.m_pageYOrigin = NormalisePageOrigin(s.m_pageYOrigin, s.m_pageHeight);
    ExchangeInt(dx, kXOriginId, s.m_pageXOrigin, 0, 0, false);
    ExchangeInt(dx, kYOriginId, s.m_pageYOrigin, 0, 0, false);
    s.m_pageXOrigin = NormalisePageOrigin(s.m_pageXOrigin, s.m_pageWidth);
    s.m_pageYOrigin = NormalisePageOrigin(s.m_pageYOrigin, s.m_pageHeight);
    ExchangeBool(dx, kBlackAndWhiteId, s.m_printBlackAndWhite);
    ExchangeBool(dx, kStripesId, s.m_altPrintStripes);
    ExchangeBool(dx, kNoButtonsId, s.m_neverPrintExpansionButtons);
    ExchangeDouble(dx, kTopId, s.m_topMargin, 0.0, kMaxMargin);
    ExchangeDouble(dx, kLeftId, s.m_leftMargin, 0.0, kMaxMargin);
    ExchangeDouble(dx, kBottomId, s.m_bottomMargin, 0.0, kMaxMargin);
    ExchangeDouble(dx, kRightId, s.m_rightMargin, 0.0, kMaxMargin);
    ExchangeBool(dx, kPreserveId, s.m_preserveRatios);
}

int CTreePagePrint::ShownInt(int id, int fallback) const
{
    BOOL translated = FALSE;
    const int value = int(GetDlgItemInt(id, &translated));
    return translated ? value : fallback;
}

void CTreePagePrint::OnControlChanged(int id, UINT code)
{
    CTreeOptsPage::OnControlChanged(id, code);
    if (code == BN_CLICKED && (id == kPortraitId || id == kLandscapeId)) {
        OnOrientation(id == kLandscapeId);
    } else if (code == BN_CLICKED && id == kPreserveId &&
               IsDlgButtonChecked(kPreserveId) != BST_CHECKED) {
        if (MessageBox(kPreserveQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
            CheckDlgButton(kPreserveId, BST_CHECKED);
    } else if (code == EN_KILLFOCUS && (id == kWidthId || id == kHeightId)) {
        if (IsDlgButtonChecked(kPreserveId) == BST_CHECKED)
            KeepRatio(id == kWidthId);
    } else if (code == EN_KILLFOCUS && id == kXOriginId) {
        NormaliseOriginShown(kXOriginId, kWidthId);
    } else if (code == EN_KILLFOCUS && id == kYOriginId) {
        NormaliseOriginShown(kYOriginId, kHeightId);
    }
}

void CTreePagePrint::OnOrientation(bool landscape)
{
    const int width = ShownInt(kWidthId, 0), height = ShownInt(kHeightId, 0);
    if ((landscape && width < height) || (!landscape && width > height)) {
        SetDlgItemText(kWidthId, std::to_string(height));
        SetDlgItemText(kHeightId, std::to_string(width));
    }
}

void CTreePagePrint::KeepRatio(bool widthLeft)
{
    int pw = 0, ph = 0;
    GetPrinterPageProportions(IsDlgButtonChecked(kLandscapeId) == BST_CHECKED, pw, ph);
    if (pw <= 0 || ph <= 0)
        return;
    BOOL translated = FALSE;
    const long long side = GetDlgItemInt(widthLeft ? kWidthId : kHeightId, &translated);
    if (!translated || side < kMinPageSide || side > kMaxPageSide)
        return;
    const long long other = SideInProportion(side, pw, ph, !widthLeft);
    SetDlgItemText(widthLeft ? kHeightId : kWidthId, std::to_string(other));
}

void CTreePagePrint::NormaliseOriginShown(int id, int sideId)
{
    BOOL translated = FALSE;
    const int origin = int(GetDlgItemInt(id, &translated));
    const int side = ShownInt(sideId, 0);
    if (translated && side >= kMinPageSide)
        SetDlgItemText(id, std::to_string(NormalisePageOrigin(origin, side)));
}

BOOL CTreePagePrint::OnApply()
{
    if (!UpdateData(TRUE))
        return FALSE;
    CDiagramSettings& s = Working();
    if (s.m_preserveRatios) {
        int top = int(s.m_topMargin * 100), bottom = int(s.m_bottomMargin * 100);
        const int left = int(s.m_leftMargin * 100), right = int(s.m_rightMargin * 100);
        if (top + bottom != left + right) {
            if (MessageBox(kMarginQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
                return FALSE;
            bottom = left + right - top;
            if (bottom > kMaxMarginHundredths) {
                top += bottom - kMaxMarginHundredths;
                bottom = kMaxMarginHundredths;
            } else if (bottom < 0) {
                top += bottom;
                bottom = 0;
            }
            s.m_topMargin = top / 100.0;
            s.m_bottomMargin = bottom / 100.0;
            Load();
            return FALSE;
        }
    }
    return CPropertyPage::OnApply();
}
