// tests/common/gedcom_value_test.cpp: "@@" on reading and the cutting of long values.
#include "common/gedcom_value.h"

#include "platform/base/text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Piece {
    std::string text;
    bool lineBreak;
    bool operator==(const Piece&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Piece& p)
{
    return out << '"' << p.text << '"' << (p.lineBreak ? " +break" : "");
}

std::vector<Piece> Cut(std::string_view text, int maximum)
{
    std::vector<Piece> pieces;
    std::size_t position = 0;
    do {
        Piece piece;
        NextValueChunk(text, maximum, position, piece.text, piece.lineBreak);
        pieces.push_back(piece);
    } while (position < text.size());
    return pieces;
}

int Width(std::string_view piece)
{
    int width = 0;
    for (std::size_t pos = 0; pos < piece.size();)
        width += text::DecodeUtf8(piece, pos) == U'@' ? 2 : 1;
    return width;
}

TEST(GedcomValueTest, DoubledAtSignsBecomeSingle)
{
    std::string text = "x";
    AppendGedcomValue(text, "a@@b@c@@@@");
    EXPECT_EQ(text, "xa@b@c@@");
    AppendGedcomValueText(text, nullptr);
    AppendGedcomValueText(text, "@@");
    EXPECT_EQ(text, "xa@b@c@@@");
}

struct ChunkCase {
    const char* name;
    std::string text;
    int maximum;
    std::vector<Piece> pieces;
};

class NextValueChunkTest : public testing::TestWithParam<ChunkCase> {};

TEST_P(NextValueChunkTest, CutsAsTheRuleSays)
{
    EXPECT_EQ(Cut(GetParam().text, GetParam().maximum), GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NextValueChunkTest,
    testing::Values(
        ChunkCase{"FitsWhole", "abc", 10, {{"abc", false}}},
        ChunkCase{"ExactlyTheMaximum", "abcdefghij", 10, {{"abcdefghij", false}}},
        ChunkCase{"WordCutOneBelowTheMaximum",
                  "abcdefghijkl",
                  10,
                  {{"abcdefghi", false}, {"jkl", false}}},
        ChunkCase{
            "CutFallsInsideAWord", "ab cd ef gh ij", 10, {{"ab cd e", false}, {"f gh ij", false}}},
        ChunkCase{"AtSignsCountTwice", "@@@@@@", 7, {{"@@", false}, {"@@", false}, {"@@", false}}},
        ChunkCase{"LineBreaksEndPieces",
                  "ab\r\ncd\nef\rgh\n\rij",
                  10,
                  {{"ab", true}, {"cd", true}, {"ef", true}, {"gh", true}, {"ij", false}}},
        ChunkCase{"TwoLfAreTwoBreaks", "ab\n\ncd", 10, {{"ab", true}, {"", true}, {"cd", false}}},
        ChunkCase{"FinalBreakLeavesNothing", "ab\n", 10, {{"ab", true}}},
        ChunkCase{"BlanksOnlyCutOneBelow",
                  "a         b",
                  5,
                  {{"a   ", false}, {"    ", false}, {"  b", false}}},
        ChunkCase{"CharactersNotBytes",
                  "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9",
                  3,
                  {{"\xC3\xA9\xC3\xA9", false}, {"\xC3\xA9\xC3\xA9", false}}},
        ChunkCase{
            "NeverBeforeACombiningMark", "abe\u0301f", 4, {{"ab", false}, {"e\u0301f", false}}},
        ChunkCase{"TinyMaximumStillMoves", "@@", 1, {{"@", false}, {"@", false}}}),
    [](const testing::TestParamInfo<ChunkCase>& info) { return info.param.name; });

TEST(GedcomValueTest, PiecesOfALongNoteFitAndRejoin)
{
    std::string note;
    for (int i = 0; i < 60; ++i)
        note +=
            "word" + std::to_string(i) + (i % 7 == 0 ? "@ " : " ") + (i % 13 == 0 ? "\r\n" : "");
    const std::vector<Piece> pieces = Cut(note, 40);
    std::string rejoined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_LE(Width(pieces[i].text), 40) << pieces[i];
        if (i > 0 && !pieces[i - 1].lineBreak) {
            EXPECT_NE(pieces[i - 1].text.back(), ' ') << pieces[i - 1];
            EXPECT_NE(pieces[i].text.front(), ' ') << pieces[i];
        }
        rejoined += pieces[i].text + (pieces[i].lineBreak ? "\r\n" : "");
    }
    EXPECT_EQ(rejoined, note);
}

} // namespace
