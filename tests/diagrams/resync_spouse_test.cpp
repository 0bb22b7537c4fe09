// tests/diagrams/resync_spouse_test.cpp: converting the marriage boxes to another "Spouse
// Option" and back gives a fresh build's boxes, each child back under its own family's box (on
// a family built in the test and on royal92.ged); re-synchronising after an edit lists and
// marks what moved; re-laying out, re-packing and re-measuring keep a fresh build's places.
#include "tests/diagrams/hit_test_support.h"
#include "tests/diagrams/layout_test_support.h"

#include "diagrams/diag_resync.h"
#include "diagrams/diag_update.h"

#include "database/nodes/change_tracking.h"
#include "database/nodes/data_observer.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace {

using Placement = std::multimap<std::tuple<const CIndRec*, int>, std::pair<int, int>>;

/// Where each shown box of a row set stands, by person and kind.
Placement PlacementOf(const CDiagRowSet& rowSet)
{
    Placement placement;
    for (const CDiagTree* tree : rowSet.Trees())
        ForEachBox(*tree, false, [&](CDiagElem& box) {
            if (box.IsVisible())
                placement.emplace(std::tuple(box.GetIndividual(), box.GetKind()),
                                  std::pair<int, int>(box.Rect().left, box.Rect().top));
        });
    return placement;
}

/// Every child link hangs from a box of a family that has the child (or from a box without
/// family); false names the first that does not.
bool ChildrenUnderTheirFamilies(const CDiagRowSet& rowSet, std::string& wrong)
{
    bool right = true;
    for (const CDiagTree* tree : rowSet.Trees())
        ForEachLink(tree->m_rootLinks, [&](CDiagLink& link) {
            const CDiagFamilyElem* parent = link.Parent();
            if (!parent || !parent->GetFamily())
                return;
            bool found = false;
            for (CIndRec* child = parent->GetFamily()->GetNextChild(nullptr); child;
                 child = parent->GetFamily()->GetNextChild(child))
                found |= child == link.Child();
            if (!found && right) {
                right = false;
                std::string name;
                link.Child()->GetText(name, 0);
                wrong = name;
            }
        });
    return right;
}

/// Bob married first to Ann (children K1, K2), then to Cat (child K3, who married Dan and
/// has G1).
class SpouseOptionTest : public CDrawTest {
protected:
    void SetUp() override
    {
        CDrawTest::SetUp();
        CIndRec* bob = Person("Bob", SEX_MALE);
        m_first = Marry(bob, Person("Ann", SEX_FEMALE),
                        {Person("K1", SEX_MALE), Person("K2", SEX_FEMALE)});
        m_second = Marry(bob, Person("Cat", SEX_FEMALE), {Person("K3", SEX_FEMALE)});
        Marry(Person("Dan", SEX_MALE), P("K3"), {Person("G1", SEX_MALE)});
    }

    /// Builds with the first option, converts to each option of the path in turn, and
    /// compares with a fresh build of the last.
    void CheckPath(int type, std::vector<int> path, const std::string& root)
    {
        const std::string label = "type " + std::to_string(type) + " path " +
                                  std::to_string(path.front()) + ">" + std::to_string(path.back());
        m_owner.m_settings.m_spouseOption = path.front();
        CDiagRowSet& rowSet = Build(type, root, 2, 3);
        for (std::size_t i = 1; i < path.size(); ++i) {
            m_owner.m_settings.m_spouseOption = path[i];
            CDiagRepaint repaint;
            ASSERT_TRUE(DiagRebuildAndInvalidate(rowSet, nullptr, path[i - 1], path[i], repaint))
                << label;
        }
        std::string wrong;
        EXPECT_TRUE(ChildrenUnderTheirFamilies(rowSet, wrong)) << label << ": " << wrong;
        CDiagRowSet fresh(m_owner);
        fresh.m_ancestorGenerations = 2;
        fresh.m_descendantGenerations = 3;
        ASSERT_NE(DiagBuildFromRoot(fresh, P(root)), 0);
        EXPECT_EQ(PlacementOf(rowSet), PlacementOf(fresh)) << label;
    }

    CFamRec* m_first = nullptr;
    CFamRec* m_second = nullptr;
};

