// tests/app/backup_restore_test.cpp: the Backup and Restore commands on an open file, with
// the names answered in the file pickers, and the backup offered when the main window closes.
#include "tests/app/app_fixture.h"

#include "app/backup_prompt_dlg.h"
#include "app/backup_restore.h"
#include "common/backup_archive.h"
#include "tests/support/file_size_limit.h"

#include <gmock/gmock.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace app_test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

constexpr const char* kCompleted = "Backup completed.";
constexpr const char* kOpenRestored =
    "Restore completed.  Do you wish to open the file you restored?";

class BackupRestoreTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(Start());
        m_open = WriteGedcom("Smith.ged", kFamilyFile);
        m_app->OpenDocumentFile(m_open.c_str());
        ASSERT_EQ(Doc()->GetPathName(), m_open);
    }

    std::string Path(const std::string& name) const { return m_folder + "/" + name; }

    /// Makes a zip backup of the open file through the command.
    std::string ZipBackup(const std::string& name)
    {
        TestHooks::AnswerFilePicker({Path(name)});
        TestHooks::AnswerMessageBox(IDOK);
        RunBackup(Frame());
        EXPECT_THAT(MessageTexts(), ElementsAre(kCompleted));
        return Path(name);
    }

    std::string m_open;
};

TEST_F(BackupRestoreTest, TheNameDecidesBetweenArchiveAndCopy)
{
    struct Case {
        const char* name;
        std::vector<int> answers;
        std::vector<std::string> messages;
        const char* content; // "zip", "copy" or "none"
    } cases[] = {
        {"a.zip", {IDOK}, {kCompleted}, "zip"},
        {"b.ZIP", {IDOK}, {kCompleted}, "zip"},
        {"c.GED", {IDOK}, {kCompleted}, "copy"},
        {"d.txt",
         {IDOK, IDOK},
         {"Specified file type is neither \".zip\" nor \".ged\".  File will be copied to the "
          "backup folder, but will not be zipped.",
          kCompleted},
         "copy"},
        {"e.txt",
         {IDCANCEL},
         {"Specified file type is neither \".zip\" nor \".ged\".  File will be copied to the "
          "backup folder, but will not be zipped."},
         "none"},
    };
    for (const Case& c : cases) {
        TestHooks::AnswerFilePicker({Path(c.name)});
        for (int answer : c.answers)
            TestHooks::AnswerMessageBox(answer);

        RunBackup(Frame());

        EXPECT_EQ(MessageTexts(), c.messages) << c.name;
        const std::string content = std::string(c.content);
        if (content == "none") {
            EXPECT_FALSE(std::filesystem::exists(Path(c.name))) << c.name;
        } else if (content == "copy") {
            EXPECT_EQ(test_support::ReadFile(Path(c.name)), kFamilyFile) << c.name;
        } else {
            CZipBackupReader reader;
            ASSERT_EQ(reader.Open(Path(c.name)), CZipBackupReader::OpenResult::Ok) << c.name;
            std::string stored;
            ASSERT_EQ(reader.GoToFirstEntry(stored), CZipBackupReader::EntryResult::Ok);
            EXPECT_EQ(stored, "Smith.ged");
            EXPECT_EQ(reader.ExtractEntryTo(Path("check.ged")), RestoreResult::Ok);
            EXPECT_EQ(test_support::ReadFile(Path("check.ged")), kFamilyFile);
        }
    }
}

TEST_F(BackupRestoreTest, BackupRefusesTheOpenFileAndAnEmptyOne)
{
    TestHooks::AnswerFilePicker({Path("SMITH.GED")});
    TestHooks::AnswerMessageBox(IDOK);
    RunBackup(Frame());
    EXPECT_THAT(MessageTexts(), ElementsAre("You cannot backup the current file onto itself."));
    EXPECT_EQ(test_support::ReadFile(m_open), kFamilyFile);

    test_support::WriteFile(m_open, "");
    TestHooks::AnswerFilePicker({Path("empty.zip")});
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_FALSE(DoBackup(true, Frame()));
    EXPECT_THAT(MessageTexts(), ElementsAre("Error reading file.  Cannot perform backup."));
    EXPECT_FALSE(std::filesystem::exists(Path("empty.zip")));
}

