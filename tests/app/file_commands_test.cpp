// tests/app/file_commands_test.cpp: File New, Open (a relative name kept as the file it names),
// Save, Save As, the recent files and Exit through the menu, with the save question whenever the
// file is modified.
#include "tests/app/app_fixture.h"

#include "database/dictionary/record_type_table.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_node.h"
#include "platform/base/paths.h"
#include "platform/ui/frames/recent_file_list.h"
#include "platform/ui/windows/app.h"

#include <gmock/gmock.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace app_test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

class FileCommandsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(Start());
    }

    /// Opens path through File Open.
    void OpenThroughMenu(const std::string& path)
    {
        TestHooks::AnswerFilePicker({path});
        ASSERT_TRUE(Run(ID_FILE_OPEN));
    }
};

TEST_F(FileCommandsTest, OpenLoadsTheChosenFileAndListsItFirst)
{
    const std::string path = WriteGedcom("smith.ged", kFamilyFile);

    OpenThroughMenu(path);

    EXPECT_EQ(Doc()->GetPathName(), path);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(ShownRows(kIndividuals), 2);
    EXPECT_EQ(m_app->GetRecordCount(kFamilies), 1);
    std::string caption;
    Frame()->GetWindowText(caption);
    EXPECT_EQ(caption, "smith.ged - Ardenvel Riru");
    EXPECT_EQ((*m_app->GetRecentFileList())[0], path);
    EXPECT_FALSE(Frame()->IsProgressActive());
    EXPECT_TRUE(Frame()->GetStatusBar(59393)->IsWindowVisible());
}

TEST_F(FileCommandsTest, AFileNamedRelativeToTheCurrentFolderIsSavedThereAfterTheFolderChanges)
{
    WriteGedcom("smith.ged", kFamilyFile);
    const std::filesystem::path started = std::filesystem::current_path();
    std::filesystem::current_path(m_folder);
    m_app->OpenDocumentFile("./smith.ged");
    std::filesystem::current_path(test_support::NewFolder("app-elsewhere"));
    Doc()->SetModifiedFlag();
    const bool saved = Run(ID_FILE_SAVE);
    std::filesystem::current_path(started);

    EXPECT_EQ(Doc()->GetPathName(), m_folder + "/smith.ged");
    EXPECT_EQ((*m_app->GetRecentFileList())[0], m_folder + "/smith.ged");
    EXPECT_TRUE(saved);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_THAT(MessageTexts(), IsEmpty());
}

TEST_F(FileCommandsTest, AFileThatFailsToLoadLeavesANewFileAndSaysWhy)
{
    const std::string path =
        WriteGedcom("notes.txt", "These are not the lines of a GEDCOM file.\n");
    TestHooks::AnswerMessageBox(IDOK);

    OpenThroughMenu(path);

    EXPECT_THAT(MessageTexts(), testing::Contains(LoadErrorMessage(path)));
    EXPECT_EQ(Doc()->GetTitle(), "Untitled");
    EXPECT_TRUE(Doc()->GetPathName().empty());
}

TEST_F(FileCommandsTest, AFileThatCannotBeReadSaysSoAndTheOpenFileStays)
{
    const std::string kept = WriteGedcom("kept.ged", kSingleFile);
    OpenThroughMenu(kept);
    const std::string locked = WriteGedcom("locked.ged", kFamilyFile);
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    const std::string folder = m_folder + "/folder.ged";
    std::filesystem::create_directory(folder);
    MessageTexts();

    // Whoever may read every file (the superuser) reads the locked one all the same.
    if (::access(locked.c_str(), R_OK) != 0) {
        TestHooks::AnswerMessageBox(IDOK);
        OpenThroughMenu(locked);
        EXPECT_THAT(MessageTexts(), ElementsAre("Unable to open file."));
        EXPECT_EQ(Doc()->GetPathName(), kept);
    }
    // The file dialog offers no folder, but a command line may name one.
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_EQ(m_app->OpenDocumentFile(folder.c_str()), nullptr);
    EXPECT_THAT(MessageTexts(), ElementsAre("Unable to open file."));
    EXPECT_EQ(Doc()->GetPathName(), kept);

    const std::string empty = WriteGedcom("empty.ged", "");
    TestHooks::AnswerMessageBox(IDOK);
    OpenThroughMenu(empty);
    EXPECT_THAT(MessageTexts(), ElementsAre(LoadErrorMessage(empty))) << "it can be read";
    EXPECT_EQ(Doc()->GetPathName(), kept);
}

