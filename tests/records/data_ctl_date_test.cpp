// tests/records/data_ctl_date_test.cpp: the date and age controls with their assistants driven
// through the test hooks, the date value editor with the real date control, and a window with
// one control of each class rendered to a picture.
#include "records/datactl/data_ctl_assoc.h"
#include "records/datactl/data_ctl_date.h"
#include "records/datactl/data_ctl_edit.h"
#include "records/datactl/data_ctl_enum.h"
#include "records/datactl/data_ctl_multi.h"
#include "records/dialogs/age_entry_logic.h"
#include "records/dialogs/date_dlg.h"
#include "tests/records/data_ctl_fixture.h"

#include "controls/value_editor.h"
#include "database/dates/date_node.h"
#include "database/dictionary/field_ids.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/property_sheet.h"

#include <memory>

namespace {

using records_test::DataCtlTest;

constexpr const char* kYearMessage =
    "The year field is mandatory.  If you do not know the year, but do know the month or day, "
    "you should store what information you have as a Date Phrase.";

std::string TextOf(const CWnd& dlg, int id)
{
    std::string text;
    if (const CWnd* control = dlg.GetDlgItem(id))
        control->GetWindowText(text);
    return text;
}

int SelectionOf(const CWnd& dlg, int id)
{
    const auto* combo = dynamic_cast<const CComboBox*>(dlg.GetDlgItem(id));
    return combo ? combo->GetCurSel() : -2;
}

bool Visible(const CWnd& dlg, int id)
{
    const CWnd* control = dlg.GetDlgItem(id);
    return control && control->IsWindowVisible();
}

class DateCtlTest : public DataCtlTest {
protected:
    void SetUp() override
    {
        DataCtlTest::SetUp();
        m_person = NewIndividual(SEX_MALE, "John /Smith/");
        m_birth = m_person->CreateChildByTag("BIRT");
        ASSERT_NE(m_birth, nullptr);
        m_date = dynamic_cast<CDateNode*>(m_birth->CreateChildByTag("DATE"));
        ASSERT_NE(m_date, nullptr);
        NotifyChanges();
    }
    CDataCtlDate* ShowDate()
    {
        auto* control = dynamic_cast<CDataCtlDate*>(Show(m_date));
        EXPECT_NE(control, nullptr);
        return control;
    }
    /// Types into the control's edit and moves the focus away.
    void TypeAndLeave(CDataCtlDate& control, const char* text)
    {
        control.GetEdit().SetFocus();
        TestHooks::SetText(control, kId + 2, text);
        Leave();
    }

    CIndRec* m_person = nullptr;
    CDataNode* m_birth = nullptr;
    CDateNode* m_date = nullptr;
};

TEST_F(DateCtlTest, LeavingShowsTheDateInDisplayFormAndKeepsOtherTextAsAPhrase)
{
    CDataCtlDate* control = ShowDate();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(Text(control), "AV_DataCtlDate");
    EXPECT_EQ(control->GetButton(0)->GetDlgCtrlID(), int(kId + 1));
    struct Row {
        const char* typed;
        DateKind kind;
    };
    const Row rows[] = {
        {"22 may 1958", DATE_SIMPLE},
        {"1900 approx", DATE_APPROXIMATE},
        {"bet 1900 and 1910", DATE_RANGE},
        {"32/13/0", DATE_PHRASE},
        {"BET 1900", DATE_PHRASE},
        {"ABT", DATE_PHRASE},
        {"", DATE_EMPTY},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        TypeAndLeave(*control, row.typed);
        EXPECT_EQ(int(m_date->GetKind()), int(row.kind));
        EXPECT_EQ(Text(&control->GetEdit()), m_date->FormatText(false, DF_LONG));
    }
    // Text that is no date is never lost: it comes back as the phrase.
    TypeAndLeave(*control, "32/13/0");
    ASSERT_NE(m_date->GetPhrase(), nullptr);
    EXPECT_EQ(*m_date->GetPhrase(), "32/13/0");
    control->DestroyCtl(FALSE);
}

TEST_F(DateCtlTest, PlaceholderFlagsAskForTheCompactForm)
{
    ASSERT_TRUE(m_date->SetFromText("BET 22 MAY 1958 AND 1960", true, false));
    auto* control = dynamic_cast<CDataCtlDate*>(Show(m_date, 1));
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->UsesCompactDates());
    EXPECT_EQ(Text(&control->GetEdit()), m_date->FormatText(false, DF_COMPACT));
    EXPECT_NE(m_date->FormatText(false, DF_COMPACT), m_date->FormatText(false, DF_LONG));
    TypeAndLeave(*control, "1 jun 1900");
    EXPECT_EQ(Text(&control->GetEdit()), m_date->FormatText(false, DF_COMPACT));
    control->DestroyCtl(FALSE);
}