TEST_F(BackupRestoreTest, ABackupThatCannotBeWrittenSaysWhyAndReplacesNothing)
{
    // A read-only backup is refused, as a read-only GEDCOM file is.
    for (const char* name : {"locked.zip", "locked.ged"}) {
        test_support::WriteFile(Path(name), "older backup");
        std::filesystem::permissions(Path(name), std::filesystem::perms::owner_read);
        TestHooks::AnswerFilePicker({Path(name)});
        TestHooks::AnswerMessageBox(IDYES); // replace it
        TestHooks::AnswerMessageBox(IDOK);
        EXPECT_FALSE(DoBackup(true, Frame()));
        EXPECT_EQ(test_support::ReadFile(Path(name)), "older backup");
    }
    const std::vector<std::string> texts = MessageTexts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[1], "Unable to open zip file.  Cannot perform backup.  Permission denied.");
    EXPECT_EQ(texts[3], "An error has occurred.  Backup failed.  Permission denied.");

    // A full disk is named as such, not as an unknown error.
    TestHooks::AnswerFilePicker({Path("full.zip")});
    TestHooks::AnswerMessageBox(IDOK);
    {
        const FileSizeLimit limit(64);
        EXPECT_FALSE(DoBackup(true, Frame()));
    }
    EXPECT_THAT(MessageTexts(),
                ElementsAre(std::string("Backup failed.  ") + std::strerror(EFBIG) + "."));
    EXPECT_FALSE(std::filesystem::exists(Path("full.zip")));
}

TEST_F(BackupRestoreTest, ARestoredArchiveIsOfferedAndOpened)
{
    const std::string archive = ZipBackup("backup.zip");
    TestHooks::AnswerFilePicker({archive});
    TestHooks::AnswerFilePicker({Path("restored.ged")});
    TestHooks::AnswerMessageBox(IDOK);

    RunRestore(Frame());

    EXPECT_THAT(MessageTexts(), ElementsAre(kOpenRestored));
    EXPECT_EQ(test_support::ReadFile(Path("restored.ged")), kFamilyFile);
    EXPECT_EQ(Doc()->GetPathName(), Path("restored.ged"));
}

TEST_F(BackupRestoreTest, RestoringOverTheOpenFileWarnsThenReloadsWithoutTheSaveQuestion)
{
    const std::string archive = ZipBackup("backup.zip");
    test_support::WriteFile(m_open, kSingleFile);
    Doc()->SetModifiedFlag(TRUE);
    TestHooks::AnswerFilePicker({archive});
    TestHooks::AnswerFilePicker({m_open});
    TestHooks::AnswerMessageBox(IDYES); // the picker asks before naming an existing file
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::AnswerMessageBox(IDOK);

    RunRestore(Frame());

    const std::vector<std::string> texts = MessageTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_TRUE(texts[1].starts_with("CAREFUL!  Please read this message carefully"));
    EXPECT_EQ(texts[2],
              "Restore has completed successfully.  The restored file will now be loaded.");
    EXPECT_EQ(test_support::ReadFile(m_open), kFamilyFile);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(ShownRows(kIndividuals), 2);
}

