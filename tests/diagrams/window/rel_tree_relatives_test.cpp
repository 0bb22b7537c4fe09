// tests/diagrams/window/rel_tree_relatives_test.cpp: the add-relative drag from a box on a small
// family: the status texts and refusals of each zone (a refused zone opens no menu), new and
// linked children placed beside the drop, a new spouse and parent, and Escape, Cancel and a
// record deleted during the drag leaving the records as they were.
#include "tests/diagrams/window/rel_tree_fixture.h"

#include "common/preferences.h"
#include "tests/database/kin/ind_rec_test_support.h"

#include <vector>

namespace {

using namespace rel_tree_test;
using Texts = std::vector<std::string>;
using Zone = CSubViewRelTree::DropZone;

constexpr UINT kNoSpouses = 32790;

class RelTreeRelativesTest : public RelTreeTest {
protected:
    void SetUp() override
    {
        RelTreeTest::SetUp();
        m_savedPrefs = Prefs();
        Prefs().m_autoAddSurnames = true;
        Prefs().m_surnamesInUpperCase = false;
        SetRelativeDialogs(&m_dialogs);
        SetSexQuestion(&m_dialogs);
        CRelTreeProperties::SetOpener([this](const CRect*, CRelTreeProperties::Use use) {
            // Only records made by the drag open the box, at the drag-add size.
            EXPECT_EQ(use, CRelTreeProperties::Use::kDragAdd);
            ++m_opened;
        });
        MakeFamily();
        MakeWindow();
    }
    void TearDown() override
    {
        EXPECT_TRUE(m_dialogs.AllAnswered()) << "answers left unused";
        CRelTreeProperties::SetOpener(nullptr);
        SetRelativeDialogs(nullptr);
        SetSexQuestion(nullptr);
        Prefs() = m_savedPrefs;
        RelTreeTest::TearDown();
    }
    void Open(int type, const char* root)
    {
        ASSERT_TRUE(m_window->BuildTree(m_people[root], false, type, false));
        TestHooks::RenderWindow(*m_window);
    }
    /// A client point in the zone of the person's box, a box size away from it.
    CPoint Beside(const std::string& key, Zone zone) const
    {
        const CDiagElem* box = BoxOf(key);
        if (!box)
            return CPoint(-1, -1);
        const CRect& r = box->Rect();
        const int top = std::max(r.top, r.bottom), bottom = std::min(r.top, r.bottom);
        const int height = top - bottom, width = std::abs(r.Width());
        CPoint at = box->GetCentre();
        switch (zone) {
        case CSubViewRelTree::kZoneParent:
            at.y = top + height;
            break;
        case CSubViewRelTree::kZoneChild:
            at.y = bottom - height;
            break;
        case CSubViewRelTree::kZoneSpouseLeft:
            at.x = std::min(r.left, r.right) - width / 2;
            break;
        case CSubViewRelTree::kZoneSpouseRight:
            at.x = std::max(r.left, r.right) + width / 2;
            break;
        default:
            break;
        }
        return m_window->Viewport().ToDevice(at);
    }
    /// Presses on the person's box and moves to the point; the status the drag shows there.
    std::string Press(const std::string& key, CPoint to)
    {
        const CPoint from = ClientCentre(key);
        TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftDown, from, MK_LBUTTON);
        TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::Move, to, MK_LBUTTON);
        TestHooks::DeliverPosted();
        return m_window->Mouse().DragStatusText();
    }
    /// Releases the button at the point, the drop menu answered with answer when given.
    void Release(CPoint at, std::optional<UINT> answer = std::nullopt)
    {
        if (answer)
            TestHooks::AnswerPopupMenu(*answer);
        TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftUp, at, 0);
        TestHooks::DeliverPosted();
    }
    /// The generations up and down of an All Relatives diagram, in the window's settings.
    void SetGenerations(GenerationPair generations)
    {
        CDiagramSettings& settings = m_window->GetSettings();
        settings.m_generations[kAllRelativesDiagram] = generations;
        if (settings.m_diagramType == kAllRelativesDiagram)
            settings.LoadTypeGenerations();
    }
    CIndRec* SelectedPerson() const
    {
        const auto& selection = m_window->Document().Selection().Boxes();
        return selection.size() == 1 ? selection.front()->GetIndividual() : nullptr;
    }
    static Texts Messages()
    {
        Texts texts;
        for (const auto& shown : TestHooks::TakeMessages())
            texts.push_back(shown.text);
        return texts;
    }

    ind_test::CScriptedDialogs m_dialogs;
    Preferences m_savedPrefs;
    int m_opened = 0;
};

