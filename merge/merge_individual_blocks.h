// merge/merge_individual_blocks.h: the current individuals of a compare in blocks of one surname
// key, sex and birth year, so that a new individual's best match is found without visiting every
// namesake of its era.
#pragma once

#include "database/kin/ind_compare_keys.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class CIndRec;
class CRecordNode;
class CScoreBounds;

/// The year by which a birth date can be placed: a single valid A.D. date of year 100 on; the
/// closeness of any other date is not read from the year alone.
std::optional<int> PlacedBirthYear(const CIndRec& individual);

/// The outcome of a new individual's pairing found through the blocks.
struct IndividualBest {
    bool found = false;         // a current individual was claimed
    std::uint32_t position = 0; // its position, when found
    int score = 0;              // its score, when found
};

/// The current individuals grouped so that whole groups are ruled out at once. Each block holds
/// the individuals of one surname key (or of none), one sex and one birth year (or of no year
/// to go by), and knows the most its members could score against a new individual apart from
/// a given name equal to the new one's (those are looked up by surname and given name), and the
/// lowest score any of its members was ever claimed with.
///
/// The scan of the compare visits the candidates in the current data set's order: the first
/// current record with the highest score that it may claim (unclaimed, or claimed with a lower
/// score) wins, and every claimed record that is the best so far on the way is taken over (its
/// new record becomes unmatched) and freed again. FindBest gives the winner without that order:
/// likely matches first, then only the blocks that could reach the best so far. It declines
/// (nullopt, and the caller scans) when a claimed record before the winner could be taken over
/// on the way, which only a scan in order settles, and for new individuals without a surname.
class CIndividualBlocks {
public:
    /// currents: the current records of the type in their order; keys: both sides' keys.
    CIndividualBlocks(const std::vector<CRecordNode*>& currents, const CIndCompareKeyMap& keys);

    /// The claim on a current record changed: claimed with that score, or freed (nullopt).
    void SetClaim(std::uint32_t position, std::optional<int> score);

    /// The winner for incoming (none found: no current record it may claim scores above 0);
    /// nullopt when the caller must scan. score gives the full score of a current record;
    /// bounds must be set to incoming.
    std::optional<IndividualBest> FindBest(const CRecordNode& incoming, const CScoreBounds& bounds,
                                           const std::function<int(std::uint32_t)>& score) const;

private:
    static constexpr int kNoYear = -2147483647 - 1;
    static constexpr int kUnclaimed = kNoYear;

    struct Block {
        int year = kNoYear;                 // the members' birth year; kNoYear for none to go by
        std::uint8_t sex = 2;               // 0 male, 1 female, 2 unknown
        bool anyParents = false;            // a member has a family as child
        bool anySpouse = false;             // a member has a family as spouse
        bool anyGivenOpen = false;          // a member has no given name
        int unclaimed = 0;                  // members not claimed now
        int lowestClaim = 2147483647;       // the lowest score a member was ever claimed with
        std::vector<std::uint32_t> members; // ascending positions
    };
    struct Person {
        std::int32_t surname = -1; // interned; -1 without one
        std::int32_t given = -1;   // interned; -1 without one
        std::int32_t year = kNoYear;
        std::uint8_t sex = 2;
        bool parents = false;
        bool spouse = false;
        bool birth = false;   // has a birth date
        bool indexed = false; // an individual with compare keys
    };
    /// The blocks of one surname key (or of none), by year then sex.
    using Blocks = std::vector<Block>;
    /// Positions by birth year (kNoYear first) of one surname and given name.
    using Namesakes = std::vector<std::pair<int, std::uint32_t>>;

    const CIndCompareKeys* KeysOf(const CRecordNode* record) const;
    /// The number of a text: -1 for none, -2 for one no current individual has.
    static std::int32_t IdOf(const std::unordered_map<std::string, std::int32_t>& ids,
                             const std::optional<std::string>& text);
    Person Describe(const CRecordNode* record) const;
    /// The most a block's members (apart from the new one's namesakes) could score.
    int BlockBound(const Block& block, const Person& incoming, bool sameSurname,
                   bool incomingHasBirth) const;

    const CIndCompareKeyMap& m_keys;
    std::unordered_map<std::string, std::int32_t> m_surnameIds;
    std::unordered_map<std::string, std::int32_t> m_givenIds;
    std::vector<Person> m_people;         // by position
    std::vector<std::uint32_t> m_blockOf; // by position: the block index in its surname's list
    std::vector<int> m_claims;            // by position: the claim's score, or kUnclaimed
    std::vector<Blocks> m_bySurname;      // by surname id; the last one: no surname
    std::unordered_map<std::uint64_t, Namesakes> m_namesakes; // by surname and given id
    bool m_unindexed = false; // a current record without keys: no block rules it out
};
