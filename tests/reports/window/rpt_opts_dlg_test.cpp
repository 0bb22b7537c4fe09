// tests/reports/window/rpt_opts_dlg_test.cpp: the Report Options sheet's Page Layout page: the
// two-decimal edits, the font buttons, OK saving the report's file and rebuilding, Cancel and a
// refused page changing nothing.
#include "controls/col_box.h"
#include "reports/window/edit_item_dlg.h"
#include "reports/window/heading_details_dlg.h"
#include "reports/window/heading_style_dlg.h"
#include "reports/window/pic_gaps_dlg.h"
#include "reports/window/rpt_contents_page.h"
#include "reports/window/rpt_format_page.h"
#include "reports/window/rpt_opts_dlg.h"
#include "reports/window/rpt_page_layout_page.h"
#include "reports/window/rpt_pictures_page.h"
#include "reports/window/rpt_sources_page.h"
#include "reports/window/rpt_window_ids.h"
#include "reports/window/save_custom_report_dlg.h"
#include "reports/window/sub_view_report.h"

#include "app/shell/printer_setup.h"
#include "controls/colour_chooser.h"
#include "database/kin/ind_rec.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "records/dialogs/data_ref_dlg.h"
#include "reports/rpt_catalogue.h"
#include "reports/rpt_gen.h"
#include "reports/rpt_gen_make.h"
#include "reports/rpt_settings_tables.h"
#include "reports/window/rpt_services.h"
#include "templates/settings_store.h"
#include "tests/database/records/record_test_support.h"
#include "tests/reports/window/report_window_fixture.h"
#include "tests/support/test_support.h"
#include "tests/support/window_test.h"

#include <gmock/gmock.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

using testing::HasSubstr;

/// Clicks row index of the page's column box id as the user would; the box's column titles go
/// to titles.
void ClickRow(CWnd& page, int id, int index, std::string* titles = nullptr)
{
    auto* list = dynamic_cast<CColBox*>(page.GetDlgItem(id));
    ASSERT_NE(list, nullptr) << "a column box, not a plain list box";
    if (titles) {
        titles->clear();
        for (const CColumnInfo& column : list->GetHeader().GetColumns())
            *titles += column.m_title + "\t";
    }
    CTreeBox& box = list->GetBox();
    CRect rect;
    ASSERT_TRUE(box.GetItemRect(box.GetItemByIndex(index), rect, TBP_TEXT, true));
    TestHooks::PostMouse(box, TestHooks::MouseEvent::LeftDown, rect.CenterPoint(), MK_LBUTTON);
    TestHooks::PostMouse(box, TestHooks::MouseEvent::LeftUp, rect.CenterPoint(), 0);
    TestHooks::DeliverPosted();
}

TEST(RptPageLayoutText, HundredthsShownAndRead)
{
    for (const auto& [value, shown] :
         {std::pair{50, "0.5"}, std::pair{150, "1.5"}, std::pair{100, "1"}, std::pair{5, "0.05"},
          std::pair{0, "0"}, std::pair{1234, "12.34"}})
        EXPECT_EQ(FormatHundredths(value), shown) << value;
    for (const auto& [typed, value] :
         {std::pair{"1e9", 100}, std::pair{"-1", 0}, std::pair{"0.999", 99}, std::pair{"abc", 0},
          std::pair{"  2.5 in", 250}, std::pair{"99999999999", 9999999}, std::pair{".5", 0}})
        EXPECT_EQ(ReadHundredths(typed), value) << typed;
    LOGFONT font{};
    font.lfHeight = 10;
    std::strcpy(font.lfFaceName, "Arial");
    EXPECT_EQ(FontButtonText(font), "Arial 10 pt");
}

