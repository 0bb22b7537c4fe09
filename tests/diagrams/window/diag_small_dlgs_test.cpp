// tests/diagrams/window/diag_small_dlgs_test.cpp: the printed-size, Save As Custom Diagram, More
// Dimensions and new scheme name dialogs driven through their controls: what each shows, what
// each refuses (messages word for word, the dialog kept open on the value at fault) and what
// OK hands back. More Dimensions is saved as a PNG to look at.
#include "diagrams/window/diag_more_dimensions_dlg.h"
#include "diagrams/window/diag_print_size_dlg.h"
#include "diagrams/window/diag_save_custom_dlg.h"
#include "diagrams/window/diag_scheme_name_dlg.h"

#include "common/preferences.h"
#include "common/registry_values.h"
#include "diagrams/diagram_settings.h"
#include "diagrams/text_scheme.h"
#include "platform/base/paths.h"
#include "platform/base/registry.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/support/test_support.h"
#include "tests/support/window_test.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

/// What a run of a dialog ended with: DoModal's answer, the messages shown and the control
/// that had the focus when the driver was done.
struct Outcome {
    int result = 0;
    std::vector<std::string> messages;
    int focus = 0;
};

class DiagSmallDialogsTest : public test_support::WindowTest {
protected:
    void SetUp() override { test_support::UseCompiledResources(); }
    void TearDown() override { TestHooks::TakeMessages(); }

    /// Runs the dialog; act types and clicks. A dialog act leaves open is cancelled.
    static Outcome Run(CDialog& dialog, UINT templateId, const std::function<void(CDialog&)>& act)
    {
        Outcome outcome;
        TestHooks::OnNextDialog(templateId, [&](CDialog& dlg) {
            act(dlg);
            outcome.messages = MessageTexts();
            const CWnd* focus = CWnd::GetFocus();
            outcome.focus = focus ? focus->GetDlgCtrlID() : 0;
            if (dlg.IsWindowVisible())
                TestHooks::Click(dlg, IDCANCEL);
        });
        outcome.result = dialog.DoModal();
        return outcome;
    }
};

using Texts = std::vector<std::string>;

// Printed size.

TEST_F(DiagSmallDialogsTest, PrintedSizeTakesOneToTwoHundredRows)
{
    struct Case {
        const char* typed;
        bool clickAlign;
        int result;
        const char* message; // empty: none
    };
    const Case cases[] = {
        {"12", true, IDOK, ""},
        {"200", false, IDOK, ""},
        {"1", false, IDOK, ""},
        {"0", false, IDCANCEL, "Enter a whole number from 1 to 200."},
        {"201", true, IDCANCEL, "Enter a whole number from 1 to 200."},
        {"-3", false, IDCANCEL, "Enter a whole number."},
        {"", false, IDCANCEL, "Enter a whole number."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        CDiagPrintSizeDlg dialog;
        dialog.m_rowsPerPage = 5;
        dialog.m_alignRows = FALSE;
        std::string shown;
        const Outcome outcome = Run(dialog, CDiagPrintSizeDlg::kTemplate, [&](CDialog& dlg) {
            shown = Text(dlg, CDiagPrintSizeDlg::kRowsId);
            TestHooks::SetText(dlg, CDiagPrintSizeDlg::kRowsId, c.typed);
            if (c.clickAlign)
                TestHooks::Click(dlg, CDiagPrintSizeDlg::kAlignId);
            if (*c.message)
                TestHooks::AnswerMessageBox(IDOK);
            TestHooks::Click(dlg, IDOK);
        });
        EXPECT_EQ(shown, "5");
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(outcome.messages, *c.message ? Texts{c.message} : Texts{});
        if (c.result == IDOK) {
            EXPECT_EQ(dialog.m_rowsPerPage, UINT(std::stoi(c.typed)));
            EXPECT_EQ(dialog.m_alignRows != FALSE, c.clickAlign);
        } else {
            EXPECT_EQ(outcome.focus, CDiagPrintSizeDlg::kRowsId);
        }
    }
}

// Save As Custom Diagram.

class SaveCustomDiagramTest : public DiagSmallDialogsTest {
protected:
    void SetUp() override
    {
        DiagSmallDialogsTest::SetUp();
        m_folder = test_support::NewFolder("custom_diagrams");
        SetFolder(m_folder);
        test_support::WriteFile(m_folder + "/Royals.dgm", "[Diagram]\n");
    }
    void TearDown() override
    {
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, KEY_ALL_ACCESS, &key) ==
            ERROR_SUCCESS) {
            RegDeleteValue(key, "Custom Diagram Directory");
            RegCloseKey(key);
        }
        DiagSmallDialogsTest::TearDown();
    }
    static void SetFolder(const std::string& folder)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, "", 0, KEY_ALL_ACCESS, nullptr,
                                 &key, nullptr),
                  ERROR_SUCCESS);
        RegSetString(key, "Custom Diagram Directory", "\"" + folder + "\"");
        RegCloseKey(key);
    }

    /// Opens the dialog on opening, types typed (unless null) and presses OK, answering a
    /// question with answer when given.
    Outcome Save(CSaveCustomDiagramDlg& dialog, const char* opening, const char* typed,
                 int answer = 0)
    {
        dialog.m_name = opening;
        return Run(dialog, CSaveCustomDiagramDlg::kTemplate, [&](CDialog& dlg) {
            if (typed)
                TestHooks::SetText(dlg, CSaveCustomDiagramDlg::kNameId, typed);
            if (answer)
                TestHooks::AnswerMessageBox(answer);
            TestHooks::Click(dlg, IDOK);
        });
    }

    std::string m_folder;
};

