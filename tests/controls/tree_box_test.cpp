// tests/controls/tree_box_test.cpp: the tree box's node model: sorted insertion, deleting
// with the focus moving on, moving, expanding and collapsing, sorting and the selection rules,
// with the forest's chains checked against a fresh walk after every kind of change.
#include "tests/controls/tree_box_fixture.h"

#include <pthread.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <stdexcept>

namespace {

using controls_test::RecordingOwner;
using controls_test::TreeBoxFixture;

/// Walks the forest by parent, child and sibling links and checks every chain the box keeps
/// against it: pre-order, levels, next rows, row numbers, the count and the selection.
void ExpectConsistent(CTreeBox& box)
{
    std::vector<CTreeBoxNode*> order;
    std::vector<CTreeBoxNode*> stack;
    for (CTreeBoxNode* n = box.GetFirstItem(); n; n = n->m_nextSibling) {
        ASSERT_EQ(n->m_prevSibling, stack.empty() ? nullptr : stack.front());
        stack.insert(stack.begin(), n);
    }
    while (!stack.empty()) {
        CTreeBoxNode* n = stack.back();
        stack.pop_back();
        order.push_back(n);
        std::vector<CTreeBoxNode*> children;
        for (CTreeBoxNode* c = n->m_firstChild; c; c = c->m_nextSibling) {
            ASSERT_EQ(c->m_prevSibling, children.empty() ? nullptr : children.back());
            ASSERT_EQ(c->m_parent, n);
            ASSERT_EQ(c->m_level, n->m_level + 1);
            children.push_back(c);
        }
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
    ASSERT_EQ(order.size(), box.GetCount());
    for (std::size_t i = 0; i < order.size(); ++i)
        ASSERT_EQ(order[i]->m_nextInOrder, i + 1 < order.size() ? order[i + 1] : nullptr)
            << order[i]->m_text;
    int row = 0;
    for (CTreeBoxNode* n = box.GetFirstItem(); n; n = n->m_nextRow) {
        ASSERT_TRUE(box.IsNodeVisible(n)) << n->m_text;
        // A lookup by row finds the row, in every stretch between the box's row marks.
        if (row % 97 == 0 || !n->m_nextRow) {
            ASSERT_EQ(box.FindItemById(row), n) << "row " << row;
        }
        ASSERT_EQ(box.GetItemRow(n), row++) << n->m_text;
    }
    int visible = 0;
    for (CTreeBoxNode* n : order)
        visible += box.IsNodeVisible(n);
    ASSERT_EQ(row, visible);
    // The selection as a plain walk finds it: the first two selected rows, the second outside
    // the first one's subtree, and whether every selected row has one parent.
    std::uint32_t selected = 0;
    for (CTreeBoxNode* n : order)
        selected += n->m_selected != 0;
    ASSERT_EQ(box.GetSelectedCount(), selected);
    const auto within = [](const CTreeBoxNode* n, const CTreeBoxNode* root) {
        for (; n; n = n->m_parent)
            if (n == root)
                return true;
        return false;
    };
    CTreeBoxNode* first = nullptr;
    CTreeBoxNode* second = nullptr;
    bool oneParent = true;
    for (CTreeBoxNode* n = box.GetFirstItem(); n; n = n->m_nextRow) {
        if (!n->m_selected)
            continue;
        oneParent = oneParent && (!first || n->m_parent == first->m_parent);
        if (!first)
            first = n;
        else if (!second && !within(n, first))
            second = n;
    }
    ASSERT_EQ(box.GetNextSelected(nullptr), first);
    if (first) {
        ASSERT_EQ(box.GetNextSelected(first), second);
    }
    std::vector<CTreeBoxNode*> walked, asked;
    for (CTreeBoxNode* n = box.GetFirstItem(); n; n = n->m_nextRow)
        if (n->m_selected && (walked.empty() || !within(n, walked.back())))
            walked.push_back(n);
    for (CTreeBoxNode* n = box.GetNextSelected(nullptr); n && asked.size() <= walked.size();
         n = box.GetNextSelected(n))
        asked.push_back(n);
    ASSERT_EQ(asked, walked);
    ASSERT_EQ(box.SelectionHasOneParent(), first && oneParent);
    if (box.GetCount()) {
        ASSERT_TRUE(box.IsNodeVisible(box.GetTopItem()));
    }
}

class TreeBoxModel : public TreeBoxFixture {
protected:
    void MakeTree(DWORD flags = 0) { Make(TBF_TREE | flags, &owner); }
    RecordingOwner owner;
};

TEST_F(TreeBoxModel, SortedInsertByOwnerKeepsEqualKeysInInsertionOrder)
{
    Make(TBF_GRID, &owner);
    for (auto [text, key] :
         std::vector<std::pair<std::string, int>>{{"a", 5}, {"b", 3}, {"c", 5}, {"d", 5}, {"e", 1}})
        Add(text, nullptr, std::uintptr_t(key), CTreeBox::kInsertSorted);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"e", "b", "a", "c", "d"}));
    ExpectConsistent(*box);
}