class ReportOptionsTest : public rpt_window_test::ReportWindowFixture {
protected:
    void PrepareEnvironment() override
    {
        setenv("XDG_CONFIG_HOME", test_support::NewFolder("rpt_opts_config").c_str(), 1);
        setenv("XDG_DATA_HOME", test_support::NewFolder("rpt_opts_data").c_str(), 1);
    }
    void SetUp() override
    {
        ReportWindowFixture::SetUp();
        if (HasFatalFailure())
            return;
        std::vector<CRecordNode*> people = {NewIndividual(SEX_MALE, "Tom /Hill/"),
                                            NewIndividual(SEX_FEMALE, "Ann /Hill/")};
        NotifyChanges();
        RptGenRequest request;
        request.type = kRptTypeInd;
        request.name = "Individual Summary Report";
        std::unique_ptr<CRptGen> report = RptMakeGenerator(request);
        ASSERT_NE(report, nullptr);
        report->TakeSelectedRecords(people);
        m_window->SetReport(std::move(report), *m_device);
        m_path = GetReportFilePath("Individual Summary Report", false);
        ASSERT_FALSE(m_path.empty());
        std::filesystem::create_directories(std::filesystem::path(m_path).parent_path());
    }
    CRptLayout& Layout() { return m_window->GetReport()->Settings().m_layout; }
    /// Shows a report of type over the two people instead.
    void ShowReport(int type)
    {
        std::vector<CRecordNode*> people;
        for (const auto& entry : m_window->GetReport()->Entries())
            if (entry->GetRecord())
                people.push_back(entry->GetRecord());
        RptGenRequest request;
        request.type = type;
        request.name = "Test Report";
        request.listName = "Test List";
        std::unique_ptr<CRptGen> report = RptMakeGenerator(request);
        ASSERT_NE(report, nullptr);
        report->TakeSelectedRecords(people);
        m_window->SetReport(std::move(report), *m_device);
    }
    /// Runs the sheet through the Options button with driver acting on its page (Individual
    /// Summary: Contents 0, Pictures 1, Sources 2, Format 3, Page Layout 4).
    void RunSheet(const std::function<void(CPropertySheet&, CPropertyPage&)>& driver, int page = 4,
                  int pages = 5)
    {
        int opened = 0;
        TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
            ++opened;
            ASSERT_EQ(sheet.GetPageCount(), pages);
            ASSERT_TRUE(sheet.SetActivePage(page));
            driver(sheet, *sheet.GetActivePage());
        });
        TestHooks::Click(m_window->GetForm(), IDC_RPT_OPTIONS);
        EXPECT_EQ(opened, 1);
    }

    std::string m_path;
};

TEST_F(ReportOptionsTest, OkSavesTheReportFileAndRebuilds)
{
    RunSheet([](CPropertySheet& sheet, CPropertyPage& page) {
        std::string shown;
        page.GetDlgItemText(IDC_RPL_MARGIN_TOP, shown);
        EXPECT_EQ(shown, "0.5");
        TestHooks::SetText(page, IDC_RPL_MARGIN_TOP, "1.25");
        TestHooks::SetText(page, IDC_RPL_MARGIN_LEFT, "0.999");
        TestHooks::SetText(page, IDC_RPL_MARGIN_RIGHT, "-1");
        TestHooks::SetText(page, IDC_RPL_HEADER_TEXT, "Page =Page()");
        TestHooks::SetText(page, IDC_RPL_START_PAGE, "3");
        TestHooks::Click(page, IDC_RPL_LANDSCAPE);
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
    });
    EXPECT_EQ(Layout().m_marginTop, 125);
    EXPECT_EQ(Layout().m_marginLeft, 99);
    EXPECT_EQ(Layout().m_marginRight, 0);
    EXPECT_TRUE(Layout().m_landscape);
    EXPECT_EQ(Layout().m_startingPage, 3);
    EXPECT_EQ(Layout().m_headerTexts[0], "Page =Page()");
    CSettingsStore saved(m_path);
    EXPECT_EQ(saved.ReadInt(kRptOptionsSection, "Margin - Top", 0), 125);
    EXPECT_EQ(saved.ReadInt(kRptOptionsSection, "Margin - Left", 0), 99);
    EXPECT_EQ(saved.ReadInt(kRptOptionsSection, "Margin - Right", -7), 0);
    const RptPageMetrics& metrics = m_window->GetReport()->GetLayout()->Metrics();
    EXPECT_GT(metrics.pageWidth, metrics.pageHeight) << "rebuilt on a landscape page";
    EXPECT_EQ(m_window->GetFirstPageNumber(), 3);
}

