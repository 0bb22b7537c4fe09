// tests/merge/window/mrg_dlg_test.cpp: the Merge File dialog driven as the user drives it: its
// tabs, the action buttons with their messages, the questions before a merge, the source
// dialog, the merge and its results, and a merge that fails.
#include "merge_window_fixture.h"

#include "merge/window/mrg_results_dlg.h"
#include "merge/window/mrg_source_dlg.h"

#include "database/dictionary/field_ids.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "platform/ui/windows/app.h"

using namespace merge_window_test;

namespace {

constexpr const char* kWarning = "Not all records have been flagged as 'checked'.\n\n"
                                 "Unchecked family records: 2\n"
                                 "Unchecked individual records: 4\n"
                                 "Unchecked note records: 2\n"
                                 "\nProceed anyway?";

class MergeDialogTest : public MergeWindowTest {
protected:
    static bool Enabled(CWnd& dialog, int id)
    {
        const CWnd* control = dialog.GetDlgItem(id);
        return control && control->IsWindowEnabled();
    }
    static std::string Text(CWnd& dialog, int id)
    {
        std::string text;
        if (const CWnd* control = dialog.GetDlgItem(id))
            control->GetWindowText(text);
        return text;
    }
};

/// An engine whose merge fails at a step.
class CFailingEngine final : public CMergeEngine {
public:
    using CMergeEngine::CMergeEngine;

protected:
    void OnMergeStep(int step) override
    {
        if (step == 3)
            throw std::bad_alloc();
    }
};

TEST_F(MergeDialogTest, HasATabForEachTypeWithRecordsInTheirOrder)
{
    const int result = RunDialog([&](CMrgDlg& dialog) {
        EXPECT_EQ(dialog.GetTabTypes(), (std::vector<int>{kIndi, kFam, kNote, kHead}));
        auto* tabs = dynamic_cast<CTabCtrl*>(dialog.GetDlgItem(merge_ids::kTabs));
        ASSERT_NE(tabs, nullptr);
        std::vector<std::string> names;
        for (int i = 0; i < tabs->GetItemCount(); ++i)
            names.push_back(tabs->GetItemText(i));
        EXPECT_EQ(names, (std::vector<std::string>{"Individuals", "Families", "Notes", "Headers"}));
        EXPECT_EQ(dialog.GetShownType(), kIndi);
        TestHooks::SelectItem(dialog, merge_ids::kTabs, 1);
        EXPECT_EQ(dialog.GetShownType(), kFam);
        EXPECT_TRUE(dialog.GetTwinList(kFam)->IsWindowVisible());
        EXPECT_FALSE(dialog.GetTwinList(kIndi)->IsWindowVisible());
        // Nothing is selected: no action is offered.
        for (const int id : {merge_ids::kMatch, merge_ids::kUnmatch, merge_ids::kDiscard,
                             merge_ids::kCheck, merge_ids::kGoTo})
            EXPECT_FALSE(Enabled(dialog, id)) << id;
        dialog.GetTwinList(kFam)->SelectLeftLine(0, false);
        EXPECT_TRUE(Enabled(dialog, merge_ids::kDiscard));
        EXPECT_FALSE(Enabled(dialog, merge_ids::kUnmatch));
        TestHooks::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(MergeDialogTest, MatchAndUnmatchRunFromTheButtonsWithTheirMessages)
{
    RunDialog([&](CMrgDlg& dialog) {
        CMrgTwinListWnd& list = *dialog.GetTwinList(kIndi);
        // One pane only: Match explains what it needs.
        list.SelectGridLine(1, true, false, false);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dialog, merge_ids::kMatch);
        const std::vector<std::string> refusal = Shown();
        ASSERT_EQ(refusal.size(), 1u);
        EXPECT_EQ(refusal[0].rfind("Invalid selection.  To match 2", 0), 0u) << refusal[0];
        // The two Marys, centre and right with Ctrl: one row now, and the list follows.
        list.SelectGridLine(3, false, false, true);
        TestHooks::Click(dialog, merge_ids::kMatch);
        EXPECT_TRUE(Shown().empty());
        EXPECT_EQ(RowTexts(*m_engine, kIndi),
                  (std::vector<std::string>{"I1 I1 88", "I2 I2 -100", "I3 I3 62"}));
        // Their family is matched with them, as the compare would have matched it.
        EXPECT_EQ(RowTexts(*m_engine, kFam), (std::vector<std::string>{"F1 F1 100"}));
        // Their son's line opens: his parents' link changed with the family.
        EXPECT_EQ(list.VisibleLines().size(), 6u);
        // The selection stays on Mary, in the pane it was in.
        EXPECT_EQ(list.GetSelection().centre.node, Current(kIndi, "I2"));
        // Unmatching a row in the left pane with a grid's item too is refused.
        list.SelectLeftLine(1, false);
        list.SelectGridLine(0, true, false, true);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dialog, merge_ids::kUnmatch);
        EXPECT_EQ(Shown(), (std::vector<std::string>{
                               "Invalid selection:  For 'unmatching' purposes, you cannot "
                               "combine a selection in the left-hand pane with a selection in "
                               "the centre or right-hand pane."}));
        // Mary's row alone: split again, the new Mary in a row of her own after it.
        list.SelectLeftLine(1, false);
        TestHooks::Click(dialog, merge_ids::kUnmatch);
        EXPECT_EQ(RowTexts(*m_engine, kIndi),
                  (std::vector<std::string>{"I1 I1 88", "I2 - 0", "- I2 0", "I3 I3 62"}));
        EXPECT_EQ(LeftTexts(list)[2], "* Add *|||||Y||");
        TestHooks::Click(dialog, IDCANCEL);
    });
}

TEST_F(MergeDialogTest, AnActionKeepsOpenLinesOpenAndTheSelectionWhereItWas)
{
    RunDialog([&](CMrgDlg& dialog) {
        CMrgTwinListWnd& list = *dialog.GetTwinList(kIndi);
        CMrgLinkedGrid& centre = list.GetGrid(true);
        // The index of the centre grid's row of a tag, from a row on.
        const auto rowOf = [&](const std::string& tag, std::size_t from = 0) {
            const std::vector<std::string> tags = GridTags(centre);
            return int(std::find(tags.begin() + std::ptrdiff_t(from), tags.end(), tag) -
                       tags.begin());
        };
        // John open with his birth open, the current Mary open.
        list.ExpandLine(0, true);
        list.ExpandLine(rowOf("  BIRT"), true);
        const int mary = rowOf("INDI", 1);
        list.ExpandLine(mary, true);
        const std::vector<std::string> open = GridTags(centre);
        ASSERT_EQ(open[std::size_t(rowOf("  BIRT") + 1)], "    DATE");
        // A change inside one record: Mary's name discarded from the centre pane.
        list.SelectGridLine(rowOf("  NAME", std::size_t(mary)), true, false, false);
        TestHooks::Click(dialog, merge_ids::kDiscard);
        EXPECT_TRUE(Shown().empty());
        CDataNode* name = Current(kIndi, "I2")->FindChild(nullptr, FIELD_NAME);
        ASSERT_TRUE(name->HasFlag(DNF_MARK));
        EXPECT_EQ(GridTags(centre), open);
        EXPECT_EQ(list.GetSelection().centre.node, name);
        EXPECT_TRUE(list.GetSelection().left.empty());
        // Rows change: the two Marys matched. What was open stays open, the matched Mary's
        // line too.
        list.SelectGridLine(mary, true, false, false);
        list.SelectGridLine(int(open.size()) - 1, false, false, true);
        TestHooks::Click(dialog, merge_ids::kMatch);
        EXPECT_TRUE(Shown().empty());
        ASSERT_EQ(RowTexts(*m_engine, kIndi),
                  (std::vector<std::string>{"I1 I1 88", "I2 I2 -100", "I3 I3 62"}));
        // John's link to the family now pairs with the family matched: its placeholder goes.
        const std::vector<std::string> after = GridTags(centre);
        EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + mary - 1),
                  std::vector<std::string>(open.begin(), open.begin() + mary - 1))
            << "John and his birth stay open";
        EXPECT_EQ(after[std::size_t(mary) - 1], "INDI");
        EXPECT_EQ(after[std::size_t(mary)], "  NAME") << "Mary stays open";
        EXPECT_EQ(list.GetSelection().centre.node, Current(kIndi, "I2"));
        TestHooks::Click(dialog, IDCANCEL);
    });
}

