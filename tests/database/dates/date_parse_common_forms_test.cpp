// tests/database/dates/date_parse_common_forms_test.cpp: the quick reading of the common GEDCOM
// date forms gives exactly the date the full grammar gives.
#include "database/dates/date_data.h"
#include "database/dates/date_parse.h"

#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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
                                  "INT ", "TO ", "FROM ", "BET ", "ABOUT "}) {
        for (const char* day :
             {"", "1 ", "01 ", "31 ", "30 ", "29 ", "0 ", "00 ", "32 ", "123 ", "7  "}) {
            for (const char* month :
                 {"", "JAN ", "FEB ", "APR ", "DEC ", "Jan ", "JANU ", "XYZ ", "VEND ", "JAN  "}) {
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
    for (const char* opening : {"BET ", "FROM ", "BET  ", "TO "}) {
        for (const char* joining : {" AND ", " TO ", " and ", "  AND ", " AND TO "}) {
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
