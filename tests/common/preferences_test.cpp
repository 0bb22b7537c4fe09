// tests/common/preferences_test.cpp: loading and saving the preferences in the machine-wide key.
#include "common/preferences.h"
#include "common/registry_values.h"
#include "platform/base/registry.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

const std::string kPreferencesKey = std::string(kProgramKey) + "\\Preferences";
const std::string kHelpKey = std::string(kProgramKey) + "\\Beginners Help";

class PreferencesTest : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", test_support::NewFolder("config").c_str(), 1);
        RegReset();
        RegSetDenyWrites(false);
        Prefs() = Preferences{};
    }
    void TearDown() override { RegSetDenyWrites(false); }

    static HKEY Open(const std::string& path)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, "", 0, KEY_ALL_ACCESS,
                                 nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        return key;
    }
    static void StoreText(const char* name, const std::string& value)
    {
        HKEY key = Open(kPreferencesKey);
        RegSetString(key, name, value);
        RegCloseKey(key);
    }
    static void StoreDword(const char* name, DWORD value)
    {
        HKEY key = Open(kPreferencesKey);
        RegSetDword(key, name, value);
        RegCloseKey(key);
    }
    /// The stored value's type and text (for REG_SZ) after the registry was read from its files
    /// again.
    static std::pair<DWORD, std::string> Stored(const std::string& path, const char* name)
    {
        RegReset();
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return {REG_NONE, ""};
        char data[600] = {};
        DWORD type = REG_NONE;
        DWORD size = sizeof data;
        const bool ok = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data),
                                        &size) == ERROR_SUCCESS;
        RegCloseKey(key);
        return {ok ? type : REG_NONE, type == REG_SZ ? std::string(data) : std::string()};
    }
};

void ExpectTableDefaults(const Preferences& p)
{
    EXPECT_TRUE(p.m_allowNumericDates);
    EXPECT_EQ(p.m_numericDateFormat, 0);
    EXPECT_EQ(p.m_numericDateSeparator, '/');
    EXPECT_FALSE(p.m_excludeGedcomExtensions);
    EXPECT_FALSE(p.m_excludeNonStdTags);
    EXPECT_TRUE(p.m_autoCleanupFamilies);
    EXPECT_EQ(p.m_stdLifeInYears, 50);
    EXPECT_FALSE(p.m_hideSplashPanel);
    EXPECT_EQ(p.m_propDlgSizeDiagram, 1);
    EXPECT_EQ(p.m_propDlgSizeDragAdd, 0);
    EXPECT_EQ(p.m_propDlgSizeDefault, 1);
    EXPECT_FALSE(p.m_enableAutosave);
    EXPECT_EQ(p.m_autosaveMinutes, 5);
    EXPECT_TRUE(p.m_backupPrompt);
    EXPECT_FALSE(p.m_familiesFirst);
    EXPECT_TRUE(p.m_surnamesInUpperCase);
    EXPECT_TRUE(p.m_autoAddSurnames);
    EXPECT_TRUE(p.m_registerForGedcom);
    EXPECT_TRUE(p.m_enableBeginnersHelp);
    for (const BarPlacement& bar : p.m_bars) {
        EXPECT_EQ(bar.m_rect, CRect());
        EXPECT_FALSE(bar.m_floating);
    }
}