TEST_F(DateCtlTest, ClipboardKeysReachTheInnerEdit)
{
    CDataCtlDate* control = ShowDate();
    ASSERT_NE(control, nullptr);
    CEdit& edit = control->GetEdit();
    TestHooks::SetText(*control, kId + 2, "1958");
    edit.SetSel(0, -1);
    Key(edit, 'C', MK_CONTROL);
    edit.SetSel(4, 4);
    Key(edit, VK_INSERT, MK_SHIFT);
    EXPECT_EQ(Text(&edit), "19581958");
    edit.SetSel(0, 4);
    Key(edit, 'X', MK_CONTROL);
    EXPECT_EQ(Text(&edit), "1958");
    control->DestroyCtl(FALSE);
}

TEST_F(DateCtlTest, AnEmptyDateOpensOnTheDatePageWithAnEmptyYearThatOkAsksFor)
{
    CDataCtlDate* control = ShowDate();
    ASSERT_NE(control, nullptr);
    std::string caption;
    int opened = -1;
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        sheet.GetWindowText(caption);
        opened = sheet.GetActiveIndex();
        CPropertyPage& page = *sheet.GetActivePage();
        EXPECT_EQ(TextOf(page, IDC_DATE_YEAR), "");
        EXPECT_EQ(SelectionOf(page, IDC_DATE_CALENDAR), CALENDAR_GREGORIAN);
        EXPECT_EQ(page.GetCheckedRadioButton(IDC_DATE_NONE, IDC_DATE_EST), IDC_DATE_NONE);
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
        EXPECT_EQ(Messages(), std::vector<std::string>{kYearMessage});
        EXPECT_EQ(CWnd::GetFocus(), page.GetDlgItem(IDC_DATE_YEAR));
        TestHooks::SetText(page, IDC_DATE_YEAR, "1958");
        TestHooks::SelectItem(page, IDC_DATE_MONTH, 1);
        TestHooks::SetText(page, IDC_DATE_DAY, "28");
        TestHooks::Click(page, IDC_DATE_APPROX);
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
    });
    control->OnDateAssistant();
    EXPECT_EQ(caption, "Date Entry Assistant");
    EXPECT_EQ(opened, DPI_DATE);
    EXPECT_EQ(m_date->GetKind(), DATE_APPROXIMATE);
    EXPECT_EQ(m_date->GetQualifier(), DQ_ABT);
    EXPECT_EQ(m_date->GetFirstValue().GetDay(), 28);
    EXPECT_EQ(Text(&control->GetEdit()), m_date->FormatText(false, DF_LONG));
    EXPECT_TRUE(m_owner.Saw("commit forced"));
    control->DestroyCtl(FALSE);
}

TEST_F(DateCtlTest, APeriodOpensOnItsPageAndCancelChangesNothing)
{
    ASSERT_TRUE(m_date->SetFromText("FROM 1900 TO 1910", true, false));
    CDataCtlDate* control = ShowDate();
    ASSERT_NE(control, nullptr);
    const std::string before = Text(&control->GetEdit());
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        EXPECT_EQ(sheet.GetActiveIndex(), DPI_PERIOD);
        CPropertyPage& page = *sheet.GetActivePage();
        EXPECT_EQ(page.IsDlgButtonChecked(IDC_PERIOD_FROM), UINT(BST_CHECKED));
        EXPECT_EQ(page.IsDlgButtonChecked(IDC_PERIOD_TO), UINT(BST_CHECKED));
        EXPECT_EQ(TextOf(page, IDC_DATE_YEAR), "1900");
        EXPECT_EQ(TextOf(page, IDC_DATE2_YEAR), "1910");
        TestHooks::SetText(page, IDC_DATE_YEAR, "1800");
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
    });
    control->OnDateAssistant();
    EXPECT_EQ(Text(&control->GetEdit()), before);
    EXPECT_FALSE(m_owner.Saw("commit forced"));
    EXPECT_EQ(m_date->GetFirstValue().GetYear(), 1900);
    control->DestroyCtl(FALSE);
}

