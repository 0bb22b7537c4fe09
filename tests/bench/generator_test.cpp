// tests/bench/generator_test.cpp: the synthetic GEDCOM generator: same bytes for the same seed,
// a well-formed file whose links all hold, and a tree that kinship walks can spread through.
#include "bench/generator/gedcom_generator.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CGenerated {
    std::string text;
    CGedcomCounts counts;
};

CGenerated Generate(std::int32_t individuals, std::uint64_t seed)
{
    std::ostringstream out;
    CGenerated generated;
    generated.counts = WriteSyntheticGedcom(out, individuals, seed);
    generated.text = std::move(out).str();
    return generated;
}

std::uint64_t Fnv1a(const std::string& bytes)
{
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (unsigned char c : bytes)
        hash = (hash ^ c) * 0x100000001B3ull;
    return hash;
}

struct CLine {
    int level = -1;
    std::string xref;
    std::string tag;
    std::string value;
    std::size_t length = 0;
};

struct CIndividual {
    std::string sex;
    std::set<std::string> famc, fams;
    std::optional<int> exactBirth; // yyyymmdd, when the birth date is an exact date
};

struct CFamily {
    std::string husband, wife;
    std::vector<std::string> children;
};

/// A generated file split into lines, with the records and links a test looks at.
struct CParsedFile {
    std::vector<CLine> lines;
    std::map<std::string, std::string> recordTypes; // id -> INDI, FAM, NOTE, ...
    std::map<std::string, CIndividual> individuals;
    std::map<std::string, CFamily> families;
    bool crLfOnly = true;
};

/// yyyymmdd of an exact date ("7 MAR 1734", "7 MAR 1733/34" is 1734 by the new style), else
/// nothing.
std::optional<int> ExactDate(const std::string& value)
{
    static const std::string months = "JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC";
    std::istringstream in(value);
    int day = 0;
    std::string month, year;
    if (!(in >> day >> month >> year) || !in.eof() || month.size() != 3)
        return std::nullopt;
    const std::size_t monthAt = months.find(month);
    if (monthAt == std::string::npos || monthAt % 3 != 0)
        return std::nullopt;
    if (year.size() != 4 && !(year.size() == 7 && year[4] == '/'))
        return std::nullopt;
    const int newStyleYear = std::stoi(year.substr(0, 4)) + (year.size() == 7 ? 1 : 0);
    return newStyleYear * 10000 + int(monthAt / 3 + 1) * 100 + day;
}

CLine SplitLine(const std::string& text)
{
    CLine line;
    line.length = text.size();
    std::istringstream in(text);
    in >> line.level;
    in.get();
    std::string word;
    std::getline(in, word, ' ');
    if (!word.empty() && word.front() == '@') {
        line.xref = word;
        std::getline(in, word, ' ');
    }
    line.tag = word;
    std::getline(in, line.value, '\0');
    return line;
}

void Collect(CParsedFile& file, const std::string& record, const std::string& parentTag,
             const CLine& line)
{
    const std::string& type = file.recordTypes.at(record);
    if (type == "INDI") {
        CIndividual& person = file.individuals.at(record);
        if (line.tag == "SEX")
            person.sex = line.value;
        else if (line.tag == "FAMC")
            person.famc.insert(line.value);
        else if (line.tag == "FAMS")
            person.fams.insert(line.value);
        else if (line.level == 2 && line.tag == "DATE" && parentTag == "BIRT")
            person.exactBirth = ExactDate(line.value);
    } else if (type == "FAM") {
        CFamily& family = file.families.at(record);
        if (line.tag == "HUSB")
            family.husband = line.value;
        else if (line.tag == "WIFE")
            family.wife = line.value;
        else if (line.tag == "CHIL")
            family.children.push_back(line.value);
    }
}

CParsedFile Parse(const std::string& text)
{
    CParsedFile file;
    std::string record, parentTag;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string raw = text.substr(start, end - start);
        file.crLfOnly =
            file.crLfOnly && end != text.size() && raw.find_first_of("\r\n") == std::string::npos;
        start = end + 2;
        const CLine line = SplitLine(raw);
        file.lines.push_back(line);
        if (line.level == 0) {
            record = line.xref;
            if (!record.empty())
                file.recordTypes[record] = line.tag;
            if (line.tag == "INDI")
                file.individuals[record];
            else if (line.tag == "FAM")
                file.families[record];
        } else if (!record.empty()) {
            Collect(file, record, parentTag, line);
        }
        if (line.level == 1)
            parentTag = line.tag;
    }
    return file;
}

