// tests/platform/ui/windows/program_fault_test.cpp: an exception that a window's handler lets
// reach the event loop: an abandoned operation is over, a fault of the program is named and ends
// it, and in every case the handlers of later events still run.
#include "platform/base/abandon.h"
#include "platform/base/prompt.h"
#include "platform/ui/windows/test_hooks.h"
#include "platform/ui/windows/wnd.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

/// A window whose left-button handler throws what the test gives it.
class ThrowingWnd final : public CWnd {
public:
    std::function<void()> m_throw;
    int m_clicks = 0;

protected:
    void OnLButtonDown(UINT, CPoint) override
    {
        ++m_clicks;
        if (m_throw)
            m_throw();
    }
};

std::vector<std::string> ShownTexts()
{
    std::vector<std::string> texts;
    for (const auto& shown : TestHooks::TakeMessages())
        texts.push_back(shown.text);
    return texts;
}

TEST(ProgramFault, AFaultIsNamedAndEndsTheProgramWhileAnAbandonedOperationDoesNot)
{
    struct Case {
        const char* name;
        std::function<void()> raise;
        const char* shownStart; // null: nothing shown
        const char* fault;      // null: the program goes on
    };
    const Case cases[] = {
        {"abort", [] { throw COperationAborted(); }, nullptr, nullptr},
        {"out of memory", [] { throw std::bad_alloc(); }, "Memory error", nullptr},
        {"logic error", [] { throw std::out_of_range("row 12 of 3"); },
         "The program met a fault it cannot recover from: row 12 of 3", "row 12 of 3"},
        {"unknown kind", [] { throw 7; },
         "The program met a fault it cannot recover from: an exception of an unknown kind",
         "an exception of an unknown kind"},
    };
    for (const Case& c : cases) {
        ThrowingWnd wnd;
        ASSERT_TRUE(
            wnd.Create(nullptr, "top", WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
        wnd.m_throw = c.raise;
        if (c.shownStart)
            TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PostMouse(wnd, TestHooks::MouseEvent::LeftDown, CPoint(5, 5), MK_LBUTTON);
        TestHooks::DeliverPosted();

        const std::vector<std::string> shown = ShownTexts();
        if (c.shownStart) {
            ASSERT_EQ(shown.size(), 1u) << c.name;
            EXPECT_EQ(shown[0].rfind(c.shownStart, 0), 0u) << c.name << ": " << shown[0];
        } else {
            EXPECT_TRUE(shown.empty()) << c.name;
        }
        const std::vector<std::string> faults = TestHooks::TakeProgramFaults();
        EXPECT_EQ(faults, c.fault ? std::vector<std::string>{c.fault} : std::vector<std::string>{})
            << c.name;

        // The loop delivered the next event to the same window.
        wnd.m_throw = nullptr;
        TestHooks::PostMouse(wnd, TestHooks::MouseEvent::LeftDown, CPoint(5, 5), MK_LBUTTON);
        TestHooks::DeliverPosted();
        EXPECT_EQ(wnd.m_clicks, 2) << c.name;
        wnd.DestroyWindow();
    }
}

} // namespace
