// tests/platform/base/safe_file_test.cpp: a save replaces the target only when it is complete.
#include "platform/base/safe_file.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
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

TEST(SafeFile, TheNextSaveRemovesTheTemporaryFilesOfAKilledSave)
{
    const std::string folder = test_support::NewFolder("safe");
    const std::string target = WriteFile(folder + "/tree.ged", "old");
    // A killed save's temporary file, an hour old; one a save in progress writes now; files
    // that only look alike.
    const std::string stale = WriteFile(folder + "/.tree.ged.ardenvel-Ab12Cd", "half");
    const std::filesystem::file_time_type hourAgo =
        std::filesystem::last_write_time(stale) - std::chrono::hours(1);
    std::filesystem::last_write_time(stale, hourAgo);
    const std::string fresh = WriteFile(folder + "/.tree.ged.ardenvel-Ef34Gh", "busy");
    const std::string other = WriteFile(folder + "/.tree.ged.Ij56Kl", "not ours");
    const std::string longer = WriteFile(folder + "/.tree.ged.ardenvel-Mn78OpQ", "not ours");
    std::filesystem::last_write_time(other, hourAgo);
    std::filesystem::last_write_time(longer, hourAgo);

    ASSERT_TRUE(CSafeFile::WriteWhole(target, "new"));
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(fresh));
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_TRUE(std::filesystem::exists(longer));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 4);

    // A file of that folder opened clears those of every name, which no later save of their own
    // name might ever do; the open file's mark is no temporary file.
    const std::string otherName = WriteFile(folder + "/.old name.ged.ardenvel-Qr90St", "half");
    const std::string mark = WriteFile(folder + "/.tree.ged.ardenvel-lock", "1 host");
    std::filesystem::last_write_time(otherName, hourAgo);
    std::filesystem::last_write_time(mark, hourAgo);
    CSafeFile::RemoveStaleTemporariesIn(folder);
    EXPECT_FALSE(std::filesystem::exists(otherName));
    EXPECT_TRUE(std::filesystem::exists(fresh));
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_TRUE(std::filesystem::exists(longer));
    EXPECT_TRUE(std::filesystem::exists(mark));
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

TEST(SafeFile, AReadOnlyTargetOrAFolderIsRefusedWithTheCause)
{
    const std::string folder = test_support::NewFolder("safe");
    const std::string target = WriteFile(folder + "/tree.ged", "old");
    ASSERT_EQ(chmod(target.c_str(), 0444), 0);
    CSafeFile file;
    CFileException error;
    // Refused even where the system would let this process write it (as the superuser).
    EXPECT_FALSE(file.OpenBeside(target, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    EXPECT_EQ(file.LastErrorText(), "Permission denied.");
    int code = 0;
    EXPECT_FALSE(CSafeFile::WriteWhole(target, "new", &code));
    EXPECT_EQ(code, EACCES);
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_FALSE(CSafeFile::WriteWhole(folder, "new", &code));
    EXPECT_EQ(code, EISDIR);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST(SafeFile, TheLongestFileNameSavesAndOneByteMoreDoesNot)
{
    const std::string folder = test_support::NewFolder("safe");
    const std::string longest(CSafeFile::LongestFileName(), 'n');
    EXPECT_TRUE(CSafeFile::WriteWhole(folder + "/" + longest, "saved"));
    EXPECT_EQ(ReadFile(folder + "/" + longest), "saved");
    EXPECT_FALSE(CSafeFile::WriteWhole(folder + "/" + longest + "n", "lost"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}