const CParsedFile& ParsedTree(std::int32_t individuals)
{
    static std::map<std::int32_t, CParsedFile> cache;
    auto found = cache.find(individuals);
    if (found == cache.end())
        found = cache.emplace(individuals, Parse(Generate(individuals, 11).text)).first;
    return found->second;
}

TEST(GedcomGeneratorTest, SameSeedGivesSameBytesAndAnotherSeedDiffers)
{
    const CGenerated first = Generate(500, 2024);
    EXPECT_EQ(Generate(500, 2024).text, first.text);
    EXPECT_NE(Generate(500, 2025).text, first.text);
    // Pinned, so that benchmark figures from different machines and commits measure the same
    // file; a deliberate change to the generator changes this value with it.
    EXPECT_EQ(Fnv1a(first.text), 8162650554961749563ull);

    const std::string path = test_support::NewFolder("generator") + "/tree.ged";
    const auto counts = WriteSyntheticGedcomFile(path, 500, 2024);
    ASSERT_TRUE(counts.has_value());
    EXPECT_EQ(test_support::ReadFile(path), first.text);
    EXPECT_EQ(counts->bytes, first.counts.bytes);
    EXPECT_FALSE(
        WriteSyntheticGedcomFile(test_support::TempDir() + "/missing/tree.ged", 10, 1).has_value());
}

class GeneratedTreeTest : public testing::TestWithParam<std::int32_t> {};

TEST_P(GeneratedTreeTest, FileIsFramedByHeaderAndTrailerWithShortCrLfLines)
{
    const CParsedFile& file = ParsedTree(GetParam());
    ASSERT_TRUE(file.crLfOnly);
    ASSERT_GE(file.lines.size(), 3u);
    EXPECT_EQ(file.lines.front().tag, "HEAD");
    EXPECT_EQ(file.lines.back().tag, "TRLR");
    EXPECT_EQ(file.lines.back().level, 0);
    std::set<std::string> header;
    for (std::size_t i = 1; file.lines[i].level > 0; ++i)
        header.insert(file.lines[i].tag + " " + file.lines[i].value);
    for (const char* expected : {"VERS 5.5", "FORM LINEAGE-LINKED", "CHAR UTF-8", "SUBM @U1@"})
        EXPECT_TRUE(header.count(expected)) << expected;

    int previous = -1;
    for (const CLine& line : file.lines) {
        EXPECT_LE(line.level, previous + 1) << line.tag << " " << line.value;
        EXPECT_LE(line.length, 255u) << line.tag;
        if (line.tag == "CONC") {
            EXPECT_NE(line.value.front(), ' ') << line.value;
            EXPECT_NE(line.value.back(), ' ') << line.value;
        }
        previous = line.level;
    }
}

TEST_P(GeneratedTreeTest, RecordIdsAreUniqueAndPointersNameRecordsOfTheRightType)
{
    const CParsedFile& file = ParsedTree(GetParam());
    std::size_t records = 0;
    for (const CLine& line : file.lines)
        records += line.level == 0 && !line.xref.empty();
    EXPECT_EQ(file.recordTypes.size(), records);

    const std::map<std::string, std::string> targets = {
        {"FAMC", "FAM"},  {"FAMS", "FAM"},  {"HUSB", "INDI"}, {"WIFE", "INDI"}, {"CHIL", "INDI"},
        {"NOTE", "NOTE"}, {"SOUR", "SOUR"}, {"REPO", "REPO"}, {"SUBM", "SUBM"},
    };
    for (const CLine& line : file.lines) {
        if (line.value.size() < 3 || line.value.front() != '@' || line.value.back() != '@')
            continue;
        ASSERT_TRUE(targets.count(line.tag)) << "unexpected pointer under " << line.tag;
        const auto record = file.recordTypes.find(line.value);
        ASSERT_NE(record, file.recordTypes.end()) << line.tag << " " << line.value;
        EXPECT_EQ(record->second, targets.at(line.tag)) << line.tag << " " << line.value;
    }
}

