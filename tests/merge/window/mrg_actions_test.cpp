// tests/merge/window/mrg_actions_test.cpp: the dialog's actions on a selection of the three panes:
// the shapes of selection each refuses, its questions with OK and Cancel, and the words of every
// refusal and question of the engine's operations.
#include "merge_window_fixture.h"

#include "merge/window/mrg_actions.h"

#include "database/dictionary/field_ids.h"

using namespace merge_window_test;

namespace {

class MergeActionsWindowTest : public MergeWindowTest {
protected:
    static MergeSelection Pair(CDataNode* centre, CDataNode* right)
    {
        MergeSelection selection;
        selection.centre.node = centre;
        selection.right.node = right;
        return selection;
    }
    MergeLine LineOf(CRecordNode* record, bool current) const
    {
        MergeRow* row = m_engine->FindRow(record, current);
        return MergeLine{row, row->current, row->incoming};
    }
    /// Runs an action answering the questions in turn; the texts shown.
    std::vector<std::string> Run(MergeAction action, int type, const MergeSelection& selection,
                                 std::vector<int> answers = {}, bool changed = false)
    {
        for (const int answer : answers)
            test_support::Prompt().Answer(answer);
        EXPECT_EQ(RunMergeAction(*m_engine, action, type, selection), changed);
        return Shown();
    }
};

TEST_F(MergeActionsWindowTest, SelectionsOfTheWrongShapeAreRefusedBeforeTheEngineActs)
{
    const std::string matchTwo =
        "Invalid selection.  To match 2 fields or 2 records, you must select one item from the "
        "centre pane ('Current') and one item from the right pane ('New') only.  Only selections "
        "in the left column of each pane are valid for these purposes.  You cannot match 2 items "
        "in the same pane.\n\nTip: To select the second item, without unselecting the first "
        "item, press and hold the Ctrl key while clicking on the second item.";
    const std::string panes =
        "Invalid selection:  All your selections must be in one pane only, for this action.\n\n"
        "The Merge dialog is divided into 3 'panes'.  The left-hand pane gives information about "
        "the Merge process.  The centre pane ('Current') shows current records, and the "
        "right-hand pane ('New') shows the records to be merged into the curent tree file.  Only "
        "the left-hand pane supports multiple selection.";
    const std::string panesMore =
        "Invalid selection:  All your selections must be in one pane only, for this action.\n\n"
        "More Information: The Merge dialog is divided into 3 'panes'.  The left-hand pane gives "
        "information about the Merge process.  The centre pane ('Current') shows current "
        "records, and the right-hand pane ('New') shows the records to be merged into the curent "
        "tree file.  Only the left-hand pane supports multiple selection.";
    CRecordNode* john = Current(kIndi, "I1");
    MergeSelection both = Pair(Current(kIndi, "I2"), Incoming(kIndi, "I2"));
    both.left.push_back(LineOf(Current(kIndi, "I2"), true));
    MergeSelection value = Pair(Current(kIndi, "I2"), Incoming(kIndi, "I2"));
    value.right.valueColumn = true;
    MergeSelection centreValue;
    centreValue.centre = {Current(kIndi, "I2"), true};
    // Two lines of the left pane, one of them a field line.
    MergeSelection withField;
    withField.left = {LineOf(john, true), LineOf(Current(kIndi, "I2"), true)};
    withField.left[1].current = john->FindChild(nullptr, FIELD_NAME);
    withField.left[1].incoming = nullptr;
    struct Case {
        const char* name;
        MergeAction action;
        MergeSelection selection;
        std::string text;
    };
    const Case cases[] = {
        {"match, one pane only", MergeAction::Match, Pair(Current(kIndi, "I2"), nullptr), matchTwo},
        {"match, left pane too", MergeAction::Match, both, matchTwo},
        {"match, value column", MergeAction::Match, value, matchTwo},
        {"discard, two panes", MergeAction::Discard, value, panesMore},
        {"retain, two panes", MergeAction::Retain, value, panes},
        {"discard, value column", MergeAction::Discard, centreValue,
         "Invalid selection:  Only selections in the left column of each pane are valid when "
         "discarding."},
        {"retain, value column", MergeAction::Retain, centreValue, ""},
        {"unmatch, fields among lines", MergeAction::Unmatch, withField,
         "Invalid selection: multiple selection includes fields.\n\nMultiple selection is valid "
         "for 'unmatching' - but only if the selection includes records only (no fields).  "
         "Single selection must be used to 'unmatch' a pair of fields."},
        {"discard, fields among lines", MergeAction::Discard, withField,
         "Invalid selection: multiple selection includes fields.\n\nMultiple selection is valid "
         "for 'discarding' (that is, flagging items to be discarded); but only if the selection "
         "includes records only (no fields).  Single selection must be used to 'discard' "
         "fields.\n\nA 'field' is effectively any row which is indented in the centre or "
         "right-hand pane."},
        {"retain, fields among lines", MergeAction::Retain, withField,
         "Invalid selection: multiple selection includes fields.\n\nMultiple selection is valid "
         "for 'retaining' (see definition below) if the selection includes records only (no "
         "fields).  Single selection must be used to 'retain' fields.\n\n'Retaining' is the "
         "opposite of 'discarding' - it means cancelling a flag previously set to indicate that "
         "an item is to be discarded.  A 'field' is effectively any row which is indented in the "
         "centre or right-hand pane."},
        {"unmatch, a matched row's line alone in both panes", MergeAction::Unmatch,
         Pair(Current(kIndi, "I1"), Incoming(kIndi, "I3")),
         "Invalid selection:  For 'unmatching' purposes, you cannot select different rows in "
         "the centre and right-hand panes."},
    };
    const std::string before = gedcom_test::DumpDataSet();
    const auto rows = RowTexts(*m_engine, kIndi);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto shown = Run(c.action, kIndi, c.selection,
                               c.text.empty() ? std::vector<int>{} : std::vector{IDOK});
        EXPECT_EQ(shown,
                  c.text.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.text});
        EXPECT_EQ(RowTexts(*m_engine, kIndi), rows);
    }
    EXPECT_FALSE(Current(kIndi, "I2")->HasFlag(DNF_MARK));
    // The headers take no action, whatever the selection.
    MergeSelection header;
    const MergeRow* headerRow = m_engine->Rows(kHead).back().get();
    header.left.push_back(
        MergeLine{m_engine->Rows(kHead).back().get(), headerRow->current, headerRow->incoming});
    for (const MergeAction action : {MergeAction::Match, MergeAction::Unmatch, MergeAction::Retain,
                                     MergeAction::Discard, MergeAction::Check})
        EXPECT_TRUE(Run(action, kHead, header).empty());
    EXPECT_TRUE(headerRow->incoming->HasFlag(DNF_MARK));
    EXPECT_FALSE(headerRow->checked);
}