TEST_F(DateCtlTest, PeriodWithOnlyToBuildsAOneValuePeriod)
{
    CDataCtlDate* control = ShowDate();
    ASSERT_NE(control, nullptr);
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(DPI_PERIOD));
        CPropertyPage& page = *sheet.GetActivePage();
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
        EXPECT_EQ(Messages(),
                  std::vector<std::string>{
                      "Either a 'From' date, a 'To' date, or both, must be specified."});
        TestHooks::Click(page, IDC_PERIOD_TO);
        TestHooks::SetText(page, IDC_DATE2_YEAR, "1910");
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
    });
    control->OnDateAssistant();
    EXPECT_EQ(m_date->GetKind(), DATE_PERIOD);
    EXPECT_EQ(m_date->GetQualifier(), DQ_TO);
    EXPECT_EQ(m_date->GetFirstValue().GetYear(), 1910);
    EXPECT_EQ(m_date->GetSecondValue(), nullptr);
    control->DestroyCtl(FALSE);
}

TEST_F(DateCtlTest, MonthTypeAheadAndCalendarsOnTheRangePage)
{
    ASSERT_TRUE(m_date->SetFromText("BET 1731/32 AND 1740", true, false));
    CDataCtlDate* control = ShowDate();
    ASSERT_NE(control, nullptr);
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        EXPECT_EQ(sheet.GetActiveIndex(), DPI_RANGE);
        CPropertyPage& page = *sheet.GetActivePage();
        EXPECT_EQ(page.GetCheckedRadioButton(IDC_RANGE_BEFORE, IDC_RANGE_BETWEEN),
                  IDC_RANGE_BETWEEN);
        EXPECT_EQ(TextOf(page, IDC_DATE_DUAL), "32");
        EXPECT_TRUE(Visible(page, IDC_DATE2_YEAR));
        // "j" picks June, "ja" January, "x" nothing, once the focus leaves the month box.
        const struct {
            const char* typed;
            int month;
        } typed[] = {{"j", 5}, {"ja", 0}, {"x", -1}};
        for (const auto& row : typed) {
            page.GetDlgItem(IDC_DATE_MONTH)->SetFocus();
            TestHooks::SetText(page, IDC_DATE_MONTH, row.typed);
            page.GetDlgItem(IDC_DATE_YEAR)->SetFocus();
            EXPECT_EQ(SelectionOf(page, IDC_DATE_MONTH), row.month) << row.typed;
        }
        // A Julian first value has no dual year and no B.C., whatever was set before.
        TestHooks::Click(page, IDC_DATE_BC);
        TestHooks::SelectItem(page, IDC_DATE_CALENDAR, CALENDAR_JULIAN);
        EXPECT_FALSE(Visible(page, IDC_DATE_DUAL));
        EXPECT_FALSE(Visible(page, IDC_DATE_BC));
        TestHooks::SelectItem(page, IDC_DATE_MONTH, 12 - 1);
        // "Before" hides the second set.
        TestHooks::Click(page, IDC_RANGE_BEFORE);
        EXPECT_FALSE(Visible(page, IDC_DATE2_YEAR));
        EXPECT_FALSE(Visible(page, IDC_RANGE_AND));
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
    });
    control->OnDateAssistant();
    EXPECT_EQ(m_date->GetKind(), DATE_RANGE);
    EXPECT_EQ(m_date->GetQualifier(), DQ_BEF);
    const CDateValue& first = m_date->GetFirstValue();
    EXPECT_EQ(first.GetCalendar(), CALENDAR_JULIAN);
    EXPECT_EQ(first.GetMonth(), 12);
    EXPECT_FALSE(first.IsBC());
    EXPECT_FALSE(first.HasDualYear());
    control->DestroyCtl(FALSE);
}

