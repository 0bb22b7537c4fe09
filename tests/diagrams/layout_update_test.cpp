// tests/diagrams/layout_update_test.cpp: bringing a laid-out diagram up to date after an edit
// (deleting a father, adding a sibling, re-ordering children, a new marriage; the children of a
// root couple too) gives the boxes a fresh build gives, lists the boxes whose records changed,
// and lets go of pictures whose record is deleted.
#include "diagrams/diag_update.h"
#include "tests/diagrams/layout_test_support.h"
#include "tests/diagrams/tall_picture.h"

#include "database/dictionary/field_ids.h"
#include "database/multimedia/media_content.h"
#include "database/multimedia/obj_rec.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_observer.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <functional>
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

class LayoutUpdateTest : public CLayoutTest {
protected:
    void SetUp() override
    {
        CLayoutTest::SetUp();
        m_children = MarryRobertsFamily();
        NotifyChanges();
    }

    /// Makes the edit with the diagram open, brings the diagram up to date (for a deletion from
    /// the observer, while the deleted records can still be looked at), then compares it with a
    /// fresh one. Gives the boxes listed for refreshing.
    /// The diagram is Robert's, or with couple that family's.
    CDiagRefreshList CheckEdit(int type, const std::function<void()>& edit, const char* what,
                               bool deletes = false, CFamRec* couple = nullptr)
    {
        CDiagRowSet& rowSet = RowSet(type, 3, 3);
        CDiagRefreshList refresh;
        const auto build = [&](CDiagRowSet& into) {
            return couple ? DiagBuildFromRootParents(into, couple)
                          : DiagBuildFromRoot(into, P("Robert"));
        };
        EXPECT_NE(build(rowSet), 0) << what;
        bool updated = false;
        CEditEndObserver observer([&] { updated = DiagUpdateTrees(rowSet, refresh); });
        IDataObserver* before = GetDataObserver();
        if (deletes)
            SetDataObserver(&observer);
        edit();
        if (!deletes)
            updated = DiagUpdateTrees(rowSet, refresh);
        NotifyChanges();
        SetDataObserver(before);
        EXPECT_TRUE(updated) << what;
        EXPECT_TRUE(rowSet.m_dirty) << what;
        const Placement after = PlacementOf(rowSet);
        CDiagRowSet fresh(m_owner);
        fresh.m_ancestorGenerations = 3;
        fresh.m_descendantGenerations = 3;
        EXPECT_NE(build(fresh), 0) << what;
        EXPECT_EQ(after, PlacementOf(fresh)) << what << " type " << type;
        return refresh;
    }

    CFamRec* m_children = nullptr;
};

TEST_F(LayoutUpdateTest, EditsGiveAFreshBuildsPlaces)
{
    for (int type : {kAncestorsDiagram, kDescendantsDiagram, kAncestorsAndDescendantsDiagram,
                     kAllRelativesDiagram}) {
        SCOPED_TRACE(type);
        CheckEdit(
            type,
            [&] { m_children->LinkChild(Person("K3" + std::to_string(type), SEX_MALE), nullptr); },
            "adding a child");
        CheckEdit(
            type, [&] { m_children->MoveChildLink(P("K2"), P("K1")); }, "re-ordering children");
        CheckEdit(
            type,
            [&] {
                Marry(P("Robert"), Person("Second" + std::to_string(type), SEX_FEMALE),
                      {Person("K9" + std::to_string(type), SEX_MALE)});
            },
            "a second marriage");
    }
    // Rooted at a couple, the children's boxes follow the records as well.
    for (int type : {kDescendantsDiagram, kAncestorsAndDescendantsDiagram}) {
        SCOPED_TRACE(type);
        CheckEdit(
            type,
            [&] { m_children->LinkChild(Person("K4" + std::to_string(type), SEX_MALE), nullptr); },
            "adding a child to the root couple", false, m_children);
        CheckEdit(
            type, [&] { m_children->MoveChildLink(P("K2"), P("K1")); },
            "re-ordering the root couple's children", false, m_children);
    }
}

TEST_F(LayoutUpdateTest, DeletingAFatherOrASiblingGivesAFreshBuildsPlaces)
{
    CheckEdit(
        kAncestorsAndDescendantsDiagram, [&] { CDataNode::DeleteNode(P("Sis")); },
        "deleting a sister", true);
    m_people.erase("Sis");
    CheckEdit(
        kAncestorsDiagram, [&] { CDataNode::DeleteNode(P("F")); }, "deleting the father", true);
    m_people.erase("F");
}

