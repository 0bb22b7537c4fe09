// tests/app/shared_file_test.cpp: a file that another program changes, or that another run of
// the program has open, is never overwritten unasked, and each run keeps its own autosaved copy.
#include "tests/app/app_fixture.h"

#include "app/shell/autosave.h"

#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_node.h"
#include "platform/base/open_file_lock.h"
#include "platform/base/paths.h"
#include "platform/ui/dialogs/file_dialog.h"

#include <gmock/gmock.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>

namespace app_test {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

constexpr const char* kBravo = "0 @I9@ INDI\r\n1 NAME Bravo /Outside/\r\n";

/// The family file with Bravo added before its end, as another program would write it.
std::string WithBravo()
{
    std::string content = kFamilyFile;
    content.insert(content.find("0 TRLR"), kBravo);
    return content;
}

class SharedFileTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        m_path = WriteGedcom("family.ged", kFamilyFile);
        ASSERT_TRUE(Start({m_path}));
    }

    void AddIndividual()
    {
        GetRecordTypeRoot(kIndividuals)->CreateChild(nullptr);
        NotifyChanges();
    }

    /// Marks m_path as open in process pid, as a run of the program there would.
    void MarkOpenIn(int pid)
    {
        test_support::WriteFile(COpenFileLock::MarkPathFor(m_path),
                                std::to_string(pid) + " " + HostName() + "\n");
    }

    static std::string HostName()
    {
        char name[256] = {};
        gethostname(name, sizeof name - 1);
        return name;
    }

    std::string m_path;
};

TEST_F(SharedFileTest, ASaveOverAFileChangedElsewhereAsksAndNeverOverwritesUnasked)
{
    AddIndividual();
    test_support::WriteFile(m_path, WithBravo()); // another program, or another run, saved

    // Cancel: nothing is written, the edits stay.
    TestHooks::AnswerMessageBox(IDCANCEL);
    Run(ID_FILE_SAVE);
    EXPECT_THAT(MessageTexts(), ElementsAre(CAvDoc::ChangedOnDiskQuestion(m_path)));
    EXPECT_EQ(test_support::ReadFile(m_path), WithBravo());
    EXPECT_TRUE(Doc()->IsModified());

    // No: saved under another name, proposed free; the other version stays.
    const std::string elsewhere = m_folder + "/mine.ged";
    test_support::WriteFile(m_folder + "/family (2).ged", "");
    std::string proposed;
    TestHooks::AnswerMessageBox(IDNO);
    TestHooks::AnswerFilePicker({elsewhere},
                                [&](CFileDialog& d) { proposed = d.GetProposedName(); });
    ASSERT_TRUE(Run(ID_FILE_SAVE));
    EXPECT_THAT(MessageTexts(), ElementsAre(CAvDoc::ChangedOnDiskQuestion(m_path)));
    EXPECT_EQ(test_support::ReadFile(m_path), WithBravo());
    EXPECT_EQ(Doc()->GetPathName(), elsewhere);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(proposed, m_folder + "/family (3).ged");

    // The file saved is the one the document knows: the next save asks nothing.
    AddIndividual();
    ASSERT_TRUE(Run(ID_FILE_SAVE));
    EXPECT_THAT(MessageTexts(), IsEmpty());

    // Yes: the user's version replaces the other.
    test_support::WriteFile(elsewhere, WithBravo());
    AddIndividual();
    TestHooks::AnswerMessageBox(IDYES);
    ASSERT_TRUE(Run(ID_FILE_SAVE));
    EXPECT_THAT(MessageTexts(), ElementsAre(CAvDoc::ChangedOnDiskQuestion(elsewhere)));
    EXPECT_EQ(test_support::ReadFile(elsewhere).find("Bravo"), std::string::npos);
}

TEST_F(SharedFileTest, AFileOnlyTouchedOrGoneIsSavedWithoutAQuestion)
{
    // A sync tool or a backup sets the time, or writes the same bytes anew.
    const auto later = std::filesystem::last_write_time(m_path) + std::chrono::hours(1);
    std::filesystem::last_write_time(m_path, later);
    AddIndividual();
    ASSERT_TRUE(Run(ID_FILE_SAVE));
    const std::string saved = test_support::ReadFile(m_path);
    test_support::WriteFile(m_path, saved);
    AddIndividual();
    ASSERT_TRUE(Run(ID_FILE_SAVE));
    std::filesystem::remove(m_path);
    AddIndividual();
    ASSERT_TRUE(Run(ID_FILE_SAVE));

    EXPECT_THAT(MessageTexts(), IsEmpty());
    EXPECT_TRUE(paths::IsFile(m_path));
}

