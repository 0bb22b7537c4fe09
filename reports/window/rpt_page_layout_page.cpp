// reports/window/rpt_page_layout_page.cpp: the Page Layout page's exchange, font buttons and
// the two-decimal edits.
#include "reports/window/rpt_page_layout_page.h"

#include "reports/rpt_gen.h"
#include "reports/window/sub_view_report.h"

#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/dialogs/font_dialog.h"
#include "platform/ui/drawing/client_dc.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr int kMaxHundredths = 9'999'999;

/// The two-decimal edits and the fields they show.
struct DigitsEdit {
    int id;
    int CRptLayout::*field;
};
constexpr DigitsEdit kDigitsEdits[] = {
    {IDC_RPL_MARGIN_TOP, &CRptLayout::m_marginTop},
    {IDC_RPL_MARGIN_LEFT, &CRptLayout::m_marginLeft},
    {IDC_RPL_MARGIN_BOTTOM, &CRptLayout::m_marginBottom},
    {IDC_RPL_MARGIN_RIGHT, &CRptLayout::m_marginRight},
    {IDC_RPL_TAB_WIDTH, &CRptLayout::m_tabWidth},
    {IDC_RPL_PARA_INDENT, &CRptLayout::m_paraIndent},
    {IDC_RPL_HEADER_DEPTH, &CRptLayout::m_minHeaderDepth},
    {IDC_RPL_FOOTER_DEPTH, &CRptLayout::m_minFooterDepth},
};

} // namespace

std::string FormatHundredths(int value)
{
    const bool negative = value < 0;
    const long long magnitude = negative ? -static_cast<long long>(value) : value;
    std::string shown = text::Format("%s%lld", negative ? "-" : "", magnitude / 100);
    const int fraction = int(magnitude % 100);
    if (fraction != 0)
        shown += fraction % 10 == 0 ? text::Format(".%d", fraction / 10)
                                    : text::Format(".%02d", fraction);
    return shown;
}

int ReadHundredths(std::string_view typed)
{
    std::size_t at = 0;
    while (at < typed.size() && std::isspace(static_cast<unsigned char>(typed[at])))
        ++at;
    long long whole = 0;
    bool digits = false;
    for (; at < typed.size() && std::isdigit(static_cast<unsigned char>(typed[at])); ++at) {
        digits = true;
        whole = std::min<long long>(whole * 10 + (typed[at] - '0'), kMaxHundredths);
    }
    if (!digits)
        return 0;
    int fraction = 0;
    if (at < typed.size() && typed[at] == '.') {
        ++at;
        for (int scale = 10;
             scale > 0 && at < typed.size() && std::isdigit(static_cast<unsigned char>(typed[at]));
             scale /= 10, ++at)
            fraction += (typed[at] - '0') * scale;
    }
    return int(std::min<long long>(whole * 100 + fraction, kMaxHundredths));
}

