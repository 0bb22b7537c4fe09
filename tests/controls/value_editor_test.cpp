// tests/controls/value_editor_test.cpp: the value editors: which kinds make one, the window
// they make, what each takes back or refuses, the number and date inputs, the record choice,
// and a stack of editors rendered to a picture.
#include "controls/value_editor.h"

#include "database/dates/date_parse.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/sys_metrics.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using test_support::DefByPath;

/// A parameter dialog's body: the editors take its font.
constexpr UINT kHostTemplate = 900;
constexpr const char* kHostScript = R"(
900 DIALOG 0, 0, 320, 120
STYLE DS_CONTROL | WS_CHILD | WS_VISIBLE
FONT 8, "MS Sans Serif"
BEGIN
    EDITTEXT        9, 4, 100, 60, 12
END
)";

/// The program's resources and the host dialog's template.
void UseEditorResources()
{
    static CResources resources;
    static const bool loaded = [] {
        std::string error;
        const bool ok = resources.LoadCompiledIn(error);
        EXPECT_TRUE(ok) << error;
        resources.AddScript(kHostScript, "value_editor_test.rc", ".");
        return ok;
    }();
    if (loaded)
        SetAppResources(&resources);
}

class ValueEditorTest : public record_test::CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        UseEditorResources();
        ASSERT_TRUE(m_top.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 500, 200),
                                   nullptr, 0));
        ASSERT_TRUE(m_host.Create(kHostTemplate, &m_top));
        m_other = m_host.GetDlgItem(9);
        ASSERT_NE(m_other, nullptr);
    }
    void TearDown() override
    {
        m_editors.clear();
        m_host.DestroyWindow();
        m_top.DestroyWindow();
        TestHooks::TakeMessages();
        CRecordTest::TearDown();
    }

    CValueEditor* Make(int kind, const CFieldDef* def = nullptr,
                       const CTypedValue& value = CTypedValue(), const std::string& label = "X")
    {
        std::unique_ptr<CValueEditor> editor = CreateValueEditor(&m_host, kind, def, value, label);
        if (!editor)
            return nullptr;
        editor->ShowWindow(SW_SHOW);
        m_editors.push_back(std::move(editor));
        return m_editors.back().get();
    }
    static std::string TextOf(CWnd* wnd)
    {
        std::string text;
        if (wnd)
            wnd->GetWindowText(text);
        return text;
    }
    /// The texts of the message boxes shown since the last call.
    static std::vector<std::string> Messages()
    {
        return test_support::TextsOf(TestHooks::TakeMessages());
    }
    /// The value's type and display text, "NONE" for none.
    static std::string Describe(const CTypedValue& value, const CFieldDef* def = nullptr)
    {
        if (value.IsNone())
            return "NONE";
        std::string text;
        value.Format(text, def);
        return std::string(GetValueTypeName(value.GetType())) + " " + text;
    }
    static CTypedValue Date(const char* text)
    {
        CDateValue date;
        EXPECT_TRUE(ParseDateValue(date, text, true)) << text;
        CTypedValue value;
        value.SetDate(date);
        return value;
    }

    CWnd m_top;
    CDialog m_host{kHostTemplate};
    CWnd* m_other = nullptr; // a control the focus can move to
    std::vector<std::unique_ptr<CValueEditor>> m_editors;
};

