// tests/diagrams/diagram_document_test.cpp: a diagram document without a window: building from
// a root and the notices it sends, bringing the trees in line after an edit (a new child, a
// longer name, the root deleted) and after a branch closed and opened, and a selection held by
// record that finds its boxes again after a rebuild (in the box's own generation first), keeps a
// repeated ancestor's right box, holds a box found by two entries once and lets go of a deleted
// record's box.
#include "diagrams/diagram_document.h"
#include "diagrams/diagram_selection.h"
#include "tests/diagrams/layout_test_support.h"

#include "database/nodes/change_tracking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

/// Measures with the fake painter; no zoom, no page mode.
class CFakeDiagramView final : public IDiagramView {
public:
    std::unique_ptr<IBoxPainter> CreateMeasurer() override
    {
        return std::make_unique<CFakeBoxPainter>();
    }
    int SpouseLinesGap() const override { return 2; }
    bool ZoomKeyWaiting() const override { return false; }
    bool GetDiagramExtent(CRect&) const override { return false; }
};

/// Logs the notices by name.
class CNoticeLog final : public IDiagramObserver {
public:
    void DiagramCleared() override { m_notices.emplace_back("cleared"); }
    void DiagramBuilt() override { m_notices.emplace_back("built"); }
    void DiagramLayoutChanged() override { m_notices.emplace_back("layout"); }
    void DiagramBoxesChanged(const CDiagRepaint&) override { m_notices.emplace_back("boxes"); }
    void DiagramResynced(DiagramResync outcome) override { m_resynced = outcome; }
    std::vector<std::string> Take() { return std::exchange(m_notices, {}); }

    /// How the last change of the data was followed.
    DiagramResync m_resynced = DiagramResync::kNoTree;

private:
    std::vector<std::string> m_notices;
};

class DiagramDocumentTest : public CLayoutTest {
protected:
    void SetUp() override
    {
        CLayoutTest::SetUp();
        m_children = MarryRobertsFamily();
        NotifyChanges();
        m_document = std::make_unique<CDiagramDocument>(m_defaults, &m_changes);
        m_document->Settings().m_minBoxWidth = 80;
        m_document->SetView(&m_view);
        m_document->AddObserver(&m_log);
    }
    void TearDown() override
    {
        m_document.reset();
        CLayoutTest::TearDown();
    }

    bool Build(const std::string& root, int type = kAncestorsAndDescendantsDiagram)
    {
        // The generation counts are kept by diagram type.
        m_document->Settings().SetDiagramType(type);
        m_document->Settings().m_ancestorGenerations = 4;
        m_document->Settings().m_descendantGenerations = 3;
        return m_document->Build(P(root), nullptr, type, {}, true);
    }
    /// Every box of the document.
    std::vector<CDiagElem*> Boxes() const
    {
        std::vector<CDiagElem*> boxes;
        for (const auto& rowSet : m_document->RowSets())
            for (const CDiagTree* tree : rowSet->Trees())
                ForEachBox(*tree, false, [&](CDiagElem& box) { boxes.push_back(&box); });
        return boxes;
    }
    /// The visible person boxes (not spouse boxes) showing the person, left to right.
    std::vector<CDiagElem*> BoxesOf(const std::string& key) const
    {
        std::vector<CDiagElem*> boxes;
        for (CDiagElem* box : Boxes())
            if (box->IsVisible() && box->GetKind() != kSpouseElem && box->GetIndividual() == P(key))
                boxes.push_back(box);
        std::sort(boxes.begin(), boxes.end(), [](const CDiagElem* a, const CDiagElem* b) {
            return a->Rect().left < b->Rect().left;
        });
        return boxes;
    }
    /// Makes the edit and ends it; the document follows the notice that ends it.
    DiagramResync Edit(const std::function<void()>& edit)
    {
        m_log.m_resynced = DiagramResync::kNoTree;
        IDataObserver* before = GetDataObserver();
        SetDataObserver(&m_changes);
        edit();
        NotifyChanges();
        SetDataObserver(before);
        return m_log.m_resynced;
    }

    CFakeDiagramView m_view;
    CNoticeLog m_log;
    CDiagramDefaults m_defaults;
    CDiagramChangeFeed m_changes;
    std::unique_ptr<CDiagramDocument> m_document;
    CFamRec* m_children = nullptr;
};

