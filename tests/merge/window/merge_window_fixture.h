// tests/merge/window/merge_window_fixture.h: two small files loaded for a merge and compared, with
// the Merge File dialog (or a twin list in a host window) over the compare, driven through the
// window layer's test hooks.
#pragma once

#include "merge/window/merge_window_ids.h"
#include "merge/window/mrg_dlg.h"
#include "merge/window/mrg_twin_list_wnd.h"

#include "platform/ui/windows/test_hooks.h"
#include "records/grid/rec_wnd_options.h"
#include "tests/merge/merge_couple_file.h"
#include "tests/merge/merge_test_support.h"
#include "tests/support/window_test.h"

#include <functional>
#include <string>
#include <vector>

namespace merge_window_test {

using namespace merge_test;

inline constexpr int kHead = 0, kFam = 1, kIndi = 2, kNote = 4;

class MergeWindowTest : public CMergeTest {
protected:
    void SetUp() override
    {
        CMergeTest::SetUp();
        test_support::UseCompiledResources();
        m_savedOptions = RecWndOptions();
        RecWndOptions() = CRecWndOptions();
        RecWndOptions().m_loaded = true;
        m_defaultAnswers = true;
        // John and Tom match; the wives (other surnames) and so the family do not.
        LoadBoth(File("a.ged", Couple("Jones", "alpha")), File("b.ged", Couple("Brown", "beta")));
        test_support::Prompt().SetAnswerDefaults(false);
        Compare().SetPath(PathOf("b.ged"));
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 900, 500), nullptr, 0));
    }
    void TearDown() override
    {
        m_list.reset();
        m_host.DestroyWindow();
        RecWndOptions() = m_savedOptions;
        TestHooks::TakeMessages();
        CMergeTest::TearDown();
    }

    CRecordNode* Current(int type, const char* id) { return FindById(ProgramRoots(), type, id); }
    CRecordNode* Incoming(int type, const char* id) { return FindById(SecondRoots(), type, id); }

    /// A twin list of a type over the host, filled.
    CMrgTwinListWnd& MakeList(int type)
    {
        m_list = std::make_unique<CMrgTwinListWnd>(*m_engine, type);
        EXPECT_TRUE(m_list->Create(CRect(0, 0, 900, 500), &m_host, 700));
        m_list->ShowWindow(SW_SHOW);
        m_list->Fill();
        return *m_list;
    }

    /// Runs the Merge File dialog over the compare; driver acts on it and must end it (the
    /// dialog's own ending, such as a merge, counts). The dialog's result.
    int RunDialog(const std::function<void(CMrgDlg&)>& driver)
    {
        TestHooks::OnNextDialog(merge_ids::kMergeTemplate,
                                [&](CDialog& dialog) { driver(dynamic_cast<CMrgDlg&>(dialog)); });
        CMrgDlg dialog(*m_engine, &m_host);
        return dialog.DoModal();
    }

    /// The left pane's lines as "Action|Match|Score|L+|L-|R+|R-|Chk".
    static std::vector<std::string> LeftTexts(const CMrgTwinListWnd& list)
    {
        std::vector<std::string> texts;
        for (const auto* line : list.VisibleLines()) {
            std::string text;
            for (int column = 0; column < kMergeColumnCount; ++column)
                text += (column ? "|" : "") + list.GetCellText(*line, column);
            texts.push_back(text);
        }
        return texts;
    }

    /// A grid's rows as their tags ("-" for a blank row), indented two blanks a level.
    static std::vector<std::string> GridTags(CMrgLinkedGrid& grid)
    {
        std::vector<std::string> tags;
        for (CTreeBoxNode* row = grid.GetBox().GetFirstItem(); row; row = row->m_nextRow) {
            const CDataNode* node = CTagGrid::NodeOf(row);
            std::string tag = node ? std::string(node->GetFieldDef()->GetGedcomTag()) : "-";
            tags.push_back(std::string(std::size_t(row->m_level) * 2, ' ') + tag);
        }
        return tags;
    }

    static std::vector<std::string> Shown()
    {
        return test_support::TextsOf(test_support::Prompt().TakeMessages());
    }

    CWnd m_host;
    std::unique_ptr<CMrgTwinListWnd> m_list;
    CRecWndOptions m_savedOptions;
};

} // namespace merge_window_test
