// tests/queries/window/qry_filter_editors_test.cpp: the general and relationship filter editors
// over a custom query of the test family: the value field by value type, the null operator, the
// record-parameter question, values refused with the focus on them, the assistants, the
// relationship rules and a read-only query; each row made is saved in the query file and read
// back through the engine. In the query window's Rows tab, a cancelled or refused row leaves the
// rows and the file as they were.
#include "database/dictionary/qualifier_table.h"
#include "database/nodes/change_hint.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/property_page.h"
#include "platform/ui/dialogs/property_sheet.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/query_filter.h"
#include "queries/window/qry_filter_gen_wnd.h"
#include "queries/window/qry_filter_rels_wnd.h"
#include "queries/window/qry_rows_wnd.h"
#include "records/datactl/data_ctl_assoc.h"
#include "records/dialogs/data_ref_dlg.h"
#include "records/dialogs/date_dlg.h"
#include "records/dialogs/date_entry_logic.h"
#include "tests/queries/query_test_family.h"
#include "tests/queries/window/query_window_fixture.h"
#include "tests/support/window_test.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kRows = "[Ardenvel Query]\nTYPE=INDI\nTAG=\"Name\",\"INDI.NAME\",,,80\n"
                              "TAG=\"Born\",\"INDI.BIRT.DATE\",,,80\n"
                              "TAG=\"Age\",\"=AgeAt(%INDI%,%INDI.DEAT.DATE%)\",,,80\n";

/// The Rows pane as the editors see it.
class CTestRowsPane final : public IQryRowsPane {
public:
    CAvFilter* GetCurrentFilter() const override { return m_filter; }
    CQueryDef* GetCurrentQuery() const override { return m_query; }
    void UpdateButtons() override { ++m_updates; }
    const LOGFONT& GetPaneFont() const override { return m_font; }

    CAvFilter* m_filter = nullptr;
    CQueryDef* m_query = nullptr;
    int m_updates = 0;
    LOGFONT m_font{};
};