TEST_F(SpouseOptionTest, ConversionAndBackGiveAFreshBuild)
{
    for (const bool duplicates : {false, true}) {
        m_owner.m_settings.m_duplicatesWithSpouses = duplicates;
        for (int type :
             {kDescendantsDiagram, kAncestorsAndDescendantsDiagram, kAllRelativesDiagram}) {
            for (const auto& path : std::vector<std::vector<int>>{{2, 0},
                                                                  {1, 0},
                                                                  {0, 2},
                                                                  {0, 1},
                                                                  {2, 0, 2},
                                                                  {1, 0, 1},
                                                                  {2, 1, 2},
                                                                  {1, 2, 1},
                                                                  {2, 0, 1}}) {
                CheckPath(type, path, "Bob");
                CheckPath(type, path, "K3");
            }
        }
    }
}

TEST_F(SpouseOptionTest, BackFromOneBoxEachChildReturnsToItsOwnMarriage)
{
    m_owner.m_settings.m_spouseOption = 2;
    CDiagRowSet& rowSet = Build(kDescendantsDiagram, "Bob", 0, 3);
    CDiagRepaint repaint;
    m_owner.m_settings.m_spouseOption = 0;
    ASSERT_TRUE(DiagRebuildAndInvalidate(rowSet, nullptr, 2, 0, repaint));
    const CDiagLink& bob = *rowSet.MainTree()->m_rootLinks.front();
    ASSERT_EQ(bob.m_boxes.size(), 1u);
    EXPECT_EQ(bob.m_boxes.front()->ChildLinks().size(), 3u);
    EXPECT_EQ(bob.m_boxes.front()->SpouseBox(), nullptr);
    EXPECT_TRUE(repaint.whole);
    EXPECT_TRUE(rowSet.m_dirty);
    m_owner.m_settings.m_spouseOption = 2;
    ASSERT_TRUE(DiagRebuildAndInvalidate(rowSet, nullptr, 0, 2, repaint));
    ASSERT_EQ(bob.m_boxes.size(), 2u);
    ASSERT_EQ(bob.m_boxes[1]->ChildLinks().size(), 1u);
    EXPECT_EQ(bob.m_boxes[1]->ChildLinks().front()->Child(), P("K3"));
    EXPECT_EQ(bob.m_boxes[1]->ChildLinks().front()->m_person.m_parentBox, bob.m_boxes[1].get());
    EXPECT_EQ(bob.m_boxes[0]->ChildLinks().size(), 2u);
    EXPECT_EQ(bob.m_boxes[1]->GetFamily(), m_second);
    EXPECT_EQ(bob.m_boxes[1]->SpouseBox()->GetIndividual(), P("Cat"));
    EXPECT_FALSE(bob.m_boxes[1]->IsVisible()) << "single-box mode hides later marriages";
}

TEST_F(SpouseOptionTest, RebuildRowsListsAndMarksWhatMoved)
{
    CDiagRowSet& rowSet = Build(kDescendantsDiagram, "Bob", 0, 3);
    m_first->LinkChild(Person("K0", SEX_MALE), nullptr);
    CDiagRefreshList refresh;
    CDiagRepaint repaint;
    ASSERT_TRUE(DiagRebuildRows(rowSet, refresh, repaint));
    NotifyChanges();
    EXPECT_TRUE(rowSet.m_dirty);
    ASSERT_NE(BoxOf("K0"), nullptr);
    EXPECT_TRUE(BoxOf("K0")->m_repaintMark);
    EXPECT_FALSE(repaint.areas.empty());
    // Nothing edited: nothing moves, nothing to repaint.
    CDiagRepaint again;
    ASSERT_TRUE(DiagRebuildRows(rowSet, refresh, again));
    EXPECT_TRUE(again.areas.empty());
}

