// tests/merge/merge_actions_test.cpp: the user's corrections to a compare: the rules that allow or
// refuse each action, their messages, and what they change in rows and flags.
#include "merge_couple_file.h"
#include "merge_test_support.h"

using namespace merge_test;

namespace {

constexpr int kHead = 0, kFam = 1, kIndi = 2, kNote = 4;

class MergeActionsTest : public CMergeTest {
protected:
    void SetUp() override
    {
        CMergeTest::SetUp();
        m_defaultAnswers = true;
        LoadBoth(File("a.ged", Couple("Jones", "alpha")), File("b.ged", Couple("Brown", "beta")));
        Compare();
    }
    CRecordNode* Current(int type, const char* id) { return FindById(ProgramRoots(), type, id); }
    CRecordNode* Incoming(int type, const char* id) { return FindById(SecondRoots(), type, id); }
    static MergeSelection Pair(CDataNode* centre, CDataNode* right)
    {
        MergeSelection selection;
        selection.centre.node = centre;
        selection.right.node = right;
        return selection;
    }
    MergeLine LineOf(CRecordNode* record, bool current)
    {
        MergeRow* row = m_engine->FindRow(record, current);
        return MergeLine{row, row->current, row->incoming};
    }
    void TearDown() override
    {
        test_support::Prompt().SetAnswerDefaults(false);
        CMergeTest::TearDown();
    }
    /// The texts of the boxes shown since the last call.
    static std::vector<std::string> Shown()
    {
        return test_support::TextsOf(test_support::Prompt().TakeMessages());
    }
};

TEST_F(MergeActionsTest, MatchesTheWivesThenTheFamily)
{
    CMergeEngine& engine = *m_engine;
    // Tom matched Tom; the wives did not match (surnames), so the family did not either.
    EXPECT_EQ(RowTexts(engine, kFam), (std::vector<std::string>{"F1 - 0", "- F1 0"}));
    EXPECT_TRUE(engine.Match(kIndi, Pair(Current(kIndi, "I2"), Incoming(kIndi, "I2"))));
    EXPECT_EQ(RowTexts(engine, kIndi),
              (std::vector<std::string>{"I1 I1 88", "I2 I2 -100", "I3 I3 62"}));
    EXPECT_TRUE(engine.Match(kFam, Pair(Current(kFam, "F1"), Incoming(kFam, "F1"))));
    EXPECT_EQ(RowTexts(engine, kFam), (std::vector<std::string>{"F1 F1 100"}));
    // The family's links now pair up with their counterparts.
    const CDataNode* wife = Current(kFam, "F1")->FindChild(nullptr, FIELD_WIFE);
    EXPECT_TRUE(wife->HasFlag(DNF_PAIRED));
    EXPECT_TRUE(Shown().empty());
    EXPECT_FALSE(engine.Match(kFam, Pair(Current(kFam, "F1"), Incoming(kFam, "F1"))));
    EXPECT_EQ(Shown(), (std::vector<std::string>{"The selected records are already matched."}));
}

TEST_F(MergeActionsTest, RefusesMatchesThatBreakTheRules)
{
    CMergeEngine& engine = *m_engine;
    struct Case {
        const char* name;
        MergeSelection selection;
        int type;
        const char* starts;
    };
    MergeSelection both = Pair(Current(kIndi, "I2"), Incoming(kIndi, "I2"));
    both.left.push_back(LineOf(Current(kIndi, "I2"), true));
    MergeSelection value = Pair(Current(kIndi, "I2"), Incoming(kIndi, "I2"));
    value.right.valueColumn = true;
    const Case cases[] = {
        {"one pane only", Pair(Current(kIndi, "I2"), nullptr), kIndi,
         "Invalid selection.  To match 2"},
        {"left pane too", both, kIndi, "Invalid selection.  To match 2"},
        {"value column", value, kIndi, "Invalid selection.  To match 2"},
        {"opposite sexes", Pair(Current(kIndi, "I1"), Incoming(kIndi, "I2")), kIndi,
         "Individual match not allowed:"},
        {"record with field", Pair(Current(kIndi, "I1"), Incoming(kIndi, "I1")->GetFirstChild()),
         kIndi, "Invalid selection.  Only items of the same type"},
        {"family with unmatched wives", Pair(Current(kFam, "F1"), Incoming(kFam, "F1")), kFam,
         "Family match not allowed:"},
        {"fields of unmatched records",
         Pair(Current(kIndi, "I2")->FindChild(nullptr, FIELD_NAME),
              Incoming(kIndi, "I2")->FindChild(nullptr, FIELD_NAME)),
         kIndi, "Invalid selection.  Fields can only be matched"},
        {"sex",
         Pair(Current(kIndi, "I1")->FindChild(nullptr, FIELD_SEX),
              Incoming(kIndi, "I1")->FindChild(nullptr, FIELD_SEX)),
         kIndi, "You cannot match or 'unmatch' the sex"},
        {"headers", Pair(Current(kHead, ""), Incoming(kHead, "")), kHead, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = RowTexts(engine, c.type);
        EXPECT_FALSE(engine.Match(c.type, c.selection));
        const auto shown = Shown();
        if (c.starts) {
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].rfind(c.starts, 0), 0u) << shown[0];
        } else {
            EXPECT_TRUE(shown.empty());
        }
        EXPECT_EQ(RowTexts(engine, c.type), before);
    }
}

