// tests/app/reorder_test.cpp: the re-order tool on a small family: its options and their
// checks, the pass with and without confirmation, the named list of updated records, Cancel.
#include "tests/app/app_fixture.h"

#include "app/reorder_dlg.h"
#include "app/reorder_progress_dlg.h"
#include "app/shell/app_ids.h"
#include "database/kin/reorder_scan.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "queries/named_list.h"
#include "records/window/named_lists_pane.h"
#include "records/window/sub_view_rec.h"

#include <gmock/gmock.h>

#include <functional>

namespace app_test {
namespace {

using testing::ElementsAre;

/// John's two marriages are listed latest first and his death before his birth; the younger of
/// his two children is listed first; Mary's items are in order.
constexpr const char* kOutOfOrderFile =
    "0 HEAD\r\n1 CHAR UTF-8\r\n"
    "0 @I1@ INDI\r\n1 NAME John /Smith/\r\n1 SEX M\r\n1 DEAT\r\n2 DATE 1890\r\n1 BIRT\r\n"
    "2 DATE 1820\r\n1 FAMS @F1@\r\n1 FAMS @F2@\r\n"
    "0 @I2@ INDI\r\n1 NAME Mary /Jones/\r\n1 SEX F\r\n1 BIRT\r\n2 DATE 1825\r\n1 FAMS @F1@\r\n"
    "0 @I3@ INDI\r\n1 NAME Ann /Smith/\r\n1 BIRT\r\n2 DATE 1860\r\n1 FAMC @F1@\r\n"
    "0 @I4@ INDI\r\n1 NAME Bob /Smith/\r\n1 BIRT\r\n2 DATE 1855\r\n1 FAMC @F1@\r\n"
    "0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 MARR\r\n2 DATE 1850\r\n1 CHIL @I3@\r\n"
    "1 CHIL @I4@\r\n"
    "0 @F2@ FAM\r\n1 HUSB @I1@\r\n1 MARR\r\n2 DATE 1845\r\n"
    "0 TRLR\r\n";

constexpr ReorderKinds kAllKinds{true, true, true, true};
constexpr int kSpousesBox = 1170, kChildrenBox = 1638, kEventsBox = 1639, kLdsBox = 1640;
constexpr int kPromptBox = 1642, kListName = 1645, kReorderButton = 1646, kMaintainListBox = 1654;
constexpr int kAllButton = 4, kSkipButton = 3;

const char* const kSummaryNone =
    "Re-ordering complete.  0 individual records and 0 family records have been updated";

/// The progress dialog with its waits answered by the test: each wait runs the next step until
/// the wait is over; a wait with no step left fails and cancels.
class ScriptedProgressDlg final : public CReorderProgressDlg {
public:
    using Step = std::function<void(CDialog&)>;

    ScriptedProgressDlg(CWnd* parent, ReorderKinds kinds, bool prompt, std::string listName,
                        bool emptyListFirst, std::vector<Step> steps)
        : CReorderProgressDlg(parent, kinds.spouses, kinds.children, kinds.events, kinds.lds,
                              prompt, std::move(listName), emptyListFirst),
          m_steps(std::move(steps))
    {
    }

    std::size_t StepsTaken() const { return m_next; }

protected:
    void WaitUntil(const std::function<bool()>& done) override
    {
        while (!done()) {
            if (m_next == m_steps.size()) {
                ADD_FAILURE() << "the pass waits with no step left";
                TestHooks::Click(*this, IDCANCEL);
                continue;
            }
            m_steps[m_next++](*this);
        }
    }

private:
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
};

class ReorderTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(Start());
        m_app->OpenDocumentFile(WriteGedcom("family.ged", kOutOfOrderFile).c_str());
        ASSERT_EQ(Record("I1") != nullptr, true);
    }

    static CRecordNode* Record(const std::string& id)
    {
        for (int type : {RECORD_LIST_INDI, RECORD_LIST_FAM})
            for (CDataNode* node = GetRecordTypeRoot(type)->GetFirstChild(); node;
                 node = node->GetNextSibling())
                if (static_cast<CRecordNode*>(node)->GetIdText() == id)
                    return static_cast<CRecordNode*>(node);
        return nullptr;
    }