TEST_F(DateCtlTest, PhrasePageAndItsMessage)
{
    ASSERT_TRUE(m_date->SetFromText("INT 1900 (about then)", true, false));
    CDataCtlDate* control = ShowDate();
    ASSERT_NE(control, nullptr);
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        EXPECT_EQ(sheet.GetActiveIndex(), DPI_PHRASE);
        CPropertyPage& page = *sheet.GetActivePage();
        EXPECT_EQ(page.IsDlgButtonChecked(IDC_PHRASE_INTERPRETED), UINT(BST_CHECKED));
        EXPECT_EQ(TextOf(page, IDC_PHRASE_TEXT), "about then");
        TestHooks::SetText(page, IDC_PHRASE_TEXT, "");
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
        EXPECT_EQ(Messages(), std::vector<std::string>{
                                  "You must enter text describing the date - the 'Date Phrase'.  "
                                  "If there is no such text, you should enter the date using the "
                                  "Date tab."});
        TestHooks::SetText(page, IDC_PHRASE_TEXT, "in the war");
        TestHooks::Click(page, IDC_PHRASE_INTERPRETED);
        EXPECT_FALSE(page.GetDlgItem(IDC_DATE_YEAR)->IsWindowEnabled());
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
    });
    control->OnDateAssistant();
    EXPECT_EQ(m_date->GetKind(), DATE_PHRASE);
    ASSERT_NE(m_date->GetPhrase(), nullptr);
    EXPECT_EQ(*m_date->GetPhrase(), "in the war");
    control->DestroyCtl(FALSE);
}

TEST_F(DateCtlTest, PlainDateOnlyOffersTheDatePageAloneWithTheShortMessages)
{
    CDateDlg dialog(kDateAssistantCaption, &m_host, kDateDlgPlainOnly);
    EXPECT_EQ(dialog.GetPageCount(), 1);
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        CPropertyPage& page = *sheet.GetActivePage();
        EXPECT_FALSE(page.GetDlgItem(IDC_DATE_APPROX)->IsWindowEnabled());
        EXPECT_FALSE(page.GetDlgItem(IDC_DATE_EST)->IsWindowEnabled());
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
        TestHooks::SetText(page, IDC_DATE_YEAR, "1900");
        TestHooks::SetText(page, IDC_DATE_DAY, "4");
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
        EXPECT_EQ(Messages(),
                  (std::vector<std::string>{"The year field is mandatory",
                                            "The month field is not mandatory, but you cannot "
                                            "specify a day without specifying a month."}));
        EXPECT_EQ(CWnd::GetFocus(), page.GetDlgItem(IDC_DATE_DAY));
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

class AgeCtlTest : public DataCtlTest {
protected:
    void SetUp() override
    {
        DataCtlTest::SetUp();
        CIndRec* person = NewIndividual(SEX_MALE, "John /Smith/");
        CDataNode* death = person->CreateChildByTag("DEAT");
        ASSERT_NE(death, nullptr);
        m_age = dynamic_cast<CAgeNode*>(death->CreateChildByTag("AGE"));
        ASSERT_NE(m_age, nullptr);
        NotifyChanges();
    }
    CAgeNode* m_age = nullptr;
};

TEST_F(AgeCtlTest, TypedAgesAreShownInTheirFormAndUnreadTextIsKept)
{
    auto* control = dynamic_cast<CDataCtlAge*>(Show(m_age));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(Text(control), "AV_DataCtlAge");
    for (const char* typed : {"5y 3m", "infant", "999999y", "<2d"}) {
        SCOPED_TRACE(typed);
        control->GetEdit().SetFocus();
        TestHooks::SetText(*control, kId + 2, typed);
        Leave();
        std::string stored;
        m_age->GetText(stored, 0);
        EXPECT_EQ(Text(&control->GetEdit()), stored);
    }
    EXPECT_EQ(m_age->GetAge().kind, AGE_LESS_THAN);
    control->GetEdit().SetFocus();
    TestHooks::SetText(*control, kId + 2, "999999y");
    Leave();
    ASSERT_NE(m_age->GetUnreadText(), nullptr);
    EXPECT_EQ(*m_age->GetUnreadText(), "999999y");
    control->DestroyCtl(FALSE);
}

TEST_F(AgeCtlTest, AssistantOpensOnTheAgeAndStoresOnlyOnOk)
{
    m_age->SetFromText("Infant");
    NotifyChanges();
    auto* control = dynamic_cast<CDataCtlAge*>(Show(m_age));
    ASSERT_NE(control, nullptr);
    TestHooks::OnNextDialog(kAgeEntryTemplate, [&](CDialog& dlg) {
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_AGE_INFANT), UINT(BST_CHECKED));
        EXPECT_FALSE(dlg.GetDlgItem(IDC_AGE_YEARS)->IsWindowEnabled());
        EXPECT_EQ(TextOf(dlg, IDC_AGE_YEARS), "");
        TestHooks::Click(dlg, IDC_AGE_GIVEN);
        EXPECT_TRUE(dlg.GetDlgItem(IDC_AGE_YEARS)->IsWindowEnabled());
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(dlg, IDOK);
        EXPECT_EQ(Messages(), std::vector<std::string>{"You must specify a value for at least one "
                                                       "of 'Years', 'Months' and 'Days'."});
        // The boxes take no more digits than the part can hold.
        TestHooks::SetText(dlg, IDC_AGE_MONTHS, "300");
        EXPECT_EQ(TextOf(dlg, IDC_AGE_MONTHS), "30");
        TestHooks::SetText(dlg, IDC_AGE_YEARS, "12345");
        EXPECT_EQ(TextOf(dlg, IDC_AGE_YEARS), "123");
        TestHooks::SetText(dlg, IDC_AGE_MONTHS, "");
        TestHooks::SetText(dlg, IDC_AGE_YEARS, "");
        TestHooks::Click(dlg, IDC_AGE_OLDER);
        TestHooks::SetText(dlg, IDC_AGE_DAYS, "3");
        TestHooks::Click(dlg, IDOK);
    });
    control->OnAgeAssistant();
    const CAgeValue expected{AGE_MORE_THAN, -1, -1, 3};
    EXPECT_EQ(m_age->GetAge(), expected);
    EXPECT_TRUE(m_owner.Saw("commit forced"));
    m_owner.Take();

    TestHooks::OnNextDialog(kAgeEntryTemplate, [](CDialog& dlg) {
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_AGE_OLDER), UINT(BST_CHECKED));
        EXPECT_EQ(TextOf(dlg, IDC_AGE_DAYS), "3");
        EXPECT_EQ(TextOf(dlg, IDC_AGE_YEARS), "");
        TestHooks::Click(dlg, IDC_AGE_CHILD);
        TestHooks::Click(dlg, IDCANCEL);
    });
    control->OnAgeAssistant();
    EXPECT_EQ(m_age->GetAge(), expected);
    EXPECT_FALSE(m_owner.Saw("commit forced"));
    control->DestroyCtl(FALSE);
}

