// tests/platform/ui/windows/command_line_test.cpp: switches are taken out and never become part of
// the file name; what remains, joined, is the file.
#include "platform/ui/windows/command_line.h"

#include <gtest/gtest.h>

namespace {

struct CommandLineCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string file;
    bool showSplash;
};

class CommandLineInfoTest : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineInfoTest, ParsesSplashSwitchAndFile)
{
    CCommandLineInfo info;
    info.Parse(GetParam().arguments);
    EXPECT_EQ(info.m_strFileName, GetParam().file);
    EXPECT_EQ(info.m_bShowSplash, GetParam().showSplash);
}

const CommandLineCase kCases[] = {
    {"Nothing", {}, "", true},
    {"OnePath", {"/home/anna/tree.ged"}, "/home/anna/tree.ged", true},
    {"SplitNameJoined",
     {"/home/anna/My", "Family", "Tree.ged"},
     "/home/anna/My Family Tree.ged",
     true},
    {"SplashSwitchBeforeFile", {"-nosplash", "/data/tree.ged"}, "/data/tree.ged", false},
    {"SplashSwitchAfterFile", {"/data/tree.ged", "--NoSplash"}, "/data/tree.ged", false},
    {"SplashSwitchAlone", {"-nosplash"}, "", false},
    {"UnknownSwitchIgnored", {"-geometry", "/data/tree.ged"}, "/data/tree.ged", true},
    {"QuotedName", {"\"/data/My Tree.ged\""}, "/data/My Tree.ged", true},
    {"QuotedNameSplit", {"\"/data/My", "Tree.ged\""}, "/data/My Tree.ged", true},
    {"LoneQuoteKept", {"\""}, "\"", true},
    {"DashesEndSwitches", {"-nosplash", "--", "-odd name.ged"}, "-odd name.ged", false},
    {"SwitchAfterDashesIsAName", {"--", "-nosplash"}, "-nosplash", true},
};

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLineInfoTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
