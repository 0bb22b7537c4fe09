// tests/common/rename_rules_test.cpp: the forms of drive names and the characters that folder and
// file names cannot hold.
#include "common/rename_rules.h"

#include <gtest/gtest.h>

namespace {

struct DriveCase {
    const char* name;
    bool valid;
};

class DriveNames : public testing::TestWithParam<DriveCase> {};

TEST_P(DriveNames, AreALetterAndColonOrServerAndShare)
{
    EXPECT_EQ(IsValidDriveName(GetParam().name), GetParam().valid) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DriveNames,
    testing::Values(DriveCase{"C:", true}, DriveCase{"a:", true}, DriveCase{"CD", false},
                    DriveCase{"1:", false}, DriveCase{"C", false}, DriveCase{"C:\\", false},
                    DriveCase{"\\\\Fred\\pics", true}, DriveCase{"\\\\Fred\\pics\\more", false},
                    DriveCase{"\\\\Fred", false}, DriveCase{"\\\\Fred\\", false},
                    DriveCase{"\\\\\\pics", false}, DriveCase{"\\Fred\\pics", false}));

TEST(NameCharacters, EachForbiddenCharacterIsFound)
{
    for (const char c : kForbiddenNameChars)
        EXPECT_TRUE(HasForbiddenNameChar(std::string("ab") + c + "cd")) << c;
    EXPECT_FALSE(HasForbiddenNameChar("Photos 1900-1950 (scans).jpg"));
}

} // namespace