TEST_F(ReportOptionsTest, CancelAndARefusedPageChangeNothing)
{
    RunSheet([](CPropertySheet& sheet, CPropertyPage& page) {
        TestHooks::SetText(page, IDC_RPL_MARGIN_TOP, "2");
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
    });
    EXPECT_EQ(Layout().m_marginTop, 50);
    EXPECT_FALSE(std::filesystem::exists(m_path));

    // A whole number that is none, and a margin without a digit, are refused alike.
    for (const auto& [id, message] : {std::pair{IDC_RPL_START_PAGE, "Enter a whole number."},
                                      std::pair{IDC_RPL_MARGIN_BOTTOM, "Enter a number."}}) {
        RunSheet([id, message](CPropertySheet& sheet, CPropertyPage& page) {
            TestHooks::SetText(page, IDC_RPL_MARGIN_TOP, "2");
            TestHooks::SetText(page, id, "abc");
            test_support::Prompt().Answer(IDOK);
            TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
            EXPECT_TRUE(sheet.GetSafeHwnd() && sheet.IsWindowVisible()) << "the sheet stays open";
            const auto shown = test_support::Prompt().TakeMessages();
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].text, message);
            TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
        });
    }
    EXPECT_EQ(Layout().m_marginTop, 50);
    EXPECT_EQ(Layout().m_marginBottom, 50);
    EXPECT_EQ(Layout().m_startingPage, 1);
    EXPECT_FALSE(std::filesystem::exists(m_path));
}

TEST_F(ReportOptionsTest, FontButtonsShowTheChosenFont)
{
    RunSheet([](CPropertySheet& sheet, CPropertyPage& page) {
        LOGFONT chosen{};
        chosen.lfHeight = -16;
        std::strcpy(chosen.lfFaceName, "Liberation Serif");
        TestHooks::AnswerFont(chosen);
        TestHooks::Click(page, IDC_RPL_FOOTER_FONT + 2);
        std::string label;
        page.GetDlgItemText(IDC_RPL_FOOTER_FONT + 2, label);
        EXPECT_THAT(label, HasSubstr("Liberation Serif "));
        EXPECT_THAT(label, HasSubstr(" pt"));
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
    });
    EXPECT_STREQ(Layout().m_footerFonts[2].lfFaceName, "Liberation Serif");
}

TEST(RptFormatRows, EachReportTypeListsItsOwnRows)
{
    EXPECT_EQ(RptFormatFonts(kRptTypeInd).size(), 8u);
    EXPECT_EQ(RptFormatFonts(kRptTypeRec), (std::vector<int>{kRptFontRecordHdg, kRptFontData}));
    EXPECT_EQ(RptFormatStyleLevels(kRptTypeSrc), (std::vector<int>{1, 3}));
    EXPECT_EQ(RptFormatStyleLevels(kRptTypeList), (std::vector<int>{1}));
    std::vector<std::string> keys;
    for (int row : RptFormatHeadings(kRptTypeSrc))
        keys.push_back(RptHeadingTable()[std::size_t(row)].key);
    EXPECT_EQ(keys, (std::vector<std::string>{"RecSrc", "Repo"}));
    EXPECT_EQ(RptFormatHeadings(99).size(), 16u);

    CRptHeadingStyle style;
    style.m_gapAbove = 6;
    style.m_lineBelow = 1;
    style.m_gapBelow = 2;
    style.m_lineDepth = 75;
    style.m_keepWith = 3;
    EXPECT_EQ(RptStyleRowText(2, style), "Hdg Level 2\t6pt gap\tline + 2pt gap\t0.75pt\t3 lines\t");
    LOGFONT font{};
    font.lfHeight = 12;
    font.lfWeight = 700;
    std::strcpy(font.lfFaceName, "Arial");
    EXPECT_EQ(RptFontRowText(kRptFontData, font), "Section Data\tArial\t12\tBold\t\t\t\t");
    EXPECT_EQ(RptDateComboIndex(5), 1) << "shown as Compact";
    EXPECT_EQ(RptDateFormatOfIndex(1), 7);
    EXPECT_EQ(RptDateComboIndex(11), 5);
}

TEST_F(ReportOptionsTest, DateFormatFiveShowsCompactAndSavesSeven)
{
    m_window->GetReport()->Settings().m_format.m_dateFormat = 5;
    RunSheet(
        [](CPropertySheet& sheet, CPropertyPage& page) {
            std::string shown;
            page.GetDlgItemText(IDC_RPF_DATE, shown);
            EXPECT_EQ(shown, "Compact");
            TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
        },
        3);
    EXPECT_EQ(m_window->GetReport()->Settings().m_format.m_dateFormat, 7);
    EXPECT_EQ(CSettingsStore(m_path).ReadInt(kRptOptionsSection, "Date Format", 0), 7);
}

