// tests/smoke/smoke_test.cpp: starts the smoke build of the program on the offscreen platform
// for each scenario, lets its driver click and type the scenario's steps through Qt's event
// queue, and checks the exit code, the files written, and that no sanitizer reported anything.
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace {

/// A family of two, married.
constexpr const char* kFamilyFile = "0 HEAD\r\n1 SOUR Tests\r\n1 GEDC\r\n2 VERS 5.5\r\n"
                                    "1 CHAR UTF-8\r\n"
                                    "0 @I1@ INDI\r\n1 NAME John /Smith/\r\n1 SEX M\r\n"
                                    "1 FAMS @F1@\r\n"
                                    "0 @I2@ INDI\r\n1 NAME Mary /Jones/\r\n1 SEX F\r\n"
                                    "1 FAMS @F1@\r\n"
                                    "0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n"
                                    "0 TRLR\r\n";

struct Outcome {
    int exitCode = -1;
    std::string errors; // what the program wrote to its error output
};

/// Runs the program in folder (its home, configuration and temporary folders) with the steps.
Outcome RunProgram(const std::string& folder, const std::string& steps,
                   const std::vector<std::string>& arguments = {})
{
    const std::string errorFile = folder + "/errors.txt";
    const pid_t child = fork();
    if (child == 0) {
        for (const char* sub : {"config", "data", "tmp"})
            std::filesystem::create_directories(folder + "/" + sub);
        setenv("HOME", folder.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
        setenv("TMPDIR", (folder + "/tmp").c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("ARDENVEL_SMOKE_STEPS", steps.c_str(), 1);
        if (!std::freopen(errorFile.c_str(), "w", stderr))
            _exit(126);
        std::vector<char*> argv{const_cast<char*>(ARDENVEL_SMOKE_PROGRAM)};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(ARDENVEL_SMOKE_PROGRAM, argv.data());
        _exit(127);
    }
    Outcome outcome;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child)
        outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    outcome.errors = test_support::ReadFile(errorFile);
    return outcome;
}

/// The individual records of a GEDCOM file.
int Individuals(const std::string& path)
{
    const std::string text = test_support::ReadFile(path);
    const std::regex record("(^|\n)0 @[^@]+@ INDI");
    return int(std::distance(std::sregex_iterator(text.begin(), text.end(), record),
                             std::sregex_iterator()));
}

void ExpectCleanEnd(const Outcome& outcome)
{
    EXPECT_EQ(outcome.exitCode, 0) << outcome.errors;
    for (const char* report : {"Sanitizer", "runtime error:"})
        EXPECT_EQ(outcome.errors.find(report), std::string::npos) << outcome.errors;
}

class SmokeTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_folder = test_support::NewFolder("smoke");
        m_family = test_support::WriteFile(m_folder + "/family.ged", kFamilyFile);
    }

    std::string m_folder;
    std::string m_family;
};

TEST_F(SmokeTest, ExitFromTheMenuWithNothingOpenEndsCleanly)
{
    ExpectCleanEnd(RunProgram(m_folder, "menu File/Exit"));
}

TEST_F(SmokeTest, OpenChangeSaveSaveAsCloseBoxAndExit)
{
    const std::string copy = m_folder + "/copy.ged";
    const Outcome outcome = RunProgram(m_folder, "menu File/Open...|file " + m_family +
                                                     "|menu Insert/Unrelated Individual"
                                                     "|menu File/Save"
                                                     "|menu File/Save As...|file " +
                                                     copy +
                                                     "|menu Insert/Unrelated Individual"
                                                     "|closebox Records|hidden Records"
                                                     "|menu File/Exit|answer No|answer Skip");
    ExpectCleanEnd(outcome);
    EXPECT_EQ(Individuals(m_family), 3);
    EXPECT_EQ(Individuals(copy), 3); // the second new individual was given up
    EXPECT_FALSE(std::filesystem::exists(copy + ".autosave"));
}

