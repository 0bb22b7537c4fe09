// tests/common/folder_settings_test.cpp: the folder settings of the program's machine-wide key and
// the program folder below the help files folder.
#include "common/folder_settings.h"

#include "common/preferences.h"
#include "platform/base/registry.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

/// The folder the setting gives, or none when it gives none.
using Folder = std::optional<std::string>;

class FolderSettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", test_support::NewFolder("folders").c_str(), 1);
        RegReset();
    }

    void TearDown() override { RegReset(); }

    static void SetValue(const char* name, const std::string& text)
    {
        HKEY key = nullptr;
        RegCreateKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                       &key, nullptr);
        RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                      DWORD(text.size() + 1));
        RegCloseKey(key);
    }

    static Folder Read(int index)
    {
        std::string folder;
        return GetFolderSetting(index, folder) ? Folder(folder) : std::nullopt;
    }
};

TEST_F(FolderSettingsTest, ValuesAreReadWithoutQuotesAndOnlyWhenTheyFit)
{
    EXPECT_EQ(Read(kQueriesFolder), std::nullopt) << "no key";
    SetValue("Queries Directory", "\"/opt/ardenvel/\"queries\"");
    // The settings hold 1000 bytes, the terminating zero included.
    SetValue("Custom Diagram Directory", std::string(999, 'a'));
    SetValue("Standard Diagram Directory", std::string(1000, 'a'));
    const DWORD number = 7;
    HKEY key = nullptr;
    RegOpenKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, KEY_ALL_ACCESS, &key);
    RegSetValueEx(key, "Reports Directory - Type", 0, REG_DWORD,
                  reinterpret_cast<const BYTE*>(&number), 4);
    RegCloseKey(key);

    EXPECT_EQ(Read(kQueriesFolder), "/opt/ardenvel/queries");
    EXPECT_EQ(Read(kCustomDiagramsFolder), std::string(999, 'a'));
    EXPECT_EQ(Read(kStandardDiagramsFolder), std::nullopt);
    EXPECT_EQ(Read(kReportTypesFolder), std::nullopt) << "a number";
    EXPECT_EQ(Read(kCustomReportsFolder), std::nullopt) << "no value";
    EXPECT_EQ(Read(-1), std::nullopt);
    EXPECT_EQ(Read(7), std::nullopt);
}

/// A help files folder and the program folder it gives.
struct ProgramCase {
    const char* name;
    const char* helpFolder;
    Folder program;
};

class ProgramFolderTest : public FolderSettingsTest,
                          public testing::WithParamInterface<ProgramCase> {};

TEST_P(ProgramFolderTest, TheLastPartOfTheHelpFolderIsLeftOutWhenThereIsOne)
{
    if (GetParam().helpFolder)
        SetValue("Help Files Directory", GetParam().helpFolder);

    std::string folder = "unchanged";
    const bool read = GetProgramFolder(folder);

    EXPECT_EQ(read ? Folder(folder) : std::nullopt, GetParam().program);
    if (!read) {
        EXPECT_EQ(folder, "unchanged");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Folders, ProgramFolderTest,
    testing::Values(ProgramCase{"Installed", "/opt/ardenvel/PROGRAM", "/opt/ardenvel/"},
                    ProgramCase{"Quoted", "\"C:\\Ardenvel\\PROGRAM\"", "C:\\Ardenvel\\"},
                    ProgramCase{"OnlyTheLastPart", "PROGRAM", std::nullopt},
                    ProgramCase{"ShorterThanTheLastPart", "PROG", std::nullopt},
                    ProgramCase{"Missing", nullptr, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
