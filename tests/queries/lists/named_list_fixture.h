// tests/queries/lists/named_list_fixture.h: the query tests' family with the compiled-in
// resources, a host window and an observer that hands every change notice to a pane, as the
// records window does.
#pragma once

#include "database/nodes/change_hint.h"
#include "queries/lists/named_list_pane.h"

#include "database/nodes/change_tracking.h"
#include "database/nodes/data_observer.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/queries/query_test_family.h"

#include <string>
#include <vector>

class CNamedListUiTest : public CQueryFamilyTest {
protected:
    /// Passes each notice to the pane; counts the notices that the named lists changed.
    class CPaneObserver final : public IDataObserver {
    public:
        void OnDataChanged(CObject*, LPARAM hint, CObject* object, bool) override
        {
            if (hint == kHintNamedListsChanged)
                ++m_listNotices;
            if (GetChangedRecords() && !HasNoDeletedChanges())
                RemoveDeletedFromNamedLists();
            if (m_pane)
                m_pane->OnDataChanged(nullptr, hint, object);
        }
        CNamedListPane* m_pane = nullptr;
        int m_listNotices = 0;
    };

    void SetUp() override
    {
        CQueryFamilyTest::SetUp();
        controls_test::UseCompiledResources();
        SetDataObserver(&m_paneObserver);
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 400, 600), nullptr, 0));
    }
    void TearDown() override
    {
        m_paneObserver.m_pane = nullptr;
        m_host.DestroyWindow();
        EXPECT_TRUE(TestHooks::TakeMessages().empty());
        CQueryFamilyTest::TearDown();
    }

    /// The texts of the message boxes shown since the last call.
    static std::vector<std::string> Messages()
    {
        std::vector<std::string> texts;
        for (const auto& shown : TestHooks::TakeMessages())
            texts.push_back(shown.text);
        return texts;
    }

    /// A new list holding the records named, in order, each entry with the note given.
    CNamedList* MakeList(const std::string& name,
                         const std::vector<std::pair<std::string, std::string>>& entries)
    {
        CNamedList* list = GetNamedList(name, false);
        for (const auto& [record, note] : entries) {
            AddToNamedList(list, Rec(record), false, false);
            list->Entries().back().m_note = note;
        }
        return list;
    }

    /// The list's entries as "id:note", separated by blanks.
    static std::string Entries(const CNamedList& list)
    {
        std::string text;
        for (const NamedListEntry& entry : list.Entries())
            text += (text.empty() ? "" : " ") + entry.m_record->GetIdText() + ":" + entry.m_note;
        return text;
    }

    CPaneObserver m_paneObserver;
    CWnd m_host;
};