TEST_F(MergeActionsWindowTest, QuestionsGoOnAfterOkAndStopAtCancel)
{
    // Rows: I1-I1 (matched), I2 alone, I3-I3 (matched), new I2 alone.
    MergeSelection rows;
    rows.left = {LineOf(Current(kIndi, "I2"), true), LineOf(Incoming(kIndi, "I2"), false),
                 LineOf(Current(kIndi, "I1"), true)};
    const std::string ignored =
        "Only records and fields which are 'unmatched' (and not already marked as 'discarded') "
        "can be flagged as 'discarded'.  The current selection includes 1 row which does not "
        "meet these criteria and which will be ignored.";
    const std::string current =
        "The selection includes 1 record from the current tree file which will be flagged to be "
        "discarded (as well as 1 record from the 'new' tree file being merged into the current "
        "tree file, which will also be flagged to be discarded).";
    EXPECT_EQ(Run(MergeAction::Discard, kIndi, rows, {IDCANCEL}), (std::vector{ignored}));
    EXPECT_EQ(Run(MergeAction::Discard, kIndi, rows, {IDOK, IDCANCEL}),
              (std::vector{ignored, current}));
    EXPECT_FALSE(Current(kIndi, "I2")->HasFlag(DNF_MARK));
    EXPECT_EQ(Run(MergeAction::Discard, kIndi, rows, {IDOK, IDOK}, true),
              (std::vector{ignored, current}));
    EXPECT_TRUE(Current(kIndi, "I2")->HasFlag(DNF_MARK));
    EXPECT_TRUE(Incoming(kIndi, "I2")->HasFlag(DNF_MARK));

    // A family partner's link: Cancel keeps the pair, OK unmatches the family too.
    ASSERT_TRUE(m_engine
                    ->MarkRows({m_engine->FindRow(Current(kIndi, "I2"), true),
                                m_engine->FindRow(Incoming(kIndi, "I2"), false)},
                               MergeMark::Retain)
                    .changed);
    ASSERT_TRUE(m_engine->MatchItems(Current(kIndi, "I2"), Incoming(kIndi, "I2")).changed);
    MergeSelection husband;
    husband.right.node = Incoming(kFam, "F1")->FindChild(nullptr, FIELD_HUSB);
    const std::vector<std::string> question = {
        "If you 'unmatch' either parent of a family, the family itself will be 'unmatched'."};
    EXPECT_EQ(Run(MergeAction::Unmatch, kFam, husband, {IDCANCEL}), question);
    EXPECT_EQ(RowTexts(*m_engine, kFam), (std::vector<std::string>{"F1 F1 100"}));
    EXPECT_EQ(Run(MergeAction::Unmatch, kFam, husband, {IDOK}, true), question);
    EXPECT_EQ(RowTexts(*m_engine, kFam), (std::vector<std::string>{"F1 - 0", "- F1 0"}));
}

