// tests/app/merge_command_test.cpp: the Merge/Compare command is offered while the data set holds
// more than its header; it loads and compares, asks, shows the dialog and the results, and tells
// of a failure once the second file is freed.
#include "tests/app/app_fixture.h"

#include "merge/window/merge_window_ids.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/windows/cmd_ui.h"

#include <new>

namespace app_test {
namespace {

constexpr UINT kMergeCompare = 32851;

class MergeCommandTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(Start());
    }

    bool MergeEnabled()
    {
        CCmdUI state;
        state.m_nID = kMergeCompare;
        EXPECT_TRUE(Frame()->OnCmdMsg(kMergeCompare, CN_UPDATE_COMMAND_UI, &state, nullptr));
        return state.IsEnabled();
    }

    void Open(const std::string& path)
    {
        TestHooks::AnswerFilePicker({path});
        ASSERT_TRUE(Run(ID_FILE_OPEN));
        ASSERT_EQ(Doc()->GetPathName(), path);
    }

    /// Runs the command on path; the Merge File dialog, when it comes, is left as driver leaves
    /// it, once the load and compare have ended.
    void MergeWith(const std::string& path, std::function<void(CDialog&)> driver = {})
    {
        TestHooks::AnswerFilePicker({path});
        if (driver) {
            TestHooks::OnNextDialog(merge_ids::kMergeTemplate, [this, driver](CDialog& dialog) {
                EXPECT_FALSE(Frame()->IsProgressActive());
                EXPECT_EQ(WaitCursorDepth(), 0);
                driver(dialog);
            });
        }
        ASSERT_TRUE(Run(kMergeCompare));
    }
    std::vector<std::string> Shown()
    {
        std::vector<std::string> texts;
        for (const CPromptScript::Shown& box : TestHooks::TakeMessages())
            texts.push_back(box.text);
        return texts;
    }
};

TEST_F(MergeCommandTest, IsOfferedWhileTheDataSetHoldsMoreThanItsHeader)
{
    EXPECT_FALSE(MergeEnabled()) << "a new file holds its header alone";
    Open(WriteGedcom("one.ged", kSingleFile));
    EXPECT_TRUE(MergeEnabled());
    Open(WriteGedcom("header.ged", "0 HEAD\r\n1 SOUR Tests\r\n1 CHAR UTF-8\r\n0 TRLR\r\n"));
    EXPECT_FALSE(MergeEnabled());
    Open(
        WriteGedcom("note.ged", "0 HEAD\r\n1 CHAR UTF-8\r\n0 @N1@ NOTE only a note\r\n0 TRLR\r\n"));
    EXPECT_TRUE(MergeEnabled()) << "any record beside the header";
    ASSERT_TRUE(Run(ID_FILE_NEW));
    EXPECT_FALSE(MergeEnabled());
}

TEST_F(MergeCommandTest, ComparesAsksMergesThenShowsTheResultsOverTheChangedFile)
{
    Open(WriteGedcom("one.ged", kSingleFile));
    const std::string second = WriteGedcom("two.ged", kFamilyFile);
    MergeWith(second, [](CDialog& dialog) { TestHooks::Click(dialog, IDCANCEL); });
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(ShownRows(kIndividuals), 1);

    // A file moved with its multimedia: the warning comes before the dialog; Cancel ends it all.
    const std::string moved =
        WriteGedcom("moved.ged", "0 HEAD\r\n1 CHAR UTF-8\r\n1 FILE C:\\old\\moved.ged\r\n"
                                 "0 @M1@ OBJE\r\n1 FILE picture.jpg\r\n1 FORM jpeg\r\n0 TRLR\r\n");
    TestHooks::AnswerMessageBox(IDCANCEL);
    MergeWith(moved);
    const std::vector<std::string> warning = Shown();
    ASSERT_EQ(warning.size(), 1u);
    EXPECT_EQ(warning[0].rfind("The file you have selected to merge/compare with the current file "
                               "contains multimedia",
                               0),
              0u);
    EXPECT_FALSE(Doc()->IsModified());

    // A failure in the dialog is told once the second file is gone, over the file as it was.
    TestHooks::AnswerMessageBox(IDOK);
    MergeWith(second, [](CDialog&) { throw std::bad_alloc(); });
    EXPECT_EQ(Shown(), std::vector<std::string>{
                           "An error has occurred.  This may be due to insufficient memory."});
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(ShownRows(kIndividuals), 1);

    bool resultsShown = false;
    MergeWith(second, [&](CDialog& dialog) {
        TestHooks::OnNextDialog(merge_ids::kResultsTemplate, [&](CDialog& results) {
            resultsShown = true;
            EXPECT_TRUE(Doc()->IsModified());
            EXPECT_EQ(ShownRows(kIndividuals), 3) << "the views took the merged file first";
            TestHooks::Click(results, IDOK);
        });
        TestHooks::AnswerMessageBox(IDOK); // not all checked
        TestHooks::AnswerMessageBox(IDNO); // no source record
        TestHooks::Click(dialog, IDOK);
    });
    EXPECT_TRUE(resultsShown);
    EXPECT_EQ(Shown().size(), 2u);
}

} // namespace
} // namespace app_test
