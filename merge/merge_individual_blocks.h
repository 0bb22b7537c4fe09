// merge/merge_individual_blocks.h: the current individuals of a compare in blocks of one surname
// key, sex and birth year, so that a new individual's best match is found without visiting every
// namesake of its era.
#pragma once

#include "database/kin/ind_compare_keys.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
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
    /// currents: the current records of the type in their order. Reads what the score reads,
    /// so only while a compare runs.
    explicit CIndividualBlocks(const std::vector<CRecordNode*>& currents);

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
    static constexpr int kNever = 2147483647;

    /// Members by the relatives they have: a family as child (2) and as spouse (1).
    static constexpr int kKinds = 4;
    /// What is known of a block's members, or of a run of blocks.
    struct Summary {
        bool anyGivenOpen = false;               // a member has no given name
        std::uint32_t firstMember = 0xffffffffu; // the lowest position
        // By kind of member: how many, how many are not claimed now, the lowest score one was
        // ever claimed with.
        std::array<int, kKinds> count{};
        std::array<int, kKinds> unclaimed{};
        std::array<int, kKinds> lowestClaim{kNever, kNever, kNever, kNever};
    };
    struct Block : Summary {
        int year = kNoYear;                 // the members' birth year; kNoYear for none to go by
        std::uint8_t sex = 2;               // 0 male, 1 female, 2 unknown
        std::vector<std::uint32_t> members; // ascending positions
        // By member: its kind, and its claim's score (kUnclaimed for none), so that a walk
        // over the members rules most out without reaching for them.
        std::vector<std::uint8_t> kinds;
        std::vector<int> claims;
    };
    /// The blocks of one surname key (or of none) by year then sex, and runs of kRun of them
    /// summed up, for a new individual whose birth gives no year to narrow them.
    static constexpr std::size_t kRun = 32;
    struct Blocks {
        std::vector<Block> blocks;
        std::vector<Summary> runs;
    };
    struct Person {
        std::int32_t surname = -1; // its list; -1 without one, -2 one no current has
        std::int32_t given = -1;   // as the score numbers it; -1 without one
        std::int32_t year = kNoYear;
        // The birth's span of years (BirthYearSpan), when it has one: those born twelve or
        // more years outside it score below 0.
        bool spanned = false;
        std::int32_t spanFrom = 0;
        std::int32_t spanTo = 0;
        std::uint8_t sex = 2;
        bool parents = false;
        bool spouse = false;
        bool birth = false;     // has a birth date
        bool indexed = false;   // an individual with compare keys
        bool manyWords = false; // its name has more than two words
        int Kind() const { return (parents ? 2 : 0) + (spouse ? 1 : 0); }
    };
    /// An individual of one surname and given name: its birth year (kNoYear for none to go
    /// by), position, sex, kind and whether its name has more than two words, so that a visit
    /// that rules it out reads nothing else.
    struct Namesake {
        int year = kNoYear;
        std::uint32_t position = 0;
        std::uint8_t sex = 2;
        std::uint8_t kind = 0;
        bool manyWords = false;
        bool birth = false; // has a birth date
        bool operator<(const Namesake& other) const
        {
            return year != other.year ? year < other.year : position < other.position;
        }
        /// The most it could score against anyone: a claim of that much is never taken over.
        int Highest() const;
    };
    /// The namesakes by birth year (kNoYear first), then position, with a bit for each that
    /// is open: not claimed with the most it could score. A closed one can be neither claimed
    /// nor taken over, so the walks pass over it without reading it; among many alike, each
    /// claimed in turn, they pass over a word of them at a time.
    struct Namesakes {
        std::vector<Namesake> members;
        std::vector<std::uint64_t> open;
        bool anyManyWords = false, anyBirth = false, anyParents = false, anySpouse = false;

        /// The first open member at index from or after, before to (to when none).
        std::size_t NextOpen(std::size_t from, std::size_t to) const;
        /// The index of the first member born in year or later (or after year, with after).
        std::size_t YearBound(int year, bool after) const;
    };

    /// What the score reads of a keyed individual; null for any other record.
    static const CIndScorePerson* Scored(const CRecordNode* record);
    Person Describe(const CRecordNode* record) const;
    /// The most a block's members of each kind (apart from the new one's namesakes) could
    /// score against incoming.
    static std::array<int, kKinds> BlockBounds(const Summary& block, int year,
                                               const Person& incoming, bool sameSurname);
    static void Claim(Summary& summary, std::size_t kind, bool wasClaimed,
                      std::optional<int> score);

    /// By the score's surname number: the list of that surname among m_bySurname; -1 for
    /// none.
    std::vector<std::int32_t> m_surnameLists;
    std::int32_t m_surnameCount = 0;
    std::vector<Person> m_people;         // by position
    std::vector<std::uint32_t> m_blockOf; // by position: the block index in its surname's list
    std::vector<std::uint32_t> m_slotOf;  // by position: its place among its block's members
    std::vector<int> m_claims;            // by position: the claim's score, or kUnclaimed
    std::vector<Blocks> m_bySurname;      // by surname id; the last one: no surname
    std::unordered_map<std::uint64_t, Namesakes> m_namesakes; // by surname and given id
    // By position: the namesakes it is among (null for none) and its index there.
    std::vector<Namesakes*> m_namesakesOf;
    std::vector<std::uint32_t> m_namesakeIndex;
    bool m_unindexed = false; // a current record without keys: no block rules it out
};