TEST_F(SpouseOptionTest, DeletingAFatherOrASiblingGivesAFreshBuild)
{
    struct Case {
        int type;
        const char* root;
        const char* deleted;
    };
    const Case cases[] = {{kAncestorsAndDescendantsDiagram, "K1", "Bob"},
                          {kAncestorsAndDescendantsDiagram, "K1", "K2"},
                          {kAncestorsDiagram, "G1", "Dan"},
                          {kAllRelativesDiagram, "K3", "Bob"}};
    int n = 0;
    for (const Case& c : cases) {
        // A family of its own for each case, named with the case's number.
        const std::string x = std::to_string(++n);
        CIndRec* bob = Person("Bob" + x, SEX_MALE);
        Marry(bob, Person("Ann" + x, SEX_FEMALE),
              {Person("K1" + x, SEX_MALE), Person("K2" + x, SEX_FEMALE)});
        Marry(bob, Person("Cat" + x, SEX_FEMALE), {Person("K3" + x, SEX_FEMALE)});
        Marry(Person("Dan" + x, SEX_MALE), P("K3" + x), {Person("G1" + x, SEX_MALE)});
        NotifyChanges();
        CDiagRowSet& rowSet = Build(c.type, c.root + x, 2, 3);
        CDiagRefreshList refresh;
        CDiagRepaint repaint;
        bool resynced = false;
        CEditEndObserver observer([&] { resynced = DiagRebuildRows(rowSet, refresh, repaint); });
        IDataObserver* before = GetDataObserver();
        SetDataObserver(&observer);
        CDataNode::DeleteNode(P(c.deleted + x));
        SetDataObserver(before);
        m_people.erase(c.deleted + x);
        EXPECT_TRUE(resynced) << c.deleted;
        EXPECT_TRUE(rowSet.m_dirty) << c.deleted;
        EXPECT_FALSE(repaint.areas.empty()) << c.deleted;
        CDiagRowSet fresh(m_owner);
        fresh.m_ancestorGenerations = 2;
        fresh.m_descendantGenerations = 3;
        ASSERT_NE(DiagBuildFromRoot(fresh, P(c.root + x)), 0);
        EXPECT_EQ(PlacementOf(rowSet), PlacementOf(fresh)) << c.deleted << " type " << c.type;
    }
}

TEST_F(SpouseOptionTest, RelayoutRepackAndRemeasureKeepAFreshBuildsPlaces)
{
    CDiagRowSet& rowSet = Build(kAncestorsAndDescendantsDiagram, "K3", 2, 3);
    const Placement built = PlacementOf(rowSet);
    CDiagRepaint repaint;
    EXPECT_EQ(DiagRelayoutAll(rowSet, true, repaint), 1);
    EXPECT_TRUE(repaint.whole);
    EXPECT_EQ(PlacementOf(rowSet), built);
    DiagRepack(rowSet, repaint);
    EXPECT_EQ(PlacementOf(rowSet), built);
    DiagRemeasureTexts(rowSet, nullptr, repaint);
    EXPECT_EQ(PlacementOf(rowSet), built);

    // Hiding the tree hides every box; showing it lays it out where it was.
    DiagShowTree(*rowSet.MainTree(), false);
    EXPECT_TRUE(PlacementOf(rowSet).empty());
    DiagShowTree(*rowSet.MainTree(), true);
    EXPECT_EQ(PlacementOf(rowSet), built);

    DiagSetTreeFlags(*rowSet.MainTree(), kElemMarked, true);
    EXPECT_TRUE(BoxOf("Dan", true)->HasFlag(kElemMarked));
    DiagSetLinkFlags(*rowSet.MainTree()->m_rootLinks.front(), kElemMarked, false);
    EXPECT_FALSE(BoxOf("K3")->HasFlag(kElemMarked));
    EXPECT_FALSE(BoxOf("G1")->HasFlag(kElemMarked));
    EXPECT_TRUE(BoxOf("Bob")->HasFlag(kElemMarked)) << "an ancestor, not below the link";
    EXPECT_FALSE(DiagTreeAreas(*rowSet.MainTree()).empty());
}

class SpouseOptionRoyalTest : public CRoyalTest {};

TEST_F(SpouseOptionRoyalTest, ConversionAndBackGiveAFreshBuild)
{
    for (CIndRec* person : Sample(5))
        for (int type :
             {kDescendantsDiagram, kAncestorsAndDescendantsDiagram, kAllRelativesDiagram}) {
            for (const auto& path :
                 std::vector<std::vector<int>>{{2, 0, 2}, {1, 0, 1}, {2, 1, 2}}) {
                m_owner.m_settings.m_spouseOption = path.front();
                CDiagRowSet& rowSet = BuildOf(type, person, 2, 4);
                for (std::size_t i = 1; i < path.size(); ++i) {
                    m_owner.m_settings.m_spouseOption = path[i];
                    CDiagRepaint repaint;
                    ASSERT_TRUE(
                        DiagRebuildAndInvalidate(rowSet, nullptr, path[i - 1], path[i], repaint));
                }
                std::string wrong;
                EXPECT_TRUE(ChildrenUnderTheirFamilies(rowSet, wrong)) << wrong;
                CDiagRowSet fresh(m_owner);
                fresh.m_ancestorGenerations = 2;
                fresh.m_descendantGenerations = 4;
                ASSERT_NE(DiagBuildFromRoot(fresh, person), 0);
                EXPECT_EQ(PlacementOf(rowSet), PlacementOf(fresh))
                    << "type " << type << " via " << path[1];
            }
        }
}

} // namespace