TEST_F(PreferencesTest, WithoutAKeyLoadingCreatesItAndTakesTheDefaults)
{
    LoadPreferences();
    const Preferences& p = Prefs();
    ExpectTableDefaults(p);
    EXPECT_EQ(p.m_startHereText, "<start here>");
    EXPECT_EQ(p.m_autoNamedLists,
              (std::array<std::string, kAutoNamedListCount>{"Bookmarks", "Work in Progress",
                                                            "Key Individuals", "", "", ""}));
    EXPECT_TRUE(p.m_defaultFile.empty());
    HKEY key = nullptr;
    RegReset();
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kPreferencesKey.c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(PreferencesTest, KeyNeitherOpenableNorCreatableLeavesTheBuiltInValuesAndSavesNothing)
{
    RegSetDenyWrites(true);
    LoadPreferences();
    const Preferences& p = Prefs();
    ExpectTableDefaults(p);
    EXPECT_TRUE(p.m_startHereText.empty());
    for (const std::string& name : p.m_autoNamedLists)
        EXPECT_TRUE(name.empty());
    SavePreferences();
    SaveToolbarPlacements();
    RegSetDenyWrites(false);
    EXPECT_EQ(Stored(kPreferencesKey, "Backup Prompt").first, REG_NONE);
}

struct BoolCase {
    const char* name;
    bool isText;
    std::string text;
    DWORD number;
    bool expected;
};

class PreferenceBoolTest : public PreferencesTest, public testing::WithParamInterface<BoolCase> {};

TEST_P(PreferenceBoolTest, OnlyTheTextTrueInAnyCaseIsTrue)
{
    const BoolCase& c = GetParam();
    for (const char* name : {"Backup Prompt", "Hide Splash Panel"}) {
        if (c.isText)
            StoreText(name, c.text);
        else
            StoreDword(name, c.number);
    }
    LoadPreferences();
    EXPECT_EQ(Prefs().m_backupPrompt, c.isText ? c.expected : true);
    EXPECT_EQ(Prefs().m_hideSplashPanel, c.isText ? c.expected : false);
}

INSTANTIATE_TEST_SUITE_P(Cases, PreferenceBoolTest,
                         testing::Values(BoolCase{"UpperTrue", true, "TRUE", 0, true},
                                         BoolCase{"LowerTrue", true, "true", 0, true},
                                         BoolCase{"MixedTrue", true, "True", 0, true},
                                         BoolCase{"Yes", true, "yes", 0, false},
                                         BoolCase{"One", true, "1", 0, false},
                                         BoolCase{"False", true, "FALSE", 0, false},
                                         BoolCase{"DwordGivesDefault", false, "", 1, false}),
                         [](const testing::TestParamInfo<BoolCase>& info) {
                             return info.param.name;
                         });

TEST_F(PreferencesTest, NumbersStoredAsTextAreIgnored)
{
    StoreText("Autosave Mins", "10");
    StoreDword("Std Life In Yrs", 70);
    LoadPreferences();
    EXPECT_EQ(Prefs().m_autosaveMinutes, 5);
    EXPECT_EQ(Prefs().m_stdLifeInYears, 70);
}

TEST_F(PreferencesTest, OnlyTheSeparatorsFirstCharacterCounts)
{
    Prefs().m_numericDateSeparator = '.';
    StoreText("Numeric Date Separator", " -");
    LoadPreferences();
    EXPECT_EQ(Prefs().m_numericDateSeparator, '.');
    StoreText("Numeric Date Separator", "");
    LoadPreferences();
    EXPECT_EQ(Prefs().m_numericDateSeparator, '.');
    StoreText("Numeric Date Separator", "-.");
    LoadPreferences();
    EXPECT_EQ(Prefs().m_numericDateSeparator, '-');
}

TEST_F(PreferencesTest, TextsTooLongForTheBufferGiveTheDefault)
{
    StoreText("Start Here Text", std::string(kRegTextSize, 'x'));
    StoreText("Default File", "/home/me/tree.ged");
    LoadPreferences();
    EXPECT_EQ(Prefs().m_startHereText, "<start here>");
    EXPECT_EQ(Prefs().m_defaultFile, "/home/me/tree.ged");
}

TEST_F(PreferencesTest, ToolbarRectanglesAreReadInTopLeftBottomRightOrder)
{
    StoreText("Toolbar-Dgm-Rect", "{10,20,30,40}");
    StoreText("Toolbar-Dgm-Float", "TRUE");
    StoreText("Toolbar-Std-Rect", "garbage");
    LoadPreferences();
    const BarPlacement* bar = GetBarPlacement(2);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->m_rect.top, 10);
    EXPECT_EQ(bar->m_rect.left, 20);
    EXPECT_EQ(bar->m_rect.bottom, 30);
    EXPECT_EQ(bar->m_rect.right, 40);
    EXPECT_TRUE(bar->m_floating);
    EXPECT_EQ(GetBarPlacement(0)->m_rect, CRect());
    EXPECT_EQ(GetBarPlacement(-1), nullptr);
    EXPECT_EQ(GetBarPlacement(4), nullptr);
}