TEST_F(MergeActionsWindowTest, EveryRefusalAndQuestionHasItsWords)
{
    struct Case {
        MergeResult result;
        std::string text;
    };
    const auto counted = [](MergeRefusal refusal, int count, int other = 0) {
        return MergeResult{.refusal = refusal, .count = count, .other = other};
    };
    const Case cases[] = {
        {{}, ""},
        {{MergeRefusal::DifferentKinds},
         "Invalid selection.  Only items of the same type can be matched.  A record can only be "
         "matched with another record of the same type.  A field can only be matched with "
         "another field of the same type."},
        {{MergeRefusal::FamilyPartners},
         "Family match not allowed: Families can only be matched if the parents of the families "
         "are already matched, or, at least, do not conflict (for example, a family with a "
         "missing mother can be matched with any family in which the father matches)."},
        {{MergeRefusal::IndividualSexes},
         "Individual match not allowed: Individuals can only be matched if the sexes of the "
         "individuals are consistent.  For example, you can match a male to an Individual whose "
         "sex is not known; but you cannot match a male to a female."},
        {{MergeRefusal::AlreadyMatched}, "The selected records are already matched."},
        {{MergeRefusal::UnpairedParents},
         "Invalid selection.  Fields can only be matched if they are 'children' of (i.e. they "
         "qualify) fields which are already matched (and if they are the same type of field).  "
         "Topmost fields in a record can only be matched if the records themselves are already "
         "matched."},
        {{MergeRefusal::LinkTargets},
         "Match not allowed: fields which hold links to other records, can only be matched with "
         "other such fields, where the linked records also match."},
        {{MergeRefusal::Failed},
         "An error has occurred - failed to complete required action correctly."},
        {{MergeRefusal::SexField}, "You cannot match or 'unmatch' the sex of an individual."},
        {{MergeRefusal::DifferentRows},
         "Invalid selection:  For 'unmatching' purposes, you cannot select different rows in "
         "the centre and right-hand panes."},
        {{MergeRefusal::NoMatches}, "Selection includes no matches.  No Unmatching will occur."},
        {{MergeRefusal::ChildLink},
         "You cannot unmatch links to child members of a family in this way.  You must do it by "
         "unmatching the Individuals linked to."},
        {{MergeRefusal::NothingToDiscard},
         "Only records and fields which are 'unmatched' (and not already marked as "
         "'discarded') can be flagged as 'discarded'.  The current selection includes no "
         "suitable items.\n\nIf you wish to mark matched items to be discarded, you must "
         "unmatch them first.  "},
        {{MergeRefusal::Inseparable}, "The selected item cannot be separately discarded."},
        {{MergeRefusal::SexDiscard}, "The sex of an Individual cannot be flagged to be discarded."},
        {{MergeRefusal::NothingToRetain},
         "Only records and fields which are currently flagged to be discarded can be "
         "'retained'.  The current selection includes no suitable items."},
        {{MergeRefusal::RetainUnderField},
         "You cannot 'retain' a field if the field's 'parent field' is flagged to be discarded"},
        {{MergeRefusal::RetainUnderRecord},
         "You cannot 'retain' a field if the record it belongs to is flagged to be discarded"},
        {{MergeRefusal::SexRetain}, "You cannot discard or retain the sex of an individual."},
        {{MergeRefusal::UnmatchFamily},
         "If you 'unmatch' either parent of a family, the family itself will be 'unmatched'."},
        {counted(MergeRefusal::UnmatchedIgnored, 1),
         "Only matched pairs can be 'unmatched'.  Selection includes 1 row which does not "
         "contain a matched pair and which will be ignored"},
        {counted(MergeRefusal::UnmatchedIgnored, 2),
         "Only matched pairs can be 'unmatched'.  Selection includes 2 rows which do not "
         "contain matched pairs and which will be ignored"},
        {counted(MergeRefusal::UndiscardableRows, 3),
         "Only records and fields which are 'unmatched' (and not already marked as "
         "'discarded') can be flagged as 'discarded'.  The current selection includes 3 rows "
         "which do not meet these criteria and which will be ignored."},
        {counted(MergeRefusal::DiscardCurrent, 2, 0),
         "The selection includes 2 records from the current tree file which will be flagged to "
         "be discarded (as well as 0 records from the 'new' tree file being merged into the "
         "current tree file, which will also be flagged to be discarded)."},
        {counted(MergeRefusal::UnretainableRows, 1),
         "Only records and fields which are currently flagged to be discarded can be "
         "'retained'.  The current selection includes 1 row which does not meet this criterion "
         "and which will be ignored."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(MergeRefusalText(c.result), c.text);
    }
}

} // namespace