TEST_F(DiagramDocumentTest, BuildsFromTheRootAndTellsItsObservers)
{
    ASSERT_TRUE(Build("Robert"));
    EXPECT_EQ(m_log.Take(), (std::vector<std::string>{"cleared", "built"}));
    ASSERT_TRUE(m_document->HasTree());
    ASSERT_NE(m_document->RootElement(), nullptr);
    EXPECT_EQ(m_document->RootElement()->GetIndividual(), P("Robert"));
    EXPECT_EQ(m_document->RootRecord(), P("Robert"));
    for (const char* key : {"FF", "F", "M", "Robert", "K1", "K2"})
        EXPECT_EQ(BoxesOf(key).size(), 1U) << key;
    EXPECT_GE(m_document->BoxHeight(), m_document->Settings().m_defaultBoxHeight);

    // An observer that left hears nothing more; clearing forgets the root.
    m_document->RemoveObserver(&m_log);
    m_document->Clear();
    EXPECT_TRUE(m_log.Take().empty());
    EXPECT_FALSE(m_document->HasTree());
    EXPECT_EQ(m_document->RootRecord(), nullptr);

    // Without a view there is nothing to measure on: no build, and nothing to tell.
    m_document->AddObserver(&m_log);
    m_document->SetView(nullptr);
    EXPECT_FALSE(Build("Robert"));
    EXPECT_FALSE(m_document->HasTree());
    EXPECT_TRUE(m_document->BuildFailureText().empty());
    EXPECT_EQ(m_log.Take(), (std::vector<std::string>{"cleared"}));
}

TEST_F(DiagramDocumentTest, EditsAreBroughtInAndTheRightNoticeSent)
{
    ASSERT_TRUE(Build("Robert"));
    m_log.Take();

    // A new child gets its box; the sizes stand, so the boxes changed without a new layout.
    EXPECT_EQ(Edit([&] { m_children->LinkChild(Person("K3", SEX_MALE), nullptr); }),
              DiagramResync::kUpdated);
    EXPECT_EQ(BoxesOf("K3").size(), 1U);
    EXPECT_EQ(m_log.Take(), (std::vector<std::string>{"boxes"}));

    // A longer name widens its box: everything is measured and laid out again.
    const int width = BoxesOf("K1").front()->Rect().Width();
    EXPECT_EQ(Edit([&] {
                  MarkChanged(SetField(P("K1"), "NAME", "Kenneth Alexander Montgomery"), false);
              }),
              DiagramResync::kUpdated);
    EXPECT_GT(BoxesOf("K1").front()->Rect().Width(), width);
    EXPECT_EQ(m_log.Take(), (std::vector<std::string>{"layout"}));

    // Closing and opening the root couple's branch lays out again.
    CDiagElem* family = BoxesOf("Robert").front();
    ASSERT_EQ(family->GetExpansion(), kExpanded);
    EXPECT_TRUE(m_document->ExpandBox(*family));
    EXPECT_TRUE(BoxesOf("K1").empty());
    EXPECT_TRUE(m_document->ExpandBox(*family));
    EXPECT_EQ(BoxesOf("K1").size(), 1U);
    EXPECT_EQ(m_log.Take(), (std::vector<std::string>{"layout", "layout"}));

    // The root deleted empties the diagram.
    EXPECT_EQ(Edit([&] { CDataNode::DeleteNode(P("Robert")); }), DiagramResync::kRootGone);
    m_people.erase("Robert");
    EXPECT_FALSE(m_document->HasTree());
    EXPECT_EQ(m_log.Take(), (std::vector<std::string>{"cleared"}));
    EXPECT_EQ(m_document->Resync(), DiagramResync::kNoTree);
}

TEST_F(DiagramDocumentTest, SelectionByRecordOutlivesTheBoxes)
{
    ASSERT_TRUE(Build("Robert"));
    CDiagramSelection selection(*m_document);
    selection.Select(*BoxesOf("K1").front(), true);
    selection.Select(*BoxesOf("Sis").front(), false);
    selection.Select(*BoxesOf("F").front(), false);
    ASSERT_EQ(selection.Size(), 3U);

    // Built again, every box is new: the selection finds the new boxes of the same records,
    // newest first.
    ASSERT_TRUE(Build("Robert"));
    const std::vector<CDiagElem*> boxes = Boxes();
    std::vector<const CIndRec*> shown;
    for (CDiagElem* box : selection.Boxes()) {
        EXPECT_NE(std::find(boxes.begin(), boxes.end(), box), boxes.end());
        shown.push_back(box->GetIndividual());
    }
    EXPECT_EQ(shown, (std::vector<const CIndRec*>{P("F"), P("Sis"), P("K1")}));

    // A deleted record's box leaves the selection; the others stay.
    EXPECT_EQ(Edit([&] { CDataNode::DeleteNode(P("Sis")); }), DiagramResync::kUpdated);
    m_people.erase("Sis");
    ASSERT_EQ(selection.Size(), 2U);
    EXPECT_EQ(selection.Boxes()[0], BoxesOf("F").front());
    EXPECT_EQ(selection.Boxes()[1], BoxesOf("K1").front());
    selection.Deselect(*BoxesOf("F").front());
    EXPECT_FALSE(selection.Contains(*BoxesOf("F").front()));
    EXPECT_TRUE(selection.Contains(*BoxesOf("K1").front()));

    // Cleared, nothing is left.
    m_document->Clear();
    EXPECT_TRUE(selection.Empty());
}

