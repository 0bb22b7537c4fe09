// tests/platform/base/file_identity_test.cpp: a file's identity tells a version written since
// from the same bytes touched or written anew.
#include "platform/base/file_identity.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

using test_support::WriteFile;

namespace {

namespace fs = std::filesystem;

/// Writes bytes over the start of the file in place, leaving its size and its time as they were.
void OverwriteInPlaceKeepingTheTime(const std::string& path, const std::string& bytes)
{
    const fs::file_time_type time = fs::last_write_time(path);
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    file.close();
    fs::last_write_time(path, time);
}

TEST(FileIdentity, TellsAnotherVersionFromTheSameBytes)
{
    const std::string folder = test_support::NewFolder("identity");
    const std::string path = WriteFile(folder + "/tree.ged", "0 HEAD\n1 NAME Alpha\n0 TRLR\n");
    const FileIdentity loaded = FileIdentity::Of(path);
    ASSERT_TRUE(loaded.exists);
    EXPECT_TRUE(loaded.Matches(path));

    // Other bytes of the same size, written in place just after the file was read: a clock
    // that counts whole seconds shows the same time.
    const std::string twin = WriteFile(folder + "/twin.ged", "0 HEAD\n1 NAME Alpha\n0 TRLR\n");
    fs::last_write_time(twin, std::chrono::floor<std::chrono::seconds>(fs::last_write_time(twin)));
    const FileIdentity twinLoaded = FileIdentity::Of(twin);
    OverwriteInPlaceKeepingTheTime(twin, "0 HEAD\n1 NAME Bravo");
    EXPECT_FALSE(twinLoaded.Matches(twin));

    // Touched, or the same bytes written anew: the same version.
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::hours(1));
    EXPECT_TRUE(loaded.Matches(path));
    WriteFile(path, "0 HEAD\n1 NAME Alpha\n0 TRLR\n");
    EXPECT_TRUE(loaded.Matches(path));

    // Other bytes of the same size written later; another size; gone.
    WriteFile(path, "0 HEAD\n1 NAME Bravo\n0 TRLR\n");
    EXPECT_FALSE(loaded.Matches(path));
    WriteFile(path, "0 HEAD\n0 TRLR\n");
    EXPECT_FALSE(loaded.Matches(path));
    fs::remove(path);
    EXPECT_FALSE(loaded.Matches(path));
    EXPECT_TRUE(FileIdentity::Of(path).Matches(path)) << "nothing there still";

    // What a copy records reads back whole; a damaged record is none.
    const std::optional<FileIdentity> reread = FileIdentity::FromText(loaded.ToText());
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->ToText(), loaded.ToText());
    EXPECT_FALSE(FileIdentity::FromText("1 20 x"));
}

} // namespace
