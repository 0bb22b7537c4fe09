// tests/app/prefs_dlg_test.cpp: the preferences sheet: its checks, its enabling rules, and
// that only OK stores what the pages hold, all pages at once.
#include "app/prefs_dlg.h"
#include "database/nodes/change_hint.h"
#include "tests/app/app_fixture.h"
#include "tests/app/shell_dialogs_fixture.h"
#include "tests/app/test_panes.h"

#include "platform/ui/dialogs/button.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <functional>

namespace {

using app_test::ShellDialogTest;
using Sheet = TestHooks::SheetButton;

constexpr int kGeneral = 0, kFile = 1, kMisc = 2;

class PrefsDlgTest : public ShellDialogTest {
protected:
    /// Runs the sheet on the page with the driver; returns DoModal's result.
    int Run(int page, const std::function<void(CPropertySheet&, CWnd&)>& driver,
            const std::string& openFile = {})
    {
        CPrefsDlg sheet("Preferences", nullptr, UINT(page));
        sheet.SetOpenFilePath(openFile);
        TestHooks::OnNextSheet([&](CPropertySheet& s) { driver(s, *s.GetActivePage()); });
        return sheet.DoModal();
    }

    static CWnd& Show(CPropertySheet& sheet, int page)
    {
        EXPECT_TRUE(sheet.SetActivePage(page));
        return *sheet.GetActivePage();
    }