const std::string kReplace =
    "A Custom Diagram with this name already exists.  Do you wish to replace it?";

TEST_F(SaveCustomDiagramTest, OnlyAnotherExistingNameAsksBeforeReplacing)
{
    struct Case {
        const char* opening;
        const char* typed; // null: left as opened
        int answer;        // the answer to the question, 0 when none is expected
        int result;
        const char* name;
    };
    const Case cases[] = {
        {"  Royals ", nullptr, 0, IDOK, "Royals"}, // its own name: never asked
        {"Royals", "ROYALS", 0, IDOK, "ROYALS"},   // the same name in other case
        {"", "Royals", IDOK, IDOK, "Royals"},      // another diagram's file: replaced
        {"Family", " Royals", IDCANCEL, IDCANCEL, ""},
        {"Family", "Cousins", 0, IDOK, "Cousins"}, // no such file
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.opening) + " -> " + (c.typed ? c.typed : "(as opened)"));
        CSaveCustomDiagramDlg dialog;
        const Outcome outcome = Save(dialog, c.opening, c.typed, c.answer);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(outcome.messages, c.answer ? Texts{kReplace} : Texts{});
        if (c.result == IDOK) {
            EXPECT_EQ(dialog.m_name, c.name);
            EXPECT_EQ(dialog.m_path, m_folder + "/" + c.name + ".dgm");
        }
    }
    const auto shown = TestHooks::TakeMessages();
    EXPECT_TRUE(shown.empty());
}