TEST_F(SharedFileTest, AFileOpenInAnotherRunIsSaidSoAndItsCopyIsNeitherOfferedNorDeleted)
{
    ASSERT_TRUE(Run(ID_FILE_NEW));
    // The test's parent process stands for the other run, which has autosaved.
    const int other = int(getppid());
    MarkOpenIn(other);
    std::string othersCopy = kFamilyFile;
    othersCopy.insert(othersCopy.find("0 TRLR"), kBravo);
    test_support::WriteFile(RecoveryPathFor(m_path), othersCopy);

    // Declined, nothing is opened.
    TestHooks::AnswerMessageBox(IDNO);
    m_app->OpenDocumentFile(m_path.c_str());
    EXPECT_THAT(MessageTexts(), ElementsAre(OpenElsewhereQuestion(m_path, other)));
    EXPECT_EQ(Doc()->GetPathName(), "");

    // Accepted, the file opens without the other run's copy, which this run never writes.
    TestHooks::AnswerMessageBox(IDYES);
    m_app->OpenDocumentFile(m_path.c_str());
    EXPECT_THAT(MessageTexts(), ElementsAre(OpenElsewhereQuestion(m_path, other)));
    EXPECT_EQ(Doc()->GetPathName(), m_path);
    EXPECT_EQ(ShownRows(kIndividuals), 2);
    EXPECT_FALSE(Doc()->HoldsOpenMark());
    AddIndividual();
    ASSERT_TRUE(Doc()->Autosave());
    EXPECT_TRUE(paths::IsFile(OtherRunRecoveryPathFor(m_path)));
    EXPECT_EQ(test_support::ReadFile(RecoveryPathFor(m_path)), othersCopy);

    // Giving the edits up removes this run's copy only; the other run's mark stays.
    TestHooks::AnswerMessageBox(IDNO);
    ASSERT_TRUE(Run(ID_FILE_NEW));
    EXPECT_FALSE(paths::Exists(OtherRunRecoveryPathFor(m_path)));
    EXPECT_EQ(test_support::ReadFile(RecoveryPathFor(m_path)), othersCopy);
    EXPECT_TRUE(paths::IsFile(COpenFileLock::MarkPathFor(m_path)));
}

TEST_F(SharedFileTest, AFileStaysMarkedWhileAnyRunHasItOpen)
{
    ASSERT_TRUE(Run(ID_FILE_NEW));
    const int other = int(getppid());
    MarkOpenIn(other);
    TestHooks::AnswerMessageBox(IDYES);
    m_app->OpenDocumentFile(m_path.c_str());
    MessageTexts();

    // The first run lets the file go; this run's own mark still tells the next one.
    std::filesystem::remove(COpenFileLock::MarkPathFor(m_path));
    const std::string own = COpenFileLock::RunMarkPathFor(m_path, getpid());
    EXPECT_THAT(test_support::ReadFile(own), testing::StartsWith(std::to_string(getpid()) + " "));
    // Another run's own mark is told; one a killed run left goes at the first look.
    const int ended = EndedProcess();
    for (int pid : {other, ended})
        test_support::WriteFile(COpenFileLock::RunMarkPathFor(m_path, pid),
                                std::to_string(pid) + " " + HostName() + "\n");
    EXPECT_EQ(COpenFileLock::OtherHolder(m_path), other);
    EXPECT_FALSE(paths::Exists(COpenFileLock::RunMarkPathFor(m_path, ended)));

    ASSERT_TRUE(Run(ID_FILE_NEW));
    EXPECT_FALSE(paths::Exists(own)) << "letting the file go removes this run's mark";
}

TEST_F(SharedFileTest, TheNewestCopyOfTheRunsThatEndedIsOffered)
{
    ASSERT_TRUE(Run(ID_FILE_NEW));
    const std::string own = RecoveryPathFor(m_path);
    const std::string other = own + "-" + std::to_string(EndedProcess());
    test_support::WriteFile(own, kFamilyFile);
    test_support::WriteFile(other, kFamilyFile);
    const auto saved = std::filesystem::last_write_time(m_path);
    std::filesystem::last_write_time(own, saved + std::chrono::hours(1));
    std::filesystem::last_write_time(other, saved + std::chrono::hours(2));
    EXPECT_EQ(FindRecoveryCopy(m_path)->copy, other);
    std::filesystem::last_write_time(own, saved + std::chrono::hours(3));
    EXPECT_EQ(FindRecoveryCopy(m_path)->copy, own);
}

TEST_F(SharedFileTest, TheMarkOfARunThatEndedIsIgnoredAndTakenOver)
{
    ASSERT_TRUE(Run(ID_FILE_NEW));
    EXPECT_FALSE(paths::Exists(COpenFileLock::MarkPathFor(m_path))) << "closing removes it";
    MarkOpenIn(EndedProcess()); // killed: its mark stayed

    m_app->OpenDocumentFile(m_path.c_str());

    EXPECT_THAT(MessageTexts(), IsEmpty());
    EXPECT_TRUE(Doc()->HoldsOpenMark());
    EXPECT_THAT(test_support::ReadFile(COpenFileLock::MarkPathFor(m_path)),
                testing::StartsWith(std::to_string(getpid()) + " "));
}

} // namespace
} // namespace app_test