TEST_F(SmokeTest, ExitWithUnsavedChangesFollowsEachAnswer)
{
    struct Case {
        const char* name;
        const char* answers; // after Insert and Exit
        int individuals;     // in the file afterwards
        bool backup;
    } const cases[] = {
        {"Yes", "answer Yes|answer Skip", 3, false},
        {"No", "answer No|answer Skip", 2, false},
        {"CancelThenNo", "answer Cancel|menu File/Exit|answer No|answer Skip", 2, false},
        {"NoThenBackup", "answer No|answer Backup|file BACKUP", 2, true},
        {"NoThenCancelTheBackupThenNo",
         "answer No|answer Cancel|menu File/Exit|answer No|answer Skip", 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        const std::string backup = m_folder + "/backup.zip";
        std::string steps =
            std::string("menu Insert/Unrelated Individual|menu File/Exit|") + c.answers;
        steps = std::regex_replace(steps, std::regex("BACKUP"), backup);

        ExpectCleanEnd(RunProgram(m_folder, steps, {m_family}));

        EXPECT_EQ(Individuals(m_family), c.individuals);
        EXPECT_EQ(std::filesystem::exists(backup), c.backup);
    }
}

TEST_F(SmokeTest, TheWindowManagersCloseRequestRunsTheCloseSequence)
{
    // What Alt+F4 makes the window manager send.
    ExpectCleanEnd(RunProgram(
        m_folder, "menu Insert/Unrelated Individual|wmclose|answer Yes|answer Skip", {m_family}));
    EXPECT_EQ(Individuals(m_family), 3);
}

TEST_F(SmokeTest, TerminationKeepsUnsavedEditsInTheRecoveryCopyWithoutAsking)
{
    // Also while the question about unsaved changes waits for an answer nobody gives.
    for (const char* steps : {"menu Insert/Unrelated Individual|terminate",
                              "menu Insert/Unrelated Individual|menu File/Exit|terminate"}) {
        SCOPED_TRACE(steps);
        SetUp();
        ExpectCleanEnd(RunProgram(m_folder, steps, {m_family}));
        EXPECT_EQ(Individuals(m_family), 2);
        EXPECT_EQ(Individuals(m_family + ".autosave"), 3);
    }
}

TEST_F(SmokeTest, TerminationKeepsAnUntitledFilesEditsForTheNextStart)
{
    const std::string copy = m_folder + "/data/ardenvel/Untitled.ged.autosave";
    ExpectCleanEnd(RunProgram(m_folder, "menu Insert/Unrelated Individual|terminate"));
    EXPECT_EQ(Individuals(copy), 1);

    // The next start offers the copy; its edits go on where they stopped.
    ExpectCleanEnd(RunProgram(m_folder, "answer Yes|menu Insert/Unrelated Individual|terminate"));
    EXPECT_EQ(Individuals(copy), 2);

    // Declined, it is deleted.
    ExpectCleanEnd(RunProgram(m_folder, "answer No|menu File/Exit"));
    EXPECT_FALSE(std::filesystem::exists(copy));
}

TEST_F(SmokeTest, AReportResizedOnOneAndTwoPagesMaximisedThenAnotherFileOpened)
{
    // Also a report whose stored settings turn its pages to landscape. The window is dragged
    // through every height at its page width, where a scroll bar shown can make room enough
    // for the pages to do without it.
    for (const bool landscape : {false, true}) {
        SCOPED_TRACE(landscape ? "landscape" : "portrait");
        SetUp();
        if (landscape) {
            const std::string folder = m_folder + "/data/ardenvel/Reports/Standard";
            std::filesystem::create_directories(folder);
            test_support::WriteFile(folder + "/Individual Summary Report.avr",
                                    "[Ardenvel Report]\r\nVersion=3\r\nClass=Individual\r\n"
                                    "Template=Individual Summary Report\r\n\r\n"
                                    "[Report Options]\r\nLandscape=1\r\n");
        }
        const std::string other = test_support::WriteFile(m_folder + "/other.ged", kFamilyFile);
        const std::string window = "Individual Summary Report";
        ExpectCleanEnd(RunProgram(
            m_folder,
            "menu Reports/" + window + "|answer >>|answer OK|resize " + window +
                " 900x240-1000|click Two Pages|resize " + window + " 900x1000-240|maximize " +
                window + "|menu File/Open...|file " + other + "|menu File/Exit|answer Skip",
            {m_family}));
    }
}

} // namespace
