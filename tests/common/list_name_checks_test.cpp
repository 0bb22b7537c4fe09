// tests/common/list_name_checks_test.cpp: the checks on the automatic named-list names.
#include "common/list_name_checks.h"

#include <gtest/gtest.h>

namespace {

using Names = std::array<std::string, kAutoNamedListCount>;

struct NamesCase {
    const char* name;
    Names names;
    ListNamesFault fault;
    int index;
};

class ListNameChecks : public testing::TestWithParam<NamesCase> {};

TEST_P(ListNameChecks, FindsTheFirstFaultAfterTidying)
{
    Names names = GetParam().names;
    int index = -2;
    EXPECT_EQ(TidyAndCheckListNames(names, index), GetParam().fault);
    EXPECT_EQ(index, GetParam().index);
}

const std::string k200(200, 'x');
const std::string k201(201, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, ListNameChecks,
    testing::Values(
        NamesCase{"Defaults",
                  {"Bookmarks", "Work in Progress", "Key Individuals", "", "", ""},
                  ListNamesFault::kNone,
                  -1},
        NamesCase{"BlanksAndCaseMakeADuplicate",
                  {"Bookmarks", " bookmarks ", "", "", "", ""},
                  ListNamesFault::kDuplicate,
                  1},
        NamesCase{"InnerSpacesCollapseIntoADuplicate",
                  {"", "Work in Progress", "", "", "work \t in  progress", ""},
                  ListNamesFault::kDuplicate,
                  4},
        NamesCase{
            "EmptyNamesAreNeverDuplicates", {"", "", "  ", "", "A", ""}, ListNamesFault::kNone, -1},
        NamesCase{"TwoHundredCharactersFit", {k200, "", "", "", "", ""}, ListNamesFault::kNone, -1},
        NamesCase{
            "TwoHundredAndOneDoNot", {"A", "A", "", k201, "", ""}, ListNamesFault::kTooLong, 3},
        NamesCase{"BlanksAroundALongNameDoNotCount",
                  {"  " + k200 + "  ", "", "", "", "", ""},
                  ListNamesFault::kNone,
                  -1}),
    [](const testing::TestParamInfo<NamesCase>& info) { return info.param.name; });

} // namespace
