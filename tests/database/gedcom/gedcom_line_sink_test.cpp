// tests/database/gedcom/gedcom_line_sink_test.cpp: GEDCOM lines written through the sink.
#include "database/gedcom/buffered_file.h"
#include "database/gedcom/gedcom_charset.h"
#include "database/gedcom/gedcom_encode.h"
#include "database/gedcom/gedcom_line_sink.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

struct SinkCase {
    const char* name;
    std::string line;
    std::string value;
    std::string written;
};

class GedcomLineSinkTest : public testing::TestWithParam<SinkCase> {};

TEST_P(GedcomLineSinkTest, DoublesAtSignsInTheValueOnly)
{
    const std::string path = test_support::NewFolder("sink") + "/out.ged";
    ASSERT_TRUE(OpenGedcomInputFile(path, true));
    EXPECT_TRUE(WriteGedcomLine(GetParam().line, GetParam().value));
    ASSERT_TRUE(CloseGedcomInputFile());
    EXPECT_EQ(test_support::ReadFile(path), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GedcomLineSinkTest,
    testing::Values(SinkCase{"NoValue", "0 @I12@ INDI", "", "0 @I12@ INDI\r\n"},
                    SinkCase{"PlainValue", "1 NAME ", "John /Smith/", "1 NAME John /Smith/\r\n"},
                    SinkCase{"OneAt", "1 EMAIL ", "me@example.org", "1 EMAIL me@@example.org\r\n"},
                    SinkCase{"AtsAtBothEnds", "2 CONC ", "@x@@", "2 CONC @@x@@@@\r\n"},
                    SinkCase{"LinkKeepsSingleAts", "1 FAMS @F3@", "", "1 FAMS @F3@\r\n"}),
    [](const testing::TestParamInfo<SinkCase>& info) { return info.param.name; });

struct TagLineCase {
    const char* name;
    GedcomCharset charset;
    int level;
    std::string tag;
    std::string rest;
    std::string value;
};

class GedcomTagLineTest : public testing::TestWithParam<TagLineCase> {};

/// The bytes a save writes for the lines, with the sink in charset and a CR line end.
std::string Written(GedcomCharset charset, const std::function<bool()>& write)
{
    const std::string path = test_support::NewFolder("sink") + "/out.ged";
    SetGedcomLineFormat(charset, "\r");
    EXPECT_TRUE(OpenGedcomInputFile(path, true));
    // Enough lines before that the line does not fit in what is left of the buffer.
    const std::size_t before =
        kGedcomWriteBufferSize / std::string_view("2 PLAC Ludlow, Shropshire, England\r").size();
    for (std::size_t i = 0; i < before; ++i)
        EXPECT_TRUE(WriteGedcomLine("2 PLAC ", "Ludlow, Shropshire, England"));
    EXPECT_TRUE(write());
    EXPECT_TRUE(CloseGedcomInputFile());
    SetGedcomLineFormat(GedcomCharset::Utf8, "\r\n");
    return test_support::ReadFile(path);
}

TEST_P(GedcomTagLineTest, WritesWhatTheComposedLineWrites)
{
    const TagLineCase& c = GetParam();
    const std::string line = std::to_string(c.level) + " " + c.tag + c.rest;
    const std::string composed = Written(c.charset, [&] { return WriteGedcomLine(line, c.value); });
    EXPECT_EQ(
        Written(c.charset, [&] { return WriteGedcomTagLine(c.level, c.tag, c.rest, c.value); }),
        composed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GedcomTagLineTest,
    testing::Values(
        TagLineCase{"TagOnly", GedcomCharset::Utf8, 1, "BIRT", "", ""},
        TagLineCase{"Rest", GedcomCharset::Utf8, 1, "FAMS", " @F3@", ""},
        TagLineCase{"Value", GedcomCharset::Utf8, 2, "PLAC", " ", "Genova, Liguria, Italy"},
        TagLineCase{"Ats", GedcomCharset::Utf8, 12, "EMAIL", " ", "@me@@example.org@"},
        TagLineCase{"LongerThanTheBuffer", GedcomCharset::Utf8, 1, "NOTE", " ",
                    std::string(kGedcomWriteBufferSize + 10, 'n') + "@"},
        TagLineCase{"OtherCharset", GedcomCharset::Windows1252, 3, "PAGE", " ", "Caf\xC3\xA9 @ 4"}),
    [](const testing::TestParamInfo<TagLineCase>& info) { return info.param.name; });

struct EncodedLineCase {
    const char* name;
    GedcomCharset charset;
    std::string value;
};

class GedcomLineEncodingTest : public testing::TestWithParam<EncodedLineCase> {};

/// Every way a line is written (a tag line, a held line written by the line below it, a
/// composed line, a line longer than the buffer) gives bytes that read back in the set as the
/// line's text, its at signs doubled.
TEST_P(GedcomLineEncodingTest, LinesReadBackAsTheirText)
{
    const EncodedLineCase& c = GetParam();
    const std::string longValue = std::string(kGedcomWriteBufferSize, 'n') + c.value;
    const std::string written = Written(c.charset, [&] {
        HoldGedcomTagLine(1, "BIRT", "");
        const bool ok = WriteGedcomTagLine(2, "PLAC", " ", c.value) &&
                        WriteGedcomLine("2 NOTE ", c.value) &&
                        WriteGedcomTagLine(3, "CONC", " ", longValue);
        return ReleaseGedcomTagLine() && ok;
    });
    std::string read;
    EXPECT_EQ(DecodeGedcomText(c.charset, written, read), 0u);
    std::string doubled;
    for (const char ch : c.value)
        doubled += ch == '@' ? std::string("@@") : std::string(1, ch);
    const std::string lines = "1 BIRT\r2 PLAC " + doubled + "\r2 NOTE " + doubled + "\r3 CONC " +
                              std::string(kGedcomWriteBufferSize, 'n') + doubled + "\r";
    ASSERT_GE(read.size(), lines.size());
    EXPECT_EQ(read.substr(read.size() - lines.size()), lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GedcomLineEncodingTest,
    testing::Values(
        EncodedLineCase{"Utf8", GedcomCharset::Utf8, "Z\u00FCrich @ \U0001F600 and more text"},
        EncodedLineCase{"Utf16Le", GedcomCharset::Utf16Le,
                        "Saint-\u00C9tienne, Loire, France @ \U0001F600 over sixteen bytes"},
        EncodedLineCase{"Utf16Be", GedcomCharset::Utf16Be, "a@b \u0141\u00F3d\u017A, Poland."},
        EncodedLineCase{"Utf16Ascii", GedcomCharset::Utf16Le, "Ludlow, Shropshire, England"},
        EncodedLineCase{"AnselMarks", GedcomCharset::Ansel,
                        "Jos\u00E9 Q\u030C @ \u1EC7 \u0141\u00F3d\u017A and some more"},
        EncodedLineCase{"Windows1252", GedcomCharset::Windows1252, "Caf\u00E9 \u20AC @ 4"},
        EncodedLineCase{"Latin1", GedcomCharset::Latin1, "Caf\u00E9 @ na\u00EFve"},
        EncodedLineCase{"Cp437", GedcomCharset::Cp437, "Caf\u00E9 \u2554\u2550 @ \u00DF"},
        EncodedLineCase{"AsciiInEverySet", GedcomCharset::Ansel,
                        "plain @ text of forty bytes or so"}),
    [](const testing::TestParamInfo<EncodedLineCase>& info) { return info.param.name; });

TEST(GedcomLineSinkTest, ValuesOfEveryLengthHaveEachAtDoubled)
{
    std::vector<std::string> values;
    for (std::size_t n = 0; n < 40; ++n) {
        for (const std::size_t at : {n, std::size_t(0), n / 2, n - 1, n - 8}) {
            std::string value(n, 'v');
            if (at < n)
                value[at] = '@';
            values.push_back(value);
        }
    }
    std::string expected;
    const std::string written = Written(GedcomCharset::Utf8, [&] {
        bool ok = true;
        for (const std::string& value : values) {
            ok = ok && WriteGedcomTagLine(1, "NOTE", " ", value);
            std::string doubled;
            for (const char ch : value)
                doubled += ch == '@' ? std::string("@@") : std::string(1, ch);
            expected += "1 NOTE " + doubled + "\r";
        }
        return ok;
    });
    EXPECT_TRUE(written.ends_with(expected));
}

TEST(GedcomLineSinkTest, TagsAndRestsOfEveryLengthShowTheirLettersBeyondAscii)
{
    // Short pieces are copied a few bytes at a time: a letter beyond ASCII at any place of a tag
    // or of the text after it still makes the line encoded in the file's set.
    std::vector<std::pair<std::string, std::string>> lines;
    for (std::size_t n = 1; n < 14; ++n) {
        for (std::size_t at = 0; at + 1 < n; ++at) {
            std::string piece(n, 't');
            piece.replace(at, 2, "\xC3\xA9");
            lines.emplace_back(piece, " x");
            lines.emplace_back("NOTE", " " + piece);
        }
        lines.emplace_back(std::string(n, 'T'), std::string(n, 'r'));
    }
    std::string expected;
    for (const auto& [tag, rest] : lines) {
        EXPECT_TRUE(EncodeGedcomText(GedcomCharset::Ansel, "2 " + tag + rest, expected));
        expected += "\r";
    }
    const std::string written = Written(GedcomCharset::Ansel, [&] {
        bool ok = true;
        for (const auto& [tag, rest] : lines)
            ok = ok && WriteGedcomTagLine(2, tag, rest);
        return ok;
    });
    EXPECT_TRUE(written.ends_with(expected));
}

TEST(GedcomLineSinkTest, HeldLinesAreWrittenOnceOutermostFirstWhenALineFollows)
{
    const std::string written = Written(GedcomCharset::Utf8, [] {
        HoldGedcomTagLine(11, "EVEN", " Y");
        HoldGedcomTagLine(12, "PLAC", "");
        bool ok = !ReleaseGedcomTagLine();
        HoldGedcomTagLine(12, "DATE", "");
        ok = ok && WriteGedcomTagLine(13, "NOTE", " ", "a@b") &&
             WriteGedcomTagLine(13, "NOTE", " ", "c") && ReleaseGedcomTagLine() &&
             ReleaseGedcomTagLine();
        HoldGedcomTagLine(1, "CHAN", "");
        return ok && !ReleaseGedcomTagLine();
    });
    EXPECT_TRUE(written.ends_with("England\r11 EVEN Y\r12 DATE\r13 NOTE a@@b\r13 NOTE c\r"))
        << written.substr(written.size() - 60);
}

TEST(GedcomLineSinkTest, AProbeTellsWhetherAWriterWritesAndWritesNothing)
{
    const std::string written = Written(GedcomCharset::Utf8, [] {
        HoldGedcomTagLine(1, "BIRT", "");
        int linesTried = 0;
        const auto heldTagAlone = [] {
            HoldGedcomTagLine(2, "PLAC", "");
            return ReleaseGedcomTagLine();
        };
        const auto twoLines = [&linesTried] {
            ++linesTried;
            if (!WriteGedcomTagLine(2, "DATE", " 1900"))
                return false;
            ++linesTried;
            return WriteGedcomLine("2 NOTE x");
        };
        EXPECT_FALSE(WritesAnyGedcomLine(heldTagAlone));
        EXPECT_TRUE(WritesAnyGedcomLine(twoLines));
        EXPECT_EQ(linesTried, 1) << "the writer stops at the first line refused";
        // The line held before the probes is still held, and lines are written again.
        return WriteGedcomTagLine(2, "DATE", " 1901") && ReleaseGedcomTagLine();
    });
    EXPECT_TRUE(written.ends_with("England\r1 BIRT\r2 DATE 1901\r"))
        << written.substr(written.size() - 60);
}

TEST(GedcomLineSinkTest, LineThatDoesNotFitTheSetWritesNothing)
{
    const std::string written = Written(GedcomCharset::Ansel, [] {
        const bool refused = !WriteGedcomTagLine(1, "NAME", " ", "\u0418\u0432\u0430\u043D");
        EXPECT_TRUE(GedcomLineDidNotFit());
        return refused;
    });
    EXPECT_TRUE(written.ends_with("England\r"));
}

TEST(GedcomLineSinkTest, LinesReadBackThroughTheBufferedReader)
{
    const std::string path = test_support::NewFolder("sink") + "/out.ged";
    ASSERT_TRUE(OpenGedcomInputFile(path, true));
    for (int i = 0; i < 2000; ++i)
        ASSERT_TRUE(WriteGedcomLine("1 NOTE ", "line " + std::to_string(i) + " @"));
    ASSERT_TRUE(CloseGedcomInputFile());
    ASSERT_TRUE(OpenGedcomInputFile(path, false));
    std::string line;
    bool complete = false;
    for (int i = 0; i < 2000; ++i) {
        ASSERT_FALSE(ReadGedcomInputLine(line, complete, 256));
        ASSERT_EQ(line, "1 NOTE line " + std::to_string(i) + " @@");
    }
    EXPECT_TRUE(ReadGedcomInputLine(line, complete, 256));
    EXPECT_TRUE(line.empty());
    EXPECT_TRUE(CloseGedcomInputFile());
}

TEST(GedcomLineSinkTest, StopsAtTheFirstFailedWrite)
{
    const std::string folder = test_support::NewFolder("sink");
    const std::string path = test_support::WriteFile(folder + "/out.ged", "original");
    ASSERT_TRUE(OpenGedcomInputFile(path, true));
    int written = 0;
    {
        const FileSizeLimit limit(20000);
        while (written < 100000 && WriteGedcomLine("1 NOTE ", std::string(70, 'n')))
            ++written;
        EXPECT_LT(written, 100000);
        EXPECT_FALSE(WriteGedcomLine("0 TRLR"));
    }
    EXPECT_FALSE(WriteGedcomLine("0 TRLR"));
    EXPECT_FALSE(CloseGedcomInputFile());
    EXPECT_EQ(test_support::ReadFile(path), "original");
}

TEST(GedcomLineSinkTest, RefusesLinesWhenNoFileIsOpenForWriting)
{
    EXPECT_FALSE(WriteGedcomLine("0 HEAD"));
    const std::string path =
        test_support::WriteFile(test_support::NewFolder("sink") + "/in.ged", "0 HEAD\r\n");
    ASSERT_TRUE(OpenGedcomInputFile(path, false));
    EXPECT_FALSE(WriteGedcomLine("0 TRLR"));
    EXPECT_TRUE(CloseGedcomInputFile());
    EXPECT_EQ(test_support::ReadFile(path), "0 HEAD\r\n");
}

} // namespace