TEST_F(TreeBoxModel, SortedInsertByTextComparesBytesAndPutsAnEmptyTextFirst)
{
    Make(0, nullptr);
    for (const char* text : {"Carter", "Bach", "Zed", "apple", "Baker", "Bach"})
        Add(text, nullptr, 0, CTreeBox::kInsertSorted);
    Add("", nullptr, 0, CTreeBox::kInsertSorted);
    EXPECT_EQ(Rows(),
              (std::vector<std::string>{"", "Bach", "Bach", "Baker", "Carter", "Zed", "apple"}));
    ExpectConsistent(*box);
}

TEST_F(TreeBoxModel, ListModeRefusesAParentAndTreeModeNestsUnderIt)
{
    Make(0, nullptr);
    CTreeBoxNode* top = Add("top");
    EXPECT_EQ(Add("child", top), nullptr);
    TearDown();
    MakeTree();
    top = Add("top");
    CTreeBoxNode* child = Add("child", top);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(top->m_state, CTreeBoxNode::kCollapsed); // a parent that was a leaf gets a button
    EXPECT_EQ(Rows(), std::vector<std::string>{"top"});
}

struct FocusCase {
    const char* name;
    const char* deleted;
    const char* expectedFocus;
};

class TreeBoxDeleteFocus : public TreeBoxModel, public testing::WithParamInterface<FocusCase> {};

TEST_P(TreeBoxDeleteFocus, MovesToNextSiblingElsePreviousElseParentKeepingSelection)
{
    MakeTree();
    CTreeBoxNode* parent = Add("parent");
    std::map<std::string, CTreeBoxNode*> nodes{{"parent", parent}};
    for (const char* name : {"a", "b", "c"})
        nodes[name] = Add(name, parent);
    box->ExpandItem(parent, true, 1);
    CTreeBoxNode* only = Add("only", nodes["c"]);
    nodes["only"] = only;
    box->ExpandItem(nodes["c"], true, 1);
    ASSERT_TRUE(box->SelectItem(nodes[GetParam().deleted], true));
    owner.Take();

    box->DeleteItem(nodes[GetParam().deleted]);
    ASSERT_NE(box->GetFocusItem(), nullptr);
    EXPECT_EQ(box->GetFocusItem()->m_text, GetParam().expectedFocus);
    EXPECT_EQ(box->GetAnchorItem(), box->GetFocusItem());
    EXPECT_TRUE(box->GetFocusItem()->m_selected);
    EXPECT_EQ(owner.Take(),
              (std::vector<std::string>{"changing", std::string("freed ") + GetParam().deleted,
                                        "changed"}));
    ExpectConsistent(*box);
}