bool IsLengthText(std::string_view typed)
{
    return std::any_of(typed.begin(), typed.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

std::string FontButtonText(const LOGFONT& font)
{
    return text::Format("%s %ld pt", font.lfFaceName, long(font.lfHeight));
}

bool ChooseReportFont(CWnd* parent, LOGFONT& font)
{
    LOGFONT shown = font;
    {
        CClientDC screen(nullptr);
        const long long pixels =
            static_cast<long long>(font.lfHeight) * screen.GetDeviceCaps(LOGPIXELSY);
        shown.lfHeight = -int((pixels + 36) / 72);
    }
    CFontDialog dialog(&shown, CF_BOTH | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_FORCEFONTEXIST,
                       nullptr, parent);
    if (dialog.DoModal() != IDOK)
        return false;
    LOGFONT chosen = dialog.m_lf;
    chosen.lfHeight = std::max(1, dialog.GetSize() / 10);
    font = chosen;
    return true;
}

BOOL CRptPageLayoutPage::OnInitDialog()
{
    if (auto* symmetry = dynamic_cast<CComboBox*>(GetDlgItem(IDC_RPL_SYMMETRY))) {
        symmetry->AddString("Use all settings on both odd and even pages");
        symmetry->AddString("Mirror margins, headers and footers on even pages");
    }
    // Which column indents a report uses.
    const int type = m_opts ? m_opts->GetReportType() : kRptTypeInd;
    const int columns = type == kRptTypeInd || type == kRptTypeFam    ? 4
                        : type == kRptTypeSrc || type == kRptTypeList ? 2
                                                                      : 0;
    for (int i = 0; i < 4; ++i)
        for (int id : {IDC_RPL_COLUMN + i, IDC_RPL_COLUMN_LABEL + i})
            if (CWnd* control = GetDlgItem(id))
                control->ShowWindow(i < columns ? SW_SHOW : SW_HIDE);
    if (CWnd* group = GetDlgItem(IDC_RPL_COLUMNS_GROUP))
        group->ShowWindow(columns > 0 ? SW_SHOW : SW_HIDE);
    const bool paragraph = type != kRptTypeSrc && type != kRptTypeList;
    for (int id : {IDC_RPL_PARA_INDENT, IDC_RPL_PARA_LABEL})
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(paragraph ? SW_SHOW : SW_HIDE);
    return CRptPage::OnInitDialog();
}

void CRptPageLayoutPage::DoDataExchange(CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    if (!m_opts)
        return;
    CRptLayout& layout = Copy().m_layout;
    int symmetry = layout.m_mirrorPages ? 1 : 0;
    dx.ComboIndex(IDC_RPL_SYMMETRY, symmetry);
    int orientation = layout.m_landscape ? 1 : 0;
    dx.Radio(IDC_RPL_PORTRAIT, orientation);
    for (int i = 0; i < 3; ++i) {
        dx.Text(IDC_RPL_HEADER_TEXT + i, layout.m_headerTexts[std::size_t(i)]);
        dx.Text(IDC_RPL_FOOTER_TEXT + i, layout.m_footerTexts[std::size_t(i)]);
    }
    BOOL headerLine = layout.m_headerLine, footerLine = layout.m_footerLine,
         recordStart = layout.m_recordStart;
    dx.Check(IDC_RPL_HEADER_LINE, headerLine);
    dx.Check(IDC_RPL_FOOTER_LINE, footerLine);
    dx.Check(IDC_RPL_RECORD_START, recordStart);
    int startPage = layout.m_startingPage;
    dx.Text(IDC_RPL_START_PAGE, startPage);
    // A length without a digit is refused, as the whole-number edits refuse theirs, rather than
    // read as 0.
    const auto digits = [&](int id, int& field) {
        if (dx.m_bSaveAndValidate) {
            std::string typed;
            GetDlgItemText(id, typed);
            if (!IsLengthText(typed)) {
                dx.PrepareCtrl(id);
                MessageBox("Enter a number.", MB_OK | MB_ICONEXCLAMATION);
                dx.Fail();
            }
            field = ReadHundredths(typed);
        } else {
            SetDlgItemText(id, FormatHundredths(field));
        }
    };
    for (const DigitsEdit& edit : kDigitsEdits)
        digits(edit.id, layout.*edit.field);
    for (int i = 0; i < 4; ++i)
        digits(IDC_RPL_COLUMN + i, layout.m_colStarts[std::size_t(i)]);
    if (dx.m_bSaveAndValidate) {
        layout.m_mirrorPages = symmetry == 1;
        layout.m_landscape = orientation == 1;
        layout.m_headerLine = headerLine != FALSE;
        layout.m_footerLine = footerLine != FALSE;
        layout.m_recordStart = recordStart != FALSE;
        layout.m_startingPage = startPage;
    } else {
        LabelFontButtons();
    }
}

void CRptPageLayoutPage::LabelFontButtons()
{
    if (!m_opts)
        return;
    const CRptLayout& layout = Copy().m_layout;
    for (int i = 0; i < 3; ++i) {
        SetDlgItemText(IDC_RPL_HEADER_FONT + i,
                       FontButtonText(layout.m_headerFonts[std::size_t(i)]));
        SetDlgItemText(IDC_RPL_FOOTER_FONT + i,
                       FontButtonText(layout.m_footerFonts[std::size_t(i)]));
    }
}

void CRptPageLayoutPage::Normalise()
{
    if (m_normalising)
        return;
    std::string typed;
    for (const DigitsEdit& edit : kDigitsEdits) {
        GetDlgItemText(edit.id, typed);
        if (!IsLengthText(typed))
            return;
    }
    for (int i = 0; i < 4; ++i) {
        GetDlgItemText(IDC_RPL_COLUMN + i, typed);
        if (!IsLengthText(typed))
            return;
    }
    long start = 0;
    GetDlgItemText(IDC_RPL_START_PAGE, typed);
    if (!text::ParseInt(typed, start))
        return;
    m_normalising = true;
    if (UpdateData(TRUE))
        UpdateData(FALSE);
    m_normalising = false;
}

BOOL CRptPageLayoutPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (m_opts && HIWORD(wParam) == EN_KILLFOCUS &&
        ((id >= IDC_RPL_MARGIN_TOP && id <= IDC_RPL_MARGIN_RIGHT) ||
         (id >= IDC_RPL_COLUMN && id < IDC_RPL_COLUMN + 4) || id == IDC_RPL_TAB_WIDTH ||
         id == IDC_RPL_PARA_INDENT || id == IDC_RPL_HEADER_DEPTH || id == IDC_RPL_FOOTER_DEPTH ||
         id == IDC_RPL_START_PAGE))
        Normalise();
    if (m_opts && HIWORD(wParam) == BN_CLICKED) {
        if (id == IDC_RPT_INSTALLATION) {
            RestoreInstalled();
            return TRUE;
        }
        for (int i = 0; i < 3; ++i) {
            LOGFONT* font =
                id == IDC_RPL_HEADER_FONT + i   ? &Copy().m_layout.m_headerFonts[std::size_t(i)]
                : id == IDC_RPL_FOOTER_FONT + i ? &Copy().m_layout.m_footerFonts[std::size_t(i)]
                                                : nullptr;
            if (font) {
                if (ChooseReportFont(this, *font)) {
                    LabelFontButtons();
                    SetModified(TRUE);
                }
                return TRUE;
            }
        }
    }
    return CRptPage::OnCommand(wParam, lParam);
}