    /// The identifiers of the targets of a record's links of one tag, in order.
    static std::vector<std::string> Links(const std::string& id, int fieldId)
    {
        std::vector<std::string> targets;
        const CRecordNode* record = Record(id);
        for (const CDataNode* link = record->FindChild(nullptr, fieldId); link;
             link = record->FindChild(link, fieldId))
            targets.push_back(link->GetLinkTarget()->GetIdText());
        return targets;
    }

    static bool InOrder(const std::string& id)
    {
        return !FindOutOfSequenceKinds(*Record(id), kAllKinds).Any();
    }

    static std::string Text(CDialog& dialog, int id)
    {
        std::string text;
        dialog.GetDlgItemText(id, text);
        return text;
    }

    /// Whether each of the four kind boxes is enabled and checked, as "EC" letters or "--".
    static std::string KindBoxes(CDialog& dialog)
    {
        std::string states;
        for (int id : {kSpousesBox, kChildrenBox, kEventsBox, kLdsBox}) {
            states += dialog.GetDlgItem(id)->IsWindowEnabled() ? "E" : "-";
            states += dialog.IsDlgButtonChecked(id) ? "C" : "-";
            states += " ";
        }
        return states;
    }

    /// The identifier of the record the progress dialog's grid shows, or "none".
    static std::string Shown(CDialog& dialog)
    {
        auto* shown = dynamic_cast<CRecordNode*>(
            static_cast<CReorderProgressDlg&>(dialog).GetRecordGrid().GetShownObject());
        return shown ? shown->GetIdText() : "none";
    }

    CNamedList* RunWithOptions(const std::function<void(CDialog&)>& options)
    {
        TestHooks::OnNextDialog(CReorderDlg::kTemplateId, options);
        return RunReorder(Frame());
    }
};

TEST_F(ReorderTest, WithoutConfirmationEveryRecordIsPutInOrderAndListed)
{
    TestHooks::AnswerMessageBox(IDYES);

    CNamedList* shown = RunWithOptions([](CDialog& dialog) {
        TestHooks::Click(dialog, kPromptBox);
        TestHooks::Click(dialog, kMaintainListBox);
        TestHooks::SetText(dialog, kListName, "  Re-ordered   records ");
        TestHooks::Click(dialog, IDOK);
    });

    EXPECT_THAT(MessageTexts(),
                ElementsAre("Re-ordering complete.  1 individual records and 1 family records "
                            "have been updated.  Updated records have been added to named list "
                            "\"Re-ordered records\".  Would you like to view this list now?"));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown, FindNamedList("Re-ordered records"));
    ASSERT_EQ(shown->Entries().size(), 2u);
    EXPECT_EQ(shown->Entries()[0].m_record, Record("I1"));
    EXPECT_EQ(shown->Entries()[1].m_record, Record("F1"));
    EXPECT_THAT(Links("I1", FIELD_FAMS), ElementsAre("F2", "F1"));
    EXPECT_THAT(Links("F1", FIELD_CHIL), ElementsAre("I4", "I3"));
    for (const char* id : {"I1", "I2", "F1", "F2"})
        EXPECT_TRUE(InOrder(id)) << id;
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_TRUE(Frame()->IsWindowEnabled());
}

