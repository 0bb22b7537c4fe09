// tests/platform/base/private_profile_test.cpp: private INI files read through fixed-size buffers
// and written key by key.
#include "platform/base/private_profile.h"

#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class PrivateProfileTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_path = test_support::WriteFile(test_support::NewFolder("profile") + "/chart.dgm",
                                         "[Box]\nTitle= \"Family Group\" \nWidth=120 px\n"
                                         "Name=Ärger\n[Lines]\nStyle=2\n");
    }
    std::string m_path;
};

TEST_F(PrivateProfileTest, BufferFormCutsAtSizeAndCountsBytes)
{
    char buffer[8];
    EXPECT_EQ(GetPrivateProfileString("box", "TITLE", "", buffer, sizeof buffer, m_path.c_str()),
              7u);
    EXPECT_STREQ(buffer, "Family ");
    EXPECT_EQ(GetPrivateProfileString("Box", "Absent", "none", buffer, 4, m_path.c_str()), 3u);
    EXPECT_STREQ(buffer, "non");
    // A character is never cut in half: "Ä" takes two bytes.
    EXPECT_EQ(GetPrivateProfileString("Box", "Name", "", buffer, 2, m_path.c_str()), 0u);
    EXPECT_EQ(GetPrivateProfileString("Box", "Title", "d", "/no/such/file.dgm"), "d");
}

TEST_F(PrivateProfileTest, IntReadsTheLeadingNumber)
{
    EXPECT_EQ(GetPrivateProfileInt("Box", "Width", 5, m_path.c_str()), 120u);
    EXPECT_EQ(GetPrivateProfileInt("Box", "Title", 5, m_path.c_str()), 0u);
    EXPECT_EQ(GetPrivateProfileInt("Box", "Height", -1, m_path.c_str()), UINT(-1));
}

TEST_F(PrivateProfileTest, NullValueDeletesKeyAndNullKeyDeletesSection)
{
    EXPECT_TRUE(WritePrivateProfileString("Box", "Width", "140", m_path.c_str()));
    EXPECT_TRUE(WritePrivateProfileString("Box", "Title", nullptr, m_path.c_str()));
    EXPECT_TRUE(WritePrivateProfileString("Lines", nullptr, nullptr, m_path.c_str()));
    EXPECT_EQ(test_support::ReadFile(m_path), "[Box]\nWidth=140\nName=Ärger\n");
    EXPECT_FALSE(WritePrivateProfileString("A", "k", "v", "/no/such/folder/x.ini"));
}

TEST_F(PrivateProfileTest, NameWithoutFolderIsInTheCurrentFolder)
{
    const auto previous = std::filesystem::current_path();
    const std::string folder = test_support::NewFolder("current");
    std::filesystem::current_path(folder);
    EXPECT_TRUE(WritePrivateProfileString("Report", "Title", "Ancestors", "report.avr"));
    EXPECT_EQ(GetPrivateProfileString("Report", "Title", "", "report.avr"), "Ancestors");
    std::filesystem::current_path(previous);
    EXPECT_EQ(test_support::ReadFile(folder + "/report.avr"), "[Report]\nTitle=Ancestors\n");
}

} // namespace
