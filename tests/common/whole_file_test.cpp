// tests/common/whole_file_test.cpp: whole-file access, temporary files, file names and shell
// opening.
#include "common/file_names.h"
#include "common/file_utils.h"
#include "common/shell_open.h"
#include "common/whole_file.h"
#include "platform/base/temp_files.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

TEST(WholeFileTest, WritesAndReadsBytesWhole)
{
    const std::string path = test_support::NewFolder("whole") + "/data.bin";
    const std::string bytes("a\0b\r\n\xFF", 6);
    ASSERT_TRUE(WriteWholeFile(path, bytes));
    std::string content = "old";
    ASSERT_TRUE(ReadWholeFile(path, content));
    EXPECT_EQ(content, bytes);
}

TEST(WholeFileTest, AWriteThatFailsLeavesTheFileThatWasThere)
{
    const std::string path =
        test_support::WriteFile(test_support::NewFolder("whole") + "/a.bin", std::string(100, 'o'));
    {
        const FileSizeLimit limit(50); // as on a full disk
        EXPECT_FALSE(WriteWholeFile(path, std::string(80, 'n')));
    }
    EXPECT_EQ(test_support::ReadFile(path), std::string(100, 'o'));
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(path).parent_path()), {}), 1);
}

TEST(WholeFileTest, EmptyOrMissingFilesGiveNothing)
{
    const std::string folder = test_support::NewFolder("whole");
    std::string content = "old";
    EXPECT_FALSE(ReadWholeFile(test_support::WriteFile(folder + "/empty", ""), content));
    EXPECT_TRUE(content.empty());
    EXPECT_FALSE(ReadWholeFile(folder + "/missing", content));
    EXPECT_FALSE(WriteWholeFile(folder + "/no/such/folder/file", "x"));
    RemoveFile(folder + "/empty");
    RemoveFile(folder + "/missing");
    EXPECT_FALSE(fs::exists(folder + "/empty"));
}

TEST(WholeFileTest, MakeTempFileUsesTheExtensionAndLeavesNothingElse)
{
    const std::string folder = temp_files::Folder();
    ASSERT_FALSE(folder.empty());
    std::string first, second;
    ASSERT_TRUE(MakeTempFile("ged", first));
    ASSERT_TRUE(MakeTempFile("ged", second));
    EXPECT_NE(first, second);
    for (const std::string& path : {first, second}) {
        EXPECT_EQ(GetPathFolder(path, false), folder);
        EXPECT_EQ(GetPathFileName(path, false).substr(0, 3), "~av");
        EXPECT_EQ(GetPathExtension(path), "ged");
        EXPECT_TRUE(fs::is_regular_file(path));
    }
    std::string plain;
    ASSERT_TRUE(MakeTempFile("", plain));
    EXPECT_EQ(GetPathExtension(plain), "tmp");
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        files += entry.path().filename().string().rfind("~av", 0) == 0;
    EXPECT_EQ(files, 3);
    for (const std::string& path : {first, second, plain})
        RemoveFile(path);
}

TEST(FileUtilsTest, ListDirectoryAddsMatchesAndKeepsTheListSorted)
{
    const std::string folder = test_support::NewFolder("list");
    for (const char* name : {"b.avq", "A.AVQ", "c.txt"})
        test_support::WriteFile(folder + "/" + name, "x");
    std::vector<std::string> names = {"Zed.avq", "a0.avq"};
    ListDirectory(folder + "\\*.avq", names);
    EXPECT_EQ(names, (std::vector<std::string>{"A.AVQ", "a0.avq", "b.avq", "Zed.avq"}));
    EXPECT_TRUE(DirectoryExists(folder + "\\"));
    EXPECT_TRUE(FileExists(folder + "\\c.txt"));
    EXPECT_FALSE(FileExists(folder + "/d.txt"));
}

struct NameCase {
    const char* path;
    const char* folder;
    const char* folderWithSeparator;
    const char* name;
    const char* stem;
    const char* extension;
};

class FileNamesTest : public testing::TestWithParam<NameCase> {};

TEST_P(FileNamesTest, SplitsAtEitherSeparator)
{
    const NameCase& c = GetParam();
    EXPECT_EQ(GetPathFolder(c.path, false), c.folder);
    EXPECT_EQ(GetPathFolder(c.path, true), c.folderWithSeparator);
    EXPECT_EQ(GetPathFileName(c.path, false), c.name);
    EXPECT_EQ(GetPathFileName(c.path, true), c.stem);
    EXPECT_EQ(GetPathExtension(c.path), c.extension);
}

INSTANTIATE_TEST_SUITE_P(Cases, FileNamesTest,
                         testing::Values(NameCase{"C:\\Trees\\tree.ged", "C:\\Trees", "C:\\Trees\\",
                                                  "tree.ged", "tree", "ged"},
                                         NameCase{"/home/me/tree.old.ged", "/home/me", "/home/me/",
                                                  "tree.old.ged", "tree.old", "ged"},
                                         NameCase{"A:name.txt", "A:", "A:\\", "name.txt", "name",
                                                  "txt"},
                                         NameCase{"tree", "", "", "tree", "tree", ""},
                                         NameCase{"my.folder/readme", "my.folder", "my.folder/",
                                                  "readme", "readme", ""}));

class FailingShell final : public IPrompt {
public:
    explicit FailingShell(int result) : m_result(result) {}
    int MessageBox(const std::string& text, UINT, const std::string&) override
    {
        m_text = text;
        return IDOK;
    }
    void MessageBeep(UINT) override {}
    int ShellOpen(const std::string&, const std::string&) override { return m_result; }

    int m_result;
    std::string m_text;
};

TEST(ShellOpenTest, FailuresAreReportedWithTheirTexts)
{
    const std::vector<std::pair<int, const char*>> cases = {
        {0, "Error - out of memory"},
        {8, "Error - out of memory"},
        {2, "The specified file was not found"},
        {31, "No application is registered as the default application for files of this type"},
        {26, "A sharing violation occurred."},
        {4, "Error - cannot execute or open file"}};
    for (const auto& [code, text] : cases) {
        FailingShell shell(code);
        SetPrompt(&shell);
        const ShellOpenOutcome opened = ShellOpenFile("open", "/no/file.pdf");
        SetPrompt(&test_support::Prompt());
        EXPECT_FALSE(opened);
        EXPECT_EQ(opened.failure, text) << code;
        EXPECT_TRUE(shell.m_text.empty()) << code;
    }
    FailingShell browser(5);
    SetPrompt(&browser);
    const ShellOpenOutcome opened = OpenInBrowser("https://example.org");
    SetPrompt(&test_support::Prompt());
    EXPECT_EQ(opened.failure, "Could not locate, or failed to open, an Internet browser.");
}

} // namespace
