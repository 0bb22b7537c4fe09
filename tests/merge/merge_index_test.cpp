// tests/merge/merge_index_test.cpp: the compare through candidate indexes gives exactly the rows a
// scan of every pair gives, on a real file against a changed copy of itself.
#include "merge_test_support.h"

#include "bench/generator/edited_copy.h"
#include "bench/generator/gedcom_generator.h"

#include <filesystem>
#include <map>
#include <regex>
#include <sstream>

using namespace merge_test;

namespace {

/// A compare that scores every pair.
class CAllPairsEngine final : public CMergeEngine {
public:
    using CMergeEngine::CMergeEngine;

protected:
    bool UsesShortcuts() const override { return false; }
};

/// The file with about one record in twenty changed: surnames and given names altered, birth
/// years moved near and far, sexes dropped, dates made ranges, records removed (their links
/// left dangling) and copies of records added under new identifiers.
std::string ChangedCopy(const std::string& original)
{
    std::istringstream in(original);
    std::string out, line;
    std::vector<std::string> record;
    int index = 0;
    std::string added;
    const std::regex year(R"((\d{3,4})\s*$)");
    auto flush = [&] {
        if (record.empty())
            return;
        const bool individual = record[0].find(" INDI") != std::string::npos;
        const bool family = record[0].find(" FAM") != std::string::npos;
        ++index;
        if ((individual && index % 50 == 13) || (family && index % 30 == 5)) {
            record.clear();
            return; // removed
        }
        bool inBirth = false;
        for (std::string& l : record) {
            if (l.rfind("1 ", 0) == 0)
                inBirth = l == "1 BIRT";
            if (individual && l.rfind("1 NAME ", 0) == 0) {
                if (index % 20 == 3)
                    l = std::regex_replace(l, std::regex("/([^/]*)/"), "/$1x/");
                else if (index % 20 == 9)
                    l = "1 NAME Other " + l.substr(7);
            }
            if (individual && inBirth && l.rfind("2 DATE ", 0) == 0) {
                std::smatch m;
                if (std::regex_search(l, m, year)) {
                    const int y = std::stoi(m[1]);
                    if (index % 20 == 7)
                        l = std::regex_replace(l, year, std::to_string(y + 9));
                    else if (index % 20 == 11)
                        l = std::regex_replace(l, year, std::to_string(y + 15));
                    else if (index % 20 == 15)
                        l = "2 DATE BET " + std::to_string(y - 5) + " AND " + std::to_string(y + 5);
                }
            }
        }
        if (individual && index % 40 == 17)
            std::erase_if(record, [](const std::string& l) { return l.rfind("1 SEX", 0) == 0; });
        for (const std::string& l : record)
            out += l + "\r\n";
        if (individual && index % 100 == 21) {
            added += "0 @I9" + std::to_string(index) + "@ INDI\r\n";
            for (std::size_t i = 1; i < record.size(); ++i) {
                if (record[i].rfind("1 FAM", 0) != 0)
                    added += record[i] + "\r\n";
            }
        }
        record.clear();
    };
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("0 ", 0) == 0)
            flush();
        if (line == "0 TRLR") {
            out += added;
            out += line + "\r\n";
            continue;
        }
        record.push_back(line);
    }
    flush();
    return out;
}

/// A file of one surname over four centuries, the file or (changed) its copy: given names from a
/// short list, births as exact dates, years alone, ranges or none, a few people without a given
/// name or a sex, the first half married in pairs and the second half their children. The copy
/// changes given names, moves births three years or makes them ranges or leaves them out, leaves
/// people out and adds exact doubles of people it gave another given name (a later new record that
/// scores higher than the one that claimed a current record first).
std::string Namesakes(int people, bool changed)
{
    const char* const given[] = {"John", "Mary", "William", "Ann", "James"};
    const int families = people / 4;
    std::string out = "0 HEAD\r\n";
    std::map<int, std::vector<std::string>> children;
    const auto individual = [&](int i, const std::string& id, bool edited) {
        out += "0 @" + id + "@ INDI\r\n";
        const std::string first = i % 23 == 0 ? "" : edited ? "Edited " : given[i % 5];
        out += "1 NAME " + first + "/Smith/\r\n";
        if (i % 29 != 0)
            out += std::string("1 SEX ") + (i % 5 == 1 || i % 5 == 3 ? "F" : "M") + "\r\n";
        const int year = 1500 + i * 37 % 400 + (changed && i % 11 == 5 ? 3 : 0);
        const std::string y = std::to_string(year);
        const std::string dates[] = {
            "12 MAR " + y, y,  "BET " + y + " AND " + std::to_string(year + 5),
            "ABT " + y,    "", "3 JUN " + y};
        std::string date = dates[i % 6];
        if (changed && i % 19 == 7)
            date = "BET " + std::to_string(year - 2) + " AND " + std::to_string(year + 2);
        else if (changed && i % 31 == 9)
            date.clear();
        if (!date.empty())
            out += "1 BIRT\r\n2 DATE " + date + "\r\n";
        if (i <= people / 2)
            out += "1 FAMS @F" + std::to_string((i + 1) / 2) + "@\r\n";
        else {
            const int family = (i - people / 2 - 1) % families + 1;
            out += "1 FAMC @F" + std::to_string(family) + "@\r\n";
            children[family].push_back(id);
        }
    };
    std::vector<int> doubles;
    for (int i = 1; i <= people; ++i) {
        if (changed && i % 13 == 6 && i > people / 2)
            continue; // left out
        const bool edited = changed && i % 7 == 3;
        individual(i, "I" + std::to_string(i), edited);
        if (edited && i > people / 2)
            doubles.push_back(i);
    }
    for (const int i : doubles)
        individual(i, "I" + std::to_string(1000 + i), false);
    for (int f = 1; f <= families; ++f) {
        out += "0 @F" + std::to_string(f) + "@ FAM\r\n1 HUSB @I" + std::to_string(2 * f - 1) +
               "@\r\n1 WIFE @I" + std::to_string(2 * f) + "@\r\n";
        for (const std::string& child : children[f])
            out += "1 CHIL @" + child + "@\r\n";
    }
    return out + "0 TRLR\r\n";
}