TEST_F(MergeDialogTest, GrownTheListsTakeTheRoomAndTheNextOpeningKeepsTheSize)
{
    CWinApp app{"ArdenvelMergeDialogTest"};
    app.GetProfile().WriteProfileString("Merge File", nullptr, nullptr);
    CRect opening;
    RunDialog([&](CMrgDlg& dialog) {
        CRect client, before, after;
        dialog.GetWindowRect(&opening);
        dialog.GetClientRect(&client);
        dialog.GetTwinList(kIndi)->GetWindowRect(&before);
        TestHooks::DragWindowSize(dialog, client.Width() + 200, client.Height() + 100);
        dialog.GetTwinList(kIndi)->GetWindowRect(&after);
        EXPECT_EQ(after.Size(), CSize(before.Width() + 200, before.Height() + 100));
        TestHooks::Click(dialog, IDCANCEL);
    });
    RunDialog([&](CMrgDlg& dialog) {
        CRect window;
        dialog.GetWindowRect(&window);
        EXPECT_EQ(window.Size(), CSize(opening.Width() + 200, opening.Height() + 100));
        TestHooks::Click(dialog, IDCANCEL);
    });
    app.GetProfile().WriteProfileString("Merge File", nullptr, nullptr);
}

TEST_F(MergeDialogTest, GoToShowsTheLinkedRecordInTheTabOfItsTypeOnItsSide)
{
    RunDialog([&](CMrgDlg& dialog) {
        CMrgTwinListWnd& individuals = *dialog.GetTwinList(kIndi);
        individuals.ExpandLine(0, true);
        struct Case {
            const char* name;
            int line;
            bool currentSide;
            CRecordNode* family;
        };
        const Case cases[] = {
            {"the current family", 4, true, Current(kFam, "F1")},
            {"the new family", 5, false, Incoming(kFam, "F1")},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            ASSERT_TRUE(dialog.ShowType(kIndi));
            individuals.SelectGridLine(c.line, c.currentSide, true, false);
            ASSERT_TRUE(Enabled(dialog, merge_ids::kGoTo));
            EXPECT_FALSE(Enabled(dialog, merge_ids::kMatch));
            TestHooks::Click(dialog, merge_ids::kGoTo);
            EXPECT_TRUE(Shown().empty());
            EXPECT_EQ(dialog.GetShownType(), kFam);
            const MergeSelection selection = dialog.GetTwinList(kFam)->GetSelection();
            ASSERT_EQ(selection.left.size(), 1u);
            EXPECT_EQ(c.currentSide ? selection.left.front().current
                                    : selection.left.front().incoming,
                      c.family);
        }
        TestHooks::Click(dialog, IDCANCEL);
    });
}

