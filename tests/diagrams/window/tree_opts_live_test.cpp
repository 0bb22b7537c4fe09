// tests/diagrams/window/tree_opts_live_test.cpp: the Diagram Options sheet on live windows: each
// page's change applied with OK redraws the window where it should, and a template edited on the
// Text page reaches every open diagram.
#include "tests/diagrams/window/rel_tree_fixture.h"

#include "diagrams/text_scheme.h"
#include "diagrams/window/tree_opts_dims.h"
#include "diagrams/window/tree_opts_dlg.h"
#include "diagrams/window/tree_opts_main.h"
#include "diagrams/window/tree_opts_text.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/list_box.h"
#include "platform/ui/dialogs/property_sheet.h"

#include <functional>
#include <vector>

namespace {

using namespace rel_tree_test;
using TestHooks::SheetButton;

/// Passes every change notice to each open window, then to the documents, as the application's
/// broadcast does.
class CAllWindows final : public IDataObserver {
public:
    explicit CAllWindows(IDataObserver& documents) : m_documents(documents) {}
    void OnDataChanged(CObject* sender, LPARAM hint, CObject* object, bool modify) override
    {
        for (CSubViewRelTree* window : m_windows)
            window->OnUpdate(nullptr, hint, object);
        m_documents.OnDataChanged(sender, hint, object, modify);
    }
    std::vector<CSubViewRelTree*> m_windows;
    IDataObserver& m_documents;
};

class TreeOptsLiveTest : public RelTreeTest {
protected:
    void SetUp() override
    {
        RelTreeTest::SetUp();
        m_savedDefaults.CopySettings(m_defaults.Settings(), kSectionAll);
        MakeFamily();
    }
    void TearDown() override
    {
        SetDataObserver(nullptr);
        m_second.reset();
        RelTreeTest::TearDown();
    }
    /// Opens the window's options on page, lets change work there and presses OK.
    void ApplyOnPage(CSubViewRelTree& window, UINT page, const std::function<void(CWnd&)>& change)
    {
        bool shown = false;
        TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
            shown = true;
            sheet.SetActivePage(int(page));
            change(*sheet.GetActivePage());
            TestHooks::PressSheetButton(sheet, SheetButton::Ok);
        });
        ASSERT_TRUE(TestHooks::RunCommand(window, diagram_cmd::kOptions));
        ASSERT_TRUE(shown);
        TestHooks::DeliverPosted();
    }
    static int DifferingPixels(const TestHooks::Image& a, const TestHooks::Image& b)
    {
        int count = 0;
        for (int y = 0; y < a.height && y < b.height; ++y)
            for (int x = 0; x < a.width && x < b.width; ++x)
                count += a.Pixel(x, y) != b.Pixel(x, y);
        return count;
    }
    /// Another window on the same data, told of changes with the first.
    CSubViewRelTree& MakeSecondWindow()
    {
        m_second = std::make_unique<CSubViewRelTree>();
        CWnd& wnd = *m_second;
        EXPECT_TRUE(wnd.Create("AvSubView", "AV Subview",
                               WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                               CRect(0, 0, 400, 300), &m_host, 98));
        return *m_second;
    }

    CDiagramSettings m_savedDefaults;
    std::unique_ptr<CSubViewRelTree> m_second;
};

/// The index of the combo's item after the one selected, so that choosing it is a change.
int NextItem(CWnd& page, int id)
{
    auto* combo = dynamic_cast<CComboBox*>(page.GetDlgItem(id));
    return combo && combo->GetCount() > 1 ? (combo->GetCurSel() + 1) % combo->GetCount() : 0;
}

/// The index of the combo's item with the text.
int ItemOf(CWnd& page, int id, const char* text)
{
    auto* combo = dynamic_cast<CComboBox*>(page.GetDlgItem(id));
    return combo ? combo->FindStringExact(-1, text) : -1;
}

TEST_F(TreeOptsLiveTest, EachPagesChangeRedrawsTheWindow)
{
    using M = CTreePageMain;
    using D = CTreePageDims;
    struct Case {
        const char* name;
        UINT page;
        std::function<void(CWnd&)> change;
    };
    const Case cases[] = {
        {"type", CTreeOptsDlg::kGeneralPage,
         [](CWnd& page) { TestHooks::SelectItem(page, M::kTypeId, kAncestorsDiagram); }},
        {"spouses", CTreeOptsDlg::kGeneralPage,
         [](CWnd& page) {
             TestHooks::SelectItem(page, M::kSpouseId, NextItem(page, M::kSpouseId));
         }},
        {"gaps", CTreeOptsDlg::kDimsPage,
         [](CWnd& page) { TestHooks::SetText(page, D::kChainAId, "40"); }},
        {"scheme", CTreeOptsDlg::kTextPage,
         [](CWnd& page) {
             TestHooks::SelectItem(page, CTreePageText::kSchemeId,
                                   ItemOf(page, CTreePageText::kSchemeId, "Box Types"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_defaults.Settings().CopySettings(m_savedDefaults, kSectionAll);
        CSubViewRelTree& window = MakeWindow();
        ASSERT_TRUE(window.BuildTree(m_people["john"], true, kDescendantsDiagram, false));
        const TestHooks::Image before = Render(std::string(c.name) + "-before.png");
        ApplyOnPage(window, c.page, c.change);
        EXPECT_TRUE(window.HasTree());
        const TestHooks::Image after = Render(std::string(c.name) + "-after.png");
        EXPECT_GT(DifferingPixels(before, after), 50);
    }
}

TEST_F(TreeOptsLiveTest, ATemplateEditedOnTheTextPageShowsInEveryOpenDiagram)
{
    CAllWindows all(m_observer.m_changes);
    CSubViewRelTree& first = MakeWindow();
    CSubViewRelTree& second = MakeSecondWindow();
    all.m_windows = {&first, &second};
    SetDataObserver(&all);
    ASSERT_TRUE(first.BuildTree(m_people["john"], true, kDescendantsDiagram, false));
    ASSERT_TRUE(second.BuildTree(m_people["ann"], true, kAncestorsDiagram, false));
    ASSERT_EQ(first.Settings().m_textScheme, second.Settings().m_textScheme);

    // Every box type of the scheme in use shows the marker before the name.
    ApplyOnPage(first, CTreeOptsDlg::kTextPage, [](CWnd& page) {
        auto* types = dynamic_cast<CListBox*>(page.GetDlgItem(CTreePageText::kBoxTypeId));
        ASSERT_NE(types, nullptr);
        for (int type = 0; type < types->GetCount(); ++type) {
            TestHooks::SelectItem(page, CTreePageText::kBoxTypeId, type);
            TestHooks::SetText(page, CTreePageText::kTemplateId, "Zed %INDI.NAME%");
        }
    });

    int checked = 0;
    for (CSubViewRelTree* window : all.m_windows) {
        for (const char* key : {"john", "ann"}) {
            const CDiagElem* box = nullptr;
            for (CDiagTree* tree : window->RowSet()->Trees())
                ForEachBox(*tree, true, [&](CDiagElem& each) {
                    if (!box && each.IsVisible() && each.GetIndividual() == m_people[key])
                        box = &each;
                });
            if (!box)
                continue;
            CBoxText shown;
            box->GetBoxText(shown);
            const std::string& text = shown.text;
            ++checked;
            EXPECT_EQ(text.rfind("Zed ", 0), 0u) << key << ": " << text;
        }
    }
    EXPECT_EQ(checked, 4) << "John and Ann in both diagrams";
    SetDataObserver(nullptr);
}

} // namespace