TEST_F(RelTreeRelativesTest, EachZoneShowsWhatItAddsOrWhyItCannot)
{
    struct Case {
        int type;
        const char* root;
        const char* box;
        Zone zone;
        const char* status;
    };
    const Case cases[] = {
        {kDescendantsDiagram, "john", "john", CSubViewRelTree::kZoneParent,
         "Can't add parent - this diagram only displays descendants"},
        {kDescendantsDiagram, "john", "ann", CSubViewRelTree::kZoneParent,
         "Can't add parent - this person already has both parents"},
        {kDescendantsDiagram, "john", "mary", CSubViewRelTree::kZoneParent,
         "Can't add parent - this diagram does not display parents of spouses"},
        {kDescendantsDiagram, "john", "mary", CSubViewRelTree::kZoneSpouseRight,
         "Can't add spouse - this diagram does not display other spouses of spouses"},
        {kDescendantsDiagram, "john", "ann", CSubViewRelTree::kZoneNone,
         "Can't add relative in this context"},
        {kDescendantsDiagram, "john", "ann", CSubViewRelTree::kZoneChild, "Add child"},
        {kDescendantsDiagram, "john", "ann", CSubViewRelTree::kZoneSpouseRight, "Add spouse"},
        {kDescendantsDiagram, "john", "mary", CSubViewRelTree::kZoneChild, "Add child"},
        {kAncestorsDiagram, "ann", "ann", CSubViewRelTree::kZoneSpouseLeft,
         "Can't add spouse - this diagram only displays ancestors"},
        {kAncestorsDiagram, "ann", "ann", CSubViewRelTree::kZoneChild,
         "Can't add child - this diagram does not display children of ancestors"},
        {kAncestorsDiagram, "ann", "john", CSubViewRelTree::kZoneParent,
         "Can't add parent - this person already has both parents"},
        {kAncestorsDiagram, "ann", "john", CSubViewRelTree::kZoneChild,
         "Can't add child - this diagram does not display children of ancestors"},
        {kAncestorsDiagram, "ann", "fred", CSubViewRelTree::kZoneParent, "Add parent"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " zone " + std::to_string(c.zone));
        Open(c.type, c.root);
        const CPoint to = Beside(c.box, c.zone);
        ASSERT_EQ(DiagDropZoneAt(*BoxOf(c.box), m_window->Viewport().ToDiagram(to)), c.zone);
        EXPECT_EQ(Press(c.box, to), c.status);
        EXPECT_TRUE(m_window->Mouse().IsDragging());
        // Escape ends the drag with nothing added, whatever the zone allowed.
        TestHooks::PostKey(*m_window, VK_ESCAPE, 0);
        TestHooks::DeliverPosted();
        EXPECT_FALSE(m_window->Mouse().IsDragging());
        EXPECT_EQ(m_window->Mouse().DragStatusText(), "");
        Release(to);
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RelTreeRelativesTest, ReleasingInARefusedZoneOpensNoMenu)
{
    Open(kDescendantsDiagram, "john");
    const int before = CIndRec::GetLiveCount();
    const CPoint above = Beside("ann", CSubViewRelTree::kZoneParent);
    EXPECT_EQ(Press("ann", above), "Can't add parent - this person already has both parents");
    // A pop-up shown now would fail the test: none is answered.
    Release(above);
    EXPECT_FALSE(m_window->Mouse().IsDragging());
    EXPECT_EQ(CIndRec::GetLiveCount(), before);
    // Spouses hidden: a spouse cannot be added beside a person.
    ASSERT_TRUE(TestHooks::RunCommand(*m_window, kNoSpouses));
    TestHooks::RenderWindow(*m_window);
    const CPoint right = Beside("ann", CSubViewRelTree::kZoneSpouseRight);
    EXPECT_EQ(Press("ann", right), "Can't add spouse - you must enable separate display of "
                                   "spouses first (see diagram options)");
    Release(right);
    EXPECT_EQ(CIndRec::GetLiveCount(), before);
}

TEST_F(RelTreeRelativesTest, ANewChildGoesBesideTheDropAndOpensItsProperties)
{
    Open(kDescendantsDiagram, "john");
    CIndRec* ann = m_people["ann"];
    CIndRec* bob = m_people["bob"];
    // Between Ann and Bob, below Mary: the new child goes before Bob.
    ASSERT_NE(BoxOf("mary"), nullptr);
    const CPoint between((ClientCentre("ann").x + ClientCentre("bob").x) / 2,
                         ClientCentre("ann").y);
    ASSERT_EQ(DiagDropZoneAt(*BoxOf("mary"), m_window->Viewport().ToDiagram(between)),
              CSubViewRelTree::kZoneChild);
    EXPECT_EQ(Press("mary", between), "Add child");
    Release(between, diagram_cmd::kDropCreate);
    EXPECT_EQ(TestHooks::PopupMenuItems(), (Texts{"Create New Record As Child",
                                                  "Link Existing Record As Child", "-", "Cancel"}));
    const std::vector<CIndRec*> children = Children(m_parents);
    ASSERT_EQ(children.size(), 3u);
    EXPECT_EQ(children[0], ann);
    EXPECT_EQ(children[2], bob);
    CIndRec* added = children[1];
    // With "Auto-add Surnames" the child takes the father's surname.
    std::string name;
    added->GetText(name, 0);
    EXPECT_NE(name.find("Smith"), std::string::npos) << name;
    EXPECT_EQ(SelectedPerson(), added);
    EXPECT_EQ(m_opened, 1);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RelTreeRelativesTest, InADiagramOfACoupleRelativesAddedAtThePartnersJoinTheirFamily)
{
    ASSERT_TRUE(m_window->RebuildTree(m_parents, false, kDescendantsDiagram, false));
    TestHooks::RenderWindow(*m_window);
    const CPoint below = Beside("john", CSubViewRelTree::kZoneChild);
    EXPECT_EQ(Press("john", below), "Add child");
    Release(below, diagram_cmd::kDropCreate);
    EXPECT_EQ(Children(m_parents).size(), 3u);
    // A couple of one partner: the other is added beside the one.
    CFamRec* single = Marry(P("lone", SEX_MALE, "Lone /Wolf/"), nullptr);
    ASSERT_TRUE(m_window->RebuildTree(single, false, kDescendantsDiagram, false));
    TestHooks::RenderWindow(*m_window);
    const CPoint right = Beside("lone", CSubViewRelTree::kZoneSpouseRight);
    EXPECT_EQ(Press("lone", right), "Add spouse");
    Release(right, diagram_cmd::kDropCreate);
    ASSERT_NE(single->GetWife(), nullptr);
    EXPECT_EQ(single->GetWife()->GetSex(), SEX_FEMALE);
    EXPECT_EQ(m_opened, 2);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RelTreeRelativesTest, LinkingAnExistingChildAddsNoRecord)
{
    Open(kDescendantsDiagram, "john");
    CIndRec* carl = P("carl", SEX_MALE, "Carl /Smith/");
    NotifyChanges();
    const int before = CIndRec::GetLiveCount();
    ASSERT_NE(BoxOf("mary"), nullptr);
    m_dialogs.m_selections.push_back(carl);
    // Below Mary, right of Bob: Carl goes last.
    const CPoint below = Beside("mary", CSubViewRelTree::kZoneChild);
    const CPoint to(std::max(below.x, ClientCentre("bob").x + 5), below.y);
    ASSERT_EQ(DiagDropZoneAt(*BoxOf("mary"), m_window->Viewport().ToDiagram(to)),
              CSubViewRelTree::kZoneChild);
    EXPECT_EQ(Press("mary", to), "Add child");
    Release(to, diagram_cmd::kDropLink);
    EXPECT_EQ(Children(m_parents), (std::vector<CIndRec*>{m_people["ann"], m_people["bob"], carl}));
    EXPECT_EQ(CIndRec::GetLiveCount(), before);
    EXPECT_EQ(SelectedPerson(), carl);
    EXPECT_EQ(m_opened, 0);
}

TEST_F(RelTreeRelativesTest, ANewSpouseAndANewParent)
{
    Open(kDescendantsDiagram, "john");
    const CPoint right = Beside("ann", CSubViewRelTree::kZoneSpouseRight);
    EXPECT_EQ(Press("ann", right), "Add spouse");
    Release(right, diagram_cmd::kDropCreate);
    EXPECT_EQ(
        TestHooks::PopupMenuItems(),
        (Texts{"Create New Record As Spouse", "Link Existing Record As Spouse", "-", "Cancel"}));
    CFamRec* marriage = m_people["ann"]->GetNextSpouseFamily(nullptr);
    ASSERT_NE(marriage, nullptr);
    CIndRec* husband = marriage->GetHusband();
    ASSERT_NE(husband, nullptr);
    EXPECT_EQ(SelectedPerson(), husband);
    EXPECT_EQ(m_opened, 1);

    // Fred's father, in an Ancestors diagram: the sex of the new parent is asked.
    Open(kAncestorsDiagram, "ann");
    m_dialogs.m_sexes.push_back(SEX_MALE);
    const CPoint above = Beside("fred", CSubViewRelTree::kZoneParent);
    EXPECT_EQ(Press("fred", above), "Add parent");
    Release(above, diagram_cmd::kDropCreate);
    const CFamRec* parents = m_people["fred"]->GetNextParentFamily(nullptr);
    ASSERT_NE(parents, nullptr);
    ASSERT_NE(parents->GetHusband(), nullptr);
    EXPECT_EQ(parents->GetWife(), nullptr);
    EXPECT_EQ(SelectedPerson(), parents->GetHusband());
    EXPECT_EQ(m_opened, 2);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RelTreeRelativesTest, CancelledMenusAndDeletedBoxesChangeNothing)
{
    Open(kDescendantsDiagram, "john");
    const int before = CIndRec::GetLiveCount();
    const CPoint below = Beside("ann", CSubViewRelTree::kZoneChild);
    // "Cancel", and the menu dismissed without a choice.
    for (UINT answer : {UINT(2), UINT(0)}) {
        EXPECT_EQ(Press("ann", below), "Add child");
        Release(below, answer);
        EXPECT_EQ(CIndRec::GetLiveCount(), before);
        EXPECT_EQ(m_people["ann"]->CountSpouseFamilies(true), 0);
    }
    // Ann's record deleted while the drag runs: her box goes, the drag adds nothing.
    EXPECT_EQ(Press("ann", below), "Add child");
    CIndRec* ann = m_people["ann"];
    m_people.erase("ann");
    static_cast<CRecordNode*>(ann)->GetParent()->DeleteChild(ann);
    NotifyChanges();
    TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::Move, below, MK_LBUTTON);
    TestHooks::DeliverPosted();
    EXPECT_EQ(m_window->Mouse().DragStatusText(), "Can't add relative in this context");
    Release(below);
    EXPECT_EQ(CIndRec::GetLiveCount(), before - 1);
    // The root deleted while the drag runs: the window empties, the release does nothing.
    EXPECT_EQ(Press("bob", Beside("bob", CSubViewRelTree::kZoneChild)), "Add child");
    CIndRec* john = m_people["john"];
    m_people.erase("john");
    static_cast<CRecordNode*>(john)->GetParent()->DeleteChild(john);
    NotifyChanges();
    EXPECT_FALSE(m_window->HasTree());
    Release(CPoint(10, 10));
    EXPECT_FALSE(m_window->Mouse().IsDragging());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RelTreeRelativesTest, TheOutlineGoesWhenTheDragEnds)
{
    Open(kDescendantsDiagram, "john");
    const CPoint below = Beside("ann", CSubViewRelTree::kZoneChild);
    const TestHooks::Image before = TestHooks::RenderWindow(*m_window);
    for (UINT answer : {UINT(2), UINT(0)}) {
        EXPECT_EQ(Press("ann", below), "Add child");
        TestHooks::RenderWindow(*m_window); // the outline on the window's surface
        Release(below, answer);
        // Only the repaints the window asked for: what was drawn in the empty space goes too.
        const TestHooks::Image after = TestHooks::RenderWindow(*m_window);
        int left = 0;
        // The outline's place, below Ann's box (now drawn selected).
        for (int y = below.y - 15; y <= below.y + 30; ++y)
            for (int x = below.x - 60; x <= below.x + 60; ++x)
                left += after.Pixel(x, y) != before.Pixel(x, y);
        EXPECT_EQ(left, 0) << answer;
    }
}

