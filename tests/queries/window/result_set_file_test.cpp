// tests/queries/window/result_set_file_test.cpp: the result-set file: cells quoted only when they
// would break a line or a column under the chosen separator, the four layouts against golden
// files, and a write that fails leaving no half file behind.
#include "queries/window/result_set_file.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(ResultSetFileTest, QuotesOnlyWhatWouldSplitACellOrALine)
{
    struct Case {
        const char* cell;
        char separator;
        const char* written;
    } const cases[] = {
        {"Canterbury", ',', "Canterbury"},
        {"Canterbury, Kent", ',', "\"Canterbury, Kent\""},
        {"Canterbury, Kent", '\t', "Canterbury, Kent"},
        {"a\tb", '\t', "\"a\tb\""},
        {"a\tb", ',', "a\tb"},
        {"say \"hi\"", '\t', "\"say \"\"hi\"\"\""},
        {"two\r\nlines", '\t', "\"two\r\nlines\""},
        {"line\nfeed", ',', "\"line\nfeed\""},
        {"", ',', ""},
        {"Zoë Ångström", ',', "Zoë Ångström"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QuoteResultCell(c.cell, c.separator), c.written) << c.cell;
}

class ResultSetGoldenTest : public testing::TestWithParam<std::tuple<bool, int, const char*>> {};

TEST_P(ResultSetGoldenTest, MatchesTheGoldenFile)
{
    const auto [headings, separator, golden] = GetParam();
    const std::vector<std::string> titles = {"Name", "Born, where", "Note"};
    const std::vector<std::vector<std::string>> rows = {
        {"John /Smith/", "Canterbury, Kent", "plain"},
        {"Mary \"Polly\" Jones", "", "first\r\nsecond"},
        {"Zoë", "Tab\there", ""},
    };
    const std::string path = test_support::NewFolder("golden") + "/out.txt";
    ASSERT_TRUE(WriteResultSetFile(
        path, headings, separator, titles, int(rows.size()),
        [&](int row, std::vector<std::string>& cells) { cells = rows[std::size_t(row)]; }));
    EXPECT_EQ(test_support::ReadFile(path),
              test_support::ReadFile(test_support::DataPath(std::string("result_sets/") + golden)));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ResultSetGoldenTest,
    testing::Values(std::make_tuple(true, int(kResultSeparatorTab), "tab_headings.txt"),
                    std::make_tuple(false, int(kResultSeparatorTab), "tab_plain.txt"),
                    std::make_tuple(true, int(kResultSeparatorComma), "comma_headings.txt"),
                    std::make_tuple(false, int(kResultSeparatorComma), "comma_plain.txt")));

TEST(ResultSetFileTest, AFailedWriteLeavesTheOldFileAndNoTemporaryFile)
{
    const std::string folder = test_support::NewFolder("full");
    const std::string path = test_support::WriteFile(folder + "/out.txt", "old content");
    const std::string cell(4096, 'x');
    {
        FileSizeLimit full(64 * 1024);
        EXPECT_FALSE(WriteResultSetFile(
            path, true, kResultSeparatorTab, {"A"}, 1000,
            [&](int, std::vector<std::string>& cells) { cells.push_back(cell); }));
    }
    EXPECT_EQ(test_support::ReadFile(path), "old content");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(ResultSetFileTest, AMissingFolderFailsCleanly)
{
    EXPECT_FALSE(WriteResultSetFile(test_support::TempDir() + "/no/such/folder/out.txt", false,
                                    kResultSeparatorComma, {}, 0, {}));
}

} // namespace