TEST_F(ValueEditorTest, OnlyTheEditableKindsMakeAnEditorOfTheTemplatesSize)
{
    struct Row {
        int kind;
        int inputId; // 0: no editor
    };
    const Row rows[] = {
        {TV_NONE, 0},
        {TV_TEXT, VALUE_EDITOR_EDIT_ID},
        {TV_DATE, VALUE_EDITOR_INPUT_ID},
        {TV_NUMBER, VALUE_EDITOR_EDIT_ID},
        {TV_DATANODE, 0},
        {TV_RECORD, VALUE_EDITOR_INPUT_ID},
        {TV_ENUM, VALUE_EDITOR_COMBO_ID},
        {TV_TAGADDR, 0},
        {TV_MMDD, VALUE_EDITOR_EDIT_ID},
        {TV_SPAN, VALUE_EDITOR_EDIT_ID},
        {42, 0},
    };
    const CDialogTemplate* dialog = AppResources().FindDialog(VALUE_EDITOR_TEXT_TEMPLATE);
    ASSERT_NE(dialog, nullptr);
    RECT expected = dialog->Rect();
    MapDialogRect(GetDialogBaseUnits(dialog->GetFont()), expected);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        CValueEditor* editor = Make(row.kind, DefByPath("INDI.SEX"), {}, "Born after");
        if (!row.inputId) {
            EXPECT_EQ(editor, nullptr);
            continue;
        }
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(TextOf(editor), "Editor");
        EXPECT_EQ(editor->GetDlgCtrlID(), int(VALUE_EDITOR_ID));
        EXPECT_TRUE(editor->GetExStyle() & WS_EX_CONTROLPARENT);
        EXPECT_EQ(editor->GetInputControl(), editor->GetDlgItem(row.inputId));
        EXPECT_EQ(TextOf(editor->GetDlgItem(VALUE_EDITOR_LABEL_ID)), "Born after:");
        // The template's place, grown where the input is higher than the template's line.
        CRect rect, input;
        editor->GetWindowRect(&rect);
        m_host.ScreenToClient(&rect);
        editor->GetInputControl()->GetWindowRect(&input);
        editor->ScreenToClient(&input);
        EXPECT_EQ(rect.TopLeft(), CPoint(0, 0));
        EXPECT_EQ(rect.Width(), expected.right);
        EXPECT_EQ(rect.Height(), std::max<LONG>(expected.bottom, input.bottom));
        EXPECT_GE(input.top, 0);
    }
}

struct InputRow {
    const char* name;
    int kind;
    const char* defPath; // the field the value belongs to, or ""
    CTypedValue initial;
    const char* shown;   // what the input shows after Init
    const char* typed;   // typed over it, or null
    const char* refusal; // the message Validate shows, or null when it accepts
    const char* value;   // what GetValue gives after the check
};