class FilterEditorTest : public CQueryFamilyTest {
protected:
    void SetUp() override
    {
        CQueryFamilyTest::SetUp();
        test_support::UseCompiledResources();
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 760, 260), nullptr, 0));
        m_query = LoadText(kRows, "Rows");
        ASSERT_NE(m_query, nullptr);
        m_pane.m_query = m_query.get();
        m_pane.m_font = AppResources().FindDialog(208)->GetFont();
    }
    void TearDown() override
    {
        m_general.reset();
        m_rels.reset();
        m_host.DestroyWindow();
        TestHooks::TakeMessages();
        CQueryFamilyTest::TearDown();
    }

    CQryFilterGenWnd& General()
    {
        if (!m_general) {
            m_general = std::make_unique<CQryFilterGenWnd>(m_pane);
            EXPECT_TRUE(m_general->Create(&m_host, CRect(0, 0, 720, 170), kFilterWndGenId));
            m_general->ShowWindow(SW_SHOW);
            m_general->RefreshChoices(); // the first refresh loads the pane's row
        }
        return *m_general;
    }
    CQryFilterRelsWnd& Rels()
    {
        if (!m_rels) {
            m_rels = std::make_unique<CQryFilterRelsWnd>(m_pane);
            EXPECT_TRUE(m_rels->Create(&m_host, CRect(0, 0, 720, 190), kFilterWndRelsId));
            m_rels->ShowWindow(SW_SHOW);
            m_rels->LoadFilter();
        }
        return *m_rels;
    }
    /// Types the expression as the user does.
    void TypeExpression(const std::string& text)
    {
        TestHooks::SetText(General(), kFilterExpressionCombo, text);
    }
    /// Chooses the operator with that wording.
    void ChooseOperator(const std::string& wording)
    {
        CComboBox& operators = Combo(General(), kFilterOperatorCombo);
        const int index = operators.FindStringExact(-1, wording.c_str());
        ASSERT_GE(index, 0) << wording;
        TestHooks::SelectItem(General(), kFilterOperatorCombo, index);
    }
    static CComboBox& Combo(CWnd& editor, int id)
    {
        return *dynamic_cast<CComboBox*>(editor.GetDlgItem(id));
    }
    static std::string Items(CWnd& editor, int id)
    {
        CComboBox& combo = Combo(editor, id);
        std::string items;
        for (int i = 0; i < combo.GetCount(); ++i) {
            std::string text;
            combo.GetLBText(i, text);
            items += (i ? "|" : "") + text;
        }
        return items;
    }
    static bool Visible(CWnd& editor, int id)
    {
        CWnd* control = editor.GetDlgItem(id);
        return control && control->IsWindowVisible();
    }
    static bool Enabled(CWnd& editor, int id)
    {
        CWnd* control = editor.GetDlgItem(id);
        return control && control->IsWindowEnabled();
    }
    static bool Checked(CWnd& editor, int id)
    {
        const auto* button = dynamic_cast<CButton*>(editor.GetDlgItem(id));
        return button && button->GetCheck() == BST_CHECKED;
    }
    /// The value field as the user sees it: each control shown, "(off)" after a disabled one,
    /// and the parameter controls.
    static std::string ValueField(CWnd& editor)
    {
        std::string text;
        const auto add = [&](int id, const char* name) {
            if (!Visible(editor, id))
                return;
            text += (text.empty() ? "" : " ") + std::string(name);
            if (!Enabled(editor, id))
                text += "(off)";
        };
        add(kFilterValueEdit, "edit");
        add(kFilterDateButton, "...");
        add(kFilterMatchCase, "case");
        add(kFilterValueCombo, "values");
        add(kFilterChooser, "chooser");
        add(kFilterParameterCheck, "parameter");
        return text;
    }
    static std::string Text(CWnd& editor, int id)
    {
        std::string text;
        if (CWnd* control = editor.GetDlgItem(id))
            control->GetWindowText(text);
        return text;
    }
    static std::string Messages()
    {
        return testing::PrintToString(test_support::TextsOf(TestHooks::TakeMessages()));
    }

    /// Makes a new row from the editor, appends it to the query, saves the query file and
    /// reads the file back through the engine: the last row's line as read, "<refused>" when
    /// the editor made none.
    std::string AddAndReadBack(CQryFilterWnd& editor)
    {
        std::unique_ptr<CAvFilter> made;
        if (!editor.SaveFilter(nullptr, made))
            return "<refused>";
        if (!made)
            return "<no row>";
        m_query->AddFilter(std::move(made));
        if (!m_query->Save(nullptr, true))
            return "<not saved>";
        m_readBack = CQueryDef::Create();
        std::string error;
        if (!m_readBack->Load("Rows", true, error) || m_readBack->GetFilterCount() == 0)
            return "<not read> " + error;
        std::string line;
        m_readBack->GetFilter(m_readBack->GetFilterCount() - 1)->Save(line);
        return line;
    }

    CWnd m_host;
    std::shared_ptr<CQueryDef> m_query;
    std::shared_ptr<CQueryDef> m_readBack;
    CTestRowsPane m_pane;
    std::unique_ptr<CQryFilterGenWnd> m_general;
    std::unique_ptr<CQryFilterRelsWnd> m_rels;
};

