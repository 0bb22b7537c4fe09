// tests/records/record_choice_dialogs_test.cpp: the dialogs that pick a record or a family, ask
// a sex or create a source, repository or note, driven through the database's questions where
// the program asks them that way; messages checked word for word, the data after each OK.
#include "records/dialogs/ask_sex_dlg.h"
#include "records/dialogs/new_record_dlgs.h"
#include "records/dialogs/record_dialogs.h"
#include "records/dialogs/select_family_dlg.h"
#include "records/dialogs/select_record_dlg.h"

#include "controls/grid_find_bar.h"
#include "database/dictionary/field_ids.h"
#include "database/kin/relative_dialogs.h"
#include "database/nodes/change_tracking.h"
#include "database/records/assoc_node.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace record_test;

class RecordChoiceDialogsTest : public CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        controls_test::UseCompiledResources();
        InstallRecordDialogs();
        m_john = NewIndividual(SEX_MALE, "John /Smith/");
        m_mary = NewIndividual(SEX_FEMALE, "Mary /Jones/");
        m_ann = NewIndividual(SEX_FEMALE, "Ann /Smith/");
        m_family = NewFamily();
        Link(m_family, "HUSB", m_john);
        Link(m_family, "WIFE", m_mary);
        Link(m_family, "CHIL", m_ann);
        NotifyChanges();
    }
    void TearDown() override
    {
        SetRelativeDialogs(nullptr);
        SetSexQuestion(nullptr);
        TestHooks::TakeMessages();
        CRecordTest::TearDown();
    }
    static std::vector<std::string> Messages()
    {
        std::vector<std::string> texts;
        for (const auto& shown : TestHooks::TakeMessages())
            texts.push_back(shown.text);
        return texts;
    }
    static std::string Text(const CWnd& wnd, int id = 0)
    {
        std::string text;
        if (id)
            static_cast<const CDialog&>(wnd).GetDlgItemText(id, text);
        else
            wnd.GetWindowText(text);
        return text;
    }
    static std::vector<std::string> ComboItems(CDialog& dialog, int id)
    {
        std::vector<std::string> items;
        if (const auto* combo = dynamic_cast<CComboBox*>(dialog.GetDlgItem(id)))
            for (int i = 0; i < combo->GetCount(); ++i) {
                std::string item;
                combo->GetLBText(i, item);
                items.push_back(item);
            }
        return items;
    }
    static void Pick(CTagGrid& grid, const CRecordNode* record)
    {
        CTreeBoxNode* row = grid.FindRowByRecord(record);
        ASSERT_NE(row, nullptr);
        grid.SelectRow(row, false, true);
    }
    /// Asks the installed record-selection dialog for a link of fieldId that holder makes.
    bool Select(const CRecordNode* holder, int fieldId, bool filterOn, CRecordNode*& selected,
                int listIndex = kIndi)
    {
        CRecordSelectRequest request;
        request.m_root = GetRecordTypeRoot(listIndex);
        request.m_holder = holder;
        request.m_filterFieldId = fieldId;
        request.m_filterOn = filterOn;
        return GetRelativeDialogs()->SelectRecord(request, selected);
    }

    CWinApp m_app{"Ardenvel"};
    CIndRec* m_john = nullptr;
    CIndRec* m_mary = nullptr;
    CIndRec* m_ann = nullptr;
    CFamRec* m_family = nullptr;
};

