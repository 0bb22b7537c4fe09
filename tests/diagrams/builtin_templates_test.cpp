// tests/diagrams/builtin_templates_test.cpp: the built-in schemes at start-up, checked by the
// template compiler, and every built-in template formatted back to source (a golden file): the
// formatted text reads back to itself and renders as the scheme's own text does.
#include "diagrams/scheme_template_check.h"
#include "diagrams/text_scheme_store.h"
#include "tests/support/test_support.h"
#include "tests/templates/template_test_family.h"

#include "platform/base/registry.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class BuiltInTemplatesTest : public CTemplateFamilyTest {
protected:
    void SetUp() override
    {
        CTemplateFamilyTest::SetUp();
        setenv("XDG_CONFIG_HOME", test_support::NewFolder("config").c_str(), 1);
        RegReset();
    }

    /// Every built-in template formatted: a header line per scheme and box type, then the text.
    static std::string FormattedBuiltIns()
    {
        std::string out;
        for (const BuiltInScheme& scheme : BuiltInSchemes())
            for (int type = 0; type < kBoxTypeCount; ++type) {
                const auto& text = scheme.templates[std::size_t(type)];
                if (!text)
                    continue;
                std::string formatted;
                Compiled(*text).FormatTemplate(formatted);
                out +=
                    "[" + scheme.name + "|" + GetBoxTypeName(type) + "]\r\n" + formatted + "\r\n";
            }
        return out;
    }
};

TEST_F(BuiltInTemplatesTest, StartUpCompilesEveryBuiltInSchemeAndDropsBrokenStoredTemplates)
{
    for (const BuiltInScheme& scheme : BuiltInSchemes())
        for (const auto& text : scheme.templates)
            if (text) {
                CTextTemplate compiled;
                std::string message;
                EXPECT_TRUE(compiled.CompileTemplate(*text, message))
                    << scheme.name << ": " << message << "\n"
                    << *text;
            }

    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, (TextSchemesKey() + "\\Mine").c_str(), 0, "", 0,
                             KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    for (const auto& [name, text] : {std::pair<std::string, std::string>{"System", "No"},
                                     {"BoxType1", "%INDI.NAME%"},
                                     {"BoxType2", "=NoSuchFunction(%INDI%)"}})
        RegSetValueEx(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                      DWORD(text.size() + 1));
    RegCloseKey(key);

    CTextSchemeList list;
    InitTextSchemes(list, TemplateCompiles);
    EXPECT_EQ(list.Size(), std::size_t(kBuiltInSchemeCount) + 1);
    const CTextScheme* mine = list.FindScheme("Mine");
    ASSERT_NE(mine, nullptr);
    EXPECT_NE(mine->GetSchemeTemplate(1, false), nullptr);
    EXPECT_EQ(mine->GetSchemeTemplate(2, false), nullptr);
}

// The golden file holds the canonical form: a qualifier's other name is written as its main one
// (MEDIUM as ABBREV, SHORT as COMPACT). A scheme saved after formatting must read back the same.
TEST_F(BuiltInTemplatesTest, FormattedBuiltInTemplatesAreTheGoldenFileAndReadBackTheSame)
{
    const std::string formatted = FormattedBuiltIns();
    EXPECT_EQ(formatted,
              test_support::ReadFile(test_support::DataPath("expected/builtin_templates.txt")));

    const CTemplateOptions everything{true, true};
    const CTemplateOptions nothing{false, false};
    for (const BuiltInScheme& scheme : BuiltInSchemes())
        for (const auto& text : scheme.templates) {
            if (!text)
                continue;
            const CTextTemplate source = Compiled(*text);
            std::string once, twice;
            source.FormatTemplate(once);
            const CTextTemplate again = Compiled(once);
            again.FormatTemplate(twice);
            EXPECT_EQ(twice, once) << scheme.name;
            for (const char* who : {"John", "Mary", "Pat"})
                for (const CTemplateOptions* options : {&everything, &nothing})
                    EXPECT_EQ(Render(again, {who, "F1"}, options),
                              Render(source, {who, "F1"}, options))
                        << scheme.name << " for " << who << ":\n"
                        << *text;
        }
}

} // namespace
