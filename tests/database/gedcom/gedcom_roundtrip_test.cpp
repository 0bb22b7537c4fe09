// tests/database/gedcom/gedcom_roundtrip_test.cpp: every sample file of tests/data/gedcom loaded,
// written and read again: the same records and fields, every line accounted for, and a second
// save byte for byte the first.
#include "tests/database/gedcom/gedcom_test_support.h"

#include <algorithm>
#include <filesystem>

namespace {

/// The GEDCOM files of tests/data/gedcom, by name.
std::vector<std::string> SampleFiles()
{
    std::vector<std::string> names;
    for (const auto& entry :
         std::filesystem::directory_iterator(test_support::DataPath("gedcom"))) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".ged" || extension == ".GED"))
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class GedcomRoundTripTest : public gedcom_test::CGedcomTest,
                            public testing::WithParamInterface<std::string> {};

TEST_P(GedcomRoundTripTest, ReloadGivesTheSameRecordsAndASecondSaveTheSameBytes)
{
    const std::string in = test_support::DataPath("gedcom/" + GetParam());
    ASSERT_TRUE(Load(in, true));
    const std::string first = gedcom_test::DumpDataSet();
    const std::string out = PathOf("saved.ged");
    const std::string saved = Save(out);
    ASSERT_FALSE(saved.starts_with("FAILED")) << saved;
    ASSERT_TRUE(Load(out, true));
    EXPECT_EQ(gedcom_test::FirstDifference(first, gedcom_test::DumpDataSet()), "");
    const std::string again = Save(out);
    EXPECT_TRUE(again == saved) << gedcom_test::FirstDifference(saved, again);
}

TEST_P(GedcomRoundTripTest, EveryLineIsWrittenBackOrReported)
{
    const std::string in = test_support::DataPath("gedcom/" + GetParam());
    ASSERT_TRUE(Load(in, true));
    const std::string report = Report();
    const std::string out = PathOf("saved.ged");
    ASSERT_FALSE(Save(out).starts_with("FAILED"));
    const gedcom_test::LineCounts read = gedcom_test::CountLines(in);
    const gedcom_test::LineCounts written = gedcom_test::CountLines(out);
    const gedcom_test::LineCounts skipped = gedcom_test::CountSkippedLines(report);
    for (const auto& [key, count] : read.valued) {
        const auto countOf = [&key](const gedcom_test::LineCounts& counts) {
            const auto found = counts.valued.find(key);
            return found == counts.valued.end() ? 0 : found->second;
        };
        EXPECT_GE(countOf(written) + countOf(skipped), count) << "lines \"" << key << "\"";
    }
    EXPECT_EQ(skipped.invalid, read.invalid);
}

INSTANTIATE_TEST_SUITE_P(Samples, GedcomRoundTripTest, testing::ValuesIn(SampleFiles()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace_if(
                                 name.begin(), name.end(),
                                 [](char c) {
                                     return !std::isalnum(static_cast<unsigned char>(c));
                                 },
                                 '_');
                             return name;
                         });

} // namespace