TEST_F(LayoutUpdateTest, EditsAboveTheRootOfAnAllRelativesDiagramGiveAFreshBuildsPlaces)
{
    // Relatives trees on both sides: the father's and the mother's parents and siblings.
    Marry(Person("MF", SEX_MALE), Person("MM", SEX_FEMALE), {Person("Aunt", SEX_FEMALE), P("M")});
    Marry(P("Aunt"), Person("AuntHusband", SEX_MALE), {Person("Cousin", SEX_MALE)});
    NotifyChanges();
    for (bool centred : {false, true}) {
        SCOPED_TRACE(centred);
        m_owner.m_settings.m_centreSubTreeRoots = centred;
        const std::string suffix = centred ? "c" : "";
        CheckEdit(
            kAllRelativesDiagram,
            [&] {
                P("FF")->GetNextSpouseFamily(nullptr)->LinkChild(Person("Uncle" + suffix, SEX_MALE),
                                                                 nullptr);
            },
            "adding the father's brother");
        CheckEdit(
            kAllRelativesDiagram,
            [&] {
                P("MF")->GetNextSpouseFamily(nullptr)->LinkChild(
                    Person("Aunt2" + suffix, SEX_FEMALE), nullptr);
            },
            "adding the mother's sister");
        CheckEdit(
            kAllRelativesDiagram,
            [&] {
                P("MF")->GetNextSpouseFamily(nullptr)->MoveChildLink(P("Aunt2" + suffix),
                                                                     P("Aunt"));
            },
            "re-ordering the mother's sisters");
        CheckEdit(
            kAllRelativesDiagram, [&] { CDataNode::DeleteNode(P("Cousin")); },
            "deleting the mother's nephew", true);
        m_people.erase("Cousin");
        Person("Cousin", SEX_MALE);
        P("Aunt")->GetNextSpouseFamily(nullptr)->LinkChild(P("Cousin"), nullptr);
        NotifyChanges();
    }
    CheckEdit(
        kAllRelativesDiagram, [&] { CDataNode::DeleteNode(P("MM")); },
        "deleting the mother's mother", true);
    m_people.erase("MM");
    CheckEdit(
        kAllRelativesDiagram, [&] { CDataNode::DeleteNode(P("FF")); },
        "deleting the father's father", true);
    m_people.erase("FF");
}

TEST_F(LayoutUpdateTest, BoxesOfChangedRecordsAreListed)
{
    const CDiagRefreshList refresh = CheckEdit(
        kDescendantsDiagram, [&] { m_children->LinkChild(Person("K4", SEX_MALE), nullptr); },
        "adding a child");
    ASSERT_FALSE(refresh.boxes.empty());
    EXPECT_EQ(refresh.boxes.front()->GetFamily(), m_children);
}

TEST_F(LayoutUpdateTest, APictureOfADeletedRecordLeavesItsBox)
{
    CTallPictureLoader loader;
    SetMediaContentLoader(&loader);
    const std::string path =
        test_support::WriteFile(test_support::NewFolder("pictures") + "/f.bmp", "BM");
    auto* record = static_cast<CObjRec*>(NewRecord(record_test::kObje));
    record->CreateChildById(FIELD_FORM, {.withChildren = false})->SetText("bmp");
    record->CreateChildById(FIELD_OBJE_LINKED_FILE, {.withChildren = false})->SetText(path);
    // One record shows on an ancestor box (F) and on a descendant's family box (K1).
    ASSERT_NE(P("F")->AddObjectLink(record, 0), nullptr);
    ASSERT_NE(P("K1")->AddObjectLink(record, 0), nullptr);
    NotifyChanges();
    m_owner.m_settings.m_pictureIndex = 1;
    m_owner.m_settings.m_pictureHeight = 30;
    for (const char* key : {"F", "K1"}) {
        CDiagRowSet& rowSet = RowSet(kAncestorsAndDescendantsDiagram, 3, 3);
        ASSERT_NE(DiagBuildFromRoot(rowSet, P("Robert")), 0);
        ASSERT_NE(BoxOf(key), nullptr);
        EXPECT_NE(BoxOf(key)->TextBlock(), nullptr) << key;
    }
    const CDiagRefreshList refresh = CheckEdit(
        kAncestorsAndDescendantsDiagram, [&] { CDataNode::DeleteNode(record); },
        "deleting the pictures' record", true);
    for (const char* key : {"F", "K1"}) {
        const CDiagElem* box = BoxOf(key);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->TextBlock(), nullptr) << key;
    }
    EXPECT_EQ(refresh.count, 2);
    SetMediaContentLoader(nullptr);
}

TEST(DiagRefreshListTest, HoldsSixAndCountsTheRest)
{
    CDiagRefreshList list;
    std::vector<int> fakes(9);
    for (int& fake : fakes)
        list.Add(reinterpret_cast<CDiagElem*>(&fake));
    list.Add(reinterpret_cast<CDiagElem*>(&fakes[0]));
    EXPECT_EQ(list.boxes.size(), 6u);
    EXPECT_EQ(list.count, 9);
}

} // namespace
