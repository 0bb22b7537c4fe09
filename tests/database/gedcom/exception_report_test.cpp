// tests/database/gedcom/exception_report_test.cpp: the exception report's file, layout and the
// skipping of a line with the lines below it.
#include "database/gedcom/exception_report.h"
#include "database/gedcom/gedcom_line_reader.h"
#include "tests/support/test_support.h"

#include "platform/base/clock.h"
#include "platform/base/paths.h"
#include "platform/base/temp_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kHeading =
    "Ardenvel Exception Report - Sunday 06 Dec 2026\r\n\r\nNote\r\n----\r\n"
    "Indented lines in the report beginning\r\n"
    "'Skipped branch line' represent data lines which are not\r\n"
    "necessarily invalid in themselves but which have had to\r\n"
    "be skipped as a consequence of skipping other lines which\r\n"
    "are invalid.\r\n";

std::string ReportPath()
{
    return temp_files::RunFolder() + "/Ardenvel Exception File.txt";
}

std::string Entry(int number, std::string_view reason, std::string_view content,
                  bool indented = false)
{
    return std::string(indented ? "    " : "") + "l." + std::to_string(number) + " - " +
           std::string(reason) + ": \"" + std::string(content) + "\"\r\n";
}

std::string Branch(int number, std::string_view content)
{
    return Entry(number, kSkippedBranchLine, content, true);
}

std::string Invalid(int number, std::string_view content)
{
    return Entry(number, ExceptionReasonText(kSkipInvalidLine), content);
}

class ExceptionReportTest : public testing::Test {
protected:
    void SetUp() override
    {
        clock_seam::SetLocalNow({2026, 12, 6, 21, 30, 0});
        paths::RemoveFile(ReportPath());
        BeginExceptionReport();
    }
    void TearDown() override
    {
        EndExceptionReport();
        clock_seam::ReleaseLocalNow();
    }
};

