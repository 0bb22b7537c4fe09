// tests/records/properties/individual_view_test.cpp: tests of the Main page's child rows with
// gaps and of its family view state.
#include "records/properties/child_array.h"
#include "records/properties/individual_view_state.h"

#include "tests/database/kin/ind_rec_test_support.h"

#include <gtest/gtest.h>

#include <string>

using namespace ind_test;

namespace {

class IndividualViewTest : public CIndRecTest {
protected:
    /// The rows as given names, "_" for a gap.
    static std::string Rows(const CChildArray& rows)
    {
        std::string text;
        for (int i = 0; i < rows.GetSize(); ++i)
            text += (i ? " " : "") + (rows.At(i) ? TextOf(rows.At(i)) : std::string("_"));
        return text;
    }
};

TEST_F(IndividualViewTest, MovingTheLastChildDownLeavesAGapThatARebuildKeepsOrDrops)
{
    CIndRec* a = Person(SEX_MALE, "A");
    CIndRec* b = Person(SEX_FEMALE, "B");
    CFamRec* family = Marry(Person(SEX_MALE, "Dad"), nullptr, {a, b});
    CChildArray rows;
    rows.Rebuild(family);
    EXPECT_EQ(Rows(rows), "A B");
    EXPECT_FALSE(rows.CanMoveDown(2)) << "the empty row below the last child";
    EXPECT_TRUE(rows.CanMoveUp(2));

    CIndRec* earlier = nullptr;
    CIndRec* later = nullptr;
    ASSERT_TRUE(rows.MoveDown(1, earlier, later));
    EXPECT_EQ(Rows(rows), "A _ B");
    EXPECT_EQ(earlier, nullptr) << "no two children changed places";
    EXPECT_EQ(rows.GetNextChildAfter(1), b) << "a child made in the gap goes before B";
    EXPECT_EQ(rows.GetChildBefore(1), a);
    EXPECT_EQ(rows.CountChildrenBefore(2), 1);

    CIndRec* c = family->AddNewChild(nullptr);
    family->MoveChildLink(c, b);
    rows.SetAt(1, c);
    rows.RebuildKeepingGaps(family);
    EXPECT_EQ(Rows(rows), "A " + TextOf(c) + " B");

    ASSERT_TRUE(rows.MoveUp(3, earlier, later));
    EXPECT_EQ(Rows(rows), "A " + TextOf(c) + " _ B") << "up from the empty row past the end";
    ASSERT_TRUE(rows.MoveUp(1, earlier, later));
    EXPECT_EQ(earlier, c);
    EXPECT_EQ(later, a);
    family->MoveChildLink(earlier, later);
    rows.RebuildKeepingGaps(family);
    EXPECT_EQ(Rows(rows), TextOf(c) + " A _ B") << "the gap stays through a refresh";
    rows.Rebuild(family);
    EXPECT_EQ(Rows(rows), TextOf(c) + " A B") << "and goes at a full rebuild";
    EXPECT_FALSE(rows.MoveUp(0, earlier, later));
}

TEST_F(IndividualViewTest, TheScrollRangeShowsOneEmptyRowPastAFullList)
{
    CChildArray rows;
    EXPECT_EQ(rows.GetScrollMax(0), 0);
    for (int i = 0; i < 3; ++i)
        rows.SetAt(i, Person(SEX_MALE, "K"));
    EXPECT_EQ(rows.GetScrollMax(0), 0) << "three children and the prompt row fit";
    rows.SetAt(3, Person(SEX_MALE, "L"));
    EXPECT_EQ(rows.GetScrollMax(0), 4) << "four children: one more row";
    EXPECT_EQ(rows.GetScrollMax(1), 4);
    EXPECT_EQ(rows.GetScrollMax(5), 8);
    rows.SetAt(400, Person(SEX_FEMALE, "Last"));
    EXPECT_EQ(rows.CountChildren(), 5);
    EXPECT_EQ(rows.GetScrollMax(0), 401);
}

TEST_F(IndividualViewTest, TheViewStateTravelsThroughTheHistoryPair)
{
    CFamRec* family = Marry(Person(SEX_MALE, "Al"), nullptr);
    CIndividualViewState state{CIndividualViewState::kFamilyView, family, 7};
    const CIndividualViewState back =
        CIndividualViewState::Unpack(state.PackKind(), state.PackFocus());
    EXPECT_EQ(back.m_kind, 1);
    EXPECT_EQ(back.m_focus, family);
    EXPECT_EQ(back.m_firstChild, 7);
    state.m_kind = 9;
    EXPECT_EQ(state.PackFocus(), 0u) << "a kind without meaning carries no focus";
}

TEST_F(IndividualViewTest, SettlingKeepsAFocusThatStillFitsAndReplacesOneThatDoesNot)
{
    CIndRec* al = Person(SEX_MALE, "Al");
    CIndRec* bea = Person(SEX_FEMALE, "Bea");
    CFamRec* first = Marry(al, bea);
    CFamRec* second = Marry(al, nullptr);
    CFamRec* others = Marry(Person(SEX_MALE, "Cy"), nullptr);

    CIndividualViewState state{1, second, 2};
    state.Settle(al, false, false);
    EXPECT_EQ(state.m_focus, second);
    EXPECT_EQ(state.m_firstChild, 2);
    EXPECT_EQ(GetViewPartner(state, al), nullptr) << "no wife in that family";

    state = {1, others, 3};
    state.Settle(al, false, false);
    EXPECT_EQ(state.m_focus, first) << "not his family: the first spouse family";
    EXPECT_EQ(state.m_firstChild, 0);
    EXPECT_EQ(GetViewPartner(state, al), bea);
    EXPECT_EQ(GetViewPartner(state, bea), al);

    state = {2, al, 4};
    state.Settle(bea, true, false);
    EXPECT_EQ(state.m_kind, 1) << "a record forces the family view";
    EXPECT_EQ(state.m_focus, first);

    state = {1, others, 0};
    state.Settle(nullptr, true, false);
    EXPECT_TRUE(state.IsMissingParent(nullptr)) << "the family lacks a wife";
    EXPECT_EQ(GetViewPartner(state, nullptr), others->GetHusband());
    state = {1, first, 0};
    state.Settle(nullptr, true, false);
    EXPECT_EQ(state.m_focus, nullptr) << "both parents exist: no missing parent";

    state = {2, Person(SEX_FEMALE, "Orphan"), 5};
    state.Settle(nullptr, true, false);
    EXPECT_EQ(state.m_kind, 2);
    EXPECT_EQ(state.m_firstChild, 0);
    state.Settle(nullptr, false, false);
    EXPECT_EQ(state.m_kind, 1) << "neither restored nor reloading: a new individual";
    EXPECT_EQ(state.m_focus, nullptr);

    CIndRec* unknown = Person(SEX_UNDETERMINED, "Sky");
    CFamRec* own = Marry(nullptr, nullptr);
    CIndRec* kid = Person(SEX_MALE, "Kid");
    own->LinkChild(kid, nullptr);
    state = {1, nullptr, 0};
    state.Settle(unknown, false, false);
    EXPECT_EQ(GetViewPartner(state, unknown), nullptr);
    state = {2, kid, 0};
    GetRecordTypeRoot(record_test::kIndi)->DeleteChild(kid);
    state.Settle(nullptr, true, false);
    EXPECT_EQ(state.m_kind, 1) << "a deleted focus is dropped";
    EXPECT_EQ(state.m_focus, nullptr);
}

} // namespace
