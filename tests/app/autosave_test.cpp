// tests/app/autosave_test.cpp: a due autosave writes a copy beside the file and never the file
// itself; the copy is offered when the file is opened again, and goes once the file is saved or
// its changes are given up.
#include "tests/app/app_fixture.h"

#include "app/shell/autosave.h"

#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_node.h"
#include "platform/base/open_file_lock.h"
#include "platform/base/paths.h"

#include <gmock/gmock.h>

#include <chrono>
#include <filesystem>

namespace app_test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

constexpr DWORD kMinute = 60000;

class AutosaveTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Prefs().m_enableAutosave = true;
        Prefs().m_autosaveMinutes = 2;
        SavePreferences();
        m_path = WriteGedcom("family.ged", kFamilyFile);
        m_bytes = test_support::ReadFile(m_path);
        ASSERT_TRUE(Start({m_path}));
    }

    void AddIndividual()
    {
        GetRecordTypeRoot(kIndividuals)->CreateChild(nullptr);
        NotifyChanges();
    }

    /// Lets the timer run out and the idle period that follows it end.
    void LetAutosaveRun()
    {
        TestHooks::AdvanceClock(2 * kMinute);
        TestHooks::RunIdle();
    }

    /// Ends the program without closing its window, as a crash would, for a new start.
    void EndAbruptly()
    {
        m_app->ExitInstance();
        m_app = std::make_unique<CAvApp>();
    }

    std::string m_path;
    std::string m_bytes;
};

TEST_F(AutosaveTest, WritesTheCopyBesideTheFileAndLeavesTheFileAlone)
{
    AddIndividual();
    TestHooks::AdvanceClock(kMinute);
    TestHooks::RunIdle();
    EXPECT_FALSE(paths::IsFile(RecoveryPathFor(m_path)));

    LetAutosaveRun();

    EXPECT_TRUE(paths::IsFile(RecoveryPathFor(m_path)));
    EXPECT_EQ(test_support::ReadFile(m_path), m_bytes);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_TRUE(Frame()->IsAutosaveTimerRunning());
}

TEST_F(AutosaveTest, AnUnchangedFileIsNotCopied)
{
    LetAutosaveRun();

    EXPECT_FALSE(paths::IsFile(RecoveryPathFor(m_path)));
}

TEST_F(AutosaveTest, TheNewerCopyIsOfferedAtTheNextStartAndOpensModified)
{
    AddIndividual();
    LetAutosaveRun();
    EndAbruptly();
    // A sync tool touching the file afterwards hides nothing: the copy records the file it was
    // made from.
    std::filesystem::last_write_time(m_path, std::filesystem::last_write_time(m_path) +
                                                 std::chrono::hours(1));
    TestHooks::AnswerMessageBox(IDYES);

    ASSERT_TRUE(Start({m_path}));

    EXPECT_THAT(MessageTexts(), ElementsAre(RecoveryQuestion(m_path)));
    EXPECT_EQ(Doc()->GetPathName(), m_path);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(ShownRows(kIndividuals), 3);
    EXPECT_EQ((*m_app->GetRecentFileList())[0], m_path);
    EXPECT_EQ((*m_app->GetRecentFileList())[1], "");

    ASSERT_TRUE(Run(ID_FILE_SAVE));
    EXPECT_FALSE(paths::IsFile(RecoveryPathFor(m_path)));
    EXPECT_NE(test_support::ReadFile(m_path), m_bytes);
}

TEST_F(AutosaveTest, ACopyOfAFileChangedSinceIsOfferedSayingSoAndItsSaveAsks)
{
    AddIndividual();
    LetAutosaveRun();
    EndAbruptly();
    const std::string outside = kSingleFile;
    test_support::WriteFile(m_path, outside);
    TestHooks::AnswerMessageBox(IDYES);

    ASSERT_TRUE(Start({m_path}));

    EXPECT_THAT(MessageTexts(), ElementsAre(RecoveryQuestion(m_path, true)));
    EXPECT_EQ(ShownRows(kIndividuals), 3);
    TestHooks::AnswerMessageBox(IDCANCEL);
    Run(ID_FILE_SAVE);
    EXPECT_THAT(MessageTexts(), ElementsAre(CAvDoc::ChangedOnDiskQuestion(m_path)));
    EXPECT_EQ(test_support::ReadFile(m_path), outside);
    EXPECT_TRUE(paths::IsFile(RecoveryPathFor(m_path)));
}

