// tests/platform/ui/windows/subclass_wnd_test.cpp: hooks on a window see its messages latest
// first, leave the chain whole when one goes, and go with the window; desktop changes reach
// top-level windows only, printer changes every window.
#include "platform/ui/windows/subclass_wnd.h"

#include "platform/ui/printing/print_dialog.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/message.h"
#include "platform/ui/windows/test_hooks.h"
#include "platform/ui/windows/wnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kProbe = WM_USER + 7;

using Log = std::vector<std::string>;

/// A window that notes the probe and the desktop changes it is sent, and answers the probe 5.
class ProbeWnd : public CWnd {
public:
    explicit ProbeWnd(Log& log) : m_log(log) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kProbe) {
            m_log.push_back("window");
            return 5;
        }
        if (message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE)
            m_log.push_back(message == WM_SYSCOLORCHANGE ? "colours" : "settings");
        if (message == WM_DEVMODECHANGE)
            m_log.push_back("printer");
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    Log& m_log;
};

/// A hook that notes each probe it sees and passes it on, or answers it itself when told to.
class ProbeHook : public CSubclassWnd {
public:
    ProbeHook(Log& log, std::string name) : m_log(log), m_name(std::move(name)) {}
    bool keep = false;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCDESTROY)
            m_log.push_back(m_name + " saw the end");
        if (message != kProbe)
            return CSubclassWnd::WindowProc(message, wParam, lParam);
        m_log.push_back(m_name);
        return keep ? 9 : CSubclassWnd::WindowProc(message, wParam, lParam);
    }

private:
    Log& m_log;
    std::string m_name;
};

class SubclassWndTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_wnd.Create(nullptr, "top", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    }
    Log Probe(LRESULT expected)
    {
        m_log.clear();
        EXPECT_EQ(m_wnd.SendMessage(kProbe, 0, 0), expected);
        return m_log;
    }

    Log m_log;
    ProbeWnd m_wnd{m_log};
};

TEST_F(SubclassWndTest, TheLatestHookSeesEachMessageFirstAndTheWindowLast)
{
    ProbeHook first(m_log, "first"), second(m_log, "second");
    ASSERT_TRUE(first.HookWindow(&m_wnd));
    ASSERT_TRUE(second.HookWindow(&m_wnd));

    EXPECT_EQ(Probe(5), (Log{"second", "first", "window"}));

    second.keep = true;
    EXPECT_EQ(Probe(9), Log{"second"}) << "a hook that answers keeps the message";
}

TEST_F(SubclassWndTest, RemovingAnyHookLeavesTheOthersWorking)
{
    struct Case {
        const char* removed;
        Log seen;
    };
    for (const Case& c : {Case{"first", {"third", "second", "window"}},
                          Case{"second", {"third", "first", "window"}},
                          Case{"third", {"second", "first", "window"}}}) {
        ProbeHook first(m_log, "first"), second(m_log, "second"), third(m_log, "third");
        for (ProbeHook* hook : {&first, &second, &third})
            hook->HookWindow(&m_wnd);
        ProbeHook& removed = std::string(c.removed) == "first"    ? first
                             : std::string(c.removed) == "second" ? second
                                                                  : third;
        removed.HookWindow(nullptr);

        EXPECT_EQ(removed.GetHookedWindow(), nullptr);
        EXPECT_EQ(Probe(5), c.seen) << c.removed << " removed";
    }
    EXPECT_EQ(CSubclassWndMap::Get().Lookup(m_wnd), nullptr) << "hooks leave with their objects";
    EXPECT_EQ(Probe(5), Log{"window"});
}

TEST_F(SubclassWndTest, TheWindowsEndUnhooksEveryHookAndReachesTheWindow)
{
    ProbeHook first(m_log, "first"), second(m_log, "second");
    first.HookWindow(&m_wnd);
    second.HookWindow(&m_wnd);
    m_log.clear();

    m_wnd.DestroyWindow();

    EXPECT_EQ(m_log, Log{}) << "the end goes to the window alone";
    EXPECT_EQ(first.GetHookedWindow(), nullptr);
    EXPECT_EQ(second.GetHookedWindow(), nullptr);
    EXPECT_EQ(CSubclassWndMap::Get().Lookup(m_wnd), nullptr);
}

TEST_F(SubclassWndTest, AWindowNotYetMadeCannotBeHooked)
{
    Log log;
    ProbeWnd unmade(log);
    ProbeHook hook(log, "hook");

    EXPECT_FALSE(hook.HookWindow(&unmade));
    EXPECT_EQ(hook.GetHookedWindow(), nullptr);
}

TEST_F(SubclassWndTest, DesktopChangesReachTopLevelWindowsOnly)
{
    ProbeWnd child(m_log);
    ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD, CRect(0, 0, 5, 5), &m_wnd, 3));
    m_wnd.ShowWindow(SW_SHOW);
    m_log.clear();

    TestHooks::SendDesktopChange(true);
    TestHooks::SendDesktopChange(false);

    EXPECT_EQ(m_log, (Log{"colours", "settings"}));
}

TEST_F(SubclassWndTest, PrinterSettingsConfirmedReachEveryWindow)
{
    TestHooks::SetNoPrinter(false);
    CWinApp app("Printer Change Test");
    ProbeWnd child(m_log);
    ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD, CRect(0, 0, 5, 5), &m_wnd, 3));
    m_log.clear();
    struct Case {
        bool ok;
        Log heard;
    };
    for (const Case& step : {Case{false, {}}, Case{true, {"printer", "printer"}}}) {
        TestHooks::AnswerPrintSetup(step.ok, DMORIENT_LANDSCAPE);
        CPrintDialog dialog(TRUE);
        EXPECT_EQ(app.DoPrintDialog(&dialog), step.ok ? IDOK : IDCANCEL);
        EXPECT_EQ(m_log, step.heard) << step.ok;
        m_log.clear();
    }
    EXPECT_EQ(app.GetPrinterSettings().GetOrientation(), DMORIENT_LANDSCAPE);
    child.DestroyWindow();
    TestHooks::DeliverPosted();
}

} // namespace