TEST_F(MergeDialogTest, TheCheckedWarningCountsTheUncheckedRowsOfEachType)
{
    RunDialog([&](CMrgDlg& dialog) {
        TestHooks::AnswerMessageBox(IDCANCEL);
        TestHooks::Click(dialog, IDOK);
        EXPECT_EQ(Shown(), (std::vector<std::string>{kWarning}));
        // Every individual checked: their line goes; the headers never count.
        CMrgTwinListWnd& list = *dialog.GetTwinList(kIndi);
        for (int i = 0; i < 4; ++i)
            list.SelectLeftLine(i, i > 0);
        TestHooks::Click(dialog, merge_ids::kCheck);
        EXPECT_EQ(LeftTexts(list)[1], "Keep|||Y||||Y");
        TestHooks::AnswerMessageBox(IDCANCEL);
        TestHooks::Click(dialog, IDOK);
        EXPECT_EQ(Shown(), (std::vector<std::string>{"Not all records have been flagged as "
                                                     "'checked'.\n\nUnchecked family records: "
                                                     "2\nUnchecked note records: 2\n\nProceed "
                                                     "anyway?"}));
        TestHooks::Click(dialog, IDCANCEL);
    });
}

TEST_F(MergeDialogTest, CancelAtEveryQuestionChangesNothing)
{
    const std::string before = gedcom_test::DumpDataSet();
    struct Case {
        const char* name;
        std::vector<int> answers;
        bool sourceDialog;
    };
    const Case cases[] = {
        {"the checked warning", {IDCANCEL}, false},
        {"the source question", {IDOK, IDCANCEL}, false},
        {"the source dialog", {IDOK, IDYES}, true},
    };
    RunDialog([&](CMrgDlg& dialog) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            for (const int answer : c.answers)
                TestHooks::AnswerMessageBox(answer);
            if (c.sourceDialog)
                TestHooks::OnNextDialog(merge_ids::kSourceTemplate, [](CDialog& source) {
                    TestHooks::Click(source, IDCANCEL);
                });
            TestHooks::Click(dialog, IDOK);
            EXPECT_EQ(Shown().size(), c.answers.size());
            EXPECT_TRUE(m_engine->IsOpen());
            EXPECT_EQ(gedcom_test::FirstDifference(gedcom_test::DumpDataSet(), before), "");
        }
        TestHooks::Click(dialog, IDCANCEL);
    });
    m_engine->EndSession();
    EXPECT_FALSE(AnyMergeFlag(ProgramRoots()));
    EXPECT_FALSE(AnyMergeFlag(SecondRoots()));
    EXPECT_EQ(gedcom_test::FirstDifference(gedcom_test::DumpDataSet(), before), "");
}