TEST_F(ReportOptionsTest, HeadingLineThicknessIsReadToTheHundredth)
{
    for (const auto& [typed, depth] : {std::pair{"0.29 pt", 29}, std::pair{"0.57", 57},
                                       std::pair{"  0.75 pt", 75}, std::pair{"abc", 0}}) {
        RunSheet(
            [typed](CPropertySheet& sheet, CPropertyPage& page) {
                std::string titles;
                ClickRow(page, IDC_RPF_STYLES, 0, &titles);
                EXPECT_EQ(titles,
                          "Hdg Style\tAbove Hdg\tBelow Hdg\tLine Thickness\tKeep With Next\t");
                TestHooks::OnNextDialog(IDD_HEADING_STYLE, [typed](CDialog& dialog) {
                    TestHooks::Click(dialog, IDC_HS_LINE_BELOW);
                    TestHooks::SetText(dialog, IDC_HS_THICKNESS, typed);
                    TestHooks::Click(dialog, IDOK);
                });
                TestHooks::Click(page, IDC_RPF_EDIT);
                TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
            },
            3);
        EXPECT_EQ(m_window->GetReport()->Settings().m_format.m_headingStyles[0].m_lineDepth, depth)
            << typed;
        m_window->GetReport()->Settings().m_format.m_headingStyles[0].m_lineBelow = 0;
    }
}

TEST_F(ReportOptionsTest, SourcesPageShortTitlesPicturesAndLocation)
{
    CRptSources& sources = m_window->GetReport()->Settings().m_sources;
    sources.m_flags[kRptIncludeSources] = true;
    sources.m_flags[kRptSourcesShortTitle] = true;
    sources.m_flags[kRptSourcesShortTitleIf] = true;
    RunSheet(
        [](CPropertySheet& sheet, CPropertyPage& page) {
            EXPECT_FALSE(page.IsDlgButtonChecked(IDC_RPS_FLAG + kRptSourcesShortTitle))
                << "a file with both short-title flags shows only the conditional one";
            TestHooks::Click(page, IDC_RPS_FLAG + kRptSourcesShortTitle);
            EXPECT_FALSE(page.IsDlgButtonChecked(IDC_RPS_FLAG + kRptSourcesShortTitleIf));
            TestHooks::OnNextDialog(IDD_PIC_GAPS, [](CDialog& dialog) {
                TestHooks::SetText(dialog, IDC_GAP_FIRST + 2, "-0.01");
                test_support::Prompt().Answer(IDOK);
                TestHooks::Click(dialog, IDOK);
                const auto shown = test_support::Prompt().TakeMessages();
                ASSERT_EQ(shown.size(), 1u);
                EXPECT_EQ(shown[0].text, "Negative values are not allowed");
                TestHooks::SetText(dialog, IDC_GAP_FIRST + 2, "0.25");
                TestHooks::Click(dialog, IDOK);
            });
            TestHooks::Click(page, IDC_RPS_GAPS);
            TestHooks::SetText(page, IDC_RPS_SOURCE_MAX, "0");
            EXPECT_FALSE(page.IsDlgButtonChecked(IDC_RPS_SOURCE_PICS));
            TestHooks::Click(page, IDC_RPS_CITATION_PICS);
            std::string shown;
            page.GetDlgItemText(IDC_RPS_CITATION_MAX, shown);
            EXPECT_EQ(shown, "0");
            EXPECT_FALSE(page.GetDlgItem(IDC_RPS_PIC_WIDTH)->IsWindowEnabled())
                << "no pictures, no width";
            TestHooks::Click(page, IDC_RPS_NEW_PAGE);
            TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
        },
        2);
    EXPECT_TRUE(sources.m_flags[kRptSourcesShortTitle]);
    EXPECT_FALSE(sources.m_flags[kRptSourcesShortTitleIf]);
    EXPECT_EQ(sources.m_sourcePictures, 0);
    EXPECT_EQ(sources.m_citationPictures, 0);
    EXPECT_TRUE(sources.m_flags[kRptSourcesEndEntry]);
    EXPECT_TRUE(sources.m_flags[kRptSourcesStartNewPage]);
    EXPECT_EQ(sources.m_gaps.m_right, 25);
}

TEST_F(ReportOptionsTest, EachReportTypeHasItsPages)
{
    for (const auto& [type, pages] :
         {std::pair{kRptTypeList, 2}, std::pair{kRptTypeDesc, 4}, std::pair{kRptTypeFam, 5}}) {
        ShowReport(type);
        RunSheet(
            [](CPropertySheet& sheet, CPropertyPage&) {
                TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
            },
            0, pages);
    }
}

