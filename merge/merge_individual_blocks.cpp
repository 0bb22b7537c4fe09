// merge/merge_individual_blocks.cpp: the blocks of current individuals and the search for a new
// individual's best match through them.
#include "merge/merge_individual_blocks.h"

#include "database/dates/date_node.h"
#include "database/kin/ind_rec.h"
#include "merge/merge_score_bounds.h"

#include <algorithm>
#include <tuple>

namespace {

// The parts of an individual's score, as the database's score gives them (see
// merge_score_bounds.cpp): a name apart from an equal given name gives at most 10, a birth
// at most 50 on the same date and 20 within reach, the parents at most 125 and the spouse 50.
constexpr int kNameOpen = 10;
constexpr int kBirthSame = 50;
constexpr int kBirthNear = 20;
constexpr int kParentsHighest = 125;
constexpr int kSpouseHighest = 50;
// Dates ten or more years apart score below 0; a margin of one year covers the months.
constexpr int kReach = 11;

bool OppositeSexes(std::uint8_t a, std::uint8_t b)
{
    return (a == 0 && b == 1) || (a == 1 && b == 0);
}

} // namespace

std::optional<int> PlacedBirthYear(const CIndRec& individual)
{
    const CDateNode* birth = individual.GetBirthDate();
    if (!birth)
        return std::nullopt;
    const CDateValue& first = birth->GetFirstValue();
    if (!first.IsValid() || birth->GetLatestValue() != &first || first.IsBC() ||
        first.GetYear() < 100)
        return std::nullopt;
    return first.GetYear();
}

CIndividualBlocks::CIndividualBlocks(const std::vector<CRecordNode*>& currents,
                                     const CIndCompareKeyMap& keys)
    : m_keys(keys)
{
    // Surnames and given names as numbers, so that the people compare them by value.
    for (const CRecordNode* record : currents) {
        const CIndCompareKeys* own = KeysOf(record);
        if (own && own->m_surname)
            m_surnameIds.emplace(*own->m_surname, std::int32_t(m_surnameIds.size()));
        if (own && own->m_givenName)
            m_givenIds.emplace(*own->m_givenName, std::int32_t(m_givenIds.size()));
    }
    m_people.reserve(currents.size());
    for (const CRecordNode* record : currents) {
        m_people.push_back(Describe(record));
        m_unindexed = m_unindexed || !m_people.back().indexed;
    }
    // The last list holds the individuals without a surname.
    m_bySurname.resize(m_surnameIds.size() + 1);
    std::vector<std::vector<std::tuple<int, std::uint8_t, std::uint32_t>>> order(
        m_bySurname.size());
    for (std::uint32_t position = 0; position < m_people.size(); ++position) {
        const Person& person = m_people[position];
        if (!person.indexed)
            continue;
        const std::size_t list = person.surname < 0 ? m_surnameIds.size() : person.surname;
        order[list].emplace_back(person.year, person.sex, position);
        if (person.surname >= 0 && person.given >= 0) {
            const std::uint64_t key = std::uint64_t(person.surname) << 32 | person.given;
            m_namesakes[key].emplace_back(person.year, position);
        }
    }
    m_blockOf.assign(m_people.size(), 0);
    m_claims.assign(m_people.size(), kUnclaimed);
    for (std::size_t list = 0; list < order.size(); ++list) {
        std::sort(order[list].begin(), order[list].end());
        Blocks& blocks = m_bySurname[list];
        for (const auto& [year, sex, position] : order[list]) {
            if (blocks.empty() || blocks.back().year != year || blocks.back().sex != sex) {
                blocks.emplace_back();
                blocks.back().year = year;
                blocks.back().sex = sex;
            }
            Block& block = blocks.back();
            const Person& person = m_people[position];
            block.anyParents = block.anyParents || person.parents;
            block.anySpouse = block.anySpouse || person.spouse;
            block.anyGivenOpen = block.anyGivenOpen || person.given < 0;
            ++block.unclaimed;
            block.members.push_back(position);
            m_blockOf[position] = std::uint32_t(blocks.size() - 1);
        }
    }
    for (auto& [key, namesakes] : m_namesakes)
        std::sort(namesakes.begin(), namesakes.end());
}