TEST_F(MergeDialogTest, TheSourceDialogStartsFromItsDefaultsAndRefusesWhatItCannotUse)
{
    MergeSourceOptions defaults = DefaultSourceOptions("/data/b.ged", CMrgSourceDlg::Today());
    TestHooks::OnNextDialog(merge_ids::kSourceTemplate, [&](CDialog& dialog) {
        using namespace merge_ids;
        EXPECT_EQ(Text(dialog, kTitle), "File (merged): /data/b.ged");
        EXPECT_EQ(Text(dialog, merge_ids::kNote), "Merged " + CMrgSourceDlg::Today());
        EXPECT_EQ(Text(dialog, kShortTitle), "");
        for (const int id :
             {kLinkFamilies, kLinkIndividuals, kLinkNotes, kLinkMedia, kLinkRepositories,
              kLinkSubmissions, kLinkSubmitters, kLinkSources, kLinkNew, kLinkNewFields})
            EXPECT_EQ(dialog.IsDlgButtonChecked(id), UINT(BST_CHECKED)) << id;
        for (const int id : {kLinkUnchanged, kLinkUpdated, kAnnotate})
            EXPECT_EQ(dialog.IsDlgButtonChecked(id), UINT(BST_UNCHECKED)) << id;
        // Each record-level box enables its note, the new-fields box the annotate box.
        EXPECT_TRUE(Enabled(dialog, kNoteNew));
        EXPECT_FALSE(Enabled(dialog, kNoteUpdated));
        EXPECT_FALSE(Enabled(dialog, kNoteUnchanged));
        TestHooks::Click(dialog, kLinkUpdated);
        EXPECT_TRUE(Enabled(dialog, kNoteUpdated));
        TestHooks::Click(dialog, kLinkNewFields);
        EXPECT_FALSE(Enabled(dialog, kAnnotate));
        TestHooks::Click(dialog, kLinkNewFields);
        // No title at all.
        TestHooks::SetText(dialog, kTitle, "  ");
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dialog, IDOK);
        EXPECT_EQ(Shown(), (std::vector<std::string>{"You must specify either a title or a "
                                                     "short title (or both) for the new source "
                                                     "record"}));
        // A short title, but the updated records' note is empty while sources cite it.
        TestHooks::SetText(dialog, kShortTitle, " Brown file ");
        TestHooks::SetText(dialog, kNoteUpdated, "");
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dialog, IDOK);
        const std::vector<std::string> refusal = Shown();
        ASSERT_EQ(refusal.size(), 1u);
        EXPECT_EQ(refusal[0].rfind("You must supply a note", 0), 0u);
        TestHooks::SetText(dialog, kNoteUpdated, "Updated from Brown");
        TestHooks::Click(dialog, IDOK);
    });
    CMrgSourceDlg dialog(defaults, &m_host);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    const MergeSourceOptions& chosen = dialog.GetOptions();
    EXPECT_EQ(chosen.shortTitle, "Brown file");
    EXPECT_EQ(chosen.title, "");
    EXPECT_TRUE(chosen.linkUpdated);
    EXPECT_EQ(chosen.noteUpdated, "Updated from Brown");
}

