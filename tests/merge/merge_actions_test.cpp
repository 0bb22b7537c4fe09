// tests/merge/merge_actions_test.cpp: the user's corrections to a compare: the rules that allow or
// refuse each action, the questions it stops at, and what it changes in rows and flags.
#include "merge_couple_file.h"
#include "merge_test_support.h"

using namespace merge_test;

namespace {

constexpr int kFam = 1, kIndi = 2, kNote = 4;

MergeResult Refused(MergeRefusal refusal, int count = 0, int other = 0)
{
    return MergeResult{.refusal = refusal, .count = count, .other = other};
}
const MergeResult kChanged{.changed = true};
const MergeResult kNothing{};

class MergeActionsTest : public CMergeTest {
protected:
    void SetUp() override
    {
        CMergeTest::SetUp();
        LoadBoth(File("a.ged", Couple("Jones", "alpha")), File("b.ged", Couple("Brown", "beta")));
        Compare();
    }
    CRecordNode* Current(int type, const char* id) { return FindById(ProgramRoots(), type, id); }
    CRecordNode* Incoming(int type, const char* id) { return FindById(SecondRoots(), type, id); }
    CDataNode* CurrentField(int type, const char* id, int field)
    {
        return Current(type, id)->FindChild(nullptr, field);
    }
    CDataNode* IncomingField(int type, const char* id, int field)
    {
        return Incoming(type, id)->FindChild(nullptr, field);
    }
    MergeRow* RowOf(CRecordNode* record, bool current) const
    {
        return m_engine->FindRow(record, current);
    }
    void TearDown() override
    {
        EXPECT_TRUE(test_support::Prompt().TakeMessages().empty()) << "the engine shows nothing";
        CMergeTest::TearDown();
    }
};

TEST_F(MergeActionsTest, MatchingTheWivesMatchesTheirFamily)
{
    CMergeEngine& engine = *m_engine;
    // Tom matched Tom; the wives did not match (surnames), so the family did not either.
    EXPECT_EQ(RowTexts(engine, kFam), (std::vector<std::string>{"F1 - 0", "- F1 0"}));
    // Once its partners are matched with each other the family is, as the compare does.
    EXPECT_EQ(engine.MatchItems(Current(kIndi, "I2"), Incoming(kIndi, "I2")), kChanged);
    EXPECT_EQ(RowTexts(engine, kIndi),
              (std::vector<std::string>{"I1 I1 88", "I2 I2 -100", "I3 I3 62"}));
    EXPECT_EQ(RowTexts(engine, kFam), (std::vector<std::string>{"F1 F1 100"}));
    // So again after the husband was unmatched (the family with him) and matched back.
    ASSERT_EQ(engine.UnmatchRows({engine.FindRow(Current(kIndi, "I1"), true)}), kChanged);
    EXPECT_EQ(RowTexts(engine, kFam), (std::vector<std::string>{"F1 - 0", "- F1 0"}));
    EXPECT_EQ(engine.MatchItems(Current(kIndi, "I1"), Incoming(kIndi, "I1")), kChanged);
    EXPECT_EQ(RowTexts(engine, kFam), (std::vector<std::string>{"F1 F1 100"}));
    // The family's links now pair up with their counterparts.
    EXPECT_TRUE(CurrentField(kFam, "F1", FIELD_WIFE)->HasFlag(DNF_PAIRED));
    EXPECT_EQ(engine.MatchItems(Current(kFam, "F1"), Incoming(kFam, "F1")),
              Refused(MergeRefusal::AlreadyMatched));
    // Fields already paired with each other: nothing to do.
    EXPECT_EQ(engine.MatchItems(CurrentField(kFam, "F1", FIELD_WIFE),
                                IncomingField(kFam, "F1", FIELD_WIFE)),
              kNothing);
}

TEST_F(MergeActionsTest, RefusesMatchesThatBreakTheRules)
{
    CMergeEngine& engine = *m_engine;
    struct Case {
        const char* name;
        CDataNode* current;
        CDataNode* incoming;
        MergeRefusal refusal;
    };
    const Case cases[] = {
        {"opposite sexes", Current(kIndi, "I1"), Incoming(kIndi, "I2"),
         MergeRefusal::IndividualSexes},
        {"record with field", Current(kIndi, "I1"), Incoming(kIndi, "I1")->GetFirstChild(),
         MergeRefusal::DifferentKinds},
        {"family with unmatched wives", Current(kFam, "F1"), Incoming(kFam, "F1"),
         MergeRefusal::FamilyPartners},
        {"fields of unmatched records", CurrentField(kIndi, "I2", FIELD_NAME),
         IncomingField(kIndi, "I2", FIELD_NAME), MergeRefusal::UnpairedParents},
        {"sex", CurrentField(kIndi, "I1", FIELD_SEX), IncomingField(kIndi, "I1", FIELD_SEX),
         MergeRefusal::SexField},
        {"links to unmatched families", CurrentField(kIndi, "I1", FIELD_FAMS),
         IncomingField(kIndi, "I1", FIELD_FAMS), MergeRefusal::LinkTargets},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = RowTexts(engine, kIndi);
        const bool paired = c.current->HasFlag(DNF_PAIRED);
        EXPECT_EQ(engine.MatchItems(c.current, c.incoming), Refused(c.refusal));
        EXPECT_EQ(RowTexts(engine, kIndi), before);
        EXPECT_EQ(c.current->HasFlag(DNF_PAIRED), paired);
    }
}

TEST_F(MergeActionsTest, MatchingARecordMatchedElsewhereUnmatchesTheOldPairFirst)
{
    CMergeEngine& engine = *m_engine;
    // Tom (I3) and John (I1) are both matched; matching current John with new Tom leaves
    // current Tom alone and new John as an unmatched row right after its former row.
    EXPECT_EQ(engine.MatchItems(Current(kIndi, "I1"), Incoming(kIndi, "I3")), kChanged);
    EXPECT_EQ(RowTexts(engine, kIndi),
              (std::vector<std::string>{"I1 I3 0", "- I1 0", "I2 - 0", "I3 - 0", "- I2 0"}));
    EXPECT_FALSE(Incoming(kIndi, "I1")->HasFlag(DNF_PAIRED));
    EXPECT_FALSE(Current(kIndi, "I3")->HasFlag(DNF_PAIRED));
}

TEST_F(MergeActionsTest, MatchingAFieldPairedElsewhereSetsItsOldPartnerFree)
{
    CMergeEngine& engine = *m_engine;
    CDataNode* birth = CurrentField(kIndi, "I1", FIELD_BIRT);
    CDataNode* newBirth = IncomingField(kIndi, "I1", FIELD_BIRT);
    ASSERT_EQ(engine.GetCounterpart(birth, true), newBirth);
    CDataNode* second = Current(kIndi, "I1")->CreateChildById(FIELD_BIRT);
    EXPECT_EQ(engine.MatchItems(second, newBirth), kChanged);
    EXPECT_EQ(engine.GetCounterpart(newBirth, false), second);
    EXPECT_FALSE(birth->HasFlag(DNF_PAIRED));
}

TEST_F(MergeActionsTest, UnmatchesRowsAndFieldsWithTheirCascades)
{
    CMergeEngine& engine = *m_engine;
    ASSERT_EQ(engine.MatchItems(Current(kIndi, "I2"), Incoming(kIndi, "I2")), kChanged);
    CDataNode* husband = CurrentField(kFam, "F1", FIELD_HUSB);
    CDataNode* newHusband = IncomingField(kFam, "F1", FIELD_HUSB);
    ASSERT_EQ(engine.GetCounterpart(husband, true), newHusband);

    // A child link cannot be unmatched by itself.
    EXPECT_EQ(engine.UnmatchItems(CurrentField(kFam, "F1", FIELD_CHIL),
                                  IncomingField(kFam, "F1", FIELD_CHIL)),
              Refused(MergeRefusal::ChildLink));
    EXPECT_EQ(engine.UnmatchItems(CurrentField(kIndi, "I1", FIELD_SEX), nullptr),
              Refused(MergeRefusal::SexField));
    // Items of two rows are no pair.
    EXPECT_EQ(engine.UnmatchItems(Current(kIndi, "I1"), Incoming(kIndi, "I3")),
              Refused(MergeRefusal::DifferentRows));
    // Unmatching a parent asks first and changes nothing until the question is accepted.
    EXPECT_EQ(engine.UnmatchItems(husband, newHusband), Refused(MergeRefusal::UnmatchFamily));
    EXPECT_EQ(RowTexts(engine, kFam), (std::vector<std::string>{"F1 F1 100"}));
    EXPECT_TRUE(husband->HasFlag(DNF_PAIRED));
    // Accepted, it unmatches the link and the family with it (the right item alone will do).
    EXPECT_EQ(
        engine.UnmatchItems(nullptr, newHusband, MergeConsent().With(MergeRefusal::UnmatchFamily)),
        kChanged);
    EXPECT_EQ(RowTexts(engine, kFam), (std::vector<std::string>{"F1 - 0", "- F1 0"}));
    EXPECT_FALSE(husband->HasFlag(DNF_PAIRED));
    EXPECT_FALSE(Current(kFam, "F1")->HasFlag(DNF_PAIRED));

    // Unmatching an individual unpairs the links that point at it.
    EXPECT_EQ(engine.UnmatchItems(Current(kIndi, "I1"), nullptr), kChanged);
    EXPECT_EQ(RowTexts(engine, kIndi),
              (std::vector<std::string>{"I1 - 0", "- I1 0", "I2 I2 -100", "I3 I3 62"}));
    EXPECT_FALSE(Current(kIndi, "I1")->HasFlag(DNF_PAIRED));
    // An unmatched record has no pair.
    EXPECT_EQ(engine.UnmatchItems(Current(kIndi, "I1"), nullptr), kNothing);
}

TEST_F(MergeActionsTest, RowActionsCountWhatTheyIgnoreAndAskBeforeChanging)
{
    CMergeEngine& engine = *m_engine;
    // Rows: I1-I1 (matched), I2 alone, I3-I3 (matched), new I2 alone.
    MergeRow* john = RowOf(Current(kIndi, "I1"), true);
    MergeRow* mary = RowOf(Current(kIndi, "I2"), true);
    MergeRow* newMary = RowOf(Incoming(kIndi, "I2"), false);
    const auto before = RowTexts(engine, kIndi);
    EXPECT_EQ(engine.UnmatchRows({mary, newMary}), Refused(MergeRefusal::NoMatches));
    EXPECT_EQ(engine.UnmatchRows({john, mary, newMary}),
              Refused(MergeRefusal::UnmatchedIgnored, 2));
    EXPECT_EQ(engine.UnmatchRows({john, mary}), Refused(MergeRefusal::UnmatchedIgnored, 1));
    EXPECT_EQ(RowTexts(engine, kIndi), before);
    EXPECT_EQ(engine.MarkRows({john}, MergeMark::Retain), Refused(MergeRefusal::NothingToRetain));

    // Discarding two single rows of which one is current asks about each in turn.
    const std::vector<MergeRow*> three = {mary, newMary, john};
    EXPECT_EQ(engine.MarkRows(three, MergeMark::Discard),
              Refused(MergeRefusal::UndiscardableRows, 1));
    const MergeConsent ignored = MergeConsent().With(MergeRefusal::UndiscardableRows);
    EXPECT_EQ(engine.MarkRows(three, MergeMark::Discard, ignored),
              Refused(MergeRefusal::DiscardCurrent, 1, 1));
    EXPECT_FALSE(Current(kIndi, "I2")->HasFlag(DNF_MARK));
    EXPECT_EQ(
        engine.MarkRows(three, MergeMark::Discard, ignored.With(MergeRefusal::DiscardCurrent)),
        kChanged);
    EXPECT_TRUE(Current(kIndi, "I2")->HasFlag(DNF_MARK));
    EXPECT_TRUE(Incoming(kIndi, "I2")->HasFlag(DNF_MARK));
    EXPECT_EQ(engine.MarkRows({mary, john}, MergeMark::Discard),
              Refused(MergeRefusal::NothingToDiscard));
    // New records alone are discarded without the question about current ones.
    EXPECT_EQ(engine.MarkRows({newMary}, MergeMark::Retain), kChanged);
    EXPECT_EQ(engine.MarkRows({newMary}, MergeMark::Discard), kChanged);
    // Retaining the same three: the matched row is ignored (one row), both come back.
    EXPECT_EQ(engine.MarkRows(three, MergeMark::Retain),
              Refused(MergeRefusal::UnretainableRows, 1));
    EXPECT_EQ(engine.MarkRows(three, MergeMark::Retain,
                              MergeConsent().With(MergeRefusal::UnretainableRows)),
              kChanged);
    EXPECT_FALSE(Current(kIndi, "I2")->HasFlag(DNF_MARK));
    EXPECT_FALSE(Incoming(kIndi, "I2")->HasFlag(DNF_MARK));
    EXPECT_EQ(engine.UnmatchRows({john, mary}, MergeConsent().With(MergeRefusal::UnmatchedIgnored)),
              kChanged);
    EXPECT_EQ(RowTexts(engine, kIndi),
              (std::vector<std::string>{"I1 - 0", "- I1 0", "I2 - 0", "I3 I3 62", "- I2 0"}));
}

TEST_F(MergeActionsTest, DiscardingARecordDiscardsTheLinksToItAndRetainingBringsThemBack)
{
    CMergeEngine& engine = *m_engine;
    CRecordNode* mary = Current(kIndi, "I2");
    CDataNode* wifeLink = CurrentField(kFam, "F1", FIELD_WIFE);
    EXPECT_EQ(engine.MarkItem(mary, MergeMark::Discard), kChanged);
    EXPECT_TRUE(mary->HasFlag(DNF_MARK));
    EXPECT_TRUE(mary->FindChild(nullptr, FIELD_NAME)->HasFlag(DNF_MARK));
    EXPECT_TRUE(wifeLink->HasFlag(DNF_MARK));
    EXPECT_EQ(engine.MarkItem(mary, MergeMark::Discard), kNothing);
    // A field of a discarded record cannot be retained alone.
    EXPECT_EQ(engine.MarkItem(mary->FindChild(nullptr, FIELD_NAME), MergeMark::Retain),
              Refused(MergeRefusal::RetainUnderRecord));
    EXPECT_EQ(engine.MarkItem(mary, MergeMark::Retain), kChanged);
    EXPECT_FALSE(mary->HasFlag(DNF_MARK));
    EXPECT_FALSE(wifeLink->HasFlag(DNF_MARK));
    EXPECT_EQ(engine.MarkItem(mary, MergeMark::Retain), kNothing);
}

TEST_F(MergeActionsTest, DiscardingAMatchedItemPartsItFirst)
{
    CMergeEngine& engine = *m_engine;
    // A matched record: its row is split, then the record selected is discarded.
    EXPECT_EQ(engine.MarkItem(Incoming(kIndi, "I3"), MergeMark::Discard), kChanged);
    EXPECT_EQ(RowTexts(engine, kIndi),
              (std::vector<std::string>{"I1 I1 88", "I2 - 0", "I3 - 0", "- I3 0", "- I2 0"}));
    EXPECT_TRUE(Incoming(kIndi, "I3")->HasFlag(DNF_MARK));
    EXPECT_FALSE(Current(kIndi, "I3")->HasFlag(DNF_MARK));
    // A paired field with a child: parted and discarded, the child with it; the child cannot
    // come back while its parent field stays discarded.
    CDataNode* birth = CurrentField(kIndi, "I1", FIELD_BIRT);
    ASSERT_TRUE(birth->HasFlag(DNF_PAIRED));
    EXPECT_EQ(engine.MarkItem(birth, MergeMark::Discard), kChanged);
    EXPECT_FALSE(IncomingField(kIndi, "I1", FIELD_BIRT)->HasFlag(DNF_PAIRED));
    EXPECT_TRUE(birth->GetFirstChild()->HasFlag(DNF_MARK));
    EXPECT_EQ(engine.MarkItem(birth->GetFirstChild(), MergeMark::Retain),
              Refused(MergeRefusal::RetainUnderField));
    // Retain acts only on what is not paired.
    EXPECT_EQ(engine.MarkItem(CurrentField(kIndi, "I1", FIELD_NAME), MergeMark::Retain), kNothing);
    // A matched family's partner link is parted without the question, the family with it.
    ASSERT_TRUE(engine.MatchItems(Current(kIndi, "I2"), Incoming(kIndi, "I2")).changed);
    EXPECT_EQ(engine.MarkItem(IncomingField(kFam, "F1", FIELD_WIFE), MergeMark::Discard), kChanged);
    EXPECT_EQ(RowTexts(engine, kFam), (std::vector<std::string>{"F1 - 0", "- F1 0"}));
    EXPECT_TRUE(IncomingField(kFam, "F1", FIELD_WIFE)->HasFlag(DNF_MARK));
}

TEST_F(MergeActionsTest, TheSexOfAnIndividualStaysAsItIs)
{
    CMergeEngine& engine = *m_engine;
    CDataNode* sex = CurrentField(kIndi, "I2", FIELD_SEX);
    EXPECT_EQ(engine.MarkItem(sex, MergeMark::Discard), Refused(MergeRefusal::SexDiscard));
    EXPECT_FALSE(sex->HasFlag(DNF_MARK));
    sex->SetFlag(DNF_MARK, true);
    EXPECT_EQ(engine.MarkItem(sex, MergeMark::Retain), Refused(MergeRefusal::SexRetain));
    EXPECT_TRUE(sex->HasFlag(DNF_MARK));
    sex->SetFlag(DNF_MARK, false);
    // A paired sex field cannot be discarded separately either.
    CDataNode* paired = CurrentField(kIndi, "I1", FIELD_SEX);
    EXPECT_EQ(engine.MarkItem(paired, MergeMark::Discard), Refused(MergeRefusal::Inseparable));
    EXPECT_TRUE(paired->HasFlag(DNF_PAIRED));
}

TEST_F(MergeActionsTest, ChecksRowsAndCountsTheUncheckedOnes)
{
    CMergeEngine& engine = *m_engine;
    EXPECT_EQ(engine.UncheckedWarning(),
              "Not all records have been flagged as 'checked'.\n\nUnchecked family records: 2\n"
              "Unchecked individual records: 4\nUnchecked note records: 2\n\nProceed anyway?");
    for (int type = 1; type < RECORD_TYPE_COUNT; ++type) {
        std::vector<MergeRow*> all;
        for (const auto& row : engine.Rows(type))
            all.push_back(row.get());
        engine.SetChecked(all, true);
    }
    EXPECT_EQ(engine.UncheckedWarning(), "");
    EXPECT_TRUE(engine.SetChecked({RowOf(Incoming(kNote, "N1"), false)}, false));
    EXPECT_FALSE(engine.SetChecked({RowOf(Incoming(kNote, "N1"), false)}, false));
    EXPECT_NE(engine.UncheckedWarning().find("Unchecked note records: 1\n"), std::string::npos);
}

TEST_F(MergeActionsTest, FieldSlotsCountWhatStaysOnBothSides)
{
    CRecordNode* john = Current(kIndi, "I1");
    CRecordNode* newJohn = Incoming(kIndi, "I1");
    const CFieldDef* sexDef = john->FindChild(nullptr, FIELD_SEX)->GetFieldDef();
    const CFieldDef* birthDef = john->FindChild(nullptr, FIELD_BIRT)->GetFieldDef();
    EXPECT_EQ(CMergeEngine::FieldSlotsLeft(john, newJohn, sexDef), 0);
    EXPECT_EQ(CMergeEngine::FieldSlotsLeft(john, newJohn, birthDef), -1);
    john->FindChild(nullptr, FIELD_SEX)->SetFlag(DNF_MARK, true);
    EXPECT_EQ(CMergeEngine::FieldSlotsLeft(john, newJohn, sexDef), 1);
}

} // namespace