const CIndCompareKeys* CIndividualBlocks::KeysOf(const CRecordNode* record) const
{
    const CIndRec* individual = AsIndividual(record);
    const auto found = individual ? m_keys.find(individual) : m_keys.end();
    return found == m_keys.end() ? nullptr : &found->second;
}

std::int32_t CIndividualBlocks::IdOf(const std::unordered_map<std::string, std::int32_t>& ids,
                                     const std::optional<std::string>& text)
{
    if (!text)
        return -1;
    const auto found = ids.find(*text);
    return found == ids.end() ? -2 : found->second; // -2: a text no current individual has
}

CIndividualBlocks::Person CIndividualBlocks::Describe(const CRecordNode* record) const
{
    Person person;
    const CIndCompareKeys* keys = KeysOf(record);
    if (!keys)
        return person;
    const CIndRec& individual = *AsIndividual(record);
    person.indexed = true;
    person.surname = IdOf(m_surnameIds, keys->m_surname);
    person.given = IdOf(m_givenIds, keys->m_givenName);
    person.year = PlacedBirthYear(individual).value_or(kNoYear);
    person.birth = individual.GetBirthDate() != nullptr;
    person.sex = keys->m_male ? 0 : keys->m_female ? 1 : 2;
    person.parents = individual.GetNextParentFamily(nullptr) != nullptr;
    person.spouse = individual.GetNextSpouseFamily(nullptr) != nullptr;
    return person;
}

void CIndividualBlocks::SetClaim(std::uint32_t position, std::optional<int> score)
{
    const Person& person = m_people[position];
    if (!person.indexed)
        return;
    Block& block =
        m_bySurname[person.surname < 0 ? m_bySurname.size() - 1 : std::size_t(person.surname)]
                   [m_blockOf[position]];
    const bool wasClaimed = m_claims[position] != kUnclaimed;
    if (score) {
        block.unclaimed -= !wasClaimed;
        block.lowestClaim = std::min(block.lowestClaim, *score);
        m_claims[position] = *score;
    } else {
        block.unclaimed += wasClaimed;
        m_claims[position] = kUnclaimed;
    }
}

int CIndividualBlocks::BlockBound(const Block& block, const Person& incoming, bool sameSurname,
                                  bool incomingHasBirth) const
{
    // A namesake of the new individual is looked up apart; any other member of its surname
    // scores at most 10 by name (0 with both given names present), one without a surname 0.
    const int name = sameSurname && (incoming.given == -1 || block.anyGivenOpen) ? kNameOpen : 0;
    int birth = 0;
    if (incomingHasBirth)
        birth = block.year == kNoYear || incoming.year == kNoYear || block.year == incoming.year
                    ? kBirthSame
                    : kBirthNear;
    const int relatives = (incoming.parents && block.anyParents ? kParentsHighest : 0) +
                          (incoming.spouse && block.anySpouse ? kSpouseHighest : 0);
    return name + birth + relatives;
}

