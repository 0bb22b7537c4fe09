// tests/diagrams/window/rel_tree_edit_test.cpp: the Diagram window's record edits on the
// selection: Move Up and Move Down over the CHIL and FAMS links with their update rules and the
// diagram following, Delete with its count, question and the no-record message, and marks set
// and cleared by a query.
#include "tests/diagrams/window/rel_tree_fixture.h"

#include "diagrams/window/diag_query_marks_dlg.h"
#include "platform/ui/dialogs/dialog.h"
#include "tests/queries/query_test_family.h"

#include <vector>

namespace {

using namespace rel_tree_test;
using Texts = std::vector<std::string>;

class RelTreeEditTest : public RelTreeTest {
protected:
    void SetUp() override
    {
        RelTreeTest::SetUp();
        MakeFamily();
        // John's second marriage, to Kate, after the one to Mary.
        P("kate", SEX_FEMALE, "Kate /Green/");
        m_second = Marry(m_people["john"], m_people["kate"]);
        MakeWindow();
        ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false));
        TestHooks::RenderWindow(*m_window);
    }
    void Select(std::initializer_list<CDiagElem*> boxes)
    {
        m_window->DeselectAll();
        for (CDiagElem* box : boxes)
            m_window->SelectBox(box, false, false);
    }
    std::vector<CFamRec*> Marriages(const CIndRec* person) const
    {
        std::vector<CFamRec*> families;
        for (CFamRec* family = person->GetNextSpouseFamily(nullptr); family;
             family = person->GetNextSpouseFamily(family))
            families.push_back(family);
        return families;
    }
    static Texts Messages()
    {
        Texts texts;
        for (const auto& shown : TestHooks::TakeMessages())
            texts.push_back(shown.text);
        return texts;
    }

    CFamRec* m_second = nullptr;
};

TEST_F(RelTreeEditTest, MoveUpAndDownReorderChildrenAndFollowInTheDiagram)
{
    CIndRec* ann = m_people["ann"];
    CIndRec* bob = m_people["bob"];
    struct Case {
        const char* selected;
        bool upEnabled;
        bool downEnabled;
    };
    for (const Case c :
         {Case{"ann", false, true}, Case{"bob", true, false}, Case{"john", false, false}}) {
        SCOPED_TRACE(c.selected);
        Select({BoxOf(c.selected)});
        EXPECT_EQ(m_window->Editor().CanMoveSelected(true), c.upEnabled);
        EXPECT_EQ(m_window->Editor().CanMoveSelected(false), c.downEnabled);
    }
    Select({BoxOf("bob")});
    ASSERT_TRUE(Run(diagram_cmd::kMoveUp));
    EXPECT_EQ(Children(m_parents), (std::vector<CIndRec*>{bob, ann}));
    ASSERT_NE(BoxOf("ann"), nullptr);
    ASSERT_NE(BoxOf("bob"), nullptr);
    EXPECT_LT(BoxOf("bob")->GetCentre().x, BoxOf("ann")->GetCentre().x);
    // Bob, still selected, is now first: only Move Down is offered, and it undoes the move.
    Select({BoxOf("bob")});
    EXPECT_FALSE(Run(diagram_cmd::kMoveUp));
    ASSERT_TRUE(Run(diagram_cmd::kMoveDown));
    EXPECT_EQ(Children(m_parents), (std::vector<CIndRec*>{ann, bob}));
    EXPECT_LT(BoxOf("ann")->GetCentre().x, BoxOf("bob")->GetCentre().x);
    // Two boxes selected: no move.
    Select({BoxOf("ann"), BoxOf("bob")});
    EXPECT_FALSE(Run(diagram_cmd::kMoveDown));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RelTreeEditTest, MoveUpOnASpouseBoxReordersTheMarriages)
{
    CIndRec* john = m_people["john"];
    ASSERT_EQ(Marriages(john), (std::vector<CFamRec*>{m_parents, m_second}));
    CDiagElem* kate = BoxOf("kate");
    ASSERT_NE(kate, nullptr);
    ASSERT_EQ(kate->GetKind(), kSpouseElem);
    Select({kate});
    EXPECT_FALSE(m_window->Editor().CanMoveSelected(false));
    ASSERT_TRUE(Run(diagram_cmd::kMoveUp));
    EXPECT_EQ(Marriages(john), (std::vector<CFamRec*>{m_second, m_parents}));
    // The children stay in their family, and the family's own order is untouched.
    EXPECT_EQ(Children(m_parents), (std::vector<CIndRec*>{m_people["ann"], m_people["bob"]}));
    ASSERT_NE(BoxOf("kate"), nullptr);
    ASSERT_NE(BoxOf("mary"), nullptr);
    EXPECT_LT(BoxOf("kate")->GetCentre().x, BoxOf("mary")->GetCentre().x);
}

