// tests/records/dialogs/event_dialogs_test.cpp: tests of the Add Event or Attribute dialog, its
// offered items and results, and the custom name dialogs.
#include "records/dialogs/add_event_dlg.h"
#include "records/dialogs/add_event_items.h"
#include "records/dialogs/custom_name_dlg.h"
#include "records/dialogs/edit_event_list_dlg.h"

#include "database/dictionary/field_ids.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/list_box.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/database/kin/ind_rec_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace ind_test;

namespace {

class EventDialogsTest : public CIndRecTest {
protected:
    void SetUp() override
    {
        CIndRecTest::SetUp();
        controls_test::UseCompiledResources();
    }
    void TearDown() override
    {
        TestHooks::TakeMessages();
        CIndRecTest::TearDown();
    }
    static std::vector<std::string> Shown()
    {
        std::vector<std::string> texts;
        for (const auto& shown : TestHooks::TakeMessages())
            texts.push_back(shown.text);
        return texts;
    }
    /// The item of that text, or an item with value 0.
    static CAddEventItem Find(const std::vector<CAddEventItem>& items, const std::string& text)
    {
        const auto found = std::find_if(items.begin(), items.end(),
                                        [&](const CAddEventItem& i) { return i.m_text == text; });
        return found == items.end() ? CAddEventItem{} : *found;
    }
    static int Count(const std::vector<CAddEventItem>& items, const std::string& text)
    {
        return int(std::count_if(items.begin(), items.end(),
                                 [&](const CAddEventItem& i) { return i.m_text == text; }));
    }
    /// The list box's texts in order.
    static std::vector<std::string> ListTexts(CDialog& dlg)
    {
        std::vector<std::string> texts;
        auto* list = dynamic_cast<CListBox*>(dlg.GetDlgItem(IDC_ADD_EVENT_LIST));
        for (int i = 0; list && i < list->GetCount(); ++i) {
            texts.emplace_back();
            list->GetText(i, texts.back());
        }
        return texts;
    }
    static int IndexOf(CDialog& dlg, const std::string& text)
    {
        const std::vector<std::string> texts = ListTexts(dlg);
        return int(std::find(texts.begin(), texts.end(), text) - texts.begin());
    }
};

TEST_F(EventDialogsTest, AnIndividualWithoutSpouseFamilyIsOfferedNoFamilyEvents)
{
    CAddEventListInput input;
    input.m_individual = true;
    const std::vector<CAddEventItem> alone = BuildAddEventItems(input);
    EXPECT_EQ(alone.front().m_text, "<New Custom Event for Individual>");
    EXPECT_EQ(Count(alone, "<New Custom Event for Family>"), 0);
    EXPECT_EQ(Count(alone, "Marriage"), 0);
    EXPECT_EQ(Count(alone, "Census"), 1);
    EXPECT_EQ(Find(alone, "Census").m_value, ADD_EVENT_SCOPE_EITHER);
    EXPECT_EQ(Find(alone, "Birth").m_value, ADD_EVENT_SCOPE_INDIVIDUAL);
    EXPECT_EQ(Count(alone, "Custom Event"), 0);

    input.m_family = true;
    input.m_offerChildEvents = true;
    CCustomNameLists names;
    names.m_indiEvents = {"Voyage", "Feast"};
    names.m_famEvents = {"Feast", "Move"};
    names.m_excludedEvents = {"BAPTISM", "Move"};
    input.m_names = &names;
    const std::vector<CAddEventItem> married = BuildAddEventItems(input);
    EXPECT_EQ(married[1].m_text, "<New Custom Event for Family>");
    EXPECT_EQ(Count(married, "Census"), 1) << "once, for either record";
    EXPECT_EQ(Find(married, "Marriage").m_value, ADD_EVENT_SCOPE_FAMILY);
    EXPECT_EQ(Find(married, kBirthOfChild).m_value, ADD_EVENT_SCOPE_CHILD);
    EXPECT_EQ(Find(married, "Voyage (custom event)").m_value, 9u);
    EXPECT_EQ(Find(married, "Feast (custom event)").m_value, 11u);
    EXPECT_EQ(Count(married, "Feast (custom event)"), 1);
    EXPECT_EQ(Count(married, "Baptism"), 0) << "excluded";
    EXPECT_EQ(Count(married, "Move (custom event)"), 0) << "excluded";

    input.m_events = false;
    const std::vector<CAddEventItem> attributes = BuildAddEventItems(input);
    EXPECT_EQ(attributes[0].m_text, "<New Custom Attribute for Individual>");
    EXPECT_EQ(Find(attributes, "Occupation").m_value, ADD_EVENT_SCOPE_INDIVIDUAL);
    EXPECT_EQ(Count(attributes, "Custom Attribute"), 0);
}

TEST_F(EventDialogsTest, ChoicesResolveToTheFieldAndTheRecordThatReceivesIt)
{
    CIndRec* mum = Person(SEX_FEMALE, "Mum");
    CIndRec* kid = Person(SEX_MALE, "Kid");
    CFamRec* family = Marry(Person(SEX_MALE, "Dad"), mum, {kid, Person(SEX_FEMALE, "Sis")});
    EXPECT_EQ(GetAddEventCandidates(mum, ADD_EVENT_SCOPE_CHILD).size(), 2u);
    EXPECT_EQ(GetAddEventCandidates(mum, ADD_EVENT_SCOPE_EITHER),
              (std::vector<CRecordNode*>{mum, family}));
    EXPECT_EQ(GetAddEventCandidates(family, ADD_EVENT_SCOPE_FAMILY),
              std::vector<CRecordNode*>{family});

    struct Case {
        CAddEventItem item;
        bool events;
        CRecordNode* record;
        int scope;
        int fieldId;
        const char* name;
    };
    const std::vector<Case> cases = {
        {{kBirthOfChild, ADD_EVENT_SCOPE_CHILD}, true, kid, 1, FIELD_BIRT, ""},
        {{kAdoptionOfChild, ADD_EVENT_SCOPE_CHILD}, true, kid, 1, FIELD_ADOP, ""},
        {{"Census", ADD_EVENT_SCOPE_EITHER}, true, family, 2, FIELD_CENS, ""},
        {{"Census", ADD_EVENT_SCOPE_EITHER}, true, mum, 1, FIELD_CENS, ""},
        {{"Marriage", ADD_EVENT_SCOPE_FAMILY}, true, family, 2, FIELD_MARR, ""},
        {{"Occupation", ADD_EVENT_SCOPE_INDIVIDUAL}, false, mum, 1, FIELD_OCCU, ""},
        {{"Feast (custom event)", 11}, true, family, 2, FIELD_EVEN, "Feast"},
        {{"Height (custom attribute)", 9}, false, mum, 1, FIELD_CUSTOM_ATTR, "Height"},
        {{"No such label", ADD_EVENT_SCOPE_INDIVIDUAL}, true, mum, 0, 0, ""},
        {{"Marriage", ADD_EVENT_SCOPE_FAMILY}, true, mum, 0, 0, ""},
        {{"<New Custom Event for Individual>", 17}, true, mum, 0, 0, ""},
    };
    for (const Case& c : cases) {
        CAddEventResult result;
        EXPECT_EQ(ResolveAddEventChoice(c.item, c.events, c.record, result), c.fieldId != 0)
            << c.item.m_text;
        EXPECT_EQ(result.m_fieldId, c.fieldId) << c.item.m_text;
        EXPECT_EQ(result.m_scope, c.scope) << c.item.m_text;
        EXPECT_EQ(result.m_customName, c.name) << c.item.m_text;
    }
}

TEST_F(EventDialogsTest, TheDialogAddsABirthToTheChosenChild)
{
    CIndRec* mum = Person(SEX_FEMALE, "Mum");
    CIndRec* kid = Person(SEX_MALE, "Kid");
    CIndRec* sis = Person(SEX_FEMALE, "Sis");
    Marry(Person(SEX_MALE, "Dad"), mum, {kid, sis});
    NotifyChanges();
    CAddEventDlg dialog;
    dialog.m_record = mum;
    dialog.m_offerChildEvents = true;
    TestHooks::OnNextDialog(kAddEventTemplate, [&](CDialog& dlg) {
        std::string caption;
        dlg.GetWindowText(caption);
        EXPECT_EQ(caption, "Add Event or Attribute for " + TextOf(mum));
        const std::vector<std::string> texts = ListTexts(dlg);
        ASSERT_GE(texts.size(), 3u);
        EXPECT_EQ(texts[0], "<New Custom Event for Individual>");
        EXPECT_EQ(texts[1], "<New Custom Event for Family>");
        TestHooks::SelectItem(dlg, IDC_ADD_EVENT_LIST, IndexOf(dlg, kBirthOfChild));
        EXPECT_EQ(dialog.GetGrid().GetBox().GetFirstItem() ? 2 : 0, 2);
        EXPECT_EQ(dialog.GetGrid().GetSelectedRecord(false), kid) << "the first row is chosen";
        dialog.GetGrid().SelectRow(dialog.GetGrid().FindRowByRecord(sis), false, true);
        TestHooks::Click(dlg, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_result.m_record, sis);
    EXPECT_EQ(dialog.m_result.m_fieldId, FIELD_BIRT);
    EXPECT_EQ(dialog.m_result.m_scope, 1);
}

TEST_F(EventDialogsTest, ANewCustomEventTooSimilarIsRefusedAndASimilarFamilyNameOffered)
{
    CIndRec* al = Person(SEX_MALE, "Al");
    CDataNode* voyage = al->CreateChildById(FIELD_EVEN);
    ASSERT_NE(voyage, nullptr);
    SetField(voyage, "TYPE", "Sea voyage");
    CFamRec* family = Marry(al, Person(SEX_FEMALE, "Bea"));
    CDataNode* move = family->CreateChildById(FIELD_EVEN);
    ASSERT_NE(move, nullptr);
    SetField(move, "TYPE", "House move");
    NotifyChanges();

    CAddEventDlg dialog;
    dialog.m_record = al;
    TestHooks::OnNextDialog(kAddEventTemplate, [&](CDialog& dlg) {
        EXPECT_NE(IndexOf(dlg, "Sea voyage (custom event)"), int(ListTexts(dlg).size()));
        TestHooks::SelectItem(dlg, IDC_ADD_EVENT_LIST, 0);
        TestHooks::OnNextDialog(kAddCustomEventTemplate, [&](CDialog& custom) {
            std::string label;
            custom.GetDlgItemText(IDC_CUSTOM_NAME_LABEL, label);
            EXPECT_EQ(label, "New Individual Event:");
            EXPECT_FALSE(custom.GetDlgItem(IDOK)->IsWindowEnabled());
            TestHooks::SetText(custom, IDC_CUSTOM_NAME, "sea-Voyage");
            TestHooks::AnswerMessageBox(IDOK);
            TestHooks::Click(custom, IDOK);
            const std::vector<std::string> refused = Shown();
            ASSERT_EQ(refused.size(), 1u);
            EXPECT_TRUE(refused[0].starts_with(
                "Name is too similar to an existing Individual event name."));
            TestHooks::SetText(custom, IDC_CUSTOM_NAME, " House-move ");
            TestHooks::AnswerMessageBox(IDCANCEL);
            TestHooks::Click(custom, IDOK);
            EXPECT_EQ(Shown().size(), 1u) << "Cancel keeps the dialog open";
            TestHooks::AnswerMessageBox(IDYES);
            TestHooks::Click(custom, IDOK);
            EXPECT_TRUE(Shown().at(0).starts_with("Name is similar, but not identical, to an "
                                                  "existing Family event name: \n\nHouse move"));
        });
        TestHooks::Click(dlg, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_result.m_customName, "House move") << "the existing name taken instead";
    EXPECT_EQ(dialog.m_result.m_fieldId, FIELD_EVEN);
    EXPECT_EQ(dialog.m_result.m_record, al);
}

TEST_F(EventDialogsTest, ACustomItemNameNeedsItsKindAndNoStandardName)
{
    CCustomItemNameDlg dialog;
    dialog.m_isFamily = true;
    TestHooks::OnNextDialog(kCustomItemNameTemplate, [&](CDialog& dlg) {
        std::string caption;
        dlg.GetWindowText(caption);
        EXPECT_EQ(caption, "Add Custom Event/Attribute For Family");
        EXPECT_FALSE(dlg.GetDlgItem(IDC_ITEM_NAME)->IsWindowEnabled());
        TestHooks::Click(dlg, IDC_ITEM_ATTRIBUTE);
        std::string label;
        dlg.GetDlgItemText(IDC_ITEM_NAME_LABEL, label);
        EXPECT_EQ(label, "Attribute Name:");
        TestHooks::SetText(dlg, IDC_ITEM_NAME, "census");
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dlg, IDOK);
        EXPECT_EQ(Shown(), std::vector<std::string>{
                               "The text you have entered is the name of an existing standard "
                               "event.  You cannot have a custom attribute with the same name as "
                               "a standard event or attribute."});
        TestHooks::SetText(dlg, IDC_ITEM_NAME, " Shoe size ");
        TestHooks::Click(dlg, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_name, "Shoe size");
    EXPECT_FALSE(dialog.m_isEvent);
}

} // namespace

namespace {

std::vector<std::string> RowTexts(CColBox& pane)
{
    std::vector<std::string> texts;
    for (CTreeBoxNode* row = pane.GetBox().GetFirstItem(); row; row = row->m_nextSibling)
        texts.push_back(row->m_text);
    return texts;
}

TEST_F(EventDialogsTest, EditListKeepsOneRowPerKindAndHandsBackTheChosenOrder)
{
    std::vector<CEventListEntry> list = {
        {FIELD_MARR, {}, 0}, {FIELD_BIRT, {}, 0}, {0, "Feast", 1}, {0, "", 2}, {0, "Odd", 7}};
    CEditEventListDlg dialog(list, true);
    TestHooks::OnNextDialog(kEditEventListTemplate, [&](CDialog& dlg) {
        std::string caption;
        dlg.GetWindowText(caption);
        EXPECT_EQ(caption, "Edit List of Family Events and Attributes");
        CColBox& chosen = dialog.GetPane(IDC_LIST_CHOSEN);
        EXPECT_EQ(RowTexts(chosen),
                  (std::vector<std::string>{"Marriage\tEvent\t\t", "Feast\tEvent\tCustom\t"}))
            << "a birth is no family event; a nameless or unknown kind is dropped";
        EXPECT_TRUE(RowTexts(dialog.GetPane(IDC_LIST_EVENTS)).front().ends_with("\t\t"));

        for (const char* name : {"Boat trip", "BOAT TRIP"}) {
            TestHooks::OnNextDialog(kCustomItemNameTemplate, [&](CDialog& item) {
                TestHooks::Click(item, IDC_ITEM_EVENT);
                TestHooks::SetText(item, IDC_ITEM_NAME, name);
                TestHooks::Click(item, IDOK);
            });
            TestHooks::Click(dlg, IDC_LIST_ADD_CUSTOM);
        }
        ASSERT_EQ(RowTexts(chosen).size(), 3u) << "the second name selects the first's row";
        EXPECT_EQ(RowTexts(chosen)[2], "Boat trip\tEvent\tCustom\t");
        CTreeBoxNode* boat = chosen.GetBox().GetLastItem();
        EXPECT_TRUE(boat->m_selected);
        EXPECT_EQ(chosen.GetBox().GetNextSelected(boat), nullptr);

        chosen.GetBox().SetItemSelected(chosen.GetBox().GetFirstItem(), true, true);
        TestHooks::Click(dlg, IDC_LIST_REMOVE);
        TestHooks::Click(dlg, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(list, (std::vector<CEventListEntry>{{0, "Feast", 1}, {0, "Boat trip", 1}}));
}

} // namespace
