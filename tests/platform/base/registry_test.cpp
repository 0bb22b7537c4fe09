// tests/platform/base/registry_test.cpp: typed registry values kept in INI files, subkey listing,
// the deny-writes seam and the application profile on top.
#include "platform/base/app_profile.h"
#include "platform/base/registry.h"

#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kPrefs = "Software\\Quorvane\\Ardenvel Riru 2.1\\2.1\\Preferences";

/// Each test gets its own configuration folder and an empty store.
class RegistryTest : public testing::Test {
protected:
    void SetUp() override
    {
        const char* previous = std::getenv("XDG_CONFIG_HOME");
        m_previous = previous ? previous : "";
        m_config = test_support::NewFolder("config");
        setenv("XDG_CONFIG_HOME", m_config.c_str(), 1);
        RegReset();
    }
    void TearDown() override
    {
        RegSetDenyWrites(false);
        setenv("XDG_CONFIG_HOME", m_previous.c_str(), 1);
        RegReset();
    }

    static LONG Write(HKEY root, const char* path, const char* name, DWORD type, const void* data,
                      DWORD size)
    {
        HKEY key = nullptr;
        LONG result = RegCreateKeyEx(root, path, 0, "", REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                                     &key, nullptr);
        if (result != ERROR_SUCCESS)
            return result;
        result = RegSetValueEx(key, name, 0, type, static_cast<const BYTE*>(data), size);
        const LONG closed = RegCloseKey(key);
        return result != ERROR_SUCCESS ? result : closed;
    }
    static LONG WriteText(const char* name, const char* text)
    {
        return Write(HKEY_LOCAL_MACHINE, kPrefs, name, REG_SZ, text, DWORD(std::strlen(text) + 1));
    }

    std::string m_previous;
    std::string m_config;
};

struct TypedValue {
    const char* name;
    DWORD type;
    std::string bytes; // REG_SZ with its terminating zero
};

class RegistryValues : public RegistryTest, public testing::WithParamInterface<TypedValue> {};