TEST_F(MergeActionsTest, MatchingARecordMatchedElsewhereUnmatchesTheOldPairFirst)
{
    CMergeEngine& engine = *m_engine;
    // Tom (I3) and John (I1) are both matched; matching current John with new Tom leaves
    // current Tom alone and new John as an unmatched row right after its former row.
    EXPECT_TRUE(engine.Match(kIndi, Pair(Current(kIndi, "I1"), Incoming(kIndi, "I3"))));
    EXPECT_EQ(RowTexts(engine, kIndi),
              (std::vector<std::string>{"I1 I3 0", "- I1 0", "I2 - 0", "I3 - 0", "- I2 0"}));
    EXPECT_FALSE(Incoming(kIndi, "I1")->HasFlag(DNF_PAIRED));
    EXPECT_FALSE(Current(kIndi, "I3")->HasFlag(DNF_PAIRED));
}

TEST_F(MergeActionsTest, UnmatchesRowsAndFieldsWithTheirCascades)
{
    CMergeEngine& engine = *m_engine;
    ASSERT_TRUE(engine.Match(kIndi, Pair(Current(kIndi, "I2"), Incoming(kIndi, "I2"))));
    ASSERT_TRUE(engine.Match(kFam, Pair(Current(kFam, "F1"), Incoming(kFam, "F1"))));
    CDataNode* husband = Current(kFam, "F1")->FindChild(nullptr, FIELD_HUSB);
    CDataNode* newHusband = Incoming(kFam, "F1")->FindChild(nullptr, FIELD_HUSB);
    ASSERT_EQ(engine.GetCounterpart(husband, true), newHusband);

    // A child link cannot be unmatched by itself.
    EXPECT_FALSE(engine.Unmatch(kFam, Pair(Current(kFam, "F1")->FindChild(nullptr, FIELD_CHIL),
                                           Incoming(kFam, "F1")->FindChild(nullptr, FIELD_CHIL))));
    EXPECT_EQ(Shown()[0].rfind("You cannot unmatch links to child members", 0), 0u);
    // Unmatching a parent asks first; Cancel changes nothing.
    test_support::Prompt().Answer(IDCANCEL);
    EXPECT_FALSE(engine.Unmatch(kFam, Pair(husband, newHusband)));
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           "If you 'unmatch' either parent of a family, the family itself will "
                           "be 'unmatched'."}));
    EXPECT_EQ(RowTexts(engine, kFam), (std::vector<std::string>{"F1 F1 100"}));
    // OK unmatches the link and the family with it.
    test_support::Prompt().Answer(IDOK);
    EXPECT_TRUE(engine.Unmatch(kFam, Pair(husband, newHusband)));
    Shown();
    EXPECT_EQ(RowTexts(engine, kFam), (std::vector<std::string>{"F1 - 0", "- F1 0"}));
    EXPECT_FALSE(husband->HasFlag(DNF_PAIRED));
    EXPECT_FALSE(Current(kFam, "F1")->HasFlag(DNF_PAIRED));

    // Unmatching an individual unpairs the links that point at it.
    MergeSelection line;
    line.left.push_back(LineOf(Current(kIndi, "I1"), true));
    EXPECT_TRUE(engine.Unmatch(kIndi, line));
    EXPECT_EQ(RowTexts(engine, kIndi),
              (std::vector<std::string>{"I1 - 0", "- I1 0", "I2 I2 -100", "I3 I3 62"}));
    EXPECT_FALSE(Current(kIndi, "I1")->HasFlag(DNF_PAIRED));
}

