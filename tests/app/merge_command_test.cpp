// tests/app/merge_command_test.cpp: the Merge/Compare command is offered while the data set holds
// more than its header.
#include "tests/app/app_fixture.h"

#include "platform/ui/windows/cmd_ui.h"

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

} // namespace
} // namespace app_test