TEST_F(ReportOptionsTest, GenerationsZeroIsSavedAsOne)
{
    ShowReport(kRptTypeDesc);
    RunSheet(
        [](CPropertySheet& sheet, CPropertyPage& page) {
            std::string shown;
            page.GetDlgItemText(IDC_RPC_GENERATIONS, shown);
            EXPECT_EQ(shown, "5");
            TestHooks::SetText(page, IDC_RPC_GENERATIONS, "0");
            TestHooks::Click(page, IDC_RPC_NUMBERING + 2);
            TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
        },
        0, 4);
    EXPECT_EQ(m_window->GetReport()->Settings().m_contents.m_generations, 1);
    EXPECT_EQ(m_window->GetReport()->Settings().m_contents.m_numbering, 2);
}

TEST_F(ReportOptionsTest, DeletingStandardItemsHidesThemAndUpMovesThem)
{
    CRptContents& contents = m_window->GetReport()->Settings().m_contents;
    const CRptItemList before = contents.m_items[kRptIndItems];
    ASSERT_GE(before.size(), 3u);
    RunSheet(
        [](CPropertySheet& sheet, CPropertyPage& page) {
            EXPECT_FALSE(page.GetDlgItem(IDC_RPC_ITEMS + kRpcDelete)->IsWindowEnabled());
            std::string titles;
            ClickRow(page, IDC_RPC_ITEMS, 1, &titles);
            EXPECT_EQ(titles, "Label\tShow/Hide\tSpecial\tExpression\t");
            EXPECT_TRUE(page.GetDlgItem(IDC_RPC_ITEMS + kRpcDelete)->IsWindowEnabled());
            test_support::Prompt().Answer(IDOK);
            TestHooks::Click(page, IDC_RPC_ITEMS + kRpcDelete);
            const auto shown = test_support::Prompt().TakeMessages();
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_THAT(shown[0].text, HasSubstr("Selection contains standard items only"));
            TestHooks::Click(page, IDC_RPC_ITEMS + kRpcUp);
            TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
        },
        0);
    const CRptItemList& after = contents.m_items[kRptIndItems];
    ASSERT_EQ(after.size(), before.size()) << "standard rows stay";
    EXPECT_EQ(after[0].m_index, before[1].m_index);
    EXPECT_EQ(after[0].m_show, kRptItemHide);
    EXPECT_EQ(after[1].m_index, before[0].m_index);
    EXPECT_THAT(RptItemRowText(kRptIndItems, after[0]), HasSubstr("\tHide\t\t\t"));
}

TEST(RptPictureSizes, CustomSizesNeedTheirDimensions)
{
    EXPECT_EQ(RptPicturesTemplate(kRptTypeRec, 0), 401u);
    EXPECT_EQ(RptPicturesTemplate(kRptTypeRec, 3), 400u);
    EXPECT_EQ(RptPicturesTemplate(kRptTypeRec, 2), 0u) << "notes have no pictures page";
    EXPECT_EQ(RptPicturesTemplate(kRptTypeList, -1), 0u);
    CRptPictures pictures;
    pictures.m_maxPictures = {1, 0, 0, 2};
    const auto custom = [](int position, int width, int height) {
        CRptPicOpts options;
        options.m_position = position;
        options.m_size = CRptPicOpts::kCustom;
        options.m_width = width;
        options.m_height = height;
        return options;
    };
    pictures.m_options[0] = custom(CRptPicOpts::kAboveLeft, 0, 0);
    EXPECT_EQ(CheckCustomPictureSizes(pictures).focus, IDC_RPP_ROW + kRppHeight);
    EXPECT_THAT(CheckCustomPictureSizes(pictures).message, HasSubstr("height, width or both"));
    pictures.m_options[0] = custom(CRptPicOpts::kAboveLeft, 100, 0);
    EXPECT_THAT(CheckCustomPictureSizes(pictures).message, HasSubstr("located above the text"));
    pictures.m_options[0] = custom(CRptPicOpts::kRight, 100, 0);
    EXPECT_EQ(CheckCustomPictureSizes(pictures).focus, 0) << "beside the text only the width";
    pictures.m_options[3] = custom(CRptPicOpts::kRows, 0, 80);
    EXPECT_EQ(CheckCustomPictureSizes(pictures).focus, IDC_RPP_ROW + 30 + kRppWidth);
    pictures.m_maxPictures[3] = 0;
    EXPECT_EQ(CheckCustomPictureSizes(pictures).focus, 0) << "no pictures, no check";
}

