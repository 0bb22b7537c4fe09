// tests/common/profile_access_test.cpp: values in private INI files and in the profile.
#include "common/profile_access.h"
#include "common/registry_values.h"
#include "platform/base/app_profile.h"
#include "platform/base/registry.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

class ProfileAccessTest : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", test_support::NewFolder("config").c_str(), 1);
        RegReset();
        m_ini = test_support::NewFolder("ini") + "/settings.dgm";
    }

    CAppProfile m_profile{"Quorvane", "Ardenvel"};
    std::string m_ini;
};

TEST_F(ProfileAccessTest, WithoutApplicationTheIniFileIsUsed)
{
    ASSERT_TRUE(WriteProfileIntEx(nullptr, m_ini, "Box", "Width", 120));
    ASSERT_TRUE(WriteProfileStringEx(nullptr, m_ini, "Box", "Title", "Family tree"));
    EXPECT_EQ(GetProfileStringEx(nullptr, m_ini, "Box", "Width", "", 150), "120");
    EXPECT_EQ(GetProfileStringEx(nullptr, m_ini, "Box", "Title", "", 7), "Family");
    EXPECT_EQ(GetProfileStringEx(nullptr, m_ini, "Box", "Missing", "dflt", 150), "dflt");
    EXPECT_NE(test_support::ReadFile(m_ini).find("Title=Family tree"), std::string::npos);
    EXPECT_EQ(GetProfileStringEx(&m_profile, "", "Box", "Title", "", 150), "");
}

TEST_F(ProfileAccessTest, ProfileValueTooLongForTheRoomGivesTheDefault)
{
    ASSERT_TRUE(WriteProfileStringEx(&m_profile, "", "Box", "Title", "Family tree"));
    ASSERT_TRUE(WriteProfileIntEx(&m_profile, "", "Box", "Width", 120));
    EXPECT_EQ(GetProfileStringEx(&m_profile, "", "Box", "Title", "dflt", 12), "Family tree");
    EXPECT_EQ(GetProfileStringEx(&m_profile, "", "Box", "Title", "dflt", 11), "dflt");
    EXPECT_EQ(GetProfileStringEx(&m_profile, "", "Box", "Title", "dflt", 4), "");
    EXPECT_EQ(m_profile.GetProfileInt("Box", "Width", 0), 120u);
}

TEST_F(ProfileAccessTest, RegistryTextsLongerThanTheRoomGiveTheDefault)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Test", 0, "", 0, KEY_ALL_ACCESS, nullptr,
                             &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_TRUE(RegSetString(key, "Fits", std::string(kRegTextSize - 1, 'x')));
    ASSERT_TRUE(RegSetString(key, "TooLong", std::string(kRegTextSize, 'x')));
    EXPECT_EQ(RegGetString(key, "Fits", "d").size(), kRegTextSize - 1);
    EXPECT_EQ(RegGetString(key, "TooLong", "d"), "d");
    ASSERT_TRUE(RegSetRect(key, "Rect", CRect(1, 2, 3, 4)));
    EXPECT_EQ(RegGetRect(key, "Rect"), CRect(1, 2, 3, 4));
    EXPECT_EQ(RegGetRect(key, "Fits"), CRect());
    RegCloseKey(key);
}

TEST_F(ProfileAccessTest, RegisterFileTypeWritesDefaultAndNamedValues)
{
    ASSERT_TRUE(RegisterFileType(".AV", "Ardenvel.File"));
    ASSERT_TRUE(RegisterFileType("Ardenvel.File\\shell\\open\\command", "ardenvel %1", "Cmd"));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CLASSES_ROOT, ".AV", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegGetString(key, nullptr, ""), "Ardenvel.File");
    RegCloseKey(key);
    ASSERT_EQ(
        RegOpenKeyEx(HKEY_CLASSES_ROOT, "Ardenvel.File\\shell\\open\\command", 0, KEY_READ, &key),
        ERROR_SUCCESS);
    EXPECT_EQ(RegGetString(key, "Cmd", ""), "ardenvel %1");
    RegCloseKey(key);
    RegSetDenyWrites(true);
    EXPECT_FALSE(RegisterFileType(".GED", "Ardenvel.GedcomFile"));
    RegSetDenyWrites(false);
}

} // namespace
