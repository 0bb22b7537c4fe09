// tests/platform/base/wait_cursor_test.cpp: nested waits show the cursor once.
#include "platform/base/wait_cursor.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class CRecordingSink final : public IWaitCursorSink {
public:
    void ShowWaitCursor(bool show) override { m_calls.push_back(show); }
    std::vector<bool> m_calls;
};

} // namespace

TEST(WaitCursorTest, NestedWaitsShowTheCursorOnceAndUnbalancedEndsAreHarmless)
{
    CRecordingSink sink;
    SetWaitCursorSink(&sink);
    {
        CWaitCursor outer;
        BeginWaitCursor();
        EXPECT_EQ(WaitCursorDepth(), 2);
        EndWaitCursor();
        EXPECT_EQ(sink.m_calls, std::vector<bool>{true});
    }
    EndWaitCursor();
    EXPECT_EQ(WaitCursorDepth(), 0);
    EXPECT_EQ(sink.m_calls, (std::vector<bool>{true, false}));
    SetWaitCursorSink(nullptr);
    {
        CWaitCursor unseen;
        EXPECT_EQ(WaitCursorDepth(), 1);
    }
    EXPECT_EQ(sink.m_calls.size(), 2u);
}
