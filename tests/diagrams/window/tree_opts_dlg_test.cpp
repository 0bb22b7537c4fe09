// tests/diagrams/window/tree_opts_dlg_test.cpp: the Diagram Options sheet driven through its
// controls: what each page loads, refuses (messages word for word, the sheet kept on the page
// with the focus on the field) and hands over to the applied copy, the edited block and, with
// "Save as default", the profile; Test and Cancel on the window's zoom; the print-only form;
// the Title Options dialog; and the Diagram Defaults owner with no window.
#include "tests/diagrams/window/tree_opts_fixture.h"

#include "controls/colour_chooser.h"
#include "diagrams/diagram_defaults.h"
#include "diagrams/window/diag_title_opts_dlg.h"
#include "diagrams/window/diagram_defaults_owner.h"
#include "diagrams/window/tree_opts_print.h"
#include "platform/base/registry.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/colour_dialog.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/windows/app.h"
#include "templates/settings_store.h"

#include <gtest/gtest.h>

namespace {

using TestHooks::SheetButton;
using M = CTreePageMain;
using D = CTreePageDims;
using P = CTreePagePrint;
using Pics = CTreePagePics;

constexpr const char* kRange999 = "Enter a whole number from 1 to 999.";
constexpr const char* kWhole = "Enter a whole number.";

/// The profile's value of a key of the diagram settings; empty when it holds none.
std::string ProfileValue(const char* section, const char* key)
{
    CSettingsStore store(AfxGetApp()->GetProfile());
    return store.ReadText(section, key).value_or("");
}

using TreeOptsDlgTest = TreeOptsTest;

TEST_F(TreeOptsDlgTest, PagesComeInTabOrderAndSaveAsDefaultSitsBesideOk)
{
    RunSheet(0, [&](CPropertySheet& sheet) {
        const UINT templates[] = {121, 22, 314, 247, 225, 111};
        ASSERT_EQ(sheet.GetPageCount(), 6);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(sheet.GetPage(i)->GetTemplateId(), templates[i]);
        const CWnd* box = sheet.GetDlgItem(CTreeOptsDlg::kSaveAsDefaultId);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(Text(sheet, CTreeOptsDlg::kSaveAsDefaultId), "Save as default");
        CRect boxPlace, okPlace;
        box->GetWindowRect(&boxPlace);
        sheet.GetDlgItem(IDOK)->GetWindowRect(&okPlace);
        EXPECT_EQ(boxPlace.top, okPlace.top);
        EXPECT_LT(boxPlace.right, okPlace.left);
    });
    RunSheet(
        0,
        [&](CPropertySheet& sheet) {
            EXPECT_EQ(sheet.GetDlgItem(CTreeOptsDlg::kSaveAsDefaultId), nullptr);
        },
        false);
    RunSheet(
        0,
        [&](CPropertySheet& sheet) {
            ASSERT_EQ(sheet.GetPageCount(), 1);
            EXPECT_EQ(sheet.GetPage(0)->GetTemplateId(), CTreePagePrint::kTemplate);
        },
        true, true, true);
}

TEST_F(TreeOptsDlgTest, GeneralTypeChangeBringsItsGenerationsAndOkRebuilds)
{
    m_settings.m_generations[kAncestorsDiagram] = {6, 2};
    std::string up, down;
    bool downEnabled = true;
    const int result = RunSheet(0, [&](CPropertySheet& sheet) {
        CWnd& page = Page(sheet);
        EXPECT_EQ(Text(page, M::kTypeId), "All Relatives");
        EXPECT_EQ(Text(page, M::kUpId), "3");
        TestHooks::SelectItem(page, M::kTypeId, kAncestorsDiagram);
        up = Text(page, M::kUpId);
        down = Text(page, M::kDownId);
        downEnabled = Enabled(page, M::kDownId);
        TestHooks::SetText(page, M::kUpId, "9");
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(up, "6");
    EXPECT_EQ(down, "2");
    EXPECT_FALSE(downEnabled);
    EXPECT_EQ(m_settings.m_diagramType, kAncestorsDiagram);
    EXPECT_EQ(m_settings.m_generations[kAncestorsDiagram], (GenerationPair{9, 2}));
    EXPECT_EQ(m_settings.m_generations[kAllRelativesDiagram], (GenerationPair{3, 3}));
    EXPECT_EQ(m_target.m_generalApplied, std::vector<bool>{true});
    // Nothing was saved as default.
    EXPECT_EQ(m_target.m_defaults.m_diagramType, kAllRelativesDiagram);
}

TEST_F(TreeOptsDlgTest, GeneralUnchangedOnlyRefreshes)
{
    RunSheet(0, [&](CPropertySheet& sheet) {
        TestHooks::Click(Page(sheet), M::kBoxesId);
        TestHooks::Click(Page(sheet), M::kBoxesId);
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
    });
    EXPECT_TRUE(m_target.m_generalApplied.empty());
    EXPECT_EQ(m_target.m_refreshes, 1);
}

TEST_F(TreeOptsDlgTest, ColoursShowAtOnceAndGoToTheDefaultsWhenAsked)
{
    ASSERT_TRUE(InitColourChooser());
    constexpr COLORREF kRed = RGB(255, 0, 0);
    int liveRefreshes = 0;
    COLORREF live = 0, afterReset = 0;
    RunSheet(0, [&](CPropertySheet& sheet) {
        TestHooks::OnNextDialog(IDD_COLOUR_CHOOSER, [&](CDialog& dialog) {
            TestHooks::SelectItem(dialog, IDC_COLOUR_ITEMS, 5);
            static_cast<CColorDialog&>(dialog).SetCurrentColor(kRed);
            TestHooks::Click(dialog, IDOK);
            live = m_settings.m_colours[5].colour;
            liveRefreshes = m_target.m_refreshes;
            TestHooks::Click(dialog, IDC_INSTALLATION_COLOURS);
            afterReset = m_settings.m_colours[5].colour;
            TestHooks::SelectItem(dialog, IDC_COLOUR_ITEMS, 5);
            static_cast<CColorDialog&>(dialog).SetCurrentColor(kRed);
            TestHooks::Click(dialog, IDOK);
            TestHooks::Click(dialog, IDC_SAVE_AS_DEFAULTS);
            TestHooks::Click(dialog, IDC_COLOURS_OK);
        });
        TestHooks::Click(Page(sheet), M::kColoursId);
        TestHooks::PressSheetButton(sheet, SheetButton::Cancel);
    });
    EXPECT_EQ(live, kRed);
    EXPECT_GE(liveRefreshes, 1);
    EXPECT_EQ(afterReset, BuiltInDiagramColour(5).colour);
    // Taken by the diagram and, asked to, by the defaults; Cancel of the sheet keeps them.
    EXPECT_EQ(m_settings.m_colours[5].colour, kRed);
    EXPECT_EQ(m_target.m_defaults.m_colours[5].colour, kRed);
    EXPECT_EQ(ProfileValue("Diagram Colours", "Box - ancestor"), "255,0,0");
}

TEST_F(TreeOptsDlgTest, AllRelativesTakesNoNoSpousesOption)
{
    std::vector<CPromptScript::Shown> shown;
    std::string after;
    RunSheet(0, [&](CPropertySheet& sheet) {
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::SelectItem(Page(sheet), M::kSpouseId, 0);
        shown = TestHooks::TakeMessages();
        after = Text(Page(sheet), M::kSpouseId);
    });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "This option is not supported in an \"All Relatives\" diagram");
    EXPECT_EQ(shown[0].caption, "Option not supported");
    EXPECT_EQ(after, "Show duplicates");
}

TEST_F(TreeOptsDlgTest, AutoSetFollowsTheGenerationsAndHandEditingClearsIt)
{
    m_settings.m_rowsPerGeneration = 3; // what 3 generations up need
    std::string rows;
    UINT autoAfterTyping = 1;
    RunSheet(0, [&](CPropertySheet& sheet) {
        CWnd& page = Page(sheet);
        EXPECT_EQ(static_cast<CDialog&>(page).IsDlgButtonChecked(M::kAutoSetId), UINT(BST_CHECKED));
        TestHooks::SetText(page, M::kUpId, "4");
        rows = Text(page, M::kRowsId);
        TestHooks::SetText(page, M::kUpId, "40");
        EXPECT_EQ(Text(page, M::kRowsId), "5"); // capped
        EXPECT_TRUE(page.GetDlgItem(M::kMaxId)->IsWindowVisible());
        TestHooks::SelectItem(page, M::kLayoutId, 1); // fixed: no "(max)"
        EXPECT_FALSE(page.GetDlgItem(M::kMaxId)->IsWindowVisible());
        TestHooks::SetText(page, M::kRowsId, "7");
        autoAfterTyping = static_cast<CDialog&>(page).IsDlgButtonChecked(M::kAutoSetId);
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
    });
    EXPECT_EQ(rows, "4");
    EXPECT_EQ(autoAfterTyping, UINT(BST_UNCHECKED));
    EXPECT_EQ(m_settings.m_rowsPerGeneration, 7);
}

struct Refusal {
    const char* name;
    UINT page;
    int id;
    const char* typed;
    const char* message;
};

class TreeOptsRefusalTest : public TreeOptsTest, public testing::WithParamInterface<Refusal> {};

TEST_P(TreeOptsRefusalTest, RefusesWithTheRangeMessageOnThePageAndField)
{
    const Refusal& c = GetParam();
    const CDiagramSettings before = m_settings;
    Texts messages;
    int focus = 0;
    int pageShown = -1;
    bool open = false;
    const int result = RunSheet(c.page, [&](CPropertySheet& sheet) {
        TestHooks::SetText(Page(sheet), c.id, c.typed);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
        messages = MessageTexts();
        const CWnd* focused = CWnd::GetFocus();
        focus = focused ? focused->GetDlgCtrlID() : 0;
        pageShown = sheet.GetActiveIndex();
        open = sheet.IsWindowVisible();
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(open);
    EXPECT_EQ(messages, Texts{c.message});
    EXPECT_EQ(focus, c.id);
    EXPECT_EQ(pageShown, int(c.page));
    EXPECT_EQ(m_settings.m_pageWidth, before.m_pageWidth);
    EXPECT_EQ(m_settings.m_topMargin, before.m_topMargin);
    EXPECT_EQ(m_settings.m_minBoxWidth, before.m_minBoxWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TreeOptsRefusalTest,
    testing::Values(Refusal{"Zero", CTreeOptsDlg::kGeneralPage, M::kUpId, "0", kRange999},
                    Refusal{"Letters", CTreeOptsDlg::kGeneralPage, M::kUpId, "abc", kWhole},
                    Refusal{"Nothing", CTreeOptsDlg::kGeneralPage, M::kDownId, "", kWhole},
                    Refusal{"Exponent", CTreeOptsDlg::kGeneralPage, M::kUpId, "1e9", kWhole},
                    Refusal{"TwentyDigits", CTreeOptsDlg::kGeneralPage, M::kUpId,
                            "12345678901234567890", kWhole},
                    Refusal{"RowsOne", CTreeOptsDlg::kGeneralPage, M::kRowsId, "1",
                            "Enter a whole number from 2 to 50."},
                    Refusal{"NarrowBox", CTreeOptsDlg::kDimsPage, D::kMinWidthId, "4",
                            "Enter a whole number from 5 to 200."},
                    Refusal{"OddDiameterTooBig", CTreeOptsDlg::kDimsPage, D::kChainBId, "52",
                            "Enter a whole number from 2 to 50."},
                    Refusal{"MarginOver40", CTreeOptsDlg::kPrintPage, P::kTopId, "40.01",
                            "Enter a number from 0 to 40."},
                    Refusal{"MarginLetters", CTreeOptsDlg::kPrintPage, P::kLeftId, "ten",
                            "Enter a number."},
                    Refusal{"PageWidthBelow100", CTreeOptsDlg::kPrintPage, P::kWidthId, "99",
                            "Enter a whole number from 100 to 1000000."},
                    Refusal{"PageHeightZero", CTreeOptsDlg::kPrintPage, P::kHeightId, "0",
                            "Enter a whole number from 100 to 1000000."}),
    [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(TreeOptsDlgTest, SaveAsDefaultWritesExactlyTheAppliedPagesSections)
{
    ASSERT_EQ(ProfileValue("Diagram Options", "Picture index"), "");
    RunSheet(
        CTreeOptsDlg::kPicturesPage,
        [&](CPropertySheet& sheet) {
            TestHooks::SetText(Page(sheet), Pics::kPreferredId, "3rd");
            TestHooks::PressSheetButton(sheet, SheetButton::Ok);
        },
        true, true);
    EXPECT_EQ(m_settings.m_pictureIndex, 3);
    EXPECT_EQ(m_target.m_defaults.m_pictureIndex, 3);
    EXPECT_EQ(ProfileValue("Diagram Options", "Picture index"), "3");
    for (const char* key :
         {"Contents", "Spouse Option", "Page width", "Min box width", "Text Scheme", "Font"})
        EXPECT_EQ(ProfileValue("Diagram Options", key), "") << key;
    EXPECT_EQ(ProfileValue("Title Options 1", "Visible"), "");

    // Unticked, nothing more reaches the profile or the defaults.
    RunSheet(
        CTreeOptsDlg::kPrintPage,
        [&](CPropertySheet& sheet) {
            TestHooks::Click(sheet, CTreeOptsDlg::kSaveAsDefaultId);
            TestHooks::SetText(Page(sheet), P::kXOriginId, "5");
            TestHooks::PressSheetButton(sheet, SheetButton::Ok);
        },
        true, true);
    EXPECT_EQ(m_settings.m_pageXOrigin, 5);
    EXPECT_EQ(m_target.m_defaults.m_pageXOrigin, 248);
    EXPECT_EQ(ProfileValue("Diagram Options", "Page x origin"), "");
}

TEST_F(TreeOptsDlgTest, InstallationSettingsResetsEachPagesSections)
{
    struct Case {
        UINT page;
        int id;
        const char* typed;
        const char* installation;
    };
    const Case cases[] = {
        {CTreeOptsDlg::kGeneralPage, M::kRowsId, "9", "3"},
        {CTreeOptsDlg::kPicturesPage, Pics::kPreferredId, "3rd", "None"},
        {CTreeOptsDlg::kPrintPage, P::kWidthId, "3000", "2106"},
        {CTreeOptsDlg::kDimsPage, D::kMinWidthId, "120", "75"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        std::string shown;
        RunSheet(c.page, [&](CPropertySheet& sheet) {
            TestHooks::SetText(Page(sheet), c.id, c.typed);
            ASSERT_TRUE(sheet.GetActivePage()->UpdateData(TRUE));
            TestHooks::Click(Page(sheet), CTreeOptsPage::kInstallationId);
            shown = Text(Page(sheet), c.id);
            EXPECT_TRUE(sheet.GetActivePage()->IsModified());
        });
        EXPECT_EQ(shown, c.installation);
    }
}

TEST_F(TreeOptsDlgTest, DimensionsChainAddsUpAndDiameterBecomesEven)
{
    std::string total, diameter;
    RunSheet(CTreeOptsDlg::kDimsPage, [&](CPropertySheet& sheet) {
        CWnd& page = Page(sheet);
        EXPECT_EQ(Text(page, D::kTotalId), "24");
        TestHooks::SetText(page, D::kChainAId, "10");
        TestHooks::SetText(page, D::kChainBId, "8");
        TestHooks::SetText(page, D::kChainCId, "8");
        TestHooks::SetText(page, D::kChainDId, "8");
        total = Text(page, D::kTotalId);
        TestHooks::SetText(page, D::kChainBId, "7");
        Leave(page, D::kChainBId);
        diameter = Text(page, D::kChainBId);
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
    });
    EXPECT_EQ(total, "34");
    EXPECT_EQ(diameter, "8");
    EXPECT_EQ(m_settings.m_boxToBoxVertGap, 34);
    EXPECT_EQ(m_settings.m_buttonRadius, 4);
    EXPECT_EQ(m_settings.m_buttonCentreToBoxVertGap, 20);
    EXPECT_EQ(m_settings.m_sibLineToBoxVertGap, 8);
}

TEST_F(TreeOptsDlgTest, TestKeepsTheVisibleWidthAndCancelPutsTheWindowBack)
{
    int afterTest = 0, edited = 0;
    RunSheet(CTreeOptsDlg::kDimsPage, [&](CPropertySheet& sheet) {
        TestHooks::SetText(Page(sheet), D::kMinWidthId, "150");
        TestHooks::Click(Page(sheet), D::kTestId);
        afterTest = m_window.m_divisor;
        edited = m_settings.m_minBoxWidth;
        TestHooks::PressSheetButton(sheet, SheetButton::Cancel);
    });
    EXPECT_EQ(afterTest, 10);
    EXPECT_EQ(edited, 150);
    EXPECT_EQ(m_window.m_divisor, 20);
    EXPECT_EQ(m_settings.m_minBoxWidth, 75);
    EXPECT_EQ(m_target.m_relayouts, 2); // the Test, and the values put back
    // OK keeps the values but puts the zoom back.
    RunSheet(CTreeOptsDlg::kDimsPage, [&](CPropertySheet& sheet) {
        TestHooks::SetText(Page(sheet), D::kMinWidthId, "150");
        TestHooks::Click(Page(sheet), D::kTestId);
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
    });
    EXPECT_EQ(m_window.m_divisor, 20);
    EXPECT_EQ(m_settings.m_minBoxWidth, 150);
}

TEST_F(TreeOptsDlgTest, FailedRelayoutSaysSo)
{
    m_target.m_relayoutSucceeds = false;
    Texts messages;
    RunSheet(CTreeOptsDlg::kDimsPage, [&](CPropertySheet& sheet) {
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(Page(sheet), D::kTestId);
        messages = MessageTexts();
        TestHooks::AnswerMessageBox(IDOK);
    });
    EXPECT_EQ(messages, Texts{"Insufficient memory to display diagram."});
    MessageTexts();
}

TEST_F(TreeOptsDlgTest, PrintOrientationSwapsThePageAndMarginsAreEvenedOut)
{
    std::string width, height;
    Texts messages;
    bool open = false;
    RunSheet(CTreeOptsDlg::kPrintPage, [&](CPropertySheet& sheet) {
        CWnd& page = Page(sheet);
        TestHooks::Click(page, P::kPortraitId);
        width = Text(page, P::kWidthId);
        height = Text(page, P::kHeightId);
        TestHooks::SetText(page, P::kTopId, "10");
        TestHooks::SetText(page, P::kBottomId, "10");
        TestHooks::SetText(page, P::kLeftId, "30");
        TestHooks::SetText(page, P::kRightId, "30");
        TestHooks::AnswerMessageBox(IDNO);
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
        EXPECT_EQ(Text(page, P::kBottomId), "10"); // No: unchanged, still open
        TestHooks::AnswerMessageBox(IDYES);
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
        messages = MessageTexts();
        open = sheet.IsWindowVisible();
        EXPECT_EQ(Text(page, P::kBottomId), "40");
        EXPECT_EQ(Text(page, P::kTopId), "20");
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
    });
    EXPECT_EQ(width, "1440");
    EXPECT_EQ(height, "2106");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].starts_with("Your margin settings will distort"));
    EXPECT_TRUE(open);
    EXPECT_FALSE(m_settings.m_printLandscape);
    EXPECT_EQ(m_settings.m_pageWidth, 1440);
    EXPECT_DOUBLE_EQ(m_settings.m_bottomMargin, 40.0);
    EXPECT_DOUBLE_EQ(m_settings.m_topMargin, 20.0);
}

TEST_F(TreeOptsDlgTest, PrintRatioFollowsThePrinterOrOneToOneWithoutOne)
{
    TestHooks::SetNoPrinter(true);
    std::string height;
    UINT preserve = 0;
    RunSheet(CTreeOptsDlg::kPrintPage, [&](CPropertySheet& sheet) {
        CWnd& page = Page(sheet);
        TestHooks::SetText(page, P::kWidthId, "3000");
        Leave(page, P::kWidthId);
        height = Text(page, P::kHeightId);
        TestHooks::AnswerMessageBox(IDNO);
        TestHooks::Click(page, P::kPreserveId);
        preserve = static_cast<CDialog&>(page).IsDlgButtonChecked(P::kPreserveId);
        MessageTexts();
        TestHooks::SetText(page, P::kXOriginId, "-50");
        Leave(page, P::kXOriginId);
        EXPECT_EQ(Text(page, P::kXOriginId), "2950");
    });
    TestHooks::SetNoPrinter(false);
    EXPECT_EQ(height, "3000");
    EXPECT_EQ(preserve, UINT(BST_CHECKED));
}

TEST_F(TreeOptsDlgTest, PicturesTakeTheLeadingNumberAndRefuseShrinkingWithinText)
{
    EXPECT_EQ(PictureIndexOfText("3rd"), 3);
    EXPECT_EQ(PictureIndexOfText("none"), 0);
    EXPECT_EQ(PictureIndexOfText("-2"), 0);
    Texts messages;
    RunSheet(CTreeOptsDlg::kPicturesPage, [&](CPropertySheet& sheet) {
        CWnd& page = Page(sheet);
        EXPECT_FALSE(Enabled(page, Pics::kHeightId));
        TestHooks::Click(page, Pics::kWithinId);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
        messages = MessageTexts();
        TestHooks::Click(page, Pics::kThisHeightId);
        EXPECT_TRUE(Enabled(page, Pics::kHeightId));
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
    });
    EXPECT_EQ(messages, Texts{"You can only shrink large pictures to the height of a box if you "
                              "are displaying pictures to the left or right of the text."});
    EXPECT_EQ(m_settings.m_pictureLayout, 2);
    EXPECT_FALSE(m_settings.m_useBoxHeight);
}

TEST_F(TreeOptsDlgTest, TitlesShowTheirOptionsAndTitleOptionsRefusesNothingToShow)
{
    Texts refused;
    std::string caption;
    RunSheet(CTreeOptsDlg::kTitlesPage, [&](CPropertySheet& sheet) {
        CWnd& page = Page(sheet);
        EXPECT_FALSE(Enabled(page, CTreePageTitles::kOptionsIds[1]));
        TestHooks::Click(page, CTreePageTitles::kShowIds[1]);
        EXPECT_TRUE(Enabled(page, CTreePageTitles::kOptionsIds[1]));
        TestHooks::OnNextDialog(CTitleOptsDlg::kTemplate, [&](CDialog& dlg) {
            EXPECT_EQ(Text(dlg, CTitleOptsDlg::kTextId), "Title 2");
            TestHooks::Click(dlg, CTitleOptsDlg::kShowFrameId);
            TestHooks::SetText(dlg, CTitleOptsDlg::kTextId, "  \r\n ");
            TestHooks::AnswerMessageBox(IDOK);
            TestHooks::Click(dlg, IDOK);
            const auto shown = TestHooks::TakeMessages();
            ASSERT_EQ(shown.size(), 1u);
            refused.push_back(shown[0].text);
            caption = shown[0].caption;
            TestHooks::SetText(dlg, CTitleOptsDlg::kTextId, "  The Smiths\r\n");
            TestHooks::SetText(dlg, CTitleOptsDlg::kMarginXId, "12");
            TestHooks::Click(dlg, IDOK);
        });
        TestHooks::Click(page, CTreePageTitles::kOptionsIds[1]);
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
    });
    EXPECT_EQ(refused, Texts{"You must supply text for title if not showing frame"});
    EXPECT_EQ(caption, "Invalid option combination");
    const CDiagramTitle& title = m_settings.m_titles[1];
    EXPECT_TRUE(title.visible);
    EXPECT_EQ(title.text, "The Smiths");
    EXPECT_FALSE(title.showFrame);
    EXPECT_EQ(title.marginX, 12);
}

TEST_F(TreeOptsDlgTest, TitlesInstallationSettingsAsksFirst)
{
    m_settings.m_titles[0].visible = true;
    UINT afterCancel = 0, afterOk = 1;
    RunSheet(CTreeOptsDlg::kTitlesPage, [&](CPropertySheet& sheet) {
        auto& page = static_cast<CDialog&>(Page(sheet));
        TestHooks::AnswerMessageBox(IDCANCEL);
        TestHooks::Click(page, CTreeOptsPage::kInstallationId);
        afterCancel = page.IsDlgButtonChecked(CTreePageTitles::kShowIds[0]);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(page, CTreeOptsPage::kInstallationId);
        afterOk = page.IsDlgButtonChecked(CTreePageTitles::kShowIds[0]);
    });
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text,
              "All titles will be reset to their initial states, and will be hidden");
    EXPECT_EQ(shown[0].caption, "Ardenvel");
    EXPECT_EQ(afterCancel, UINT(BST_CHECKED));
    EXPECT_EQ(afterOk, UINT(BST_UNCHECKED));
}

TEST(RelativesGenerationsTest, FollowsTheLayoutOfGenerations)
{
    struct Case {
        int type, up, down;
        bool fixed, gapsAtTop, countDown;
        int expected;
    };
    const Case cases[] = {
        {kAncestorsDiagram, 9, 9, false, true, false, 1},
        {kAllRelativesDiagram, 1, 1, false, true, false, 2},
        {kAllRelativesDiagram, 6, 2, false, true, false, 6},
        {kAllRelativesDiagram, 6, 2, false, true, true, 3},
        {kAllRelativesDiagram, 6, 0, false, true, true, 2},
        {kAllRelativesDiagram, 6, 2, true, false, true, 6},
        {kAllRelativesDiagram, 6, 2, true, true, true, 3},
    };
    for (const Case& c : cases) {
        CDiagramSettings s;
        s.m_diagramType = c.type;
        s.m_ancestorGenerations = c.up;
        s.m_descendantGenerations = c.down;
        s.m_fixedGenerationSize = c.fixed;
        s.m_gapsAtTop = c.gapsAtTop;
        s.m_countDownFromTop = c.countDown;
        EXPECT_EQ(s.GetRelativesGenerations(), c.expected) << c.type << " " << c.up;
    }
}

// The Diagram Defaults command's owner, with no diagram open.

class DiagramDefaultsTest : public TreeOptsTest {
protected:
    void SetUp() override
    {
        TreeOptsTest::SetUp();
        m_defaults.TextSchemes().CopySchemeList(m_target.m_schemes);
    }

    CDiagramDefaults m_defaults;
};

TEST_F(DiagramDefaultsTest, EditsAndSavesTheDefaultsWithNoWindow)
{
    bool box = true;
    std::string title;
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        box = sheet.GetDlgItem(CTreeOptsDlg::kSaveAsDefaultId) != nullptr;
        sheet.GetWindowText(title);
        TestHooks::SelectItem(Page(sheet), M::kTypeId, kDescendantsDiagram);
        TestHooks::SetText(Page(sheet), M::kDownId, "8");
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
    });
    ShowDiagramDefaults(m_defaults, nullptr);
    EXPECT_FALSE(box);
    EXPECT_EQ(title, "Diagram Defaults");
    EXPECT_EQ(m_defaults.Settings().m_diagramType, kDescendantsDiagram);
    // The next start (statics loaded again) reads the same defaults.
    CDiagramSettings loaded;
    loaded.LoadSettingsFromProfile(AfxGetApp()->GetProfile());
    EXPECT_EQ(loaded.m_diagramType, kDescendantsDiagram);
    EXPECT_EQ(loaded.m_generations[kDescendantsDiagram], (GenerationPair{5, 8}));
}

TEST_F(DiagramDefaultsTest, AProfileThatRefusesWritesLosesNothingInMemory)
{
    const std::string before = ProfileValue("Diagram Options", "Show boxes");
    ASSERT_NE(before, "0");
    RegSetDenyWrites(true);
    Texts messages;
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        TestHooks::Click(Page(sheet), M::kBoxesId);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
        messages = MessageTexts();
    });
    ShowDiagramDefaults(m_defaults, nullptr);
    RegSetDenyWrites(false);
    RegReset();
    EXPECT_EQ(messages, Texts{"Unable to save settings"});
    EXPECT_FALSE(m_defaults.Settings().m_showBoxes);
    EXPECT_EQ(ProfileValue("Diagram Options", "Show boxes"), before);
}

TEST_F(DiagramDefaultsTest, OwnerAnswersForTheDefaults)
{
    CDiagramDefaultsOwner owner(m_defaults);
    EXPECT_EQ(&owner.GetDefaultSettings(), &m_defaults.Settings());
    EXPECT_EQ(&owner.GetTextSchemes(), &m_defaults.TextSchemes());
    EXPECT_TRUE(owner.RelayoutDiagram(false));
    CDiagramSettings relatives;
    relatives.m_ancestorGenerations = 7;
    EXPECT_EQ(owner.GetAutoRowsPerGeneration(relatives), 7);
    CTextSchemeList one;
    auto scheme = std::make_unique<CTextScheme>();
    scheme->SetName("Only");
    one.Add(std::move(scheme));
    m_observer.m_hints.clear();
    owner.ReplaceTextSchemes(one);
    ASSERT_EQ(m_defaults.TextSchemes().Size(), 1u);
    EXPECT_NE(m_defaults.TextSchemes().Items().front().get(), one.Items().front().get());
    EXPECT_EQ(m_observer.m_hints, std::vector<LPARAM>{7});
}

} // namespace