TEST_F(ValueEditorTest, TakesBackWhatIsEnteredAndRefusesWhatIsMissing)
{
    CTypedValue text, number, choice, christmas, span;
    text.SetText("Smith");
    number.SetNumber(42);
    choice.SetEnum(2);
    christmas.SetMonthDay(12, 25);
    span.SetSpan(2, 6, 0);
    const char* const notAMonthDay = "Enter a month and day as month/day, such as 12/25.";
    const char* const notASpan =
        "Enter a length of time in years, months and days, such as 2 years 6 months 0 days.";
    const std::string notADate =
        "The data entered is not recognised as a valid date.\n\nVarious formats can be used "
        "for entering dates, and you don't need to specify the month or day if you don't wish "
        "to.  For example, \"1958\", \"May 1958\", or \"22 May 1958\" would all be valid (don't "
        "type the quotes, and don't forget to specify all 4 digits for years).\n\nThe usual "
        "options of specifying date ranges, date phrases, etc, are not applicable in this "
        "context.  Click on the button ('...') to bring up the Date Entry Assistant dialog, "
        "which will help you construct valid dates for the given context.";
    const InputRow rows[] = {
        {"text kept", TV_TEXT, "", text, "Smith", nullptr, nullptr, "TEXT Smith"},
        {"text typed", TV_TEXT, "", text, "Smith", "Jones", nullptr, "TEXT Jones"},
        {"text from a date", TV_TEXT, "", Date("1958"), "", nullptr, "Missing parameter value",
         "TEXT "},
        {"number kept", TV_NUMBER, "", number, "42", nullptr, nullptr, "NUMBER 42"},
        {"number zero", TV_NUMBER, "", {}, "", "0", nullptr, "NUMBER 0"},
        {"number leading zeros", TV_NUMBER, "", {}, "", "007", nullptr, "NUMBER 7"},
        {"number too big", TV_NUMBER, "", {}, "", "99999999999", nullptr, "NUMBER 2147483647"},
        {"number missing", TV_NUMBER, "", number, "42", "", "Missing parameter value", "NUMBER 0"},
        {"choice kept", TV_ENUM, "INDI.SEX", choice, "Unknown", nullptr, nullptr, "ENUM Unknown"},
        {"choice missing", TV_ENUM, "INDI.SEX", text, "", nullptr, "Missing parameter value",
         "ENUM <error>"},
        {"choice without values", TV_ENUM, "INDI.BIRT", choice, "", nullptr,
         "Missing parameter value", "ENUM <error>"},
        {"date kept", TV_DATE, "", Date("22 MAY 1958"), "22 May 1958", nullptr, nullptr,
         "DATE 22 MAY 1958"},
        {"date typed", TV_DATE, "", {}, "", "22 may 1958", nullptr, "DATE 22 MAY 1958"},
        {"date approximate", TV_DATE, "", {}, "", "1900 approx", nullptr, "DATE 1900"},
        {"date interpreted",
         TV_DATE,
         "",
         {},
         "",
         "1 jan 1700 \"about then\"",
         nullptr,
         "DATE 1 JAN 1700"},
        {"date missing", TV_DATE, "", Date("1958"), "1958", "", "Missing value", "NONE"},
        {"date range", TV_DATE, "", {}, "", "bet 1900 and 1910", notADate.c_str(), "NONE"},
        {"date phrase", TV_DATE, "", {}, "", "after the war", notADate.c_str(), "NONE"},
        {"date from a number", TV_DATE, "", number, "", nullptr, "Missing value", "NONE"},
        {"month and day kept", TV_MMDD, "", christmas, "12/25", nullptr, nullptr, "MMDD 12/25"},
        {"month and day typed", TV_MMDD, "", {}, "", " 2/29 ", nullptr, "MMDD 2/29"},
        {"no such day", TV_MMDD, "", {}, "", "2/30", notAMonthDay, "NONE"},
        {"a date for a month and day", TV_MMDD, "", {}, "", "25 DEC", notAMonthDay, "NONE"},
        {"month and day missing", TV_MMDD, "", number, "", nullptr, "Missing parameter value",
         "NONE"},
        {"span kept", TV_SPAN, "", span, "2 years 6 months 0 days", nullptr, nullptr,
         "SPAN 2 years 6 months 0 days"},
        {"span typed", TV_SPAN, "", {}, "", "10 Days", nullptr, "SPAN 10 days"},
        {"span without unit", TV_SPAN, "", {}, "", "10", notASpan, "NONE"},
        {"span too long", TV_SPAN, "", {}, "", "99999999999 days", notASpan, "NONE"},
    };
    for (const InputRow& row : rows) {
        SCOPED_TRACE(row.name);
        const CFieldDef* def = *row.defPath ? DefByPath(row.defPath) : nullptr;
        CValueEditor* editor = Make(row.kind, def, row.initial);
        ASSERT_NE(editor, nullptr);
        CWnd* input = editor->GetInputControl();
        EXPECT_EQ(TextOf(input), row.shown);
        if (row.typed)
            TestHooks::SetText(*editor, input->GetDlgCtrlID(), row.typed);
        if (row.refusal)
            TestHooks::AnswerMessageBox(IDOK);
        m_other->SetFocus();
        EXPECT_EQ(editor->Validate(), row.refusal == nullptr);
        EXPECT_EQ(Messages(),
                  row.refusal ? std::vector<std::string>{row.refusal} : std::vector<std::string>{});
        if (row.refusal) {
            EXPECT_EQ(CWnd::GetFocus(), input);
        }
        CTypedValue value;
        editor->GetValue(value);
        EXPECT_EQ(Describe(value, def), row.value);
    }
}

