// tests/diagrams/layout_royal_test.cpp: every diagram type for several people of royal92.ged,
// and All Relatives diagrams in each compaction mode, checked box by box: rows at their y,
// boxes of a row apart by at least a gap, partners the spouse gap apart, couples over their
// children, parents over their child, trees apart as the mode asks, rows holding their boxes;
// no line through the text of a box; and a build through pedigree collapse that ends at the box
// budget.
#include "diagrams/diag_builder.h"
#include "diagrams/diag_compact.h"
#include "diagrams/diag_place.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diag_tree_walk.h"
#include "tests/database/gedcom/gedcom_test_support.h"
#include "tests/diagrams/diag_test_owner.h"
#include "tests/diagrams/draw_test_painter.h"
#include "tests/support/test_support.h"

#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

class LayoutRoyalTest : public gedcom_test::CGedcomTest {
protected:
    void SetUp() override
    {
        CGedcomTest::SetUp();
        test_support::Prompt().SetAnswerDefaults(true);
        const bool loaded =
            LoadGedcomFile(test_support::DataPath("gedcom/royal92.ged"), nullptr, nullptr);
        test_support::Prompt().SetAnswerDefaults(false);
        test_support::Prompt().TakeMessages();
        ASSERT_TRUE(loaded);
        CDataNode* individuals = GetRecordTypeRoot(RECORD_LIST_INDI);
        ASSERT_NE(individuals, nullptr);
        for (CDataNode* node = individuals->GetFirstChild(); node; node = node->GetNextSibling())
            if (CIndRec* person = AsIndividual(static_cast<CRecordNode*>(node)))
                m_people.push_back(person);
        ASSERT_GT(m_people.size(), 2000u);
        m_owner.m_settings.m_minBoxWidth = 80;
    }
    void TearDown() override
    {
        m_rowSet.reset();
        CGedcomTest::TearDown();
    }

    /// Several people: the first, some from the middle, and the one with most children.
    std::vector<CIndRec*> Sample() const
    {
        std::vector<CIndRec*> sample{m_people[0], m_people[57], m_people[400], m_people[1500]};
        CIndRec* most = nullptr;
        int mostChildren = -1;
        for (CIndRec* person : m_people) {
            int children = 0;
            CFamRec* walk = nullptr;
            for (CIndRec* child = person->GetNextChild(walk, nullptr, false); child;
                 child = person->GetNextChild(walk, child, false))
                ++children;
            if (children > mostChildren) {
                mostChildren = children;
                most = person;
            }
        }
        sample.push_back(most);
        return sample;
    }

    CDiagRowSet& Build(int type, CIndRec* person, int ancestors, int descendants)
    {
        m_owner.m_settings.SetDiagramType(type);
        m_rowSet = std::make_unique<CDiagRowSet>(m_owner);
        m_rowSet->m_ancestorGenerations = ancestors;
        m_rowSet->m_descendantGenerations = descendants;
        EXPECT_NE(DiagBuildFromRoot(*m_rowSet, person), 0);
        return *m_rowSet;
    }

    /// The checks that hold inside every tree.
    void CheckTrees(const std::string& what) const
    {
        const CDiagramSettings& s = m_owner.m_settings;
        const int smallestGap =
            std::min({s.m_spouseGap, s.m_minSiblingGap, s.m_minDescendantGap, s.m_minAncestorGap});
        const int height = m_rowSet->m_boxHeight;
        for (const CDiagTree* tree : m_rowSet->Trees()) {
            int highest = 0, lowest = 0;
            tree->GetGenerationRange(highest, lowest, false);
            for (int g = lowest; g <= highest; ++g) {
                const CDiagRow& row = *tree->GetRow(g);
                const int top = DiagRowTop(row.m_rowNumber, height, s.m_boxToBoxVertGap);
                for (std::size_t i = 0; i < row.m_shown.size(); ++i) {
                    const CRect& box = row.m_shown[i]->Rect();
                    ASSERT_EQ(box.top, top) << what << " generation " << g;
                    ASSERT_EQ(box.bottom, top - height) << what;
                    ASSERT_GE(box.left, row.m_rect.left) << what;
                    ASSERT_LE(box.right, row.m_rect.right) << what;
                    if (i > 0) {
                        ASSERT_GE(box.left - row.m_shown[i - 1]->Rect().right, smallestGap)
                            << what << " generation " << g << " box " << i;
                    }
                }
                for (const CDiagElem* box : row.m_shown)
                    CheckOverChildren(*box, what);
            }
        }
    }

