// tests/platform/base/safe_file_test.cpp: a save replaces the target only when it is complete.
#include "platform/base/safe_file.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

using test_support::ReadFile;
using test_support::WriteFile;

TEST(SafeFile, CommitReplacesTheTargetAndKeepsItsMode)
{
    const std::string folder = test_support::NewFolder("safe");
    const std::string target = WriteFile(folder + "/tree.ged", "old");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);

    CSafeFile file;
    ASSERT_TRUE(file.OpenBeside(target));
    file.Write("new content", 11);
    EXPECT_EQ(ReadFile(target), "old"); // untouched until the commit
    ASSERT_TRUE(file.Commit());

    EXPECT_EQ(ReadFile(target), "new content");
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST(SafeFile, AnAbandonedSaveLeavesTheTargetAndNoTemporaryFile)
{
    const std::string folder = test_support::NewFolder("safe");
    const std::string target = WriteFile(folder + "/tree.ged", "old");
    {
        CSafeFile file;
        ASSERT_TRUE(file.OpenBeside(target));
        file.Write("half", 4);
    }
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST(SafeFile, ASymbolicLinkIsFollowedAndSurvives)
{
    const std::string folder = test_support::NewFolder("safe");
    const std::string real = WriteFile(folder + "/real.ged", "old");
    const std::string link = folder + "/link.ged";
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);

    ASSERT_TRUE(CSafeFile::WriteWhole(link, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(real), "new");
}

TEST(SafeFile, AMissingFolderFailsWithTheCause)
{
    const std::string target = test_support::TempDir() + "/no-such-folder/tree.ged";
    CSafeFile file;
    CFileException error;
    EXPECT_FALSE(file.OpenBeside(target, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_FALSE(file.Commit());
    EXPECT_FALSE(std::filesystem::exists(target));
}
