// tests/platform/base/file_test.cpp: CFile modes and failures, CStdioFile lines.
#include "platform/base/file.h"
#include "platform/base/stdio_file.h"

#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

using test_support::MakePipe;
using test_support::NewFolder;
using test_support::ReadFile;
using test_support::WriteFile;

TEST(FileTest, OpenFailuresReportTheirCauseWithoutThrowing)
{
    const std::string folder = NewFolder("open");
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(folder + "/missing", CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_lOsError, ENOENT);
    EXPECT_EQ(error.m_strFileName, folder + "/missing");
    EXPECT_NE(error.GetErrorMessage().find(folder + "/missing"), std::string::npos);
    EXPECT_FALSE(file.Open(folder, CFile::modeRead, &error)); // a folder is not a file
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    EXPECT_FALSE(file.Open(folder + "/no/file", CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_FALSE(file.IsOpen());
}

TEST(FileTest, APipeIsRefusedAtOnceInsteadOfWaitingForItsOtherEnd)
{
    const std::string pipe = MakePipe(NewFolder("pipe") + "/family.ged");
    for (const UINT mode : {UINT(CFile::modeRead), UINT(CFile::modeWrite),
                            UINT(CFile::modeCreate | CFile::modeWrite)}) {
        CFile file;
        BOOL opened = TRUE;
        EXPECT_TRUE(test_support::ReturnsWithoutWaitingOnPipe(
            pipe, [&] { opened = file.Open(pipe, mode); }))
            << "mode " << mode;
        EXPECT_FALSE(opened) << "mode " << mode;
        EXPECT_FALSE(file.IsOpen());
    }
}

TEST(FileTest, CreateTruncatesUnlessNoTruncate)
{
    const std::string path = WriteFile(NewFolder("modes") + "/f", "0123456789");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeNoTruncate |
                                        CFile::modeReadWrite | CFile::shareDenyWrite));
        EXPECT_EQ(file.GetLength(), 10);
        EXPECT_EQ(file.Seek(-3, CFile::end), 7);
        file.Write("AB", 2);
        EXPECT_EQ(file.GetPosition(), 9);
    }
    EXPECT_EQ(ReadFile(path), "0123456AB9");
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
    EXPECT_EQ(file.GetLength(), 0);
    file.Write("xyz", 3);
    file.Flush();
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(ReadFile(path), "xyz");
}

TEST(FileTest, ReadStopsAtTheEndAndSetLengthCuts)
{
    const std::string path = WriteFile(NewFolder("read") + "/f", "abcdef");
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeReadWrite));
    char buffer[16] = {};
    EXPECT_EQ(file.Read(buffer, 4), 4u);
    EXPECT_EQ(file.Read(buffer + 4, 10), 2u);
    EXPECT_EQ(std::string(buffer), "abcdef");
    EXPECT_EQ(file.Read(buffer, 4), 0u);
    file.SetLength(3);
    EXPECT_EQ(file.GetLength(), 3);
}

TEST(FileTest, WritingToAFullDeviceThrowsDiskFull)
{
    CFile file;
    ASSERT_TRUE(file.Open("/dev/full", CFile::modeWrite));
    try {
        file.Write("data", 4);
        FAIL() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(e.m_strFileName, "/dev/full");
    }
}

TEST(FileTest, FailuresAfterOpeningThrow)
{
    CFile file;
    ASSERT_TRUE(file.Open(WriteFile(NewFolder("ro") + "/f", "x"), CFile::modeRead));
    EXPECT_THROW(file.Write("x", 1), CFileException); // opened for reading only
    EXPECT_THROW(file.Seek(-5, CFile::begin), CFileException);
    file.Close();
    char c = 0;
    try {
        file.Read(&c, 1);
        FAIL() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::invalidFile);
    }
}

TEST(StdioFileTest, ReadsLinesWithEitherEndAndALastLineWithout)
{
    std::string longLine(1500, 'x');
    const std::string path =
        WriteFile(NewFolder("lines") + "/f", "one\r\ntwo\n\n" + longLine + "\nlast");
    CStdioFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeRead | CFile::typeText));
    std::string line;
    for (const std::string& expected :
         {std::string("one"), std::string("two"), std::string(), longLine, std::string("last")}) {
        ASSERT_TRUE(file.ReadString(line));
        EXPECT_EQ(line, expected);
    }
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_EQ(line, "");
}

TEST(StdioFileTest, ReadingLeavesThePositionAfterTheLine)
{
    const std::string path = WriteFile(NewFolder("mixed") + "/f", "head\nbody\n");
    CStdioFile file;
    ASSERT_TRUE(file.Open(path, CFile::modeReadWrite));
    std::string line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(file.GetPosition(), 5);
    file.WriteString("BODY\r\n");
    file.Close();
    EXPECT_EQ(ReadFile(path), "head\nBODY\r\n");
}