TEST_F(ValueEditorTest, NumberInputTakesDigitsOnly)
{
    CValueEditor* editor = Make(TV_NUMBER);
    ASSERT_NE(editor, nullptr);
    CWnd* input = editor->GetInputControl();
    input->SetFocus();
    for (const UINT key : {UINT('1'), UINT('A'), UINT(VK_OEM_MINUS), UINT('2'), UINT(VK_SPACE),
                           UINT(VK_OEM_PERIOD), UINT('3')})
        TestHooks::PostKey(*input, key, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(TextOf(input), "123");
}

TEST_F(ValueEditorTest, DateShowsInStandardFormOnceTheFocusLeaves)
{
    struct Row {
        const char* typed;
        const char* shown;
    };
    const Row rows[] = {
        {"22 may 1958", "22 May 1958"},
        {"1900 approx", "1900 (approx.)"},
        {"bet 1900 and 1910", "Between 1900 and 1910"}, // a date, though not one date
        {"after the war", "after the war"},             // no date here: left as typed
    };
    CValueEditor* editor = Make(TV_DATE);
    ASSERT_NE(editor, nullptr);
    CWnd* input = editor->GetInputControl();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        editor->SetFocus();
        EXPECT_EQ(CWnd::GetFocus(), input);
        TestHooks::SetText(*editor, VALUE_EDITOR_INPUT_ID, row.typed);
        EXPECT_EQ(TextOf(input), row.typed);
        m_other->SetFocus();
        EXPECT_EQ(TextOf(input), row.shown);
    }
}

