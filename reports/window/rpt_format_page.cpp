// reports/window/rpt_format_page.cpp: the Format page's lists, their row texts and editing, and
// the date format.
#include "reports/window/rpt_format_page.h"

#include "reports/rpt_gen.h"
#include "reports/rpt_settings_tables.h"
#include "reports/window/heading_details_dlg.h"
#include "reports/window/heading_style_dlg.h"
#include "reports/window/rpt_column_list.h"
#include "reports/window/rpt_page_layout_page.h"

#include "controls/colour_chooser.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/data_exchange.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

/// Font rows in the page's order with their names, and which report types (0-6) list them.
struct FontRow {
    int font;
    const char* name;
    std::array<bool, 7> types;
};
constexpr FontRow kFontRows[] = {
    {kRptFontRecordHdg, "Heading Level 1", {1, 1, 1, 1, 1, 1, 1}},
    {kRptFontSectionHdg, "Heading Level 2", {1, 1, 0, 0, 0, 0, 0}},
    {kRptFontSubHdg, "Heading Level 3", {1, 1, 1, 0, 0, 0, 0}},
    {kRptFontLabel, "Section Label", {1, 1, 1, 0, 0, 1, 0}},
    {kRptFontData, "Section Data", {1, 1, 1, 1, 1, 1, 1}},
    {kRptFontSubLabel, "Subsection Label", {1, 1, 1, 0, 0, 1, 0}},
    {kRptFontSubData, "Subsection Data", {1, 1, 1, 1, 1, 1, 0}},
    {kRptFontCaption, "Caption", {1, 1, 1, 1, 1, 0, 0}},
};

constexpr const char* kDateFormats[] = {"Long",           "Compact",        "Abbreviated",
                                        "Abbreviated(2)", "Abbreviated(3)", "Abbreviated(4)"};
constexpr int kFirstDateFormat = 6;

const char* FontRowName(int font)
{
    for (const FontRow& row : kFontRows)
        if (row.font == font)
            return row.name;
    return "";
}

CColBox* List(const CWnd& page, int id)
{
    return RptColumnList(page, id);
}

/// The selected row of a list; -1 when none.
int SelectedRow(const CWnd& page, int id)
{
    CColBox* list = List(page, id);
    const std::vector<int> rows = list ? RptSelectedRows(*list) : std::vector<int>{};
    return rows.empty() ? -1 : rows.front();
}

constexpr int kListIds[] = {IDC_RPF_FONTS, IDC_RPF_STYLES, IDC_RPF_HEADINGS};
constexpr double kFontEdges[] = {0.25, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0};
constexpr double kStyleEdges[] = {0.2, 0.4, 0.6, 0.8, 1.0};
constexpr double kHeadingEdges[] = {0.25, 0.25 + 3.0 / 32, 0.5 + 3.0 / 32, 1.0};

} // namespace

std::vector<int> RptFormatFonts(int reportType)
{
    std::vector<int> fonts;
    for (const FontRow& row : kFontRows)
        if (reportType < 0 || reportType > 6 || row.types[std::size_t(reportType)])
            fonts.push_back(row.font);
    return fonts;
}

std::vector<int> RptFormatStyleLevels(int reportType)
{
    if (reportType == kRptTypeSrc)
        return {1, 3};
    if (reportType >= kRptTypeDesc && reportType <= kRptTypeRec)
        return {1};
    return {1, 2, 3};
}

std::vector<int> RptFormatHeadings(int reportType)
{
    static const std::vector<std::vector<const char*>> kKeys = {
        {"RecInd", "SrcAll", "FamMemb", "IndEvn", "LdsOrd", "Marr", "IndNote", "MarrNote", "SrcRec",
         "Add"},
        {"RecFam", "SrcAll", "LdsOrd", "IndNote", "MarrNote", "SrcRec", "Add"},
        {"RecSrc", "Repo"},
        {"RecInd"},
        {"RecInd"},
        {"ListNam"},
        {"Rec"},
    };
    const auto table = RptHeadingTable();
    std::vector<int> rows;
    if (reportType < 0 || reportType > 6) {
        for (std::size_t i = 0; i < table.size(); ++i)
            rows.push_back(int(i));
        return rows;
    }
    for (const char* key : kKeys[std::size_t(reportType)])
        for (std::size_t i = 0; i < table.size(); ++i)
            if (std::strcmp(table[i].key, key) == 0)
                rows.push_back(int(i));
    return rows;
}

