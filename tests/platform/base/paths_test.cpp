// tests/platform/base/paths_test.cpp: path pieces, case-blind lookup, listings, copies, the XDG
// folders and the private temporary folder.
#include "platform/base/paths.h"
#include "platform/base/temp_files.h"

#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using test_support::NewFolder;
using test_support::ReadFile;
using test_support::WriteFile;

struct PiecesRow {
    const char* path;
    const char* folder;
    const char* name;
    const char* extension;
};

class PathPiecesTest : public testing::TestWithParam<PiecesRow> {};

TEST_P(PathPiecesTest, AcceptsBothSeparatorsAndDriveLetters)
{
    const PiecesRow& r = GetParam();
    EXPECT_EQ(paths::Folder(r.path), r.folder);
    EXPECT_EQ(paths::FileName(r.path), r.name);
    EXPECT_EQ(paths::Extension(r.path), r.extension);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PathPiecesTest,
    testing::Values(PiecesRow{"D:\\Trees\\Smith.ged", "D:\\Trees", "Smith.ged", "ged"},
                    PiecesRow{"C:\\tree.g00", "C:\\", "tree.g00", "g00"},
                    PiecesRow{"C:photo.jpg", "", "photo.jpg", "jpg"},
                    PiecesRow{"/home/a/b.tar.gz", "/home/a", "b.tar.gz", "gz"},
                    PiecesRow{"media\\x/y\\pic", "media\\x/y", "pic", ""},
                    PiecesRow{"/file", "/", "file", ""},
                    PiecesRow{"a.dir/noext", "a.dir", "noext", ""}, PiecesRow{"", "", "", ""}));

TEST(PathsTest, NativeFormAndJoin)
{
    EXPECT_EQ(paths::ToNative("C:\\Trees\\a.ged"), "C:/Trees/a.ged");
    EXPECT_EQ(paths::Join("/a/", "/b"), "/a/b");
    EXPECT_EQ(paths::Join("C:\\x\\", "y"), "C:\\x\\y");
    EXPECT_EQ(paths::Join("", "y"), "y");
    EXPECT_EQ(paths::Join("/a", "b"), "/a/b");
}

TEST(PathsTest, FindExistingNoCaseMatchesEveryComponent)
{
    const std::string folder = NewFolder("lookup");
    ASSERT_TRUE(paths::MakeDirectories(folder + "/Trees/Old"));
    WriteFile(folder + "/Trees/Old/tree.g00", "x");
    EXPECT_EQ(paths::FindExistingNoCase(folder + "/TREES/old/TREE.G00"),
              folder + "/Trees/Old/tree.g00");
    EXPECT_EQ(paths::FindExistingNoCase(folder + "\\trees\\OLD\\Tree.G00"),
              folder + "/Trees/Old/tree.g00");
    EXPECT_EQ(paths::FindExistingNoCase(folder + "/TREES/missing.g00"),
              folder + "/TREES/missing.g00");
}

TEST(PathsTest, ListFolderFiltersByWildcardAndSortsCaseBlind)
{
    const std::string folder = NewFolder("listing");
    for (const char* name : {"b.GED", "A.ged", "c.txt", "README", "ä.ged"})
        WriteFile(folder + "/" + name, "");
    using Names = std::vector<std::string>;
    EXPECT_EQ(paths::ListFolder(folder, "*.ged"), (Names{"A.ged", "b.GED", "ä.ged"}));
    EXPECT_EQ(paths::ListFolder(folder, "?.GED"), (Names{"A.ged", "b.GED", "ä.ged"}));
    EXPECT_EQ(paths::ListFolder(folder, "*.*"),
              (Names{"A.ged", "b.GED", "c.txt", "README", "ä.ged"}));
    EXPECT_EQ(paths::ListFolder(folder, "*e*d*"), (Names{"A.ged", "b.GED", "README", "ä.ged"}));
    EXPECT_TRUE(paths::ListFolder(folder + "/none", "*").empty());
}