TEST_F(SaveCustomDiagramTest, TheQuestionHasItsCaptionAndButtons)
{
    CSaveCustomDiagramDlg dialog;
    dialog.m_name = "";
    TestHooks::OnNextDialog(CSaveCustomDiagramDlg::kTemplate, [&](CDialog& dlg) {
        TestHooks::SetText(dlg, CSaveCustomDiagramDlg::kNameId, "Royals");
        TestHooks::AnswerMessageBox(IDCANCEL);
        TestHooks::Click(dlg, IDOK);
        const auto shown = TestHooks::TakeMessages();
        ASSERT_EQ(shown.size(), 1U);
        EXPECT_EQ(shown[0].caption, "Replace existing diagram?");
        EXPECT_EQ(shown[0].style & 0xF, UINT(MB_OKCANCEL));
        EXPECT_TRUE(dlg.IsWindowVisible());
        TestHooks::Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(SaveCustomDiagramTest, OkWaitsForANameThatIsNotBlankAndEnterPressesIt)
{
    CSaveCustomDiagramDlg dialog;
    dialog.m_name = "";
    std::vector<bool> okStates;
    Run(dialog, CSaveCustomDiagramDlg::kTemplate, [&](CDialog& dlg) {
        okStates.push_back(Enabled(dlg, IDOK));
        TestHooks::SetText(dlg, CSaveCustomDiagramDlg::kNameId, "   ");
        okStates.push_back(Enabled(dlg, IDOK));
        TestHooks::SetText(dlg, CSaveCustomDiagramDlg::kNameId, " x ");
        okStates.push_back(Enabled(dlg, IDOK));
        TestHooks::SetText(dlg, CSaveCustomDiagramDlg::kNameId, "\t");
        okStates.push_back(Enabled(dlg, IDOK));
        // Enter in the name presses OK once there is a name.
        TestHooks::SetText(dlg, CSaveCustomDiagramDlg::kNameId, "Cousins");
        TestHooks::PostKey(*dlg.GetDlgItem(CSaveCustomDiagramDlg::kNameId), VK_RETURN, 0);
        TestHooks::DeliverPosted();
    });
    EXPECT_EQ(okStates, (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(dialog.m_path, m_folder + "/Cousins.dgm");
}

TEST_F(SaveCustomDiagramTest, NamesThatWouldLeaveTheFolderAreRefused)
{
    const std::string kBadName = "A diagram name cannot contain \"/\", \"\\\", \"..\", control "
                                 "characters or any of : * ? \" < > |.  Please choose another "
                                 "name.";
    const std::string kLong =
        "This diagram name is too long to name a file.  Please choose a shorter name.";
    struct Case {
        std::string typed;
        std::string message;
    };
    const Case cases[] = {
        {"../Royals", kBadName},
        {"..", kBadName},
        {"a/b", kBadName},
        {"a\\b", kBadName},
        {"x..y", kBadName},
        {"tab\there", kBadName},
        {"a:b", kBadName},
        {"why?", kBadName},
        {"a|b", kBadName},
        {"<x>", kBadName},
        {"star*", kBadName},
        {"say \"hi\"", kBadName},
        {std::string(300, 'n'), kLong},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        CSaveCustomDiagramDlg dialog;
        const Outcome outcome = Save(dialog, "", c.typed.c_str(), IDOK);
        EXPECT_EQ(outcome.result, IDCANCEL);
        EXPECT_EQ(outcome.messages, Texts{c.message});
        EXPECT_EQ(outcome.focus, CSaveCustomDiagramDlg::kNameId);
        EXPECT_TRUE(dialog.m_path.empty());
    }
    // Dots that do not go up a folder are a name like any other.
    for (const char* name : {".hidden", "St. Mary", "v1.2"}) {
        SCOPED_TRACE(name);
        CSaveCustomDiagramDlg dialog;
        EXPECT_EQ(Save(dialog, "", name).result, IDOK);
        EXPECT_EQ(dialog.m_path, m_folder + "/" + name + ".dgm");
    }
}

TEST_F(SaveCustomDiagramTest, WithoutTheFolderSettingTheUsersFolderIsMadeAndAFolderNotMadeIsTold)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    RegDeleteValue(key, "Custom Diagram Directory");
    RegCloseKey(key);
    const std::string users = paths::Join(paths::DataHome(), "ardenvel/Diagrams/Custom");
    std::error_code error;
    std::filesystem::remove_all(users, error);
    CSaveCustomDiagramDlg dialog;
    const Outcome outcome = Save(dialog, "", "Royals");
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_EQ(dialog.m_path, users + "/Royals.dgm");
    EXPECT_TRUE(paths::IsDirectory(users));

    // A folder that cannot be made (a file stands in its way): one message, the dialog stays.
    const std::string blocked = m_folder + "/Royals.dgm/Custom";
    SetFolder(blocked);
    CSaveCustomDiagramDlg refused;
    const Outcome told = Save(refused, "", "Cousins", IDOK);
    EXPECT_EQ(told.result, IDCANCEL);
    EXPECT_EQ(told.messages, Texts{"The folder for custom diagrams, \"" + blocked +
                                   "\", could not be made.  The diagram was not saved."});
    EXPECT_TRUE(refused.m_path.empty());
}

// More Dimensions.

struct DimensionCase {
    int id;
    const char* typed;
    const char* message; // empty: accepted
};

TEST_F(DiagSmallDialogsTest, MoreDimensionsShowsTheSettingsWithFullZigzags)
{
    CDiagramSettings settings;
    settings.m_boxMarginSide = 6;
    settings.m_boxMarginTop = 11;
    settings.m_boxMarginBottom = 9;
    settings.m_stretchyLineHalfHeight = 3;
    settings.m_stretchyLineHalfWidth = 5;
    settings.m_relationshipFont.lfHeight = 14;
    settings.m_pictureMarginTop = 4;
    CMoreDimensionsDlg dialog(settings);
    Texts shown;
    const Outcome outcome = Run(dialog, CMoreDimensionsDlg::kTemplate, [&](CDialog& dlg) {
        for (int id : {1509, 1510, 1511, 107, 108, 109, 110})
            shown.push_back(Text(dlg, id));
        TestHooks::RenderWindow(dlg).SavePng("more_dimensions.png");
        TestHooks::SetText(dlg, CMoreDimensionsDlg::kZigzagHeightId, "-4");
        TestHooks::SetText(dlg, CMoreDimensionsDlg::kZigzagWidthId, "12");
        TestHooks::SetText(dlg, CMoreDimensionsDlg::kTopMarginId, "20");
        TestHooks::Click(dlg, IDOK);
    });
    EXPECT_EQ(shown, (Texts{"6", "11", "9", "6", "10", "14", "4"}));
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(settings.m_stretchyLineHalfHeight, -2);
    EXPECT_EQ(settings.m_stretchyLineHalfWidth, 6);
    EXPECT_EQ(settings.m_boxMarginTop, 20);
    EXPECT_EQ(settings.m_boxMarginSide, 6);
    EXPECT_EQ(settings.m_relationshipFont.lfHeight, 14);
}

TEST_F(DiagSmallDialogsTest, MoreDimensionsRefusesEachValueWithItsMessage)
{
    const DimensionCase cases[] = {
        {CMoreDimensionsDlg::kSideMarginId, "38",
         "Invalid margin width.  Is more than half the minimum box width."},
        {CMoreDimensionsDlg::kSideMarginId, "37", ""}, // 75 / 2 rounded down
        {CMoreDimensionsDlg::kZigzagHeightId, "7",
         "Invalid zigzag height.  Only even numbers are allowed."},
        {CMoreDimensionsDlg::kZigzagHeightId, "-3",
         "Invalid zigzag height.  Only even numbers are allowed."},
        {CMoreDimensionsDlg::kZigzagWidthId, "5",
         "Invalid zigzag width.  Only even numbers are allowed."},
        {CMoreDimensionsDlg::kZigzagWidthId, "0", ""},
        {CMoreDimensionsDlg::kFontHeightId, "0", "Enter a whole number from 1 to 100."},
        {CMoreDimensionsDlg::kFontHeightId, "101", "Enter a whole number from 1 to 100."},
        {CMoreDimensionsDlg::kFontHeightId, "100", ""},
        {CMoreDimensionsDlg::kPictureGapId, "-1",
         "The vertical gap between text and pictures cannot be less than 0."},
        {CMoreDimensionsDlg::kPictureGapId, "0", ""},
        {CMoreDimensionsDlg::kTopMarginId, "ten", "Enter a whole number."},
    };
    for (const DimensionCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " = " + c.typed);
        CDiagramSettings settings; // minimum box width 75
        const CDiagramSettings before = settings;
        CMoreDimensionsDlg dialog(settings);
        const Outcome outcome = Run(dialog, CMoreDimensionsDlg::kTemplate, [&](CDialog& dlg) {
            TestHooks::SetText(dlg, c.id, c.typed);
            if (*c.message)
                TestHooks::AnswerMessageBox(IDOK);
            TestHooks::Click(dlg, IDOK);
        });
        if (*c.message) {
            EXPECT_EQ(outcome.result, IDCANCEL);
            EXPECT_EQ(outcome.messages, Texts{c.message});
            EXPECT_EQ(outcome.focus, c.id);
            EXPECT_EQ(settings.m_boxMarginSide, before.m_boxMarginSide);
            EXPECT_EQ(settings.m_stretchyLineHalfHeight, before.m_stretchyLineHalfHeight);
            EXPECT_EQ(settings.m_pictureMarginTop, before.m_pictureMarginTop);
        } else {
            EXPECT_EQ(outcome.result, IDOK);
            EXPECT_TRUE(outcome.messages.empty());
        }
    }
}

TEST_F(DiagSmallDialogsTest, MoreDimensionsAcceptsASideMarginOfExactlyHalfTheWidth)
{
    CDiagramSettings settings;
    settings.m_minBoxWidth = 76;
    CMoreDimensionsDlg dialog(settings);
    const Outcome outcome = Run(dialog, CMoreDimensionsDlg::kTemplate, [&](CDialog& dlg) {
        TestHooks::SetText(dlg, CMoreDimensionsDlg::kSideMarginId, "38");
        TestHooks::Click(dlg, IDOK);
    });
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(settings.m_boxMarginSide, 38);
}

TEST_F(DiagSmallDialogsTest, MoreDimensionsChecksInItsOrder)
{
    // Every value wrong at once: the side margin is named first, and fixing each in turn names
    // the next.
    CDiagramSettings settings;
    CMoreDimensionsDlg dialog(settings);
    std::vector<std::pair<std::string, int>> refusals;
    Run(dialog, CMoreDimensionsDlg::kTemplate, [&](CDialog& dlg) {
        TestHooks::SetText(dlg, CMoreDimensionsDlg::kSideMarginId, "1000");
        TestHooks::SetText(dlg, CMoreDimensionsDlg::kZigzagHeightId, "3");
        TestHooks::SetText(dlg, CMoreDimensionsDlg::kZigzagWidthId, "3");
        TestHooks::SetText(dlg, CMoreDimensionsDlg::kPictureGapId, "-5");
        const std::pair<int, const char*> fixes[] = {
            {CMoreDimensionsDlg::kSideMarginId, "5"},
            {CMoreDimensionsDlg::kZigzagHeightId, "4"},
            {CMoreDimensionsDlg::kZigzagWidthId, "4"},
            {CMoreDimensionsDlg::kPictureGapId, "3"},
        };
        for (const auto& [id, value] : fixes) {
            TestHooks::AnswerMessageBox(IDOK);
            TestHooks::Click(dlg, IDOK);
            const Texts messages = MessageTexts();
            const CWnd* focus = CWnd::GetFocus();
            refusals.emplace_back(messages.empty() ? "" : messages[0],
                                  focus ? focus->GetDlgCtrlID() : 0);
            TestHooks::SetText(dlg, id, value);
        }
        TestHooks::Click(dlg, IDOK);
    });
    ASSERT_EQ(refusals.size(), 4U);
    EXPECT_EQ(refusals[0].second, CMoreDimensionsDlg::kSideMarginId);
    EXPECT_EQ(refusals[1].second, CMoreDimensionsDlg::kZigzagHeightId);
    EXPECT_EQ(refusals[2].second, CMoreDimensionsDlg::kZigzagWidthId);
    EXPECT_EQ(refusals[3].second, CMoreDimensionsDlg::kPictureGapId);
    EXPECT_EQ(settings.m_pictureMarginTop, 3);
    EXPECT_EQ(settings.m_boxMarginSide, 5);
}

// The new scheme's name.

class SchemeNameDialogTest : public DiagSmallDialogsTest {
protected:
    void SetUp() override
    {
        DiagSmallDialogsTest::SetUp();
        for (const char* name : {"Name Only", "Name, Dates", "mine"}) {
            auto scheme = std::make_unique<CTextScheme>();
            scheme->SetName(name);
            scheme->SetSystem(std::string(name) != "mine");
            m_schemes.Add(std::move(scheme));
        }
    }

    CTextSchemeList m_schemes;
};

TEST_F(SchemeNameDialogTest, OffersEverySchemeSortedWithNoneChosen)
{
    CSchemeNameDlg dialog(m_schemes);
    Texts items;
    int selection = 0;
    int focus = 0;
    Run(dialog, CSchemeNameDlg::kTemplate, [&](CDialog& dlg) {
        auto* base = dynamic_cast<CComboBox*>(dlg.GetDlgItem(CSchemeNameDlg::kBaseId));
        ASSERT_NE(base, nullptr);
        for (int i = 0; i < base->GetCount(); ++i) {
            std::string item;
            base->GetLBText(i, item);
            items.push_back(item);
        }
        selection = base->GetCurSel();
        const CWnd* focused = CWnd::GetFocus();
        focus = focused ? focused->GetDlgCtrlID() : 0;
    });
    EXPECT_EQ(items, (Texts{"mine", "Name Only", "Name, Dates"}));
    EXPECT_EQ(selection, -1);
    EXPECT_EQ(focus, CSchemeNameDlg::kNameId);
}

TEST_F(SchemeNameDialogTest, RefusesEmptyTakenAndBackslashNames)
{
    struct Case {
        const char* typed;
        const char* message; // empty: accepted
    };
    const Case cases[] = {
        {"", "Please enter a name for the new scheme."},
        {"NAME ONLY", "Name is not unique.  Another Text Template Scheme already has this name."},
        {"Mine", "Name is not unique.  Another Text Template Scheme already has this name."},
        {"a\\b", "The '\\' character is not allowed in scheme names."},
        {"Mine too", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        CSchemeNameDlg dialog(m_schemes);
        const Outcome outcome = Run(dialog, CSchemeNameDlg::kTemplate, [&](CDialog& dlg) {
            TestHooks::SetText(dlg, CSchemeNameDlg::kNameId, c.typed);
            if (*c.message)
                TestHooks::AnswerMessageBox(IDOK);
            TestHooks::Click(dlg, IDOK);
        });
        if (*c.message) {
            EXPECT_EQ(outcome.result, IDCANCEL);
            EXPECT_EQ(outcome.messages, Texts{c.message});
            EXPECT_EQ(outcome.focus, CSchemeNameDlg::kNameId);
        } else {
            EXPECT_EQ(outcome.result, IDOK);
            EXPECT_EQ(dialog.m_name, c.typed);
            EXPECT_EQ(dialog.m_baseScheme, nullptr);
        }
    }
}

TEST_F(SchemeNameDialogTest, HandsBackTheChosenBaseAndAtMostAHundredCharacters)
{
    CSchemeNameDlg dialog(m_schemes);
    const Outcome outcome = Run(dialog, CSchemeNameDlg::kTemplate, [&](CDialog& dlg) {
        TestHooks::SetText(dlg, CSchemeNameDlg::kNameId, std::string(150, 'w'));
        TestHooks::SelectItem(dlg, CSchemeNameDlg::kBaseId, 2);
        TestHooks::Click(dlg, IDOK);
    });
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(dialog.m_name, std::string(100, 'w'));
    ASSERT_NE(dialog.m_baseScheme, nullptr);
    EXPECT_EQ(dialog.m_baseScheme->Name(), "Name, Dates");
}

} // namespace