TEST_F(RelTreeEditTest, DeleteCountsEachRecordOnceAndAsksFirst)
{
    struct Case {
        std::vector<const char*> selected;
        int answer;
        const char* count; // the words of the question
        bool deleted;
    };
    const Case cases[] = {
        {{"ann"}, IDCANCEL, "delete 1 record from", false},
        {{"ann", "bob"}, IDOK, "delete 2 records from", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        const int before = CIndRec::GetLiveCount();
        m_window->DeselectAll();
        for (const char* key : c.selected)
            m_window->SelectBox(BoxOf(key), false, false);
        TestHooks::AnswerMessageBox(c.answer);
        ASSERT_TRUE(Run(diagram_cmd::kDelete));
        const Texts shown = Messages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].rfind("Careful!  You have elected to ", 0), 0u);
        EXPECT_NE(shown[0].find(c.count), std::string::npos) << shown[0];
        const int gone = c.deleted ? int(c.selected.size()) : 0;
        EXPECT_EQ(CIndRec::GetLiveCount(), before - gone);
        if (c.deleted) {
            EXPECT_TRUE(m_window->Document().Selection().Boxes().empty());
            for (const char* key : c.selected)
                m_people.erase(key);
            EXPECT_TRUE(Children(m_parents).empty());
        } else {
            EXPECT_NE(BoxOf("ann"), nullptr);
        }
    }
}

TEST_F(RelTreeEditTest, DeleteKeyOnBoxesOfOnePersonAsksAboutOneRecord)
{
    // John's two family boxes (one per marriage) and Mary's box: two records.
    auto* john = static_cast<CDiagFamilyElem*>(BoxOf("john"));
    ASSERT_NE(john, nullptr);
    ASSERT_EQ(john->FamilyLink()->Boxes().size(), 2u);
    struct Case {
        bool withMary;
        const char* count;
    };
    for (const Case c :
         {Case{false, "delete 1 record from"}, Case{true, "delete 2 records from"}}) {
        m_window->DeselectAll();
        for (CDiagFamilyElem* box : john->FamilyLink()->Boxes())
            m_window->SelectBox(box, false, false);
        if (c.withMary)
            m_window->SelectBox(BoxOf("mary"), false, false);
        TestHooks::AnswerMessageBox(IDCANCEL);
        TestHooks::PostKey(*m_window, VK_DELETE, 0);
        TestHooks::DeliverPosted();
        const Texts shown = Messages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_NE(shown[0].find(c.count), std::string::npos) << shown[0];
    }
    EXPECT_NE(BoxOf("john"), nullptr);
}

TEST_F(RelTreeEditTest, DeleteOfABoxWithoutARecordDeletesNothing)
{
    // Bob married to nobody shows a spouse box without a record.
    Marry(m_people["bob"], nullptr);
    NotifyChanges();
    ASSERT_TRUE(Run(32811)); // Refresh
    CDiagElem* unknown = nullptr;
    for (CDiagTree* tree : m_window->RowSet()->Trees())
        ForEachBox(*tree, true, [&](CDiagElem& box) {
            if (box.GetKind() == kSpouseElem && !box.GetIndividual())
                unknown = &box;
        });
    ASSERT_NE(unknown, nullptr);
    const int before = CIndRec::GetLiveCount();
    Select({unknown});
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(Run(diagram_cmd::kDelete));
    EXPECT_EQ(Messages(), Texts{"The current selection includes one or more diagram nodes; but "
                                "there are no records associated with these nodes, so nothing "
                                "will be deleted."});
    EXPECT_EQ(CIndRec::GetLiveCount(), before);
}