TEST(PathsTest, CopyFileKeepsModeAndHonoursFailIfExists)
{
    const std::string folder = NewFolder("copy");
    const std::string from = WriteFile(folder + "/from", "payload");
    chmod(from.c_str(), 0640);
    const std::string to = WriteFile(folder + "/to", "old");
    EXPECT_FALSE(paths::CopyFile(from, to, true));
    EXPECT_EQ(ReadFile(to), "old");
    EXPECT_TRUE(paths::CopyFile(from, to, false));
    EXPECT_EQ(ReadFile(to), "payload");
    struct stat info {};
    ASSERT_EQ(stat(to.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_FALSE(paths::CopyFile(folder + "/missing", folder + "/x", false));
    EXPECT_FALSE(paths::CopyFile(from, folder + "/no/such/folder", false));
    EXPECT_EQ(paths::ListFolder(folder, "*"),
              (std::vector<std::string>{"from", "to"})); // no leftovers
}

TEST(PathsTest, CopyFileRefusesAPipeAtOnce)
{
    const std::string folder = NewFolder("copy-pipe");
    const std::string pipe = test_support::MakePipe(folder + "/backup.ged");
    bool copied = true;
    EXPECT_TRUE(test_support::ReturnsWithoutWaitingOnPipe(
        pipe, [&] { copied = paths::CopyFile(pipe, folder + "/restored.ged", false); }));
    EXPECT_FALSE(copied);
    EXPECT_FALSE(paths::Exists(folder + "/restored.ged"));
}

TEST(PathsTest, XdgFoldersComeFromTheEnvironmentWhenAbsolute)
{
    const std::string config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    EXPECT_EQ(paths::ConfigFolder(), config + "/ardenvel");
    setenv("XDG_CONFIG_HOME", "relative/path", 1);
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(paths::ConfigFolder(), "/home/someone/.config/ardenvel");
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("HOME", savedHome.c_str(), 1);
    EXPECT_EQ(paths::DataHome(), std::getenv("XDG_DATA_HOME"));
    EXPECT_TRUE(paths::IsDirectory(paths::ProgramFolder()));
}

TEST(TempFilesTest, FolderIsPrivateAndUniqueFilesAreNew)
{
    const std::string folder = temp_files::Folder();
    ASSERT_FALSE(folder.empty());
    struct stat info {};
    ASSERT_EQ(lstat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    const std::string a = temp_files::CreateUnique(folder, "av", "tmp");
    const std::string b = temp_files::CreateUnique(folder, "av", "");
    EXPECT_NE(a, b);
    EXPECT_TRUE(paths::IsFile(a));
    EXPECT_EQ(paths::Extension(a), "tmp");
    EXPECT_EQ(paths::FileName(b).find('.'), std::string::npos);
}

TEST(TempFilesTest, EachRunHasAFolderOfItsOwnAndThoseOfEndedRunsGo)
{
    const std::string saved = std::getenv("TMPDIR");
    setenv("TMPDIR", NewFolder("runs").c_str(), 1);
    const std::string base = temp_files::Folder();
    const pid_t child = fork();
    if (child == 0)
        _exit(temp_files::RunFolder() == base + "/run-" + std::to_string(getpid()) ? 0 : 1);
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_EQ(status, 0);
    const std::string ended = base + "/run-" + std::to_string(child);
    EXPECT_TRUE(paths::Exists(ended));

    EXPECT_EQ(temp_files::RunFolder(), base + "/run-" + std::to_string(getpid()));
    EXPECT_FALSE(paths::Exists(ended)) << "its run has ended";
    setenv("TMPDIR", saved.c_str(), 1);
}

/// A private folder other than the usual one, beside it.
void ExpectPrivateFallback(const std::string& folder, const std::string& usual)
{
    EXPECT_TRUE(folder.starts_with(usual + "-")) << folder;
    struct stat info {};
    ASSERT_EQ(lstat(folder.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(TempFilesTest, PassesOverLinksAndFoldersOpenToOthers)
{
    const std::string root = NewFolder("tmproot");
    const std::string victim = WriteFile(root + "/victim", "keep");
    const std::string link = root + "/link";
    ASSERT_EQ(symlink(victim.c_str(), link.c_str()), 0);
    EXPECT_EQ(temp_files::OpenNoFollow(link), -1);
    EXPECT_EQ(ReadFile(victim), "keep");

    const std::string saved = std::getenv("TMPDIR");
    setenv("TMPDIR", root.c_str(), 1);
    const std::string expected = root + "/ardenvel-" + std::to_string(geteuid());
    ASSERT_EQ(symlink(root.c_str(), expected.c_str()), 0);
    ExpectPrivateFallback(temp_files::Folder(), expected);
    unlink(expected.c_str());
    ASSERT_EQ(mkdir(expected.c_str(), 0777), 0);
    chmod(expected.c_str(), 0777);
    ExpectPrivateFallback(temp_files::Folder(), expected);
    chmod(expected.c_str(), 0700);
    EXPECT_EQ(temp_files::Folder(), expected);
    setenv("TMPDIR", saved.c_str(), 1);
}