TEST_F(RelTreeRelativesTest, ARelativeBeyondTheGenerationLimitsOffersTheOptions)
{
    struct Case {
        const char* name;
        GenerationPair generations;
        const char* box;
        bool parent;
        int answer;
        const char* text;
    };
    const Case cases[] = {
        {"parent of a last-row ancestor, No",
         {1, 2},
         "mary",
         true,
         IDNO,
         "The current diagram options do not allow this person's parents to be\ndisplayed.  Do "
         "you wish to revise the diagram options?"},
        {"child at the lowest row, Yes",
         {1, 1},
         "ann",
         false,
         IDYES,
         "The current diagram options do not allow this person's children to be\ndisplayed.  "
         "Do you wish to revise the diagram options?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetGenerations(c.generations);
        Open(kAllRelativesDiagram, "ann");
        CDiagElem* box = BoxOf(c.box);
        ASSERT_NE(box, nullptr);
        const int before = CIndRec::GetLiveCount();
        // A new parent's sex is asked; a new child's is left undetermined.
        if (c.parent)
            m_dialogs.m_sexes.push_back(SEX_MALE);
        TestHooks::AnswerMessageBox(c.answer);
        bool sheetShown = false;
        if (c.answer == IDYES)
            TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
                sheetShown = true;
                TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
            });
        // Added as the drop menu's "Create" would, past the refusal the drag shows.
        if (c.parent)
            m_window->Editor().AddParentFromDiagram(*box, false);
        else
            m_window->Editor().AddChildFromDiagram(*box, false, nullptr);
        EXPECT_EQ(CIndRec::GetLiveCount(), before + 1);
        const auto shown = TestHooks::TakeMessages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, c.text);
        EXPECT_EQ(shown[0].caption, "Diagram Limits Reached");
        EXPECT_EQ(shown[0].style & 0xF, UINT(MB_YESNO));
        EXPECT_EQ(sheetShown, c.answer == IDYES);
        // The relative is not shown, so there is no box to open the properties of.
        EXPECT_EQ(m_opened, 0);
        EXPECT_TRUE(m_window->HasTree());
    }
}

TEST_F(RelTreeRelativesTest, ARelativeWithinTheLimitsIsShownWithoutAQuestion)
{
    SetGenerations({2, 2});
    Open(kAllRelativesDiagram, "ann");
    m_dialogs.m_sexes.push_back(SEX_MALE);
    m_window->Editor().AddParentFromDiagram(*BoxOf("mary"), false);
    const CFamRec* parents = m_people["mary"]->GetNextParentFamily(nullptr);
    ASSERT_NE(parents, nullptr);
    EXPECT_EQ(SelectedPerson(), parents->GetHusband());
    EXPECT_EQ(m_opened, 1);
    EXPECT_TRUE(Messages().empty());
}

} // namespace
