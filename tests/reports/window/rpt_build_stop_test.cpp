// tests/reports/window/rpt_build_stop_test.cpp: a report build stopped by Escape keeps the pages
// laid out so far; the window handles its messages on the program's clock while it runs.
#include "tests/reports/fake_rpt_canvas.h"

#include "platform/base/clock.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "platform/ui/windows/wnd.h"
#include "reports/window/rpt_build_stop.h"

#include <gtest/gtest.h>

namespace rpt_test {
namespace {

/// A window that stops the build on Escape, as the report window does.
class StoppingWnd : public CWnd {
public:
    explicit StoppingWnd(CRptBuildStop& stop) : m_stop(stop) {}
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (IsBuildStopKey(*msg)) {
            m_stop.Request();
            return TRUE;
        }
        return CWnd::PreTranslateMessage(msg);
    }

private:
    CRptBuildStop& m_stop;
};

class BuildStop : public testing::Test {
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CWinApp>("Report Stop Test");
        clock_seam::FreezeTickCount(1000);
    }
    void TearDown() override
    {
        clock_seam::ReleaseTickCount();
        m_app.reset();
        TestHooks::DeliverPosted();
    }
    std::unique_ptr<CWinApp> m_app;
};

/// Entries of 30 lines each, each taking ms of the program's clock.
ScriptBody SlowEntries(int count, DWORD ms)
{
    ScriptBody body;
    for (int i = 0; i < count; ++i)
        body.entries.push_back({"entry", [ms](CRptPageLayout& layout, CRptFontSet& ctx) {
                                    clock_seam::AdvanceTickCount(ms);
                                    return Lines(30)(layout, ctx);
                                }});
    return body;
}

struct StopCase {
    const char* name;
    DWORD msPerEntry;
    bool escape;
    RptBuildResult result;
    int laidOut;
};

class BuildStops : public BuildStop, public testing::WithParamInterface<StopCase> {};

TEST_P(BuildStops, OnEscapeOnceTheWindowHearsIt)
{
    const StopCase& c = GetParam();
    CRptBuildStop stop;
    StoppingWnd wnd(stop);
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "report", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100),
                             nullptr, 0));
    if (c.escape)
        TestHooks::PostKey(wnd, VK_ESCAPE, 0);
    ScriptBody body = SlowEntries(10, c.msPerEntry);
    FakeCanvas canvas;
    CRptPageLayout layout(PlainSettings());
    EXPECT_EQ(layout.Build(body, canvas, "", "", nullptr, std::ref(stop)), c.result);
    int laidOut = 0;
    for (const RptEntryStart& start : layout.GetEntryStarts())
        laidOut += start.page >= 0;
    EXPECT_EQ(laidOut, c.laidOut);
    EXPECT_EQ(layout.WasStopped(), c.result == RptBuildResult::Stopped);
    wnd.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(
    Reports, BuildStops,
    testing::Values(StopCase{"NoEscapeRunsToTheEnd", 60, false, RptBuildResult::Done, 10},
                    // The key waits until a tenth of a second has passed: after two entries.
                    StopCase{"EscapeStopsAtTheNextLookAtTheWindow", 60, true,
                             RptBuildResult::Stopped, 2},
                    StopCase{"AFastBuildNeverLooksAndEnds", 5, true, RptBuildResult::Done, 10}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace rpt_test