INSTANTIATE_TEST_SUITE_P(TreeBox, TreeBoxDeleteFocus,
                         testing::Values(FocusCase{"FirstChild", "a", "b"},
                                         FocusCase{"MiddleChild", "b", "c"},
                                         FocusCase{"LastChild", "only", "c"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TreeBoxModel, DeletingTheFocusWithTheLastSiblingMovesToThePrevious)
{
    MakeTree();
    CTreeBoxNode* parent = Add("parent");
    Add("a", parent);
    CTreeBoxNode* b = Add("b", parent);
    box->ExpandItem(parent, true, 1);
    box->SelectItem(b, true);
    box->DeleteItem(b);
    EXPECT_EQ(box->GetFocusItem()->m_text, "a");
}

TEST_F(TreeBoxModel, EmptyingTellsTheOwnerOnceAndNewRowsStartAfresh)
{
    MakeTree();
    CTreeBoxNode* p = Add("p", nullptr, 1);
    Add("x", p, 2);
    Add("y", Add("q", nullptr, 3), 4);
    box->ExpandItem(p, true, 1);
    box->SelectItem(p, true);
    owner.Take();
    const std::uint64_t stamp = box->GetOrderStamp();

    box->DeleteAllItems();

    // What a host learnt of the rows (a find bar's keys hold row pointers) must go with them.
    EXPECT_NE(box->GetOrderStamp(), stamp);
    const std::vector<std::string> calls = owner.Take();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "all freed"), 1);
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                            [](const std::string& c) { return c.starts_with("freed"); }),
              0);
    EXPECT_EQ(box->GetCount(), 0u);
    EXPECT_EQ(box->GetFirstItem(), nullptr);
    EXPECT_EQ(box->GetNextSelected(nullptr), nullptr);
    CTreeBoxNode* r = Add("r", nullptr, 5);
    Add("s", nullptr, 6);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"r", "s"}));
    EXPECT_EQ(r->m_state, CTreeBoxNode::kLeaf);
    EXPECT_EQ(r->m_selected, 0);
    EXPECT_EQ(r->m_firstChild, nullptr);
    EXPECT_EQ(box->GetCount(), 2u);
}

TEST_F(TreeBoxModel, ANodeFreedAloneIsTakenAgainWithNothingOfItsPast)
{
    MakeTree();
    CTreeBoxNode* a = Add("a", nullptr, 1);
    CTreeBoxNode* b = Add("b", nullptr, 2);
    Add("child", b, 3);
    box->SelectItem(b, true);
    box->DeleteItem(b, true, false);
    owner.Take();

    CTreeBoxNode* c = Add("c", nullptr, 4);

    EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(c->m_text, "c");
    EXPECT_EQ(c->m_data, 4u);
    EXPECT_EQ(c->m_firstChild, nullptr);
    EXPECT_EQ(c->m_parent, nullptr);
    EXPECT_EQ(c->m_state, CTreeBoxNode::kLeaf);
    EXPECT_EQ(a->m_nextSibling, c);
    EXPECT_EQ(box->GetCount(), 2u);
}

TEST_F(TreeBoxModel, DeletingTheLastChildTurnsTheParentIntoALeaf)
{
    MakeTree();
    CTreeBoxNode* parent = Add("parent");
    CTreeBoxNode* child = Add("child", parent);
    box->ExpandItem(parent, true, 1);
    box->DeleteItem(child);
    EXPECT_EQ(parent->m_state, CTreeBoxNode::kLeaf);
    EXPECT_EQ(parent->m_firstChild, nullptr);
    ExpectConsistent(*box);
}

TEST_F(TreeBoxModel, MovingANodeUnderItsOwnDescendantChangesNothing)
{
    MakeTree();
    CTreeBoxNode* a = Add("a");
    CTreeBoxNode* b = Add("b", a);
    CTreeBoxNode* c = Add("c", b);
    box->ExpandItem(a, true, 0);
    const std::vector<std::string> before = Rows();
    EXPECT_FALSE(box->MoveItem(a, c, nullptr, true, true));
    EXPECT_EQ(Rows(), before);
    ExpectConsistent(*box);
}

TEST_F(TreeBoxModel, MovingASubtreeShiftsItsLevelsAndOpensTheNewParent)
{
    MakeTree();
    CTreeBoxNode* a = Add("a");
    CTreeBoxNode* b = Add("b", a);
    Add("b1", b);
    CTreeBoxNode* c = Add("c");
    box->ExpandItem(a, true, 0);
    ASSERT_TRUE(box->MoveItem(b, c, nullptr, true, true));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "c", "  b", "    b1"}));
    EXPECT_EQ(a->m_state, CTreeBoxNode::kLeaf);
    EXPECT_TRUE(box->MoveItem(b, c, nullptr, true, true)); // already there
    ExpectConsistent(*box);
}