/// A parameter dialog's body, whose font the value editors take.
class ValueEditorDateTest : public DataCtlTest {
protected:
    std::unique_ptr<CValueEditor> Make(const CTypedValue& value = CTypedValue())
    {
        return CreateValueEditor(&m_host, TV_DATE, nullptr, value, "When");
    }
};

TEST_F(ValueEditorDateTest, TheDateEditorUsesTheDateControlInSingleDateMode)
{
    std::unique_ptr<CValueEditor> editor = Make();
    ASSERT_NE(editor, nullptr);
    editor->ShowWindow(SW_SHOW);
    auto* control = dynamic_cast<CDataCtlDate*>(editor->GetInputControl());
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->GetDlgCtrlID(), VALUE_EDITOR_INPUT_ID);
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_FALSE(editor->Validate());
    EXPECT_EQ(Messages(), std::vector<std::string>{"Missing value"});

    const struct {
        const char* typed;
        const char* shown;
        bool valid;
    } rows[] = {
        {"22 may 1958", "22 May 1958", true},
        {"1900 approx", "1900 (approx.)", true},
        {"bet 1900 and 1910", "Between 1900 and 1910", false},
        {"after the war", "after the war", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        editor->SetFocus();
        EXPECT_EQ(CWnd::GetFocus(), &control->GetEdit());
        TestHooks::SetText(*control, VALUE_EDITOR_INPUT_ID + 2, row.typed);
        Leave();
        EXPECT_EQ(Text(&control->GetEdit()), row.shown);
        if (!row.valid)
            TestHooks::AnswerMessageBox(IDOK);
        EXPECT_EQ(editor->Validate(), row.valid);
        CTypedValue value;
        editor->GetValue(value);
        EXPECT_EQ(value.GetType(), row.valid ? TV_DATE : TV_NONE);
        Messages();
    }

    // The button offers the Date page alone; its date comes back in standard form.
    TestHooks::OnNextSheet([](CPropertySheet& sheet) {
        EXPECT_EQ(sheet.GetPageCount(), 1);
        CPropertyPage& page = *sheet.GetActivePage();
        TestHooks::SetText(page, IDC_DATE_YEAR, "1961");
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
    });
    control->OnDateAssistant();
    EXPECT_EQ(Text(&control->GetEdit()), "1961");
    CTypedValue value;
    editor->GetValue(value);
    ASSERT_EQ(value.GetType(), TV_DATE);
    EXPECT_EQ(value.GetDate().GetYear(), 1961);
}

