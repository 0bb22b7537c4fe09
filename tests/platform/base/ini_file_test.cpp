// tests/platform/base/ini_file_test.cpp: reading, changing and saving INI files without disturbing
// the lines that do not change.
#include "platform/base/ini_file.h"

#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

struct ReadCase {
    const char* name;
    const char* content;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

class IniFileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(IniFileRead, FindsTheFirstMatchingValue)
{
    CIniFile ini;
    ini.Parse(GetParam().content);
    EXPECT_EQ(ini.Get(GetParam().section, GetParam().key), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniFileRead,
    testing::Values(ReadCase{"SectionAndKeyCaseBlind", "[Colours]\nBox Fill=red\n", "COLOURS",
                             "box fill", "red"},
                    ReadCase{"FirstKeyWins", "[A]\nk=1\nK=2\n", "a", "k", "1"},
                    ReadCase{"FirstSectionWins", "[A]\nx=1\n[a]\nk=2\n", "A", "k", std::nullopt},
                    ReadCase{"ValueTrimmed", "[A]\n  k  =  two words \t\n", "A", "k", "two words"},
                    ReadCase{"DoubleQuotesStripped", "[A]\nk= \" padded \" \n", "A", "k",
                             " padded "},
                    ReadCase{"SingleQuotesStripped", "[A]\nk='x'\n", "A", "k", "x"},
                    ReadCase{"UnmatchedQuotesKept", "[A]\nk=\"x'\n", "A", "k", "\"x'"},
                    ReadCase{"CommentIsNoKey", "[A]\n;k=1\n#k=2\n", "A", "k", std::nullopt},
                    ReadCase{"KeyBeforeSectionsIsNotInOne", "k=1\n[A]\n", "A", "k", std::nullopt},
                    ReadCase{"ByteOrderMarkSkipped", "\xEF\xBB\xBF[A]\nk=v\n", "A", "k", "v"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniFile, SetReplacesInPlaceAndKeepsEveryOtherLine)
{
    CIniFile ini;
    ini.Parse("; settings\n[Page]\nWidth = 10 ; old\n\n[Font]\nFace=Arial\n");
    ASSERT_TRUE(ini.Set("page", "WIDTH", "12"));
    ASSERT_TRUE(ini.Set("Page", "Height", "20"));
    ASSERT_TRUE(ini.Set("Margins", "Left", "3"));
    EXPECT_EQ(
        ini.Text(),
        "; settings\n[Page]\nWidth = 12\nHeight=20\n\n[Font]\nFace=Arial\n\n[Margins]\nLeft=3\n");
}

TEST(IniFile, ValuesThatReadingWouldAlterAreQuoted)
{
    CIniFile ini;
    for (const char* value : {"  leading", "trailing ", "\"quoted\"", "'single'", "plain"}) {
        ASSERT_TRUE(ini.Set("A", "k", value));
        CIniFile reread;
        reread.Parse(ini.Text());
        EXPECT_EQ(reread.Get("A", "k"), value);
    }
}

TEST(IniFile, RefusesWhatCannotBeWrittenAsOneLine)
{
    CIniFile ini;
    EXPECT_FALSE(ini.Set("A", "k", "two\nlines"));
    EXPECT_FALSE(ini.Set("A", "a=b", "v"));
    EXPECT_FALSE(ini.Set("A", ";k", "v"));
    EXPECT_FALSE(ini.Set("A]", "k", "v"));
    EXPECT_EQ(ini.Text(), "");
    EXPECT_FALSE(ini.IsModified());
}

TEST(IniFile, DeletesKeysAndSectionsWithTheirLines)
{
    CIniFile ini;
    ini.Parse("[A]\nk=1\nx=2\nK=3\n\n[B]\n; about b\ny=4\n[a]\nk=5\n");
    EXPECT_EQ(ini.Keys("A"), (std::vector<std::string>{"k", "x"}));
    EXPECT_TRUE(ini.DeleteKey("a", "K"));
    EXPECT_FALSE(ini.DeleteKey("a", "k"));
    EXPECT_EQ(ini.Keys("A"), std::vector<std::string>{"x"});
    EXPECT_TRUE(ini.DeleteSection("A"));
    EXPECT_EQ(ini.Text(), "[B]\n; about b\ny=4\n");
    EXPECT_EQ(ini.Sections(), std::vector<std::string>{"B"});

    // With its last keys gone, a section takes a new key after the last one left.
    ini.Parse("[A]\na=1\n; about b\nb=2\nB=3\n\n[B]\n");
    EXPECT_TRUE(ini.DeleteKey("A", "b"));
    ASSERT_TRUE(ini.Set("A", "c", "3"));
    EXPECT_EQ(ini.Text(), "[A]\na=1\nc=3\n; about b\n\n[B]\n");
}

TEST(IniFile, ACarriageReturnAloneEndsALine)
{
    // As in a GEDCOM file: so a value read never holds a line break that it could not be
    // written back with.
    CIniFile ini;
    ini.Parse("[A]\r\nk=ab\rcd\r\nx=1\r\n");
    EXPECT_EQ(ini.Get("A", "k"), "ab");
    EXPECT_EQ(ini.Get("A", "x"), "1");
    ASSERT_TRUE(ini.Set("A", "y", "2"));
    EXPECT_EQ(ini.Text(), "[A]\r\nk=ab\r\ncd\r\nx=1\r\ny=2\r\n");

    ini.Parse("[A]\rk=1\r\r[B]\rk=2");
    EXPECT_EQ(ini.Get("B", "k"), "2");
    EXPECT_EQ(ini.Text(), "[A]\nk=1\n\n[B]\nk=2\n");
}

TEST(IniFile, LookupsFollowSectionsThatMoveWhenLinesComeAndGo)
{
    CIniFile ini;
    ini.Parse("[A]\nk=1\n[B]\nk=2\n[a]\nk=3\n");
    EXPECT_EQ(ini.Get("b", "k"), "2");
    ASSERT_TRUE(ini.Set("A", "new", "x")); // every later section moves down a line
    EXPECT_EQ(ini.Get("B", "k"), "2");
    EXPECT_EQ(ini.Get("A", "new"), "x");
    EXPECT_TRUE(ini.DeleteKey("a", "k"));
    EXPECT_EQ(ini.Get("B", "k"), "2");
    EXPECT_EQ(ini.Get("A", "k"), std::nullopt) << "only the first section of a name is read";
    ASSERT_TRUE(ini.Set("C", "k", "4"));
    EXPECT_TRUE(ini.DeleteSection("A"));
    EXPECT_EQ(ini.Get("B", "k"), "2");
    EXPECT_EQ(ini.Get("c", "k"), "4");
    EXPECT_FALSE(ini.HasSection("a"));
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"B", "C"}));
}

TEST(IniFile, SaveKeepsCrLfAndWritesLfForNewFiles)
{
    const std::string folder = test_support::NewFolder("ini");
    const std::string crlf = test_support::WriteFile(folder + "/crlf.ini", "[A]\r\nk=1\r\n");
    CIniFile ini;
    ASSERT_TRUE(ini.Load(crlf));
    ini.Set("A", "k", "2");
    ASSERT_TRUE(ini.Save(crlf));
    EXPECT_EQ(test_support::ReadFile(crlf), "[A]\r\nk=2\r\n");

    CIniFile fresh;
    ASSERT_TRUE(fresh.Load(folder + "/new.ini"));
    fresh.Set("A", "k", "1");
    ASSERT_TRUE(fresh.Save(folder + "/new.ini"));
    EXPECT_EQ(test_support::ReadFile(folder + "/new.ini"), "[A]\nk=1\n");
}

TEST(IniFile, SaveKeepsModeAndLinkAndLeavesNoTemporary)
{
    const std::string folder = test_support::NewFolder("ini");
    const std::string target = test_support::WriteFile(folder + "/real.ini", "[A]\n");
    ::chmod(target.c_str(), 0640);
    std::filesystem::create_symlink("real.ini", folder + "/link.ini");
    CIniFile ini;
    ASSERT_TRUE(ini.Load(folder + "/link.ini"));
    ini.Set("A", "k", "v");
    ASSERT_TRUE(ini.Save(folder + "/link.ini"));

    EXPECT_TRUE(std::filesystem::is_symlink(folder + "/link.ini"));
    EXPECT_EQ(test_support::ReadFile(target), "[A]\nk=v\n");
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);
}

TEST(IniFile, FailedSaveLeavesTheTargetAndNoTemporary)
{
    const std::string folder = test_support::NewFolder("ini");
    std::filesystem::create_directory(folder + "/taken.ini");
    CIniFile ini;
    ini.Set("A", "k", "v");
    EXPECT_FALSE(ini.Save(folder + "/taken.ini"));
    EXPECT_FALSE(ini.Save(folder + "/missing/x.ini"));
    EXPECT_TRUE(ini.IsModified());
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/taken.ini"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    EXPECT_FALSE(ini.Load(folder + "/taken.ini")); // unreadable is not empty
}

TEST(IniFile, APipeInTheFilesPlaceIsUnreadableAtOnce)
{
    const std::string pipe = test_support::MakePipe(test_support::NewFolder("ini") + "/user.ini");
    CIniFile ini;
    ini.Set("A", "k", "v");
    bool loaded = true;
    EXPECT_TRUE(test_support::ReturnsWithoutWaitingOnPipe(pipe, [&] { loaded = ini.Load(pipe); }));
    EXPECT_FALSE(loaded);
    EXPECT_FALSE(ini.Get("A", "k"));
}

} // namespace