TEST_F(TreeBoxModel, ChildrenOnDemandAreFreedOnCollapseAndAskedForAgain)
{
    MakeTree(TBF_CHILDREN_ON_DEMAND);
    CTreeBoxNode* parent = box->InsertItem(nullptr, CTreeBox::kInsertLast,
                                           {.state = CTreeBoxNode::kCollapsed, .text = "p"});
    Add("x", parent);
    Add("y", parent);
    ASSERT_TRUE(box->ExpandItem(parent, true, 1));
    owner.Take();
    ASSERT_TRUE(box->ExpandItem(parent, false, 1));
    EXPECT_EQ(owner.Take(), (std::vector<std::string>{"collapse p", "freed x", "freed y"}));
    EXPECT_EQ(box->GetCount(), 1u);
    EXPECT_EQ(parent->m_state, CTreeBoxNode::kCollapsed);
    box->ExpandItem(parent, true, 1);
    EXPECT_EQ(owner.Take(), std::vector<std::string>{"expand p"});
}

TEST_F(TreeBoxModel, ANodeWithoutChildrenExpandsOnlyWithTheEmptyExpandFlag)
{
    MakeTree();
    CTreeBoxNode* empty = box->InsertItem(nullptr, CTreeBox::kInsertLast,
                                          {.state = CTreeBoxNode::kCollapsed, .text = "e"});
    EXPECT_FALSE(box->ExpandItem(empty, true, 1));
    EXPECT_EQ(empty->m_state, CTreeBoxNode::kCollapsed);
    TearDown();
    MakeTree(TBF_EMPTY_EXPAND);
    empty = box->InsertItem(nullptr, CTreeBox::kInsertLast,
                            {.state = CTreeBoxNode::kCollapsed, .text = "e"});
    EXPECT_TRUE(box->ExpandItem(empty, true, 1));
    EXPECT_EQ(empty->m_state, CTreeBoxNode::kExpanded);
}

TEST_F(TreeBoxModel, AnOwnerThatRefusesKeepsTheNodeClosed)
{
    MakeTree();
    CTreeBoxNode* a = Add("a");
    Add("b", a);
    owner.allowExpanding = false;
    EXPECT_FALSE(box->ExpandItem(a, true, 1));
    EXPECT_EQ(Rows(), std::vector<std::string>{"a"});
}

TEST_F(TreeBoxModel, DoubleClickOnACollapsedNodeOpensEveryLevelAndCollapsesOneAgain)
{
    MakeTree();
    CTreeBoxNode* a = Add("a");
    CTreeBoxNode* b = Add("b", a);
    CTreeBoxNode* c = Add("c", b);
    Add("d", c);
    Add("e");
    Mouse(TestHooks::MouseEvent::LeftDoubleClick, TextPoint(a), MK_LBUTTON);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "  b", "    c", "      d", "e"}));
    ExpectConsistent(*box);
    Mouse(TestHooks::MouseEvent::LeftDoubleClick, TextPoint(a), MK_LBUTTON);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "e"}));
    ExpectConsistent(*box);
}

TEST_F(TreeBoxModel, CollapsingTheFocusAncestorMovesTheFocusToItWithItsSelection)
{
    MakeTree();
    CTreeBoxNode* a = Add("a");
    CTreeBoxNode* b = Add("b", a);
    box->ExpandItem(a, true, 1);
    box->SelectItem(b, true);
    box->ExpandItem(a, false, 1);
    EXPECT_EQ(box->GetFocusItem(), a);
    EXPECT_TRUE(a->m_selected);
    EXPECT_FALSE(b->m_selected);
}

TEST_F(TreeBoxModel, SelectingAHiddenNodeAnswersFalseAndChangesNothing)
{
    MakeTree();
    CTreeBoxNode* a = Add("a");
    CTreeBoxNode* hidden = Add("hidden", a);
    box->SelectItem(a, true);
    owner.Take();
    EXPECT_FALSE(box->SelectItem(hidden, true));
    EXPECT_EQ(box->GetFocusItem(), a);
    EXPECT_EQ(Selected(), std::vector<std::string>{"a"});
}

