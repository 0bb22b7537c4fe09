// tests/records/window/records_window_fixture.h: a records window over a small data set, in a host
// window, with every change notice passed to it and a scripted named-lists pane.
#pragma once

#include "database/nodes/change_hint.h"
#include "records/grid/rec_wnd_options.h"
#include "records/window/sub_view_rec.h"

#include "platform/base/text.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/expression.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/database/records/record_test_support.h"
#include "tests/records/window/scripted_named_lists_pane.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace records_window_test {

using namespace record_test;

/// Passes every change notice to the window, as the application does.
class CWindowObserver final : public IDataObserver {
public:
    void OnDataChanged(CObject*, LPARAM hint, CObject* object, bool) override
    {
        if (m_window)
            m_window->OnUpdate(nullptr, hint, object);
    }
    CSubViewRec* m_window = nullptr;
};

class RecordsWindowTest : public CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        controls_test::UseCompiledResources();
        InstallExpressionEngine();
        m_savedOptions = RecWndOptions();
        RecWndOptions() = CRecWndOptions();
        RecWndOptions().m_loaded = true;
        InstallNamedListsPaneFactory([this] {
            auto pane = std::make_unique<CScriptedNamedListsPane>();
            m_pane = pane.get();
            return pane;
        });
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 900, 500), nullptr, 0));
    }
    void TearDown() override
    {
        SetDataObserver(nullptr);
        m_window.reset();
        m_host.DestroyWindow();
        InstallNamedListsPaneFactory(nullptr);
        RecWndOptions() = m_savedOptions;
        TestHooks::TakeMessages();
        CRecordTest::TearDown();
    }

    /// Makes the window over the host (900 x 500 unless told) and tells it the file was loaded.
    void MakeWindow(const CRect& place = CRect(0, 0, 900, 500))
    {
        m_window = std::make_unique<CSubViewRec>();
        CWnd& wnd = *m_window;
        ASSERT_TRUE(
            wnd.Create("AvSubView", "AV Subview", WS_CHILD | WS_VISIBLE, place, &m_host, 99));
        m_observer.m_window = m_window.get();
        SetDataObserver(&m_observer);
        m_window->OnUpdate(nullptr, kHintFileLoaded, nullptr);
    }

    CRecListsWnd& Lists() { return m_window->GetRecLists(); }
    /// The tab texts, in order.
    std::vector<std::string> Tabs()
    {
        std::vector<std::string> tabs;
        for (int i = 0; i < Lists().GetTabCount(); ++i)
            tabs.push_back(Lists().GetTabCtrl().GetItemText(i));
        return tabs;
    }
    /// The labels of the top-level rows of a type's list.
    std::vector<std::string> TopRows(int listIndex)
    {
        std::vector<std::string> rows;
        CTagGrid* grid = Lists().GetGrid(listIndex);
        for (CTreeBoxNode* row = grid->GetBox().GetFirstItem(); row; row = row->m_nextSibling)
            rows.push_back(text::Trim(grid->GetRelationLabel(row)));
        return rows;
    }
    /// The label of the caret row of the active list, or "" without one.
    std::string CaretRow()
    {
        CTagGrid* grid = Lists().GetActiveGrid();
        CTreeBoxNode* row = grid ? grid->GetBox().GetFocusItem() : nullptr;
        return row ? text::Trim(grid->GetRelationLabel(row)) : "";
    }
    static std::vector<std::string> MessageTexts()
    {
        return test_support::TextsOf(TestHooks::TakeMessages());
    }

    CRecWndOptions m_savedOptions;
    CWnd m_host;
    std::unique_ptr<CSubViewRec> m_window;
    CWindowObserver m_observer;
    CScriptedNamedListsPane* m_pane = nullptr;
};

} // namespace records_window_test