TEST_F(ExceptionReportTest, EntriesFollowTheirRecordHeadings)
{
    SetExceptionRecord(8, "");
    WriteExceptionLine(57, ExceptionReasonText(kSkipExtension), {1, "", "_UID", "9F2A"}, false,
                       false);
    SetExceptionRecord(0, "I1");
    WriteExceptionLine(60, ExceptionReasonText(kSkipNotGedcom55), {1, "", "FOO", "bar"}, false,
                       false);
    WriteExceptionLine(61, kSkippedBranchLine, {-1, "", "", "junk line"}, true, true);
    AppendExceptionText(
        "* Serious error: Duplicate record id found in file.  Id=5. Record Type=Individual.\r\n");
    SetExceptionRecord(1, "");
    WriteExceptionLine(70, ExceptionReasonText(kSkipExceedsMax), {1, "", "HUSB", "@I1@"}, false,
                       false);
    SetExceptionRecord(42, "X9");
    WriteExceptionLine(80, ExceptionReasonText(kSkipInvalid), {0, "X9", "FOO", ""}, false, false);
    const std::string path = EndExceptionReport();
    EXPECT_EQ(path, ReportPath());
    EXPECT_EQ(
        test_support::ReadFile(path),
        kHeading +
            "l.57 - Skipped extension to gedcom    : \"1  _UID 9F2A\"\r\n"
            "\r\nRecord Type=Individual Id=I1\r\n"
            "l.60 - Skipped - not gedcom 5.5       : \"1  FOO bar\"\r\n"
            "    l.61 - Skipped branch line        : \"junk line\"\r\n"
            "* Serious error: Duplicate record id found in file.  Id=5. Record Type=Individual.\r\n"
            "\r\nRecord Type=Family Id=<none>\r\n"
            "l.70 - Skipped invalid (exceeds max)  : \"1  HUSB @I1@\"\r\n"
            "\r\nRecord Type=<unrecognised> Id=X9\r\n"
            "l.80 - Skipped invalid line           : \"0 X9 FOO \"\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(ExceptionReportTest, IdentifiersOfAnyLengthHeadTheirRecordsOnce)
{
    // Identifiers of every length up to the longest a line may hold and past it, each set twice
    // (the same record's identifier heads its entries once), each unlike the one before it.
    const GedcomLine line{1, "", "FOO", "x"};
    std::string expected = kHeading;
    int lineNumber = 0;
    for (std::size_t length = 1; length <= kGedcomMaxXrefLength + 9; ++length) {
        std::string id;
        for (std::size_t i = 0; i < length; ++i)
            id += char('A' + (length + i) % 26);
        for (int pass = 0; pass < 2; ++pass) {
            SetExceptionRecord(0, id);
            WriteExceptionLine(++lineNumber, kSkippedBranchLine, line, false, false);
            if (pass == 0)
                expected += "\r\nRecord Type=Individual Id=" + id + "\r\n";
            expected += "l." + std::to_string(lineNumber) +
                        " - Skipped branch line        : \"1  FOO x\"\r\n";
        }
    }
    SetExceptionRecord(1, "F1"); // a short identifier after the long ones
    WriteExceptionLine(++lineNumber, kSkippedBranchLine, line, false, false);
    expected += "\r\nRecord Type=Family Id=F1\r\nl." + std::to_string(lineNumber) +
                " - Skipped branch line        : \"1  FOO x\"\r\n";
    EXPECT_EQ(test_support::ReadFile(EndExceptionReport()), expected);
}

TEST_F(ExceptionReportTest, ControlCharactersOfTheFileAreWrittenVisiblyAsHexadecimalEscapes)
{
    SetExceptionRecord(0, "I\x01X");
    WriteExceptionLine(5, ExceptionReasonText(kSkipInvalidLine), {-1, "", "", "1 NOTE \x1B[2J"},
                       true, false);
    WriteExceptionLine(6, kSkippedBranchLine, {2, "X\x7F", "_T\x02", "a\tb\\x07\x1F\x0B"}, false,
                       true);
    AppendExceptionText("* Reference to a missing record kept: FAMC @F\x08@ in Individual.\r\n");
    const std::string report = test_support::ReadFile(EndExceptionReport());
    EXPECT_EQ(report, kHeading +
                          "\r\nRecord Type=Individual Id=I\\x01X\r\n"
                          "l.5 - Skipped invalid line           : \"1 NOTE \\x1B[2J\"\r\n"
                          "    l.6 - Skipped branch line        : "
                          "\"2 X\\x7F _T\\x02 a\tb\\x07\\x1F\\x0B\"\r\n"
                          "* Reference to a missing record kept: FAMC @F\\x08@ in Individual.\r\n");
    for (const char c : report)
        EXPECT_TRUE(c == '\r' || c == '\n' || c == '\t' || (c >= 0x20 && c != 0x7F)) << int(c);
}

TEST_F(ExceptionReportTest, LoadWithoutSkippedLinesWritesNoFile)
{
    EXPECT_EQ(EndExceptionReport(), "");
    EXPECT_FALSE(paths::Exists(ReportPath()));
    WriteExceptionLine(1, kSkippedBranchLine, {1, "", "NOTE", "x"}, false, false);
    EXPECT_FALSE(paths::Exists(ReportPath()));
}

TEST_F(ExceptionReportTest, LongEntriesAreWrittenWholeAndInOrder)
{
    std::string expected = kHeading;
    for (int i = 0; i < 40; ++i) {
        const std::string value(i == 20 ? 10000 : 150, char('a' + i % 26));
        WriteExceptionLine(i + 1, ExceptionReasonText(kSkipExtension), {1, "", "_X", value}, false,
                           false);
        expected += Entry(i + 1, ExceptionReasonText(kSkipExtension), "1  _X " + value);
    }
    EXPECT_EQ(test_support::ReadFile(EndExceptionReport()), expected);
}

TEST_F(ExceptionReportTest, SymbolicLinkAtTheReportsNameIsNotFollowed)
{
    const std::string target =
        test_support::WriteFile(test_support::NewFolder("elsewhere") + "/keep.txt", "keep");
    std::filesystem::create_symlink(target, ReportPath());
    WriteExceptionLine(1, ExceptionReasonText(kSkipExtension), {1, "", "_X", "y"}, false, false);
    // The report takes the link's place; what it led to is untouched.
    EXPECT_EQ(EndExceptionReport(), ReportPath());
    EXPECT_FALSE(std::filesystem::is_symlink(ReportPath()));
    EXPECT_EQ(test_support::ReadFile(target), "keep");
    paths::RemoveFile(ReportPath());
}

TEST_F(ExceptionReportTest, AReportBeingReadIsNeverRewrittenByTheNextLoad)
{
    WriteExceptionLine(1, ExceptionReasonText(kSkipExtension), {1, "", "_X", "first"}, false,
                       false);
    const std::string path = EndExceptionReport();
    const std::string first = test_support::ReadFile(path);
    const int reader = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(reader, 0);

    // Another load, in this run or another, while the first report is read.
    BeginExceptionReport();
    WriteExceptionLine(1, ExceptionReasonText(kSkipExtension), {1, "", "_X", "second"}, false,
                       false);
    FlushExceptionReport();
    EXPECT_EQ(test_support::ReadFile(path), first) << "the next report appears whole or not at all";
    EXPECT_EQ(EndExceptionReport(), path);

    std::string read(first.size() + 100, '\0');
    read.resize(std::size_t(std::max<ssize_t>(0, ::read(reader, read.data(), read.size()))));
    ::close(reader);
    EXPECT_EQ(read, first);
    EXPECT_NE(test_support::ReadFile(path).find("second"), std::string::npos);
    for (const auto& entry : std::filesystem::directory_iterator(temp_files::RunFolder()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".Ardenvel Exception"))
            << "no temporary file stays: " << entry.path();
}

struct SkipCase {
    const char* name;
    std::string gedcom;
    int firstLine; // the line to skip, 1-based among the lines ReadGedcomLine returns
    int reason;
    std::string report;
    int status;
    std::string nextTag;
};

class ExceptionReportSkipTest : public ExceptionReportTest,
                                public testing::WithParamInterface<SkipCase> {};

TEST_P(ExceptionReportSkipTest, SkipsTheLineAndItsBranch)
{
    const SkipCase& c = GetParam();
    const std::string path =
        test_support::WriteFile(test_support::NewFolder("skip") + "/t.ged", c.gedcom);
    ASSERT_TRUE(OpenGedcomInput(path, false, false));
    GedcomLine line;
    int counter = 0, status = kGedcomInputEnd;
    for (int i = 0; i < c.firstLine; ++i)
        status = ReadGedcomLine(line, counter);
    EXPECT_EQ(SkipGedcomBranch(status == kGedcomLineInvalid, line, counter, 0, c.reason), c.status);
    EXPECT_EQ(c.status == kGedcomInputEnd ? "" : line.tag, c.nextTag);
    CloseGedcomInput();
    EXPECT_EQ(test_support::ReadFile(EndExceptionReport()), kHeading + c.report);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExceptionReportSkipTest,
    testing::Values(SkipCase{"UnknownRecordTakesEverythingUpToTheNextRecord",
                             "0 HEAD\n0 @X1@ FOO a\n1 BAR b\n2 BAZ c\nJUNK\n0 @I1@ INDI\n", 2,
                             kSkipInvalidLine,
                             Invalid(2, "0 X1 FOO a") + Branch(3, "1  BAR b") +
                                 Branch(4, "2  BAZ c") + Branch(5, "JUNK"),
                             kGedcomLineReady, "INDI"},
                    SkipCase{"BranchEndsAtALineOfItsLevel",
                             "0 @I1@ INDI\n1 _FOO x\n2 _BAR y\n3BAD\n1 NAME z\n", 2, kSkipExtension,
                             Entry(2, ExceptionReasonText(kSkipExtension), "1  _FOO x") +
                                 Branch(3, "2  _BAR y") + Branch(4, "3BAD"),
                             kGedcomLineReady, "NAME"},
                    SkipCase{"InvalidLineInTheBranchStartsAnotherPass",
                             "0 @I1@ INDI\n1 BIRT\n2 _FOO x\n3 _BAR y\n2BAD\n3 _QUX z\n1 NAME n\n",
                             3, kSkipExtension,
                             Entry(3, ExceptionReasonText(kSkipExtension), "2  _FOO x") +
                                 Branch(4, "3  _BAR y") + Invalid(5, "2BAD") +
                                 Branch(6, "3  _QUX z"),
                             kGedcomLineReady, "NAME"},
                    SkipCase{"InvalidLineWithoutLevelEndsTheRecord",
                             "0 @I1@ INDI\n1 _FOO x\nJUNK\n1 NAME n\n0 TRLR\n", 2, kSkipExtension,
                             Entry(2, ExceptionReasonText(kSkipExtension), "1  _FOO x") +
                                 Branch(3, "JUNK") + Branch(4, "1  NAME n"),
                             kGedcomLineReady, "TRLR"},
                    SkipCase{"InvalidFirstLineIsReportedAsRead",
                             "0 @I1@ INDI\n1BAD x\n2 _Q y\n1 NAME n\n", 2, kSkipInvalidLine,
                             Invalid(2, "1BAD x") + Branch(3, "2  _Q y"), kGedcomLineReady, "NAME"},
                    SkipCase{"EndOfInput", "0 @I1@ INDI\n1 _FOO x\n \n2 _BAR y", 2, kSkipExceedsMax,
                             Entry(2, ExceptionReasonText(kSkipExceedsMax), "1  _FOO x") +
                                 Branch(4, "2  _BAR y"),
                             kGedcomInputEnd, ""}),
    [](const testing::TestParamInfo<SkipCase>& info) { return info.param.name; });

TEST_F(ExceptionReportTest, SkipperGivesUpAfterTenPassesAndSkipsToTheNextRecord)
{
    std::string gedcom = "0 @I1@ INDI\n1 _A a\n";
    for (int i = 0; i < 10; ++i)
        gedcom += "1BAD\n";
    gedcom += "1 NAME n\n0 TRLR\n";
    ASSERT_TRUE(OpenGedcomInput(
        test_support::WriteFile(test_support::NewFolder("repeat") + "/t.ged", gedcom), false,
        false));
    GedcomLine line;
    int counter = 0;
    ReadGedcomLine(line, counter);
    ReadGedcomLine(line, counter);
    EXPECT_EQ(SkipGedcomBranch(false, line, counter, 0, kSkipExtension), kGedcomLineReady);
    EXPECT_EQ(line.tag, "TRLR");
    CloseGedcomInput();
    std::string expected = kHeading + Entry(2, ExceptionReasonText(kSkipExtension), "1  _A a");
    for (int number = 3; number <= 11; ++number)
        expected += Invalid(number, "1BAD");
    expected += Branch(12, "1BAD") + Branch(13, "1  NAME n");
    EXPECT_EQ(test_support::ReadFile(EndExceptionReport()), expected);
}

} // namespace