TEST_F(DataCtlTest, F5StoresAndEscapeReachesTheOwnerInEveryContainerControl)
{
    CIndRec* person = NewIndividual(SEX_FEMALE, "Mary /Jones/");
    CDataNode* birth = person->CreateChildByTag("BIRT");
    CDataNode* date = birth->CreateChildByTag("DATE");
    CDataNode* age = birth->CreateChildByTag("AGE");
    CRecordNode* object = NewRecord(record_test::kObje);
    CDataNode* caption = object->CreateChildById(FIELD_EXT_NOTE);
    CDataNode* file = object->CreateChildById(FIELD_OBJE_LINKED_FILE);
    NotifyChanges();
    const struct {
        CDataNode* field;
        const char* typed;
        const char* stored;
    } rows[] = {
        {date, "1 jan 1901", "1 January 1901"},
        {age, "4y", "4 yrs"},
        {caption, "typed caption", "typed caption"},
        {file, "/a/b.png", "/a/b.png"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.field->GetFieldDef()->GetTag());
        auto* control = dynamic_cast<CDataCtlBox*>(Show(row.field));
        ASSERT_NE(control, nullptr);
        CEdit& edit = control->GetEdit();
        edit.SetFocus();
        m_owner.Take();
        TestHooks::SetText(*control, edit.GetDlgCtrlID(), row.typed);
        Key(edit, VK_F5);
        EXPECT_EQ(m_owner.Take(), std::vector<std::string>{"commit forced"});
        EXPECT_EQ(CWnd::GetFocus(), &edit);
        EXPECT_EQ(ValueOf(row.field), row.stored);
        Key(edit, VK_ESCAPE);
        Key(edit, VK_TAB);
        EXPECT_EQ(m_owner.Take(), (std::vector<std::string>{"key 27", "key 9"}));
        control->DestroyCtl(FALSE);
    }
}

TEST_F(DataCtlTest, OneControlOfEachClassRendersInItsPlace)
{
    CIndRec* person = NewIndividual(SEX_FEMALE, "Mary /Jones/");
    const auto [date, age] = AddBirth(person);
    CDataNode* afn = SetField(person, "AFN", "AFN-1");
    CDataNode* restriction = SetField(person, "RESN", "privacy");
    CDataNode* association = person->CreateChildByTag("ASSO");
    CRecordNode* object = NewRecord(record_test::kObje);
    CDataNode* caption = object->CreateChildById(FIELD_EXT_NOTE);
    caption->SetText("A caption");
    CDataNode* file = object->CreateChildById(FIELD_OBJE_LINKED_FILE);
    file->SetText("/pictures/mary.png");
    CFamRec* family = NewFamily();
    CDataNode* children = family->CreateChildByTag("NCHI");
    children->SetText("3");
    CRecordNode* repository = NewRecord(record_test::kRepo);
    CDataNode* address = repository->CreateChildByTag("ADDR");
    address->SetText("1 High Street");
    NotifyChanges();

    const std::vector<CDataNode*> fields = {
        afn,         person->FindChild(nullptr, FIELD_NAME), children,    caption, address,
        file,        person->FindChild(nullptr, FIELD_SEX),  restriction, date,    age,
        association,
    };
    std::vector<CDataCtl*> controls;
    int top = 6;
    UINT id = 200;
    for (CDataNode* field : fields) {
        ASSERT_NE(field, nullptr);
        CDataCtl* control = field->ShowInControl(&m_host, CRect(10, top, 300, top + 21), nullptr,
                                                 WS_CHILD | WS_VISIBLE, id, 0);
        ASSERT_NE(control, nullptr) << field->GetFieldDef()->GetTag();
        controls.push_back(control);
        top += 26;
        id += 10;
    }
    static_cast<CDataCtlAssoc*>(controls.back())->SetRecord(person);
    const TestHooks::Image image = TestHooks::RenderWindow(m_host);
    image.SavePng("data_controls.png");
    ASSERT_EQ(image.width, 420);
    // Each row shows something dark (text or a frame) where its control stands.
    for (int row = 0; row < int(fields.size()); ++row) {
        const int y0 = 6 + row * 26;
        int dark = 0;
        for (int y = y0; y < y0 + 21; ++y) {
            for (int x = 10; x < 300; ++x) {
                const COLORREF c = image.Pixel(x, y);
                if ((c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60 && ((c >> 16) & 0xFF) < 0x60)
                    ++dark;
            }
        }
        EXPECT_GT(dark, 5) << "row " << row;
    }
    for (CDataCtl* control : controls)
        control->DestroyCtl(FALSE);
}

} // namespace
