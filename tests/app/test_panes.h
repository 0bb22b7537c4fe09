// tests/app/test_panes.h: panes of every window kind for the window tests: they select what
// the test gives them and log what the shell asks them to show.
#pragma once

#include "tests/app/app_fixture.h"

#include "app/shell/app_ids.h"
#include "app/shell/records_pane.h"

#include "database/records/record_node.h"

#include <algorithm>
#include <string>
#include <vector>

namespace app_test {

/// What the panes select, the record lists the records pane hides, and what the panes were
/// asked to show ("tab 2 focus", "record 1") and told (the hints of change notices).
struct PaneScript {
    CObject* selection = nullptr;
    std::vector<int> hiddenLists;
    std::vector<std::string> log;
    std::vector<LPARAM> hints;
};

inline PaneScript& Script()
{
    static PaneScript script;
    return script;
}

inline CObject* ScriptedSelection(const CRuntimeClass* cls, int* count)
{
    CObject* selection = Script().selection;
    if (count)
        *count = selection ? 1 : 0;
    return selection && (!cls || selection->IsKindOf(cls)) ? selection : nullptr;
}

/// A pane of Kind; Variant makes another class of the same kind. Diagram, multimedia and report
/// panes can be locked, as those windows can.
template <int Kind, int Variant = 0> class CTestPane : public CSubView {
public:
    const CRuntimeClass* GetRuntimeClass() const override { return RuntimeClassOf<CTestPane>(); }
    int GetSubViewType() const override { return Kind; }
    BOOL IsLockable() const override { return Kind != kSubViewQuery; }
    HICON LoadViewIcon(BOOL, BOOL big) const override
    {
        const UINT id = Kind == kSubViewDiagram ? IDI_DIAGRAM_VIEW
                        : Kind == kSubViewQuery ? IDI_QUERY_VIEW
                                                : IDI_REPORT_VIEW;
        return LoadViewIconResource(id, big);
    }
    CObject* GetSelection(const CRuntimeClass* cls, int* count) const override
    {
        return ScriptedSelection(cls, count);
    }
    void OnUpdate(CView*, LPARAM hint, CObject*) override { Script().hints.push_back(hint); }
};

using CDiagramPane = CTestPane<kSubViewDiagram>;
using CQueryPane = CTestPane<kSubViewQuery>;
using CReportPane = CTestPane<kSubViewReport>;

class CTestRecordsPane final : public CRecordsPane {
public:
    const CRuntimeClass* GetRuntimeClass() const override
    {
        return RuntimeClassOf<CTestRecordsPane>();
    }
    CObject* GetSelection(const CRuntimeClass* cls, int* count) const override
    {
        return ScriptedSelection(cls, count);
    }
    int FindTab(int listIndex) const override
    {
        const std::vector<int>& hidden = Script().hiddenLists;
        return std::count(hidden.begin(), hidden.end(), listIndex) ? -1 : listIndex;
    }
    void SelectTab(int listIndex, bool focus) override
    {
        Script().log.push_back("tab " + std::to_string(listIndex) + (focus ? " focus" : ""));
    }
    void ShowRecord(CRecordNode* record, bool focus) override
    {
        Script().log.push_back("record " + std::to_string(record->GetRecordNumber()) +
                               (focus ? " focus" : ""));
    }
};

/// The application started with the records pane above, over a fresh pane script.
class PaneAppTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Script() = PaneScript();
        m_app->SetRecordsPaneClass(RuntimeClassOf<CTestRecordsPane>());
        ASSERT_TRUE(Start());
    }
};

} // namespace app_test