TEST_P(RegistryValues, SurviveWriteAndRereadFromTheFile)
{
    const TypedValue& value = GetParam();
    ASSERT_EQ(Write(HKEY_LOCAL_MACHINE, kPrefs, value.name, value.type, value.bytes.data(),
                    DWORD(value.bytes.size())),
              ERROR_SUCCESS);
    RegReset();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kPrefs, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0;
    std::string data(600, '?');
    DWORD size = DWORD(data.size());
    ASSERT_EQ(RegQueryValueEx(key, value.name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                              &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, value.type);
    EXPECT_EQ(data.substr(0, size), value.bytes);
}

std::string Dword(DWORD v)
{
    return std::string(reinterpret_cast<const char*>(&v), 4);
}
std::string Sz(const char* text)
{
    return std::string(text) + '\0';
}

INSTANTIATE_TEST_SUITE_P(Types, RegistryValues,
                         testing::Values(TypedValue{"Allow Numeric Dates", REG_SZ, Sz("TRUE")},
                                         TypedValue{"Std Life In Yrs", REG_DWORD, Dword(1)},
                                         TypedValue{"Largest", REG_DWORD, Dword(0xFFFFFFFF)},
                                         TypedValue{"Lines", REG_SZ,
                                                    Sz("C:\\new\\r\none\r\ntwo\\")},
                                         TypedValue{"Blanks", REG_SZ, Sz("  \"both\"  ")},
                                         TypedValue{"Empty", REG_SZ, Sz("")},
                                         TypedValue{nullptr, REG_SZ, Sz("default")}));

TEST_F(RegistryTest, KeepsTheTypeInTheRootFile)
{
    ASSERT_EQ(WriteText("Hide Splash Panel", "TRUE"), ERROR_SUCCESS);
    const DWORD one = 1;
    ASSERT_EQ(Write(HKEY_LOCAL_MACHINE, kPrefs, "Autosave Mins", REG_DWORD, &one, 4),
              ERROR_SUCCESS);
    ASSERT_EQ(Write(HKEY_CLASSES_ROOT, ".AV", nullptr, REG_SZ, "Ardenvel.File", 14), ERROR_SUCCESS);
    EXPECT_EQ(test_support::ReadFile(m_config + "/ardenvel/machine.ini"),
              std::string("[") + kPrefs + "]\nHide Splash Panel=sz:TRUE\nAutosave Mins=dword:1\n");
    EXPECT_EQ(test_support::ReadFile(m_config + "/ardenvel/classes.ini"),
              "[.AV]\n@=sz:Ardenvel.File\n");
}

TEST_F(RegistryTest, QueryReportsSizeAndRefusesSmallBuffers)
{
    ASSERT_EQ(WriteText("Start Here Text", "<start here>"), ERROR_SUCCESS);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kPrefs, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueEx(key, "start here text", nullptr, &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 13u);
    char buffer[13];
    size = 12;
    EXPECT_EQ(RegQueryValueEx(key, "Start Here Text", nullptr, &type, (BYTE*)buffer, &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 13u);
    EXPECT_EQ(RegQueryValueEx(key, "Start Here Text", nullptr, &type, (BYTE*)buffer, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "<start here>");
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, EnumeratesSubkeysOneLevelBelow)
{
    const DWORD one = 1;
    for (const char* path : {"Base\\Diagrams\\TextSchemes\\One", "Base\\Preferences",
                             "base\\DIAGRAMS\\Other", "Base\\Beginners Help"})
        ASSERT_EQ(Write(HKEY_LOCAL_MACHINE, path, "v", REG_DWORD, &one, 4), ERROR_SUCCESS);
    RegReset();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "BASE", 0, KEY_READ, &key), ERROR_SUCCESS);
    std::vector<std::string> names;
    std::string name;
    for (DWORD i = 0; RegEnumKey(key, i, name) == ERROR_SUCCESS; ++i)
        names.push_back(name);
    RegCloseKey(key);
    EXPECT_EQ(names, (std::vector<std::string>{"Diagrams", "Preferences", "Beginners Help"}));

    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Base\\Absent", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, "Base\\Diagrams"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, "Base\\Preferences"), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Base\\Preferences", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, SubkeysFollowCreatesAndDeletesWithoutRereading)
{
    const auto subkeys = [](const char* path) {
        std::vector<std::string> names;
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return names;
        std::string name;
        for (DWORD i = 0; RegEnumKey(key, i, name) == ERROR_SUCCESS; ++i)
            names.push_back(name);
        RegCloseKey(key);
        return names;
    };
    const DWORD one = 1;
    ASSERT_EQ(Write(HKEY_LOCAL_MACHINE, "Base\\One", "v", REG_DWORD, &one, 4), ERROR_SUCCESS);
    EXPECT_EQ(subkeys("Base"), std::vector<std::string>{"One"});
    ASSERT_EQ(Write(HKEY_LOCAL_MACHINE, "Base\\Two\\Deeper", "v", REG_DWORD, &one, 4),
              ERROR_SUCCESS);
    ASSERT_EQ(Write(HKEY_LOCAL_MACHINE, "BASE\\one", "w", REG_DWORD, &one, 4), ERROR_SUCCESS);
    EXPECT_EQ(subkeys("base"), (std::vector<std::string>{"One", "Two"}));
    EXPECT_EQ(subkeys("Base\\TWO"), std::vector<std::string>{"Deeper"});
    EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, "Base\\Two\\Deeper"), ERROR_SUCCESS);
    EXPECT_EQ(subkeys("Base"), std::vector<std::string>{"One"});
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Base\\Two", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, DeniedWritesLeaveValuesReadable)
{
    ASSERT_EQ(WriteText("Default File", "tree.ged"), ERROR_SUCCESS);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kPrefs, 0, KEY_READ, &key), ERROR_SUCCESS);
    RegSetDenyWrites(true);
    EXPECT_EQ(RegSetValueEx(key, "Default File", 0, REG_SZ, (const BYTE*)"x", 2),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValue(key, "Default File"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(WriteText("Other", "x"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, kPrefs), ERROR_ACCESS_DENIED);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(key, "Default File", nullptr, nullptr, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 9u);
    RegCloseKey(key);
}

TEST_F(RegistryTest, ProfileRoundTripsIntsAndStrings)
{
    CAppProfile profile("Quorvane", "Ardenvel");
    EXPECT_TRUE(profile.WriteProfileInt("Record Window Options", "Surnames First", -2));
    EXPECT_TRUE(profile.WriteProfileString("Custom Colours", "Custom Colour 1", "255,255,255"));
    EXPECT_TRUE(profile.WriteProfileString("Custom Colours", "Custom Colour 2", "42"));
    RegReset();
    EXPECT_EQ(int(profile.GetProfileInt("record window options", "surnames first", 7)), -2);
    EXPECT_EQ(profile.GetProfileString("Custom Colours", "Custom Colour 1"), "255,255,255");
    EXPECT_EQ(profile.GetProfileInt("Custom Colours", "Custom Colour 2", 0), 42u);
    EXPECT_EQ(profile.GetProfileString("Record Window Options", "Surnames First", "d"), "d");
    EXPECT_NE(test_support::ReadFile(m_config + "/ardenvel/user.ini")
                  .find("[Software\\Quorvane\\Ardenvel\\Custom Colours]"),
              std::string::npos);

    EXPECT_TRUE(profile.WriteProfileString("Custom Colours", "Custom Colour 1", nullptr));
    EXPECT_EQ(profile.GetProfileString("Custom Colours", "Custom Colour 1", "gone"), "gone");
    EXPECT_EQ(profile.GetProfileInt("Custom Colours", "Custom Colour 2", 0), 42u);
    EXPECT_TRUE(profile.WriteProfileString("Custom Colours", nullptr, nullptr));
    RegReset();
    EXPECT_EQ(profile.GetProfileInt("Custom Colours", "Custom Colour 2", 0), 0u);
}

} // namespace