TEST_F(DiagramDocumentTest, ARepeatedAncestorKeepsTheBoxSelected)
{
    // Two sisters' children marry: the sisters' parents stand twice in the great-grandparents'
    // row of their grandchild's diagram.
    Marry(Person("GF", SEX_MALE), Person("GM", SEX_FEMALE),
          {Person("A", SEX_FEMALE), Person("B", SEX_FEMALE)});
    Marry(Person("AH", SEX_MALE), P("A"), {Person("Cousin1", SEX_MALE)});
    Marry(Person("BH", SEX_MALE), P("B"), {Person("Cousin2", SEX_FEMALE)});
    Marry(P("Cousin1"), P("Cousin2"), {Person("Child", SEX_MALE)});
    NotifyChanges();
    ASSERT_TRUE(Build("Child", kAncestorsDiagram));
    ASSERT_EQ(BoxesOf("GF").size(), 2U);

    CDiagramSelection selection(*m_document);
    selection.Select(*BoxesOf("GF")[1], true);
    ASSERT_TRUE(Build("Child", kAncestorsDiagram));
    ASSERT_EQ(selection.Size(), 1U);
    EXPECT_EQ(selection.Boxes()[0], BoxesOf("GF")[1]);
    selection.Select(*BoxesOf("GF")[0], true);
    ASSERT_TRUE(Build("Child", kAncestorsDiagram));
    ASSERT_EQ(selection.Size(), 1U);
    EXPECT_EQ(selection.Boxes()[0], BoxesOf("GF")[0]);

    // Both boxes selected, then a diagram where he stands once: the two entries find the one
    // box, which the selection holds once.
    selection.Select(*BoxesOf("GF")[1], false);
    ASSERT_EQ(selection.Size(), 2U);
    ASSERT_TRUE(Build("Cousin1", kAncestorsDiagram));
    EXPECT_EQ(selection.Boxes(), BoxesOf("GF"));
}

TEST_F(DiagramDocumentTest, ABoxGoneWithItsRecordLeavesTheSelection)
{
    ASSERT_TRUE(Build("Robert", kAncestorsDiagram));
    CDiagramSelection selection(*m_document);
    selection.Select(*BoxesOf("FF").front(), true);
    EXPECT_EQ(Edit([&] { CDataNode::DeleteNode(P("FF")); }), DiagramResync::kUpdated);
    m_people.erase("FF");
    EXPECT_TRUE(selection.Empty());
}

TEST_F(DiagramDocumentTest, ASelectedBoxIsFoundAgainInItsOwnGeneration)
{
    // X is the root's mother's father and, through her mother, her grandfather too.
    Marry(Person("X", SEX_MALE), Person("W", SEX_FEMALE), {Person("D", SEX_FEMALE)});
    Marry(P("X"), P("D"), {Person("Mum", SEX_FEMALE)});
    Marry(Person("Dad", SEX_MALE), P("Mum"), {Person("Root", SEX_MALE)});
    NotifyChanges();
    ASSERT_TRUE(Build("Root", kAncestorsDiagram));
    const auto inGeneration = [&](int generation) {
        for (CDiagElem* box : BoxesOf("X"))
            if (box->GetGeneration() == generation)
                return box;
        return static_cast<CDiagElem*>(nullptr);
    };
    ASSERT_NE(inGeneration(3), nullptr);
    const CPoint stood = inGeneration(3)->GetCentre();
    CDiagramSelection selection(*m_document);
    selection.Select(*inGeneration(3), true);

    // Wider boxes move everything out from the root: the box of the other generation comes
    // nearer to where the selected one stood than its own does.
    m_document->Settings().m_minBoxWidth = 400;
    ASSERT_TRUE(Build("Root", kAncestorsDiagram));
    const auto distance = [&](const CDiagElem* box) {
        const long long dx = box->GetCentre().x - stood.x, dy = box->GetCentre().y - stood.y;
        return dx * dx + dy * dy;
    };
    ASSERT_LT(distance(inGeneration(2)), distance(inGeneration(3)));
    ASSERT_EQ(selection.Size(), 1U);
    EXPECT_EQ(selection.Boxes()[0], inGeneration(3));
}

} // namespace