class MergeIndexTest : public CMergeTest {
protected:
    /// The rows of the compare with its shortcuts and of a plain scan are the same, type by
    /// type; the number of matched rows.
    int ExpectScanRows()
    {
        std::vector<std::vector<std::string>> indexed;
        CMergeEngine& engine = Compare();
        for (int type = 0; type < RECORD_TYPE_COUNT; ++type)
            indexed.push_back(RowTexts(engine, type));
        engine.EndSession();
        CAllPairsEngine scan(ProgramRoots(), SecondRoots());
        scan.InitCompareMaps(nullptr);
        int matched = 0;
        for (int type = 0; type < RECORD_TYPE_COUNT; ++type) {
            SCOPED_TRACE(type);
            EXPECT_EQ(RowTexts(scan, type), indexed[std::size_t(type)]);
            for (const auto& row : scan.Rows(type))
                matched += row->IsMatched();
        }
        return matched;
    }
};

TEST_F(MergeIndexTest, GivesTheRowsOfTheScanOfEveryPair)
{
    const std::string original =
        test_support::ReadFile(test_support::DataPath("gedcom/royal92.ged"));
    const std::string changed = ChangedCopy(original);
    ASSERT_NE(changed, original);
    LoadBoth(test_support::DataPath("gedcom/royal92.ged"), File("changed.ged", changed));
    ASSERT_TRUE(m_secondLoaded);

    const int matched = ExpectScanRows();
    // The copy is mostly the same file: most records pair up, some do not.
    EXPECT_GT(matched, 3500);
    EXPECT_LT(matched, 4400);
}

TEST_F(MergeIndexTest, GivesTheRowsOfTheScanOnEveryPairOfTheSampleFiles)
{
    // Each sample GEDCOM file once (some are there under two names), merged into each.
    std::map<std::string, std::string> files; // by content
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(test_support::DataPath("gedcom"))) {
        const std::string extension = text::ToLower(entry.path().extension().string());
        if (entry.is_regular_file() && extension == ".ged")
            files.emplace(test_support::ReadFile(entry.path().string()), entry.path().string());
    }
    ASSERT_GT(files.size(), 40u);
    for (const auto& [content, current] : files) {
        m_engine.reset();
        m_second.reset();
        if (!Load(current))
            continue;
        for (const auto& [other, incoming] : files) {
            SCOPED_TRACE(current + " with " + incoming);
            m_engine.reset();
            LoadSecond(incoming);
            if (m_secondLoaded)
                ExpectScanRows();
            if (HasFailure())
                return;
        }
    }
}

TEST_F(MergeIndexTest, GivesTheRowsOfTheScanOfEveryPairOnAGeneratedTree)
{
    // Many people share a surname and an era here, and most have parents and spouses: the
    // bounds on their scores decide most pairs.
    const std::string original = PathOf("generated.ged");
    ASSERT_TRUE(WriteSyntheticGedcomFile(original, 2500, 3));
    const auto copied = WriteEditedCopyFile(original, PathOf("copy.ged"), 5);
    ASSERT_TRUE(copied);
    EXPECT_GT(copied->edited, 60);
    EXPECT_GT(copied->removed, 5);
    EXPECT_GT(copied->added, 5);
    LoadBoth(original, PathOf("copy.ged"));
    ASSERT_TRUE(m_secondLoaded);
    EXPECT_GT(ExpectScanRows(), 2400);
}

TEST_F(MergeIndexTest, GivesTheRowsOfTheScanOfEveryPairAmongManyNamesakes)
{
    // One surname over four centuries: every new individual has namesakes born in many years,
    // some with no year to go by, some claimed first by a record that a later one outscores.
    LoadBoth(File("a.ged", Namesakes(600, false)), File("b.ged", Namesakes(600, true)));
    ASSERT_TRUE(m_secondLoaded);
    EXPECT_GT(ExpectScanRows(), 500);
}

