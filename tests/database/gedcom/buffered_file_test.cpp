// tests/database/gedcom/buffered_file_test.cpp: reading lines through the buffered file, and saving
// beside the target.
#include "database/gedcom/buffered_file.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

struct Line {
    std::string text;
    bool complete;
    bool exhausted;
    bool operator==(const Line&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Line& l)
{
    return out << '"' << l.text << '"' << (l.complete ? "" : " cut") << (l.exhausted ? " end" : "");
}

/// Every ReadGedcomInputLine result until the input is exhausted.
std::vector<Line> ReadAll(int size = 256)
{
    std::vector<Line> lines;
    for (int guard = 0; guard < 100000; ++guard) {
        Line line;
        line.exhausted = ReadGedcomInputLine(line.text, line.complete, size);
        lines.push_back(line);
        if (line.exhausted)
            break;
    }
    return lines;
}

std::vector<Line> ReadFileLines(std::string_view bytes, int size = 256)
{
    const std::string path =
        test_support::WriteFile(test_support::NewFolder("read") + "/t.ged", bytes);
    EXPECT_TRUE(OpenGedcomInputFile(path, false));
    std::vector<Line> lines = ReadAll(size);
    EXPECT_TRUE(CloseGedcomInputFile());
    return lines;
}

struct TerminatorCase {
    const char* name;
    std::string bytes;
    std::vector<Line> lines;
};

class BufferedFileTerminatorTest : public testing::TestWithParam<TerminatorCase> {};

TEST_P(BufferedFileTerminatorTest, EachTerminatorEndsOneLine)
{
    EXPECT_EQ(ReadFileLines(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BufferedFileTerminatorTest,
    testing::Values(TerminatorCase{"CrLf", "A\r\nB", {{"A", true, false}, {"B", true, true}}},
                    TerminatorCase{"LfLf", "A\n\nB", {{"A", true, false}, {"B", true, true}}},
                    TerminatorCase{"LfCr", "A\n\rB", {{"A", true, false}, {"B", true, true}}},
                    TerminatorCase{"CrCr", "A\r\rB", {{"A", true, false}, {"B", true, true}}},
                    TerminatorCase{"LoneCr",
                                   "A\rB\r",
                                   {{"A", true, false}, {"B", true, false}, {"", true, true}}},
                    TerminatorCase{"ThirdByteStartsAnEmptyLine",
                                   "A\r\n\r\nB",
                                   {{"A", true, false}, {"", true, false}, {"B", true, true}}},
                    TerminatorCase{"UnterminatedLastLineIsDelivered",
                                   "0 HEAD\r\n0 TRLR",
                                   {{"0 HEAD", true, false}, {"0 TRLR", true, true}}}),
    [](const testing::TestParamInfo<TerminatorCase>& info) { return info.param.name; });

/// The lines of a file, read whole; with views, each line the buffer holds is taken as a view
/// and only the others are read by ReadGedcomInputLine.
std::vector<std::string> ReadLineTexts(const std::string& path, bool views,
                                       GedcomInputDecoding decoding = GedcomInputDecoding::None)
{
    std::vector<std::string> texts;
    EXPECT_TRUE(OpenGedcomInputFileDecoded(path, decoding));
    for (int guard = 0; guard < 1000000; ++guard) {
        std::string_view view;
        if (views && TakeBufferedLine(view)) {
            texts.emplace_back(view);
            continue;
        }
        std::string text;
        bool complete = true;
        const bool exhausted = ReadGedcomInputLine(text, complete, 1 << 20);
        if (!exhausted || !text.empty())
            texts.push_back(text);
        if (exhausted)
            break;
    }
    EXPECT_TRUE(CloseGedcomInputFile());
    return texts;
}

TEST_P(BufferedFileTerminatorTest, ViewsOfTheBufferEndLinesTheSameWay)
{
    const std::string path =
        test_support::WriteFile(test_support::NewFolder("read") + "/t.ged", GetParam().bytes);
    EXPECT_EQ(ReadLineTexts(path, true), ReadLineTexts(path, false));
}

TEST(BufferedFileTest, ViewsAndCopiesAgreeAcrossManyBuffers)
{
    std::string bytes;
    const char* terminators[] = {"\r\n", "\n", "\r", "\n\r", "\r\r", "\n\n"};
    for (int i = 0; bytes.size() < 3 * std::size_t(kGedcomBufferSize); ++i) {
        bytes += std::to_string(i % 3) + " TAG " + std::string(std::size_t(i * 37 % 300), 'v');
        bytes += terminators[i % 6];
    }
    const std::string path =
        test_support::WriteFile(test_support::NewFolder("read") + "/many.ged", bytes);
    const std::vector<std::string> copied = ReadLineTexts(path, false);
    EXPECT_GT(copied.size(), 100u);
    EXPECT_EQ(ReadLineTexts(path, true), copied);
}

/// UTF-16 code units as bytes, low byte first unless bigEndian.
std::string Utf16Bytes(std::u16string_view units, bool bigEndian)
{
    std::string bytes;
    for (const char16_t unit : units) {
        const char high = char(unit >> 8), low = char(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

struct DecodeCase {
    const char* name;
    bool bigEndian;   // the order the decoding is asked for
    const char* mark; // a byte-order mark written first, which may turn the order
    bool writtenBigEndian;
};

class BufferedFileDecodeTest : public testing::TestWithParam<DecodeCase> {};

// Characters of one, two, three and four UTF-8 bytes (a surrogate pair), one holding the byte of
// CR, at every offset against the file's pieces and the buffer's end.
TEST_P(BufferedFileDecodeTest, Utf16IsReadAsItsUtf8AcrossPiecesAndBuffers)
{
    const DecodeCase& c = GetParam();
    std::u16string units;
    std::string utf8;
    const char16_t* words[] = {u"name", u"Jos\u00E9", u"\u010D\u0A0D", u"\U0001D11E", u"\u4E2D"};
    const char* words8[] = {"name", "Jos\u00E9", "\u010D\u0A0D", "\U0001D11E", "\u4E2D"};
    for (int i = 0; units.size() < 200000; ++i) {
        const std::u16string_view end = i % 3 == 0 ? u"\r\n" : i % 3 == 1 ? u"\n" : u"\r";
        units += u"1 NOTE ";
        utf8 += "1 NOTE ";
        for (int w = 0; w <= i % 7; ++w) {
            units += words[(i + w) % 5];
            utf8 += words8[(i + w) % 5];
        }
        units += end;
        utf8 += "\n";
    }
    const std::string folder = test_support::NewFolder("decode");
    const std::string path = test_support::WriteFile(
        folder + "/utf16.ged", c.mark + Utf16Bytes(units, c.writtenBigEndian));
    const std::string plain = test_support::WriteFile(folder + "/utf8.ged", utf8);
    const GedcomInputDecoding decoding =
        c.bigEndian ? GedcomInputDecoding::Utf16Be : GedcomInputDecoding::Utf16Le;
    const std::vector<std::string> expected = ReadLineTexts(plain, false);
    EXPECT_GT(expected.size(), 5000u);
    EXPECT_EQ(ReadLineTexts(path, false, decoding), expected);
    EXPECT_EQ(ReadLineTexts(path, true, decoding), expected);
}

INSTANTIATE_TEST_SUITE_P(Orders, BufferedFileDecodeTest,
                         testing::Values(DecodeCase{"LowFirst", false, "", false},
                                         DecodeCase{"HighFirst", true, "", true},
                                         DecodeCase{"MarkKeepsTheOrder", false, "\xFF\xFE", false},
                                         DecodeCase{"MarkTurnsTheOrder", false, "\xFE\xFF", true}),
                         [](const testing::TestParamInfo<DecodeCase>& info) {
                             return info.param.name;
                         });

TEST(BufferedFileTest, BrokenUtf16IsCountedUntilTheFileCloses)
{
    // A lone low surrogate and a last odd byte each read as U+FFFD.
    const std::string path =
        test_support::WriteFile(test_support::NewFolder("decode") + "/broken.ged",
                                Utf16Bytes(u"0 HEAD\r\n1 NOTE a\xDC00z\r\n", false) + "x");
    ASSERT_TRUE(OpenGedcomInputFileDecoded(path, GedcomInputDecoding::Utf16Le));
    const std::vector<Line> lines = ReadAll();
    EXPECT_EQ(lines, (std::vector<Line>{{"0 HEAD", true, false},
                                        {"1 NOTE a\uFFFDz", true, false},
                                        {"\uFFFD", true, true}}));
    EXPECT_EQ(GetGedcomInputDecodeFallbacks(), 2u);
    EXPECT_EQ(GetBufferedFilePosition(), GetGedcomInputFileSize());
    EXPECT_TRUE(CloseGedcomInputFile());
    EXPECT_EQ(GetGedcomInputDecodeFallbacks(), 0u);
    ASSERT_TRUE(OpenGedcomInputFile(path, false));
    EXPECT_EQ(ReadAll().front().text.substr(0, 2), std::string("0\0", 2))
        << "a file opened afterwards is read as it is";
    EXPECT_TRUE(CloseGedcomInputFile());
}

TEST(BufferedFileTest, LongLinesComeBackInCutPieces)
{
    const std::string line(300, 'x');
    EXPECT_EQ(ReadFileLines(line + "\r\nB\r\n"),
              (std::vector<Line>{{std::string(255, 'x'), false, false},
                                 {std::string(45, 'x'), true, false},
                                 {"B", true, false},
                                 {"", true, true}}));
    EXPECT_EQ(ReadFileLines(line), (std::vector<Line>{{std::string(255, 'x'), false, false},
                                                      {std::string(45, 'x'), true, true}}));
}

TEST(BufferedFileTest, LinesAndTerminatorsAcrossBufferBoundaries)
{
    std::string bytes(kGedcomBufferSize - 1, 'a');
    bytes += "\r\nnext"; // CR is the buffer's last byte, LF the next buffer's first
    const std::vector<Line> lines = ReadFileLines(bytes, kGedcomBufferSize + 2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text.size(), static_cast<std::size_t>(kGedcomBufferSize - 1));
    EXPECT_EQ(lines[1], (Line{"next", true, true}));
}

TEST(BufferedFileTest, AFileOfExactlyOneBufferIsReadWhole)
{
    const std::string path = test_support::WriteFile(test_support::NewFolder("read") + "/full",
                                                     std::string(kGedcomBufferSize, 'z'));
    ASSERT_TRUE(OpenGedcomInputFile(path, false));
    EXPECT_EQ(GetGedcomInputFileSize(), kGedcomBufferSize);
    EXPECT_FALSE(IsGedcomInputAtEnd());
    const std::vector<Line> lines = ReadAll(kGedcomBufferSize + 2);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, std::string(kGedcomBufferSize, 'z'));
    EXPECT_TRUE(lines[0].complete && lines[0].exhausted);
    EXPECT_TRUE(IsGedcomInputAtEnd());
    EXPECT_EQ(GetBufferedFilePosition(), kGedcomBufferSize);
    EXPECT_EQ(ReadNextChar(), 0);
    EXPECT_TRUE(CloseGedcomInputFile());
}

TEST(BufferedFileTest, MappedPiecesReadTheSameLinesAsBuffers)
{
    // A CR ends the first piece and its LF begins the second; a line runs across the second
    // piece's end; the file's last bytes are read into the buffer.
    std::vector<std::string> expected;
    std::string bytes;
    const auto addLine = [&](std::string text, const char* terminator) {
        bytes += text + terminator;
        expected.push_back(std::move(text));
    };
    for (int i = 0; bytes.size() < kGedcomMapPieceSize - 100; ++i)
        addLine("1 NOTE line " + std::to_string(i), i % 2 ? "\r\n" : "\n");
    addLine(std::string(kGedcomMapPieceSize - 1 - bytes.size(), 'a'), "\r\n");
    for (int i = 0; bytes.size() < 2 * kGedcomMapPieceSize - 10; ++i)
        addLine("2 CONT more " + std::to_string(i), "\r");
    addLine("2 CONC across the end of a piece", "\r\n");
    for (int i = 0; bytes.size() < 2 * kGedcomMapPieceSize + 5000; ++i)
        addLine("0 @I" + std::to_string(i) + "@ INDI", "\n");
    addLine("0 TRLR", "");
    const std::string path =
        test_support::WriteFile(test_support::NewFolder("read") + "/pieces.ged", bytes);
    EXPECT_EQ(ReadLineTexts(path, true), expected);
    EXPECT_EQ(ReadLineTexts(path, false), expected);
    ASSERT_TRUE(OpenGedcomInputFile(path, false));
    std::string text;
    bool complete = true;
    while (!ReadGedcomInputLine(text, complete, 1 << 20)) {
    }
    EXPECT_EQ(GetBufferedFilePosition(), std::int64_t(bytes.size()));
    EXPECT_EQ(GetGedcomFileLastError(), 0);
    EXPECT_TRUE(CloseGedcomInputFile());
}

TEST(BufferedFileTest, AFileThatShrinksWhileItIsReadEndsWithAnError)
{
    // The pages the file no longer has read as zeros instead of stopping the program.
    const std::string path =
        test_support::WriteFile(test_support::NewFolder("read") + "/shrinks.ged",
                                std::string(3 * kGedcomMapPieceSize, 'x'));
    ASSERT_TRUE(OpenGedcomInputFile(path, false));
    fs::resize_file(path, 100);
    const std::vector<Line> lines = ReadAll(1 << 20);
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines.back().exhausted);
    EXPECT_EQ(lines.front().text, std::string(100, 'x') + std::string((1 << 20) - 101, '\0'));
    EXPECT_EQ(GetGedcomFileLastError(), EIO);
    EXPECT_TRUE(CloseGedcomInputFile());
}

TEST(BufferedFileTest, EmptyMissingAndQuotedNames)
{
    const std::string folder = test_support::NewFolder("read");
    EXPECT_FALSE(OpenGedcomInputFile(test_support::WriteFile(folder + "/empty.ged", ""), false));
    EXPECT_FALSE(OpenGedcomInputFile(folder + "/missing.ged", false));
    EXPECT_NE(GetGedcomFileLastError(), 0);
    EXPECT_FALSE(OpenGedcomInputFile(folder, false));
    test_support::WriteFile(folder + "/my tree.ged", "0 HEAD\n");
    ASSERT_TRUE(OpenGedcomInputFile("\"" + folder + "/my tree.ged\"", false));
    EXPECT_EQ(ReadAll().front().text, "0 HEAD");
    EXPECT_TRUE(CloseGedcomInputFile());
    EXPECT_TRUE(CloseGedcomInputFile());
}

class BufferedFileSaveTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_folder = test_support::NewFolder("save");
        m_target = test_support::WriteFile(m_folder + "/tree.ged", "0 HEAD\r\n0 TRLR\r\n");
    }
    std::vector<std::string> FolderNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string m_folder;
    std::string m_target;
};

TEST_F(BufferedFileSaveTest, SuccessfulCloseReplacesTheTargetAndKeepsItsMode)
{
    ::chmod(m_target.c_str(), 0640);
    ASSERT_TRUE(OpenGedcomInputFile(m_target, true));
    ASSERT_TRUE(WriteGedcomOutput(std::string(12000, 'n')));
    EXPECT_EQ(test_support::ReadFile(m_target), "0 HEAD\r\n0 TRLR\r\n");
    ASSERT_TRUE(CloseGedcomInputFile());
    EXPECT_EQ(test_support::ReadFile(m_target), std::string(12000, 'n'));
    EXPECT_EQ(fs::status(m_target).permissions(), fs::perms(0640));
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"tree.ged"});
}

