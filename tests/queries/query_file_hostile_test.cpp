// tests/queries/query_file_hostile_test.cpp: Query files that were damaged, cut short, edited by
// hand or copied from other machines: each is either refused with the reason or loaded with every
// part that reads, and what loads saves back to a file that loads to the same query.
#include "queries/query_def.h"

#include "tests/queries/query_test_family.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <random>

namespace {

using namespace std::string_literals;

constexpr const char* kNotAQueryFile = "File is not a valid Ardenvel Query file";
constexpr const char* kInvalidData = "Invalid data in query - cannot load";
const std::string kStart = "[Ardenvel Query]\nTYPE=INDI\n";
const std::string kLong(100000, 'x');

/// count bytes from a seeded generator, so that every run reads the same file.
std::string RandomBytes(std::uint32_t seed, std::size_t count)
{
    std::mt19937 generator(seed);
    std::string bytes(count, '\0');
    for (char& byte : bytes)
        byte = char(generator() & 0xFF);
    return bytes;
}

class QueryFileHostileTest : public CQueryFamilyTest {
protected:
    /// Loads content as a custom query: the query, or null with error set.
    std::shared_ptr<CQueryDef> Load(std::string_view content, std::string& error)
    {
        test_support::WriteFile(m_folder + "/Custom/hostile.avq", content);
        auto query = CQueryDef::Create();
        error.clear();
        if (query->Load("hostile", true, error))
            return query;
        EXPECT_EQ(query->GetColumnCount(false), 0);
        EXPECT_EQ(query->GetFilterCount(), 0);
        EXPECT_EQ(query->GetDescription(), "");
        return nullptr;
    }

    /// A run of what a file held either finishes or fails with the query's error flag set.
    static bool RunsOrSaysItFailed(CQueryDef& query)
    {
        query.ErrorFlag() = false;
        query.CancelledFlag() = false;
        return EvaluateQuery(query) || query.ErrorFlag();
    }