TEST_F(TreeBoxModel, EnsureVisibleInsertOpensTheAncestors)
{
    MakeTree();
    CTreeBoxNode* a = Add("a");
    CTreeBoxNode* b = Add("b", a);
    box->InsertItem(b, CTreeBox::kInsertLast, {.ensureVisible = true, .text = "c"});
    EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "  b", "    c"}));
    ExpectConsistent(*box);
}

/// Allows every expansion but the first, which meets a program fault.
class FaultingOwner final : public RecordingOwner {
public:
    bool OnExpanding(CTreeBox* box, CTreeBoxNode* node, bool expand) override
    {
        if (!m_faulted) {
            m_faulted = true;
            throw std::logic_error("injected fault");
        }
        return RecordingOwner::OnExpanding(box, node, expand);
    }

private:
    bool m_faulted = false;
};

TEST_F(TreeBoxFixture, AFaultInTheOwnersExpansionAnswerLeavesEnsureVisibleOpeningAncestors)
{
    FaultingOwner faulting;
    Make(TBF_TREE, &faulting);
    CTreeBoxNode* a = Add("a");
    CTreeBoxNode* b = Add("b", a);
    EXPECT_THROW(box->ExpandItem(a, true, 1), std::logic_error);
    EXPECT_EQ(Rows(), std::vector<std::string>{"a"});
    box->InsertItem(b, CTreeBox::kInsertLast, {.ensureVisible = true, .text = "c"});
    EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "  b", "    c"}));
    ExpectConsistent(*box);
}

TEST_F(TreeBoxModel, LookupsByRowAndIndexAnswerNullOutsideTheRows)
{
    Make(0, nullptr);
    for (const char* text : {"a", "b", "c"})
        Add(text);
    EXPECT_EQ(box->FindItemById(-1), nullptr);
    EXPECT_EQ(box->FindItemById(3), nullptr);
    EXPECT_EQ(box->FindItemById(2)->m_text, "c");
    EXPECT_EQ(box->GetItemByIndex(-1), nullptr);
    EXPECT_EQ(box->GetItemByIndex(1)->m_text, "b");
    EXPECT_EQ(box->FindChildByText("B")->m_text, "b");
    EXPECT_EQ(box->GetLastItem()->m_text, "c");
}

TEST_F(TreeBoxModel, MapByDataHoldsEveryTopLevelNode)
{
    Make(0, nullptr);
    for (int i = 0; i < 500; ++i)
        Add(std::to_string(i), nullptr, std::uintptr_t(1000 + i));
    std::unordered_map<std::uintptr_t, CTreeBoxNode*> map;
    box->MapItemsByData(map);
    EXPECT_EQ(map.size(), 500u);
    EXPECT_GE(map.bucket_count(), 5113u);
    EXPECT_EQ(map.at(1321)->m_text, "321");
    EXPECT_EQ(box->FindItemByData(1499)->m_text, "499");
}

struct MoveRowsCase {
    int first, count, target;
    const char* expected;
};

class TreeBoxMoveRows : public TreeBoxModel, public testing::WithParamInterface<MoveRowsCase> {};

TEST_P(TreeBoxMoveRows, MovesARunBeforeTheTargetRow)
{
    Make(0, nullptr);
    for (const char* text : {"a", "b", "c", "d", "e"})
        Add(text);
    box->MoveRows(GetParam().first, GetParam().count, GetParam().target);
    std::string rows;
    for (const std::string& row : Rows())
        rows += row;
    EXPECT_EQ(rows, GetParam().expected);
    ExpectConsistent(*box);
}

INSTANTIATE_TEST_SUITE_P(
    TreeBox, TreeBoxMoveRows,
    testing::Values(MoveRowsCase{3, 2, 0, "deabc"}, MoveRowsCase{0, 2, -1, "cdeab"},
                    MoveRowsCase{0, 1, 3, "bcade"}, MoveRowsCase{1, 2, 2, "abcde"},
                    MoveRowsCase{1, 2, 3, "abcde"}, MoveRowsCase{1, 0, 4, "abcde"},
                    MoveRowsCase{4, 2, 0, "abcde"}, MoveRowsCase{0, 1, 5, "abcde"}));