TEST_F(FileCommandsTest, TheExceptionReportOfALoadIsOfferedAndOpenedOnTheDesktop)
{
    TestHooks::AnswerMessageBox(IDYES);
    OpenThroughMenu(WriteGedcom("odd.ged", "0 HEAD\r\n0 @X1@ FOO\r\n0 TRLR\r\n"));
    const std::vector<CPromptScript::Shown> offer = TestHooks::TakeMessages();
    ASSERT_EQ(offer.size(), 1u);
    EXPECT_EQ(offer[0].style, MB_YESNO);
    EXPECT_TRUE(offer[0].text.ends_with("Would you like to see a listing of the excluded data?"));
    EXPECT_THAT(TestHooks::TakeShellOpens(), ElementsAre(GetLoadExceptionReport()));

    // A message (duplicate identifiers) opens its report unasked.
    TestHooks::AnswerMessageBox(IDOK);
    GetLoadNotices()->Tell({"Duplicates.", {}, GetLoadExceptionReport()});
    EXPECT_THAT(MessageTexts(), ElementsAre("Duplicates."));
    EXPECT_THAT(TestHooks::TakeShellOpens(), ElementsAre(GetLoadExceptionReport()));
}

TEST_F(FileCommandsTest, ARecentFileOpensFromItsMenuItem)
{
    const std::string first = WriteGedcom("first.ged", kSingleFile);
    const std::string second = WriteGedcom("second.ged", kFamilyFile);
    OpenThroughMenu(first);
    OpenThroughMenu(second);

    ASSERT_TRUE(Run(ID_FILE_MRU_FILE1 + 1));

    EXPECT_EQ(Doc()->GetPathName(), first);
    EXPECT_EQ((*m_app->GetRecentFileList())[0], first);
}

TEST_F(FileCommandsTest, ARecentFileThatCannotBeOpenedSaysWhyAndLeavesTheList)
{
    const std::string kept = WriteGedcom("kept.ged", kSingleFile);
    const std::string gone = WriteGedcom("gone.ged", kFamilyFile);
    const std::string spoilt = WriteGedcom("spoilt.ged", kFamilyFile);
    OpenThroughMenu(spoilt);
    OpenThroughMenu(gone);
    OpenThroughMenu(kept);
    ASSERT_TRUE(paths::RemoveFile(gone));
    test_support::WriteFile(spoilt, "Not the lines of a GEDCOM file any more.\n");
    MessageTexts();
    const CRecentFileList& recent = *m_app->GetRecentFileList();
    ASSERT_EQ(recent.GetCount(), 3);

    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(Run(ID_FILE_MRU_FILE1 + 1));
    EXPECT_THAT(MessageTexts(),
                ElementsAre("Error loading file " + gone + ".  The file was not found."));
    EXPECT_EQ(Doc()->GetPathName(), kept) << "the open file stays";
    ASSERT_EQ(recent.GetCount(), 2);
    EXPECT_EQ(recent[1], spoilt);

    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(Run(ID_FILE_MRU_FILE1 + 1));
    EXPECT_THAT(MessageTexts(), ElementsAre(LoadErrorMessage(spoilt)));
    ASSERT_EQ(recent.GetCount(), 1);
    EXPECT_EQ(recent[0], kept);

    // Nor does a file that cannot be opened join the list.
    TestHooks::AnswerMessageBox(IDOK);
    OpenThroughMenu(spoilt);
    EXPECT_EQ(recent.GetCount(), 1);
}

TEST_F(FileCommandsTest, SaveAsWritesAFileThatLoadsBackTheSame)
{
    OpenThroughMenu(WriteGedcom("family.ged", kFamilyFile));
    const std::string copy = m_folder + "/copy.ged";
    TestHooks::AnswerFilePicker({copy});

    ASSERT_TRUE(Run(ID_FILE_SAVE_AS));

    EXPECT_EQ(Doc()->GetPathName(), copy);
    EXPECT_EQ(Doc()->GetTitle(), "copy.ged");
    OpenThroughMenu(copy);
    EXPECT_EQ(ShownRows(kIndividuals), 2);
    EXPECT_THAT(MessageTexts(), IsEmpty());
}

TEST_F(FileCommandsTest, SaveAsGivesANameTypedWithoutExtensionTheFiltersExtensionAsShown)
{
    OpenThroughMenu(WriteGedcom("family.ged", kFamilyFile));
    TestHooks::AnswerFilePicker({m_folder + "/TGC551new"});

    ASSERT_TRUE(Run(ID_FILE_SAVE_AS));

    // The filter shows "(*.ged)": the file is named so, not with the template's ".GED".
    EXPECT_EQ(Doc()->GetPathName(), m_folder + "/TGC551new.ged");
    EXPECT_TRUE(paths::IsFile(m_folder + "/TGC551new.ged"));
    EXPECT_FALSE(paths::Exists(m_folder + "/TGC551new.GED"));
}

