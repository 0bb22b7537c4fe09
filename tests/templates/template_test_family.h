// tests/templates/template_test_family.h: the templates' tests' family, made through the node
// operations the editors use, with the expression engine installed.
#pragma once

#include "queries/expression.h"
#include "templates/text_template.h"
#include "tests/database/records/record_test_support.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

/// John Smith (male, born 1 JAN 1900, no title, no birth place) and Mary Jones (female, born
/// in London, no birth date) married in F1, parents of Peter (male); Pat (sex unrecorded, no
/// birth); Zoë Ångström (female).
class CTemplateFamilyTest : public record_test::CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        InstallExpressionEngine();
        CIndRec* john = Person("John", SEX_MALE, "John /Smith/");
        SetField(john->CreateChildByTag("BIRT"), "DATE", "1 JAN 1900");
        CIndRec* mary = Person("Mary", SEX_FEMALE, "Mary /Jones/");
        SetField(mary->CreateChildByTag("BIRT"), "PLAC", "London");
        CIndRec* peter = Person("Peter", SEX_MALE, "Peter /Smith/");
        Person("Pat", SEX_UNDETERMINED, "Pat /Doe/");
        Person("Zoe", SEX_FEMALE, "Zoë /Ångström/");
        m_records["F1"] = Marry(john, mary, {peter});
    }

    CRecordNode* Rec(const std::string& key) const { return m_records.at(key); }

    /// Compiles text strictly, failing the test when it does not compile.
    static CTextTemplate Compiled(std::string_view text, bool lenient = false)
    {
        CTextTemplate compiled;
        std::string message;
        EXPECT_TRUE(compiled.CompileTemplate(text, message, nullptr, nullptr, lenient))
            << text << ": " << message;
        return compiled;
    }

    /// The template rendered for the records named (keys of m_records), without limit.
    std::string Render(const CTextTemplate& compiled, std::initializer_list<const char*> keys,
                       const CTemplateOptions* options = nullptr, int* lineCount = nullptr,
                       int* pictureLine = nullptr,
                       std::size_t limit = CTextTemplate::kUnlimited) const
    {
        std::vector<CRecordNode*> records;
        for (const char* key : keys)
            records.push_back(Rec(key));
        CTemplateContext context;
        context.m_records = records;
        context.m_options = options;
        std::string text;
        compiled.RenderTemplate(text, context, lineCount, pictureLine, limit);
        return text;
    }

    std::map<std::string, CRecordNode*> m_records;

private:
    CIndRec* Person(const std::string& key, int sex, std::string_view name)
    {
        CIndRec* person = NewIndividual(sex, name);
        m_records[key] = person;
        return person;
    }
};