TEST_F(PreferencesTest, SavingWritesTextsForBooleansAndAOneCharacterSeparator)
{
    LoadPreferences();
    Preferences& p = Prefs();
    p.m_backupPrompt = false;
    p.m_numericDateSeparator = '-';
    p.m_autosaveMinutes = 15;
    p.m_startHereText = "Root";
    p.m_bars[1].m_rect = CRect(1, 2, 3, 4);
    p.m_reoutputHeader = true;
    SavePreferences();
    EXPECT_EQ(Stored(kPreferencesKey, "Backup Prompt"),
              std::make_pair(REG_SZ, std::string("FALSE")));
    EXPECT_EQ(Stored(kPreferencesKey, "Register For GEDCOM"),
              std::make_pair(REG_SZ, std::string("TRUE")));
    EXPECT_EQ(Stored(kPreferencesKey, "Numeric Date Separator"),
              std::make_pair(REG_SZ, std::string("-")));
    EXPECT_EQ(Stored(kPreferencesKey, "Autosave Mins").first, REG_DWORD);
    EXPECT_EQ(Stored(kHelpKey, "Enable Beginners Help"),
              std::make_pair(REG_SZ, std::string("TRUE")));
    EXPECT_EQ(Stored(kPreferencesKey, "Toolbar-Rec-Rect").first, REG_NONE);

    Prefs() = Preferences{};
    LoadPreferences();
    EXPECT_FALSE(Prefs().m_backupPrompt);
    EXPECT_EQ(Prefs().m_numericDateSeparator, '-');
    EXPECT_EQ(Prefs().m_autosaveMinutes, 15);
    EXPECT_EQ(Prefs().m_startHereText, "Root");
    EXPECT_FALSE(Prefs().m_reoutputHeader);
    EXPECT_EQ(Prefs().m_bars[1].m_rect, CRect());
}

TEST_F(PreferencesTest, ToolbarPlacementsAreSavedOnTheirOwn)
{
    GetBarPlacement(3)->m_rect = CRect(1, 2, 3, 4);
    GetBarPlacement(3)->m_floating = true;
    SaveToolbarPlacements();
    EXPECT_EQ(Stored(kPreferencesKey, "Toolbar-Media-Rect"),
              std::make_pair(REG_SZ, std::string("{2,1,4,3}")));
    EXPECT_EQ(Stored(kPreferencesKey, "Toolbar-Media-Float"),
              std::make_pair(REG_SZ, std::string("TRUE")));
    EXPECT_EQ(Stored(kPreferencesKey, "Backup Prompt").first, REG_NONE);
}

TEST_F(PreferencesTest, EnableBeginnersHelpIsTrueOnlyForTheTextTrue)
{
    HKEY key = Open(kHelpKey);
    RegSetString(key, "Enable Beginners Help", "false");
    RegCloseKey(key);
    LoadPreferences();
    EXPECT_FALSE(Prefs().m_enableBeginnersHelp);
    key = Open(kHelpKey);
    RegDeleteValue(key, "Enable Beginners Help");
    RegCloseKey(key);
    LoadPreferences();
    EXPECT_TRUE(Prefs().m_enableBeginnersHelp);
    key = Open(kHelpKey);
    RegSetDword(key, "Enable Beginners Help", 1);
    RegCloseKey(key);
    LoadPreferences();
    EXPECT_FALSE(Prefs().m_enableBeginnersHelp);
}

} // namespace