TEST_F(MergeActionsTest, CountedMessagesUseThePluralWords)
{
    CMergeEngine& engine = *m_engine;
    struct Case {
        std::vector<const char*> ids; // current individuals whose record lines are selected
        std::string text;
    };
    // Rows: I1-I1 (matched), I2 alone, I3-I3 (matched), new I2 alone.
    const Case cases[] = {
        {{"I1", "I2"},
         "Only matched pairs can be 'unmatched'.  Selection includes 1 row which does not "
         "contain a matched pair and which will be ignored"},
    };
    for (const Case& c : cases) {
        MergeSelection selection;
        for (const char* id : c.ids)
            selection.left.push_back(LineOf(Current(kIndi, id), true));
        selection.left.push_back(LineOf(Incoming(kIndi, "I2"), false));
        test_support::Prompt().Answer(IDCANCEL);
        EXPECT_FALSE(engine.Unmatch(kIndi, selection));
        EXPECT_EQ(Shown(), (std::vector<std::string>{
                               "Only matched pairs can be 'unmatched'.  Selection includes 2 "
                               "rows which do not contain matched pairs and which will be "
                               "ignored"}));
        selection.left.pop_back();
        test_support::Prompt().Answer(IDCANCEL);
        EXPECT_FALSE(engine.Unmatch(kIndi, selection));
        EXPECT_EQ(Shown(), (std::vector<std::string>{c.text}));
    }
    // Discarding two single rows of which one is current asks about it.
    MergeSelection singles;
    singles.left.push_back(LineOf(Current(kIndi, "I2"), true));
    singles.left.push_back(LineOf(Incoming(kIndi, "I2"), false));
    singles.left.push_back(LineOf(Current(kIndi, "I1"), true));
    test_support::Prompt().Answer(IDOK);
    test_support::Prompt().Answer(IDOK);
    EXPECT_TRUE(engine.Discard(kIndi, singles));
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           "Only records and fields which are 'unmatched' (and not already "
                           "marked as 'discarded') can be flagged as 'discarded'.  The current "
                           "selection includes 1 row which does not meet these criteria and "
                           "which will be ignored.",
                           "The selection includes 1 record from the current tree file which "
                           "will be flagged to be discarded (as well as 1 record from the 'new' "
                           "tree file being merged into the current tree file, which will also "
                           "be flagged to be discarded)."}));
    EXPECT_TRUE(Current(kIndi, "I2")->HasFlag(DNF_MARK));
    EXPECT_TRUE(Incoming(kIndi, "I2")->HasFlag(DNF_MARK));
    // Retaining the same three: the matched row is ignored (one row), both come back.
    test_support::Prompt().Answer(IDOK);
    EXPECT_TRUE(engine.Retain(kIndi, singles));
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           "Only records and fields which are currently flagged to be discarded "
                           "can be 'retained'.  The current selection includes 1 row which does "
                           "not meet this criterion and which will be ignored."}));
    EXPECT_FALSE(Current(kIndi, "I2")->HasFlag(DNF_MARK));
}

TEST_F(MergeActionsTest, DiscardingARecordDiscardsTheLinksToItAndRetainingBringsThemBack)
{
    CMergeEngine& engine = *m_engine;
    CRecordNode* mary = Current(kIndi, "I2");
    CDataNode* wifeLink = Current(kFam, "F1")->FindChild(nullptr, FIELD_WIFE);
    MergeSelection centre;
    centre.centre.node = mary;
    EXPECT_TRUE(engine.Discard(kIndi, centre));
    EXPECT_TRUE(mary->HasFlag(DNF_MARK));
    EXPECT_TRUE(mary->FindChild(nullptr, FIELD_NAME)->HasFlag(DNF_MARK));
    EXPECT_TRUE(wifeLink->HasFlag(DNF_MARK));
    // A field of a discarded record cannot be retained alone.
    MergeSelection name;
    name.centre.node = mary->FindChild(nullptr, FIELD_NAME);
    EXPECT_FALSE(engine.Retain(kIndi, name));
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           "You cannot 'retain' a field if the record it belongs to is flagged "
                           "to be discarded"}));
    centre.centre.node = mary;
    EXPECT_TRUE(engine.Retain(kIndi, centre));
    EXPECT_FALSE(mary->HasFlag(DNF_MARK));
    EXPECT_FALSE(wifeLink->HasFlag(DNF_MARK));
}