TEST_F(FilterEditorTest, TheValueFieldSuitsTheTypeOfTheExpression)
{
    struct Row {
        const char* expression;
        const char* operators; // null: not checked
        const char* field;
    };
    const Row rows[] = {
        {"INDI.NAME:SURNAME", nullptr, "edit case parameter"},
        {"INDI.BIRT.DATE", "was on|was later than|was earlier than|contains text|is null",
         "edit ... parameter"},
        {"INDI.SEX", nullptr, "values parameter"},
        {"INDI.BIRT.FAMC",
         "is|matches|sorts after|sorts before|begins with|ends with|contains|is null",
         "chooser parameter"},
        {"INDI.BIRT.DATE:MONTH_AND_DAY", nullptr, "edit parameter"},
        {"=AgeAt(%INDI%,%INDI.DEAT.DATE%)", "equals|is greater than|is less than|is null",
         "edit parameter"},
        {"", "", "edit(off) parameter(off)"},
        {"INDI.NO_SUCH_FIELD", "", "edit(off) parameter(off)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expression);
        TypeExpression(row.expression);
        if (row.operators) {
            EXPECT_EQ(Items(General(), kFilterOperatorCombo), row.operators);
        }
        const bool operators = Combo(General(), kFilterOperatorCombo).GetCount() > 0;
        EXPECT_EQ(Enabled(General(), kFilterOperatorCombo), operators);
        EXPECT_EQ(ValueField(General()), row.field);
        EXPECT_EQ(General().IsComplete(), operators);
    }
    // The enumerated values are the field's, the first one chosen.
    TypeExpression("INDI.SEX");
    EXPECT_EQ(Items(General(), kFilterValueCombo), "Male|Female|Unknown");
    EXPECT_EQ(Combo(General(), kFilterValueCombo).GetCurSel(), 0);
    TestHooks::SelectItem(General(), kFilterValueCombo, 1);
    EXPECT_EQ(AddAndReadBack(General()), R"(FILTER=GEN,ADD,IF,N,"","INDI.SEX",,"=",ENUM,"F")");
    m_pane.m_filter = m_readBack->GetFilter(0);
    General().LoadFilter();
    EXPECT_EQ(Combo(General(), kFilterValueCombo).GetCurSel(), 1);
    m_pane.m_filter = nullptr;
    // Text typed over the values chooses the first that begins with it once the focus leaves;
    // text that none begins with chooses none, which only a parameter may have.
    CWnd* values = General().GetDlgItem(kFilterValueCombo);
    for (const auto& [typed, chosen] : {std::pair{"UNK", 2}, std::pair{"x", -1}}) {
        values->SetFocus();
        TestHooks::SetText(General(), kFilterValueCombo, typed);
        General().GetDlgItem(kFilterConditionCombo)->SetFocus();
        EXPECT_EQ(Combo(General(), kFilterValueCombo).GetCurSel(), chosen) << typed;
    }
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_EQ(AddAndReadBack(General()), "<refused>");
    EXPECT_NE(Messages().find("Choose a value"), std::string::npos);
    EXPECT_EQ(CWnd::GetFocus(), values);
    // The expression list offers the query's path columns only.
    General().RefreshChoices();
    EXPECT_EQ(Items(General(), kFilterExpressionCombo), "INDI.NAME|INDI.BIRT.DATE");
    EXPECT_EQ(Text(General(), kFilterExpressionCombo), "INDI.SEX");
}

TEST_F(FilterEditorTest, TheNullOperatorTakesNoValueAndNoParameter)
{
    for (const char* expression : {"=Name(%INDI%)", "INDI.BIRT.DATE"}) {
        SCOPED_TRACE(expression);
        General().LoadFilter();
        TypeExpression(expression);
        TestHooks::Click(General(), kFilterParameterCheck);
        EXPECT_TRUE(Enabled(General(), kFilterLabelEdit));
        ChooseOperator("is null");
        EXPECT_EQ(ValueField(General()), "edit(off) parameter(off)");
        EXPECT_FALSE(Enabled(General(), kFilterLabelEdit));
        EXPECT_FALSE(Enabled(General(), kFilterFrame));
        const std::string line = AddAndReadBack(General());
        EXPECT_EQ(line, std::string(R"(FILTER=GEN,ADD,IF,N,"",")") + expression + R"(",,"null")");
    }
}

TEST_F(FilterEditorTest, ARecordValueMustBeAParameterAndCancelChangesNothing)
{
    TypeExpression("INDI.BIRT.FAMC");
    General().GetRecordChooser()->SetRecord(Rec("F1"));
    const std::string question = "Filters that reference specific records must be parameters.  "
                                 "Mark this filter as a parameter and continue?";

    TestHooks::AnswerMessageBox(IDCANCEL);
    EXPECT_EQ(AddAndReadBack(General()), "<refused>");
    EXPECT_EQ(Messages(), "{ \"" + question + "\" }");
    EXPECT_EQ(m_query->GetFilterCount(), 0);
    EXPECT_FALSE(Checked(General(), kFilterParameterCheck));

    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_EQ(AddAndReadBack(General()), R"(FILTER=GEN,ADD,IF,Y,"","INDI.BIRT.FAMC",,"is")");
    EXPECT_EQ(Messages(), "{ \"" + question + "\" }");
    EXPECT_TRUE(Checked(General(), kFilterParameterCheck));
    // The record chosen stays with the row in memory; the file asks for it at run time.
    const auto* row = dynamic_cast<CAvFilterGen*>(m_query->GetFilter(0));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetValue().GetRecord(), Rec("F1"));
    EXPECT_TRUE(m_readBack->GetFilter(0)->NeedsParameter());

    // Update reuses the row it is given; a refusal leaves it as it was.
    General().GetRecordChooser()->Clear();
    TestHooks::Click(General(), kFilterParameterCheck);
    TestHooks::AnswerMessageBox(IDCANCEL);
    std::unique_ptr<CAvFilter> made;
    EXPECT_FALSE(General().SaveFilter(m_query->GetFilter(0), made));
    EXPECT_EQ(row->GetValue().GetRecord(), Rec("F1"));
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_TRUE(General().SaveFilter(m_query->GetFilter(0), made));
    EXPECT_EQ(made, nullptr);
    EXPECT_TRUE(row->GetValue().IsNone());
}

TEST_F(FilterEditorTest, ValuesAreReadIntoTheirTypeOrRefusedWithTheFocusOnTheValue)
{
    struct Row {
        const char* expression;
        const char* operatorWording;
        const char* typed;
        const char* line;    // null: refused
        const char* refusal; // a part of the message
        const char* shown;   // what the editor shows when the row is loaded again
    };
    const Row rows[] = {
        {"INDI.BIRT.DATE", "was on", "FROM 1900 TO 1910", nullptr, "single date", nullptr},
        {"INDI.BIRT.DATE", "was on", "about midsummer", nullptr, "single date", nullptr},
        {"INDI.BIRT.DATE", "was later than", "5 jan 1900",
         R"(FILTER=GEN,ADD,IF,N,"","INDI.BIRT.DATE",,">",DATE,"5 JAN 1900")", nullptr,
         "5 JAN 1900"},
        {"INDI.BIRT.DATE:MONTH_AND_DAY", "is the same date as", "12/25",
         R"(FILTER=GEN,ADD,IF,N,"","INDI.BIRT.DATE:MONTH_AND_DAY",,"=",MMDD,12/25)", nullptr,
         "12/25"},
        {"INDI.BIRT.DATE:YEAR", "equals", "19x0", nullptr, "whole number", nullptr},
        {"INDI.BIRT.DATE:YEAR", "equals", "", nullptr, "parameter", nullptr},
        {"INDI.NAME:SURNAME", "matches", "Smith",
         R"(FILTER=GEN,ADD,IF,N,"","INDI.NAME:SURNAME",MC,"=",TEXT,"Smith")", nullptr, "Smith"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.expression) + " " + row.typed);
        m_pane.m_filter = nullptr;
        General().LoadFilter();
        TypeExpression(row.expression);
        ChooseOperator(row.operatorWording);
        TestHooks::SetText(General(), kFilterValueEdit, row.typed);
        if (Visible(General(), kFilterMatchCase))
            TestHooks::Click(General(), kFilterMatchCase);
        const int before = m_query->GetFilterCount();
        if (!row.line)
            TestHooks::AnswerMessageBox(IDOK);
        const std::string line = AddAndReadBack(General());
        if (!row.line) {
            EXPECT_EQ(line, "<refused>");
            EXPECT_NE(Messages().find(row.refusal), std::string::npos);
            EXPECT_EQ(CWnd::GetFocus(), General().GetDlgItem(kFilterValueEdit));
            EXPECT_EQ(m_query->GetFilterCount(), before);
            continue;
        }
        EXPECT_EQ(line, row.line);
        // The row read back shows its value again, of its own type.
        m_pane.m_filter = m_readBack->GetFilter(m_readBack->GetFilterCount() - 1);
        General().LoadFilter();
        EXPECT_EQ(Text(General(), kFilterExpressionCombo), row.expression);
        EXPECT_EQ(Text(General(), kFilterValueEdit), row.shown);
        EXPECT_FALSE(General().IsChanged());
        m_pane.m_filter = nullptr;
    }
}

