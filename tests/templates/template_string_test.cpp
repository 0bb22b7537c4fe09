// tests/templates/template_string_test.cpp: texts that may hold template syntax, and the query
// headings compiled by the template language: rendered, and their parameters asked for.
#include "tests/templates/template_test_family.h"

#include "common/preferences.h"
#include "common/registry_values.h"
#include "database/nodes/change_hint.h"
#include "platform/base/paths.h"
#include "queries/query_def.h"
#include "queries/query_eval.h"
#include "templates/heading_compiler.h"
#include "templates/template_string.h"

#include <gtest/gtest.h>

namespace {

class TemplateStringTest : public CTemplateFamilyTest {};

TEST_F(TemplateStringTest, PlainTextStaysAsTypedAndTemplatesRender)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Census Notes", "Census Notes"},
        {"%INDI.NAME%", "John SMITH"},
        {"100\\% sure", "100\\% sure"},         // no value: escapes stay
        {"{if female} Mrs", "{if female} Mrs"}, // no value: braces stay
        {"Born = 1900", "Born = 1900"},         // does not compile
        {"", ""},
        {"{if female} Mrs\r\n{if male} Mr %INDI.NAME%", "Mr John SMITH"},
        {"{if spouses} %INDI.NAME%", "John SMITH"}, // no diagram: its conditions hold
        {"%_X_% %INDI.NAME% %INDI.NOSUCH%", " John SMITH INDI.NOSUCH"},
    };
    for (const auto& [source, expected] : cases) {
        CTemplateString text;
        text.SetText(source);
        EXPECT_EQ(text.GetText(), source);
        std::string result = "left over";
        text.Expand(result, Rec("John"));
        EXPECT_EQ(result, expected) << source;
    }
}

TEST_F(TemplateStringTest, LongValuesAreNotCut)
{
    SetField(Rec("John"), "TITL", std::string(3000, 't'));
    CTemplateString text;
    text.SetText("%INDI.TITL%");
    std::string result;
    text.Expand(result, Rec("John"));
    EXPECT_EQ(result, std::string(3000, 't'));
}

TEST_F(TemplateStringTest, CopiesAreIndependent)
{
    CTemplateString first;
    first.SetText("%INDI.NAME%");
    CTemplateString second;
    second = first;
    first.SetText("plain");
    std::string result;
    second.Expand(result, Rec("Mary"));
    EXPECT_EQ(result, "Mary JONES");
    ASSERT_NE(second.GetTemplate(), nullptr);
    EXPECT_EQ(first.GetTemplate(), nullptr);
    second = second;
    second.Expand(result, nullptr);
    EXPECT_EQ(result, "");
}

/// Answers the parameter dialog with a person for every parameter of the title's functions.
class CTitleParameters final : public IQueryParameterDialog {
public:
    explicit CTitleParameters(CRecordNode* person) : m_person(person) {}

    bool AskParameters(CQueryDef& query) override
    {
        ++m_shown;
        CTypedValue value;
        value.SetRecord(m_person);
        for (CQueryHeading* heading : {&query.Title(), &query.Subtitle()}) {
            if (IHeadingTemplate* compiled = heading->GetCompiled()) {
                for (CDataRef* ref : compiled->GetFunctions()) {
                    if (auto* expression = dynamic_cast<CExpression*>(ref->GetExpression()))
                        expression->SetParameterValue(0, value);
                }
            }
        }
        return true;
    }

    CRecordNode* m_person;
    int m_shown = 0;
};

class QueryHeadingTest : public CTemplateFamilyTest {
protected:
    void SetUp() override
    {
        CTemplateFamilyTest::SetUp();
        m_folder = test_support::NewFolder("queries");
        ASSERT_TRUE(paths::MakeDirectories(m_folder + "/Standard"));
        ASSERT_TRUE(paths::MakeDirectories(m_folder + "/Custom"));
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, "", 0, KEY_ALL_ACCESS, nullptr,
                                 &key, nullptr),
                  ERROR_SUCCESS);
        RegSetString(key, "Queries Directory", "\"" + m_folder + "\"");
        RegCloseKey(key);
        InstallHeadingCompiler();
    }

    void TearDown() override
    {
        SetHeadingCompiler(nullptr);
        SetQueryParameterDialog(nullptr);
        CTemplateFamilyTest::TearDown();
    }

    std::string m_folder;
};

TEST_F(QueryHeadingTest, ASavedQueryRendersItsTitleAndAsksItsParameter)
{
    test_support::WriteFile(m_folder + "/Custom/kin.avq",
                            "[Ardenvel Query]\r\nTYPE=INDI\r\n"
                            "TITLE=\"Relatives of =Name([\"\"Person\"\"])\"\r\n"
                            "SUBTITLE=\"100% plain\"\r\n");
    auto query = CQueryDef::Create();
    std::string error;
    ASSERT_TRUE(query->Load("kin", true, error)) << error;
    ASSERT_EQ(query->Title().GetText(), "Relatives of =Name([\"Person\"])");
    EXPECT_TRUE(query->HasParameters(true));

    CTitleParameters dialog(Rec("Mary"));
    SetQueryParameterDialog(&dialog);
    ASSERT_TRUE(RunQuery(*query, false, false, nullptr));
    EXPECT_EQ(dialog.m_shown, 1);
    EXPECT_FALSE(query->HasParameters(true));
    EXPECT_EQ(query->GetHeadingText(0), "Relatives of Mary JONES");
    EXPECT_EQ(query->GetHeadingText(1), "100% plain") << "not a template: shown as it is";

    // The bound person going away leaves the title without the value, and without the text
    // that introduced it.
    query->OnDataChanged(kHintDataSetClearing);
    EXPECT_EQ(query->GetHeadingText(0), "");
}

TEST_F(QueryHeadingTest, HeadingsThatDoNotCompileOrHoldNoValueStayPlain)
{
    CHeadingCompiler compiler;
    EXPECT_EQ(compiler.Compile("Born = 1900"), nullptr);
    EXPECT_EQ(compiler.Compile("All people"), nullptr);
    EXPECT_EQ(compiler.Compile(""), nullptr);
    auto compiled = compiler.Compile("People\r\nby =Name()");
    ASSERT_NE(compiled, nullptr);
    EXPECT_EQ(compiled->GetFunctions().size(), 1u);
    EXPECT_EQ(compiled->Render(), "People") << "no record: the function has no value";

    // Shown before any run compiled it, a heading shows its values, not what was typed; a token
    // that names nothing is left out and plain text stays.
    auto query = CQueryDef::Create();
    query->Title().SetText("Everyone\r\nby =Name()");
    EXPECT_EQ(query->GetHeadingText(0), "Everyone");
    for (const auto& [typed, shown] : {std::pair{"%#x", ""},
                                       {"100% of %#x people", "100% of  people"},
                                       {"100% plain", "100% plain"}}) {
        query->Subtitle().SetText(typed);
        EXPECT_EQ(query->GetHeadingText(1), shown) << typed;
    }
}

} // namespace