TEST_F(ValueEditorTest, RecordChoiceOffersTheRecordsOfTheGivenType)
{
    CIndRec* john = NewIndividual(SEX_MALE, "John /Smith/");
    CIndRec* mary = NewIndividual(SEX_FEMALE, "Mary /Jones/");
    CFamRec* family = NewFamily();
    ASSERT_TRUE(family->LinkSpouse(john, SEX_MALE));
    ASSERT_TRUE(family->LinkSpouse(mary, SEX_FEMALE));
    NewRecord(record_test::kSour);
    NewRecord(record_test::kSour);
    NewRecord(record_test::kSour);

    struct Row {
        int listIndex;
        const char* path;
        int offered;
    };
    const Row rows[] = {
        {record_test::kIndi, "INDI", 2},
        {record_test::kFam, "FAM", 1},
        {record_test::kSour, "SOUR", 3},
        {record_test::kNote, "NOTE", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        const CFieldDef* def = GetRecordTypeDef(row.listIndex);
        auto* editor = dynamic_cast<CRecordValueEditor*>(Make(TV_RECORD, def));
        ASSERT_NE(editor, nullptr);
        std::string path;
        editor->GetDataPath().Format(path);
        EXPECT_EQ(path, row.path);
        auto* combo = static_cast<CComboBox*>(editor->GetInputControl());
        ASSERT_EQ(combo->GetCount(), row.offered);
        for (int index = 0; index < row.offered; ++index) {
            auto* record = reinterpret_cast<CDataNode*>(combo->GetItemData(index));
            EXPECT_EQ(record->GetFieldDef(), def);
        }
        TestHooks::AnswerMessageBox(IDOK);
        EXPECT_FALSE(editor->Validate());
        EXPECT_EQ(Messages(), std::vector<std::string>{"Missing value"});
        CTypedValue value;
        editor->GetValue(value);
        EXPECT_TRUE(value.IsNone());
        if (row.offered == 0)
            continue;
        TestHooks::SelectItem(*editor, VALUE_EDITOR_INPUT_ID, row.offered - 1);
        EXPECT_TRUE(editor->Validate());
        editor->GetValue(value);
        ASSERT_EQ(value.GetType(), TV_RECORD);
        EXPECT_EQ(reinterpret_cast<DWORD_PTR>(static_cast<CDataNode*>(value.GetRecord())),
                  combo->GetItemData(row.offered - 1));
    }

    CTypedValue current;
    current.SetRecord(mary);
    auto* editor = Make(TV_RECORD, GetRecordTypeDef(record_test::kIndi), current);
    ASSERT_NE(editor, nullptr);
    CTypedValue value;
    editor->GetValue(value);
    ASSERT_EQ(value.GetType(), TV_RECORD);
    EXPECT_EQ(value.GetRecord(), mary);
}

TEST_F(ValueEditorTest, ParameterLinesRenderToAPicture)
{
    CTypedValue text, date = Date("22 MAY 1958"), number, record, choice;
    text.SetText("Smith");
    number.SetNumber(3);
    record.SetRecord(NewIndividual(SEX_MALE, "John /Smith/"));
    choice.SetEnum(1);
    struct Line {
        int kind;
        const CFieldDef* def;
        const CTypedValue* value;
        const char* label;
    };
    const Line lines[] = {
        {TV_TEXT, nullptr, &text, "Surname"},
        {TV_DATE, nullptr, &date, "Born after"},
        {TV_NUMBER, nullptr, &number, "Generations"},
        {TV_RECORD, GetRecordTypeDef(record_test::kIndi), &record, "Person"},
        {TV_ENUM, DefByPath("INDI.SEX"), &choice, "Sex"},
    };
    int top = 8;
    for (const Line& line : lines) {
        CValueEditor* editor = Make(line.kind, line.def, *line.value, line.label);
        ASSERT_NE(editor, nullptr);
        CRect rect;
        editor->GetClientRect(&rect);
        editor->MoveWindow(8, top, rect.Width(), rect.Height());
        top += rect.Height() + 6;
    }
    const TestHooks::Image image = TestHooks::RenderWindow(m_top);
    EXPECT_TRUE(image.SavePng("value_editors.png"));
    // Each line shows its label with a colon, right-aligned, then its input holding the value.
    int previousBottom = 0;
    for (size_t i = 0; i < m_editors.size(); ++i) {
        SCOPED_TRACE(lines[i].label);
        CValueEditor& editor = *m_editors[i];
        CWnd* labelWnd = editor.GetDlgItem(VALUE_EDITOR_LABEL_ID);
        ASSERT_NE(labelWnd, nullptr);
        EXPECT_EQ(TextOf(labelWnd), std::string(lines[i].label) + ":");
        CRect label, input, whole;
        labelWnd->GetWindowRect(&label);
        editor.GetInputControl()->GetWindowRect(&input);
        editor.GetWindowRect(&whole);
        m_top.ScreenToClient(&label);
        m_top.ScreenToClient(&input);
        m_top.ScreenToClient(&whole);
        EXPECT_GE(whole.top, previousBottom);
        previousBottom = whole.bottom;
        EXPECT_GE(input.left, label.right);
        const COLORREF background = image.Pixel(label.left, label.top);
        EXPECT_EQ(background, image.Pixel(whole.left, whole.top)) << "the label stands apart";
        EXPECT_EQ(background, GetSysColor(COLOR_3DFACE)) << "not on the dialog's face";
        int inkLeft = label.right, inkRight = label.left - 1;
        for (int x = label.left; x < label.right; ++x)
            if (controls_test::CountColour(image, CRect(x, label.top, x + 1, label.bottom),
                                           background) < label.Height()) {
                inkLeft = std::min(inkLeft, x);
                inkRight = x;
            }
        ASSERT_LE(inkLeft, inkRight) << "no text drawn";
        EXPECT_LT(label.right - 1 - inkRight, inkLeft - label.left) << "not right-aligned";
        EXPECT_LT(
            controls_test::CountColour(image, input, image.Pixel(input.left + 2, input.top + 2)),
            input.Width() * input.Height())
            << "an empty input";
        CTypedValue shown;
        editor.GetValue(shown);
        EXPECT_EQ(Describe(shown, lines[i].def), Describe(*lines[i].value, lines[i].def));
    }
}

} // namespace
