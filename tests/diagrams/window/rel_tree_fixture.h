// tests/diagrams/window/rel_tree_fixture.h: a Diagram window over a host window and a small family
// built in the test (grandparents, parents, two children, a spouse), with every change notice
// passed to the window and its document as the application does.
#pragma once

#include "diagrams/window/sub_view_rel_tree.h"

#include "database/kin/ind_rec.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/records/fam_rec.h"
#include "diagrams/diag_elem.h"
#include "diagrams/diag_tree_walk.h"
#include "diagrams/window/diagram_window_services.h"
#include "platform/ui/windows/cmd_ui.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/database/records/record_test_support.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace rel_tree_test {

/// The diagram defaults loaded as the program's start-up loads them, installed for the windows
/// made from Install on, until the defaults go.
class CTestDiagramDefaults final : public CDiagramDefaults {
public:
    ~CTestDiagramDefaults() { SetDiagramWindowDefaults(nullptr); }
    void Install()
    {
        Load(nullptr);
        SetDiagramWindowDefaults(this);
    }
};

class CWindowObserver final : public IDataObserver {
public:
    void OnDataChanged(CObject* sender, LPARAM hint, CObject* object, bool modify) override
    {
        if (m_window)
            m_window->OnUpdate(nullptr, hint, object);
        m_changes.OnDataChanged(sender, hint, object, modify);
    }
    CSubViewRelTree* m_window = nullptr;
    /// The documents' feed, told after the window.
    CDiagramChangeFeed m_changes;
};

class RelTreeTest : public record_test::CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        controls_test::UseCompiledResources();
        // The defaults and text schemes new windows copy, loaded afresh for each test as the
        // program's start-up loads them.
        m_defaults.Install();
        SetDiagramWindowChanges(&m_observer.m_changes);
        m_folder = test_support::NewFolder("rel_tree");
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 800, 600), nullptr, 0));
    }
    void TearDown() override
    {
        m_observer.m_window = nullptr;
        m_window.reset();
        m_host.DestroyWindow();
        SetDiagramWindowChanges(nullptr);
        TestHooks::TakeMessages();
        CRecordTest::TearDown();
    }

    /// The window (of a class derived from the diagram window's) over the host, width by
    /// height.
    template <class Window = CSubViewRelTree> Window& MakeWindow(int width = 800, int height = 600)
    {
        auto made = std::make_unique<Window>();
        Window& window = *made;
        m_window = std::move(made);
        CWnd& wnd = *m_window;
        EXPECT_TRUE(wnd.Create("AvSubView", "AV Subview",
                               WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                               CRect(0, 0, width, height), &m_host, 99));
        m_observer.m_window = m_window.get();
        SetDataObserver(&m_observer);
        return window;
    }

    /// Fred and Gina, parents of John; John and Mary, parents of Ann and Bob.
    void MakeFamily()
    {
        P("fred", SEX_MALE, "Fred /Smith/");
        P("gina", SEX_FEMALE, "Gina /Brown/");
        P("john", SEX_MALE, "John /Smith/");
        P("mary", SEX_FEMALE, "Mary /Jones/");
        P("ann", SEX_FEMALE, "Ann /Smith/");
        P("bob", SEX_MALE, "Bob /Smith/");
        m_grandparents = Marry(m_people["fred"], m_people["gina"], {m_people["john"]});
        m_parents = Marry(m_people["john"], m_people["mary"], {m_people["ann"], m_people["bob"]});
    }
    CIndRec* P(const std::string& key, int sex, const char* name)
    {
        return m_people[key] = NewIndividual(sex, name);
    }

    /// The first visible box showing the person.
    CDiagElem* BoxOf(const std::string& key) const
    {
        CDiagElem* found = nullptr;
        const CDiagRowSet* rowSet = m_window->RowSet();
        if (!rowSet)
            return nullptr;
        for (CDiagTree* tree : rowSet->Trees())
            ForEachBox(*tree, true, [&](CDiagElem& box) {
                if (!found && box.IsVisible() && box.GetIndividual() == m_people.at(key))
                    found = &box;
            });
        return found;
    }
    /// The centre of a box in the window's client pixels.
    CPoint ClientCentre(const std::string& key) const
    {
        CDiagElem* box = BoxOf(key);
        return box ? m_window->Viewport().ToDevice(box->GetCentre()) : CPoint(-1, -1);
    }
    /// Runs a command of the window; false when it has no handler or is disabled.
    bool Run(UINT id) { return TestHooks::RunCommand(*m_window, id); }
    /// Whether the window's update rule enables, and checks, the command.
    bool Enabled(UINT id) { return State(id).IsEnabled(); }
    bool Checked(UINT id) { return State(id).GetCheck() == 1; }
    static std::vector<CIndRec*> Children(const CFamRec* family)
    {
        std::vector<CIndRec*> children;
        for (CIndRec* child = family->GetNextChild(nullptr); child;
             child = family->GetNextChild(child))
            children.push_back(child);
        return children;
    }
    TestHooks::Image Render(const std::string& name)
    {
        TestHooks::Image image = TestHooks::RenderWindow(*m_window);
        // Set the folder in DIAGRAM_TEST_PNGS to keep the images for a look.
        const char* keep = std::getenv("DIAGRAM_TEST_PNGS");
        image.SavePng((keep ? std::string(keep) : m_folder) + "/" + name);
        return image;
    }

    CCmdUI State(UINT id)
    {
        CCmdUI state;
        state.m_nID = id;
        state.DoUpdate(m_window.get(), TRUE);
        return state;
    }

    CTestDiagramDefaults m_defaults;
    std::string m_folder;
    CWnd m_host;
    std::unique_ptr<CSubViewRelTree> m_window;
    CWindowObserver m_observer;
    std::map<std::string, CIndRec*> m_people;
    CFamRec* m_grandparents = nullptr;
    CFamRec* m_parents = nullptr;
};

/// The window over the small family.
class RelTreeFamilyTest : public RelTreeTest {
protected:
    void SetUp() override
    {
        RelTreeTest::SetUp();
        m_savedDefaults.CopySettings(m_defaults.Settings(), kSectionAll);
        MakeFamily();
        MakeWindow();
    }

    /// The defaults as loaded, for a test's cases to start from.
    CDiagramSettings m_savedDefaults;
};

} // namespace rel_tree_test