TEST_F(AutosaveTest, TheCopyKeepsTheFilesCharacterSetThroughRecoveryAndSave)
{
    const std::string ansel = test_support::WriteFile(
        m_folder + "/ansel.ged", "0 HEAD\r\n1 SOUR Tests\r\n1 CHAR ANSEL\r\n0 @I1@ INDI\r\n"
                                 "1 NAME Jos\xE2"
                                 "e /Lee/\r\n0 TRLR\r\n");
    m_app->OpenDocumentFile(ansel.c_str());
    AddIndividual();
    LetAutosaveRun();
    EndAbruptly();
    TestHooks::AnswerMessageBox(IDYES);
    ASSERT_TRUE(Start({ansel}));
    ASSERT_THAT(MessageTexts(), ElementsAre(RecoveryQuestion(ansel)));

    ASSERT_TRUE(Run(ID_FILE_SAVE));

    const std::string saved = test_support::ReadFile(ansel);
    EXPECT_NE(saved.find("1 CHAR ANSEL\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Jos\xE2"
                         "e /Lee/"),
              std::string::npos)
        << saved;
}

TEST_F(AutosaveTest, DecliningTheCopyDeletesItAndOpensTheFile)
{
    AddIndividual();
    LetAutosaveRun();
    EndAbruptly();
    TestHooks::AnswerMessageBox(IDNO);

    ASSERT_TRUE(Start({m_path}));

    EXPECT_EQ(ShownRows(kIndividuals), 2);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_FALSE(paths::IsFile(RecoveryPathFor(m_path)));
}

TEST_F(AutosaveTest, GivingUpTheChangesDeletesTheCopy)
{
    AddIndividual();
    LetAutosaveRun();
    TestHooks::AnswerMessageBox(IDNO);

    ASSERT_TRUE(Run(ID_FILE_NEW));

    EXPECT_FALSE(paths::IsFile(RecoveryPathFor(m_path)));
    EXPECT_EQ(test_support::ReadFile(m_path), m_bytes);
}

TEST_F(AutosaveTest, AnUntitledFilesEditsKeptAtTheSessionEndAreOfferedAtTheNextStart)
{
    const std::string copy = RecoveryPathFor(UntitledRecoveryName());
    ASSERT_TRUE(Run(ID_FILE_NEW));
    Doc()->KeepEditsAtSessionEnd();
    EXPECT_FALSE(paths::IsFile(copy)) << "an unchanged untitled file leaves no copy";

    AddIndividual();
    Doc()->KeepEditsAtSessionEnd();
    ASSERT_TRUE(paths::IsFile(copy));
    EndAbruptly();
    TestHooks::AnswerMessageBox(IDYES);
    ASSERT_TRUE(Start({m_path}));

    EXPECT_THAT(MessageTexts(), ElementsAre(UntitledRecoveryQuestion()));
    EXPECT_EQ(Doc()->GetPathName(), "") << "in place of the start-up file";
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(ShownRows(kIndividuals), 1);
    EXPECT_TRUE(paths::IsFile(copy)) << "kept until the edits are saved";

    const std::string saved = m_folder + "/kept.ged";
    TestHooks::AnswerFilePicker({saved});
    ASSERT_TRUE(Run(ID_FILE_SAVE));
    EXPECT_TRUE(paths::IsFile(saved));
    EXPECT_FALSE(paths::IsFile(copy));
}

TEST_F(AutosaveTest, AnUntitledFileIsAutosavedByTheTimerAndOfferedAfterACrash)
{
    const std::string copy = RecoveryPathFor(UntitledRecoveryName());
    ASSERT_TRUE(Run(ID_FILE_NEW));
    AddIndividual();
    LetAutosaveRun();
    ASSERT_TRUE(paths::IsFile(copy));
    EndAbruptly();
    // The killed run's mark stays beside its copy.
    const std::string mark = COpenFileLock::MarkPathFor(UntitledRecoveryName());
    test_support::WriteFile(mark, std::to_string(EndedProcess()) + "\n");
    TestHooks::AnswerMessageBox(IDYES);

    ASSERT_TRUE(Start({m_path}));

    EXPECT_THAT(MessageTexts(), ElementsAre(UntitledRecoveryQuestion()));
    EXPECT_EQ(Doc()->GetPathName(), "");
    EXPECT_EQ(ShownRows(kIndividuals), 1);
    EXPECT_THAT(test_support::ReadFile(mark), testing::StartsWith(std::to_string(getpid()) + " "));
    m_app->ExitInstance();
    m_app.reset();
    EXPECT_FALSE(paths::Exists(mark)) << "a clean exit leaves no mark";
}

