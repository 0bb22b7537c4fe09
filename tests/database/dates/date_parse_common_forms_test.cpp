// tests/database/dates/date_parse_common_forms_test.cpp: the quick reading of the common GEDCOM
// date forms gives exactly the date the full grammar gives.
#include "database/dates/date_data.h"
#include "database/dates/date_parse.h"

#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

/// Every part of a parse result, so that two results can be compared field by field.
std::string Describe(bool parsed, const CDateData& date)
{
    auto value = [](const CDateValue& v) {
        return std::to_string(v.IsValid()) + "/" + std::to_string(v.GetCalendar()) + "/" +
               std::to_string(v.IsBC()) + "/" + std::to_string(v.HasDualYear()) + "/" +
               std::to_string(v.GetDualYear()) + "/" + std::to_string(v.GetYear()) + "/" +
               std::to_string(v.GetMonth()) + "/" + std::to_string(v.GetDay());
    };
    std::string out = std::to_string(parsed) + " kind " + std::to_string(date.GetKind()) +
                      " qualifier " + std::to_string(date.GetQualifier());
    if (date.GetKind() != DATE_EMPTY && date.GetKind() != DATE_PHRASE)
        out += " first " + value(date.GetFirstValue());
    if (const CDateValue* second = date.GetSecondValue())
        out += " second " + value(*second);
    if (const std::string* phrase = date.GetPhrase())
        out += " phrase " + *phrase;
    return out + " written " + date.GetGedcomLineText();
}

/// The result for text; with a leading blank the quick reading never applies, so the full
/// grammar reads it (it skips leading blanks).
std::string Parse(const std::string& text, bool throughFullGrammar,
                  const CDateParseOptions& options = CDateParseOptions())
{
    CDateData date;
    const bool parsed = ParseDateText(date, throughFullGrammar ? " " + text : text, true, options);
    return Describe(parsed, date);
}

/// The DATE values of the sample files, and the forms made from every qualifier, day and month
/// shape around them, well formed or not.
std::vector<std::string> Inputs()
{
    std::set<std::string> texts;
    for (const auto& entry :
         std::filesystem::directory_iterator(test_support::DataPath("gedcom"))) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            const std::size_t at = line.find(" DATE ");
            if (at != std::string::npos && at < 4)
                texts.insert(line.substr(at + 6));
        }
    }
    for (const char* qualifier : {"", "ABT ", "CAL ", "EST ", "BEF ", "AFT ", "abt ", "ABT  ",
                                  "ABT\t", "ABT    ", "INT ", "TO ", "FROM ", "BET ", "ABOUT "}) {
        for (const char* day :
             {"", "1 ", "01 ", "31 ", "30 ", "29 ", "0 ", "00 ", "32 ", "123 ", "7  "}) {
            for (const char* month : {"", "JAN ", "FEB ", "APR ", "DEC ", "Jan ", "JANU ", "XYZ ",
                                      "VEND ", "JAN  ", "JAN\t"}) {
                for (const char* year :
                     {"1850", "0", "9999", "10000", "00012", "1850 ", "1699/00", "1850/51",
                      "1850/5", "1850/511", "1850/5X", "44 B.C.", "185O", ""}) {
                    texts.insert(std::string(qualifier) + day + month + year);
                }
            }
        }
    }
    const char* values[] = {"1850", "1 JAN 1850", "JAN 1850/51", "32 JAN 1850", "1850 ",
                            "",     "ABT 1850",   "1 Jan 1850",  "44 B.C.",     "(phrase)"};
    for (const char* opening : {"BET ", "FROM ", "BET  ", "TO ", "ABT "}) {
        for (const char* joining :
             {" AND ", " TO ", " and ", "  AND ", " AND  ", " AND TO ", "AND ", " AND", " TO  "}) {
            for (const char* first : values) {
                for (const char* second : values)
                    texts.insert(std::string(opening) + first + joining + second);
            }
        }
    }
    // Numeric dates, which the full grammar reads before the common forms are tried.
    for (const char* numeric :
         {"12/25/1850", "25.12.1850", "25 12 1850", "1850/12/25", "(1/2/1850)", "1 2 1850",
          "12 1850", "1850 51", "1/1850", "25-12-1850", "1850-12"})
        texts.insert(numeric);
    return {texts.begin(), texts.end()};
}