TEST_F(MergeIndexTest, ShortcutsKeepThePairsAtTheirEdges)
{
    using gedcom_test::CrLf;
    struct Case {
        const char* name;
        std::string current, incoming;
        std::vector<std::string> rows;     // of individuals
        std::vector<std::string> families; // of families, when given
    };
    const std::string parents =
        CrLf({"0 @I8@ INDI", "1 NAME Bill John /Smith/", "1 SEX M", "1 BIRT", "2 DATE 1870",
              "1 FAMS @F1@", "0 @I9@ INDI", "1 NAME Ann Mary /Smith/", "1 SEX F", "1 BIRT",
              "2 DATE 1872", "1 FAMS @F1@", "0 @F1@ FAM", "1 HUSB @I8@", "1 WIFE @I9@"});
    const Case cases[] = {
        {"a birth nine years apart is near",
         CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME John /Smith/", "1 BIRT", "2 DATE 1900", "0 TRLR"}),
         CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME John /Smith/", "1 BIRT", "2 DATE 1909", "0 TRLR"}),
         {"I1 I1 70"},
         {}},
        // A date ten completed years after a range's end, less a month, is still near.
        {"a range ten years from a date is near, on either side",
         CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME John /Smith/", "1 BIRT", "2 DATE 1 JAN 1925",
               "0 @I2@ INDI", "1 NAME Mary /Smith/", "1 BIRT", "2 DATE BET 1910 AND 20 DEC 1915",
               "0 @I3@ INDI", "1 NAME William /Smith/", "1 BIRT", "2 DATE 1 JAN 1925", "0 TRLR"}),
         CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME John /Smith/", "1 BIRT",
               "2 DATE BET 1910 AND 20 DEC 1915", "0 @I2@ INDI", "1 NAME Mary /Smith/", "1 BIRT",
               "2 DATE 1 JAN 1925", "0 @I3@ INDI", "1 NAME Tom /Smith/", "1 BIRT",
               "2 DATE BET 1910 AND 20 DEC 1915", "0 TRLR"}),
         {"I1 I1 70", "I2 I2 70", "I3 I3 20"},
         {}},
        {"the parents' score takes a record over",
         CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME Tom Edward /Smith/", "1 SEX M", "1 BIRT",
               "2 DATE 1900", "1 FAMC @F1@"}) +
             parents + "1 CHIL @I1@\r\n0 TRLR\r\n",
         CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME Tom Edward /Smith/", "1 SEX M", "1 BIRT",
               "2 DATE 1900", "0 @I2@ INDI", "1 NAME Thomas /Smith/", "1 SEX M", "1 BIRT",
               "2 DATE 1900", "1 FAMC @F1@"}) +
             parents + "1 CHIL @I2@\r\n0 TRLR\r\n",
         {"I1 I2 175", "I8 I8 200", "I9 I9 200", "- I1 0"},
         {}},
        {"families each missing a partner pair by their child",
         CrLf({"0 HEAD",      "0 @I1@ INDI", "1 NAME John /Ash/", "1 SEX M",          "1 BIRT",
               "2 DATE 1900", "0 @I2@ INDI", "1 NAME Mary /Ash/", "1 SEX F",          "1 BIRT",
               "2 DATE 1902", "1 FAMS @F1@", "0 @I3@ INDI",       "1 NAME Tom /Ash/", "1 SEX M",
               "1 BIRT",      "2 DATE 1930", "1 FAMC @F1@",       "0 @F1@ FAM",       "1 WIFE @I2@",
               "1 CHIL @I3@", "0 TRLR"}),
         CrLf(
             {"0 HEAD",      "0 @I1@ INDI", "1 NAME John /Ash/", "1 SEX M",           "1 BIRT",
              "2 DATE 1900", "1 FAMS @F1@", "0 @I2@ INDI",       "1 NAME Mary /Ash/", "1 SEX F",
              "1 BIRT",      "2 DATE 1902", "0 @I3@ INDI",       "1 NAME Tom /Ash/",  "1 SEX M",
              "1 BIRT",      "2 DATE 1930", "1 FAMC @F1@",       "0 @F1@ FAM",        "1 HUSB @I1@",
              "1 CHIL @I3@", "0 TRLR"}),
         {"I1 I1 100", "I2 I2 100", "I3 I3 100"},
         {"F1 F1 25"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_engine.reset();
        m_second.reset();
        LoadBoth(File("a.ged", c.current), File("b.ged", c.incoming));
        ExpectScanRows();
        EXPECT_EQ(RowTexts(Compare(), 2), c.rows);
        if (!c.families.empty()) {
            EXPECT_EQ(RowTexts(Compare(), 1), c.families);
        }
    }
}

} // namespace