TEST_F(TreeBoxModel, MoveSelectionDownLeavesRowsAtTheEndAndJoinsAScatteredRun)
{
    Make(TBF_TOP_LEVEL_SELECT, nullptr);
    std::map<std::string, CTreeBoxNode*> nodes;
    for (const char* text : {"a", "b", "c", "d", "e"})
        nodes[text] = Add(text);
    box->SetItemSelected(nodes["d"], true, true);
    box->SetItemSelected(nodes["e"], true, false);
    box->MoveSelectionDown();
    EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "b", "c", "d", "e"}));

    box->SetItemSelected(nodes["a"], true, true);
    box->SetItemSelected(nodes["c"], true, false);
    box->MoveSelectionDown(); // not contiguous: the run goes where the last selected row stood
    EXPECT_EQ(Rows(), (std::vector<std::string>{"b", "a", "c", "d", "e"}));
    box->MoveSelectionDown(); // contiguous now: one place down
    EXPECT_EQ(Rows(), (std::vector<std::string>{"b", "d", "a", "c", "e"}));
    box->MoveSelectionUp();
    box->MoveSelectionUp();
    EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "c", "b", "d", "e"}));
    EXPECT_EQ(box->GetFocusItem(), nodes["a"]);
    ExpectConsistent(*box);
}

TEST_F(TreeBoxModel, SortListOrdersByTheCellsOfOneColumnKeepingEqualRowsInOrder)
{
    Make(0, nullptr);
    for (const char* text :
         {"6\tapple", "1\tpear", "2\t", "3\tapple", "4\tapples", "5\tBanana", "0\tapple"})
        Add(text);
    box->SortList(1);
    // An empty cell sorts before any text; rows with equal cells keep their order.
    EXPECT_EQ(Rows(), (std::vector<std::string>{"2\t", "5\tBanana", "6\tapple", "3\tapple",
                                                "0\tapple", "4\tapples", "1\tpear"}));
    ExpectConsistent(*box);
}

TEST_F(TreeBoxModel, ReexpandSortsTheTopLevelAndKeepsChildrenThatStayed)
{
    MakeTree();
    CTreeBoxNode* c = Add("c", nullptr, 3);
    Add("c1", c, 9);
    Add("a", nullptr, 1);
    CTreeBoxNode* b = Add("b", nullptr, 2);
    Add("b1", b, 8);
    box->ExpandItem(b, true, 1);
    box->ReexpandOpenItems();
    EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(box->GetCount(), 5u);
    ExpectConsistent(*box);
    box->ExpandItem(c, true, 1);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "b", "c", "  c1"}));
}

/// Random changes of every kind, the chains checked after each; a long list to begin with
/// spreads the rows over many of the box's row marks.
void RandomEdits(CTreeBox& box, int rowsFirst, int steps, unsigned seed)
{
    for (int i = 0; i < rowsFirst; ++i)
        box.InsertItem(nullptr, CTreeBox::kInsertLast,
                       {.text = "r" + std::to_string(i), .noRedraw = true});
    box.RedrawAll();
    std::mt19937 random(seed);
    std::vector<CTreeBoxNode*> nodes;
    const auto pick = [&]() -> CTreeBoxNode* {
        return nodes.empty()
                   ? nullptr
                   : nodes[std::uniform_int_distribution<std::size_t>(0, nodes.size() - 1)(random)];
    };
    const auto refresh = [&] {
        nodes.clear();
        for (CTreeBoxNode* n = box.GetFirstItem(); n; n = n->m_nextInOrder)
            nodes.push_back(n);
    };
    refresh();
    for (int step = 0; step < steps; ++step) {
        CTreeBoxNode* node = pick();
        switch (std::uniform_int_distribution<int>(0, 9)(random)) {
        case 0:
        case 1: {
            const int where = std::uniform_int_distribution<int>(0, 2)(random);
            box.InsertItem(
                random() % 3 ? node : nullptr, where,
                {.ensureVisible = random() % 2 == 1, .text = "n" + std::to_string(step)});
            break;
        }
        case 2:
            box.ExpandItem(node, true, int(random() % 3));
            break;
        case 3:
            box.ExpandItem(node, false, 1);
            break;
        case 4:
            if (nodes.size() > 20)
                box.DeleteItem(node, true, random() % 4 == 0);
            break;
        case 5:
            box.MoveItem(node, pick(), nullptr, random() % 2, random() % 2);
            break;
        case 6:
            if (random() % 2)
                box.SelectItem(node, true);
            else
                box.SetItemSelected(node, random() % 3 != 0, random() % 4 == 0);
            break;
        case 9:
            // A range from the anchor, then perhaps the focus moved on by one row either way.
            box.ExtendSelection(node, random() % 3 != 0);
            if (random() % 2 && box.GetFocusItem())
                box.ExtendSelection(random() % 2
                                        ? box.GetFocusItem()->m_nextRow
                                        : box.GetRelative(box.GetFocusItem(), CTreeBox::kRowAbove),
                                    true);
            break;
        case 7:
            // Several changes numbered once at the end.
            box.BeginBulkChange();
            for (int i = 0; i < 3; ++i)
                box.InsertItem(pick(), CTreeBox::kInsertLast, {.text = "b" + std::to_string(step)});
            box.ExpandItem(pick(), true, 1);
            if (nodes.size() > 20)
                box.DeleteItem(node);
            box.EndBulkChange();
            break;
        default: {
            std::vector<CTreeBoxNode*> top;
            for (CTreeBoxNode* n = box.GetFirstItem(); n; n = n->m_nextSibling)
                top.push_back(n);
            std::shuffle(top.begin(), top.end(), random);
            box.SetTopLevelOrder(top);
            ASSERT_EQ(box.GetFirstItem(), top.empty() ? nullptr : top.front());
            break;
        }
        }
        refresh();
        ASSERT_NO_FATAL_FAILURE(ExpectConsistent(box)) << "after step " << step;
    }
}