TEST_F(RecordChoiceDialogsTest, SelectRecordOffersTheLinksFilterAndChecksTheChoice)
{
    // No filter of its own: only "All"; the caption names the type.
    CRecordNode* selected = nullptr;
    TestHooks::OnNextDialog(kSelectRecordTemplate, [&](CDialog& dialog) {
        auto& select = static_cast<CSelectRecordDlg&>(dialog);
        EXPECT_EQ(Text(dialog), "Select Individual Record");
        EXPECT_EQ(ComboItems(dialog, IDC_SELECT_FILTER), (std::vector<std::string>{"All"}));
        EXPECT_FALSE(dialog.GetDlgItem(IDOK)->IsWindowEnabled());
        Pick(select.GetGrid(), m_ann);
        TestHooks::Click(dialog, IDOK);
    });
    EXPECT_TRUE(Select(m_john, 0, false, selected));
    EXPECT_EQ(selected, m_ann);

    // A husband: "No Females" chosen, so Mary and Ann are not offered; "All" offers them.
    CFamRec* family = NewFamily();
    NotifyChanges();
    TestHooks::OnNextDialog(kSelectRecordTemplate, [&](CDialog& dialog) {
        auto& select = static_cast<CSelectRecordDlg&>(dialog);
        EXPECT_EQ(ComboItems(dialog, IDC_SELECT_FILTER),
                  (std::vector<std::string>{"All", "No Females"}));
        EXPECT_EQ(select.GetGrid().FindRowByRecord(m_mary), nullptr);
        EXPECT_NE(select.GetGrid().FindRowByRecord(m_john), nullptr);
        TestHooks::SelectItem(dialog, IDC_SELECT_FILTER, 0);
        EXPECT_NE(select.GetGrid().FindRowByRecord(m_mary), nullptr);
        // A woman as husband is refused by the link's rules; the dialog stays.
        Pick(select.GetGrid(), m_mary);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dialog, IDOK);
        EXPECT_EQ(Messages(), (std::vector<std::string>{"Wrong sex"}));
        TestHooks::Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(Select(family, FIELD_HUSB, true, selected));
}

TEST_F(RecordChoiceDialogsTest, SelectRecordFindsARecordByNameThroughItsFindBar)
{
    CRecordNode* selected = nullptr;
    TestHooks::OnNextDialog(kSelectRecordTemplate, [&](CDialog& dialog) {
        CTagGrid& grid = static_cast<CSelectRecordDlg&>(dialog).GetGrid();
        CGridFindBar* bar = grid.GetFindBar();
        ASSERT_NE(bar, nullptr);
        bar->GetEdit(CTreeGrid::kFindTextId)->SetWindowText("smith, a");
        EXPECT_EQ(grid.GetSelectedRecord(), m_ann);
        TestHooks::Click(dialog, IDOK);
    });
    EXPECT_TRUE(Select(m_john, 0, false, selected));
    EXPECT_EQ(selected, m_ann);
}

TEST_F(RecordChoiceDialogsTest, SelectRecordOpensWithEveryFindBoxOfItsTypeFullAndTheFocusInTheFirst)
{
    // Husband, wife and record id of a family; name and record id of an individual.
    for (const int listIndex : {kFam, kIndi}) {
        CRecordNode* selected = nullptr;
        TestHooks::OnNextDialog(kSelectRecordTemplate, [&](CDialog& dialog) {
            CTagGrid& grid = static_cast<CSelectRecordDlg&>(dialog).GetGrid();
            CGridFindBar* bar = grid.GetFindBar();
            ASSERT_NE(bar, nullptr);
            // Its find boxes open at their full widths, the focus in the first one.
            CRect opened, full;
            bar->GetClientRect(&full);
            EXPECT_GE(full.Width(), bar->GetTemplateWidth()) << listIndex;
            EXPECT_EQ(CWnd::GetFocus(), bar->GetEdit(CTreeGrid::kFindTextId)) << listIndex;
            // Nor can it be made narrower than it opens.
            dialog.GetWindowRect(&opened);
            TestHooks::DragWindowSize(dialog, 100, int(opened.Height()));
            CRect inside;
            bar->GetClientRect(&inside);
            EXPECT_GE(inside.Width(), bar->GetLeastWidth());
            for (const int id :
                 {CTreeGrid::kFindTextId, CTreeGrid::kFindText2Id, CTreeGrid::kFindIdId}) {
                CWnd* edit = bar->GetEdit(id);
                if (!edit->IsWindowVisible())
                    continue;
                CRect place;
                edit->GetWindowRect(&place);
                bar->ScreenToClient(&place);
                EXPECT_LE(place.right, inside.right) << listIndex << " " << id;
                EXPECT_GT(place.Width(), 0) << listIndex << " " << id;
            }
            // The grid, the filter and the buttons follow the wider dialog.
            CRect client, gridPlace, cancel;
            dialog.GetClientRect(&client);
            grid.GetWindowRect(&gridPlace);
            dialog.ScreenToClient(&gridPlace);
            EXPECT_EQ(client.right - gridPlace.right, gridPlace.left) << listIndex;
            dialog.GetDlgItem(IDCANCEL)->GetWindowRect(&cancel);
            dialog.ScreenToClient(&cancel);
            EXPECT_LE(cancel.right, client.right) << listIndex;
            TestHooks::Click(dialog, IDCANCEL);
        });
        EXPECT_FALSE(Select(nullptr, 0, false, selected, listIndex));
    }
}

TEST_F(RecordChoiceDialogsTest, SelectRecordRefusesTheExcludedAndAsksQuestionableLinks)
{
    CFamRec* family = NewFamily();
    NotifyChanges();
    CSelectRecordDlg dialog;
    dialog.m_root = GetRecordTypeRoot(kIndi);
    dialog.m_context = family;
    dialog.m_linkFieldId = FIELD_CHIL;
    dialog.m_excluded = m_john;
    TestHooks::OnNextDialog(kSelectRecordTemplate, [&](CDialog&) {
        Pick(dialog.GetGrid(), m_john);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dialog, IDOK);
        EXPECT_EQ(Messages(), (std::vector<std::string>{"Invalid selection"}));
        // Ann has a parent family already: the question, answered No, keeps the dialog.
        Pick(dialog.GetGrid(), m_ann);
        TestHooks::AnswerMessageBox(IDNO);
        TestHooks::Click(dialog, IDOK);
        EXPECT_EQ(Messages(), (std::vector<std::string>{
                                  "The selected Individual record already has a Family (as "
                                  "child).  Are you sure you want to add another one?"}));
        TestHooks::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    // Accepted without asking.
    CSelectRecordDlg quiet;
    quiet.m_root = GetRecordTypeRoot(kIndi);
    quiet.m_context = family;
    quiet.m_linkFieldId = FIELD_CHIL;
    quiet.m_acceptWithoutAsking = true;
    TestHooks::OnNextDialog(kSelectRecordTemplate, [&](CDialog&) {
        Pick(quiet.GetGrid(), m_ann);
        TestHooks::Click(quiet, IDOK);
    });
    EXPECT_EQ(quiet.DoModal(), IDOK);
    EXPECT_EQ(quiet.m_selected, m_ann);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RecordChoiceDialogsTest, AnIndividualCannotBeChosenAsItsOwnRelative)
{
    // Tom, without a parent family, links an existing parent: he is not taken as his own.
    CIndRec* tom = NewIndividual(SEX_MALE, "Tom /Hart/");
    CIndRec* sam = NewIndividual(SEX_MALE, "Sam /Hart/");
    NotifyChanges();
    TestHooks::OnNextDialog(kSelectRecordTemplate, [&](CDialog& dialog) {
        auto& select = static_cast<CSelectRecordDlg&>(dialog);
        Pick(select.GetGrid(), tom);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dialog, IDOK);
        EXPECT_EQ(Messages(), (std::vector<std::string>{"Invalid selection"}));
        Pick(select.GetGrid(), sam);
        TestHooks::Click(dialog, IDOK);
    });
    CFamRec* family = nullptr;
    bool linked = false;
    bool cancelled = false;
    EXPECT_EQ(tom->LinkExistingParent(family, nullptr, false, linked, cancelled, true), sam);
    ASSERT_NE(family, nullptr);
    EXPECT_EQ(family->GetHusband(), sam);
    EXPECT_EQ(tom->GetNextSpouseFamily(nullptr), nullptr) << "never a parent of himself";
}

TEST_F(RecordChoiceDialogsTest, TheSexQuestionAnswersMaleFemaleOrNothing)
{
    std::string text;
    for (const auto& [button, answer] :
         {std::pair{IDC_ASK_SEX_MALE, 0}, std::pair{IDC_ASK_SEX_FEMALE, 1},
          std::pair{int(IDCANCEL), -1}}) {
        TestHooks::OnNextDialog(kAskSexTemplate, [&, button = button](CDialog& dialog) {
            text = Text(dialog, IDC_ASK_SEX_TEXT);
            TestHooks::Click(dialog, button);
        });
        EXPECT_EQ(AskSexOf("new parent"), answer);
        EXPECT_EQ(text, "Please indicate the sex of new parent");
    }
}

TEST_F(RecordChoiceDialogsTest, NewSourceAndRepositoryKeepOnlyWhatIsFilledIn)
{
    CNewSourceDlg source;
    TestHooks::OnNextDialog(kNewSourceTemplate, [&](CDialog& dialog) {
        EXPECT_FALSE(dialog.GetDlgItem(IDOK)->IsWindowEnabled());
        TestHooks::SetText(dialog, IDC_SOURCE_SHORT_TITLE, "  Parish book ");
        TestHooks::SetText(dialog, IDC_SOURCE_TEXT, "   ");
        TestHooks::SetText(dialog, IDC_SOURCE_AUTHOR, "Clerk");
        TestHooks::Click(dialog, IDOK);
    });
    ASSERT_EQ(source.DoModal(), IDOK);
    ASSERT_NE(source.m_created, nullptr);
    EXPECT_EQ(source.m_created->FindChild(nullptr, FIELD_TITL), nullptr);
    EXPECT_EQ(source.m_created->FindChild(nullptr, FIELD_TEXT), nullptr);
    std::string text;
    source.m_created->FindChild(nullptr, FIELD_ABBR)->GetText(text, 0);
    EXPECT_EQ(text, "Parish book");

    // "New..." of the record list: a repository through its dialog, a note at once.
    CSelectRecordListDlg list;
    list.m_title = "Select repository...";
    list.m_recordSet = GetRecordTypeRoot(kRepo);
    list.m_newType = kRepo;
    TestHooks::OnNextDialog(kSelectRecordListTemplate, [&](CDialog& dialog) {
        EXPECT_TRUE(dialog.GetDlgItem(IDC_SELECT_NEW)->IsWindowVisible());
        TestHooks::OnNextDialog(kNewRepositoryTemplate, [&](CDialog& repository) {
            TestHooks::SetText(repository, IDC_REPO_NAME, "Archive");
            TestHooks::SetText(repository, IDC_REPO_PHONE, "555");
            TestHooks::Click(repository, IDOK);
        });
        TestHooks::Click(dialog, IDC_SELECT_NEW);
    });
    ASSERT_EQ(list.DoModal(), IDOK);
    ASSERT_NE(list.m_selected, nullptr);
    EXPECT_EQ(list.m_selected->GetParent(), GetRecordTypeRoot(kRepo));
    EXPECT_NE(list.m_selected->FindChild(nullptr, FIELD_PHON), nullptr);

    CSelectRecordListDlg notes;
    notes.m_title = "Select note...";
    notes.m_recordSet = GetRecordTypeRoot(kNote);
    notes.m_newType = kNote;
    TestHooks::OnNextDialog(kSelectRecordListTemplate,
                            [&](CDialog& dialog) { TestHooks::Click(dialog, IDC_SELECT_NEW); });
    ASSERT_EQ(notes.DoModal(), IDOK);
    ASSERT_NE(notes.m_selected, nullptr);
    EXPECT_EQ(notes.m_selected->GetParent(), GetRecordTypeRoot(kNote));
}

TEST_F(RecordChoiceDialogsTest, AddNoteOffersFamilyNotesOnlyForSpouses)
{
    CAddNoteDlg note;
    note.m_record = m_ann; // no spouse family
    TestHooks::OnNextDialog(kAddNoteTemplate, [&](CDialog& dialog) {
        EXPECT_FALSE(dialog.GetDlgItem(IDC_NOTE_FAMILY)->IsWindowEnabled());
        TestHooks::Click(dialog, IDC_NOTE_LINK);
        TestHooks::Click(dialog, IDOK);
    });
    ASSERT_EQ(note.DoModal(), IDOK);
    EXPECT_EQ(note.m_choice, 2);

    CAddNoteDlg family;
    family.m_record = m_john;
    TestHooks::OnNextDialog(kAddNoteTemplate, [&](CDialog& dialog) {
        EXPECT_EQ(ComboItems(dialog, IDC_NOTE_FAMILIES), (std::vector<std::string>{"Mary JONES"}));
        EXPECT_FALSE(dialog.GetDlgItem(IDC_NOTE_FAMILIES)->IsWindowEnabled());
        TestHooks::Click(dialog, IDC_NOTE_FAMILY);
        TestHooks::Click(dialog, IDOK);
    });
    ASSERT_EQ(family.DoModal(), IDOK);
    EXPECT_EQ(family.m_choice, 1);
    EXPECT_EQ(family.m_family, m_family);
}

TEST_F(RecordChoiceDialogsTest, SpecifyFamilyChecksTheSlotTheNewSpouseTakes)
{
    // Mary is a wife: Carl would be the husband, whose place in her family is taken.
    CIndRec* carl = NewIndividual(SEX_MALE, "Carl /Brown/");
    NotifyChanges();
    CFamilyChoice choice;
    TestHooks::OnNextDialog(kSelectFamilyTemplate, [&](CDialog& dialog) {
        auto& select = static_cast<CSelectFamilyDlg&>(dialog);
        EXPECT_EQ(Text(dialog), "Specify Family for Spouse");
        EXPECT_EQ(Text(dialog, IDC_FAMILY_PROMPT),
                  "Mary JONES is already a mother/wife in each of the Family records listed "
                  "below, at least one of which has no father/husband.");
        EXPECT_EQ(Text(dialog, IDC_FAMILY_USE),
                  "Make Carl BROWN the husband in one of the listed families (requires "
                  "selection)");
        TestHooks::Click(dialog, IDC_FAMILY_USE);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dialog, IDOK);
        Pick(select.GetGrid(), m_family);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dialog, IDOK);
        EXPECT_EQ(Messages(),
                  (std::vector<std::string>{"Please select a family in the list",
                                            "This family already has a father/husband"}));
        TestHooks::Click(dialog, IDC_FAMILY_CREATE);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dialog, IDOK);
        EXPECT_EQ(Messages(),
                  (std::vector<std::string>{
                      "You have selected a family in the list, but you have also opted to "
                      "create a new family.  Consequently the list selection will be ignored."}));
    });
    EXPECT_TRUE(GetRelativeDialogs()->ChooseFamily(FCM_SPOUSE, m_mary, carl, choice));
    EXPECT_FALSE(choice.m_useSelected);

    // A child of the family is refused as its new parent.
    TestHooks::OnNextDialog(kSelectFamilyTemplate, [&](CDialog& dialog) {
        Pick(static_cast<CSelectFamilyDlg&>(dialog).GetGrid(), m_family);
        TestHooks::Click(dialog, IDC_FAMILY_USE);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dialog, IDOK);
        EXPECT_EQ(Messages(), (std::vector<std::string>{
                                  "Invalid selection.  Ann SMITH is already a member of this "
                                  "family"}));
        TestHooks::Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(GetRelativeDialogs()->ChooseFamily(FCM_SPOUSE, m_mary, m_ann, choice));
}

} // namespace
