// queries/relationship_words.h: the English wording of a relationship path and the answers of a
// relationship question in each of its modes.
#pragma once

#include <array>
#include <string>

/// Flags of a relationship path.
enum RelationshipPathFlag : unsigned {
    RPF_HALF = 1,         // the line runs through one common parent only
    RPF_MARK = 2,         // second-path mark of the search: counts in the closeness, words nothing
    RPF_SPOUSE_START = 4, // the path begins at the root's spouse
    RPF_SPOUSE_END = 8,   // the relative is the spouse of the person the path reaches
};

/// The answer modes of a relationship question.
enum RelationshipMode : int {
    RM_WORDS = 0,      // the English wording
    RM_CODE = 1,       // "Gens. Up=..., Gens. Down=..., Half=..., Spouse Start=..., Spouse End=..."
    RM_GENERATION = 2, // down minus up
    RM_GENS_UP = 3,    // up
    RM_GENS_DOWN = 4,  // down
    RM_HALF = 5,       // "1" or "0"
    RM_SPOUSE_START = 6, // "1" or "0"
    RM_SPOUSE_END = 7,   // "1" or "0"
    RM_MODE_COUNT = 8,
};

/// One row of the word table: the words for a relative so many generations up and down, and
/// whether a spouse at the start or at the end makes it an "-in-law".
struct CRelationshipWord {
    int m_up;
    int m_down;
    const char* m_male;
    const char* m_female;
    bool m_inLawAtStart;
    bool m_inLawAtEnd;
};

/// The words of every relationship less than four generations up and down, except self.
extern const std::array<CRelationshipWord, 15> RelationshipWordTable;

/// The English words for what a relative is to the root: up generations from the root to the
/// common ancestor, down from there to the relative, flags of RelationshipPathFlag. A spouse is
/// "wife" of a male root, else "husband". Empty when up or down is negative.
std::string FormatRelationship(bool rootMale, bool relativeMale, int up, int down, unsigned flags);

/// The answer for one path in mode (RelationshipMode). Swapped asks it the other way round
/// (what the root is to the relative): up and down change places, so do the spouse flags and the
/// two people's sexes. Empty for a mode outside 0 to 7.
std::string FormatRelationshipAnswer(int mode, bool swapped, bool rootMale, bool relativeMale,
                                     int up, int down, unsigned flags);
