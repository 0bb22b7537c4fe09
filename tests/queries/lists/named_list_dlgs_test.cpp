// tests/queries/lists/named_list_dlgs_test.cpp: the named-lists dialogs: names refused or taken
// as typed (other letter case, blanks, control characters, 200 characters), notes' line ends,
// the confirmation that deletes records, and the choice of a list.
#include "queries/lists/named_list_dlgs.h"
#include "tests/queries/lists/named_list_fixture.h"

#include "platform/ui/dialogs/combo_box.h"

namespace {

const std::string kTooLong =
    "Name is too long.  The maximum allowed length is 200 characters, including spaces.";

struct NameCase {
    const char* name;
    UINT templateId;
    std::string typed;
    std::string accepted; // the name taken; empty when refused
    std::string message;  // the one message shown; empty for none
};

class NamedListNames : public CNamedListUiTest, public testing::WithParamInterface<NameCase> {};

TEST_P(NamedListNames, RefusedOrTaken)
{
    const NameCase& c = GetParam();
    CNamedList* list = MakeList("Family of John", {});
    list->SetNote("kept");
    std::string taken;
    int result = 0;
    const auto drive = [&](int edit) {
        TestHooks::OnNextDialog(c.templateId, [&, edit](CDialog& dlg) {
            TestHooks::SetText(dlg, edit, c.typed);
            if (!c.message.empty())
                TestHooks::AnswerMessageBox(IDOK);
            TestHooks::Click(dlg, IDOK);
            if (dlg.IsWindowVisible())
                TestHooks::Click(dlg, IDCANCEL);
        });
    };
    if (c.templateId == kNewNamedListTemplate) {
        CNewNamedListDlg dialog;
        drive(IDC_NEW_LIST_NAME);
        result = dialog.DoModal();
        taken = dialog.m_name;
    } else {
        CListPropsDlg dialog(*list);
        drive(IDC_LIST_PROPS_NAME);
        result = dialog.DoModal();
        taken = result == IDOK ? list->GetName() : "";
        EXPECT_EQ(list->GetNote(), "kept");
        if (result != IDOK) {
            EXPECT_EQ(list->GetName(), "Family of John");
        }
    }
    EXPECT_EQ(result, c.accepted.empty() ? IDCANCEL : IDOK);
    EXPECT_EQ(taken, c.accepted);
    const std::vector<std::string> messages = Messages();
    EXPECT_EQ(messages,
              c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NamedListNames,
    testing::Values(
        NameCase{"NewBlanks", kNewNamedListTemplate, "  \t ", "",
                 "Please supply a name for the new list"},
        NameCase{"NewOtherCase", kNewNamedListTemplate, "DONE", "",
                 "This name is already being used by an existing list"},
        NameCase{"NewControlCharacters", kNewNamedListTemplate, "\x01 To\tvisit \x7f  soon\r\n",
                 "To visit soon", ""},
        NameCase{"NewLongest", kNewNamedListTemplate, std::string(200, 'n'), std::string(200, 'n'),
                 ""},
        NameCase{"NewTooLong", kNewNamedListTemplate, std::string(201, 'n'), "", kTooLong},
        NameCase{"NewTooLongInLetters", kNewNamedListTemplate,
                 std::string(101, 'n') + "\xc3\xa9" + std::string(99, 'n'), "", kTooLong},
        NameCase{"PropsBlank", kListPropsTemplate, " ", "", "List name may be not be blank"},
        NameCase{"PropsOtherList", kListPropsTemplate, "done", "",
                 "This name is already being used by another list"},
        NameCase{"PropsOwnNameInOtherCase", kListPropsTemplate, "FAMILY of  john", "FAMILY of john",
                 ""},
        NameCase{"PropsTooLong", kListPropsTemplate, std::string(300, 'p'), "", kTooLong}),
    [](const testing::TestParamInfo<NameCase>& info) { return info.param.name; });

TEST_F(CNamedListUiTest, PropertiesKeepTheNoteWithSingleLineFeeds)
{
    CNamedList* list = MakeList("Mine", {});
    list->SetNote("one\ntwo");
    CListPropsDlg dialog(*list);
    TestHooks::OnNextDialog(kListPropsTemplate, [&](CDialog& dlg) {
        std::string shown;
        dlg.GetDlgItemText(IDC_LIST_PROPS_NOTE, shown);
        EXPECT_EQ(shown, "one\r\ntwo");
        TestHooks::SetText(dlg, IDC_LIST_PROPS_NAME, "");
        EXPECT_FALSE(dlg.GetDlgItem(IDOK)->IsWindowEnabled());
        TestHooks::SetText(dlg, IDC_LIST_PROPS_NAME, "Mine");
        TestHooks::SetText(dlg, IDC_LIST_PROPS_NOTE, "a\r\nb\r\n\r\nc");
        TestHooks::Click(dlg, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(list->GetNote(), "a\nb\n\nc");
}

struct ChoiceCase {
    const char* name;
    bool addMode;
    std::string typed;
    int answer; // the answer to the question, 0 when none is asked
    int result;
    std::string message;
};

class NamedListChoices : public CNamedListUiTest, public testing::WithParamInterface<ChoiceCase> {};

TEST_P(NamedListChoices, RefusedAskedOrTaken)
{
    const ChoiceCase& c = GetParam();
    MakeList("Older", {});
    CAddToNamedListDlg dialog(c.addMode);
    std::vector<std::string> items;
    std::string caption;
    bool replaceShown = false;
    TestHooks::OnNextDialog(kAddToNamedListTemplate, [&](CDialog& dlg) {
        auto* combo = dynamic_cast<CComboBox*>(dlg.GetDlgItem(IDC_ADD_TO_LIST_COMBO));
        ASSERT_NE(combo, nullptr);
        for (int i = 0; i < combo->GetCount(); ++i) {
            std::string text;
            combo->GetLBText(i, text);
            items.push_back(text);
        }
        dlg.GetWindowText(caption);
        replaceShown = dlg.GetDlgItem(IDC_ADD_TO_LIST_REPLACE)->IsWindowVisible();
        TestHooks::SetText(dlg, IDC_ADD_TO_LIST_COMBO, c.typed);
        if (c.addMode)
            TestHooks::Click(dlg, IDC_ADD_TO_LIST_REPLACE);
        if (c.answer || !c.message.empty())
            TestHooks::AnswerMessageBox(c.answer ? c.answer : IDOK);
        TestHooks::Click(dlg, IDOK);
        if (dlg.IsWindowVisible())
            TestHooks::Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), c.result);
    EXPECT_EQ(items, (std::vector<std::string>{"Older", "Done"}));
    EXPECT_EQ(caption, c.addMode ? "Add To Named List" : "Remove Items From Named List");
    EXPECT_EQ(replaceShown, c.addMode);
    EXPECT_EQ(Messages(),
              c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    if (c.result == IDOK) {
        EXPECT_EQ(dialog.m_name, NamedListNameFromInput(c.typed));
        EXPECT_EQ(dialog.m_replace, c.addMode);
    }
    EXPECT_EQ(FindNamedList("New one"), nullptr);
}

const std::string kCreate = "No list found with this name.  Create new one?";

INSTANTIATE_TEST_SUITE_P(
    Cases, NamedListChoices,
    testing::Values(ChoiceCase{"AddEmpty", true, "  ", 0, IDCANCEL,
                               "Please select a Named List or enter the name of a new one"},
                    ChoiceCase{"RemoveEmpty", false, "", 0, IDCANCEL, "Please select a Named List"},
                    ChoiceCase{"AddExisting", true, " done ", 0, IDOK, ""},
                    ChoiceCase{"AddNewConfirmed", true, "New  one", IDOK, IDOK, kCreate},
                    ChoiceCase{"AddNewCancelled", true, "New one", IDCANCEL, IDCANCEL, kCreate},
                    ChoiceCase{"AddNewTooLong", true, std::string(201, 'x'), 0, IDCANCEL, kTooLong},
                    ChoiceCase{"RemoveMissing", false, "New one", 0, IDCANCEL, "List not found."},
                    ChoiceCase{"RemoveExisting", false, "OLDER", 0, IDOK, ""}),
    [](const testing::TestParamInfo<ChoiceCase>& info) { return info.param.name; });

TEST_F(CNamedListUiTest, DeleteRecordsOnlyOnceUnderstood)
{
    CNamedList* list = MakeList("Doomed", {{"John", ""}, {"Mary", ""}, {"John", ""}});
    for (const bool check : {false, true}) {
        CDeleteListRecordsDlg dialog(*list);
        TestHooks::OnNextDialog(kDeleteListRecordsTemplate, [&](CDialog& dlg) {
            std::string name;
            std::string understood;
            dlg.GetDlgItemText(IDC_DELETE_RECORDS_NAME, name);
            dlg.GetDlgItemText(IDC_DELETE_RECORDS_CHECK, understood);
            EXPECT_EQ(name, "Doomed");
            EXPECT_EQ(understood, "I understand that 3 records will be deleted");
            EXPECT_FALSE(dlg.GetDlgItem(IDOK)->IsWindowEnabled());
            if (!check)
                return TestHooks::Click(dlg, IDCANCEL);
            TestHooks::Click(dlg, IDC_DELETE_RECORDS_CHECK);
            TestHooks::Click(dlg, IDOK);
        });
        EXPECT_EQ(dialog.DoModal(), check ? IDOK : IDCANCEL);
    }
}

TEST_F(CNamedListUiTest, SelectNamedListPreselectsAndGivesTheName)
{
    MakeList("Zebra", {{"John", ""}, {"Mary", ""}});
    MakeList("apple", {});
    CSelectNamedListDlg dialog;
    dialog.m_name = "ZEBRA";
    TestHooks::OnNextDialog(kSelectNamedListTemplate, [&](CDialog& dlg) {
        EXPECT_TRUE(dlg.GetDlgItem(IDOK)->IsWindowEnabled());
        TestHooks::Click(dlg, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_name, "Zebra");

    CSelectNamedListDlg none;
    none.m_name = "missing";
    TestHooks::OnNextDialog(kSelectNamedListTemplate, [&](CDialog& dlg) {
        EXPECT_FALSE(dlg.GetDlgItem(IDOK)->IsWindowEnabled());
        TestHooks::Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(none.DoModal(), IDCANCEL);
}

} // namespace
