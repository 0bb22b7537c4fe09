// tests/database/gedcom/gedcom_charset_test.cpp: finding a GEDCOM file's character set, and reading
// and writing text in each set.
#include "database/gedcom/gedcom_charset.h"
#include "database/gedcom/gedcom_encode.h"
#include "tests/support/test_support.h"

#include "platform/base/text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Set = GedcomCharset;

std::string Head(std::string_view charValue)
{
    return "0 HEAD\r\n1 SOUR X\r\n1 CHAR " + std::string(charValue) + "\r\n0 @I1@ INDI\r\n";
}

std::string Decode(Set set, std::string_view bytes, std::size_t* invalid = nullptr)
{
    std::string out;
    const std::size_t count = DecodeGedcomText(set, bytes, out);
    if (invalid)
        *invalid = count;
    return out;
}

std::string Encode(Set set, std::string_view utf8, bool* fits = nullptr)
{
    std::string out;
    const bool ok = EncodeGedcomText(set, utf8, out);
    if (fits)
        *fits = ok;
    return out;
}

struct DetectCase {
    const char* name;
    std::string bytes;
    GedcomEncoding expected;
};

class GedcomCharsetDetectTest : public testing::TestWithParam<DetectCase> {};

TEST_P(GedcomCharsetDetectTest, FindsTheFilesSet)
{
    EXPECT_EQ(DetectGedcomEncoding(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GedcomCharsetDetectTest,
    testing::Values(
        DetectCase{"Utf8MarkBeatsChar", "\xEF\xBB\xBF" + Head("ANSEL"), {Set::Utf8, true}},
        DetectCase{"Ansel", Head("ANSEL"), {Set::Ansel, false}},
        DetectCase{"AnselAnyCase", Head("ansel"), {Set::Ansel, false}},
        DetectCase{"AnsiIsWindows1252", Head("ANSI"), {Set::Windows1252, false}},
        DetectCase{"Utf8", Head("UTF-8") + "1 NOTE \xE9", {Set::Utf8, false}},
        DetectCase{"Iso88591", Head("ISO-8859-1"), {Set::Latin1, false}},
        DetectCase{"IbmPcIsCodePage437", Head("IBMPC"), {Set::Cp437, false}},
        DetectCase{"UnicodeOverUtf8Bytes", Head("UNICODE") + "1 NOTE \xC2\xB6", {Set::Utf8, false}},
        DetectCase{
            "UnicodeOver1252Bytes", Head("UNICODE") + "1 NOTE \xB6", {Set::Windows1252, false}},
        DetectCase{"UnknownValue", Head("MACINTOSH") + "1 NOTE \xE9", {Set::Windows1252, false}},
        DetectCase{"NoCharValidUtf8", "0 HEAD\n1 NOTE caf\xC3\xA9\n", {Set::Utf8, false}},
        DetectCase{"NoCharInvalidUtf8", "0 HEAD\n1 NOTE caf\xE9\n", {Set::Windows1252, false}},
        DetectCase{
            "CharOfALaterRecordIgnored", "0 HEAD\n0 @N1@ NOTE\n1 CHAR ANSEL\n", {Set::Utf8, false}},
        DetectCase{
            "CharBelowLevelOneIgnored", "0 HEAD\n1 SOUR X\n2 CHAR ANSEL\n", {Set::Utf8, false}},
        DetectCase{"CrLineEnds", "0 HEAD\r1 GEDC\r1 CHAR ANSEL\r", {Set::Ansel, false}}),
    [](const testing::TestParamInfo<DetectCase>& info) { return info.param.name; });

TEST(GedcomCharsetTest, FileWithoutCharIsJudgedByAllItsBytes)
{
    const std::string folder = test_support::NewFolder("detect");
    std::string bytes = "0 HEAD\r\n1 NOTE ";
    bytes.resize(kGedcomHeadBytes - 1, 'x');
    const std::string straddling = bytes + "\xC3\xA9\r\n"; // é across the end of the head
    EXPECT_EQ(DetectGedcomFileEncoding(test_support::WriteFile(folder + "/a.ged", straddling)),
              (GedcomEncoding{Set::Utf8, false}));
    const std::string late1252 = straddling + std::string(200000, 'y') + "\xE9\r\n";
    EXPECT_EQ(DetectGedcomFileEncoding(test_support::WriteFile(folder + "/b.ged", late1252)),
              (GedcomEncoding{Set::Windows1252, false}));
}

struct DecodeCase {
    const char* name;
    Set set;
    std::string bytes;
    std::string utf8;
    std::size_t invalid;
    bool roundTrips;
};

class GedcomCharsetDecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(GedcomCharsetDecodeTest, ReadsAsUtf8AndWritesBack)
{
    const DecodeCase& c = GetParam();
    std::size_t invalid = 0;
    EXPECT_EQ(Decode(c.set, c.bytes, &invalid), c.utf8);
    EXPECT_EQ(invalid, c.invalid);
    if (c.roundTrips) {
        EXPECT_EQ(Encode(c.set, c.utf8), c.bytes);
        EXPECT_TRUE(GedcomTextFits(c.set, c.utf8));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GedcomCharsetDecodeTest,
    testing::Values(
        DecodeCase{"AnselMarkComesAfterItsLetter", Set::Ansel, "Jos\xE2\x65", "Jos\u00E9", 0, true},
        DecodeCase{"AnselMarkWithoutPrecomposedLetter", Set::Ansel, "\xE9Q", "Q\u030C", 0, true},
        DecodeCase{"AnselTwoMarksComposeInOrder", Set::Ansel, "\xF2\xE3\x65", "\u1EC7", 0, true},
        DecodeCase{"AnselMarksKeepTheirOrder", Set::Ansel, "\xE2\xF2\x65", "\u00E9\u0323", 0, true},
        DecodeCase{"AnselMarkOnSpecialLetter", Set::Ansel, "\xE2\xA2", "\u01FE", 0, true},
        DecodeCase{"AnselSpecials", Set::Ansel, "\xA1\xB1\xA5\xC3\xB8\xCF\xC8",
                   "\u0141\u0142\u00C6\u00A9\u0131\u00DF\u20AC", 0, true},
        DecodeCase{"AnselLigatureHalves", Set::Ansel, "\xEBt\xECs", "t\uFE20s\uFE21", 0, true},
        DecodeCase{"AnselMidlineLetters", Set::Ansel, "(\xCD) (\xCE)", "(\u0247) (\u0275)", 0,
                   true},
        DecodeCase{"AnselOtherSharpS", Set::Ansel, "\xC7", "\u00DF", 0, false},
        DecodeCase{"AnselMarkWithoutLetterStaysAtEnd", Set::Ansel, "ab\xE2", "ab\u0301", 0, false},
        DecodeCase{"AnselUndefinedBytesRead1252", Set::Ansel, "\xAF\x80", "\u00AF\u20AC", 2, false},
        DecodeCase{"Utf8UnderAnAnselHeaderStaysUtf8", Set::Ansel,
                   "J\xC3\xB6rg /\xC5\x81\xC3\xB3"
                   "d\xC5\xBA/ \xE2\x82\xAC",
                   "J\u00F6rg /\u0141\u00F3d\u017A/ \u20AC", 0, false},
        DecodeCase{"Windows1252", Set::Windows1252, "\x80\x93\x94\xE9", "\u20AC\u201C\u201D\u00E9",
                   0, true},
        DecodeCase{"Windows1252UndefinedByteKept", Set::Windows1252, "\x81", "\u0081", 1, true},
        DecodeCase{"Latin1", Set::Latin1, "\x80\xE9\xFF", "\u0080\u00E9\u00FF", 0, true},
        DecodeCase{"Cp437", Set::Cp437, "\x82\x9A\xC9\xE1", "\u00E9\u00DC\u2554\u00DF", 0, true},
        DecodeCase{"Utf8", Set::Utf8, "caf\xC3\xA9 \xF0\x92\x8D\x85", "caf\u00E9 \U00012345", 0,
                   true},
        DecodeCase{"Utf8BrokenBytesRead1252", Set::Utf8, "caf\xE9 \xC3", "caf\u00E9 \u00C3", 2,
                   false},
        DecodeCase{"Utf8OverlongRead1252", Set::Utf8, "\xC0\xAF", "\u00C0\u00AF", 2, false},
        DecodeCase{"AsciiHighByteReads1252", Set::Ascii, "\xE9", "\u00E9", 1, false},
        DecodeCase{"AsciiUtf8SequenceReadsUtf8", Set::Ascii, "\xC3\xA9", "\u00E9", 2, false},
        DecodeCase{"Utf16LeSurrogatePair", Set::Utf16Le, std::string("A\0\x08\xD8\x45\xDF", 6),
                   "A\U00012345", 0, true},
        DecodeCase{"Utf16BeCrByteInsideCharacter", Set::Utf16Be, std::string("\0A\x01\x0D", 4),
                   "A\u010D", 0, true},
        DecodeCase{"Utf16LeRunsOfAsciiAroundOthers", Set::Utf16Le,
                   std::string("0\0 \0H\0E\0A\0D\0 \0"
                               "\xE9\0"
                               "a\0b\0c\0d\0"
                               "\x0D\x01"
                               "e\0",
                               28),
                   "0 HEAD \u00E9abcd\u010De", 0, true},
        DecodeCase{"Utf16BeRunsOfAsciiAroundOthers", Set::Utf16Be,
                   std::string("\0"
                               "0\0 \0H\0E\0A\0D\0 \0\xE9\0a\0b\0c\0d"
                               "\x01\x0D\0"
                               "e",
                               28),
                   "0 HEAD \u00E9abcd\u010De", 0, true},
        DecodeCase{"Utf16LoneHighSurrogate", Set::Utf16Le,
                   std::string("\x08\xD8"
                               "A\0",
                               4),
                   "\uFFFDA", 1, false},
        DecodeCase{"Utf16LoneLowSurrogate", Set::Utf16Le, "\x45\xDF", "\uFFFD", 1, false},
        DecodeCase{"Utf16OddLastByte", Set::Utf16Le, std::string("A\0B", 3), "A\uFFFD", 1, false},
        DecodeCase{"Utf16ReversedMarkSwitchesOrder", Set::Utf16Le, std::string("\xFE\xFF\0A", 4),
                   "A", 0, false}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

struct EncodeCase {
    const char* name;
    Set set;
    std::string utf8;
    std::string bytes;
    bool fits;
};

class GedcomCharsetEncodeTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(GedcomCharsetEncodeTest, WritesTheSetsBytes)
{
    const EncodeCase& c = GetParam();
    bool fits = false;
    EXPECT_EQ(Encode(c.set, c.utf8, &fits), c.bytes);
    EXPECT_EQ(fits, c.fits);
    EXPECT_EQ(GedcomTextFits(c.set, c.utf8), c.fits);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GedcomCharsetEncodeTest,
    testing::Values(EncodeCase{"AnselCombiningMarkGoesFirst", Set::Ansel, "Jose\u0301",
                               "Jos\xE2\x65", true},
                    EncodeCase{"AnselHasNoCyrillic", Set::Ansel, "\u0418", "?", false},
                    EncodeCase{"AnselHasNoHorn", Set::Ansel, "o\u031B", "o?", false},
                    EncodeCase{"AnselMarkWithoutLetter", Set::Ansel, "\u0301a", "?a", false},
                    EncodeCase{"AnselLetterItCannotWriteLosesItsMarks", Set::Ansel,
                               "\u0418\u0301\u0323x", "?x", false},
                    EncodeCase{"Windows1252HasNoCyrillic", Set::Windows1252, "\u042F", "?", false},
                    EncodeCase{"Latin1HasNoEuro", Set::Latin1, "\u20AC", "?", false},
                    EncodeCase{"AsciiOnlyBelow128", Set::Ascii, "caf\u00E9", "caf?", false}),
    [](const testing::TestParamInfo<EncodeCase>& info) { return info.param.name; });

TEST(GedcomCharsetTest, Utf16WritesTextOfEveryLengthUnitByUnit)
{
    for (const Set set : {Set::Utf16Le, Set::Utf16Be}) {
        const bool bigEndian = set == Set::Utf16Be;
        const auto unit = [bigEndian](char32_t c) {
            const char high = char(c >> 8), low = char(c & 0xFF);
            return bigEndian ? std::string{high, low} : std::string{low, high};
        };
        for (std::size_t n = 0; n < 40; ++n) {
            std::string ascii, asciiUnits;
            for (std::size_t i = 0; i < n; ++i) {
                ascii += char('a' + i % 26);
                asciiUnits += unit(char32_t('a' + i % 26));
            }
            std::string widened(2 * n, '\0');
            EXPECT_EQ(WidenGedcomAscii(widened.data(), ascii, bigEndian), widened.data() + 2 * n);
            EXPECT_EQ(widened, asciiUnits) << n;
            // A letter of two UTF-8 bytes in the middle, then one outside the first plane.
            const std::string mixed =
                ascii.substr(0, n / 2) + "\u00E9" + ascii.substr(n / 2) + "\U0001F600";
            const std::string mixedUnits = asciiUnits.substr(0, n / 2 * 2) + unit(0xE9) +
                                           asciiUnits.substr(n / 2 * 2) + unit(0xD83D) +
                                           unit(0xDE00);
            EXPECT_EQ(Encode(set, mixed), mixedUnits) << n;
        }
    }
}

// Runs of ASCII are narrowed sixteen units at a time: a unit that only looks like ASCII in one
// of its bytes (U+0080, U+0100, U+4100) at every place of a run must stop the run there, in
// either order, whichever piece boundary the stream is cut at.
TEST(GedcomCharsetTest, Utf16ReadsRunsOfAsciiEndedAnywhereUnitByUnit)
{
    for (const bool bigEndian : {false, true}) {
        const auto unit = [bigEndian](char32_t c) {
            const char high = char(c >> 8), low = char(c & 0xFF);
            return bigEndian ? std::string{high, low} : std::string{low, high};
        };
        for (const char32_t stop : {char32_t(0x80), char32_t(0xFF), char32_t(0x100),
                                    char32_t(0x4100), char32_t(0xE9), char32_t(0x7F41)}) {
            for (std::size_t n = 0; n < 50; ++n) {
                std::string bytes = unit(0xFEFF), expected;
                for (std::size_t i = 0; i < 70; ++i) {
                    const char32_t c = i == n ? stop : char32_t('A' + i % 26);
                    bytes += unit(c);
                    text::AppendUtf8(expected, c);
                }
                for (const std::size_t cut :
                     {std::size_t(0), std::size_t(1), 2 * n + 1, 2 * n + 2, std::size_t(33)}) {
                    CUtf16Decoder decoder(bigEndian);
                    std::string out;
                    decoder.Decode(std::string_view(bytes).substr(0, cut), out);
                    decoder.Decode(std::string_view(bytes).substr(cut), out);
                    decoder.Finish(out);
                    EXPECT_EQ(out, expected) << bigEndian << " " << std::hex << unsigned(stop)
                                             << std::dec << " at " << n << " cut " << cut;
                    EXPECT_EQ(decoder.InvalidCount(), 0u);
                }
            }
        }
    }
}

// The buffered file decodes each piece of a UTF-16 file straight into a buffer of the size
// MaxDecodedSize gives: the pieces that write the most (characters of three UTF-8 bytes, broken
// surrogates, a surrogate or byte held from the piece before) must stay within it.
TEST(GedcomCharsetTest, Utf16PiecesStayWithinTheirBound)
{
    const auto units = [](std::u16string_view text) {
        std::string bytes;
        for (const char16_t unit : text)
            bytes += std::string{char(unit & 0xFF), char(unit >> 8)};
        return bytes;
    };
    const std::string kinds[] = {units(u"\u4E2D\u4E2D\u4E2D\u4E2D"), units(u"\xDC00\xDC00\xDC00"),
                                 units(u"\xD800\xD800\xD800"), units(u"\xD800\xDC00\xD800")};
    for (const std::string& kind : kinds) {
        std::string stream = units(u"a");
        while (stream.size() < 200)
            stream += kind;
        for (std::size_t cut = 1; cut < 40; ++cut) {
            CUtf16Decoder decoder(false);
            std::string whole;
            for (std::size_t at = 0; at < stream.size(); at += cut) {
                const std::string_view piece = std::string_view(stream).substr(at, cut);
                std::vector<char> room(CUtf16Decoder::MaxDecodedSize(piece.size()));
                const char* const end = decoder.Decode(piece, room.data());
                ASSERT_LE(end, room.data() + room.size()) << cut;
                whole.append(room.data(), std::size_t(end - room.data()));
            }
            std::vector<char> last(CUtf16Decoder::MaxDecodedSize(0));
            whole.append(last.data(), std::size_t(decoder.Finish(last.data()) - last.data()));
            std::string expected;
            CUtf16Decoder once(false);
            once.Decode(stream, expected);
            once.Finish(expected);
            EXPECT_EQ(whole, expected) << cut;
        }
    }
}

TEST(GedcomCharsetTest, SingleByteSetsKeepEveryByte)
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += char(b);
    for (const Set set : {Set::Windows1252, Set::Latin1, Set::Cp437}) {
        const std::string utf8 = Decode(set, bytes);
        EXPECT_TRUE(text::IsValidUtf8(utf8));
        EXPECT_EQ(Encode(set, utf8), bytes) << int(set);
    }
}

TEST(GedcomCharsetTest, AnyBytesReadAsValidUtf8)
{
    std::uint32_t seed = 12345;
    const auto next = [&] { return (seed = seed * 1103515245 + 12345) >> 16; };
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(next() % 40, '\0');
        for (char& b : bytes)
            b = char(next());
        for (const Set set : {Set::Utf8, Set::Utf16Le, Set::Utf16Be, Set::Ansel, Set::Ascii,
                              Set::Windows1252, Set::Latin1, Set::Cp437}) {
            const std::string utf8 = Decode(set, bytes);
            ASSERT_TRUE(text::IsValidUtf8(utf8)) << int(set) << " round " << round;
            std::string written;
            EncodeGedcomText(set, utf8, written);
        }
    }
}

TEST(GedcomCharsetTest, EveryAnselMarkOnEveryLetterRoundTrips)
{
    std::string bases;
    for (char c = 'A'; c <= 'Z'; ++c)
        bases += {c, char(c + 32)};
    bases += "\xA1\xA2\xA5\xAC\xAD\xB1\xB2\xB5\xB8\xBC\xBD";
    // Each mark alone, or before a second one (0xFC and 0xFD are no marks).
    std::vector<std::string> marks, inner{""};
    for (int mark = 0xE0; mark <= 0xFE; ++mark) {
        if (mark != 0xFC && mark != 0xFD) {
            marks.emplace_back(1, char(mark));
            inner.emplace_back(1, char(mark));
        }
    }
    for (const std::string& mark : marks) {
        for (const std::string& second : inner) {
            for (const char base : bases) {
                const std::string bytes = mark + second + base;
                const std::string utf8 = Decode(Set::Ansel, bytes);
                ASSERT_EQ(Encode(Set::Ansel, utf8), bytes) << utf8;
            }
        }
    }
}

TEST(GedcomCharsetTest, EveryLatinLetterThatFitsAnselRoundTrips)
{
    int fitting = 0;
    for (char32_t c = 0xA0; c < 0x2000; ++c) {
        std::string utf8;
        text::AppendUtf8(utf8, c);
        if (!GedcomTextFits(Set::Ansel, utf8))
            continue;
        ++fitting;
        EXPECT_EQ(Decode(Set::Ansel, Encode(Set::Ansel, utf8)), utf8) << std::hex << unsigned(c);
    }
    EXPECT_GT(fitting, 400);
}

TEST(GedcomCharsetTest, AnselSampleFileReadsAsExpectedAndWritesBackByteForByte)
{
    const std::string ansel = test_support::ReadFile(test_support::DataPath("gedcom/ANSEL.GED"));
    const std::string expected =
        test_support::ReadFile(test_support::DataPath("gedcom/expected/ANSEL.utf8.ged"));
    ASSERT_FALSE(ansel.empty());
    EXPECT_EQ(DetectGedcomEncoding(ansel), (GedcomEncoding{Set::Ansel, false}));
    EXPECT_EQ(Decode(Set::Ansel, ansel), expected);
    EXPECT_EQ(Encode(Set::Ansel, expected), ansel);
}

TEST(GedcomCharsetTest, WrittenCharValueNamesTheSetWhenReadBack)
{
    for (const Set set :
         {Set::Ansel, Set::Ascii, Set::Windows1252, Set::Utf8, Set::Latin1, Set::Cp437})
        EXPECT_EQ(DetectGedcomEncoding(Head(GedcomCharsetName(set))).charset, set);
}

} // namespace
