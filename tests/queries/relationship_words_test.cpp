// tests/queries/relationship_words_test.cpp: Tests of the relationship wording: each rule of the
// words, by sex, spouse and half lines, and the answer modes asked either way round.
#include "queries/relationship_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr unsigned kHalf = RPF_HALF;
constexpr unsigned kMark = RPF_MARK;
constexpr unsigned kStart = RPF_SPOUSE_START;
constexpr unsigned kEnd = RPF_SPOUSE_END;

struct CWordingCase {
    bool m_rootMale;
    bool m_relativeMale;
    int m_up;
    int m_down;
    unsigned m_flags;
    const char* m_words;
};

TEST(RelationshipWords, WordsEveryKindOfRelative)
{
    const std::vector<CWordingCase> cases = {
        {true, true, 0, 0, 0, "self"},
        {true, false, 0, 0, kStart, "wife"},
        {false, true, 0, 0, kEnd, "husband"},
        {true, true, 0, 0, kStart | kEnd, "wife's husband"},
        {false, false, 0, 0, kStart | kEnd, "husband's wife"},
        {true, true, 1, 0, 0, "father"},
        {true, false, 1, 0, 0, "mother"},
        {true, true, 1, 0, kStart, "father-in-law"},
        {false, false, 1, 0, kStart, "mother-in-law"},
        {true, false, 1, 0, kEnd, "father's wife"},
        {true, true, 1, 0, kEnd, "mother's husband"},
        {true, true, 2, 0, 0, "grandfather"},
        {true, false, 3, 0, 0, "great grandmother"},
        {true, true, 0, 1, 0, "son"},
        {true, true, 0, 1, kEnd, "son-in-law"},
        {true, false, 0, 1, kEnd, "daughter-in-law"},
        {true, true, 0, 1, kStart, "wife's son"},
        {false, false, 0, 1, kStart | kEnd, "husband's daughter-in-law"},
        {true, false, 1, 1, kStart, "sister-in-law"},
        {true, true, 1, 1, kEnd, "brother-in-law"},
        {true, true, 1, 1, kHalf, "half brother"},
        {true, false, 1, 1, kHalf | kMark, "half sister"},
        {true, true, 2, 1, kStart, "wife's uncle"},
        {false, false, 2, 1, kStart, "husband's aunt"},
        {true, false, 2, 1, kEnd, "uncle's wife"},
        {true, false, 3, 1, 0, "great-aunt"},
        {true, true, 0, 2, 0, "grandson"},
        {true, false, 1, 2, 0, "niece"},
        {true, true, 2, 2, 0, "cousin"},
        {true, true, 3, 2, 0, "1st cousin once-removed"},
        {true, true, 2, 3, 0, "1st cousin once-removed"},
        {true, false, 0, 3, 0, "great granddaughter"},
        {true, true, 1, 3, 0, "great-nephew"},
        {true, true, 3, 3, 0, "2nd cousin"},
        {true, true, 0, 4, 0, "great (x2) grandson"},
        {true, true, 0, 5, 0, "great (x3) grandson"},
        {true, false, 5, 0, 0, "great (x3) grandmother"},
        {true, true, 1, 4, 0, "great great-nephew"},
        {true, false, 1, 6, 0, "great (x3) great-niece"},
        {true, true, 4, 1, 0, "great great-uncle"},
        {true, false, 6, 1, 0, "great (x3) great-aunt"},
        {true, true, 4, 4, 0, "3rd cousin"},
        {true, true, 4, 5, 0, "3rd cousin once removed"},
        {true, true, 4, 6, 0, "3rd cousin twice removed"},
        {true, true, 5, 9, 0, "4th cousin 4 times removed"},
        {true, true, 12, 12, 0, "11th cousin"},
        {true, true, 4, 2, 0, "1st cousin twice removed"},
        {true, true, 4, 0, kStart, "wife's great (x2) grandfather"},
        {true, false, 0, 4, kEnd, "great (x2) grandson's wife"},
        {true, true, 1, 5, kHalf, "half great (x2) great-nephew"},
        {true, true, 4, 4, kStart | kEnd, "wife's 3rd cousin's husband"},
    };
    for (const CWordingCase& c : cases) {
        SCOPED_TRACE(c.m_words);
        EXPECT_EQ(FormatRelationship(c.m_rootMale, c.m_relativeMale, c.m_up, c.m_down, c.m_flags),
                  c.m_words);
    }
}

TEST(RelationshipWords, NegativeGenerationsHaveNoWords)
{
    EXPECT_EQ(FormatRelationship(true, true, -1, 1, 0), "");
    EXPECT_EQ(FormatRelationship(true, true, 1, -2, 0), "");
}

struct CAnswerCase {
    int m_mode;
    bool m_swapped;
    bool m_rootMale;
    bool m_relativeMale;
    int m_up;
    int m_down;
    unsigned m_flags;
    const char* m_answer;
};

TEST(RelationshipWords, AnswersEachModeEitherWayRound)
{
    const std::vector<CAnswerCase> cases = {
        {RM_WORDS, false, true, true, 2, 0, 0, "grandfather"},
        {RM_WORDS, true, false, true, 2, 0, 0, "granddaughter"},
        {RM_WORDS, true, true, false, 0, 0, kEnd, "husband"},
        {RM_WORDS, true, true, false, 1, 0, kEnd, "husband's son"},
        {RM_WORDS, true, true, true, 1, 0, kStart, "son-in-law"},
        {RM_CODE, false, true, true, 1, 1, 0,
         "Gens. Up=1, Gens. Down=1, Half=0, Spouse Start=0, Spouse End=0"},
        {RM_CODE, true, true, true, 3, 1, kHalf | kStart,
         "Gens. Up=1, Gens. Down=3, Half=1, Spouse Start=0, Spouse End=1"},
        {RM_GENERATION, false, true, true, 2, 0, 0, "-2"},
        {RM_GENERATION, true, true, true, 2, 0, 0, "2"},
        {RM_GENS_UP, false, true, true, 3, 1, 0, "3"},
        {RM_GENS_UP, true, true, true, 3, 1, 0, "1"},
        {RM_GENS_DOWN, false, true, true, 3, 1, 0, "1"},
        {RM_GENS_DOWN, true, true, true, 3, 1, 0, "3"},
        {RM_HALF, false, true, true, 1, 1, kHalf, "1"},
        {RM_HALF, true, true, true, 1, 1, kHalf | kMark, "1"},
        {RM_HALF, false, true, true, 1, 1, kMark, "0"},
        {RM_SPOUSE_START, false, true, true, 1, 0, kStart, "1"},
        {RM_SPOUSE_START, true, true, true, 1, 0, kStart, "0"},
        {RM_SPOUSE_END, false, true, true, 1, 0, kStart, "0"},
        {RM_SPOUSE_END, true, true, true, 1, 0, kStart, "1"},
        {RM_MODE_COUNT, false, true, true, 1, 0, 0, ""},
        {-1, false, true, true, 1, 0, 0, ""},
    };
    for (const CAnswerCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.m_mode) + (c.m_swapped ? " swapped " : " ") + c.m_answer);
        EXPECT_EQ(FormatRelationshipAnswer(c.m_mode, c.m_swapped, c.m_rootMale, c.m_relativeMale,
                                           c.m_up, c.m_down, c.m_flags),
                  c.m_answer);
    }
}

} // namespace
