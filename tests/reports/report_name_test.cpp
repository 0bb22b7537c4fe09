// tests/reports/report_name_test.cpp: report names, typed or read from files, never lead out of
// their folder.
#include "reports/report_name.h"

#include <gtest/gtest.h>

namespace {

TEST(ReportNameTest, NamesThatCouldLeaveTheFolderAreRefusedWithAMessage)
{
    const char* accepted[] = {
        "Individual Summary Report", "Ancêtres de Zoë", "李小龍", "v1.2", "a-b_c (copy)", "x.y"};
    for (const char* name : accepted) {
        std::string message = "untouched";
        EXPECT_TRUE(CheckReportName(name, &message)) << name;
        EXPECT_EQ(message, "untouched");
    }
    const std::string refused[] = {"",
                                   "a/b",
                                   "a\\b",
                                   "..",
                                   "../../x",
                                   "..\\x",
                                   "x..y",
                                   "C:x",
                                   "what?",
                                   "star*",
                                   "<tag>",
                                   "pipe|",
                                   "quote\"",
                                   "tab\there",
                                   "line\nbreak",
                                   std::string("nul\0x", 5),
                                   "del\x7f",
                                   " leading blank",
                                   "trailing blank ",
                                   ".hidden",
                                   "ends with stop.",
                                   "\xff\xfe",
                                   "\xc3",
                                   std::string(300, 'n')};
    for (const std::string& name : refused) {
        std::string message;
        EXPECT_FALSE(CheckReportName(name, &message)) << name;
        EXPECT_NE(message.find("cannot be used as a report name"), std::string::npos) << name;
        EXPECT_LT(message.size(), 200u) << name;
    }
}

TEST(ReportNameTest, PathsStayInTheFolder)
{
    EXPECT_EQ(ReportFilePath("/data/Standard", "Family Group Sheet"),
              "/data/Standard/Family Group Sheet.avr");
    EXPECT_EQ(ReportFilePath("/data/Custom/", "Mine"), "/data/Custom/Mine.avr");
    EXPECT_EQ(ReportFilePath("/data/Custom", "../../x"), "");
    EXPECT_EQ(ReportFilePath("", "Mine"), "");
}

} // namespace