std::optional<IndividualBest>
CIndividualBlocks::FindBest(const CRecordNode& incoming, const CScoreBounds& bounds,
                            const std::function<int(std::uint32_t)>& score) const
{
    if (m_unindexed)
        return std::nullopt;
    const Person mine = Describe(&incoming);
    // Without a surname every current individual of an equal given name is in reach.
    if (!mine.indexed || mine.surname == -1)
        return std::nullopt;
    const bool placed = mine.year != kNoYear;

    // The blocks within reach of the new individual's birth: those without a year, then (for a
    // placed birth) those born within the reach, else all.
    const auto forEachBlock = [&](const auto& visit) {
        const auto visitList = [&](const Blocks& blocks, bool sameSurname) {
            auto from = blocks.begin();
            for (; from != blocks.end() && from->year == kNoYear; ++from) {
                if (!OppositeSexes(from->sex, mine.sex))
                    visit(*from, sameSurname);
            }
            if (placed)
                from = std::lower_bound(from, blocks.end(), mine.year - kReach,
                                        [](const Block& b, int year) { return b.year < year; });
            for (; from != blocks.end() && (!placed || from->year <= mine.year + kReach); ++from) {
                if (!OppositeSexes(from->sex, mine.sex))
                    visit(*from, sameSurname);
            }
        };
        if (mine.surname >= 0)
            visitList(m_bySurname[std::size_t(mine.surname)], true);
        visitList(m_bySurname.back(), false);
    };
    const Namesakes* namesakes = nullptr;
    if (mine.surname >= 0 && mine.given >= 0) {
        const auto found = m_namesakes.find(std::uint64_t(mine.surname) << 32 | mine.given);
        if (found != m_namesakes.end())
            namesakes = &found->second;
    }
    const auto forEachNamesake = [&](const auto& visit) {
        if (!namesakes)
            return;
        auto from = namesakes->begin();
        for (; from != namesakes->end() && from->first == kNoYear; ++from) {
            if (!OppositeSexes(m_people[from->second].sex, mine.sex))
                visit(from->second);
        }
        if (placed)
            from = std::lower_bound(from, namesakes->end(),
                                    std::pair<int, std::uint32_t>(mine.year - kReach, 0));
        for (; from != namesakes->end() && (!placed || from->first <= mine.year + kReach); ++from) {
            if (!OppositeSexes(m_people[from->second].sex, mine.sex))
                visit(from->second);
        }
    };
    const auto isNamesake = [&](std::uint32_t position, bool sameSurname) {
        return sameSurname && mine.given >= 0 && m_people[position].given == mine.given;
    };

    // The winner: the first current individual with the highest score above 0 that it may
    // claim. Namesakes first, as the likeliest, so that the blocks meet a high floor.
    IndividualBest best;
    const auto floorAt = [&](std::uint32_t position) {
        return best.found && position < best.position ? best.score - 1 : best.score;
    };
    const auto consider = [&](std::uint32_t position) {
        const int claim = m_claims[position];
        const bool claimed = claim != kUnclaimed;
        const int floor = floorAt(position);
        if ((claimed && !bounds.CouldExceed(position, claim)) ||
            !bounds.CouldExceed(position, floor))
            return;
        const int value = score(position);
        if (value <= floor || (claimed && value <= claim))
            return;
        best = {true, position, value};
    };
    forEachNamesake(consider);
    forEachBlock([&](const Block& block, bool sameSurname) {
        const int bound = BlockBound(block, mine, sameSurname, mine.birth);
        const int floor =
            best.found && block.members.front() < best.position ? best.score - 1 : best.score;
        if (bound <= floor || (block.unclaimed == 0 && block.lowestClaim >= bound))
            return;
        for (const std::uint32_t position : block.members) {
            if (!isNamesake(position, sameSurname))
                consider(position);
        }
    });
    if (!best.found)
        return best;

    // A claimed record before the winner that it would take from its claim: the scan would
    // take it over on the way when it is the best so far there.
    bool takenOnTheWay = false;
    const auto check = [&](std::uint32_t position) {
        const int claim = m_claims[position];
        if (takenOnTheWay || claim == kUnclaimed || position >= best.position ||
            !bounds.CouldExceed(position, claim))
            return;
        takenOnTheWay = score(position) > claim;
    };
    forEachNamesake(check);
    forEachBlock([&](const Block& block, bool sameSurname) {
        if (takenOnTheWay || block.members.front() >= best.position ||
            block.lowestClaim >= BlockBound(block, mine, sameSurname, mine.birth))
            return;
        for (const std::uint32_t position : block.members) {
            if (position >= best.position)
                break;
            if (!isNamesake(position, sameSurname))
                check(position);
        }
    });
    if (takenOnTheWay)
        return std::nullopt;
    return best;
}
