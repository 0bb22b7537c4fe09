// tests/templates/template_render_test.cpp: box-text templates rendered for records: conditions,
// values, the literal text around missing values, limits, the picture line and the binding of
// "<root>" arguments.
#include "tests/templates/template_test_family.h"

#include "platform/base/text.h"

#include <gtest/gtest.h>

namespace {

const CTemplateOptions kNoSpouses = CTemplateOptions::FromSpouseOption(0, false);
const CTemplateOptions kDuplicates = CTemplateOptions::FromSpouseOption(1, false);
const CTemplateOptions kSpouses = CTemplateOptions::FromSpouseOption(2, false);
const CTemplateOptions kSpousesAndDuplicates = CTemplateOptions::FromSpouseOption(2, true);

struct RenderCase {
    const char* name;
    const char* text;
    std::initializer_list<const char*> records;
    const CTemplateOptions* options;
    const char* expected;
    int lines;
    int pictureLine = -1;
};

const RenderCase kCases[] = {
    {"EmptyTitleLineCollapses",
     "%INDI.NAME%\\n%INDI.TITL%\\n=LifeDates(%INDI%)",
     {"John"},
     nullptr,
     "John SMITH\n1900- ",
     2},
    {"RunBeforeAMissingValueIsCutBack",
     "b. %INDI.BIRT.DATE%\\nin %INDI.BIRT.PLAC%",
     {"John"},
     nullptr,
     "b. 1 January 1900",
     1},
    {"BreakBeforeAWrittenValueIsRemoved",
     "b. %INDI.BIRT.DATE%\\nin %INDI.BIRT.PLAC%",
     {"Mary"},
     nullptr,
     "b. in London",
     1},
    {"NothingWhenNoValue", "b. %INDI.BIRT.DATE%\\nin %INDI.BIRT.PLAC%", {"Pat"}, nullptr, "", 0},
    {"TrailingTextOfAMissingValueGoes",
     "%INDI.NAME% b. %INDI.BIRT.DATE%",
     {"Mary"},
     nullptr,
     "Mary JONES",
     1},
    {"LineOfAMissingFieldIsLeftOut",
     "%INDI.NAME%\r\n%INDI.TITL%\r\nend %INDI.NAME%",
     {"John"},
     nullptr,
     "John SMITH\nend John SMITH",
     2},
    {"MaleLineForUnknownSex", "{if male} x", {"Pat"}, nullptr, "", 0},
    {"MaleLineForAFamilyOnly", "{if male} x", {"F1"}, nullptr, "", 0},
    {"MaleLineForAMan", "{if male} x\r\n{if female} y", {"John"}, nullptr, "x", 1},
    {"FemaleLineForAWoman", "{if male} x\r\n{if female} y", {"F1", "Mary"}, nullptr, "y", 1},
    {"DiagramConditionsHoldWithoutOptions",
     "{if spouses} x\r\n{if no spouses} y",
     {"John"},
     nullptr,
     "x\ny",
     2},
    {"HusbandsWifeWithDuplicates",
     "{if male & no spouses & duplicates} m. %FAM.WIFE>NAME:PREFERRED%",
     {"John", "F1"},
     &kDuplicates,
     "m. Mary JONES",
     1},
    {"HusbandsWifeNotWithSpouses",
     "{if male & no spouses & duplicates} m. %FAM.WIFE>NAME:PREFERRED%",
     {"John", "F1"},
     &kSpouses,
     "",
     0},
    {"HusbandsWifeWithoutAFamily",
     "{if male & no spouses & duplicates} m. %FAM.WIFE>NAME:PREFERRED%",
     {"John"},
     &kDuplicates,
     "",
     0},
    {"NeitherSpousesNorDuplicates",
     "{if no spouses & no duplicates} x",
     {"John"},
     &kNoSpouses,
     "x",
     1},
    {"DuplicatesWithSpousesWhenAsked",
     "{if spouses & duplicates} x",
     {"John"},
     &kSpousesAndDuplicates,
     "x",
     1},
    {"PictureAfterALine",
     "%INDI.NAME%\r\n{picture}\r\n=LifeDates(%INDI%)",
     {"John"},
     nullptr,
     "John SMITH\n1900- ",
     2,
     1},
    {"PictureFirst", "{picture}\r\n%INDI.NAME%", {"John"}, nullptr, "John SMITH", 1, -1},
    {"PictureAfterNothing",
     "%INDI.TITL%\r\n{picture}\r\n%INDI.NAME%",
     {"John"},
     nullptr,
     "John SMITH",
     1,
     -1},
    {"SubstitutionIsWritten", "%INDI.NAME% (%_INSTANCE_%)", {"John"}, nullptr, "John SMITH (2)", 1},
    {"ValueOfTheRecordOfItsType",
     "%FAM.HUSB>NAME% and %INDI.NAME%",
     {"Mary", "F1"},
     nullptr,
     "John SMITH and Mary JONES",
     1},
    {"FunctionOfTheFirstRecord", "=LifeDates(%INDI%)", {"F1", "John"}, nullptr, "", 0},
    {"LineBreaksOfTheTemplate", "a\\nb %INDI.NAME%", {"Pat"}, nullptr, "a\nb Pat DOE", 2},
};

class TemplateRenderTest : public CTemplateFamilyTest,
                           public ::testing::WithParamInterface<RenderCase> {};

TEST_P(TemplateRenderTest, RendersTheLinesThatApply)
{
    const RenderCase& c = GetParam();
    const CTextTemplate compiled = Compiled(c.text);
    std::vector<CRecordNode*> records;
    for (const char* key : c.records)
        records.push_back(Rec(key));
    CTemplateContext context;
    context.m_records = records;
    context.m_options = c.options;
    context.m_substitution = "2";
    std::string text = "left over";
    int lines = -5, picture = -5;
    compiled.RenderTemplate(text, context, &lines, &picture);
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(picture, c.pictureLine);
}

INSTANTIATE_TEST_SUITE_P(Templates, TemplateRenderTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

class TemplateLimitTest : public CTemplateFamilyTest {};

TEST_F(TemplateLimitTest, LinesThatDoNotFitAreLeftOutWholeAndNoCharacterIsCut)
{
    const CTextTemplate compiled =
        Compiled("%INDI.NAME%\r\nAkademie für Ökologie\r\n%INDI.NAME% \\n=LifeDates(%INDI%)");
    const std::string whole = Render(compiled, {"Zoe"});
    ASSERT_EQ(whole, "Zoë ÅNGSTRÖM\nAkademie für Ökologie\nZoë ÅNGSTRÖM");
    for (std::size_t limit = 0; limit <= whole.size() + 2; ++limit) {
        int lines = -1;
        const std::string text = Render(compiled, {"Zoe"}, nullptr, &lines, nullptr, limit);
        EXPECT_LE(text.size(), limit);
        EXPECT_TRUE(text::IsValidUtf8(text)) << limit;
        // Only whole lines: the text is the first lines of the whole text.
        EXPECT_TRUE(text.empty() || (whole.starts_with(text) &&
                                     (text.size() == whole.size() || whole[text.size()] == '\n')))
            << limit << ": " << text;
        EXPECT_EQ(lines, text.empty() ? 0 : 1 + int(std::count(text.begin(), text.end(), '\n')));
    }
    int lines = 0;
    EXPECT_EQ(Render(compiled, {"Zoe"}, nullptr, &lines, nullptr, 30), "Zoë ÅNGSTRÖM");
    EXPECT_EQ(lines, 1);
}

TEST_F(TemplateLimitTest, AFieldLongerThanTheRoomLeavesItsLineOut)
{
    SetField(Rec("Pat"), "TITL", std::string(5000, 'x'));
    const CTextTemplate compiled = Compiled("%INDI.NAME%\r\n%INDI.TITL%");
    EXPECT_EQ(Render(compiled, {"Pat"}, nullptr, nullptr, nullptr, 4000), "Pat DOE");
    EXPECT_EQ(Render(compiled, {"Pat"}).size(), std::string("Pat DOE\n").size() + 5000);
}

TEST_F(TemplateLimitTest, ThousandsOfLinesRenderWhole)
{
    std::string source;
    for (int i = 0; i < 3000; ++i)
        source += "{if female} %INDI.NAME%\r\n{if male} x\r\n";
    int lines = 0;
    const std::string text = Render(Compiled(source), {"Mary"}, nullptr, &lines);
    EXPECT_EQ(lines, 3000);
    EXPECT_EQ(text.size(), 3000 * std::string("Mary JONES\n").size() - 1);
}

class TemplateRootTest : public CTemplateFamilyTest {};

TEST_F(TemplateRootTest, RootArgumentsReadTheBoundRecordAndWriteBackUnchanged)
{
    const char* source = "=Name([\"<root>\"]) / =Name([\"Other\"]) / =Name(%INDI%)";
    CTextTemplate compiled = Compiled(source);
    EXPECT_EQ(compiled.BindRootRecord(Rec("John")), 1);
    EXPECT_EQ(Render(compiled, {"Mary"}), "John SMITH / Mary JONES / Mary JONES");
    std::string written;
    compiled.FormatTemplate(written);
    EXPECT_EQ(written, source);

    // An argument asked of the user without an answer stands for the record rendered.
    // A copy keeps the binding; binding again replaces it.
    CTextTemplate copy = compiled;
    EXPECT_EQ(Render(copy, {"Peter"}), "John SMITH / Peter SMITH / Peter SMITH");
    copy.BindRootRecord(Rec("Peter"));
    EXPECT_EQ(Render(copy, {"Mary"}), "Peter SMITH / Mary JONES / Mary JONES");
    EXPECT_EQ(Render(compiled, {"Mary"}), "John SMITH / Mary JONES / Mary JONES");
}

} // namespace