TEST_F(FilterEditorTest, TheAssistantsFillTheExpressionAndTheDate)
{
    TestHooks::OnNextDialog(kDataRefTemplate, [](CDialog& dialog) {
        TestHooks::SetText(dialog, IDC_DATAREF_TEXT, "INDI.DEAT.DATE");
        TestHooks::Click(dialog, IDC_DATAREF_INSERT);
    });
    General().OnDataRefAssistant();
    EXPECT_EQ(Text(General(), kFilterExpressionCombo), "INDI.DEAT.DATE");
    EXPECT_EQ(ValueField(General()), "edit ... parameter");
    EXPECT_TRUE(General().IsChanged());

    TestHooks::SetText(General(), kFilterValueEdit, "1900");
    int pages = 0;
    std::string caption, year;
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        pages = sheet.GetPageCount();
        sheet.GetWindowText(caption);
        CPropertyPage& page = *sheet.GetActivePage();
        year = Text(page, IDC_DATE_YEAR);
        TestHooks::SetText(page, IDC_DATE_YEAR, "1910");
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
    });
    General().OnDateAssistant();
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(caption, "Date Entry Assistant");
    EXPECT_EQ(year, "1900");
    EXPECT_EQ(Text(General(), kFilterValueEdit), "1910");
}

TEST_F(FilterEditorTest, TheRelationshipEditorKeepsAParameterToOnePersonAndNoneToEveryone)
{
    CQryFilterRelsWnd& rels = Rels();
    EXPECT_TRUE(Checked(rels, kRelsThisIndividual));
    EXPECT_TRUE(Checked(rels, kFilterParameterCheck));
    EXPECT_TRUE(Visible(rels, kRelsIncludeTarget));
    EXPECT_TRUE(Visible(rels, kRelsGenerationsEdit));
    TestHooks::SelectItem(rels, kRelsKindCombo, FRK_SPOUSES);
    EXPECT_FALSE(Visible(rels, kRelsGenerationsEdit));
    TestHooks::SelectItem(rels, kRelsKindCombo, FRK_DESCENDANTS);
    EXPECT_TRUE(Visible(rels, kRelsGenerationsEdit));

    // One person: the row must stay a parameter.
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::Click(rels, kFilterParameterCheck);
    EXPECT_EQ(Messages(), "{ \"Filters that reference specific records must be parameters.\" }");
    EXPECT_TRUE(Checked(rels, kFilterParameterCheck));

    // Generation limits are no limit or refused, never wrapped.
    TestHooks::SetText(rels, kRelsGenerationsEdit, "99999999999");
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_EQ(AddAndReadBack(rels), "<refused>");
    EXPECT_EQ(CWnd::GetFocus(), rels.GetDlgItem(kRelsGenerationsEdit));
    Messages();
    TestHooks::SetText(rels, kRelsGenerationsEdit, "3");
    TestHooks::SetText(rels, kFilterLabelEdit, "Whose");
    TestHooks::Click(rels, kRelsIncludeTarget);
    rels.GetRecordChooser()->SetRecord(Rec("John"));
    EXPECT_EQ(AddAndReadBack(rels), R"(FILTER=REL,ADD,IF,Y,"Whose",DESC,ORG,,3)");
    const auto* one = dynamic_cast<CAvFilterRels*>(m_query->GetFilter(0));
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->GetTarget(), Rec("John"));

    // Everyone in the result: neither the person nor "Inc. original individual" is kept.
    TestHooks::Click(rels, kRelsEveryone);
    EXPECT_FALSE(Checked(rels, kFilterParameterCheck));
    EXPECT_FALSE(Enabled(rels, kFilterParameterCheck));
    EXPECT_FALSE(Enabled(rels, kFilterChooser));
    EXPECT_FALSE(Visible(rels, kRelsIncludeTarget));
    TestHooks::SetText(rels, kRelsGenerationsEdit, "-1");
    EXPECT_EQ(AddAndReadBack(rels), R"(FILTER=REL,ADD,IF,N,"",DESC,,)");
    const auto* everyone = dynamic_cast<CAvFilterRels*>(m_query->GetFilter(1));
    ASSERT_NE(everyone, nullptr);
    EXPECT_EQ(everyone->GetTarget(), nullptr);
    EXPECT_FALSE(everyone->IncludesTarget());
    EXPECT_EQ(everyone->GetMaxGenerations(), 0);

    // Loading the first row again shows its person, its limit and its label.
    m_pane.m_filter = m_query->GetFilter(0);
    rels.LoadFilter();
    EXPECT_TRUE(Checked(rels, kRelsThisIndividual));
    EXPECT_EQ(rels.GetRecordChooser()->GetRecord(), Rec("John"));
    EXPECT_EQ(Text(rels, kRelsGenerationsEdit), "3");
    EXPECT_EQ(Text(rels, kFilterLabelEdit), "Whose");
    EXPECT_TRUE(Checked(rels, kRelsIncludeTarget));
    EXPECT_FALSE(rels.IsChanged());
    // The data set emptied: the chooser lets go of its person.
    rels.OnDataChanged(nullptr, kHintDataSetClearing, nullptr);
    EXPECT_EQ(rels.GetRecordChooser()->GetRecord(), nullptr);
}

