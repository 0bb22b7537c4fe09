// tests/app/shell_file_types_test.cpp: the desktop entry's Exec argument survives blanks and
// reserved characters, the GEDCOM type is claimed only when asked, and unchanged files are not
// written again.
#include "app/shell_file_types.h"

#include "platform/base/paths.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using testing::Not;

struct ExecCase {
    const char* name;
    const char* path;
    const char* argument;
};

class DesktopExecArgumentTest : public testing::TestWithParam<ExecCase> {};

TEST_P(DesktopExecArgumentTest, QuotesAndEscapesAsTheDesktopReadsThem)
{
    EXPECT_EQ(DesktopExecArgument(GetParam().path), GetParam().argument);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DesktopExecArgumentTest,
    testing::Values(ExecCase{"Plain", "/usr/bin/ardenvel", "/usr/bin/ardenvel"},
                    ExecCase{"Blank", "/opt/My Programs/ardenvel", "\"/opt/My Programs/ardenvel\""},
                    ExecCase{"Dollar", "/opt/a$b/ardenvel", "\"/opt/a\\\\$b/ardenvel\""},
                    ExecCase{"Quote", "/opt/a\"b/ardenvel", "\"/opt/a\\\\\"b/ardenvel\""},
                    ExecCase{"Backslash", "/opt/a\\b/ardenvel", "\"/opt/a\\\\\\\\b/ardenvel\""},
                    ExecCase{"Percent", "/opt/100%/ardenvel", "/opt/100%%/ardenvel"}),
    [](const auto& info) { return std::string(info.param.name); });

class ShellFileTypesTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_dataHome = test_support::NewFolder("data");
        setenv("XDG_DATA_HOME", m_dataHome.c_str(), 1);
    }

    ShellFileTypeFiles Files(bool registerGedcom) const
    {
        return MakeShellFileTypes("/opt/ardenvel/ardenvel", registerGedcom, m_dataHome);
    }

    std::string m_dataHome;
};

TEST_F(ShellFileTypesTest, BothTypesAreDefinedButGedcomIsClaimedOnlyWhenAsked)
{
    ASSERT_TRUE(RegisterShellFileTypes("/opt/ardenvel/ardenvel", false));

    const std::string entry = test_support::ReadFile(m_dataHome + "/applications/ardenvel.desktop");
    const std::string mime = test_support::ReadFile(m_dataHome + "/mime/packages/ardenvel.xml");
    EXPECT_THAT(entry, HasSubstr("Exec=/opt/ardenvel/ardenvel %f\n"));
    EXPECT_THAT(entry, HasSubstr("MimeType=application/x-ardenvel-treefile;\n"));
    EXPECT_THAT(mime, HasSubstr("<comment>Ardenvel TreeFile</comment>"));
    EXPECT_THAT(mime, HasSubstr("<glob pattern=\"*.av\"/>"));
    EXPECT_THAT(mime, HasSubstr("<comment>Gedcom File</comment>"));
    EXPECT_THAT(mime, HasSubstr("<glob pattern=\"*.ged\"/>"));

    ASSERT_TRUE(RegisterShellFileTypes("/opt/ardenvel/ardenvel", true));
    EXPECT_THAT(test_support::ReadFile(m_dataHome + "/applications/ardenvel.desktop"),
                HasSubstr("MimeType=application/x-ardenvel-treefile;application/x-gedcom;\n"));
    EXPECT_THAT(entry, Not(HasSubstr("x-gedcom")));
}

TEST_F(ShellFileTypesTest, FilesAreWrittenOnlyWhenTheyChange)
{
    ASSERT_TRUE(RegisterShellFileTypes("/opt/ardenvel/ardenvel", true));
    const ShellFileTypeFiles files = Files(true);
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(24);
    fs::last_write_time(files.desktopEntryPath, past);
    fs::last_write_time(files.mimePackagePath, past);

    ASSERT_TRUE(RegisterShellFileTypes("/opt/ardenvel/ardenvel", true));
    EXPECT_EQ(fs::last_write_time(files.desktopEntryPath), past);
    EXPECT_EQ(fs::last_write_time(files.mimePackagePath), past);

    ASSERT_TRUE(RegisterShellFileTypes("/opt/ardenvel/ardenvel", false));
    EXPECT_NE(fs::last_write_time(files.desktopEntryPath), past);
    EXPECT_EQ(fs::last_write_time(files.mimePackagePath), past);
}

TEST_F(ShellFileTypesTest, AFolderThatCannotBeMadeFailsQuietly)
{
    test_support::WriteFile(m_dataHome + "/applications", "a file where the folder goes");

    EXPECT_FALSE(RegisterShellFileTypes("/opt/ardenvel/ardenvel", true));

    EXPECT_EQ(test_support::ReadFile(m_dataHome + "/mime/packages/ardenvel.xml"),
              Files(true).mimePackage);
}

} // namespace