TEST_F(ReportOptionsTest, ACustomPictureSizeWithoutHeightIsRefused)
{
    RunSheet(
        [](CPropertySheet& sheet, CPropertyPage& page) {
            TestHooks::SetText(page, IDC_RPP_ROW + kRppMax, "1");
            TestHooks::SelectItem(page, IDC_RPP_ROW + kRppLocation, CRptPicOpts::kAboveCentre);
            TestHooks::SelectItem(page, IDC_RPP_ROW + kRppSize, CRptPicOpts::kCustom);
            TestHooks::SetText(page, IDC_RPP_ROW + kRppHeight, "0");
            TestHooks::SetText(page, IDC_RPP_ROW + kRppWidth, "1.5");
            test_support::Prompt().Answer(IDOK);
            TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
            const auto shown = test_support::Prompt().TakeMessages();
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_THAT(shown[0].text, HasSubstr("located above the text"));
            EXPECT_EQ(CWnd::GetFocus(), page.GetDlgItem(IDC_RPP_ROW + kRppHeight));
            TestHooks::SetText(page, IDC_RPP_ROW + kRppHeight, "0.71");
            TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
        },
        1);
    const CRptPictures& pictures = m_window->GetReport()->Settings().m_pictures;
    EXPECT_EQ(pictures.m_options[0].m_height, 71);
    EXPECT_EQ(pictures.m_options[0].m_width, 150);
}

TEST_F(ReportOptionsTest, PictureChoicesExchangeQuietlyAndMaximaStayWithinTheirRange)
{
    RunSheet(
        [](CPropertySheet& sheet, CPropertyPage& page) {
            const int max = IDC_RPP_ROW + kRppMax, height = IDC_RPP_ROW + kRppHeight;
            TestHooks::SetText(page, max, "1");
            TestHooks::SelectItem(page, IDC_RPP_ROW + kRppSize, CRptPicOpts::kCustom);
            TestHooks::SetText(page, height, "0");
            // No message for the missing height; the height shown follows the size chosen.
            TestHooks::SelectItem(page, IDC_RPP_ROW + kRppSize, CRptPicOpts::kMedium);
            EXPECT_TRUE(test_support::Prompt().TakeMessages().empty());
            std::string shown;
            page.GetDlgItemText(height, shown);
            EXPECT_NE(shown, "0");
            TestHooks::SetText(page, max, "101");
            test_support::Prompt().Answer(IDOK);
            TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
            const auto messages = test_support::Prompt().TakeMessages();
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, "Enter a whole number from 0 to 100.");
            TestHooks::SetText(page, max, "100");
            TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
        },
        1);
    EXPECT_EQ(m_window->GetReport()->Settings().m_pictures.m_maxPictures[0], 100);
    RunSheet([](CPropertySheet& sheet, CPropertyPage& page) {
        TestHooks::SetText(page, IDC_RPL_MARGIN_TOP, "0.50");
        page.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(IDC_RPL_MARGIN_TOP), EN_KILLFOCUS),
                         LPARAM(page.GetDlgItem(IDC_RPL_MARGIN_TOP)));
        std::string shown;
        page.GetDlgItemText(IDC_RPL_MARGIN_TOP, shown);
        EXPECT_EQ(shown, "0.5") << "leaving a Page Layout number shows it as kept";
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
    });
}