TEST_F(BackupRestoreTest, RestoreFailuresSayWhyAndLeaveTheTarget)
{
    const std::string good = ZipBackup("backup.zip");
    std::string bytes = test_support::ReadFile(good);
    const std::size_t central = bytes.find("PK\x01\x02");
    ASSERT_NE(central, std::string::npos);
    bytes[14] ^= 0x01;           // the checksum, in the local header
    bytes[central + 16] ^= 0x01; // and in the central directory
    const std::string damaged = test_support::WriteFile(Path("damaged.zip"), bytes);
    std::string empty(22, '\0');
    empty.replace(0, 4, "PK\x05\x06");
    const std::string none = test_support::WriteFile(Path("none.zip"), empty);
    const std::string notZip = WriteGedcom("not.zip", kSingleFile);
    const std::string target = WriteGedcom("target.ged", kSingleFile);
    struct Case {
        std::string source;
        std::vector<std::string> picks;
        std::string message;
    } cases[] = {
        {damaged, {target}, "Restore failed.  An error has occurred."},
        {none, {}, "The zip file holds no backed-up file.  Nothing has been restored."},
        {notZip, {}, "Unable to open zip file.  Cannot restore."},
        {good, {good}, "You cannot restore a backup file onto itself."},
        {target, {target}, "You cannot restore a backup file onto itself."},
    };
    for (const Case& c : cases) {
        TestHooks::AnswerFilePicker({c.source});
        for (const std::string& pick : c.picks) {
            TestHooks::AnswerFilePicker({pick});
            TestHooks::AnswerMessageBox(IDYES); // the picker asks before naming an existing file
        }
        TestHooks::AnswerMessageBox(IDOK);

        RunRestore(Frame());

        EXPECT_THAT(MessageTexts(), testing::Contains(c.message)) << c.source;
    }
    EXPECT_EQ(test_support::ReadFile(target), kSingleFile);
    EXPECT_EQ(Doc()->GetPathName(), m_open);
}

TEST_F(BackupRestoreTest, APlainBackupRestoresByCopying)
{
    TestHooks::AnswerFilePicker({Path("copy.ged")});
    TestHooks::AnswerMessageBox(IDOK);
    RunBackup(Frame());
    MessageTexts();
    TestHooks::AnswerFilePicker({Path("copy.ged")});
    TestHooks::AnswerFilePicker({Path("back.ged")});
    TestHooks::AnswerMessageBox(IDCANCEL);

    RunRestore(Frame());

    EXPECT_THAT(MessageTexts(), ElementsAre(kOpenRestored));
    EXPECT_EQ(test_support::ReadFile(Path("back.ged")), kFamilyFile);
    EXPECT_EQ(Doc()->GetPathName(), m_open);
}

TEST_F(BackupRestoreTest, TheCloseOfferKeepsTheAlwaysPromptChoice)
{
    struct Case {
        const char* name;
        bool clearBox;
        int button;
        bool closes;
        bool promptAfter;
    } cases[] = {
        {"CancelKeepsTheWindow", true, IDCANCEL, false, true},
        {"SkipWithTheBoxKept", false, 3, true, true},
        {"SkipWithTheBoxCleared", true, 3, true, false},
    };
    for (const Case& c : cases) {
        Prefs().m_backupPrompt = true;
        std::string shownPath;
        TestHooks::OnNextDialog(CBackupPromptDlg::kTemplateId, [&](CDialog& dialog) {
            dialog.GetDlgItemText(1468, shownPath);
            EXPECT_TRUE(dialog.IsDlgButtonChecked(1786));
            if (c.clearBox)
                TestHooks::Click(dialog, 1786);
            TestHooks::Click(dialog, c.button);
        });

        EXPECT_EQ(OfferBackupOnClose(Frame()), c.closes) << c.name;

        EXPECT_EQ(shownPath, m_open) << c.name;
        Prefs().m_backupPrompt = true;
        LoadPreferences();
        EXPECT_EQ(Prefs().m_backupPrompt, c.promptAfter) << c.name;
    }
    EXPECT_THAT(MessageTexts(), IsEmpty());
}

TEST_F(BackupRestoreTest, BackupOnCloseIsNotAnnounced)
{
    Prefs().m_backupPrompt = true;
    Doc()->SetModifiedFlag(TRUE);
    TestHooks::OnNextDialog(CBackupPromptDlg::kTemplateId,
                            [](CDialog& dialog) { TestHooks::Click(dialog, 1785); });
    TestHooks::AnswerFilePicker({Path("closing.zip")});

    EXPECT_TRUE(OfferBackupOnClose(Frame()));

    EXPECT_THAT(MessageTexts(), IsEmpty());
    EXPECT_TRUE(std::filesystem::exists(Path("closing.zip")));
    EXPECT_TRUE(Doc()->IsModified()); // the close gives the changes up, not the offer

    Prefs().m_backupPrompt = false;
    EXPECT_TRUE(OfferBackupOnClose(Frame())); // no dialog is shown
}

} // namespace
} // namespace app_test