TEST_F(TreeBoxModel, RandomEditsKeepEveryChainConsistent)
{
    MakeTree();
    RandomEdits(*box, 0, 600, 7);
}

TEST_F(TreeBoxModel, RandomEditsOfALongListKeepLookupsByRowAndTheSelectionRight)
{
    MakeTree(TBF_MULTI_SELECT);
    RandomEdits(*box, 1500, 400, 11);
}

/// Rows removed one after another, without an insertion between to number the rows again: the
/// first row, rows holding a lookup mark, open subtrees, a node's children alone, scattered rows
/// beyond the number of runs of unused numbers the box keeps; then a row inserted and a node
/// opened, which number the rows afresh. Every row keeps its place and is found by it.
TEST_F(TreeBoxModel, ManyRemovalsKeepEveryRowsPlaceAndLookup)
{
    MakeTree(TBF_TREE | TBF_MULTI_SELECT);
    for (int i = 0; i < 3000; ++i) {
        CTreeBoxNode* row = box->InsertItem(nullptr, CTreeBox::kInsertLast,
                                            {.text = "r" + std::to_string(i), .noRedraw = true});
        if (i % 10 == 3)
            for (int c = 0; c < 3; ++c)
                box->InsertItem(row, CTreeBox::kInsertLast, {.text = "c" + std::to_string(c)});
    }
    box->RedrawAll();
    for (CTreeBoxNode* n = box->GetFirstItem(); n; n = n->m_nextSibling)
        if (n->m_firstChild && n->m_text.size() % 2 == 0)
            box->ExpandItem(n, true, 1);
    box->ScrollToRow(2000);
    std::mt19937 random(5);
    const auto topLevel = [&] {
        std::vector<CTreeBoxNode*> nodes;
        for (CTreeBoxNode* n = box->GetFirstItem(); n; n = n->m_nextSibling)
            nodes.push_back(n);
        return nodes;
    };
    for (int step = 0; step < 700; ++step) {
        const std::vector<CTreeBoxNode*> nodes = topLevel();
        CTreeBoxNode* node =
            step % 50 == 0 ? box->GetFirstItem()
            : step % 7 == 0
                ? box->FindItemById(256 * int(random() % 8))
                : nodes[std::uniform_int_distribution<std::size_t>(0, nodes.size() - 1)(random)];
        const bool childrenOnly = node && node->m_firstChild && step % 3 == 0;
        box->DeleteItem(node, true, childrenOnly);
        ASSERT_NO_FATAL_FAILURE(ExpectConsistent(*box)) << "after removal " << step;
        ASSERT_EQ(box->GetItemRow(box->GetTopItem()),
                  box->GetTopItem() == box->GetFirstItem()
                      ? 0
                      : box->GetItemRow(box->GetRelative(box->GetTopItem(), CTreeBox::kRowAbove)) +
                            1);
    }
    const std::vector<CTreeBoxNode*> nodes = topLevel();
    box->InsertItem(nullptr, CTreeBox::kInsertFirst, {.text = "new first"});
    ASSERT_NO_FATAL_FAILURE(ExpectConsistent(*box));
    box->DeleteItem(nodes[nodes.size() / 2]);
    box->InsertItem(nodes[nodes.size() / 3], CTreeBox::kInsertLast, {.text = "new child"});
    box->ExpandItem(nodes[nodes.size() / 3], true, 1);
    ASSERT_NO_FATAL_FAILURE(ExpectConsistent(*box));
}