std::string RptFontRowText(int font, const LOGFONT& value)
{
    return text::Format("%s\t%s\t%d\t%s\t%s\t%s\t%s\t", FontRowName(font), value.lfFaceName,
                        int(value.lfHeight), value.lfWeight >= 700 ? "Bold" : "",
                        value.lfItalic ? "Italic" : "", value.lfUnderline ? "Underline" : "",
                        value.lfStrikeOut ? "Strikeout" : "");
}

std::string RptStyleRowText(int level, const CRptHeadingStyle& style)
{
    return text::Format("Hdg Level %d\t%upt gap%s\t%s%upt gap\t%.2fpt\t%u lines\t", level,
                        unsigned(style.m_gapAbove), style.m_lineAbove ? " + line" : "",
                        style.m_lineBelow ? "line + " : "", unsigned(style.m_gapBelow),
                        style.m_lineDepth / 100.0, unsigned(style.m_keepWith));
}

std::string RptHeadingRowText(int heading, const CRptHeading& value)
{
    const RptHeadingDef& row = RptHeadingTable()[std::size_t(heading)];
    const char* show = value.m_show == kRptHeadingHide ? "Hide"
                       : value.m_show == kRptHeadingShowEmpty && row.mayShowEmpty
                           ? "Show Even if Empty"
                           : "Show";
    return text::Format("%s\t%d\t%s\t%s\t", row.label, row.level, show,
                        row.defaultText ? value.m_text.GetText().c_str() : "<not editable>");
}

int RptDateComboIndex(int dateFormat)
{
    return dateFormat >= kFirstDateFormat && dateFormat < kFirstDateFormat + 6
               ? dateFormat - kFirstDateFormat
               : 1;
}

int RptDateFormatOfIndex(int index)
{
    return kFirstDateFormat + std::clamp(index, 0, 5);
}

BOOL CRptFormatPage::OnInitDialog()
{
    if (auto* dates = dynamic_cast<CComboBox*>(GetDlgItem(IDC_RPF_DATE)))
        for (const char* format : kDateFormats)
            dates->AddString(format);
    const int type = m_opts ? m_opts->GetReportType() : kRptTypeInd;
    if (type == kRptTypeDesc || type == kRptTypeAnc || type == kRptTypeRec) {
        for (int id : {IDC_RPF_EMPTY_LABEL, IDC_RPF_EMPTY_TEXT})
            if (CWnd* control = GetDlgItem(id))
                control->ShowWindow(SW_HIDE);
        if (CWnd* colours = GetDlgItem(IDC_RPF_COLOURS))
            colours->ShowWindow(SW_SHOW);
    }
    m_fonts = RptFormatFonts(type);
    m_levels = RptFormatStyleLevels(type);
    m_headings = RptFormatHeadings(type);
    RptMakeColumnList(*this, IDC_RPF_FONTS, m_lists[0], this,
                      "Font\tFont Name\tSize\tBold\tItalic\tUnderline\tStrikeout\t", kFontEdges);
    RptMakeColumnList(*this, IDC_RPF_STYLES, m_lists[1], this,
                      "Hdg Style\tAbove Hdg\tBelow Hdg\tLine Thickness\tKeep With Next\t",
                      kStyleEdges);
    RptMakeColumnList(*this, IDC_RPF_HEADINGS, m_lists[2], this,
                      "Heading\tLevel\tShow/Hide\tText\t", kHeadingEdges);
    const BOOL result = CRptPage::OnInitDialog();
    EnableEdit();
    return result;
}

void CRptFormatPage::DoDataExchange(CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    if (!m_opts)
        return;
    CRptFormat& format = Copy().m_format;
    dx.Text(IDC_RPF_EMPTY_TEXT, format.m_emptySectionText);
    int date = RptDateComboIndex(format.m_dateFormat);
    dx.ComboIndex(IDC_RPF_DATE, date);
    if (dx.m_bSaveAndValidate)
        format.m_dateFormat = RptDateFormatOfIndex(date);
    else
        FillLists();
}

void CRptFormatPage::FillLists()
{
    const CRptFormat& format = Copy().m_format;
    std::vector<std::string> rows;
    if (CColBox* fonts = List(*this, IDC_RPF_FONTS)) {
        for (int font : m_fonts)
            rows.push_back(RptFontRowText(font, format.m_fonts[std::size_t(font)]));
        RptFillColumnList(*fonts, rows);
    }
    if (CColBox* styles = List(*this, IDC_RPF_STYLES)) {
        rows.clear();
        for (int level : m_levels)
            rows.push_back(RptStyleRowText(level, format.m_headingStyles[std::size_t(level - 1)]));
        RptFillColumnList(*styles, rows);
    }
    if (CColBox* headings = List(*this, IDC_RPF_HEADINGS)) {
        rows.clear();
        for (int heading : m_headings)
            rows.push_back(RptHeadingRowText(heading, format.m_headings[std::size_t(heading)]));
        RptFillColumnList(*headings, rows);
    }
}

