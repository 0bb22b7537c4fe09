// merge/merge_score_bounds.h: the highest score two individuals could reach, found cheaply, so
// that the compare scores in full only the pairs that could change its pairing.
#pragma once

#include "database/kin/ind_compare_keys.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class CDateNode;
class CRecordNode;

/// The birth years a date spans (its first and latest values' years, least first), when every
/// one is a valid A.D. year of 100 on; nullopt otherwise. Two such spans twelve or more years
/// apart are dates ten or more completed years apart: a closeness below 0.
std::optional<std::pair<int, int>> BirthYearSpan(const CDateNode* birth);

/// An individual's score is its name's (at most 100, and that only for the same name text of
/// more than two words; 10 with one name part missing on either side, 0 with different given
/// names or both parts missing) plus its birth's (the closeness of the two dates: 50 only on the
/// same day) plus its parents' (at most 125, 0 unless both have parents) and its spouse's (at
/// most 50, 0 unless both have a spouse family). The name and birth parts are read from what
/// each individual's keys and dates give, kept compact by position, without the relatives.
class CScoreBounds {
public:
    /// currents: the current individuals in their order. Reads what the score reads, so only
    /// while a compare runs.
    explicit CScoreBounds(const std::vector<CRecordNode*>& currents);
    /// The new individual the next bounds are for.
    void SetIncoming(const CRecordNode* incoming);
    /// Whether the current individual at that position could score above floor against the
    /// new one: false only when its score is surely floor or less.
    bool CouldExceed(std::uint32_t position, int floor) const;
    /// The score of the current individual at that position against the new one, when both
    /// have keys (else nullopt): what CIndRec::MatchScore gives, without looking either up.
    std::optional<int> Score(std::uint32_t position) const;

private:
    struct Person {
        bool keyed = false;        // has compare keys
        std::int32_t surname = -1; // by number (as the score numbers them); -1 without one
        std::int32_t given = -1;   // the same for the first given name
        std::uint16_t nameHash = 0;
        bool manyWords = false;    // the stored name has more than two words
        bool parents = false;      // has a family as child
        bool spouse = false;       // has a family as spouse
        std::int32_t year = 0;     // a single A.D. birth date of year 100 on: its year
        std::int32_t monthDay = 0; // and its month and day (-1: no such date)
        bool spanned = false;      // the birth has a span of years (BirthYearSpan)
        std::int32_t spanFrom = 0;
        std::int32_t spanTo = 0;
        const CDateNode* birth = nullptr;
        const CIndScorePerson* scored = nullptr; // set when keyed
    };
    static Person Of(const CRecordNode* record);

    std::vector<Person> m_currents;
    Person m_incoming;
};
