// tests/database/gedcom/gedcom_line_reader_test.cpp: the GEDCOM line grammar, reading lines in
// every character set, and continuation volumes.
#include "database/gedcom/buffered_file.h"
#include "database/gedcom/gedcom_line_reader.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>

namespace {

/// One answer of ReadGedcomLine with the line counter after it.
struct Read {
    int status;
    int counter;
    int level;
    std::string xref, tag, value;
    bool operator==(const Read&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Read& r)
{
    return out << r.status << " l." << r.counter << " [" << r.level << "|" << r.xref << "|" << r.tag
               << "|" << r.value << "]";
}

/// Every line of the input until its end, then closes it.
std::vector<Read> ReadAll()
{
    std::vector<Read> reads;
    int counter = 0;
    GedcomLine line;
    for (int status; (status = ReadGedcomLine(line, counter)) != kGedcomInputEnd;) {
        reads.push_back({status, counter, line.level, std::string(line.xref), std::string(line.tag),
                         std::string(line.value)});
        if (reads.size() > 100000)
            break;
    }
    CloseGedcomInput();
    return reads;
}

/// The UTF-16 bytes of text, low byte first unless bigEndian.
std::string Utf16(std::u16string_view text, bool bigEndian = false)
{
    std::string bytes;
    for (const char16_t unit : text) {
        const char high = char(unit >> 8), low = char(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

std::vector<Read> ReadBytes(std::string_view bytes)
{
    const std::string path =
        test_support::WriteFile(test_support::NewFolder("lines") + "/t.ged", bytes);
    EXPECT_TRUE(OpenGedcomInput(path, false, true));
    return ReadAll();
}

std::vector<Read> ReadPath(const std::string& path)
{
    EXPECT_TRUE(OpenGedcomInput(path, false, true)) << path;
    return ReadAll();
}

/// The lines of UTF-8 text split at CR LF and parsed, as ReadGedcomLine would deliver them.
std::vector<Read> ParseText(std::string_view text)
{
    std::vector<Read> reads;
    int counter = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find("\r\n", start), text.size());
        GedcomLine line;
        ++counter;
        if (ParseGedcomLine(text.substr(start, end - start), line) == kGedcomParsedValid)
            reads.push_back({kGedcomLineReady, counter, line.level, std::string(line.xref),
                             std::string(line.tag), std::string(line.value)});
        start = end + 2;
    }
    return reads;
}

std::vector<Read> Expected(const std::string& name)
{
    return ParseText(test_support::ReadFile(test_support::DataPath("gedcom/expected/" + name)));
}

struct ParseCase {
    const char* name;
    std::string text;
    int status, level;
    std::string xref, tag, value;
};

class GedcomLineParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(GedcomLineParseTest, SplitsTheLine)
{
    const ParseCase& c = GetParam();
    GedcomLine line{7, "old", "OLD", "old"};
    EXPECT_EQ(ParseGedcomLine(c.text, line), c.status);
    EXPECT_EQ(line.level, c.level);
    EXPECT_EQ(line.xref, c.xref);
    EXPECT_EQ(line.tag, c.tag);
    EXPECT_EQ(line.value, c.value);
}

const std::string k50(50, 'X');
constexpr int kValid = kGedcomParsedValid, kInvalid = kGedcomParsedInvalid;

INSTANTIATE_TEST_SUITE_P(
    Cases, GedcomLineParseTest,
    testing::Values(
        ParseCase{"Record", "0 @I1@ INDI", kValid, 0, "I1", "INDI", ""},
        ParseCase{"NoBlankAfterXref", "0 @I1@INDI", kValid, 0, "I1", "INDI", ""},
        ParseCase{"TrailingBlanksKept", "1 NAME John /Smith/  ", kValid, 1, "", "NAME",
                  "John /Smith/  "},
        ParseCase{"OneDelimiterAfterTheTag", " \t2  DATE  1 JAN 1900", kValid, 2, "", "DATE",
                  " 1 JAN 1900"},
        ParseCase{"ContKeepsLeadingBlanks", "2 CONT   indented", kValid, 2, "", "CONT",
                  "  indented"},
        ParseCase{"ConcKeepsLeadingBlanks", "2 CONC   indented", kValid, 2, "", "CONC",
                  "  indented"},
        ParseCase{"OnlyBlanksAfterTheDelimiter", "2 CONC    ", kValid, 2, "", "CONC", "   "},
        ParseCase{"ContAlone", "2 CONT", kValid, 2, "", "CONT", ""},
        ParseCase{"TagEndsAtOtherCharacter", "1 _UID:9F2A", kValid, 1, "", "_UID", ":9F2A"},
        ParseCase{"Xref50", "0 @" + k50 + "@ NOTE", kValid, 0, k50, "NOTE", ""},
        ParseCase{"Xref51", "0 @" + k50 + "Y@ NOTE", kInvalid, 0, "", "", ""},
        ParseCase{"Tag50", "1 " + k50 + " x", kValid, 1, "", k50, "x"},
        ParseCase{"Tag51", "1 " + k50 + "Y x", kInvalid, 1, "", "", ""},
        ParseCase{"NoBlankAfterLevel", "1NAME x", kInvalid, 1, "", "", ""},
        ParseCase{"StartsWithLetter", "NAME x", kInvalid, -1, "", "", ""},
        ParseCase{"XrefNotClosed", "0 @I1 INDI", kInvalid, 0, "", "", ""},
        ParseCase{"NoTag", "1 @I1@", kInvalid, 1, "", "", ""},
        ParseCase{"Blank", " \t ", kGedcomParsedBlank, -1, "", "", ""}),
    [](const testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

TEST(GedcomLineParseTest, IdentifierLimitCountsCharacters)
{
    std::string fifty;
    for (int i = 0; i < 50; ++i)
        fifty += "\u00E9";
    GedcomLine line;
    const std::string atLimit = "0 @" + fifty + "@ NOTE";
    EXPECT_EQ(ParseGedcomLine(atLimit, line), kValid);
    EXPECT_EQ(line.xref, fifty);
    EXPECT_EQ(ParseGedcomLine("0 @" + fifty + "e@ NOTE", line), kInvalid);
}

TEST(GedcomLineReaderTest, BlankLinesAreCountedAndLastLineWithoutEndIsDelivered)
{
    const std::vector<Read> expected = {
        {kGedcomLineReady, 1, 0, "", "HEAD", ""},
        {kGedcomLineInvalid, 4, -1, "", "", "JUNK line"},
        {kGedcomLineInvalid, 5, 1, "", "", "1NAME x"},
        {kGedcomLineReady, 6, 0, "", "TRLR", ""},
    };
    EXPECT_EQ(ReadBytes("0 HEAD\r\n\r\n  \t \r\nJUNK line\r\n1NAME x\n0 TRLR"), expected);
}

TEST(GedcomLineReaderTest, AnIdentifierLeftOpenDoesNotCloseOnTheNextLine)
{
    // The closing "@" is looked for in blocks that may reach into the lines after: one found
    // there leaves the line invalid, whatever the length of the identifier.
    const std::string id(20, 'I');
    const std::vector<Read> expected = {
        {kGedcomLineInvalid, 1, 0, "", "", "0 @I1"},    {kGedcomLineReady, 2, 1, "", "NOTE", "@X@"},
        {kGedcomLineInvalid, 3, 0, "", "", "0 @" + id}, {kGedcomLineReady, 4, 1, "X", "NOTE", ""},
        {kGedcomLineReady, 5, 0, id, "INDI", ""},
    };
    EXPECT_EQ(
        ReadBytes("0 @I1\r\n1 NOTE @X@\r\n0 @" + id + "\r\n1 @X@ NOTE\r\n0 @" + id + "@ INDI\r\n"),
        expected);
}

TEST(GedcomLineReaderTest, LongLineArrivesWhole)
{
    const std::string note(600, 'n');
    const std::vector<Read> expected = {{kGedcomLineReady, 1, 1, "", "NOTE", note},
                                        {kGedcomLineReady, 2, 1, "", "CONT", note + "x"}};
    EXPECT_EQ(ReadBytes("1 NOTE " + note + "\r\n1 CONT " + note + "x"), expected);
}

TEST(GedcomLineReaderTest, BytesOutsideTheSetAreReadAndCounted)
{
    const std::vector<Read> reads = ReadBytes("0 HEAD\r\n1 CHAR UTF-8\r\n1 NOTE caf\xE9\r\n");
    ASSERT_EQ(reads.size(), 3u);
    EXPECT_EQ(reads[2].value, "caf\u00E9");
    EXPECT_EQ(GetGedcomInputFallbackCount(), 1u);
}

TEST(GedcomLineReaderTest, AByteOutsideTheSetIsFoundAnywhereInLinesOfAnyLength)
{
    // Lines are tested for plain ASCII a word at a time: every length and place must be seen.
    // Short lines are invalid ones, whose value is the whole line.
    std::string bytes = "0 HEAD\r\n1 CHAR UTF-8\r\n";
    std::vector<std::string> values;
    for (std::size_t size = 1; size <= 20; ++size) {
        for (std::size_t at = 0; at < size; ++at) {
            const std::string prefix = size < 8 ? "" : "1 _A ";
            std::string value(size, 'v');
            value[at] = '\xE9';
            bytes += prefix + value + "\r\n";
            value.replace(at, 1, "\u00E9");
            values.push_back(value);
        }
    }
    const std::vector<Read> reads = ReadBytes(bytes);
    ASSERT_EQ(reads.size(), values.size() + 2);
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(reads[i + 2].value, values[i]);
    EXPECT_EQ(GetGedcomInputFallbackCount(), values.size());
}

// The reader splits most lines straight from the file's buffer and leaves the others to the
// general path: lines of every kind, after every terminator and falling at every place against
// the buffer's end, must come out as the grammar splits them, counted alike.
TEST(GedcomLineReaderTest, EveryLineReadsAsTheGrammarSplitsIt)
{
    const std::string tag50(50, 'T');
    const std::vector<std::string> kinds = {"1 NAME John /Smith/",
                                            "2 DATE 1 JAN 1900",
                                            "1 SEX",
                                            "1 SEX ",
                                            "1 NOTE  two blanks ",
                                            "1 NOTE\ttab",
                                            "1 NOTE\vvertical",
                                            "1 _X\fform feed",
                                            "1 NAME-x",
                                            "1 N@ME v",
                                            "12 NOTE twelve",
                                            "1  NAME two blanks before",
                                            " 1 NAME blank first",
                                            "0 @I1@ INDI",
                                            "0 @@ INDI",
                                            "0 @I1@INDI",
                                            "0 @I1@ \t INDI v",
                                            "0 @I1@ IN@DI",
                                            "0 @I1 INDI",
                                            "0 @I1@",
                                            "0 @I1@ ",
                                            "0 @" + tag50 + "@ NOTE",
                                            "0 @" + tag50 + "X@ NOTE",
                                            "1 @I1@ x",
                                            "1 " + tag50 + " v",
                                            "1 " + tag50 + "U v",
                                            "1 " + tag50 + "U",
                                            "1 NOTE caf\xC3\xA9 au lait, long enough to span",
                                            "1 NOTE \xC3\xA9",
                                            "x junk",
                                            "\x01 control first",
                                            "\xC3\xA9 accent first",
                                            " \t ",
                                            "9 Z"};
    const char* terminators[] = {"\r\n", "\n", "\r", "\n\r", "\r\r", "\n\n"};
    std::string bytes = "0 HEAD\r\n1 CHAR UTF-8\r\n";
    std::vector<Read> expected = {{kGedcomLineReady, 1, 0, "", "HEAD", ""},
                                  {kGedcomLineReady, 2, 1, "", "CHAR", "UTF-8"}};
    int counter = 2;
    for (int i = 0; bytes.size() < 3 * std::size_t(kGedcomBufferSize); ++i) {
        // Before each end of the buffer, one line whose CR LF has its CR as the buffer's last
        // byte and its LF as the next buffer's first; every other one holds UTF-8 beyond ASCII.
        const std::size_t buffer = bytes.size() / kGedcomBufferSize;
        const std::size_t room = (buffer + 1) * std::size_t(kGedcomBufferSize) - 1 - bytes.size();
        const bool split = room >= 10 && room <= 80;
        const std::string note = buffer % 2 ? "1 NOTE \xC3\xA9" : "1 NOTE ss";
        const std::string pad = split ? note + std::string(room - 9, 's')
                                      : "1 NOTE " + std::string(std::size_t(i % 37), 'p');
        for (const std::string& text : {pad, kinds[std::size_t(i) % kinds.size()]}) {
            bytes += text + (split && text == pad ? "\r\n" : terminators[std::size_t(i) % 6]);
            ++counter;
            GedcomLine line;
            const int parsed = ParseGedcomLine(text, line);
            if (parsed == kGedcomParsedValid)
                expected.push_back({kGedcomLineReady, counter, line.level, std::string(line.xref),
                                    std::string(line.tag), std::string(line.value)});
            else if (parsed == kGedcomParsedInvalid)
                expected.push_back({kGedcomLineInvalid, counter, line.level, "", "", text});
        }
    }
    const std::vector<Read> reads = ReadBytes(bytes + "0 TRLR");
    ASSERT_EQ(reads.size(), expected.size() + 1);
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(reads[i], expected[i]) << "line " << i;
    EXPECT_EQ(reads.back(), (Read{kGedcomLineReady, counter + 1, 0, "", "TRLR", ""}));
}

TEST(GedcomLineReaderTest, ZeroBytesAreRemovedAnywhereInLinesOfAnyLengthAndSaidSo)
{
    // Lines are tested for zero bytes a word at a time: every length and place must be seen,
    // with and without a byte outside ASCII in the same line.
    std::string bytes = "0 HEAD\r\n1 CHAR UTF-8\r\n";
    std::vector<std::string> values;
    for (const bool accent : {false, true}) {
        // A line of one zero byte would be blank.
        for (std::size_t size = 2; size <= 20; ++size) {
            for (std::size_t at = 0; at < size; ++at) {
                const std::string prefix = size < 8 ? "" : "1 _A ";
                std::string value(size, 'v');
                if (accent)
                    value[size - 1 - at] = '\xE9';
                value[at] = '\0';
                bytes += prefix + value + "\r\n";
                std::erase(value, '\0');
                if (const std::size_t e = value.find('\xE9'); e != std::string::npos)
                    value.replace(e, 1, "\u00E9");
                values.push_back(value);
            }
        }
    }
    const std::string path =
        test_support::WriteFile(test_support::NewFolder("lines") + "/zero.ged", bytes);
    ASSERT_TRUE(OpenGedcomInput(path, false, true));
    GedcomLine line;
    int counter = 0;
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(ReadGedcomLine(line, counter), kGedcomLineReady);
        EXPECT_FALSE(line.zeroBytesRemoved) << line.tag;
    }
    for (const std::string& value : values) {
        ASSERT_NE(ReadGedcomLine(line, counter), kGedcomInputEnd) << value;
        EXPECT_EQ(line.value, value) << "line " << counter;
        EXPECT_TRUE(line.zeroBytesRemoved) << "line " << counter;
    }
    EXPECT_EQ(ReadGedcomLine(line, counter), kGedcomInputEnd);
    CloseGedcomInput();
}

TEST(GedcomLineReaderTest, AnOddByteAnywhereInALineIsFoundWhateverTheLineEnd)
{
    // Lines are searched for their end and for zero bytes and bytes outside ASCII in blocks:
    // such a byte at every place of lines of every length, up to three blocks of thirty-two
    // bytes long, must be found, before each of the line ends, and the line then read as its
    // text splits.
    std::string bytes = "0 HEAD\r\n1 CHAR UTF-8\r\n";
    std::vector<std::string> texts;
    const char* terminators[] = {"\r\n", "\n", "\r", "\n\r"};
    int index = 0;
    for (const char odd : {'\xE9', '\0', '\x80'}) {
        for (std::size_t size = 3; size <= 96; ++size) {
            for (std::size_t at = 0; at < size; ++at, ++index) {
                std::string text = (index % 2 ? "0 @I1@ NOTE " : "1 NOTE ") + std::string(96, 'v');
                text.resize(size);
                text[at] = odd;
                bytes += text + terminators[index % 4];
                std::erase(text, '\0');
                if (const std::size_t e = text.find('\xE9'); e != std::string::npos)
                    text.replace(e, 1, "\u00E9");
                if (const std::size_t e = text.find('\x80'); e != std::string::npos)
                    text.replace(e, 1, "\u20AC");
                texts.push_back(text);
            }
        }
    }
    const std::string path =
        test_support::WriteFile(test_support::NewFolder("lines") + "/odd.ged", bytes);
    ASSERT_TRUE(OpenGedcomInput(path, false, true));
    GedcomLine read;
    int counter = 0;
    for (int i = 0; i < 2; ++i)
        ASSERT_EQ(ReadGedcomLine(read, counter), kGedcomLineReady);
    for (const std::string& text : texts) {
        GedcomLine expected;
        const int parsed = ParseGedcomLine(text, expected);
        if (parsed == kGedcomParsedBlank)
            continue;
        const int status = ReadGedcomLine(read, counter);
        ASSERT_EQ(status, parsed == kGedcomParsedValid ? kGedcomLineReady : kGedcomLineInvalid)
            << text;
        EXPECT_EQ(read.level, expected.level) << text;
        if (status == kGedcomLineInvalid) {
            EXPECT_EQ(read.value, text);
            continue;
        }
        EXPECT_EQ(read.xref, expected.xref) << text;
        EXPECT_EQ(read.tag, expected.tag) << text;
        EXPECT_EQ(read.value, expected.value) << text;
    }
    EXPECT_EQ(ReadGedcomLine(read, counter), kGedcomInputEnd);
    CloseGedcomInput();
}

TEST(GedcomLineReaderTest, LinesBeyondAsciiReadAsTheirSetDecodesThem)
{
    // A line of UTF-8 sequences is split where it stands in a set whose lines read as UTF-8 as
    // they stand (UTF-8, and ANSEL, which takes valid UTF-8 for UTF-8); any line that does not
    // decode to itself must still be decoded: sequences cut, overlong, of surrogates or beyond
    // U+10FFFF, a lone continuation byte, at every place of values of every length.
    const std::vector<std::string> sequences = {
        "\xC3\xA9",         "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF",
        "\xEF\xBB\xBF",     "\xC3",         "\xE2\x82",         "\xC0\x80",
        "\xE0\x9F\xBF",     "\xED\xA0\x80", "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80",
        "\xF5\x80\x80\x80", "\x80",         "\xC3\xA9\xA9"};
    const char* terminators[] = {"\r\n", "\n", "\r", "\n\r"};
    for (const auto& [name, set] :
         {std::pair{"UTF-8", GedcomCharset::Utf8}, std::pair{"ANSEL", GedcomCharset::Ansel},
          std::pair{"ASCII", GedcomCharset::Ascii}}) {
        std::string bytes = std::string("0 HEAD\r\n1 CHAR ") + name + "\r\n";
        std::vector<std::string> texts;
        std::size_t fallbacks = 0;
        int index = 0;
        for (const std::string& sequence : sequences) {
            for (std::size_t size = 0; size <= 40; size += 5) {
                for (std::size_t at = 0; at <= size; ++at, ++index) {
                    std::string value(size, 'v');
                    value.insert(at, sequence);
                    const std::string text = (index % 2 ? "0 @I1@ NOTE " : "1 NOTE ") + value;
                    bytes += text + terminators[index % 4];
                    std::string decoded;
                    fallbacks += DecodeGedcomText(set, text, decoded);
                    texts.push_back(decoded);
                }
            }
        }
        const std::vector<Read> reads = ReadBytes(bytes);
        ASSERT_EQ(reads.size(), texts.size() + 2) << name;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            GedcomLine expected;
            ASSERT_EQ(ParseGedcomLine(texts[i], expected), kGedcomParsedValid);
            EXPECT_EQ(reads[i + 2], (Read{kGedcomLineReady, int(i) + 3, expected.level,
                                          std::string(expected.xref), std::string(expected.tag),
                                          std::string(expected.value)}))
                << name << " " << texts[i];
        }
        EXPECT_EQ(GetGedcomInputFallbackCount(), fallbacks) << name;
    }
}

TEST(GedcomLineReaderTest, ALineOfZeroBytesIsBlankAndTheNextLineIsNotMarked)
{
    using namespace std::string_view_literals;
    const std::string_view bytes = "0 HEAD\r\n\0\0 \0\r\n1 NOTE a\0b\r\n1 CONT c\r\n"sv;
    const std::string path =
        test_support::WriteFile(test_support::NewFolder("lines") + "/zero.ged", bytes);
    ASSERT_TRUE(OpenGedcomInput(path, false, true));
    GedcomLine line;
    int counter = 0;
    ASSERT_EQ(ReadGedcomLine(line, counter), kGedcomLineReady);
    ASSERT_EQ(ReadGedcomLine(line, counter), kGedcomLineReady);
    EXPECT_EQ(counter, 3) << "the line of zero bytes is passed over but counted";
    EXPECT_EQ(line.value, "ab");
    EXPECT_TRUE(line.zeroBytesRemoved);
    ASSERT_EQ(ReadGedcomLine(line, counter), kGedcomLineReady);
    EXPECT_EQ(line.value, "c");
    EXPECT_FALSE(line.zeroBytesRemoved);
    CloseGedcomInput();
}

TEST(GedcomLineReaderTest, ControlCharactersStayInTheLineAndMarkIt)
{
    // Each control character at every place of values of every length, read both the common
    // way (a line in the reader's buffer) and the general way (after a line with an accent).
    std::string bytes = "0 HEAD\r\n1 CHAR UTF-8\r\n";
    struct Expected {
        std::string value;
        bool control;
    };
    std::vector<Expected> expected;
    for (const char control : {'\x01', '\x07', '\x1A', '\x1B', '\x1F', '\t'}) {
        for (std::size_t size = 1; size <= 18; ++size) {
            for (std::size_t at = 0; at < size; ++at) {
                std::string value(size, 'v');
                value[at] = control;
                if (value.find_first_not_of(" \t") == std::string::npos)
                    continue;
                bytes += "1 _A " + value + "\r\n1 _B \u00E9" + value + "\r\n";
                expected.push_back({value, control != '\t'});
                expected.push_back({"\u00E9" + value, control != '\t'});
            }
        }
    }
    const std::string path =
        test_support::WriteFile(test_support::NewFolder("lines") + "/control.ged", bytes);
    ASSERT_TRUE(OpenGedcomInput(path, false, true));
    GedcomLine line;
    int counter = 0;
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(ReadGedcomLine(line, counter), kGedcomLineReady);
        EXPECT_FALSE(line.controlCharacters) << line.tag;
    }
    for (const Expected& e : expected) {
        ASSERT_EQ(ReadGedcomLine(line, counter), kGedcomLineReady) << "line " << counter;
        EXPECT_EQ(line.value, e.value) << "line " << counter;
        EXPECT_EQ(line.controlCharacters, e.control) << "line " << counter;
        EXPECT_FALSE(line.zeroBytesRemoved) << "line " << counter;
    }
    EXPECT_EQ(ReadGedcomLine(line, counter), kGedcomInputEnd);
    CloseGedcomInput();
}

TEST(GedcomLineReaderTest, AnselMarksEndingAValueGoToTheConcLineAfterIt)
{
    const std::vector<Read> expected = {
        {kGedcomLineReady, 1, 0, "", "HEAD", ""},
        {kGedcomLineReady, 2, 1, "", "CHAR", "ANSEL"},
        {kGedcomLineReady, 3, 0, "N1", "NOTE", "Jos"},
        {kGedcomLineReady, 4, 1, "", "CONC", "\u00E9 Mar"},
        {kGedcomLineReady, 5, 1, "", "CONC", "\u0131\u0301"},
        {kGedcomLineReady, 6, 1, "", "CONT", "a"},
    };
    EXPECT_EQ(ReadBytes("0 HEAD\r\n1 CHAR ANSEL\r\n0 @N1@ NOTE Jos\xE2\r\n1 CONC e Mar\r\n"
                        "1 CONC \xB8\xE2\r\n1 CONT a\r\n"),
              expected);
}

TEST(GedcomLineReaderTest, Utf16LinesSplitOnlyAtLineEnds)
{
    // U+010D and U+0A0D hold the bytes of CR and LF.
    const std::vector<Read> expected = {{kGedcomLineReady, 1, 0, "", "HEAD", ""},
                                        {kGedcomLineReady, 2, 1, "", "NOTE", "\u010D\u0A0D"}};
    EXPECT_EQ(ReadBytes("\xFF\xFE" + Utf16(u"0 HEAD\r\n1 NOTE \u010D\u0A0D")), expected);
    EXPECT_EQ(GetGedcomInputFallbackCount(), 0u);
    ReadBytes("\xFF\xFE" + Utf16(u"0 HEAD\r\n1 NOTE \xDC00\r\n"));
    EXPECT_EQ(GetGedcomInputFallbackCount(), 1u) << "a lone surrogate is counted";
}

struct SampleCase {
    const char* file;
    GedcomEncoding encoding;
    std::string note;
};

class GedcomLineReaderSampleTest : public testing::TestWithParam<SampleCase> {};

TEST_P(GedcomLineReaderSampleTest, ReadsTheNoteOfEachSet)
{
    const SampleCase& c = GetParam();
    const std::vector<Read> reads =
        ReadPath(test_support::DataPath(std::string("gedcom/") + c.file));
    EXPECT_EQ(GetGedcomInputEncoding(), c.encoding);
    ASSERT_GE(reads.size(), 2u);
    EXPECT_EQ(reads.front().tag, "HEAD");
    EXPECT_EQ(reads.back().tag, "TRLR");
    const auto note =
        std::find_if(reads.begin(), reads.end(), [](const Read& r) { return r.tag == "NOTE"; });
    EXPECT_EQ(note == reads.end() ? "" : note->value, c.note);
}

const std::string kSymbols = ": \u00B6 \u263A \U00012345";

INSTANTIATE_TEST_SUITE_P(
    Files, GedcomLineReaderSampleTest,
    testing::Values(
        SampleCase{"char_ascii_1.ged", {GedcomCharset::Ascii, false}, ""},
        SampleCase{"char_ascii_2.ged", {GedcomCharset::Latin1, false}, ""},
        SampleCase{"char_utf8-1.ged", {GedcomCharset::Utf8, false}, "UTF-8 without BOM" + kSymbols},
        SampleCase{"char_utf8-2.ged",
                   {GedcomCharset::Utf8, false},
                   "UTF-8 without BOM mislabeled as UNICODE" + kSymbols},
        SampleCase{"char_utf8-3.ged", {GedcomCharset::Utf8, true}, "UTF-8 with BOM" + kSymbols},
        SampleCase{"char_utf16be-1.ged",
                   {GedcomCharset::Utf16Be, false},
                   "UTF-16BE without BOM" + kSymbols},
        SampleCase{
            "char_utf16be-2.ged", {GedcomCharset::Utf16Be, true}, "UTF-16BE with BOM" + kSymbols},
        SampleCase{"char_utf16le-1.ged",
                   {GedcomCharset::Utf16Le, false},
                   "UTF-16LE without BOM" + kSymbols},
        SampleCase{
            "char_utf16le-2.ged", {GedcomCharset::Utf16Le, true}, "UTF-16LE with BOM" + kSymbols}),
    [](const testing::TestParamInfo<SampleCase>& info) {
        std::string name = info.param.file;
        std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
        return name;
    });

TEST(GedcomLineReaderTest, Utf16SampleFilesReadAsTheirUtf8Conversion)
{
    for (const char* file : {"ULHBOMCL", "UHLBOMCL", "ULHCL"}) {
        const std::string name = file;
        const std::vector<Read> utf16 = ReadPath(test_support::DataPath("gedcom/" + name + ".GED"));
        EXPECT_EQ(GetGedcomInputFallbackCount(), 0u);
        EXPECT_GT(utf16.size(), 300u) << file;
        EXPECT_EQ(utf16, Expected(name + ".utf8.ged")) << file;
    }
}

class GedcomVolumeTest : public testing::Test {
protected:
    std::string Volume(const std::string& name, std::string_view bytes)
    {
        return test_support::WriteFile(m_folder + "/" + name, bytes);
    }
    std::vector<std::string> Tags(const std::string& first, bool remember = true)
    {
        EXPECT_TRUE(OpenGedcomInput(first, false, remember));
        std::vector<std::string> tags;
        for (const Read& r : ReadAll())
            tags.push_back(r.tag + "@" + std::to_string(r.counter));
        return tags;
    }

