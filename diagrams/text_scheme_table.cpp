// diagrams/text_scheme_table.cpp: the template lines and the built-in text schemes made of them.
#include "diagrams/text_scheme_table.h"

#include "platform/base/text.h"

#include <array>

namespace {

/// The template lines the built-in schemes are made of. A backslash and n is the template
/// language's line break within a line, not a break of the template.
constexpr std::array<const char*, 61> kLines = {
    "%INDI.NAME:PREFERRED%",                                                           // 1
    "{picture}",                                                                       // 2
    "=LifeDates(%INDI%)",                                                              // 3
    "{if male & no spouses & duplicates} m. %FAM.WIFE>NAME:PREFERRED%",                // 4
    "{if female & no spouses & duplicates} m. %FAM.HUSB>NAME:PREFERRED%",              // 5
    "%INDI.NAME:PREFERRED% (%_INSTANCE_%)",                                            // 6
    "{if male & no spouses} m. %FAM.WIFE>NAME:PREFERRED%",                             // 7
    "{if female & no spouses} m. %FAM.HUSB>NAME:PREFERRED%",                           // 8
    "b. %INDI.BIRT.DATE:MEDIUM%\\nin %INDI.BIRT.PLAC%",                                // 9
    "d. %INDI.DEAT.DATE:MEDIUM%\\nin %INDI.DEAT.PLAC%",                                // 10
    "b. %INDI.BIRT.DATE:COMPACT%",                                                     // 11
    "d. %INDI.DEAT.DATE:COMPACT%",                                                     // 12
    "{if female} m. %FAM.MARR.DATE:COMPACT%",                                          // 13
    "{if male & no spouses & duplicates} Sp. %FAM.WIFE>NAME:PREFERRED%",               // 14
    "{if female & no spouses & duplicates} Sp. %FAM.HUSB>NAME:PREFERRED%",             // 15
    "{if no spouses & duplicates} m. %FAM.MARR.DATE:COMPACT%",                         // 16
    "m. %FAM.MARR.DATE:COMPACT%",                                                      // 17
    "{if male & no spouses} Sp. %FAM.WIFE>NAME:PREFERRED%",                            // 18
    "{if female & no spouses} Sp. %FAM.HUSB>NAME:PREFERRED%",                          // 19
    "{if no spouses} m. %FAM.MARR.DATE:COMPACT%",                                      // 20
    "b. %INDI.BIRT.DATE:COMPACT%\\nin %INDI.BIRT.PLAC%",                               // 21
    "d. %INDI.DEAT.DATE:COMPACT%\\nin %INDI.DEAT.PLAC%",                               // 22
    "{if female} m. %FAM.MARR.DATE:COMPACT%\\nin %FAM.MARR.PLAC%",                     // 23
    "{if no spouses & duplicates} m. %FAM.MARR.DATE:COMPACT%\\nin %FAM.MARR.PLAC%",    // 24
    "m. %FAM.MARR.DATE:COMPACT%\\nin %FAM.MARR.PLAC%",                                 // 25
    "{if no spouses} m. %FAM.MARR.DATE:COMPACT%\\nin %FAM.MARR.PLAC%",                 // 26
    "%INDI.NAME:GIVEN%",                                                               // 27
    "%INDI.NAME:SURNAME%",                                                             // 28
    "%INDI.NAME:PREFERRED% [=AhnentafelNumber([\"<root>\"],%INDI%,1)]",                // 29
    "{if male} m. date: %FAM.MARR.DATE:SHORT%",                                        // 30
    "{if male} Age at marr: %FAM.MARR.DATE:HUSBAND_AGE_AT%",                           // 31
    "{if female} Age at marr: %FAM.MARR.DATE:WIFE_AGE_AT%",                            // 32
    "{if no spouses & duplicates} m. date: %FAM.MARR.DATE:SHORT%",                     // 33
    "{if male & spouses & no duplicates} Age at marr: %FAM.MARR.DATE:HUSBAND_AGE_AT%", // 34
    "{if male & no spouses & duplicates} Age at marr: %FAM.MARR.DATE:HUSBAND_AGE_AT%", // 35
    "{if male & spouses & duplicates} Age at marr: %FAM.MARR.DATE:HUSBAND_AGE_AT%",    // 36
    "{if female & spouses & no duplicates} Age at marr: %FAM.MARR.DATE:WIFE_AGE_AT%",  // 37
    "{if female & no spouses & duplicates} Age at marr: %FAM.MARR.DATE:WIFE_AGE_AT%",  // 38
    "{if female & spouses & duplicates} Age at marr: %FAM.MARR.DATE:WIFE_AGE_AT%",     // 39
    "m. date: %FAM.MARR.DATE:SHORT%",                                                  // 40
    "{if no spouses} m. date: %FAM.MARR.DATE:SHORT%",                                  // 41
    "Occ: %INDI.OCCU%; %INDI.OCCU[2]%; %INDI.OCCU[3]%",                                // 42
    "Occ. %INDI.OCCU%",                                                                // 43
    "Educ. %INDI.EDUC%",                                                               // 44
    "Religion: %INDI.RELI%",                                                           // 45
    "=Relationship([\"<root>\"],%INDI%,TEXT,1)",                                       // 46
    "Age at death: %INDI.DEAT.DATE:AGE_AT%",                                           // 47
    "Cause of death: %INDI.DEAT.CAUS%",                                                // 48
    "\"%INDI.NAME.NICK%\"",                                                            // 49
    "%INDI.NAME%",                                                                     // 50
    "%INDI.NAME% (%_INSTANCE_%)",                                                      // 51
    "%INDI.NAME:ADORNED%",                                                             // 52
    "%INDI.TITL%",                                                                     // 53
    "%INDI.NAME:ADORNED% (%_INSTANCE_%)",                                              // 54
    "%INDI.NAME[<2]%",                                                                 // 55
    "%INDI.NAME[<2]% (%_INSTANCE_%)",                                                  // 56
    "ANCESTOR",                                                                        // 57
    "DESCENDANT",                                                                      // 58
    "SPOUSE",                                                                          // 59
    "DUPLICATE",                                                                       // 60
    "PROXY",                                                                           // 61
};

/// A scheme's name, then per box type the numbers (from 1) of its template's lines, or null for
/// no template of its own.
struct Row {
    const char* name;
    std::array<const char*, kBoxTypeCount> lines;
};

constexpr Row kRows[kBuiltInSchemeCount] = {
    {"Name, Dates", {"1 2 3", nullptr, "1 2 3 4 5", nullptr, "6 2 7 8", "1 2 4 5"}},
    {"Name, Dates, Places", {"1 2 9 10", nullptr, "1 2 9 10 4 5", nullptr, "6 2 7 8", "1 2 4 5"}},
    {"Name, Birth Dates, Birth Places",
     {"1 2 9", nullptr, "1 2 9 4 5", nullptr, "6 2 7 8", "1 2 4 5"}},
    {"Name, Birth, Marr, Death",
     {nullptr, "1 2 11 12 13", "1 2 11 12 14 15 16", "1 2 11 12 17", "6 2 18 19 20", "1 2 14 15"}},
    {"Name, Birth, Marr, Death & Places",
     {nullptr, "1 2 21 22 23", "1 2 21 22 14 15 24", "1 2 21 22 25", "6 2 18 19 26", "1 2 14 15"}},
    {"Compact", {"27 28 2", nullptr, "27 28 2 4 5", nullptr, "27 28 2 7 8", "27 28 2 4 5"}},
    {"Name Only", {"1 2", nullptr, nullptr, nullptr, "6 2", nullptr}},
    {"Name, Ahnentafel Numbers, Dates",
     {"1 2 3", "29 2 3", "1 2 3 4 5", nullptr, "6 2 7 8", "1 2 4 5"}},
    {"Name, Dates, Marriage Date, Age",
     {nullptr, "1 2 3 30 31 32", "1 2 3 4 5 33 34 35 36 37 38 39", "1 2 3 40 31 32",
      "6 2 7 8 41 31 32", "1 2 4 5"}},
    {"Name, Dates, Occupations",
     {"1 2 3 42", nullptr, "1 2 3 4 5 42", nullptr, "6 2 7 8", "1 2 4 5"}},
    {"Name, Dates, Occ, Educ, Religion",
     {"1 2 3 43 44 45", nullptr, "1 2 3 4 5 43 44 45", nullptr, "6 2 7 8", "1 2 4 5"}},
    {"Name, Dates, How Related",
     {"1 2 3 46", nullptr, "1 2 3 4 5 46", nullptr, "6 2 7 8 46", "1 2 4 5"}},
    {"Name, Dates, Marriage Date",
     {nullptr, "1 2 3 30", "1 2 3 4 5 33", "1 2 3 40", "6 2 7 8 41", "1 2 4 5"}},
    {"Name, Dates, Age at Death, Cause of Death",
     {"1 2 3 47 48", nullptr, "1 2 3 4 5 47 48", nullptr, "6 2 7 8", "1 2 4 5"}},
    {"Name, Nickname, Dates",
     {"1 2 49 3", nullptr, "1 2 49 3 4 5", nullptr, "6 2 49 7 8", "1 2 49 4 5"}},
    {"Full Name, Dates", {"50 2 3", nullptr, "50 2 3 4 5", nullptr, "51 2 7 8", "50 2 4 5"}},
    {"Adorned Name, Title, Dates",
     {"52 2 53 3", nullptr, "52 2 53 3 4 5", nullptr, "54 2 53 7 8", "52 53 2 4 5"}},
    {"Alternate Name, Dates", {"55 2 3", nullptr, "55 2 3 4 5", nullptr, "56 2 7 8", "55 2 4 5"}},
    {"Box Types", {nullptr, "1 2 57", "1 2 58", "1 2 59", "1 2 60", "1 2 61"}},
};

/// The lines named by numbers joined by CR LF.
std::string JoinLines(const char* numbers)
{
    std::string text;
    const char* p = numbers;
    while (*p) {
        std::size_t used = 0;
        const long number = text::ParseLeadingInt(p, &used);
        text += (text.empty() ? "" : "\r\n") + std::string(kLines[std::size_t(number - 1)]);
        p += used;
    }
    return text;
}

std::vector<BuiltInScheme> MakeSchemes()
{
    std::vector<BuiltInScheme> schemes;
    for (const Row& row : kRows) {
        BuiltInScheme& scheme = schemes.emplace_back();
        scheme.name = row.name;
        for (int type = 0; type < kBoxTypeCount; ++type) {
            if (const char* numbers = row.lines[std::size_t(type)])
                scheme.templates[std::size_t(type)] = JoinLines(numbers);
        }
    }
    return schemes;
}

} // namespace

const std::vector<BuiltInScheme>& BuiltInSchemes()
{
    static const std::vector<BuiltInScheme> schemes = MakeSchemes();
    return schemes;
}

const BuiltInScheme* FindBuiltInScheme(std::string_view name)
{
    for (const BuiltInScheme& scheme : BuiltInSchemes()) {
        if (scheme.name == name)
            return &scheme;
    }
    return nullptr;
}