/// Rows appended one by one are linked and numbered as they come: after an open last row whose
/// last child is closed over children of its own (they must go on to the new row when it
/// opens), after removals that left numbers unused, past a row mark, and after an insertion
/// without a redraw, which waits for ShowAppendedRows to link everything.
TEST_F(TreeBoxModel, AppendedRowsAreLinkedAndNumberedAsTheyCome)
{
    MakeTree();
    CTreeBoxNode* open = Add("open");
    CTreeBoxNode* child = Add("child", open);
    Add("grandchild", child);
    box->ExpandItem(open, true, 1);
    for (int i = 0; i < 300; ++i)
        ASSERT_NE(box->AppendRow({.text = "a" + std::to_string(i)}), nullptr);
    ASSERT_NO_FATAL_FAILURE(ExpectConsistent(*box));
    box->ExpandItem(child, true, 1);
    ASSERT_NO_FATAL_FAILURE(ExpectConsistent(*box));
    EXPECT_EQ(child->m_firstChild->m_nextRow, box->GetItemByIndex(1));

    box->DeleteItem(box->GetItemByIndex(5));
    box->DeleteItem(box->GetItemByIndex(250));
    for (int i = 0; i < 300; ++i)
        box->AppendRow({.text = "b" + std::to_string(i)});
    ASSERT_NO_FATAL_FAILURE(ExpectConsistent(*box));

    box->InsertItem(nullptr, CTreeBox::kInsertFirst, {.text = "unlinked", .noRedraw = true});
    box->AppendRow({.text = "after unlinked"});
    box->ShowAppendedRows();
    ASSERT_NO_FATAL_FAILURE(ExpectConsistent(*box));
    EXPECT_EQ(box->GetFirstItem()->m_text, "unlinked");
    EXPECT_EQ(box->GetLastItem()->m_text, "after unlinked");
}

/// Runs work on a thread with a stack of 64 KB, which a walk that took one
/// frame per tree level through thousands of levels would overflow.
void RunOnSmallStack(const std::function<void()>& work)
{
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 64 * 1024);
    pthread_t thread;
    auto run = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)),
              0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

TEST(TreeBoxChain, DeletingADeepChainNeedsNoRecursion)
{
    CTreeBox box; // the model alone, without a window
    CTreeBoxNode* node = nullptr;
    for (int i = 0; i < 20000; ++i)
        node = box.CreateNode(node, nullptr, {.text = "x", .noRedraw = true});
    ASSERT_EQ(box.GetCount(), 20000u);
    RunOnSmallStack([&box] { box.DeleteAllItems(); });
    EXPECT_EQ(box.GetCount(), 0u);
    EXPECT_EQ(box.GetFirstItem(), nullptr);
}

TEST(TreeBoxChain, AHundredThousandRowsEmptyAndFillAgain)
{
    CTreeBox box; // the model alone, without a window
    for (int round = 0; round < 2; ++round) {
        CTreeBoxNode* last = nullptr;
        for (int i = 0; i < 100000; ++i)
            last = box.CreateNode(nullptr, last, {.text = std::to_string(i), .noRedraw = true});
        ASSERT_EQ(box.GetCount(), 100000u);
        EXPECT_EQ(box.GetFirstItem()->m_text, "0");
        EXPECT_EQ(last->m_text, "99999");
        box.DeleteAllItems();
        EXPECT_EQ(box.GetCount(), 0u);
    }
}

} // namespace