TEST_F(ReportOptionsTest, SaveAsCustomReportChecksTheNameAndAsksBeforeReplacing)
{
    CRptSettings& settings = m_window->GetReport()->Settings();
    settings.m_layout.m_marginTop = 77;
    for (const std::string& bad : std::vector<std::string>{"../x", "a/b", std::string(300, 'n')}) {
        test_support::Prompt().Answer(IDOK);
        EXPECT_FALSE(SaveAsCustomReport(settings, bad)) << bad;
        EXPECT_EQ(test_support::Prompt().TakeMessages().size(), 1u) << bad;
    }
    // Blanks only leave OK disabled; the popup under Save Report As opens the dialog.
    TestHooks::AnswerPopupMenu(ID_RPT_POPUP_CUSTOM);
    TestHooks::OnNextDialog(IDD_SAVE_CUSTOM_REPORT, [](CDialog& dialog) {
        TestHooks::SetText(dialog, IDC_CUSTOM_NAME, "   ");
        EXPECT_FALSE(dialog.GetDlgItem(IDOK)->IsWindowEnabled());
        TestHooks::SetText(dialog, IDC_CUSTOM_NAME, "  My Summary ");
        TestHooks::Click(dialog, IDOK);
    });
    TestHooks::Click(m_window->GetForm(), IDC_RPT_SAVE);
    EXPECT_THAT(TestHooks::PopupMenuItems(),
                testing::ElementsAre("HTML File...", "Rich Text Format File...", "Text File...",
                                     "-", "Custom Report..."));
    const std::string path = GetReportFilePath("My Summary", true);
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(CSettingsStore(path).ReadInt(kRptOptionsSection, "Margin - Top", 0), 77);

    settings.m_layout.m_marginTop = 88;
    test_support::Prompt().Answer(IDNO);
    EXPECT_FALSE(SaveAsCustomReport(settings, "My Summary"));
    EXPECT_EQ(CSettingsStore(path).ReadInt(kRptOptionsSection, "Margin - Top", 0), 77);
    // The replaced report keeps none of its old keys.
    test_support::WriteFile(path, test_support::ReadFile(path) + "[Stray]\nOld=1\n");
    test_support::Prompt().Answer(IDYES);
    EXPECT_TRUE(SaveAsCustomReport(settings, "My Summary"));
    EXPECT_EQ(CSettingsStore(path).ReadInt(kRptOptionsSection, "Margin - Top", 0), 88);
    EXPECT_FALSE(CSettingsStore(path).ReadText("Stray", "Old"));
    const auto asked = test_support::Prompt().TakeMessages();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_THAT(asked[0].text, HasSubstr("\"My Summary\" already exists"));

    // A read-only report is refused with the system's reason and stays as it was.
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    settings.m_layout.m_marginTop = 99;
    test_support::Prompt().Answer(IDYES);
    test_support::Prompt().Answer(IDOK);
    EXPECT_FALSE(SaveAsCustomReport(settings, "My Summary"));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write);
    EXPECT_EQ(CSettingsStore(path).ReadInt(kRptOptionsSection, "Margin - Top", 0), 88);
    const auto refused = test_support::TextsOf(test_support::Prompt().TakeMessages());
    ASSERT_EQ(refused.size(), 2u);
    EXPECT_EQ(refused[1], "Unable to save the report in file " + path + ".  Permission denied.");
}

TEST_F(ReportOptionsTest, AddingACustomItemNeedsALabelAndAnExpression)
{
    RunSheet(
        [](CPropertySheet& sheet, CPropertyPage& page) {
            TestHooks::OnNextDialog(IDD_EDIT_ITEM, [](CDialog& dialog) {
                std::string title;
                dialog.GetWindowText(title);
                EXPECT_EQ(title, "Add Item");
                TestHooks::SetText(dialog, IDC_ITEM_LABEL, "  Occupation ");
                test_support::Prompt().Answer(IDOK);
                TestHooks::Click(dialog, IDOK);
                const auto shown = test_support::Prompt().TakeMessages();
                ASSERT_EQ(shown.size(), 1u);
                EXPECT_EQ(shown[0].text, "Expression is missing");
                TestHooks::SetText(dialog, IDC_ITEM_EXPRESSION, "%OCCU% ");
                TestHooks::Click(dialog, IDOK);
            });
            TestHooks::Click(page, IDC_RPC_ITEMS + kRpcAdd);
            TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
        },
        0);
    const CRptItemList& items = m_window->GetReport()->Settings().m_contents.m_items[kRptIndItems];
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items.back().m_index, -1);
    EXPECT_EQ(items.back().m_label, "Occupation");
    EXPECT_EQ(items.back().m_expression.GetText(), "%OCCU%");
    EXPECT_EQ(items.back().m_show, kRptItemShow);
    EXPECT_EQ(RptItemRowText(kRptIndItems, items.back()), "Occupation\tShow\tCustom\t%OCCU%\t");
}

TEST_F(ReportOptionsTest, InsertDataRefPutsAReferenceIntoTheItemExpression)
{
    bool refEnabled = false;
    RunSheet(
        [&](CPropertySheet& sheet, CPropertyPage& page) {
            TestHooks::OnNextDialog(IDD_EDIT_ITEM, [&](CDialog& dialog) {
                refEnabled = dialog.GetDlgItem(IDC_ITEM_DATA_REF)->IsWindowEnabled();
                TestHooks::SetText(dialog, IDC_ITEM_LABEL, "Occupation");
                TestHooks::SetText(dialog, IDC_ITEM_EXPRESSION, "Job: ");
                TestHooks::OnNextDialog(kDataRefTemplate, [](CDialog& picker) {
                    TestHooks::SetText(picker, IDC_DATAREF_TEXT, "OCCU");
                    TestHooks::Click(picker, IDC_DATAREF_INSERT);
                });
                // The reference replaces the selection, here the end of the text.
                auto* edit = dynamic_cast<CEdit*>(dialog.GetDlgItem(IDC_ITEM_EXPRESSION));
                ASSERT_NE(edit, nullptr);
                edit->SetSel(5, 5);
                TestHooks::Click(dialog, IDC_ITEM_DATA_REF);
                TestHooks::Click(dialog, IDOK);
            });
            TestHooks::Click(page, IDC_RPC_ITEMS + kRpcAdd);
            TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
        },
        0);
    EXPECT_TRUE(refEnabled);
    const CRptItemList& items = m_window->GetReport()->Settings().m_contents.m_items[kRptIndItems];
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items.back().m_expression.GetText(), "Job: %OCCU%");
}

