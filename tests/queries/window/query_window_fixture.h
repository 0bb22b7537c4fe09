// tests/queries/window/query_window_fixture.h: a query window over the test family in a host
// window, opened on a saved query, for the tests of its tabs.
#pragma once

#include "platform/ui/windows/test_hooks.h"
#include "queries/window/sub_view_query.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/queries/query_test_family.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class CQueryWindowFixture : public CQueryFamilyTest {
protected:
    void SetUp() override
    {
        CQueryFamilyTest::SetUp();
        controls_test::UseCompiledResources();
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 800, 500), nullptr, 0));
    }
    void TearDown() override
    {
        m_window.reset();
        m_host.DestroyWindow();
        TestHooks::TakeMessages();
        CQueryFamilyTest::TearDown();
    }
    /// A new window in the host, showing what it finds first.
    void MakeWindow()
    {
        m_window = std::make_unique<CSubViewQuery>();
        CWnd& wnd = *m_window;
        ASSERT_TRUE(wnd.Create("AvSubView", "AV Subview", WS_CHILD | WS_VISIBLE,
                               CRect(0, 0, 800, 500), &m_host, 99));
    }
    /// The window showing the query name of the kind given.
    void Open(const std::string& name, bool custom)
    {
        MakeWindow();
        ASSERT_TRUE(m_window);
        std::string error;
        auto query = FindOrLoadQuery(name, custom, error);
        ASSERT_TRUE(query) << error;
        m_window->SetQuery(query, true);
    }

    CWnd m_host;
    std::unique_ptr<CSubViewQuery> m_window;
};