    /// Presses OK, answering the one message box expected; when the sheet refused, keeps the
    /// messages shown and cancels it.
    static void OkOrCancel(CPropertySheet& sheet, std::vector<std::string>& messages,
                           bool expectMessage = true)
    {
        if (expectMessage)
            TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PressSheetButton(sheet, Sheet::Ok);
        messages = MessageTexts();
        if (sheet.GetSafeHwnd() && sheet.IsWindowVisible())
            TestHooks::PressSheetButton(sheet, Sheet::Cancel);
    }
};

struct Refusal {
    const char* name;
    int page;
    int edit;
    std::string typed;
    const char* message;
};

class PrefsRefusals : public PrefsDlgTest, public testing::WithParamInterface<Refusal> {};

TEST_P(PrefsRefusals, KeepTheSheetOpenAndChangeNothing)
{
    const auto before = std::filesystem::current_path();
    std::vector<std::string> messages;
    Run(GetParam().page, [&](CPropertySheet& sheet, CWnd& page) {
        // A first list name on the General page; autosave on the Miscellaneous page.
        if (GetParam().page == kGeneral)
            TestHooks::SetText(page, 1630, "Bookmarks");
        else
            TestHooks::Click(page, 1781);
        TestHooks::SetText(page, GetParam().edit, GetParam().typed);
        OkOrCancel(sheet, messages);
    });
    EXPECT_EQ(messages, std::vector<std::string>{GetParam().message});
    EXPECT_EQ(Prefs().m_stdLifeInYears, 50);
    EXPECT_EQ(Prefs().m_autoNamedLists[0], "");
    EXPECT_FALSE(Prefs().m_enableAutosave);
    EXPECT_EQ(std::filesystem::current_path(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrefsRefusals,
    testing::Values(
        Refusal{"LifeYearsAboveHundred", kGeneral, 1523, "101",
                "Enter a whole number from 0 to 100."},
        Refusal{"SameListNameOtherCase", kGeneral, 1540, " bookmarks ",
                "Auto-create Named Lists include one or more duplicates."},
        Refusal{"ListNameTooLong", kGeneral, 1537, std::string(201, 'n'),
                "One or more Auto-create Named List names is too long.  The maximum allowed "
                "length is 200 characters, including spaces."},
        Refusal{"MissingDefaultFile", kMisc, 1628, "/no/such/file.ged",
                "Default File was not found."},
        Refusal{"MissingStartupFolder", kMisc, 1536, "/no/such/folder",
                "Startup folder was not found."},
        Refusal{"AutosaveEveryZeroMinutes", kMisc, 1782, "0",
                "If Autosave is enabled, the Auto-save Period must be greater than 0."}),
    [](const testing::TestParamInfo<Refusal>& info) { return info.param.name; });

TEST_F(PrefsDlgTest, MissingListsAreCreatedOnlyWhenTheSheetIsConfirmed)
{
    for (const bool confirm : {false, true}) {
        const std::string file = test_support::WriteFile(m_folder + "/default.ged", "0 TRLR\n");
        Run(kGeneral, [&](CPropertySheet& sheet, CWnd& page) {
            TestHooks::SetText(page, 1630, "Bookmarks");
            TestHooks::SetText(page, 1538, std::string(200, 'w'));
            TestHooks::SetText(Show(sheet, kMisc), 1628, file);
            Show(sheet, kGeneral);
            // Without its file the Miscellaneous page refuses OK after the lists were asked
            // about, and the sheet stays open until Cancel.
            if (!confirm)
                std::filesystem::remove(file);
            TestHooks::AnswerMessageBox(IDYES);
            if (!confirm)
                TestHooks::AnswerMessageBox(IDOK);
            TestHooks::PressSheetButton(sheet, Sheet::Ok);
            if (!confirm)
                TestHooks::PressSheetButton(sheet, Sheet::Cancel);
        });
        const std::vector<std::string> messages = MessageTexts();
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.front(), "One or more auto-create named lists does not exist in the "
                                    "current file.  Do you wish to create these now?");
        EXPECT_EQ(messages.size(), confirm ? 1u : 2u);
        EXPECT_EQ(FindNamedList("BOOKMARKS") != nullptr, confirm);
        EXPECT_EQ(FindNamedList(std::string(200, 'W')) != nullptr, confirm);
    }
}

/// Sizes, a date option and the start-up folder, chosen on three pages.
void ChooseOnEveryPage(CPropertySheet& sheet, CWnd& general, const std::string& folder)
{
    TestHooks::Click(general, 1769); // diagram: Full
    TestHooks::Click(general, 1770); // drag-add: Small
    TestHooks::Click(general, 1009); // default: Small
    CWnd& file = *([&] {
        sheet.SetActivePage(kFile);
        return sheet.GetActivePage();
    })();
    TestHooks::Click(file, 1380); // numeric dates off
    sheet.SetActivePage(kMisc);
    TestHooks::SetText(*sheet.GetActivePage(), 1536, folder);
    sheet.SetActivePage(kGeneral);
}

TEST_F(PrefsDlgTest, CancelKeepsEveryPreferenceAndTheCurrentFolder)
{
    const std::string folder = test_support::NewFolder("start");
    const auto before = std::filesystem::current_path();
    Prefs().m_propDlgSizeDefault = kPropDlgFull;
    EXPECT_EQ(Run(kGeneral,
                  [&](CPropertySheet& sheet, CWnd& page) {
                      ChooseOnEveryPage(sheet, page, folder);
                      TestHooks::PressSheetButton(sheet, Sheet::Cancel);
                  }),
              IDCANCEL);
    EXPECT_EQ(Prefs().m_propDlgSizeDiagram, kPropDlgLarge);
    EXPECT_EQ(Prefs().m_propDlgSizeDefault, kPropDlgFull);
    EXPECT_TRUE(Prefs().m_allowNumericDates);
    EXPECT_EQ(Prefs().m_startupDirectory, "");
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_EQ(StoredText("Allow Numeric Dates"), "");
}

TEST_F(PrefsDlgTest, OkStoresEveryPageAndWritesThemAtOnce)
{
    const std::string folder = test_support::NewFolder("start-ok");
    const auto before = std::filesystem::current_path();
    EXPECT_EQ(Run(kGeneral,
                  [&](CPropertySheet& sheet, CWnd& page) {
                      ChooseOnEveryPage(sheet, page, folder);
                      TestHooks::PressSheetButton(sheet, Sheet::Ok);
                  }),
              IDOK);
    const auto entered = std::filesystem::current_path();
    std::filesystem::current_path(before);
    EXPECT_EQ(Prefs().m_propDlgSizeDiagram, kPropDlgFull);
    EXPECT_EQ(Prefs().m_propDlgSizeDragAdd, kPropDlgSmall);
    EXPECT_EQ(Prefs().m_propDlgSizeDefault, kPropDlgSmall);
    EXPECT_FALSE(Prefs().m_allowNumericDates);
    EXPECT_EQ(Prefs().m_startupDirectory, folder);
    EXPECT_EQ(entered, std::filesystem::path(folder));
    EXPECT_EQ(StoredText("Allow Numeric Dates"), "FALSE");
    EXPECT_EQ(StoredText("Startup Directory"), folder);
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(PrefsDlgTest, StoredSizesOutsideTheCodesShowTheirOwnFallback)
{
    Prefs().m_propDlgSizeDiagram = 7;
    Prefs().m_propDlgSizeDragAdd = 7;
    Prefs().m_propDlgSizeDefault = kPropDlgFull;
    Run(kGeneral, [&](CPropertySheet& sheet, CWnd& page) {
        auto& dialog = static_cast<CDialog&>(page);
        EXPECT_EQ(dialog.GetCheckedRadioButton(1767, 1769), 1768);
        EXPECT_EQ(dialog.GetCheckedRadioButton(1770, 1772), 1770);
        EXPECT_EQ(dialog.GetCheckedRadioButton(1009, 1011), 1011);
        TestHooks::RenderWindow(sheet).SavePng("preferences_general.png");
        TestHooks::PressSheetButton(sheet, Sheet::Cancel);
    });
}

TEST_F(PrefsDlgTest, SeparatorIsEnabledOnlyForNumericDatesInAChosenOrder)
{
    Run(kFile, [&](CPropertySheet& sheet, CWnd& page) {
        TestHooks::RenderWindow(sheet).SavePng("preferences_file.png");
        // Numeric dates in the locale's order.
        EXPECT_TRUE(Enabled(page, 1384));
        EXPECT_FALSE(Enabled(page, 1387));
        EXPECT_FALSE(Enabled(page, 1388));
        TestHooks::Click(page, 1383);
        EXPECT_TRUE(Enabled(page, 1387));
        EXPECT_TRUE(Enabled(page, 1388));
        TestHooks::Click(page, 1380);
        EXPECT_FALSE(Enabled(page, 1383));
        EXPECT_FALSE(Enabled(page, 1387));
        TestHooks::PressSheetButton(sheet, Sheet::Cancel);
    });
}

struct SeparatorCase {
    const char* typed;
    char stored;
};

class PrefsSeparator : public PrefsDlgTest, public testing::WithParamInterface<SeparatorCase> {};

TEST_P(PrefsSeparator, FirstCharacterAfterBlanksIsStoredWithTheFormat)
{
    Run(kFile, [&](CPropertySheet& sheet, CWnd& page) {
        EXPECT_EQ(Text(page, 1387), "/");
        TestHooks::Click(page, 1383);
        TestHooks::SetText(page, 1387, GetParam().typed);
        TestHooks::PressSheetButton(sheet, Sheet::Ok);
    });
    EXPECT_EQ(Prefs().m_numericDateSeparator, GetParam().stored);
    EXPECT_EQ(Prefs().m_numericDateFormat, 2);
    EXPECT_EQ(StoredText("Numeric Date Separator"), std::string(1, GetParam().stored));
}

INSTANTIATE_TEST_SUITE_P(Cases, PrefsSeparator,
                         testing::Values(SeparatorCase{"", '/'}, SeparatorCase{"-", '-'},
                                         SeparatorCase{" ", '/'}));

TEST_F(PrefsDlgTest, MissingBackupFolderIsKeptOnlyWhenTheUserSaysSo)
{
    const std::string missing = m_folder + "/later";
    Run(kMisc, [&](CPropertySheet& sheet, CWnd& page) {
        TestHooks::SetText(page, 1537, missing);
        TestHooks::AnswerMessageBox(IDCANCEL);
        TestHooks::PressSheetButton(sheet, Sheet::Ok);
        EXPECT_TRUE(sheet.IsWindowVisible());
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PressSheetButton(sheet, Sheet::Ok);
    });
    // Asked twice: refused once, then kept, and not asked again by the same OK.
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>(2, "Default backup folder was not found.  Keep it anyway?"));
    EXPECT_EQ(Prefs().m_backupDirectory, missing);
}

TEST_F(PrefsDlgTest, StoredAutosaveOfZeroMinutesShowsFiveAndDisablesThem)
{
    Prefs().m_autosaveMinutes = 0;
    Run(kMisc, [&](CPropertySheet& sheet, CWnd& page) {
        EXPECT_EQ(Text(page, 1782), "5");
        TestHooks::RenderWindow(sheet).SavePng("preferences_misc.png");
        EXPECT_FALSE(Enabled(page, 1782));
        EXPECT_FALSE(Enabled(page, 1784));
        TestHooks::Click(page, 1781);
        EXPECT_TRUE(Enabled(page, 1782));
        EXPECT_TRUE(Enabled(page, 1783));
        TestHooks::PressSheetButton(sheet, Sheet::Cancel);
    });
}

TEST_F(PrefsDlgTest, CurrentFileItemsAreGreyForAnUntitledFileAndTakeItsPathOtherwise)
{
    Run(kMisc, [&](CPropertySheet& sheet, CWnd& page) {
        TestHooks::AnswerPopupMenu(0);
        TestHooks::Click(page, 1626);
        EXPECT_EQ(TestHooks::PopupMenuItems(),
                  (std::vector<std::string>{"Make Current File the Default [grey]", "Browse..."}));
        TestHooks::PressSheetButton(sheet, Sheet::Cancel);
    });
    const std::string file = test_support::WriteFile(m_folder + "/smith.ged", "0 TRLR\n");
    const auto takeCurrentFile = [&](CPropertySheet& sheet, CWnd& page) {
        for (const int button : {1626, 1627}) {
            TestHooks::AnswerPopupMenu(2001);
            TestHooks::Click(page, button);
        }
        EXPECT_EQ(Text(page, 1628), file);
        EXPECT_EQ(Text(page, 1536), m_folder);
        TestHooks::PressSheetButton(sheet, Sheet::Cancel);
    };
    Run(kMisc, takeCurrentFile, " " + file + " ");
}

} // namespace

namespace {

using PreferencesCommandTest = app_test::AppTest;

TEST_F(PreferencesCommandTest, AutosaveTimerFollowsAChangedPeriod)
{
    ASSERT_TRUE(Start());
    ASSERT_FALSE(Frame()->IsAutosaveTimerRunning());
    for (const bool enable : {true, false}) {
        TestHooks::OnNextSheet([](CPropertySheet& sheet) {
            sheet.SetActivePage(kMisc);
            TestHooks::Click(*sheet.GetActivePage(), 1781);
            TestHooks::PressSheetButton(sheet, Sheet::Ok);
        });
        ShowPreferences();
        EXPECT_EQ(Prefs().m_enableAutosave, enable);
        EXPECT_EQ(Frame()->IsAutosaveTimerRunning(), enable);
    }
}

// The record lists paint names from their records each time, but only when told to repaint
// themselves: a changed surname case tells every window, as the records options do.
TEST_F(PreferencesCommandTest, ChangedSurnameCaseRepaintsEveryWindowAndNothingElseDoes)
{
    ASSERT_TRUE(Start());
    app_test::Script() = app_test::PaneScript();
    m_app->ShowInWindowOfKind(kSubViewDiagram, RuntimeClassOf<app_test::CDiagramPane>(),
                              [](CSubView&) {});
    for (const bool change : {false, true}) {
        app_test::Script().hints.clear();
        TestHooks::OnNextSheet([change](CPropertySheet& sheet) {
            sheet.SetActivePage(kMisc);
            if (change)
                TestHooks::Click(*sheet.GetActivePage(), 1786);
            TestHooks::PressSheetButton(sheet, Sheet::Ok);
        });
        ShowPreferences();
        EXPECT_EQ(Prefs().m_surnamesInUpperCase, !change);
        if (change)
            EXPECT_THAT(app_test::Script().hints, testing::Contains(kHintViewsRedrawn));
        else
            EXPECT_THAT(app_test::Script().hints, testing::IsEmpty());
    }
}

} // namespace