TEST_F(MergeDialogTest, MergesWithANewSourceCitedByWhatCameInAndShowsTheCounts)
{
    const int result = RunDialog([&](CMrgDlg& dialog) {
        TestHooks::AnswerMessageBox(IDOK);  // not all checked: proceed
        TestHooks::AnswerMessageBox(IDYES); // a source record
        TestHooks::OnNextDialog(merge_ids::kSourceTemplate, [](CDialog& source) {
            TestHooks::SetText(source, merge_ids::kShortTitle, "Brown file");
            TestHooks::Click(source, IDOK);
        });
        TestHooks::Click(dialog, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    Shown();
    NotifyChanges();
    // The new source, with its short title and the default title.
    const CDataNode* sources = GetRecordTypeTable().RowByCode(6)->m_root;
    const CRecordNode* source = static_cast<const CRecordNode*>(sources->GetFirstChild());
    ASSERT_NE(source, nullptr);
    std::string dump;
    gedcom_test::DumpNode(*source, 0, dump);
    EXPECT_NE(dump.find("ABBR [Brown file]"), std::string::npos) << dump;
    EXPECT_NE(dump.find("TITL [File (merged): " + PathOf("b.ged") + "]"), std::string::npos)
        << dump;
    // The new Mary came in and cites it; John, matched, took only new fields.
    int citing = 0;
    for (const CDataNode* record = GetRecordTypeTable().RowByCode(kIndi)->m_root->GetFirstChild();
         record; record = record->GetNextSibling())
        citing += record->FindLinkChild(FIELD_SOUR, const_cast<CRecordNode*>(source)) != nullptr;
    EXPECT_GE(citing, 1);
    const auto counts = m_engine->Counts();
    EXPECT_EQ(counts[kIndi].merged, 2);
    EXPECT_EQ(counts[kIndi].added, 1);
    EXPECT_EQ(counts[kFam].added, 1);
    EXPECT_EQ(counts[kNote].added, 1);

    TestHooks::OnNextDialog(merge_ids::kResultsTemplate, [&](CDialog& dialog) {
        // Individuals: merged, deleted, new, other updated; then families; notes.
        EXPECT_EQ(Text(dialog, 1519), "2");
        EXPECT_EQ(Text(dialog, 1520), "0");
        EXPECT_EQ(Text(dialog, 1521), "1");
        EXPECT_EQ(Text(dialog, 1525), "1");
        EXPECT_EQ(Text(dialog, 1529), "1");
        EXPECT_EQ(Text(dialog, 1547), "0");
        TestHooks::Click(dialog, IDOK);
    });
    CMrgResultsDlg(counts, &m_host).DoModal();
}

TEST_F(MergeDialogTest, AFailedMergeClosesTheDialogOverTheFilePutBack)
{
    m_engine.reset();
    const std::string before = gedcom_test::DumpDataSet();
    Compare(std::make_unique<CFailingEngine>(ProgramRoots(), SecondRoots()));
    const int result = RunDialog([&](CMrgDlg& dialog) {
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::AnswerMessageBox(IDNO);
        TestHooks::AnswerMessageBox(IDOK); // the failure
        TestHooks::Click(dialog, IDOK);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(m_engine->IsOpen());
    const std::vector<std::string> shown = Shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2].rfind("An error has occurred during the merge.  The current file has been "
                             "put back",
                             0),
              0u);
    NotifyChanges();
    EXPECT_EQ(gedcom_test::FirstDifference(gedcom_test::DumpDataSet(), before), "");
    EXPECT_FALSE(AnyMergeFlag(ProgramRoots()));
}

} // namespace
