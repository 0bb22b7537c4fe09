// tests/records/grid/tag_grid_fixture.h: a small family in a record list grid that follows every
// change notice, with the rows read back as text.
#pragma once

#include "records/grid/rec_wnd_options.h"
#include "records/grid/tag_grid.h"

#include "database/nodes/change_tracking.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/expression.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace grid_test {

using namespace record_test;

/// Passes every change notice to the grid, as the records window does.
class CGridObserver final : public IDataObserver {
public:
    void OnDataChanged(CObject* /*sender*/, LPARAM hint, CObject* object, bool) override
    {
        if (m_grid)
            m_grid->Refill(nullptr, long(hint), object);
    }
    CTagGrid* m_grid = nullptr;
};

class TagGridTest : public CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        controls_test::UseCompiledResources();
        InstallExpressionEngine();
        m_savedOptions = RecWndOptions();
        RecWndOptions() = CRecWndOptions();
        RecWndOptions().m_loaded = true;
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 700, 400), nullptr, 0));
        // John SMITH and Mary JONES, whose family has Ann (adopted) and Bob; Carl on his own.
        m_john = NewIndividual(SEX_MALE, "John /Smith/");
        m_mary = NewIndividual(SEX_FEMALE, "Mary /Jones/");
        m_ann = NewIndividual(SEX_FEMALE, "Ann /Smith/");
        m_carl = NewIndividual(SEX_MALE, "Carl /Brown/");
        m_bob = NewIndividual(SEX_MALE, "Bob /Smith/");
        m_family = NewFamily();
        Link(m_family, "HUSB", m_john);
        Link(m_family, "WIFE", m_mary);
        Link(m_family, "CHIL", m_ann);
        Link(m_family, "CHIL", m_bob);
        for (CDataNode* f = m_ann->GetFirstChild(); f; f = f->GetNextSibling())
            if (f->GetFieldDef()->GetTag() == "FAMC")
                SetField(f, "PEDI", "adopted");
        NotifyChanges();
        m_observer.m_grid = &m_grid;
        SetDataObserver(&m_observer);
    }
    void TearDown() override
    {
        SetDataObserver(nullptr);
        m_grid.DestroyWindow();
        m_host.DestroyWindow();
        RecWndOptions() = m_savedOptions;
        CRecordTest::TearDown();
    }
    void MakeGrid(int listIndex, bool sort = true, UINT findBar = 0)
    {
        ASSERT_TRUE(m_grid.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(0, 0, 680, 380),
                                  &m_host, 107, nullptr, findBar));
        m_grid.SetRecordSet(GetRecordTypeRoot(listIndex), true, sort);
    }
    /// The visible rows as "label | value", indented by two blanks a level, recursive rows
    /// marked with "@".
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (CTreeBoxNode* row = m_grid.GetBox().GetFirstItem(); row; row = row->m_nextRow) {
            std::string text(std::size_t(row->m_level) * 2, ' ');
            text += m_grid.GetRelationLabel(row);
            const std::string value = m_grid.GetValueText(row);
            if (!value.empty())
                text += " | " + value;
            if (row->m_data2 & kRowRecursive)
                text += " @";
            rows.push_back(text);
        }
        return rows;
    }
    static std::string Joined(const std::vector<std::string>& rows)
    {
        std::string text;
        for (const std::string& row : rows)
            text += row + "\n";
        return text;
    }
    std::vector<std::string> TopRows()
    {
        std::vector<std::string> rows;
        for (CTreeBoxNode* row = m_grid.GetBox().GetFirstItem(); row; row = row->m_nextSibling)
            rows.push_back(m_grid.GetRelationLabel(row));
        return rows;
    }
    /// The row under parent (null: top level) whose label is label.
    CTreeBoxNode* RowOf(CTreeBoxNode* parent, const std::string& label)
    {
        for (CTreeBoxNode* row = parent ? parent->m_firstChild : m_grid.GetBox().GetFirstItem();
             row; row = row->m_nextSibling)
            if (m_grid.GetRelationLabel(row) == label)
                return row;
        ADD_FAILURE() << "no row " << label;
        return nullptr;
    }

    CRecWndOptions m_savedOptions;
    CWnd m_host;
    CTagGrid m_grid;
    CGridObserver m_observer;
    CIndRec* m_john = nullptr;
    CIndRec* m_mary = nullptr;
    CIndRec* m_ann = nullptr;
    CIndRec* m_carl = nullptr;
    CIndRec* m_bob = nullptr;
    CFamRec* m_family = nullptr;
};

} // namespace grid_test