TEST_F(FilterEditorTest, InAReadOnlyQueryEveryControlButTheLabelsIsDisabled)
{
    m_query->SetReadOnly(true);
    auto row = std::make_unique<CAvFilterGen>(m_query.get());
    ASSERT_TRUE(row->DataRef().SetText("INDI.NAME:SURNAME"));
    row->SetOperator(COND_EQUAL);
    row->SetParameterFlag(true);
    m_pane.m_filter = row.get();
    General().LoadFilter();
    Rels().LoadFilter();
    for (const int id :
         {kFilterConditionCombo, kFilterExpressionCombo, kFilterRefButton, kFilterOperatorCombo,
          kFilterValueEdit, kFilterMatchCase, kFilterParameterCheck, kFilterLabelEdit}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(Enabled(General(), id));
    }
    for (const int id : {kFilterConditionCombo, kRelsKindCombo, kRelsGenerationsEdit,
                         kRelsThisIndividual, kRelsEveryone, kRelsIncludeTarget, kRelsSpouses,
                         kFilterParameterCheck, kFilterLabelEdit, kFilterChooser}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(Enabled(Rels(), id));
    }
    // Made editable again, the controls follow the row's value type.
    m_query->SetReadOnly(false);
    General().LoadFilter();
    EXPECT_EQ(ValueField(General()), "edit case parameter");
    EXPECT_TRUE(Enabled(General(), kFilterLabelEdit));
    TestHooks::RenderWindow(General()).SavePng("filter_editor_general.png");
    TestHooks::RenderWindow(Rels()).SavePng("filter_editor_relationship.png");
}