TEST_F(ReorderTest, OptionsRefuseNoKindsAndBadListNames)
{
    struct Case {
        const char* name;
        std::function<void(CDialog&)> enter;
        std::string message;
    } cases[] = {
        {"NoKinds",
         [](CDialog& d) {
             for (int id : {kSpousesBox, kChildrenBox, kEventsBox, kLdsBox})
                 TestHooks::Click(d, id);
         },
         "You have not selected any field types to check"},
        {"BlankListName",
         [](CDialog& d) {
             TestHooks::Click(d, kMaintainListBox);
             TestHooks::SetText(d, kListName, "   ");
         },
         "If you wish a list to be kept of updated records, you must enter a name for the list."},
        {"LongListName",
         [](CDialog& d) {
             TestHooks::Click(d, kMaintainListBox);
             TestHooks::SetText(d, kListName, std::string(201, 'x'));
         },
         "Name is too long.  The maximum allowed length is 200 characters, including spaces."},
    };
    // A refused OK keeps the dialog open, so Cancel still ends it and no pass runs.
    for (const Case& c : cases) {
        TestHooks::AnswerMessageBox(IDOK);
        EXPECT_EQ(RunWithOptions([&](CDialog& dialog) {
                      c.enter(dialog);
                      TestHooks::Click(dialog, IDOK);
                      TestHooks::Click(dialog, IDCANCEL);
                  }),
                  nullptr);
        EXPECT_THAT(MessageTexts(), ElementsAre(c.message)) << c.name;
    }
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(ReorderTest, ConfirmationShowsTheKindsFoundAndReordersOnlyThoseLeftChecked)
{
    std::vector<std::string> seen;
    ScriptedProgressDlg dialog(Frame(), kAllKinds, true, "", false,
                               {[&](CDialog& d) {
                                    TestHooks::RenderWindow(d).SavePng("reorder_progress.png");
                                    EXPECT_FALSE(Frame()->IsWindowEnabled());
                                    seen.push_back(KindBoxes(d));
                                    seen.push_back(Shown(d));
                                    seen.push_back(Text(d, 1647) + "/" + Text(d, 1649));
                                    TestHooks::Click(d, kEventsBox);
                                    TestHooks::Click(d, kReorderButton);
                                },
                                [&](CDialog& d) {
                                    seen.push_back(Text(d, kReorderButton));
                                    seen.push_back(KindBoxes(d));
                                    seen.push_back(Shown(d));
                                    seen.push_back(Text(d, 1648));
                                    TestHooks::Click(d, kReorderButton);
                                },
                                [&](CDialog& d) {
                                    seen.push_back(Text(d, kReorderButton));
                                    seen.push_back(KindBoxes(d));
                                    seen.push_back(Shown(d));
                                    TestHooks::Click(d, kSkipButton);
                                }});
    TestHooks::AnswerMessageBox(IDOK);

    EXPECT_EQ(dialog.Run(), 1);

    EXPECT_THAT(seen, ElementsAre("EC -- EC -- ", "I1", "0/4", "C&ontinue", "-- -- -- -- ", "I1",
                                  "1", "Re-&order Record", "-- EC -- -- ", "F1"));
    EXPECT_THAT(MessageTexts(), ElementsAre("Re-ordering complete.  1 individual records and 0 "
                                            "family records have been updated"));
    EXPECT_THAT(Links("I1", FIELD_FAMS), ElementsAre("F2", "F1"));
    EXPECT_FALSE(InOrder("I1")); // the events were left as they were
    EXPECT_THAT(Links("F1", FIELD_CHIL), ElementsAre("I3", "I4"));
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST_F(ReorderTest, ReorderAllAtTheFirstPromptDoesTheRestWithoutAsking)
{
    ScriptedProgressDlg dialog(Frame(), kAllKinds, true, "", false,
                               {[](CDialog& d) { TestHooks::Click(d, kAllButton); }});
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::AnswerMessageBox(IDOK);

    dialog.Run();

    EXPECT_THAT(MessageTexts(),
                ElementsAre("Re-order remaining records without prompting for confirmation?",
                            "Re-ordering complete.  1 individual records and 1 family records "
                            "have been updated"));
    EXPECT_EQ(dialog.StepsTaken(), 1u);
    for (const char* id : {"I1", "F1"})
        EXPECT_TRUE(InOrder(id)) << id;
}

TEST_F(ReorderTest, ReorderRecordWithEveryKindClearedAsksAgain)
{
    ScriptedProgressDlg dialog(Frame(), kAllKinds, true, "", false,
                               {[](CDialog& d) {
                                    TestHooks::Click(d, kSpousesBox);
                                    TestHooks::Click(d, kEventsBox);
                                    TestHooks::Click(d, kReorderButton);
                                },
                                [](CDialog& d) { TestHooks::Click(d, kSkipButton); },
                                [](CDialog& d) { TestHooks::Click(d, kSkipButton); }});
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::AnswerMessageBox(IDOK);

    dialog.Run();

    EXPECT_THAT(MessageTexts(),
                ElementsAre("If you wish to re-order this record, you must select at least one "
                            "type of item to be re-ordered.",
                            kSummaryNone));
    EXPECT_EQ(dialog.StepsTaken(), 3u);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(ReorderTest, CancelStopsThePassWithoutASummary)
{
    ScriptedProgressDlg dialog(Frame(), kAllKinds, true, "", false,
                               {[](CDialog& d) { TestHooks::Click(d, IDCANCEL); }});

    EXPECT_EQ(dialog.Run(), 1);

    EXPECT_THAT(MessageTexts(), testing::IsEmpty());
    EXPECT_EQ(dialog.GetListToShow(), nullptr);
    EXPECT_FALSE(InOrder("I1"));
    EXPECT_FALSE(InOrder("F1"));
    EXPECT_TRUE(Frame()->IsWindowEnabled());
}

TEST_F(ReorderTest, WithOnlyChildrenIndividualsAreNotWalked)
{
    std::vector<std::string> counts;
    ScriptedProgressDlg dialog(Frame(), ReorderKinds{false, true, false, false}, true, "", false,
                               {[&](CDialog& d) {
                                   for (int id = 1647; id <= 1652; ++id)
                                       counts.push_back(Text(d, id));
                                   TestHooks::Click(d, kSkipButton);
                               }});
    TestHooks::AnswerMessageBox(IDOK);

    dialog.Run();

    EXPECT_THAT(counts, ElementsAre("n/a", "n/a", "n/a", "0", "0", "2"));
    EXPECT_THAT(MessageTexts(), ElementsAre(kSummaryNone));
}

TEST_F(ReorderTest, AKeptListWithNothingUpdatedIsEmptiedAndNoQuestionIsAsked)
{
    CNamedList* list = GetNamedList("Updated", false);
    AddToNamedList(list, Record("I2"), false, true);
    ScriptedProgressDlg dialog(Frame(), ReorderKinds{false, false, false, true}, false, "Updated",
                               true, {});
    TestHooks::AnswerMessageBox(IDOK);

    dialog.Run();

    EXPECT_THAT(MessageTexts(), ElementsAre(kSummaryNone));
    EXPECT_EQ(FindNamedList("Updated"), list);
    EXPECT_TRUE(list->Entries().empty());
    EXPECT_EQ(dialog.GetListToShow(), nullptr);
}

/// The Re-order command through the main frame.
class ReorderCommandTest : public ReorderTest, public testing::WithParamInterface<int> {};

TEST_P(ReorderCommandTest, TheListOfUpdatedRecordsIsShownInTheRecordsWindowWhenTheUserAsks)
{
    const int answer = GetParam();
    TestHooks::OnNextDialog(CReorderDlg::kTemplateId, [](CDialog& dialog) {
        TestHooks::Click(dialog, kPromptBox);
        TestHooks::Click(dialog, kMaintainListBox);
        TestHooks::SetText(dialog, kListName, "Re-ordered");
        TestHooks::Click(dialog, IDOK);
    });
    TestHooks::AnswerMessageBox(answer);

    ASSERT_TRUE(Run(ID_REORDER));

    ASSERT_NE(FindNamedList("Re-ordered"), nullptr);
    auto* records = dynamic_cast<CSubViewRec*>(m_app->FindRecordsView());
    INamedListsPane* pane = records ? records->GetNamedListsPane() : nullptr;
    if (answer == IDNO) {
        EXPECT_TRUE(!pane || !records->IsPaneVisible());
        return;
    }
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(records->IsPaneVisible());
    EXPECT_EQ(pane->GetSelectedNamedList(), FindNamedList("Re-ordered"));
}

INSTANTIATE_TEST_SUITE_P(Answers, ReorderCommandTest, testing::Values(IDYES, IDNO),
                         [](const auto& info) { return info.param == IDYES ? "Yes" : "No"; });

} // namespace
} // namespace app_test