TEST_F(BufferedFileSaveTest, NewFileIsCreated)
{
    const std::string path = m_folder + "/new.ged";
    ASSERT_TRUE(OpenGedcomInputFile(path, true));
    ASSERT_TRUE(WriteGedcomOutput("0 HEAD\r\n"));
    ASSERT_TRUE(CloseGedcomInputFile());
    EXPECT_EQ(test_support::ReadFile(path), "0 HEAD\r\n");
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"new.ged", "tree.ged"}));
}

TEST_F(BufferedFileSaveTest, SymbolicLinkIsFollowedToItsTarget)
{
    const std::string link = m_folder + "/link.ged";
    fs::create_symlink("tree.ged", link);
    ASSERT_TRUE(OpenGedcomInputFile(link, true));
    ASSERT_TRUE(WriteGedcomOutput("saved"));
    ASSERT_TRUE(CloseGedcomInputFile());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test_support::ReadFile(m_target), "saved");
}

TEST_F(BufferedFileSaveTest, FailedWriteLeavesTheOriginalIntact)
{
    ASSERT_TRUE(OpenGedcomInputFile(m_target, true));
    {
        // The first full buffer fits under the limit; the second does not.
        const FileSizeLimit limit(kGedcomWriteBufferSize + 3000);
        EXPECT_TRUE(WriteGedcomOutput(std::string(kGedcomWriteBufferSize + 1000, 'n')));
        EXPECT_FALSE(WriteGedcomOutput(std::string(kGedcomWriteBufferSize, 'n')));
        EXPECT_FALSE(WriteGedcomOutput("more"));
        EXPECT_NE(GetGedcomFileLastError(), 0);
    }
    EXPECT_FALSE(CloseGedcomInputFile());
    EXPECT_EQ(test_support::ReadFile(m_target), "0 HEAD\r\n0 TRLR\r\n");
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"tree.ged"});
}