TEST_F(AutosaveTest, ADeclinedUntitledCopyIsDeletedAndTheStartUpFileOpens)
{
    ASSERT_TRUE(Run(ID_FILE_NEW));
    AddIndividual();
    Doc()->KeepEditsAtSessionEnd();
    EndAbruptly();
    TestHooks::AnswerMessageBox(IDNO);

    ASSERT_TRUE(Start({m_path}));

    EXPECT_EQ(Doc()->GetPathName(), m_path);
    EXPECT_FALSE(paths::IsFile(RecoveryPathFor(UntitledRecoveryName())));
}

TEST_F(AutosaveTest, AFailureIsToldOnceThenInTheStatusBarAndLeavesNothingBehind)
{
    const std::string copy = RecoveryPathFor(m_path);
    std::filesystem::create_directory(copy); // nothing can be written there, as on a full disk
    const auto statusText = [this] { return Frame()->GetStatusBar(59393)->GetPaneText(0); };
    AddIndividual();
    TestHooks::AnswerMessageBox(IDOK);
    LetAutosaveRun();
    ASSERT_EQ(MessageTexts().size(), 1u);
    LetAutosaveRun();
    EXPECT_THAT(MessageTexts(), IsEmpty());
    EXPECT_THAT(statusText(), testing::StartsWith("Unable to autosave file " + m_path));
    EXPECT_FALSE(paths::Exists(copy + ".from"));

    std::filesystem::remove(copy);
    LetAutosaveRun();
    EXPECT_TRUE(paths::IsFile(copy));
    EXPECT_EQ(statusText(), "For Help, press F1");
}

/// Bytes that no GEDCOM reader takes: a copy damaged on its disk.
const std::string kDamagedCopy = std::string("\x89PNG\r\n\x1a\n\0\0", 10) + "no family here";

TEST_F(AutosaveTest, ACopyThatCannotBeReadIsKeptAndSaidSoAndTheFileOpensAsSaved)
{
    const std::string copy = test_support::WriteFile(RecoveryPathFor(m_path), kDamagedCopy);
    EndAbruptly();
    TestHooks::AnswerMessageBox(IDYES);
    TestHooks::AnswerMessageBox(IDOK);

    ASSERT_TRUE(Start({m_path}));

    EXPECT_THAT(MessageTexts(),
                ElementsAre(RecoveryQuestion(m_path), UnreadableRecoveryCopyMessage(m_path)));
    EXPECT_EQ(Doc()->GetPathName(), m_path);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(ShownRows(kIndividuals), 2);
    EXPECT_EQ(test_support::ReadFile(copy), kDamagedCopy);
}

TEST_F(AutosaveTest, AnUntitledCopyThatCannotBeReadIsKeptAndTheStartUpFileOpens)
{
    const std::string copy = RecoveryPathFor(UntitledRecoveryName());
    ASSERT_TRUE(paths::MakeDirectories(paths::Folder(copy)));
    test_support::WriteFile(copy, kDamagedCopy);
    EndAbruptly();
    TestHooks::AnswerMessageBox(IDYES);
    TestHooks::AnswerMessageBox(IDOK);

    ASSERT_TRUE(Start({m_path}));

    EXPECT_THAT(MessageTexts(), ElementsAre(UntitledRecoveryQuestion(),
                                            UnreadableRecoveryCopyMessage(UntitledRecoveryName())));
    EXPECT_EQ(Doc()->GetPathName(), m_path);
    EXPECT_EQ(test_support::ReadFile(copy), kDamagedCopy);
}

/// Preferences under which no autosave timer runs.
struct OffCase {
    const char* name;
    bool enabled;
    int minutes;
};

class AutosaveOffTest : public AppTest, public testing::WithParamInterface<OffCase> {};

TEST_P(AutosaveOffTest, NoTimerRuns)
{
    Prefs().m_enableAutosave = GetParam().enabled;
    Prefs().m_autosaveMinutes = GetParam().minutes;
    SavePreferences();

    ASSERT_TRUE(Start());

    EXPECT_FALSE(Frame()->IsAutosaveTimerRunning());
}

INSTANTIATE_TEST_SUITE_P(Preferences, AutosaveOffTest,
                         testing::Values(OffCase{"Disabled", false, 5},
                                         OffCase{"ZeroMinutes", true, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace app_test