    /// Whether query saves, and its file loads and saves again to the same text.
    ::testing::AssertionResult SavesBackTheSame(CQueryDef& query)
    {
        const std::string first = "saved once";
        const std::string second = "saved twice";
        paths::RemoveFile(m_folder + "/Custom/" + first + ".avq");
        paths::RemoveFile(m_folder + "/Custom/" + second + ".avq");
        if (!query.Save(&first, true))
            return ::testing::AssertionFailure() << "the save was refused";
        auto again = CQueryDef::Create();
        std::string error;
        if (!again->Load(first, true, error))
            return ::testing::AssertionFailure() << "the saved file does not load: " << error;
        if (!again->Save(&second, true))
            return ::testing::AssertionFailure() << "the reloaded query does not save";
        if (CustomFile(first) != CustomFile(second))
            return ::testing::AssertionFailure() << "saved:\n"
                                                 << CustomFile(first) << "\nsaved again:\n"
                                                 << CustomFile(second);
        return ::testing::AssertionSuccess();
    }
};

TEST_F(QueryFileHostileTest, FilesThatAreNoQueriesAreRefusedWithTheReason)
{
    const struct {
        const char* what;
        std::string content;
        const char* error;
    } cases[] = {
        {"empty file", "", kNotAQueryFile},
        {"only comments and blank lines", "; nothing\r\n\n\n;\n", kNotAQueryFile},
        {"random bytes", RandomBytes(7, 4096), kNotAQueryFile},
        {"no header section", "VERSION=1.0\nTYPE=INDI\nTAG=\"Name\",\"INDI.NAME\"\n",
         kNotAQueryFile},
        {"header with more on its line", "[Ardenvel Query] copy\nTYPE=INDI\n", kNotAQueryFile},
        {"a first line of 100,000 characters", kLong + "\n" + kStart, kNotAQueryFile},
        {"a NUL byte inside the header", "[Ardenvel\0Query]\nTYPE=INDI\n"s, kNotAQueryFile},
        {"the header in UTF-16", "\xFF\xFE[\0A\0r\0d\0]\0\n\0"s, kNotAQueryFile},
        {"unknown record type", "[Ardenvel Query]\nTYPE=PERSON\n", kInvalidData},
        {"record type of 100,000 characters", "[Ardenvel Query]\nTYPE=" + kLong + "\n",
         kInvalidData},
        {"record type in invalid UTF-8", "[Ardenvel Query]\nTYPE=\xC3\x28\n", kInvalidData},
        {"a later unknown type wins", kStart + "TYPE=XYZ\nTAG=\"Name\",\"INDI.NAME\"\n",
         kInvalidData},
    };
    for (const auto& [what, content, message] : cases) {
        std::string error;
        EXPECT_FALSE(Load(content, error)) << what;
        EXPECT_EQ(error, message) << what;
    }
}

TEST_F(QueryFileHostileTest, WhatIsNoFileCannotBeOpened)
{
    ASSERT_TRUE(paths::MakeDirectories(m_folder + "/Custom/a folder.avq"));
    std::filesystem::create_symlink(m_folder + "/Custom/gone.avq",
                                    m_folder + "/Custom/a broken link.avq");
    for (const std::string name : {"a folder", "a broken link", "missing"}) {
        auto query = CQueryDef::Create();
        std::string error;
        EXPECT_FALSE(query->Load(name, true, error));
        EXPECT_EQ(error, "Unable to open query '" + name + "'.");
    }
}

TEST_F(QueryFileHostileTest, DamagedFilesLoadWhatReads)
{
    const std::string invalidUtf8Description(100, '\x80');
    std::string repeatedDescriptions;
    std::string manyParagraphs;
    for (int i = 0; i < 100000; ++i) {
        repeatedDescriptions += "DESC=\n";
        manyParagraphs += i == 0 ? "" : "\r\n";
    }
    const struct {
        const char* what;
        std::string content;
        int columns;
        int filters;
        std::string description;
    } cases[] = {
        {"nothing but the header, read as a query of individuals", "[Ardenvel Query]\n", 0, 0, ""},
        {"a line of 100,000 characters among the items",
         kStart + kLong + "\nTAG=\"Name\",\"INDI.NAME\"\n", 1, 0, ""},
        {"heading, label, list name and description of 100,000 characters",
         kStart + "DESC=\n" + kLong + "\n.\nTAG=\"" + kLong + "\",\"INDI.NAME\"\n" +
             "FILTER=GEN,ADD,IF,Y,\"" + kLong + "\",\"INDI.NAME\",,\"=\"\n" +
             "FILTER=LST,ADD,IF,N,\"\",\"" + kLong + "\"\n",
         1, 2, kLong},
        {"a row of 100,000 commas", kStart + "FILTER=GEN" + std::string(100000, ',') + "\n", 0, 0,
         ""},
        {"a heading of 100,000 quotes", kStart + "TAG=" + std::string(100002, '"') + "\n", 0, 0,
         ""},
        {"unknown row kinds, flags, operators, relations and value types",
         kStart + "FILTER=XYZ,ADD,IF,N,\"\",\"INDI.NAME\",,\"=\",TEXT,\"a\"\n"
                  "FILTER=GEN,MAYBE,IF,N,\"\",\"INDI.NAME\",,\"=\",TEXT,\"a\"\n"
                  "FILTER=GEN,ADD,WHEN,N,\"\",\"INDI.NAME\",,\"=\",TEXT,\"a\"\n"
                  "FILTER=GEN,ADD,IF,X,\"\",\"INDI.NAME\",,\"=\",TEXT,\"a\"\n"
                  "FILTER=GEN,ADD,IF,N,\"\",\"INDI.NAME\",CASE,\"=\",TEXT,\"a\"\n"
                  "FILTER=GEN,ADD,IF,N,\"\",\"INDI.NAME\",,\"~=\",TEXT,\"a\"\n"
                  "FILTER=GEN,ADD,IF,N,\"\",\"INDI.NAME\",,\"=\",BLOB,\"a\"\n"
                  "FILTER=GEN,ADD,IF,N,\"\",\"=ChildCount()\",,\"=\",ENUM,\"M\"\n"
                  "FILTER=GEN,ADD,IF,N,\"\",\"=NoSuchFunction()\",,\"null\"\n"
                  "FILTER=GEN,ADD,IF,N,\"\",\"INDI.NOSUCH\",,\"null\"\n"
                  "FILTER=REL,ADD,IF,N,\"\",COUSIN,,\n"
                  "FILTER=REL,ADD,IF,N,\"\",ANC,ORG,SP,3,4\n"
                  "FILTER=LST,ADD,IF,N,\"\",Done\n"
                  "FILTER=GEN,ADD,IF,N,\"\",\"INDI.SEX\",,\"=\",ENUM,\"M\"\n",
         0, 4, ""}, // the rows with a BLOB value and an ENUM of an expression wait for a value
        {"indices beyond the fields there are",
         kStart + "TAG=\"a\",\"INDI.NAME[99999999999]\"\nTAG=\"b\",\"INDI.NAME[-1]\"\n"
                  "TAG=\"c\",\"INDI.NAME[0]\"\nTAG=\"d\",\"INDI.FAMS[2147483647]>HUSB\",,ASC\n"
                  "TAG=\"e\",\"INDI.~CHIL[<2147483647]>NAME\",,DESC\n",
         4, 0, ""},
        {"a description block that never ends, after the items",
         kStart + "TAG=\"Name\",\"INDI.NAME\"\nDESC=\nsome words\n"
                  "FILTER=LST,ADD,IF,N,\"\",\"Done\"\nTITLE=\"kept\"\n",
         1, 1, "some words"},
        {"100,000 description blocks that never end", kStart + repeatedDescriptions, 0, 0,
         manyParagraphs},
        {"a description block that never ends, before the type",
         "[Ardenvel Query]\nDESC=\nsome words\nTYPE=INDI\nTAG=\"Name\",\"INDI.NAME\"\n", 1, 0,
         "some words"},
        {"a description line holding what looks like keys",
         kStart + "DESC=ignored\nTAG=\"Name\",\"INDI.NAME\"\n..\n.\n", 0, 0,
         "TAG=\"Name\",\"INDI.NAME\"."},
        {"duplicated keys",
         kStart + "TYPE=FAM\nTYPE=INDI\nTITLE=\"one\"\nTITLE=\"two\"\n"
                  "DESC=\none\n.\nDESC=\ntwo\n.\nVERSION=1.0\nVERSION=2.0\n"
                  "TAG=\"Name\",\"INDI.NAME\"\nTAG=\"Name\",\"INDI.NAME\"\n",
         2, 0, "one\r\ntwo"},
        {"keys without values",
         kStart + "VERSION=\nATTR=\nDESC=\n.\nTITLE=\nSUBTITLE=\n"
                  "ORIENTATION=\nMULTIPAGE_HANDLING=\nTAG=\nFILTER=\n",
         0, 0, ""},
        {"NUL bytes inside values",
         kStart + "TAG=\"a\0b\",\"INDI.NAME\"\nFILTER=LST,ADD,IF,N,\"\",\"\0\"\n"s, 1, 1, ""},
        {"invalid UTF-8 in every text",
         kStart + "TITLE=\"\xFF\xFE\"\nDESC=\n" + invalidUtf8Description + "\n.\n" +
             "TAG=\"\xC3\",\"INDI.NAME\"\nFILTER=LST,ADD,IF,N,\"\",\"\xE2\x82\"\n" +
             "FILTER=GEN,ADD,IF,Y,\"\xF0\x9F\",\"INDI.NAME\",,\"contains\",TEXT,\"\xED\xA0\x80\"\n",
         1, 2, invalidUtf8Description},
    };
    for (const auto& [what, content, columns, filters, description] : cases) {
        std::string error;
        auto query = Load(content, error);
        ASSERT_TRUE(query) << what << ": " << error;
        EXPECT_EQ(query->GetColumnCount(false), columns) << what;
        EXPECT_EQ(query->GetFilterCount(), filters) << what;
        EXPECT_EQ(query->GetDescription(), description) << what;
        EXPECT_TRUE(RunsOrSaysItFailed(*query)) << what;
        EXPECT_TRUE(SavesBackTheSame(*query)) << what;
    }
}

TEST_F(QueryFileHostileTest, NumbersOutOfRangeAreHeldToTheirLimitsAndRun)
{
    using Reading = int (*)(const CQueryDef&);
    const Reading width = [](const CQueryDef& q) { return q.GetColumn(0, false)->m_width; };
    const Reading generations = [](const CQueryDef& q) {
        return static_cast<CAvFilterRels*>(q.GetFilter(0))->GetMaxGenerations();
    };
    const Reading number = [](const CQueryDef& q) {
        return int(static_cast<CAvFilterGen*>(q.GetFilter(0))->GetValue().GetNumber());
    };
    const Reading month = [](const CQueryDef& q) {
        return static_cast<CAvFilterGen*>(q.GetFilter(0))->GetValue().GetMonthDay().m_month;
    };
    const Reading rows = [](const CQueryDef& q) { return q.GetFilterCount(); };
    const Reading major = [](const CQueryDef& q) { return q.GetVersionMajor(); };
    const Reading minor = [](const CQueryDef& q) { return q.GetVersionMinor(); };
    const std::string sortedName = "TAG=\"n\",\"INDI.NAME\",,ASC,";
    const std::string relation = "FILTER=REL,ADD,UNLESS,N,\"\",DESC,,,";
    const std::string childCount = "FILTER=GEN,ADD,IF,N,\"\",\"=ChildCount()\",,\">\",NUMBER,";
    const std::string monthDay =
        "FILTER=GEN,ADD,IF,N,\"\",\"INDI.BIRT.DATE:MONTH_AND_DAY\",,\"<\",MMDD,";
    const struct {
        std::string line;
        Reading reading;
        int expected;
    } cases[] = {
        {sortedName + "99999999999", width, INT_MAX},
        {sortedName + "2147483648", width, INT_MAX},
        {sortedName + "4294967376", width, INT_MAX},
        {sortedName + std::string(1000, '9'), width, INT_MAX},
        {sortedName + "-1", width, kDefaultColumnWidth},
        {sortedName + "000000000000000000000120", width, 120},
        {relation + "99999999999", generations, INT_MAX},
        {relation + "4294967299", generations, INT_MAX},
        {relation + "-1", generations, 0},
        {relation + "-99999999999", generations, 0},
        {childCount + "99999999999", number, INT_MAX},
        {childCount + "-99999999999", number, INT_MIN},
        {monthDay + "99999999999/99999999999", month, INT_MAX},
        {monthDay + "-99999999999/-99999999999", month, INT_MIN},
        {"VERSION=99999999999.99999999999", major, INT_MAX},
        {"VERSION=-99999999999.99999999999", minor, INT_MAX},
        {"FILTER=GEN,ADD,IF,N,\"\",\"=Relationship(,,TEXT,2147483647)\",,\"null\"", rows, 1},
        {"FILTER=GEN,ADD,IF,N,\"\",\"=Relationship(,,TEXT,99999999999)\",,\"null\"", rows, 0},
        {"FILTER=GEN,ADD,IF,N,\"\",\"=AhnentafelNumber(,%INDI.~FATH>%,2147483647)\",,\"null\"",
         rows, 1},
    };
    for (const auto& [line, reading, expected] : cases) {
        std::string error;
        auto query = Load(kStart + line + "\n", error);
        ASSERT_TRUE(query) << line << ": " << error;
        EXPECT_EQ(reading(*query), expected) << line;
        EXPECT_TRUE(EvaluateQuery(*query)) << line;
        EXPECT_TRUE(SavesBackTheSame(*query)) << line;
    }
}

TEST_F(QueryFileHostileTest, ValuesOutOfTheOrdinaryAreReadOrLeftToBeAskedForAndRun)
{
    const std::string gen = "FILTER=GEN,ADD,IF,N,\"\",";
    const struct {
        std::string row;
        bool valueRead; // else the row stays with no value, asked for when the query runs
    } cases[] = {
        {gen + "\"INDI.BIRT.DATE\",,\">\",DATE,\"1900\"", true},
        {gen + "\"INDI.BIRT.DATE\",,\">\",DATE,\"31 DEC 9999\"", true},
        {gen + "\"INDI.BIRT.DATE\",,\">\",DATE,\"99999999999\"", false},
        {gen + "\"INDI.BIRT.DATE\",,\"=\",DATE,\"1 JAN 99999999999\"", false},
        {gen + "\"INDI.BIRT.DATE\",,\"=\",DATE,\"-2147483648\"", false},
        {gen + "\"INDI.BIRT.DATE\",,\"=\",DATE,\"32 FEB -5\"", false},
        {gen + "\"INDI.BIRT.DATE\",,\"=\",DATE,\"@#DJULIAN@ 29 FEB 99999\"", false},
        {gen + "\"INDI.BIRT.DATE\",,\"<\",DATE,\"BET 1 JAN 1900 AND\"", false},
        {gen + "\"INDI.BIRT.DATE\",,\">\",DATE,\"(\"", false},
        {gen + "\"INDI.BIRT.DATE\",,\"=\",DATE,\"" + kLong + "\"", false},
        {gen + "\"INDI.BIRT.DATE\",,\"=\",DATE,\"" + std::string(30000, '1') + "\"", false},
        {gen + "\"INDI.BIRT.DATE:YEAR\",,\">\",NUMBER,99999999999", true},
        {gen + "\"INDI.BIRT.DATE:DAY\",,\"<\",NUMBER,-99999999999", true},
        {gen + "\"INDI.BIRT.DATE:AGE_AT\",,\">\",SPAN,2147483647:2147483647:2147483647", true},
        {gen + "\"INDI.BIRT.DATE\",,\">\",SPAN,-2147483648:-1:-1", true},
        {gen + "\"INDI.BIRT.DATE:MONTH_AND_DAY\",,\"=\",MMDD,13/99", true},
        {gen + "\"INDI.SEX\",,\"=\",ENUM,\"99999999999\"", false},
        {gen + "\"INDI.SEX\",,\">\",NUMBER,5", true},
        {gen + "\"INDI.NAME:SURNAME\",,\"<\",DATE,\"1900\"", true},
        {gen + "\"INDI.NAME\",,\"=\",TAGADDR,INDI.NAME[99999999999]", false},
        {gen + "\"INDI.NAME\",,\"=\",TAGADDR,INDI.NAME[2147483647]", true},
        {gen + "\"INDI.FAMS>HUSB\",,\"=\",RECORD,\"I1\"", false},
        {gen + "\"INDI.FAMS[2147483647]>CHIL[<2147483647]>NAME\",,\"null\"", false},
        {gen + "\"=AgeAt(%INDI%,%INDI.DEAT.DATE%)\",,\">\",NUMBER,2147483647", true},
        {gen + "\"=Name(%INDI.~FATH[2147483647]>%)\",,\"contains\",TEXT,\"\"", true},
    };
    for (const auto& [row, valueRead] : cases) {
        std::string error;
        auto query = Load(kStart + row + "\n", error);
        ASSERT_TRUE(query) << row << ": " << error;
        ASSERT_EQ(query->GetFilterCount(), 1) << row;
        const auto* filter = static_cast<const CAvFilterGen*>(query->GetFilter(0));
        EXPECT_EQ(!filter->GetValue().IsNone(), valueRead) << row;
        EXPECT_TRUE(RunsOrSaysItFailed(*query)) << row;
        EXPECT_TRUE(SavesBackTheSame(*query)) << row;
    }
}

TEST_F(QueryFileHostileTest, IndicesOutsideTheQueryFindNothing)
{
    std::string error;
    auto query = Load(kStart + "TAG=\"Name\",\"INDI.NAME\",HIDDEN\nTAG=\"Sex\",\"INDI.SEX\"\n"
                               "FILTER=LST,ADD,IF,N,\"\",\"Done\"\n",
                      error);
    ASSERT_TRUE(query) << error;
    for (const int index : {-1, 2, INT_MIN, INT_MAX}) {
        EXPECT_EQ(query->GetColumn(index, false), nullptr) << index;
        EXPECT_EQ(query->GetColumn(index, true), nullptr) << index;
        EXPECT_EQ(query->GetFilter(index), nullptr) << index;
        EXPECT_EQ(query->GetHeadingText(index), "") << index;
    }
    EXPECT_EQ(query->GetColumn(0, true)->m_heading, "Sex");
    EXPECT_EQ(query->GetColumn(1, true), nullptr);
}

TEST_F(QueryFileHostileTest, EveryCutOfALineIsReadOrDropped)
{
    const std::string lines[] = {
        R"x(TAG="Born ""when""","INDI.BIRT.DATE:YEAR",HIDDEN,DESC,120)x",
        R"x(FILTER=GEN,EXC,UNLESS,Y,"Born after","INDI.BIRT.DATE",MC,">",DATE,"1 JAN 1899")x",
        R"x(FILTER=GEN,ADD,IF,N,"","INDI.BIRT.DATE:MONTH_AND_DAY",,"<",MMDD,6/1)x",
        R"x(FILTER=GEN,ADD,IF,N,"","INDI.NAME:SURNAME",,"=",SPAN,1:2:3)x",
        R"x(FILTER=GEN,ADD,IF,N,"","INDI.SEX",,"=",ENUM,"M")x",
        R"x(FILTER=LST,EXC,IF,N,"","Done")x",
        R"x(FILTER=REL,ADD,IF,Y,"Person",DESC,ORG,SP,3)x",
    };
    for (const std::string& line : lines) {
        for (std::size_t length = 0; length <= line.size(); ++length) {
            const std::string cut = line.substr(0, length);
            std::string error;
            auto query = Load(kStart + cut + "\n", error);
            ASSERT_TRUE(query) << cut << ": " << error;
            const int parts = query->GetColumnCount(false) + query->GetFilterCount();
            EXPECT_LE(parts, 1) << cut;
            if (length == line.size()) {
                EXPECT_EQ(parts, 1) << cut;
            }
            if (parts == 1) {
                EXPECT_TRUE(SavesBackTheSame(*query)) << cut;
            }
        }
    }
}

TEST_F(QueryFileHostileTest, LineEndsOfEveryKindAndAByteOrderMarkReadAlike)
{
    const std::vector<std::string> lines = {
        "[Ardenvel Query]",
        "VERSION=1.0",
        "TYPE=INDI",
        "DESC=",
        "first",
        "..second",
        ".",
        "TITLE=\"T\"",
        "TAG=\"Name\",\"INDI.NAME\"",
        "FILTER=LST,EXC,IF,N,\"\",\"Done\"",
    };
    const struct {
        const char* what;
        const char* start;
        std::vector<std::string> ends;
    } cases[] = {
        {"line feeds", "", {"\n"}},
        {"carriage returns and line feeds", "", {"\r\n"}},
        {"carriage returns alone", "", {"\r"}},
        {"line feeds and carriage returns", "", {"\n\r"}},
        {"every kind mixed", "", {"\r\n", "\r", "\n"}},
        {"a byte order mark", "\xEF\xBB\xBF", {"\n"}},
        {"a byte order mark and carriage returns alone", "\xEF\xBB\xBF", {"\r"}},
    };
    for (const auto& [what, start, ends] : cases) {
        std::string content = start;
        for (std::size_t i = 0; i < lines.size(); ++i)
            content += lines[i] + ends[i % ends.size()];
        std::string error;
        auto query = Load(content, error);
        ASSERT_TRUE(query) << what << ": " << error;
        EXPECT_EQ(query->GetDescription(), "first.second") << what;
        EXPECT_EQ(query->Title().GetText(), "T") << what;
        EXPECT_EQ(query->GetColumnCount(false), 1) << what;
        EXPECT_EQ(query->GetFilterCount(), 1) << what;
    }
}

TEST_F(QueryFileHostileTest, MutatedFilesLoadOrAreRefusedAndWhatLoadsSavesBack)
{
    const std::string original = R"x([Ardenvel Query]
VERSION=1.0
TYPE=INDI
DESC=
Descendants of a chosen person
.
TITLE="Family of ""the root"""
SUBTITLE="%#x"
ORIENTATION=PORTRAIT
MULTIPAGE_HANDLING=ACROSS_FIRST
TAG="Name","INDI.NAME"
TAG="Born","INDI.BIRT.DATE:YEAR",HIDDEN,DESC,120
TAG="Dates","=LifeDates()",,ASC,80
FILTER=REL,ADD,IF,Y,"Person",DESC,ORG,SP,2
FILTER=LST,EXC,IF,N,"","Done"
FILTER=GEN,EXC,UNLESS,N,"","INDI.BIRT.DATE",MC,">",DATE,"1 JAN 1899"
FILTER=GEN,ADD,IF,N,"","INDI.BIRT.DATE:MONTH_AND_DAY",,"<",MMDD,6/1
FILTER=GEN,ADD,IF,N,"","=ChildCount()",,">",NUMBER,1
)x";
    const std::string noise = ",\"=\r\n.;[]%>:0123456789-";
    std::mt19937 generator(2024);
    const auto below = [&generator](std::size_t limit) { return generator() % limit; };
    int loaded = 0;
    for (int round = 0; round < 200; ++round) {
        std::string content = original;
        for (std::size_t edits = 1 + below(6); edits > 0; --edits) {
            const std::size_t at = below(content.size());
            switch (below(4)) {
            case 0:
                content.erase(at, 1 + below(8));
                break;
            case 1:
                content.insert(at, 1, noise[below(noise.size())]);
                break;
            case 2:
                content[at] = char(generator() & 0xFF);
                break;
            default:
                content.insert(at, content.substr(below(content.size()), below(40)));
                break;
            }
        }
        std::string error;
        if (auto query = Load(content, error)) {
            ++loaded;
            EXPECT_TRUE(RunsOrSaysItFailed(*query)) << content;
            EXPECT_TRUE(SavesBackTheSame(*query)) << content;
        } else {
            EXPECT_TRUE(error == kNotAQueryFile || error == kInvalidData) << error;
        }
    }
    EXPECT_GT(loaded, 100);
}

} // namespace