    std::string m_folder = test_support::NewFolder("volumes");
};

TEST_F(GedcomVolumeTest, ReadingContinuesIntoTheVolumesWhateverTheirCase)
{
    const std::string first = Volume("tree.ged", "0 HEAD\r\n1 CHAR ANSEL\r\n");
    Volume("tree.g00", "1 NOTE Jos\xE2\x65\r\n");
    Volume("tree.G01", "0 TRLR");
    EXPECT_EQ(Tags("\"" + first + "\""),
              (std::vector<std::string>{"HEAD@1", "CHAR@2", "NOTE@3", "TRLR@4"}));
    EXPECT_TRUE(OpenGedcomInput(first, false, true));
    std::vector<Read> reads = ReadAll();
    ASSERT_EQ(reads.size(), 4u);
    EXPECT_EQ(reads[2].value, "Jos\u00E9");
}

TEST_F(GedcomVolumeTest, ReadingStopsAtTheFirstMissingVolume)
{
    const std::string first = Volume("tree.ged", "0 HEAD\r\n");
    Volume("tree.G01", "0 TRLR\r\n");
    EXPECT_EQ(Tags(first), (std::vector<std::string>{"HEAD@1"}));
}

TEST_F(GedcomVolumeTest, AFailedReadEndsTheInputBeforeTheNextVolume)
{
    // A file that shrinks while it is read fails to give the rest of a piece it was mapped in.
    std::string bytes = "0 HEAD\r\n";
    while (bytes.size() < 2 * kGedcomMapPieceSize)
        bytes += "1 NOTE a line of the first volume\r\n";
    const std::string first = Volume("tree.ged", bytes);
    Volume("tree.G00", "0 TRLR\r\n");
    ASSERT_TRUE(OpenGedcomInput(first, false, true));
    EXPECT_EQ(GetGedcomInputReadError(), 0);
    std::filesystem::resize_file(first, 1000);
    const std::vector<Read> reads = ReadAll();
    EXPECT_EQ(GetGedcomInputReadError(), EIO);
    ASSERT_FALSE(reads.empty());
    EXPECT_EQ(reads.front().tag, "HEAD");
    EXPECT_TRUE(
        std::none_of(reads.begin(), reads.end(), [](const Read& r) { return r.tag == "TRLR"; }));
}

TEST_F(GedcomVolumeTest, OnlyRememberedGedFilesContinue)
{
    const std::string text = Volume("tree.txt", "0 HEAD\r\n");
    Volume("tree.txG00", "0 TRLR\r\n");
    EXPECT_EQ(Tags(text), (std::vector<std::string>{"HEAD@1"}));
    const std::string ged = Volume("tree.ged", "0 HEAD\r\n");
    Volume("tree.G00", "0 TRLR\r\n");
    EXPECT_EQ(Tags(ged, false), (std::vector<std::string>{"HEAD@1"}));
}

TEST_F(GedcomVolumeTest, Utf16VolumesAreConvertedAndLeaveNoCopyBehind)
{
    const std::string first = Volume("tree.ged", "\xFE\xFF" + Utf16(u"0 HEAD\n", true));
    Volume("tree.G00", Utf16(u"0 TRLR", true));
    EXPECT_EQ(Tags(first), (std::vector<std::string>{"HEAD@1", "TRLR@2"}));
    const std::string tmp = test_support::TempDir() + "/tmp";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(tmp))
        EXPECT_FALSE(entry.path().filename().string().starts_with("gedcom-")) << entry.path();
}

} // namespace