class FilterEditorInWindowTest : public CQueryWindowFixture {};

TEST_F(FilterEditorInWindowTest, ACancelledOrRefusedRowLeavesTheRowsAndTheFileAsTheyWere)
{
    test_support::WriteFile(m_folder + "/Custom/Mine.avq", kRows);
    Open("Mine", true);
    m_window->SelectTabIndex(kTabRows);
    CQryRowsWnd& rows = m_window->GetRowsPane();
    auto& general = *dynamic_cast<CQryFilterGenWnd*>(rows.GetEditor(FilterEditorKind::General));
    const CQueryDef& query = *m_window->GetQuery();
    const std::string file = m_folder + "/Custom/Mine.avq";
    const std::string before = test_support::ReadFile(file);

    TestHooks::SetText(general, kFilterExpressionCombo, "INDI.BIRT.FAMC");
    general.GetRecordChooser()->SetRecord(Rec("F1"));
    TestHooks::AnswerMessageBox(IDCANCEL);
    TestHooks::Click(rows, kRowsAddButton);
    EXPECT_EQ(query.GetFilterCount(), 0);
    EXPECT_EQ(test_support::ReadFile(file), before);

    TestHooks::SetText(general, kFilterExpressionCombo, "INDI.BIRT.DATE");
    TestHooks::SetText(general, kFilterValueEdit, "BET 1900 AND 1910");
    TestHooks::AnswerMessageBox(IDOK);
    TestHooks::Click(rows, kRowsAddButton);
    EXPECT_EQ(query.GetFilterCount(), 0);
    EXPECT_EQ(test_support::ReadFile(file), before);
    EXPECT_EQ(CWnd::GetFocus(), general.GetDlgItem(kFilterValueEdit));

    TestHooks::SetText(general, kFilterValueEdit, "1900");
    TestHooks::Click(rows, kRowsAddButton);
    ASSERT_EQ(query.GetFilterCount(), 1);
    const std::string saved = CustomFile("Mine");
    const std::string row = "FILTER=GEN,ADD,IF,N,\"\",\"INDI.BIRT.DATE\",,\"=\",DATE,\"1900\"\n";
    EXPECT_TRUE(saved.ends_with(row)) << saved;
}

} // namespace