TEST_F(MergeActionsTest, TheSexOfAnIndividualStaysAsItIs)
{
    CMergeEngine& engine = *m_engine;
    MergeSelection sex;
    sex.centre.node = Current(kIndi, "I2")->FindChild(nullptr, FIELD_SEX);
    EXPECT_FALSE(engine.Discard(kIndi, sex));
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           "The sex of an Individual cannot be flagged to be discarded."}));
    sex.centre.node->SetFlag(DNF_MARK, true);
    EXPECT_FALSE(engine.Retain(kIndi, sex));
    EXPECT_EQ(Shown(),
              (std::vector<std::string>{"You cannot discard or retain the sex of an individual."}));
    sex.centre.node->SetFlag(DNF_MARK, false);
    // A paired sex field cannot be discarded separately either.
    MergeSelection paired;
    paired.centre.node = Current(kIndi, "I1")->FindChild(nullptr, FIELD_SEX);
    EXPECT_FALSE(engine.Discard(kIndi, paired));
    EXPECT_EQ(Shown(),
              (std::vector<std::string>{"The selected item cannot be separately discarded."}));
}

TEST_F(MergeActionsTest, SelectionsInSeveralPanesAreRefused)
{
    CMergeEngine& engine = *m_engine;
    MergeSelection selection = Pair(Current(kIndi, "I2"), Incoming(kIndi, "I2"));
    EXPECT_FALSE(engine.Discard(kIndi, selection));
    EXPECT_FALSE(engine.Retain(kIndi, selection));
    const auto shown = Shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[0].find("More Information: The Merge dialog"), std::string::npos);
    EXPECT_EQ(shown[1].find("More Information"), std::string::npos);
    selection.left.push_back(LineOf(Current(kIndi, "I1"), true));
    EXPECT_FALSE(engine.Unmatch(kIndi, selection));
    EXPECT_EQ(
        Shown()[0].rfind("Invalid selection:  For 'unmatching' purposes, you cannot combine", 0),
        0u);
    EXPECT_FALSE(engine.Unmatch(kIndi, Pair(Current(kIndi, "I1"), Incoming(kIndi, "I3"))));
    EXPECT_EQ(
        Shown()[0].rfind(
            "Invalid selection:  For 'unmatching' purposes, you cannot select different rows", 0),
        0u);
}

TEST_F(MergeActionsTest, ChecksRowsAndCountsTheUncheckedOnes)
{
    CMergeEngine& engine = *m_engine;
    EXPECT_EQ(engine.UncheckedWarning(),
              "Not all records have been flagged as 'checked'.\n\nUnchecked family records: 2\n"
              "Unchecked individual records: 4\nUnchecked note records: 2\n\nProceed anyway?");
    for (int type = 1; type < RECORD_TYPE_COUNT; ++type) {
        MergeSelection all;
        for (const auto& row : engine.Rows(type))
            all.left.push_back(MergeLine{row.get(), row->current, row->incoming});
        engine.SetChecked(type, all, true);
    }
    EXPECT_EQ(engine.UncheckedWarning(), "");
    MergeSelection one;
    one.right.node = Incoming(kNote, "N1");
    EXPECT_TRUE(engine.SetChecked(kNote, one, false));
    EXPECT_NE(engine.UncheckedWarning().find("Unchecked note records: 1\n"), std::string::npos);
    // The headers tab takes no action.
    MergeSelection header;
    const MergeRow* headerRow = engine.Rows(kHead).back().get();
    header.left.push_back(
        MergeLine{engine.Rows(kHead).back().get(), headerRow->current, headerRow->incoming});
    EXPECT_FALSE(engine.SetChecked(kHead, header, true));
    EXPECT_FALSE(engine.Discard(kHead, header));
    EXPECT_FALSE(engine.Retain(kHead, header));
    EXPECT_FALSE(engine.Unmatch(kHead, header));
    EXPECT_TRUE(Shown().empty());
    EXPECT_TRUE(headerRow->incoming->HasFlag(DNF_MARK));
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