/// A date text put together at random from the parts of the common forms, near misses of them
/// and pieces of the other forms, joined by runs of blanks or by nothing.
std::string RandomDateText(std::mt19937& random)
{
    static const std::vector<std::string> words = {
        "ABT",  "CAL", "EST",    "BEF", "AFT", "BET", "AND",     "FROM",      "TO",
        "INT",  "abt", "BEFORE", "JAN", "FEB", "MAR", "APR",     "MAY",       "JUN",
        "JUL",  "AUG", "SEP",    "OCT", "NOV", "DEC", "Jan",     "JU",        "JANU",
        "VEND", "TSH", "B.C.",   "BC",  "(",   ")",   "(about)", "@#DJULIAN@"};
    static const std::vector<std::string> gaps = {" ", " ", " ", "  ", "    ", "\t", "", "/", "-"};
    auto pick = [&](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };
    auto number = [&] {
        std::string digits;
        for (int n = std::uniform_int_distribution<int>(1, 5)(random); n > 0; --n)
            digits += char('0' + std::uniform_int_distribution<int>(0, 9)(random));
        return digits;
    };
    std::string text;
    for (int parts = std::uniform_int_distribution<int>(1, 7)(random); parts > 0; --parts) {
        if (!text.empty())
            text += pick(gaps);
        text += std::uniform_int_distribution<int>(0, 2)(random) == 0 ? pick(words) : number();
    }
    return text;
}

/// A text of the shape "[keyword ]value[ joining value]", the parts mostly well formed.
std::string RandomCommonShape(std::mt19937& random)
{
    auto chance = [&](int in) {
        return std::uniform_int_distribution<int>(0, in - 1)(random) == 0;
    };
    auto gap = [&] { return chance(8) ? "  " : chance(20) ? "" : " "; };
    auto value = [&] {
        std::string text;
        if (chance(2))
            text += std::to_string(std::uniform_int_distribution<int>(0, 32)(random)) + gap();
        // A day is always followed by a month; a year alone is a fourth of the rest.
        if (!text.empty() || !chance(4)) {
            static const char* months[] = {"JAN", "FEB", "APR", "JUN",  "SEP",
                                           "NOV", "DEC", "Feb", "FEBR", "XYZ"};
            text += months[std::uniform_int_distribution<int>(0, 9)(random)];
            text += gap();
        }
        text += std::to_string(
            std::uniform_int_distribution<int>(0, chance(20) ? 99999 : 2100)(random));
        if (chance(6))
            text += chance(5)
                        ? "/5"
                        : "/" + std::to_string(std::uniform_int_distribution<int>(10, 99)(random));
        return text;
    };
    static const char* keywords[] = {"",    "",    "ABT", "CAL",  "EST",
                                     "BEF", "AFT", "BET", "FROM", "TO"};
    std::string text = keywords[std::uniform_int_distribution<int>(0, 9)(random)];
    if (!text.empty())
        text += gap();
    text += value();
    if (chance(3))
        text += std::string(gap()) + (chance(2) ? "AND" : "TO") + gap() + value();
    return text;
}

TEST(DateParseCommonForms, GiveTheSameDateAsTheFullGrammarForGeneratedTexts)
{
    std::mt19937 random(1850);
    int parsed = 0;
    for (int i = 0; i < 100000; ++i) {
        const std::string text = i % 2 == 0 ? RandomDateText(random) : RandomCommonShape(random);
        ASSERT_EQ(Parse(text, false), Parse(text, true)) << "text: \"" << text << "\"";
        CDateData date;
        parsed += ReadCommonGedcomDate(text, date);
    }
    EXPECT_GT(parsed, 20000);
}

TEST(DateParseCommonForms, GiveTheSameDateAsTheFullGrammar)
{
    const std::vector<std::string> inputs = Inputs();
    ASSERT_GT(inputs.size(), 10000u);
    int parsed = 0;
    for (const std::string& text : inputs) {
        EXPECT_EQ(Parse(text, false), Parse(text, true)) << "text: \"" << text << "\"";
        parsed += Parse(text, false).starts_with("1 ");
    }
    EXPECT_GT(parsed, 1000);
}

// The forms most dates of a file take are read by the quick reader, whatever the runs of spaces
// between their parts; the tests above show it gives them the full grammar's date.
TEST(DateParseCommonForms, QuickReaderTakesTheFormsOfAFile)
{
    for (const char* text :
         {"1850", "7", "1850/51", "NOV 1936", "5 NOV 1936", "05  NOV  1936", "31 DEC 1850/51",
          "ABT    1850", "ABT 1850/51", "CAL JAN 1850", "EST 1850", "BEF  2 JAN 1850",
          "AFT    FEB 1850", "FROM 1850", "TO 3 MAR 1850", "FROM 1850 TO 1860",
          "BET 1 JAN 1850  AND  DEC 1860"}) {
        CDateData date;
        EXPECT_TRUE(ReadCommonGedcomDate(text, date)) << text;
        EXPECT_NE(date.GetKind(), DATE_EMPTY) << text;
    }
}

// The common forms are read before numeric dates: none of them is a numeric date, whatever
// order and separator the settings give numeric dates.
TEST(DateParseCommonForms, GiveTheSameDateWithOtherNumericDateSettings)
{
    CDateParseOptions options;
    options.prefs.numericDateFormat = DATE_ORDER_DMY;
    options.prefs.numericDateSeparator = '-';
    for (const std::string& text : Inputs())
        EXPECT_EQ(Parse(text, false, options), Parse(text, true, options)) << "text: " << text;
    EXPECT_TRUE(Parse("25-12-1850", false, options).starts_with("1 "));
}

} // namespace
