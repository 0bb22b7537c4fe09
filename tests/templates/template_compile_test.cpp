// tests/templates/template_compile_test.cpp: the box-text template compiler: lines, conditions,
// tokens, strict and lenient compiling with their messages, and writing templates back.
#include "tests/templates/template_test_family.h"

#include "platform/base/text.h"

#include <gtest/gtest.h>

namespace {

const std::string kPrefix1 = "Error in line 1 of text template.\n\n";
const std::string kBadCondition =
    "You appear to be adding a condition to the line, but the format is not correct.  "
    "Conditions appear at the start of a line, and must follow an exact format.  For example, "
    "\"{if male}\" at the start of a line will ensure that the line only appears when "
    "displaying text for males.  Lines beginning with a curly bracket '{' are always "
    "interpreted as special instructions, such as conditions; so if you don't want to add a "
    "condition, but want your text to start with a curly bracket, you should add \"{}\" (a null "
    "condition) before your text.  See Help for more details.";
const std::string kPictureNotAlone = "A Picture Marker, \"{picture}\", cannot be combined with "
                                     "any other text.  It can only appear on a line on its own.";
const std::string kConflict = "Line contains an invalid combination of conditions.  For "
                              "example, {if male & female} is an invalid condition.";

/// The compiled lines in a form of the test's own: conditions, then the tokens as lit(text),
/// val(reference as written back), sub and br; lines separated by " | ".
std::string Describe(const CTextTemplate& compiled)
{
    std::string out;
    for (int i = 0; i < compiled.GetLineCount(); ++i) {
        const CTemplateLine& line = compiled.GetLine(i);
        std::string words;
        const auto word = [&](const char* w) {
            words += (words.empty() ? "" : " ") + std::string(w);
        };
        if (line.m_picture)
            word("pic");
        if (line.m_sex)
            word(line.m_sex == 1 ? "male" : "female");
        if (line.m_duplicates)
            word(line.m_duplicates == 1 ? "dup" : "nodup");
        if (line.m_spouses)
            word(line.m_spouses == 1 ? "spo" : "nospo");
        for (const CTemplateToken& token : line.m_tokens) {
            std::string ref;
            switch (token.m_kind) {
            case TTK_LITERAL:
                words += (words.empty() ? "" : " ") + ("lit(" + token.m_text + ")");
                break;
            case TTK_VALUE:
                token.m_ref.Format(ref);
                words += (words.empty() ? "" : " ") + ("val(" + ref + ")");
                break;
            case TTK_SUBSTITUTION:
                word("sub");
                break;
            case TTK_LINE_BREAK:
                word("br");
                break;
            default:
                word("?");
            }
        }
        out += (i ? " | " : "") + words;
    }
    return out;
}

struct CompileCase {
    const char* name;
    std::string text;
    bool lenient;
    // Success: the lines as Describe gives them. Failure: the message, line and column.
    bool ok;
    std::string expected;
    int line = -1;
    int column = -1;
};

const std::string kSixteenNames = [] {
    std::string text;
    for (int i = 0; i < 16; ++i)
        text += "%INDI.NAME%";
    return text;
}();
const std::string kFifteenNames = [] {
    std::string text;
    for (int i = 0; i < 15; ++i)
        text += (i ? " " : "") + std::string("val(INDI.NAME)");
    return text;
}();

const CompileCase kCases[] = {
    {"EmptyTextHasNoLines", "", false, true, ""},
    {"BreaksAtTheEndAddNoLine", "%INDI.NAME%\r\n\r\n", false, true, "val(INDI.NAME)"},
    {"AnEmptyLineBetweenIsALine", "a\r\n\r\nb", false, true, "lit(a) |  | lit(b)"},
    {"LfCrIsOneBreak", "a\n\rb", false, true, "lit(a) | lit(b)"},
    {"BareCarriageReturnsBreakLines", "a\rb\rc", false, true, "lit(a) | lit(b) | lit(c)"},
    {"LeadingBlanksAreSkipped", "  \tx y", false, true, "lit(x y)"},
    {"ConditionsInAnyOrderAndCase", "{IF Male AND no  Spouses & duplicates}  m. %FAM.HUSB>NAME%",
     false, true, "male dup nospo lit(m. ) val(FAM.HUSB>NAME)"},
    {"RepeatingAConditionIsHarmless", "{if male male} x", false, true, "male lit(x)"},
    {"ConflictIsRefused", "{if male & female} x", false, false, kPrefix1 + kConflict, 0, 0},
    {"ConflictKeepsTheLaterLeniently", "{if male & female} x", true, true, "female lit(x)"},
    {"SpousesConflict", "{if spouses & no spouses}x", false, false, kPrefix1 + kConflict, 0, 0},
    {"PictureMarker", "{picture}", false, true, "pic"},
    {"PictureWithText", "{picture} %INDI.NAME%", false, false, kPrefix1 + kPictureNotAlone, 0, 0},
    {"PictureWithTextLeniently", "{picture} %INDI.NAME%", true, true, "val(INDI.NAME)"},
    {"PictureWithCondition", "{if male picture}", false, false, kPrefix1 + kPictureNotAlone, 0, 0},
    {"SecondPicture", "{picture}\r\n{picture}", false, false,
     "Error in line 2 of text template.\n\nYou may not have more than one Picture Marker.", 1, -1},
    {"SecondPictureLeniently", "{picture}\r\n{picture}", true, true, "pic | "},
    {"PictureDropsItsConditionsLeniently", "{if male picture}", true, true, "pic"},
    {"UnknownWord", "{hello} x", false, false, kPrefix1 + kBadCondition, 0, 1},
    {"UnknownWordLenientlyIsText", "{hello} x", true, true, "lit({hello} x)"},
    {"AmpersandMustStandApart", "{if male&female} x", false, false, kPrefix1 + kBadCondition, 0, 4},
    {"NoBeforeAnythingElse", "{if no males} x", false, false, kPrefix1 + kBadCondition, 0, 7},
    {"UnclosedBlock", "{if male", false, false, kPrefix1 + kBadCondition, 0, 8},
    {"WordsBeforeTheFaultStayLeniently", "{if male hello} x", true, true,
     "male lit({if male hello} x)"},
    {"NullConditionLetsTextStartWithABrace", "{}{Smith}", false, true, "lit({Smith})"},
    {"UnescapedEqualsStartsAFunction", "Born = 1900", false, false,
     kPrefix1 + "The expression at position 6 is not a valid Function. See Help for more details.",
     0, 5},
    {"EscapedEquals", "Born \\= 1900", false, true, "lit(Born = 1900)"},
    {"Escapes", "100\\% \\\\ \\=", false, true, "lit(100% \\ =)"},
    {"LineBreakToken", "a\\nb", false, true, "lit(a) br lit(b)"},
    {"UnterminatedReference", "ab %INDI.NAME", false, false,
     kPrefix1 + "The Data Reference at position 4 is not terminated correctly and is not valid.  "
                "See Help for more details.",
     0, 3},
    {"EmptyReference", "%%", false, false,
     kPrefix1 + "The Data Reference at position 1 is not valid.  See Help for more details.", 0, 0},
    {"BadBackslash", "\\q", false, false,
     kPrefix1 + "The use of the '\\' character at position 1 is not valid.  See Help for details "
                "on how this character can be used.",
     0, 0},
    {"BackslashAtTheEnd", "ab\\", false, false,
     kPrefix1 + "The use of the '\\' character at position 3 is not valid.  See Help for details "
                "on how this character can be used.",
     0, 2},
    {"UnknownReference", "x %INDI.NOSUCH%", false, false,
     kPrefix1 + "The expression at position 3 is not a recognised Data Reference.  See Help for "
                "more details.",
     0, 2},
    {"UnknownReferenceLenientlyIsText", "x %INDI.NOSUCH%", true, true, "lit(x INDI.NOSUCH)"},
    // Text kept leniently reads as its written form does: one text with its neighbours, and
    // without the blanks that start a line.
    {"KeptTextStartsAfterTheLinesBlanks", "%\f NOSUCH%\\n", true, true, "lit(NOSUCH) br"},
    {"JoinedTextTooLong", std::string(200, 'a') + "%NOSUCH" + std::string(200, 'b') + "%", true,
     false,
     kPrefix1 + "The constant text at position 1 is too long and hence is not valid.  See Help "
                "for more details.",
     0, 0},
    {"UnknownFunction", "=NoSuch(%INDI%)", false, false,
     kPrefix1 + "The expression at position 1 is not a recognised Function.  See Help for more "
                "details.",
     0, 0},
    {"UnknownFunctionLenientlyIsText", "=NoSuch(%INDI%)", true, true, "lit(=NoSuch(%INDI%))"},
    {"UnclosedParenthesis", "x =LifeDates(%INDI%", false, false,
     kPrefix1 + "The expression at position 3 is not a valid Function. See Help for more details.",
     0, 2},
    {"UnclosedQuote", "=Name([\"Who)", false, false,
     kPrefix1 + "The expression at position 1 is not a valid Function. See Help for more details.",
     0, 0},
    {"ParenthesesInQuotesAreNotCounted", "=Name([\"Who (\"]) tail", false, true,
     "val(=Name([\"Who (\"])) lit( tail)"},
    {"Substitution", "%_INSTANCE_% and %_instance_%", false, true, "sub lit( and ) sub"},
    {"SecondSubstitutionName", "%_A_% %_B_%", false, false,
     kPrefix1 + "The substitution expression at position 7 is not valid.  Only one substitution "
                "expression allowed per template.  See Help for more details.",
     0, 6},
    {"SecondSubstitutionNameLenientlyIsText", "%_A_% %_B_%", true, true, "sub lit( B)"},
    {"SubstitutionNameAcrossLines", "%_A_%\r\n%_B_%", false, false,
     "Error in line 2 of text template.\n\nThe substitution expression at position 1 is not "
     "valid.  Only one substitution expression allowed per template.  See Help for more "
     "details.",
     1, 0},
    {"EmptySubstitutionName", "%__%", false, false,
     kPrefix1 + "The substitution expression at position 1 is not terminated correctly and is "
                "not valid.  See Help for more details.",
     0, 0},
    {"UnterminatedSubstitution", "x%_NAME", false, false,
     kPrefix1 + "The substitution expression at position 2 is not terminated correctly and is "
                "not valid.  See Help for more details.",
     0, 1},
    {"ReferenceTooLong", "%" + std::string(351, 'A') + "%", false, false,
     kPrefix1 + "The Data Reference at position 1 is too long and is not valid.  See Help for more "
                "details.",
     0, 0},
    {"SubstitutionTooLong", "%_" + std::string(351, 'A') + "_%", false, false,
     kPrefix1 + "The substitution expression at position 1 is too long and is not valid.  See "
                "Help for more details.",
     0, 0},
    {"FunctionTooLong", "=Name([\"" + std::string(341, 'a') + "\"])", false, false,
     kPrefix1 + "The Function specifier at position 1 is too long and is not valid.  See Help "
                "for more details.",
     0, 0},
    {"LiteralOf350", std::string(350, 'a'), false, true, "lit(" + std::string(350, 'a') + ")"},
    {"LiteralTooLong", "x%INDI.NAME%" + std::string(351, 'a'), false, false,
     kPrefix1 + "The constant text at position 13 is too long and hence is not valid.  See Help "
                "for more details.",
     0, 12},
    {"LiteralTooLongLenientlyToo", std::string(351, 'a'), true, false,
     kPrefix1 + "The constant text at position 1 is too long and hence is not valid.  See Help "
                "for more details.",
     0, 0},
    {"PositionsCountCharacters", "Zoë Å %%", false, false,
     kPrefix1 + "The Data Reference at position 7 is not valid.  See Help for more details.", 0, 6},
    {"InvalidUtf8IsText", "\xff\xfe %INDI.NAME%", false, true, "lit(\xff\xfe ) val(INDI.NAME)"},
    {"SixteenTokensAreRefused", kSixteenNames, false, false,
     kPrefix1 + "The text at position 166 is not valid: a line may hold at most 15 items of "
                "text, Data References, Functions and line breaks.  Split the line, or see Help "
                "for more details.",
     0, 165},
    {"SixteenTokensLenientlyKeepFifteen", kSixteenNames, true, true, kFifteenNames},
    {"FaultOnALaterLine", "x\r\n\r\n  %%", false, false,
     "Error in line 3 of text template.\n\nThe Data Reference at position 3 is not valid.  See "
     "Help for more details.",
     2, 2},
};

class TemplateCompileTest : public CTemplateFamilyTest,
                            public ::testing::WithParamInterface<CompileCase> {};

TEST_P(TemplateCompileTest, CompilesOrSaysWhyNot)
{
    const CompileCase& c = GetParam();
    CTextTemplate compiled;
    std::string message = "left over";
    int line = 99, column = 99;
    const bool ok = compiled.CompileTemplate(c.text, message, &line, &column, c.lenient);
    ASSERT_EQ(ok, c.ok) << message;
    if (ok) {
        EXPECT_EQ(Describe(compiled), c.expected);
        EXPECT_EQ(line, -1);
        EXPECT_EQ(column, -1);
        return;
    }
    EXPECT_EQ(message, c.expected);
    EXPECT_EQ(line, c.line);
    EXPECT_EQ(column, c.column);
    EXPECT_TRUE(compiled.IsEmpty());
    EXPECT_TRUE(compiled.GetSubstitutionName().empty());
}

INSTANTIATE_TEST_SUITE_P(Templates, TemplateCompileTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

class TemplateTest : public CTemplateFamilyTest {};

TEST_F(TemplateTest, SubstitutionNameIsKeptInCapitals)
{
    EXPECT_EQ(Compiled("%_instance_% and %_Instance_%").GetSubstitutionName(), "INSTANCE");
}

TEST_F(TemplateTest, ACompiledTemplateIsReplacedOrEmptiedByTheNextCompile)
{
    CTextTemplate compiled = Compiled("%_A_%\r\nb");
    std::string message;
    ASSERT_TRUE(compiled.CompileTemplate("c", message));
    EXPECT_EQ(Describe(compiled), "lit(c)");
    EXPECT_TRUE(compiled.GetSubstitutionName().empty());
    EXPECT_FALSE(compiled.CompileTemplate("%%", message));
    EXPECT_TRUE(compiled.IsEmpty());
}

TEST_F(TemplateTest, FormatWritesTheSourceBack)
{
    const std::pair<const char*, const char*> cases[] = {
        {"{if no spouses male}x\\=y", "{if male & no spouses} x\\=y"},
        {"{if duplicates female spouses}a", "{if female & spouses & duplicates} a"},
        {"{}{Smith}", "{} {Smith}"},
        {"{} {if male}", "{} {if male}"},
        {"   ", "{}"},
        {"a\r\n{}", "a\r\n{}"},
        {"a\r\n\r\n{picture}\rb", "a\r\n\r\n{picture}\r\nb"},
        {"100\\% \\\\ \\= \\n%_Instance_%", "100\\% \\\\ \\= \\n%_INSTANCE_%"},
        // Lines of the built-in schemes come back exactly as they are written.
        {"%INDI.NAME:PREFERRED%", "%INDI.NAME:PREFERRED%"},
        {"=LifeDates(%INDI%)", "=LifeDates(%INDI%)"},
        {"{if male & no spouses & duplicates} m. %FAM.WIFE>NAME:PREFERRED%",
         "{if male & no spouses & duplicates} m. %FAM.WIFE>NAME:PREFERRED%"},
        // A qualifier's other name comes back as its main one.
        {"b. %INDI.BIRT.DATE:MEDIUM%\\nin %INDI.BIRT.PLAC%",
         "b. %INDI.BIRT.DATE:ABBREV%\\nin %INDI.BIRT.PLAC%"},
        {"m. date: %FAM.MARR.DATE:SHORT%", "m. date: %FAM.MARR.DATE:COMPACT%"},
        {"%INDI.NAME:PREFERRED% [=AhnentafelNumber([\"<root>\"],%INDI%,1)]",
         "%INDI.NAME:PREFERRED% [=AhnentafelNumber([\"<root>\"],%INDI%,1)]"},
        {"=Relationship([\"<root>\"],%INDI%,TEXT,1)", "=Relationship([\"<root>\"],%INDI%,TEXT,1)"},
        {"Occ: %INDI.OCCU%; %INDI.OCCU[2]%; %INDI.OCCU[3]%",
         "Occ: %INDI.OCCU%; %INDI.OCCU[2]%; %INDI.OCCU[3]%"},
        {"\"%INDI.NAME.NICK%\"", "\"%INDI.NAME.NICK%\""},
        {"%INDI.NAME[<2]% (%_INSTANCE_%)", "%INDI.NAME[<2]% (%_INSTANCE_%)"},
        {"{if female & spouses & no duplicates} Age at marr: %FAM.MARR.DATE:WIFE_AGE_AT%",
         "{if female & spouses & no duplicates} Age at marr: %FAM.MARR.DATE:WIFE_AGE_AT%"},
    };
    for (const auto& [source, expected] : cases) {
        std::string text = "left over";
        Compiled(source).FormatTemplate(text);
        EXPECT_EQ(text, expected) << source;
    }
}

/// A deterministic stream of numbers for the round trip.
class CNumbers {
public:
    int Next(int below)
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((m_state >> 33) % std::uint64_t(below));
    }

private:
    std::uint64_t m_state = 12345;
};

TEST_F(TemplateTest, EveryTemplateWrittenBackCompilesToTheSameLines)
{
    // Pieces that a line may start with or hold; leniently compiled lines too, whose text may
    // hold braces, escapes and what a token that did not parse left behind, blanks first.
    const std::string longText(200, 'w');
    const std::string longReference = "%NOSUCH" + std::string(180, 'V') + "%";
    const char* starts[] = {
        "",          "{if male} ",         "{if no spouses & duplicates} ", "{} ", "{}", "{hello} ",
        "{picture}", "{if female picture}"};
    const char* pieces[] = {"%INDI.NAME%",
                            "=LifeDates(%INDI%)",
                            " b. ",
                            "{",
                            "}",
                            "\\n",
                            "\\%",
                            "\\=",
                            "\\\\",
                            "%_N_%",
                            "%_M_%",
                            "%INDI.NOSUCH%",
                            "% \f NOSUCH%",
                            "=NoSuch()",
                            "{x}",
                            "é",
                            "%FAM.MARR.DATE%",
                            "=Name([\"(\"])",
                            longText.c_str(),
                            longReference.c_str()};
    CNumbers numbers;
    int compiled[2] = {};
    for (int round = 0; round < 800; ++round) {
        std::string source;
        const int lines = 1 + numbers.Next(4);
        for (int l = 0; l < lines; ++l) {
            source += l ? "\r\n" : "";
            source += starts[numbers.Next(std::size(starts))];
            for (int n = numbers.Next(7); n > 0; --n)
                source += pieces[numbers.Next(std::size(pieces))];
        }
        for (const bool lenient : {false, true}) {
            CTextTemplate first;
            std::string message;
            if (!first.CompileTemplate(source, message, nullptr, nullptr, lenient))
                continue;
            ++compiled[lenient];
            std::string written;
            first.FormatTemplate(written);
            CTextTemplate second;
            ASSERT_TRUE(second.CompileTemplate(written, message, nullptr, nullptr, lenient))
                << lenient << "\n"
                << source << "\n"
                << written << "\n"
                << message;
            EXPECT_EQ(Describe(second), Describe(first)) << lenient << "\n"
                                                         << source << "\n"
                                                         << written;
        }
    }
    // Both modes met enough templates they accept.
    EXPECT_GT(compiled[0], 50);
    EXPECT_GT(compiled[1], 200);
}

TEST_F(TemplateTest, ValueTokensAreWalkedInOrder)
{
    CTextTemplate compiled = Compiled("a %INDI.NAME% b\r\n{if male} =LifeDates(%INDI%)%_X_%\r\nc");
    std::vector<std::string> walked;
    for (CDataRef* ref = compiled.GetNextFunction(nullptr); ref;
         ref = compiled.GetNextFunction(ref)) {
        walked.emplace_back();
        ref->Format(walked.back());
    }
    EXPECT_EQ(walked, (std::vector<std::string>{"INDI.NAME", "=LifeDates(%INDI%)"}));
    EXPECT_EQ(Compiled("plain\r\ntext").GetNextFunction(nullptr), nullptr);
}

TEST_F(TemplateTest, HugeTemplatesCompileOrAreRefusedWithAMessage)
{
    std::string manyLines;
    for (int i = 0; i < 5000; ++i)
        manyLines += "%INDI.NAME% \\n\r\n";
    CTextTemplate compiled = Compiled(manyLines);
    EXPECT_EQ(compiled.GetLineCount(), 5000);

    std::string message;
    int line = 0, column = 0;
    EXPECT_FALSE(compiled.CompileTemplate(std::string(100000, 'x'), message, &line, &column));
    EXPECT_TRUE(message.find("constant text at position 1 is too long") != std::string::npos);
    EXPECT_EQ(line, 0);

    std::string unclosed = "%" + std::string(100000, 'y');
    EXPECT_FALSE(compiled.CompileTemplate(unclosed, message));
    EXPECT_TRUE(message.find("not terminated correctly") != std::string::npos) << message;
    std::string deep(50000, '(');
    EXPECT_FALSE(compiled.CompileTemplate("=" + deep, message));
    EXPECT_TRUE(message.find("not a valid Function") != std::string::npos) << message;
}

} // namespace