TEST_F(FileCommandsTest, SavingIntoAFolderThatWentSaysWhyInSentencesAndKeepsTheFileModified)
{
    std::filesystem::create_directory(m_folder + "/gone");
    const std::string path = WriteGedcom("gone/family.ged", kFamilyFile);
    OpenThroughMenu(path);
    std::filesystem::remove_all(m_folder + "/gone");
    GetRecordTypeRoot(kIndividuals)->CreateChild(nullptr);
    NotifyChanges();
    TestHooks::AnswerMessageBox(IDOK);

    Run(ID_FILE_SAVE);

    EXPECT_THAT(MessageTexts(),
                ElementsAre("Error saving file " + path + ".  " + std::strerror(ENOENT) + "."));
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(FileCommandsTest, SavingAnUntitledFileAsksForItsName)
{
    GetRecordTypeRoot(kIndividuals)->CreateChild(nullptr);
    NotifyChanges();
    const std::string path = m_folder + "/new.ged";
    TestHooks::AnswerFilePicker({path});

    ASSERT_TRUE(Run(ID_FILE_SAVE));

    EXPECT_EQ(Doc()->GetPathName(), path);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_TRUE(paths::IsFile(path));
}

/// The answer to the save question and what follows it.
struct QuestionCase {
    const char* name;
    int answer;
    bool proceeds;
    bool saved;
};

class SaveQuestionTest : public FileCommandsTest, public testing::WithParamInterface<QuestionCase> {
protected:
    /// Opens the family file and adds a record to it.
    void OpenAndModify()
    {
        m_path = WriteGedcom("family.ged", kFamilyFile);
        OpenThroughMenu(m_path);
        GetRecordTypeRoot(kIndividuals)->CreateChild(nullptr);
        NotifyChanges();
        ASSERT_TRUE(Doc()->IsModified());
        m_bytes = test_support::ReadFile(m_path);
        TestHooks::AnswerMessageBox(GetParam().answer);
    }

    void ExpectAskedAndSavedAsTheCaseSays()
    {
        EXPECT_THAT(MessageTexts(), ElementsAre("Save changes to " + m_path + "?"));
        EXPECT_EQ(test_support::ReadFile(m_path) != m_bytes, GetParam().saved);
    }

    std::string m_path;
    std::string m_bytes;
};

TEST_P(SaveQuestionTest, OpeningAnotherFileAsksFirst)
{
    OpenAndModify();
    const std::string other = WriteGedcom("other.ged", kSingleFile);

    OpenThroughMenu(other);

    ExpectAskedAndSavedAsTheCaseSays();
    EXPECT_EQ(Doc()->GetPathName(), GetParam().proceeds ? other : m_path);
    EXPECT_EQ(Doc()->IsModified(), !GetParam().proceeds);
}

TEST_P(SaveQuestionTest, FileNewAsksFirst)
{
    OpenAndModify();

    ASSERT_TRUE(Run(ID_FILE_NEW));

    ExpectAskedAndSavedAsTheCaseSays();
    EXPECT_EQ(Doc()->GetTitle(), GetParam().proceeds ? "Untitled" : "family.ged");
}

TEST_P(SaveQuestionTest, ExitAsksFirst)
{
    OpenAndModify();

    ASSERT_TRUE(Run(ID_APP_EXIT));

    ExpectAskedAndSavedAsTheCaseSays();
    EXPECT_EQ(m_app->GetMainFrame() == nullptr, GetParam().proceeds);
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveQuestionTest,
                         testing::Values(QuestionCase{"Cancel", IDCANCEL, false, false},
                                         QuestionCase{"No", IDNO, true, false},
                                         QuestionCase{"Yes", IDYES, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileCommandsTest, ExitOfAnUnchangedFileAsksNothing)
{
    OpenThroughMenu(WriteGedcom("family.ged", kFamilyFile));

    ASSERT_TRUE(Run(ID_APP_EXIT));

    EXPECT_THAT(MessageTexts(), IsEmpty());
    EXPECT_EQ(m_app->GetMainFrame(), nullptr);
    EXPECT_EQ(m_app->GetDocument(), nullptr);
}

} // namespace
} // namespace app_test