void CRptFormatPage::EnableEdit()
{
    bool selected = false;
    for (int id : kListIds)
        selected = selected || SelectedRow(*this, id) >= 0;
    if (CWnd* edit = GetDlgItem(IDC_RPF_EDIT))
        edit->EnableWindow(selected);
}

void CRptFormatPage::EditSelected()
{
    CRptFormat& format = Copy().m_format;
    const auto selected = [this](int id) { return SelectedRow(*this, id); };
    bool changed = false;
    if (const int row = selected(IDC_RPF_FONTS); row >= 0 && row < int(m_fonts.size())) {
        changed = ChooseReportFont(this, format.m_fonts[std::size_t(m_fonts[std::size_t(row)])]);
    } else if (const int style = selected(IDC_RPF_STYLES);
               style >= 0 && style < int(m_levels.size())) {
        const int level = m_levels[std::size_t(style)];
        CHeadingStyleDlg dialog(this);
        dialog.m_level = level;
        dialog.m_style = format.m_headingStyles[std::size_t(level - 1)];
        if (dialog.DoModal() == IDOK) {
            format.m_headingStyles[std::size_t(level - 1)] = dialog.m_style;
            changed = true;
        }
    } else if (const int heading = selected(IDC_RPF_HEADINGS);
               heading >= 0 && heading < int(m_headings.size())) {
        CHeadingDetailsDlg dialog(Copy(), m_headings[std::size_t(heading)], this);
        changed = dialog.DoModal() == IDOK;
    }
    if (!changed)
        return;
    std::array<int, 3> kept{};
    const std::array ids = {IDC_RPF_FONTS, IDC_RPF_STYLES, IDC_RPF_HEADINGS};
    for (std::size_t i = 0; i < ids.size(); ++i)
        kept[i] = selected(ids[i]);
    FillLists();
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (CColBox* list = List(*this, ids[i]))
            RptSelectRow(*list, kept[i]);
    SetModified(TRUE);
}

namespace {

/// Puts the built-in report colours into the chooser's items.
class CRptColourSink final : public IColourSink {
public:
    void Apply(const ColourItem*, int) override {}
    void ResetToInstallationSettings(ColourItem* items, int count) override
    {
        for (int i = 0; i < count && i < kRptColourCount; ++i) {
            const RptColourDef& row = RptColourTable()[std::size_t(i)];
            items[i].colour = row.colour;
            items[i].transparent = row.transparentByDefault;
        }
    }
};

} // namespace

void CRptFormatPage::ChooseReportColours()
{
    auto& colours = Copy().m_format.m_colours;
    std::array<ColourItem, kRptColourCount> items{};
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].colour = colours[i].m_colour;
        items[i].name = RptColourTable()[i].key;
        items[i].mayBeTransparent = colours[i].m_transparencyAllowed;
        items[i].transparent = colours[i].m_transparencyAllowed && colours[i].m_transparent;
    }
    CRptColourSink sink;
    if (!ChooseColours(this, items.data(), int(items.size()), &sink, false, nullptr))
        return;
    bool changed = false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const bool transparent = colours[i].m_transparencyAllowed && items[i].transparent;
        changed = changed || items[i].colour != colours[i].m_colour ||
                  transparent != colours[i].m_transparent;
        colours[i].m_colour = items[i].colour;
        colours[i].m_transparent = transparent;
    }
    if (changed)
        SetModified(TRUE);
}

void CRptFormatPage::OnSelChanged(CColBox* box)
{
    if (!m_opts || m_clearing)
        return;
    if (!RptSelectedRows(*box).empty()) {
        m_clearing = true;
        for (CColBox& other : m_lists)
            if (&other != box && other.GetSafeHwnd())
                other.GetBox().ClearSelection(nullptr, false);
        m_clearing = false;
    }
    EnableEdit();
}

bool CRptFormatPage::OnDoubleClick(CColBox* /*box*/, CTreeBoxNode* node, int /*part*/)
{
    if (m_opts && node)
        EditSelected();
    return true;
}

BOOL CRptFormatPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (m_opts && code == BN_CLICKED && id == IDC_RPF_EDIT) {
        EditSelected();
        return TRUE;
    }
    if (m_opts && code == BN_CLICKED && id == IDC_RPF_COLOURS) {
        ChooseReportColours();
        return TRUE;
    }
    if (m_opts && code == BN_CLICKED && id == IDC_RPT_INSTALLATION) {
        RestoreInstalled();
        return TRUE;
    }
    return CRptPage::OnCommand(wParam, lParam);
}
