// tests/app/child_frame_test.cpp: the records window hides instead of closing and comes back
// with its Records Window command; a window's title is its pane's; size limits.
#include "tests/app/app_fixture.h"

#include "app/shell/app_ids.h"
#include "app/shell/child_frame.h"

#include <gmock/gmock.h>

namespace app_test {
namespace {

class ChildFrameTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(Start());
        CAvView* view = nullptr;
        m_app->FindRecordsView(&view);
        ASSERT_NE(view, nullptr);
        m_records = dynamic_cast<CChildFrame*>(view->GetParentFrame());
        ASSERT_NE(m_records, nullptr);
    }

    CChildFrame* m_records = nullptr;
};

TEST_F(ChildFrameTest, ClosingTheRecordsWindowHidesItUntilItsCommand)
{
    TestHooks::PressCloseBox(*m_records);
    TestHooks::DeliverPosted();

    ASSERT_NE(m_app->FindRecordsView(), nullptr);
    EXPECT_FALSE(m_records->IsWindowVisible());
    EXPECT_EQ(m_app->GetActiveAvView(), nullptr);

    ASSERT_TRUE(Run(ID_RECORDS_WINDOW));

    EXPECT_TRUE(m_records->IsWindowVisible());
    EXPECT_EQ(Frame()->MDIGetActive(), m_records);
    EXPECT_EQ(Frame()->GetChildren().size(), 1u);
}

TEST_F(ChildFrameTest, TheTitleIsThePanesOwn)
{
    m_app->OpenDocumentFile(WriteGedcom("family.ged", kFamilyFile).c_str());

    std::string title;
    m_records->GetWindowText(title);
    EXPECT_EQ(title, "Records");
}

TEST_F(ChildFrameTest, TheRecordsWindowGivesItsFrameItsHelpContextAndSelectsNoObject)
{
    EXPECT_EQ(m_records->GetHelpContext(), 268u);
    CAvView* view = nullptr;
    m_app->FindRecordsView(&view);
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->IsSelected(view->GetSubView()));
}

/// Limits set on the frame and the tracking sizes they give, from the defaults given.
struct LimitCase {
    const char* name;
    int limits[4];
    POINT expectedMin;
    POINT expectedMax;
};

class ChildFrameLimitTest : public ChildFrameTest, public testing::WithParamInterface<LimitCase> {};

TEST_P(ChildFrameLimitTest, OnlyLimitsThatAreSetReplaceTheTrackingSizes)
{
    const int* limits = GetParam().limits;
    m_records->SetMinTrackSize(limits[0], limits[1], limits[2], limits[3]);
    MINMAXINFO info;
    info.ptMinTrackSize = {10, 20};
    info.ptMaxTrackSize = {3000, 2000};

    m_records->SendMessage(WM_GETMINMAXINFO, 0, LPARAM(&info));

    EXPECT_EQ(info.ptMinTrackSize.x, GetParam().expectedMin.x);
    EXPECT_EQ(info.ptMinTrackSize.y, GetParam().expectedMin.y);
    EXPECT_EQ(info.ptMaxTrackSize.x, GetParam().expectedMax.x);
    EXPECT_EQ(info.ptMaxTrackSize.y, GetParam().expectedMax.y);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, ChildFrameLimitTest,
    testing::Values(LimitCase{"None", {-1, -1, -1, -1}, {10, 20}, {3000, 2000}},
                    LimitCase{"All", {200, 150, 900, 700}, {200, 150}, {900, 700}},
                    LimitCase{"WidthsOnly", {200, -1, 900, -1}, {200, 20}, {900, 2000}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace app_test
