// tests/app/shell_file_types_test.cpp: the desktop entry's Exec argument survives blanks and
// reserved characters, the GEDCOM type is claimed only when asked and the desktop then answers
// the program for it, the types get their icons, and unchanged files are not written again.
#include "app/shell_file_types.h"

#include "platform/base/paths.h"
#include "platform/ui/resources/resources.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
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
        m_configHome = test_support::NewFolder("config");
        setenv("XDG_DATA_HOME", m_dataHome.c_str(), 1);
        setenv("XDG_CONFIG_HOME", m_configHome.c_str(), 1);
        std::string error;
        ASSERT_TRUE(m_resources.LoadCompiledIn(error)) << error;
        SetAppResources(&m_resources);
    }
    void TearDown() override { SetAppResources(nullptr); }

    /// The desktop's default application for a MIME type, as xdg-mime answers it.
    static std::string DefaultApplication(const char* type)
    {
        unsetenv("XDG_CURRENT_DESKTOP");
        unsetenv("DESKTOP_SESSION");
        std::string answer;
        FILE* out = popen((std::string("xdg-mime query default ") + type).c_str(), "r");
        for (int c; out && (c = std::fgetc(out)) != EOF;)
            answer += char(c);
        if (out)
            pclose(out);
        return answer;
    }

    ShellFileTypeFiles Files(bool registerGedcom) const
    {
        return MakeShellFileTypes("/opt/ardenvel/ardenvel", registerGedcom, m_dataHome);
    }

    CResources m_resources;
    std::string m_dataHome;
    std::string m_configHome;
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

TEST_F(ShellFileTypesTest, TheDesktopOpensGedcomFilesWithTheProgramAndShowsTheTypesIcons)
{
    // The desktop answers only programs it can run, named by desktop entries it finds.
    fs::create_directories(m_dataHome + "/applications");
    for (const char* other : {"other", "editor"})
        test_support::WriteFile(m_dataHome + "/applications/" + other + ".desktop",
                                "[Desktop Entry]\nType=Application\nName=X\nExec=sh %f\n");
    const std::string program = test_support::WriteFile(m_dataHome + "/ardenvel", "#!/bin/sh\n");
    fs::permissions(program, fs::perms::owner_all);
    const std::string list = m_configHome + "/mimeapps.list";
    test_support::WriteFile(list, "[Default Applications]\napplication/x-gedcom=other.desktop\n"
                                  "text/plain=editor.desktop\n");
    ASSERT_TRUE(RegisterShellFileTypes(program, false));
    EXPECT_EQ(DefaultApplication("application/x-gedcom"), "other.desktop\n");

    ASSERT_TRUE(RegisterShellFileTypes(program, true));
    EXPECT_EQ(DefaultApplication("application/x-gedcom"), "ardenvel.desktop\n");
    EXPECT_EQ(DefaultApplication("text/plain"), "editor.desktop\n");
    fs::remove(list);
    ASSERT_TRUE(RegisterShellFileTypes(program, true));
    EXPECT_EQ(DefaultApplication("application/x-gedcom"), "ardenvel.desktop\n");

    for (const char* icon : {"ardenvel-treefile", "ardenvel-gedcom"}) {
        EXPECT_EQ(
            test_support::ReadFile(m_dataHome + "/icons/hicolor/32x32/mimetypes/" + icon + ".png")
                .substr(1, 3),
            "PNG");
    }
    // The desktop's MIME database, rebuilt from the package, gives each type its icon.
    const std::string icons = test_support::ReadFile(m_dataHome + "/mime/generic-icons") +
                              test_support::ReadFile(m_dataHome + "/mime/icons");
    EXPECT_THAT(icons, HasSubstr("application/x-gedcom:ardenvel-gedcom"));
    EXPECT_THAT(icons, HasSubstr("application/x-ardenvel-treefile:ardenvel-treefile"));
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
