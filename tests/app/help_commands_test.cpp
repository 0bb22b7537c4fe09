// tests/app/help_commands_test.cpp: the user manual and the help commands (also behind the
// Help button of a dialog), and the tutorial files, with the program folder that the
// installation names.
#include "tests/app/app_fixture.h"

#include "app/shell/app_ids.h"
#include "app/shell/help_commands.h"

#include "platform/base/paths.h"
#include "platform/ui/dialogs/dialog.h"

#include <gmock/gmock.h>

namespace app_test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

class HelpCommandsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(Start());
    }

    /// Names the installation's help files folder, "PROGRAM" in the program folder.
    std::string NameProgramFolder()
    {
        const std::string program = m_folder + "/install/";
        paths::MakeDirectories(program + "Tutorial Files");
        const std::string value = program + "PROGRAM";
        HKEY key = nullptr;
        RegCreateKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                       &key, nullptr);
        RegSetValueEx(key, "Help Files Directory", 0, REG_SZ,
                      reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
        RegCloseKey(key);
        return program;
    }
};

/// A help command, whether the manual is there, and how its absence is reported.
struct ManualCase {
    const char* name;
    UINT command;
    bool present;
    const char* messageStart;
};

class ManualTest : public HelpCommandsTest, public testing::WithParamInterface<ManualCase> {};

TEST_P(ManualTest, TheManualOpensThroughTheDesktopOrItsAbsenceIsExplained)
{
    const ManualCase& row = GetParam();
    const std::string manual = NameProgramFolder() + kUserManualName;
    if (row.present)
        test_support::WriteFile(manual, "%PDF-1.4");
    else
        TestHooks::AnswerMessageBox(IDOK);

    ASSERT_TRUE(Run(row.command));

    if (row.present) {
        EXPECT_THAT(TestHooks::TakeShellOpens(), ElementsAre(manual));
        EXPECT_THAT(MessageTexts(), IsEmpty());
    } else {
        EXPECT_THAT(TestHooks::TakeShellOpens(), IsEmpty());
        EXPECT_THAT(MessageTexts(), ElementsAre(std::string(row.messageStart) +
                                                "The user manual could not be found.  It should "
                                                "be the file \"" +
                                                manual + "\"."));
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, ManualTest,
                         testing::Values(ManualCase{"UserManual", ID_USER_MANUAL, true, ""},
                                         ManualCase{"UserManualMissing", ID_USER_MANUAL, false, ""},
                                         ManualCase{"F1", ID_HELP, true, ""},
                                         ManualCase{"HelpTopicsMissing", ID_HELP_FINDER, false,
                                                    "Help is not available.  "}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HelpCommandsTest, TheWebSiteCommandsSayThereIsNoWebSiteAndOpenNothing)
{
    for (UINT command : {ID_VISIT_WEB_SITE, ID_WEB_PAGES}) {
        SCOPED_TRACE(command);
        TestHooks::AnswerMessageBox(IDOK);
        ASSERT_TRUE(Run(command));
        EXPECT_THAT(TestHooks::TakeShellOpens(), IsEmpty());
        EXPECT_THAT(MessageTexts(), ElementsAre(kNoWebSiteMessage));
    }
}

TEST_F(HelpCommandsTest, TheHelpButtonOfADialogOpensTheManual)
{
    const std::string manual = NameProgramFolder() + kUserManualName;
    test_support::WriteFile(manual, "%PDF-1.4");
    // The Add Event or Attribute dialog's button is the program's Help command; the automatic
    // source citation dialog's is a template's plain Help button. Neither handles it itself.
    constexpr UINT kAddEvent = 300, kAutoCitation = 296;
    const std::pair<UINT, int> dialogs[] = {{kAddEvent, int(ID_HELP)},
                                            {kAutoCitation, int(CDialog::kHelpButton)}};
    for (const auto& [templateId, button] : dialogs) {
        SCOPED_TRACE(templateId);
        TestHooks::OnNextDialog(templateId, [button = button](CDialog& dialog) {
            TestHooks::Click(dialog, button);
            dialog.EndDialog(IDCANCEL);
        });
        CDialog dialog(templateId, Frame());
        EXPECT_EQ(dialog.DoModal(), IDCANCEL) << "Help leaves the dialog open";
        EXPECT_THAT(TestHooks::TakeShellOpens(), ElementsAre(manual));
        EXPECT_THAT(MessageTexts(), IsEmpty());
    }
}

TEST_F(HelpCommandsTest, ATutorialFileOpensFromTheProgramFolderWhenThereIsOne)
{
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(Run(ID_TUTORIAL_13));
    EXPECT_THAT(MessageTexts(), ElementsAre("Unable to open tutorial file"));

    const std::string tutorial = test_support::WriteFile(
        NameProgramFolder() + "Tutorial Files/Tutorial - Chapter 13 (Chapter 4 modified).GED",
        kFamilyFile);
    ASSERT_TRUE(Run(ID_TUTORIAL_13));

    EXPECT_EQ(Doc()->GetPathName(), tutorial);
    EXPECT_EQ(m_app->GetRecordCount(kIndividuals), 2);
}

} // namespace
} // namespace app_test
