// tests/app/record_commands_test.cpp: the Insert commands that make records, the View
// commands that show record lists and single records with their questions, and Go To Record.
#include "tests/app/app_fixture.h"
#include "tests/app/test_panes.h"

#include "app/shell/app_ids.h"
#include "records/properties/properties_dlg.h"

#include "database/records/record_id_state.h"

#include <gmock/gmock.h>

namespace app_test {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using Texts = std::vector<std::string>;

constexpr const char* kHiddenListQuestion =
    "Records of this type are not currently being displayed in the Records Window.  The Records "
    "Window display options will be changed to make them visible (you can alway hide them again "
    "later if you wish to).";
constexpr const char* kSubmittersQuestion =
    "This file contains multiple submitter records.  Would you like to view the submitter "
    "record list?";

/// An Insert command and the record list it adds to.
struct CreationCase {
    const char* name;
    UINT command;
    int listIndex;
};

class CreateRecordTest : public AppTest, public testing::WithParamInterface<CreationCase> {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(Start());
    }
};

TEST_P(CreateRecordTest, ANewRecordIsShownInTheRecordsWindowAndThePropertiesBox)
{
    const CreationCase& row = GetParam();
    m_app->OpenDocumentFile(WriteGedcom("single.ged", kSingleFile).c_str());
    const long before = m_app->GetRecordCount(row.listIndex);

    ASSERT_TRUE(Run(row.command));

    EXPECT_EQ(m_app->GetRecordCount(row.listIndex), before + 1);
    EXPECT_TRUE(Doc()->IsModified());
    auto* records = dynamic_cast<CSubViewRec*>(m_app->GetActiveAvView()->GetSubView());
    ASSERT_NE(records, nullptr);
    EXPECT_EQ(records->GetRecLists().GetActiveIndex(), row.listIndex);
    const auto* created = dynamic_cast<CRecordNode*>(records->GetSelection(nullptr, nullptr));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->GetNextSibling(), nullptr) << "the new record is the type's last";

    CPropertiesDlg* box = m_app->GetPropertiesDlg();
    ASSERT_NE(box, nullptr) << "the command ends in the properties box";
    EXPECT_EQ(box->GetRecord(), created);
    EXPECT_TRUE(box->IsWindowVisible());
    EXPECT_FALSE(box->IsFollowing()) << "the box stays on the new record";

    // What the user types next goes into a field of the new record, not into the box's frame.
    CWnd* focus = CWnd::GetFocus();
    ASSERT_NE(focus, nullptr);
    EXPECT_NE(focus, box);
    bool inBox = false;
    for (const CWnd* wnd = focus; wnd; wnd = wnd->GetParent())
        inBox = inBox || wnd == box;
    EXPECT_TRUE(inBox) << "the focus is in the box";
    TestHooks::PostKey(*focus, 'Q', 0);
    TestHooks::DeliverPosted();
    std::string typed;
    CWnd::GetFocus()->GetWindowText(typed);
    EXPECT_NE(typed.find('q'), std::string::npos) << typed;
    // A note's is its text, not its reference.
    if (row.listIndex == RECORD_LIST_NOTE) {
        box->CommitFocusedControl();
        std::string shown;
        created->GetText(shown, 0);
        EXPECT_NE(shown.find('q'), std::string::npos) << shown;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CreateRecordTest,
    testing::Values(CreationCase{"Individual", ID_NEW_INDIVIDUAL, RECORD_LIST_INDI},
                    CreationCase{"Note", ID_NEW_NOTE, RECORD_LIST_NOTE},
                    CreationCase{"Source", ID_NEW_SOURCE, RECORD_LIST_SOUR},
                    CreationCase{"Repository", ID_NEW_REPOSITORY, RECORD_LIST_REPO}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppTest, ARecordThatCannotBeMadeIsReportedAndNothingChanges)
{
    ASSERT_TRUE(Start());
    TestHooks::AnswerMessageBox(IDOK);

    m_app->CreateRecord(RECORD_TYPE_COUNT);

    EXPECT_THAT(MessageTexts(),
                ElementsAre("An error has occurred.  Unable to create the new record."));
    EXPECT_FALSE(Doc()->IsModified());
}

/// A records window that may hide lists and logs what it shows.
class RecordListTest : public PaneAppTest {
protected:
    /// Opens a file with a number of submitter records.
    void OpenWithSubmitters(int count)
    {
        std::string file = "0 HEAD\r\n1 CHAR UTF-8\r\n0 @I1@ INDI\r\n1 NAME Ann /Lee/\r\n";
        for (int i = 1; i <= count; ++i)
            file += "0 @U" + std::to_string(i) + "@ SUBM\r\n1 NAME Submitter\r\n";
        m_app->OpenDocumentFile(WriteGedcom("file.ged", (file + "0 TRLR\r\n").c_str()).c_str());
        ASSERT_EQ(m_app->GetRecordCount(RECORD_LIST_SUBM), count);
        Script().log.clear();
    }
};

/// Whether the list is hidden, whether the caller asks, the answer given, and what follows.
struct ListCase {
    const char* name;
    bool hidden;
    bool ask;
    int answer; // 0 for no question
    bool shown;
};

class ShowRecordListTest : public RecordListTest, public testing::WithParamInterface<ListCase> {};

TEST_P(ShowRecordListTest, AHiddenListIsShownOnlyWhenTheUserAgrees)
{
    const ListCase& row = GetParam();
    Script().log.clear();
    if (row.hidden)
        Script().hiddenLists = {RECORD_LIST_NOTE};
    if (row.answer)
        TestHooks::AnswerMessageBox(row.answer);

    m_app->ShowRecordList(RECORD_LIST_NOTE, row.ask ? TRUE : FALSE);

    EXPECT_EQ(MessageTexts(), row.answer ? Texts{kHiddenListQuestion} : Texts{});
    EXPECT_EQ(Script().log, row.shown ? Texts{"tab 2 focus"} : Texts{});
}

INSTANTIATE_TEST_SUITE_P(Lists, ShowRecordListTest,
                         testing::Values(ListCase{"Displayed", false, true, 0, true},
                                         ListCase{"HiddenAndAccepted", true, true, IDOK, true},
                                         ListCase{"HiddenAndCancelled", true, true, IDCANCEL,
                                                  false},
                                         ListCase{"HiddenWithoutAsking", true, false, 0, true}),
                         [](const auto& info) { return std::string(info.param.name); });

/// Submitter records in the file, the answer to the question, and what is shown: in the records
/// window, and the record properties box's caption (empty: no box).
struct SubmitterCase {
    const char* name;
    int submitters;
    int answer; // 0 for no question
    Texts log;
    const char* box;
};

class SubmitterTest : public RecordListTest, public testing::WithParamInterface<SubmitterCase> {};

TEST_P(SubmitterTest, SeveralSubmittersAreShownAsAListWhenTheUserWants)
{
    const SubmitterCase& row = GetParam();
    OpenWithSubmitters(row.submitters);
    if (row.answer)
        TestHooks::AnswerMessageBox(row.answer);

    ASSERT_TRUE(Run(ID_VIEW_SUBMITTER));

    EXPECT_EQ(MessageTexts(), row.answer ? Texts{kSubmittersQuestion} : Texts{});
    EXPECT_EQ(Script().log, row.log);
    std::string caption;
    if (const CPropertiesDlg* box = m_app->GetPropertiesDlg())
        box->GetWindowText(caption);
    EXPECT_EQ(caption, row.box);
}

INSTANTIATE_TEST_SUITE_P(Files, SubmitterTest,
                         testing::Values(SubmitterCase{"None", 0, 0, {}, "New Submitter Record"},
                                         SubmitterCase{"One", 1, 0, {}, "Submitter: Submitter"},
                                         SubmitterCase{"TwoListed", 2, IDOK, {"tab 5 focus"}, ""},
                                         SubmitterCase{"TwoCancelled", 2, IDCANCEL, {}, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordListTest, GoToRecordNeedsASelectedRecordAndShowsIt)
{
    OpenWithSubmitters(0);

    EXPECT_FALSE(Run(ID_GO_TO_RECORD));
    Script().selection = GetRecordTypeRoot(kIndividuals)->GetFirstChild();
    ASSERT_TRUE(Run(ID_GO_TO_RECORD));

    EXPECT_THAT(Script().log, ElementsAre("record 1 focus"));
    EXPECT_THAT(MessageTexts(), IsEmpty());
}

TEST_F(RecordListTest, UnlinkingNeedsASelectedIndividualAndSaysWhenThereIsNoFamily)
{
    OpenWithSubmitters(0);

    EXPECT_FALSE(Run(ID_UNLINK_PARENTS));
    EXPECT_FALSE(Run(ID_UNLINK_SPOUSE));
    Script().selection = GetRecordTypeRoot(kIndividuals)->GetFirstChild();
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(Run(ID_UNLINK_PARENTS));

    const Texts shown = MessageTexts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_THAT(shown[0], testing::EndsWith("does not have a parent family to unlink from."));
}

} // namespace
} // namespace app_test