    /// A shown couple is centred over its shown children; shown parents over their child.
    void CheckOverChildren(const CDiagElem& box, const std::string& what) const
    {
        const int spouseGap = m_owner.m_settings.m_spouseGap;
        if (box.GetKind() == kFamilyElem) {
            const auto& family = static_cast<const CDiagFamilyElem&>(box);
            // Partners stand the spouse gap apart, whichever side the spouse is on.
            if (const CDiagElem* spouse = family.SpouseBox();
                spouse && spouse->IsVisible() && box.IsVisible()) {
                const CRect& own = box.Rect();
                const CRect& other = spouse->Rect();
                EXPECT_EQ(other.left > own.left ? other.left - own.right : own.left - other.right,
                          spouseGap)
                    << what << " couple at " << own.left << "," << own.top;
            }
            if (family.GetExpansion() != kExpanded || family.ChildLinks().empty())
                return;
            const CDiagElem* first = family.ChildLinks().front()->m_boxes.front().get();
            const CDiagElem* last = family.ChildLinks().back()->m_boxes.front().get();
            if (!first->IsVisible() || !last->IsVisible())
                return;
            const int target = family.ChildLinks().size() == 1
                                   ? first->GetCentre().x
                                   : (first->GetCentre().x + last->GetCentre().x) / 2;
            const CDiagElem* spouse = family.SpouseBox();
            int reference = box.GetCentre().x;
            if (spouse && spouse->IsVisible())
                reference = spouse->Rect().left > box.Rect().left ? box.Rect().right + spouseGap / 2
                                                                  : box.Rect().left - spouseGap / 2;
            EXPECT_NEAR(reference, target, 1) << what;
        } else if (box.GetKind() == kAncestorElem) {
            const auto& ancestor = static_cast<const CDiagAncestorElem&>(box);
            const CDiagElem* father = ancestor.Father();
            const CDiagElem* mother = ancestor.Mother();
            if (ancestor.GetExpansion() != kExpanded || (!father && !mother))
                return;
            const int x = father && mother ? GapMidpoint(father->Rect(), mother->Rect()).x
                                           : (father ? father : mother)->GetCentre().x;
            EXPECT_NEAR(x, box.GetCentre().x, 1) << what; // centres are rounded to units
        }
    }

    /// Trees shown apart: by rows, by bands, or by whole bounding rectangles.
    void CheckTreesApart(int mode, const std::string& what) const
    {
        const int gap = m_owner.m_settings.m_subTreeGap;
        std::map<int, std::vector<std::pair<int, int>>> spans; // by row, band or 0
        for (const CDiagTree* tree : m_rowSet->Trees()) {
            if (tree->IsSecondary() && !tree->m_rootElement->IsVisible())
                continue;
            std::map<int, std::pair<int, int>> own;
            int highest = 0, lowest = 0;
            tree->GetGenerationRange(highest, lowest, true);
            for (int g = lowest; g <= highest; ++g) {
                const CDiagRow& row = *tree->GetRow(g);
                if (row.m_shown.empty())
                    continue;
                const int key = mode == kCompactByRow ? row.m_rowNumber
                                : mode == kCompactByBand
                                    ? m_rowSet->m_bands.MapRowToBand(row.m_rowNumber)
                                    : 0;
                auto [it, made] = own.try_emplace(key, row.m_rect.left, row.m_rect.right);
                it->second.first = std::min(it->second.first, int(row.m_rect.left));
                it->second.second = std::max(it->second.second, int(row.m_rect.right));
            }
            for (const auto& [key, span] : own)
                spans[key].push_back(span);
        }
        for (auto& [key, list] : spans) {
            std::sort(list.begin(), list.end());
            for (std::size_t i = 1; i < list.size(); ++i)
                ASSERT_GE(list[i].first - list[i - 1].second, gap)
                    << what << " at " << key << " between trees " << i - 1 << " and " << i;
        }
    }