TEST_F(ReportOptionsTest, DataRefButtonsNeedAnEditableTextWithARecordType)
{
    struct Case {
        bool editable;
        int recordType;
        bool enabled;
    };
    for (const Case& c :
         {Case{true, 0, true}, Case{true, 3, true}, Case{false, 0, false}, Case{true, -1, false}}) {
        CEditItemDlg dialog;
        dialog.m_editable = c.editable;
        dialog.m_recordType = c.recordType;
        dialog.m_label = "Label";
        dialog.m_expression = "%NAME%";
        bool enabled = !c.enabled;
        TestHooks::OnNextDialog(IDD_EDIT_ITEM, [&](CDialog& shown) {
            enabled = shown.GetDlgItem(IDC_ITEM_DATA_REF)->IsWindowEnabled();
            TestHooks::Click(shown, IDCANCEL);
        });
        dialog.DoModal();
        EXPECT_EQ(enabled, c.enabled) << c.editable << " " << c.recordType;
    }
    // Headings: a fixed text ("Rec") has none; a heading with a record type has one.
    CRptSettings& settings = m_window->GetReport()->Settings();
    for (std::size_t heading = 0; heading < RptHeadingTable().size(); ++heading) {
        const RptHeadingDef& row = RptHeadingTable()[heading];
        CHeadingDetailsDlg dialog(settings, int(heading));
        bool enabled = false;
        std::string text;
        TestHooks::OnNextDialog(IDD_HEADING_DETAILS, [&](CDialog& shown) {
            enabled = shown.GetDlgItem(IDC_HD_DATA_REF)->IsWindowEnabled();
            shown.GetDlgItem(IDC_HD_TEXT)->GetWindowText(text);
            TestHooks::Click(shown, IDCANCEL);
        });
        dialog.DoModal();
        EXPECT_EQ(enabled, row.defaultText != nullptr && row.recordType >= 0) << row.key;
        if (!row.defaultText) {
            EXPECT_EQ(text, "<not editable>") << row.key;
        }
    }
}

TEST_F(ReportOptionsTest, TheFormatPageOffersColoursForReportsWithConnectingLines)
{
    ASSERT_TRUE(InitColourChooser());
    constexpr COLORREF kRed = RGB(255, 0, 0);
    struct Case {
        int type;
        int page, pages;
        bool colours;
    };
    for (const Case& c : {Case{kRptTypeInd, 3, 5, false}, Case{kRptTypeDesc, 2, 4, true},
                          Case{kRptTypeAnc, 2, 4, true}}) {
        ShowReport(c.type);
        bool coloursShown = !c.colours, emptyTextShown = c.colours;
        RunSheet(
            [&](CPropertySheet& sheet, CPropertyPage& page) {
                coloursShown = page.GetDlgItem(IDC_RPF_COLOURS)->IsWindowVisible();
                emptyTextShown = page.GetDlgItem(IDC_RPF_EMPTY_TEXT)->IsWindowVisible();
                if (c.colours) {
                    TestHooks::OnNextDialog(IDD_COLOUR_CHOOSER, [&](CDialog& dialog) {
                        TestHooks::SelectItem(dialog, IDC_COLOUR_ITEMS, 1);
                        static_cast<CColorDialog&>(dialog).SetCurrentColor(kRed);
                        TestHooks::Click(dialog, IDOK);
                        TestHooks::Click(dialog, IDC_COLOURS_OK);
                    });
                    TestHooks::Click(page, IDC_RPF_COLOURS);
                }
                TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
            },
            c.page, c.pages);
        EXPECT_EQ(coloursShown, c.colours) << c.type;
        EXPECT_EQ(emptyTextShown, !c.colours) << c.type;
        if (c.colours) {
            EXPECT_EQ(m_window->GetReport()->Settings().m_format.m_colours[1].m_colour, kRed)
                << c.type;
        }
    }
}

} // namespace
