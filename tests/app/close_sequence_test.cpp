// tests/app/close_sequence_test.cpp: every way through the questions of closing the main window
// (save the changes, then the backup offer), and a failed File Open that leaves the open file
// as it was. A Cancel anywhere leaves the file modified and its autosaved copy in place.
#include "tests/app/app_fixture.h"

#include "app/backup_prompt_dlg.h"
#include "app/shell/autosave.h"

#include "database/dictionary/record_type_table.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_node.h"
#include "platform/base/paths.h"

#include <gmock/gmock.h>

namespace app_test {
namespace {

using testing::ElementsAre;

constexpr int kBackup = 1785, kSkip = 3;

/// The family file open and changed, with its autosaved copy written and backups offered.
class CloseSequenceTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Prefs().m_enableAutosave = true;
        Prefs().m_autosaveMinutes = 1;
        SavePreferences();
        m_path = WriteGedcom("family.ged", kFamilyFile);
        m_bytes = test_support::ReadFile(m_path);
        ASSERT_TRUE(Start({m_path}));
        Prefs().m_backupPrompt = true;
    }

    void ChangeAndAutosave()
    {
        GetRecordTypeRoot(kIndividuals)->CreateChild(nullptr);
        NotifyChanges();
        TestHooks::AdvanceClock(60000);
        TestHooks::RunIdle();
        ASSERT_TRUE(Doc()->IsModified());
        ASSERT_TRUE(paths::IsFile(RecoveryPathFor(m_path)));
    }

    /// The backup offer, when it comes, is answered with button.
    void AnswerBackupOffer(int button)
    {
        TestHooks::OnNextDialog(CBackupPromptDlg::kTemplateId, [this, button](CDialog& dialog) {
            ++m_offers;
            TestHooks::Click(dialog, button);
        });
        if (button == kBackup)
            TestHooks::AnswerFilePicker({m_folder + "/closing.zip"});
    }

    std::string m_path;
    std::string m_bytes;
    int m_offers = 0;
};

TEST_F(CloseSequenceTest, EveryAnswerToTheQuestionsOfExitEitherClosesOrLeavesTheFileAsItWas)
{
    struct Case {
        const char* name;
        int save;   // the answer to "Save changes to ...?"
        int backup; // the button of the backup offer; 0: not offered
        bool closes;
        bool saved;
    } const cases[] = {
        {"Cancel", IDCANCEL, 0, false, false},
        {"YesThenBackup", IDYES, kBackup, true, true},
        {"YesThenSkip", IDYES, kSkip, true, true},
        {"YesThenCancel", IDYES, IDCANCEL, false, true},
        {"NoThenBackup", IDNO, kBackup, true, false},
        {"NoThenSkip", IDNO, kSkip, true, false},
        {"NoThenCancel", IDNO, IDCANCEL, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        m_offers = 0;
        ChangeAndAutosave();
        TestHooks::AnswerMessageBox(c.save);
        if (c.backup)
            AnswerBackupOffer(c.backup);

        ASSERT_TRUE(Run(ID_APP_EXIT));

        EXPECT_THAT(MessageTexts(), ElementsAre("Save changes to " + m_path + "?"));
        EXPECT_EQ(m_offers, c.backup ? 1 : 0);
        EXPECT_EQ(m_app->GetMainFrame() == nullptr, c.closes);
        EXPECT_EQ(test_support::ReadFile(m_path) != m_bytes, c.saved);
        EXPECT_EQ(paths::IsFile(m_folder + "/closing.zip"), c.backup == kBackup);
        // Changes neither saved nor given up stay, with their copy, for the next Exit.
        const bool changesLeft = !c.closes && !c.saved;
        EXPECT_EQ(paths::IsFile(RecoveryPathFor(m_path)), changesLeft);
        if (!c.closes) {
            EXPECT_EQ(Doc()->IsModified() != FALSE, changesLeft);
        }
    }
}

TEST_F(CloseSequenceTest, AfterACancelledBackupOfferTheNextExitAsksAgain)
{
    ChangeAndAutosave();
    TestHooks::AnswerMessageBox(IDNO);
    AnswerBackupOffer(IDCANCEL);
    ASSERT_TRUE(Run(ID_APP_EXIT));
    ASSERT_NE(m_app->GetMainFrame(), nullptr);
    MessageTexts();

    TestHooks::AnswerMessageBox(IDNO);
    AnswerBackupOffer(kSkip);
    ASSERT_TRUE(Run(ID_APP_EXIT));

    EXPECT_THAT(MessageTexts(), ElementsAre("Save changes to " + m_path + "?"));
    EXPECT_EQ(m_app->GetMainFrame(), nullptr);
    EXPECT_FALSE(paths::IsFile(RecoveryPathFor(m_path)));
}

TEST_F(CloseSequenceTest, ExitAsksEvenWhenOnlyTheHeaderIsLeft)
{
    Prefs().m_backupPrompt = false;
    while (CDataNode* record = GetRecordTypeRoot(kIndividuals)->GetFirstChild())
        CDataNode::DeleteNode(record);
    CDataNode::DeleteNode(GetRecordTypeRoot(kFamilies)->GetFirstChild());
    NotifyChanges();
    ASSERT_TRUE(HasOnlyHeader());
    TestHooks::AdvanceClock(60000);
    TestHooks::RunIdle();
    ASSERT_TRUE(paths::IsFile(RecoveryPathFor(m_path)));
    TestHooks::AnswerMessageBox(IDNO);

    ASSERT_TRUE(Run(ID_APP_EXIT));

    // The program's own question, whose No gives the changes and their copy up; the
    // framework's would leave the copy behind.
    EXPECT_EQ(MessageTexts().size(), 1u);
    EXPECT_EQ(m_app->GetMainFrame(), nullptr);
    EXPECT_FALSE(paths::IsFile(RecoveryPathFor(m_path)));
}

TEST_F(CloseSequenceTest, AFileThatCannotBeReadLeavesTheOpenFileAsItWas)
{
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"picture.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20)},
        {"empty.ged", ""},
        {"noise.ged", std::string("\x13\xf7\x02\xa9\x00\x7f\x88 1 \xfe\xc0", 12)},
        {"notes.txt", "These are not the lines of a GEDCOM file.\n"},
    };
    ChangeAndAutosave();
    const int shown = ShownRows(kIndividuals);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = test_support::WriteFile(m_folder + "/" + c.name, c.bytes);
        TestHooks::AnswerMessageBox(IDNO); // the changes are not saved
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::AnswerFilePicker({path});

        ASSERT_TRUE(Run(ID_FILE_OPEN));

        EXPECT_THAT(MessageTexts(),
                    ElementsAre("Save changes to " + m_path + "?", LoadErrorMessage(path)));
        EXPECT_EQ(Doc()->GetPathName(), m_path);
        EXPECT_TRUE(Doc()->IsModified());
        EXPECT_EQ(ShownRows(kIndividuals), shown);
        EXPECT_TRUE(paths::IsFile(RecoveryPathFor(m_path)));
    }
}

} // namespace
} // namespace app_test
