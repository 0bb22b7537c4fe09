// merge/merge_score_bounds.h: the highest score two individuals could reach, found cheaply, so
// that the compare scores in full only the pairs that could change its pairing.
#pragma once

#include "database/kin/ind_compare_keys.h"

#include <cstdint>
#include <vector>

class CDateNode;
class CRecordNode;

/// An individual's score is its name's (at most 100, 10 with one name part missing on either
/// side, 0 with different given names or both parts missing) plus its birth's (the closeness
/// of the two dates) plus its parents' (at most 125, 0 unless both have parents) and its
/// spouse's (at most 50, 0 unless both have a spouse family). The name and birth parts are read
/// from the compare keys and the dates, without the relatives.
class CScoreBounds {
public:
    /// currents: the current individuals in their order; keys: the compare keys of both sides.
    CScoreBounds(const std::vector<CRecordNode*>& currents, const CIndCompareKeyMap& keys);
    /// The new individual the next bounds are for.
    void SetIncoming(const CRecordNode* incoming);
    /// Whether the current individual at that position could score above floor against the
    /// new one: false only when its score is surely floor or less.
    bool CouldExceed(std::uint32_t position, int floor) const;

private:
    struct Person {
        const CIndCompareKeys* keys = nullptr;
        const CDateNode* birth = nullptr;
        bool parents = false; // has a family as child
        bool spouse = false;  // has a family as spouse
    };
    Person Of(const CRecordNode* record) const;

    const CIndCompareKeyMap& m_keys;
    std::vector<Person> m_currents;
    Person m_incoming;
};