TEST_F(BufferedFileSaveTest, FailureOfTheFinalFlushLeavesTheOriginalIntact)
{
    ASSERT_TRUE(OpenGedcomInputFile(m_target, true));
    ASSERT_TRUE(WriteGedcomOutput(std::string(3000, 'n')));
    const FileSizeLimit limit(100);
    EXPECT_FALSE(CloseGedcomInputFile());
    EXPECT_EQ(test_support::ReadFile(m_target), "0 HEAD\r\n0 TRLR\r\n");
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"tree.ged"});
}

TEST_F(BufferedFileSaveTest, AbandonedSaveLeavesTheOriginalIntact)
{
    ASSERT_TRUE(OpenGedcomInputFile(m_target, true));
    ASSERT_TRUE(WriteGedcomOutput(std::string(7000, 'n')));
    AbandonGedcomFile();
    EXPECT_EQ(test_support::ReadFile(m_target), "0 HEAD\r\n0 TRLR\r\n");
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"tree.ged"});
}

TEST_F(BufferedFileSaveTest, TargetThatCannotBeWrittenFailsToOpen)
{
    EXPECT_FALSE(OpenGedcomInputFile(m_folder + "/no/such/folder/tree.ged", true));
    EXPECT_FALSE(OpenGedcomInputFile(m_folder, true));
    EXPECT_FALSE(WriteGedcomOutput("x"));
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"tree.ged"});
}

} // namespace