/// The query family (John and Mary, parents of Peter and Anne; Peter and Sue, parents of Tom)
/// in a Descendants diagram of John, with the query "Without parents".
class RelTreeQueryMarksTest : public CQueryFamilyTest {
protected:
    void SetUp() override
    {
        CQueryFamilyTest::SetUp();
        controls_test::UseCompiledResources();
        test_support::WriteFile(m_folder + "/Standard/Without parents.avq",
                                "[Ardenvel Query]\nVERSION=1.0\nTYPE=INDI\n"
                                "TAG=\"Name\",\"INDI.NAME\",,ASC,160\n"
                                "FILTER=GEN,ADD,IF,N,\"\",\"INDI.FAMC\",,\"null\"\n");
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 800, 600), nullptr, 0));
        m_defaults.Install();
        m_window = std::make_unique<CSubViewRelTree>();
        CWnd& wnd = *m_window;
        ASSERT_TRUE(wnd.Create("AvSubView", "AV Subview",
                               WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                               CRect(0, 0, 800, 600), &m_host, 99));
        ASSERT_TRUE(
            m_window->BuildTree(AsIndividual(Rec("John")), false, kDescendantsDiagram, false));
    }
    void TearDown() override
    {
        m_window.reset();
        m_host.DestroyWindow();
        TestHooks::TakeMessages();
        CQueryFamilyTest::TearDown();
    }
    /// The names of the marked boxes' people, in the order of the tree walk.
    std::string Marked() const
    {
        std::string names;
        for (CDiagTree* tree : m_window->RowSet()->Trees())
            ForEachBox(*tree, true, [&](CDiagElem& box) {
                if (box.HasFlag(kElemMarked) && box.GetIndividual()) {
                    std::string text;
                    box.GetIndividual()->GetText(text, 0);
                    names += (names.empty() ? "" : ", ") + text;
                }
            });
        return names;
    }
    void RunQuery(bool unmark, bool clearFirst)
    {
        TestHooks::OnNextDialog(CQueryMarksDlg::kTemplate, [&](CDialog& dlg) {
            if (clearFirst)
                TestHooks::Click(dlg, CQueryMarksDlg::kClearFirstId);
            if (unmark)
                TestHooks::Click(dlg, CQueryMarksDlg::kUnmarkId);
            TestHooks::Click(dlg, IDOK);
        });
        ASSERT_TRUE(TestHooks::RunCommand(*m_window, diagram_cmd::kMarksByQuery));
    }
    CDiagElem* BoxOf(const char* name) const
    {
        CDiagElem* found = nullptr;
        for (CDiagTree* tree : m_window->RowSet()->Trees())
            ForEachBox(*tree, true, [&](CDiagElem& box) {
                if (!found && box.IsVisible() && box.GetIndividual() == Rec(name))
                    found = &box;
            });
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    rel_tree_test::CTestDiagramDefaults m_defaults;
    CWnd m_host;
    std::unique_ptr<CSubViewRelTree> m_window;
};

TEST_F(RelTreeQueryMarksTest, MarksFollowTheQueryAndItsChoices)
{
    for (const char* name : {"John", "Mary", "Peter", "Anne", "Sue", "Tom"})
        ASSERT_NE(BoxOf(name), nullptr);
    BoxOf("Tom")->SetFlag(kElemMarked, true);
    // Marking without clearing keeps Tom's mark.
    RunQuery(false, false);
    const std::string marked = Marked();
    for (const char* name : {"John", "Mary", "Sue", "Tom"})
        EXPECT_TRUE(BoxOf(name)->HasFlag(kElemMarked)) << name << ": " << marked;
    for (const char* name : {"Peter", "Anne"})
        EXPECT_FALSE(BoxOf(name)->HasFlag(kElemMarked)) << name << ": " << marked;
    // Unmarking takes off only the query's marks.
    RunQuery(true, false);
    EXPECT_TRUE(BoxOf("Tom")->HasFlag(kElemMarked));
    EXPECT_FALSE(BoxOf("John")->HasFlag(kElemMarked));
    // Clearing first leaves the query's marks alone.
    RunQuery(false, true);
    EXPECT_FALSE(BoxOf("Tom")->HasFlag(kElemMarked));
    EXPECT_TRUE(BoxOf("Sue")->HasFlag(kElemMarked));
    // A cancelled dialog changes nothing.
    TestHooks::OnNextDialog(CQueryMarksDlg::kTemplate,
                            [](CDialog& dlg) { TestHooks::Click(dlg, IDCANCEL); });
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, diagram_cmd::kMarksByQuery));
    EXPECT_TRUE(BoxOf("Sue")->HasFlag(kElemMarked));
    EXPECT_FALSE(BoxOf("Tom")->HasFlag(kElemMarked));
}

} // namespace
