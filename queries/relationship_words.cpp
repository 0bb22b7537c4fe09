// queries/relationship_words.cpp: the English wording of a relationship path and the answers of a
// relationship question in each of its modes.
#include "queries/relationship_words.h"

#include "common/sentence_text.h"

#include <algorithm>
#include <utility>

const std::array<CRelationshipWord, 15> RelationshipWordTable = {{
    {1, 0, "father", "mother", true, false},
    {2, 0, "grandfather", "grandmother", false, false},
    {3, 0, "great grandfather", "great grandmother", false, false},
    {0, 1, "son", "daughter", false, true},
    {1, 1, "brother", "sister", true, true},
    {2, 1, "uncle", "aunt", false, false},
    {3, 1, "great-uncle", "great-aunt", false, false},
    {0, 2, "grandson", "granddaughter", false, false},
    {1, 2, "nephew", "niece", false, false},
    {2, 2, "cousin", "cousin", false, false},
    {3, 2, "1st cousin once-removed", "1st cousin once-removed", false, false},
    {0, 3, "great grandson", "great granddaughter", false, false},
    {1, 3, "great-nephew", "great-niece", false, false},
    {2, 3, "1st cousin once-removed", "1st cousin once-removed", false, false},
    {3, 3, "2nd cousin", "2nd cousin", false, false},
}};

namespace {

/// The facts the wording rules read, decoded once.
struct CWording {
    bool m_relativeMale;
    bool m_half;
    bool m_spouseStart;
    bool m_spouseEnd;
    const char* m_spouseWord;

    /// The male words, unless the relative is the spouse of the person they name: then the
    /// other sex's (a female relative at the end of a line through a man is "father's wife").
    bool MaleWords() const { return m_spouseEnd != m_relativeMale; }
    const char* RelativeSpouse() const { return m_relativeMale ? "husband" : "wife"; }
};

std::string FormatSelf(const CWording& w)
{
    if (!w.m_spouseStart && !w.m_spouseEnd)
        return "self";
    std::string text = w.m_spouseWord;
    if (w.m_spouseStart && w.m_spouseEnd)
        text += std::string("'s ") + w.RelativeSpouse();
    return text;
}

std::string FormatFromTable(const CRelationshipWord& row, const CWording& w)
{
    const bool inLaw =
        (w.m_spouseStart && row.m_inLawAtStart) || (w.m_spouseEnd && row.m_inLawAtEnd);
    std::string text;
    if (w.m_spouseStart && !row.m_inLawAtStart)
        text += std::string(w.m_spouseWord) + "'s ";
    if (w.m_half)
        text += "half ";
    if (inLaw)
        text += std::string(w.m_relativeMale ? row.m_male : row.m_female) + "-in-law";
    else
        text += w.MaleWords() ? row.m_male : row.m_female;
    if (w.m_spouseEnd && !row.m_inLawAtEnd)
        text += std::string("'s ") + w.RelativeSpouse();
    return text;
}

std::string Greats(int count)
{
    return "great (x" + std::to_string(count) + ")";
}

std::string FormatCousin(int up, int down)
{
    const int degree = std::min(up, down) - 1;
    const int removed = up > down ? up - down : down - up;
    std::string text = std::to_string(degree) + GetOrdinalSuffix(degree, true);
    switch (removed) {
    case 0:
        return text + " cousin";
    case 1:
        return text + " cousin once removed";
    case 2:
        return text + " cousin twice removed";
    default:
        return text + " cousin " + std::to_string(removed) + " times removed";
    }
}

/// The words for a relative four or more generations up or down.
std::string FormatDistant(int up, int down, const CWording& w)
{
    const bool male = w.MaleWords();
    if (up == 0)
        return Greats(down - 2) + (male ? " grandson" : " granddaughter");
    if (down == 0)
        return Greats(up - 2) + (male ? " grandfather" : " grandmother");
    if (up == 1)
        return (down == 4 ? "great" : Greats(down - 3)) + (male ? " great-nephew" : " great-niece");
    if (down == 1)
        return (up == 4 ? "great" : Greats(up - 3)) + (male ? " great-uncle" : " great-aunt");
    return FormatCousin(up, down);
}

const CRelationshipWord* FindWords(int up, int down)
{
    for (const CRelationshipWord& row : RelationshipWordTable) {
        if (row.m_up == up && row.m_down == down)
            return &row;
    }
    return nullptr;
}

} // namespace

std::string FormatRelationship(bool rootMale, bool relativeMale, int up, int down, unsigned flags)
{
    if (up < 0 || down < 0)
        return {};
    const CWording w{relativeMale, (flags & RPF_HALF) != 0, (flags & RPF_SPOUSE_START) != 0,
                     (flags & RPF_SPOUSE_END) != 0, rootMale ? "wife" : "husband"};
    if (up == 0 && down == 0)
        return FormatSelf(w);
    if (const CRelationshipWord* row = FindWords(up, down))
        return FormatFromTable(*row, w);
    std::string text;
    if (w.m_spouseStart)
        text += std::string(w.m_spouseWord) + "'s ";
    if (w.m_half)
        text += "half ";
    text += FormatDistant(up, down, w);
    if (w.m_spouseEnd)
        text += std::string("'s ") + w.RelativeSpouse();
    return text;
}

std::string FormatRelationshipAnswer(int mode, bool swapped, bool rootMale, bool relativeMale,
                                     int up, int down, unsigned flags)
{
    if (swapped) {
        std::swap(up, down);
        std::swap(rootMale, relativeMale);
        const unsigned start = flags & RPF_SPOUSE_START;
        const unsigned end = flags & RPF_SPOUSE_END;
        flags &= ~(RPF_SPOUSE_START | RPF_SPOUSE_END);
        flags |= (start ? RPF_SPOUSE_END : 0u) | (end ? RPF_SPOUSE_START : 0u);
    }
    const auto bit = [flags](unsigned flag) { return std::string((flags & flag) ? "1" : "0"); };
    switch (mode) {
    case RM_WORDS:
        return FormatRelationship(rootMale, relativeMale, up, down, flags);
    case RM_CODE:
        return "Gens. Up=" + std::to_string(up) + ", Gens. Down=" + std::to_string(down) +
               ", Half=" + bit(RPF_HALF) + ", Spouse Start=" + bit(RPF_SPOUSE_START) +
               ", Spouse End=" + bit(RPF_SPOUSE_END);
    case RM_GENERATION:
        return std::to_string(down - up);
    case RM_GENS_UP:
        return std::to_string(up);
    case RM_GENS_DOWN:
        return std::to_string(down);
    case RM_HALF:
        return bit(RPF_HALF);
    case RM_SPOUSE_START:
        return bit(RPF_SPOUSE_START);
    case RM_SPOUSE_END:
        return bit(RPF_SPOUSE_END);
    default:
        return {};
    }
}