TEST_P(GeneratedTreeTest, FamilyLinksAreReciprocalAndChildrenInBirthOrder)
{
    const CParsedFile& file = ParsedTree(GetParam());
    EXPECT_EQ(file.individuals.size(), std::size_t(GetParam()));
    for (const auto& [id, person] : file.individuals) {
        EXPECT_LE(person.famc.size(), 1u) << id;
        for (const std::string& family : person.famc) {
            const auto& children = file.families.at(family).children;
            EXPECT_NE(std::find(children.begin(), children.end(), id), children.end()) << id;
        }
        for (const std::string& family : person.fams)
            EXPECT_TRUE(file.families.at(family).husband == id ||
                        file.families.at(family).wife == id)
                << id;
    }
    for (const auto& [id, family] : file.families) {
        EXPECT_FALSE(family.husband.empty() && family.wife.empty()) << id;
        if (!family.husband.empty()) {
            EXPECT_EQ(file.individuals.at(family.husband).sex, "M") << id;
            EXPECT_TRUE(file.individuals.at(family.husband).fams.count(id)) << id;
        }
        if (!family.wife.empty()) {
            EXPECT_EQ(file.individuals.at(family.wife).sex, "F") << id;
            EXPECT_TRUE(file.individuals.at(family.wife).fams.count(id)) << id;
        }
        int previousBirth = 0;
        for (const std::string& child : family.children) {
            EXPECT_TRUE(file.individuals.at(child).famc.count(id)) << child;
            const std::optional<int> birth = file.individuals.at(child).exactBirth;
            if (!birth)
                continue;
            EXPECT_GE(*birth, previousBirth) << id << " " << child;
            previousBirth = *birth;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, GeneratedTreeTest, testing::Values(1, 5, 60, 3000));

/// Later benchmarks mark the ancestors and descendants of one person, so the tree must be one
/// population through which such walks spread, not many small separate families.
TEST(GeneratedTreeKinshipTest, WalksFromOnePersonReachMuchOfTheTree)
{
    const std::int32_t individuals = 3000;
    const CParsedFile& file = ParsedTree(individuals);
    // The share of the tree reached from start through parents (up), children (down), or
    // parents, children and spouses (both).
    const auto walk = [&](const std::string& start, bool up, bool down) {
        std::set<std::string> seen{start};
        std::vector<std::string> pending{start};
        const auto visit = [&](const std::string& id) {
            if (!id.empty() && seen.insert(id).second)
                pending.push_back(id);
        };
        while (!pending.empty()) {
            const std::string id = pending.back();
            pending.pop_back();
            const CIndividual& person = file.individuals.at(id);
            for (const std::string& family : person.famc) {
                const CFamily& parents = file.families.at(family);
                if (up)
                    visit(parents.husband), visit(parents.wife);
            }
            for (const std::string& family : person.fams) {
                const CFamily& own = file.families.at(family);
                if (down)
                    for (const std::string& child : own.children)
                        visit(child);
                if (up && down)
                    visit(own.husband), visit(own.wife);
            }
        }
        return double(seen.size() - 1) / individuals;
    };
    EXPECT_GT(walk("@I3000@", true, false), 0.15); // the youngest person's ancestors
    double descendants = 0;
    for (int founder = 1; founder <= 10; ++founder)
        descendants =
            std::max(descendants, walk("@I" + std::to_string(founder) + "@", false, true));
    EXPECT_GT(descendants, 0.4);
    EXPECT_GT(walk("@I1@", true, true), 0.95); // everyone linked to the first founder
}

class GeneratorCountsTest : public testing::TestWithParam<std::int32_t> {};

TEST_P(GeneratorCountsTest, CountsMatchTheFileAndScaleWithN)
{
    const std::int32_t individuals = GetParam();
    const CGenerated generated = Generate(individuals, 5);
    const CParsedFile file = Parse(generated.text);
    std::map<std::string, std::int64_t> records;
    for (const auto& [id, type] : file.recordTypes)
        ++records[type];
    const CGedcomCounts& counts = generated.counts;
    EXPECT_EQ(counts.individuals, individuals);
    EXPECT_EQ(records["INDI"], counts.individuals);
    EXPECT_EQ(records["FAM"], counts.families);
    EXPECT_EQ(records["NOTE"], counts.notes);
    EXPECT_EQ(records["SOUR"], counts.sources);
    EXPECT_EQ(records["REPO"], counts.repositories);
    EXPECT_EQ(counts.lines, std::int64_t(file.lines.size()));
    EXPECT_EQ(counts.bytes, std::int64_t(generated.text.size()));
    if (individuals < 2000)
        return;
    const double n = individuals;
    EXPECT_NEAR(counts.families / n, 0.4, 0.06);
    EXPECT_NEAR(counts.notes / n, 0.05, 0.015);
    EXPECT_EQ(counts.sources, individuals / 100);
    EXPECT_GE(counts.lines / n, 15);
    EXPECT_LE(counts.lines / n, 25);
}

INSTANTIATE_TEST_SUITE_P(Sizes, GeneratorCountsTest, testing::Values(1, 10, 2000, 20000));

} // namespace