    /// No line drawn passes through the text of a box: lines end at box edges or are drawn
    /// before the boxes they pass, which cover them.
    void CheckLinesClearOfText(const std::string& what) const
    {
        const CDiagramSettings& s = m_owner.m_settings;
        CRecordingPainter painter;
        DiagPaintRows(*m_rowSet, painter, CRect(-1000000, 1000000, 1000000, -1000000),
                      kDrawLinesAndBoxes);
        for (const auto& line : painter.m_lines)
            for (std::size_t i = 0; i + 1 < line.points.size(); ++i) {
                const auto [x1, y1] = line.points[i];
                const auto [x2, y2] = line.points[i + 1];
                for (std::size_t b = 0; b < line.boxesBefore; ++b) {
                    const CRect& r = painter.m_boxes[b].first;
                    const CRect text(r.left + s.m_boxMarginSide, r.top - s.m_boxMarginTop,
                                     r.right - s.m_boxMarginSide, r.bottom + s.m_boxMarginBottom);
                    ASSERT_FALSE(std::max(x1, x2) > text.left && std::min(x1, x2) < text.right &&
                                 std::max(y1, y2) > text.bottom && std::min(y1, y2) < text.top)
                        << what << ": line (" << x1 << "," << y1 << ")-(" << x2 << "," << y2
                        << ") over the text at " << text.left << "," << text.top;
                }
            }
    }

    CFakeDiagramOwner m_owner;
    std::unique_ptr<CDiagRowSet> m_rowSet;
    std::vector<CIndRec*> m_people;
};

TEST_F(LayoutRoyalTest, EveryTypeForSeveralPeopleKeepsRowsGapsAndCouplesOverChildren)
{
    const auto sample = Sample();
    for (std::size_t p = 0; p < sample.size(); ++p)
        for (int type : {kAncestorsDiagram, kDescendantsDiagram, kAncestorsAndDescendantsDiagram}) {
            const std::string what = "type " + std::to_string(type) + " of " + std::to_string(p);
            Build(type, sample[p], 8, 8);
            ASSERT_NE(m_rowSet->MainTree(), nullptr) << what;
            CheckTrees(what);
        }
}

TEST_F(LayoutRoyalTest, AllRelativesInEachCompactionModeKeepsTreesApart)
{
    std::size_t mostTrees = 0;
    long long mostBoxes = 0;
    for (int mode : {kCompactByRow, kCompactByBand, kCompactByRect})
        for (CIndRec* person : Sample()) {
            m_owner.m_settings.m_horizontalCompression = mode;
            const std::string what = "mode " + std::to_string(mode);
            Build(kAllRelativesDiagram, person, 6, 4);
            ASSERT_NE(m_rowSet->MainTree(), nullptr) << what;
            CheckTrees(what);
            CheckTreesApart(mode, what);
            CheckLinesClearOfText(what);
            mostTrees = std::max(mostTrees, m_rowSet->Trees().size());
            mostBoxes = std::max(mostBoxes, m_rowSet->m_boxCount);
        }
    EXPECT_GT(mostTrees, 10u);
    EXPECT_GT(mostBoxes, 300);
}

TEST_F(LayoutRoyalTest, SettingsAtTheirLimitsStillLayOut)
{
    m_owner.m_settings.m_minBoxWidth = 5;
    m_owner.m_settings.m_spouseGap = 0;
    m_owner.m_settings.m_minOtherSpouseGap = 0;
    m_owner.m_settings.m_minSiblingGap = 0;
    m_owner.m_settings.m_minDescendantGap = 0;
    m_owner.m_settings.m_minAncestorGap = 0;
    m_owner.m_settings.m_subTreeGap = 0;
    m_owner.m_settings.m_rowsPerGeneration = 50;
    for (CIndRec* person : Sample()) {
        Build(kAllRelativesDiagram, person, 5, 5);
        CheckTrees("limits");
        CheckTreesApart(kCompactByRow, "limits");
    }
}

TEST_F(LayoutRoyalTest, PedigreeCollapseEndsAtTheBoxBudget)
{
    m_owner.m_settings.SetDiagramType(kAncestorsDiagram);
    m_rowSet = std::make_unique<CDiagRowSet>(m_owner);
    m_rowSet->m_ancestorGenerations = 999;
    m_rowSet->m_boxBudget = 20000;
    // The person with the most boxes at 999 generations: one with a long ancestry.
    int failed = 0;
    for (CIndRec* person : Sample()) {
        if (DiagBuildFromRoot(*m_rowSet, person) != 0)
            continue;
        ++failed;
        EXPECT_EQ(m_rowSet->MainTree(), nullptr);
        EXPECT_GT(m_rowSet->m_boxCount, m_rowSet->m_boxBudget);
        m_rowSet->DiagFreeRows();
    }
    EXPECT_GT(failed, 0);
}

} // namespace
