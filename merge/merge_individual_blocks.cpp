// merge/merge_individual_blocks.cpp: the blocks of current individuals and the search for a new
// individual's best match through them.
#include "merge/merge_individual_blocks.h"

#include "database/dates/date_node.h"
#include "database/kin/ind_rec.h"
#include "merge/merge_score_bounds.h"

#include <algorithm>
#include <bit>
#include <tuple>

namespace {

// The parts of an individual's score, as the database's score gives them (see
// merge_score_bounds.cpp): a name apart from an equal given name gives at most 10, a birth
// at most 50 on the same date and 20 within reach, the parents at most 125 and the spouse 50.
constexpr int kNameOpen = 10;
// An equal surname and given name give 50, or 100 for the same text of more than two words.
constexpr int kNamePartial = 50;
constexpr int kNameStrong = 100;
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

CIndividualBlocks::CIndividualBlocks(const std::vector<CRecordNode*>& currents)
{
    // The current surnames numbered from 0, so that each has its list of blocks.
    for (const CRecordNode* record : currents) {
        const CIndScorePerson* scored = Scored(record);
        if (!scored || scored->surname < 0)
            continue;
        if (m_surnameLists.size() <= std::size_t(scored->surname))
            m_surnameLists.resize(std::size_t(scored->surname) + 1, -1);
        std::int32_t& list = m_surnameLists[std::size_t(scored->surname)];
        if (list < 0)
            list = m_surnameCount++;
    }
    m_people.reserve(currents.size());
    for (const CRecordNode* record : currents) {
        m_people.push_back(Describe(record));
        m_unindexed = m_unindexed || !m_people.back().indexed;
    }
    // The last list holds the individuals without a surname.
    m_bySurname.resize(std::size_t(m_surnameCount) + 1);
    std::vector<std::vector<std::tuple<int, std::uint8_t, std::uint32_t>>> order(
        m_bySurname.size());
    for (std::uint32_t position = 0; position < m_people.size(); ++position) {
        const Person& person = m_people[position];
        if (!person.indexed)
            continue;
        const std::size_t list =
            person.surname < 0 ? std::size_t(m_surnameCount) : std::size_t(person.surname);
        order[list].emplace_back(person.year, person.sex, position);
        if (person.surname >= 0 && person.given >= 0) {
            const std::uint64_t key = std::uint64_t(person.surname) << 32 | person.given;
            m_namesakes[key].members.push_back({person.year, position, person.sex,
                                                std::uint8_t(person.Kind()), person.manyWords,
                                                person.birth});
        }
    }
    m_blockOf.assign(m_people.size(), 0);
    m_slotOf.assign(m_people.size(), 0);
    m_claims.assign(m_people.size(), kUnclaimed);
    for (std::size_t list = 0; list < order.size(); ++list) {
        std::sort(order[list].begin(), order[list].end());
        std::vector<Block>& blocks = m_bySurname[list].blocks;
        for (const auto& [year, sex, position] : order[list]) {
            if (blocks.empty() || blocks.back().year != year || blocks.back().sex != sex) {
                blocks.emplace_back();
                blocks.back().year = year;
                blocks.back().sex = sex;
            }
            Block& block = blocks.back();
            block.members.push_back(position);
            m_blockOf[position] = std::uint32_t(blocks.size() - 1);
        }
        // The lists grew by doubling and are kept through the whole compare.
        blocks.shrink_to_fit();
        std::vector<Summary>& runs = m_bySurname[list].runs;
        runs.resize((blocks.size() + kRun - 1) / kRun);
        for (std::size_t index = 0; index < blocks.size(); ++index) {
            Block& block = blocks[index];
            std::sort(block.members.begin(), block.members.end());
            block.members.shrink_to_fit();
            block.kinds.reserve(block.members.size());
            block.claims.assign(block.members.size(), kUnclaimed);
            for (std::uint32_t slot = 0; slot < block.members.size(); ++slot) {
                const std::uint32_t position = block.members[slot];
                block.kinds.push_back(std::uint8_t(m_people[position].Kind()));
                m_slotOf[position] = slot;
            }
            for (Summary* summary : {static_cast<Summary*>(&block), &runs[index / kRun]}) {
                for (const std::uint32_t position : block.members) {
                    const Person& person = m_people[position];
                    summary->anyGivenOpen = summary->anyGivenOpen || person.given < 0;
                    summary->firstMember = std::min(summary->firstMember, position);
                    ++summary->count[std::size_t(person.Kind())];
                    ++summary->unclaimed[std::size_t(person.Kind())];
                }
            }
        }
    }
    m_namesakesOf.assign(m_people.size(), nullptr);
    m_namesakeIndex.assign(m_people.size(), 0);
    for (auto& [key, namesakes] : m_namesakes) {
        std::vector<Namesake>& members = namesakes.members;
        std::sort(members.begin(), members.end());
        members.shrink_to_fit();
        namesakes.open.assign((members.size() + 63) / 64, ~std::uint64_t(0));
        for (std::uint32_t index = 0; index < members.size(); ++index) {
            const Namesake& namesake = members[index];
            namesakes.anyManyWords = namesakes.anyManyWords || namesake.manyWords;
            namesakes.anyBirth = namesakes.anyBirth || namesake.birth;
            namesakes.anyParents = namesakes.anyParents || (namesake.kind & 2) != 0;
            namesakes.anySpouse = namesakes.anySpouse || (namesake.kind & 1) != 0;
            m_namesakesOf[namesake.position] = &namesakes;
            m_namesakeIndex[namesake.position] = index;
        }
    }
}

int CIndividualBlocks::Namesake::Highest() const
{
    return (manyWords ? kNameStrong : kNamePartial) + (birth ? kBirthSame : 0) +
           ((kind & 2) != 0 ? kParentsHighest : 0) + ((kind & 1) != 0 ? kSpouseHighest : 0);
}

std::size_t CIndividualBlocks::Namesakes::NextOpen(std::size_t from, std::size_t to) const
{
    while (from < to) {
        const std::uint64_t bits = open[from / 64] >> (from % 64);
        if (bits != 0)
            return std::min(to, from + std::size_t(std::countr_zero(bits)));
        from = (from / 64 + 1) * 64;
    }
    return to;
}

std::size_t CIndividualBlocks::Namesakes::YearBound(int year, bool after) const
{
    const auto below = [after](const Namesake& namesake, int y) {
        return after ? namesake.year <= y : namesake.year < y;
    };
    return std::size_t(std::lower_bound(members.begin(), members.end(), year, below) -
                       members.begin());
}

const CIndScorePerson* CIndividualBlocks::Scored(const CRecordNode* record)
{
    const CIndRec* individual = AsIndividual(record);
    const CIndScorePerson* scored = individual ? FindScorePerson(*individual) : nullptr;
    return scored && scored->keys ? scored : nullptr;
}

CIndividualBlocks::Person CIndividualBlocks::Describe(const CRecordNode* record) const
{
    Person person;
    const CIndScorePerson* scored = Scored(record);
    if (!scored)
        return person;
    person.indexed = true;
    if (scored->surname >= 0) {
        const auto number = std::size_t(scored->surname);
        const bool current = number < m_surnameLists.size() && m_surnameLists[number] >= 0;
        person.surname = current ? m_surnameLists[number] : -2;
    }
    person.given = scored->given;
    person.year = scored->birthMonthDay >= 0 ? scored->birthYear : kNoYear;
    if (const auto span = BirthYearSpan(scored->birth)) {
        person.spanned = true;
        std::tie(person.spanFrom, person.spanTo) = *span;
    }
    person.birth = scored->birth != nullptr;
    person.sex = scored->keys->m_male ? 0 : scored->keys->m_female ? 1 : 2;
    person.parents = scored->parents;
    person.spouse = scored->spouse;
    person.manyWords = scored->manyWords;
    return person;
}

void CIndividualBlocks::Claim(Summary& summary, std::size_t kind, bool wasClaimed,
                              std::optional<int> score)
{
    if (score) {
        summary.unclaimed[kind] -= !wasClaimed;
        summary.lowestClaim[kind] = std::min(summary.lowestClaim[kind], *score);
    } else {
        summary.unclaimed[kind] += wasClaimed;
    }
}

void CIndividualBlocks::SetClaim(std::uint32_t position, std::optional<int> score)
{
    const Person& person = m_people[position];
    if (!person.indexed)
        return;
    Blocks& list =
        m_bySurname[person.surname < 0 ? m_bySurname.size() - 1 : std::size_t(person.surname)];
    const auto kind = std::size_t(person.Kind());
    const bool wasClaimed = m_claims[position] != kUnclaimed;
    Block& block = list.blocks[m_blockOf[position]];
    Claim(block, kind, wasClaimed, score);
    block.claims[m_slotOf[position]] = score.value_or(kUnclaimed);
    Claim(list.runs[m_blockOf[position] / kRun], kind, wasClaimed, score);
    m_claims[position] = score.value_or(kUnclaimed);
    if (Namesakes* namesakes = m_namesakesOf[position]) {
        const std::uint32_t index = m_namesakeIndex[position];
        const std::uint64_t bit = std::uint64_t(1) << (index % 64);
        const bool closed = score && *score >= namesakes->members[index].Highest();
        std::uint64_t& word = namesakes->open[index / 64];
        word = closed ? word & ~bit : word | bit;
    }
}

std::array<int, CIndividualBlocks::kKinds> CIndividualBlocks::BlockBounds(const Summary& block,
                                                                          int year,
                                                                          const Person& incoming,
                                                                          bool sameSurname)
{
    // A namesake of the new individual is looked up apart; any other member of its surname
    // scores at most 10 by name (0 with both given names present), one without a surname 0.
    const int name = sameSurname && (incoming.given == -1 || block.anyGivenOpen) ? kNameOpen : 0;
    int birth = 0;
    if (incoming.birth)
        birth = year == kNoYear || incoming.year == kNoYear || year == incoming.year ? kBirthSame
                                                                                     : kBirthNear;
    const int parents = incoming.parents ? kParentsHighest : 0;
    const int spouse = incoming.spouse ? kSpouseHighest : 0;
    return {name + birth, name + birth + spouse, name + birth + parents,
            name + birth + parents + spouse};
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
    // birth with a span of years) those born within the reach of the span, else all, by runs
    // that could hold a block the caller opens (passes).
    const auto forEachBlock = [&](const auto& passes, const auto& visit) {
        const auto visitList = [&](const Blocks& list, bool sameSurname) {
            const std::vector<Block>& blocks = list.blocks;
            auto from = blocks.begin();
            for (; from != blocks.end() && from->year == kNoYear; ++from) {
                if (!OppositeSexes(from->sex, mine.sex))
                    visit(*from, sameSurname);
            }
            if (!mine.spanned) {
                for (auto index = std::size_t(from - blocks.begin()); index < blocks.size();) {
                    if (index % kRun == 0 &&
                        !passes(list.runs[index / kRun], kNoYear, sameSurname)) {
                        index += kRun;
                        continue;
                    }
                    if (!OppositeSexes(blocks[index].sex, mine.sex))
                        visit(blocks[index], sameSurname);
                    ++index;
                }
                return;
            }
            from = std::lower_bound(from, blocks.end(), mine.spanFrom - kReach,
                                    [](const Block& b, int year) { return b.year < year; });
            for (; from != blocks.end() && from->year <= mine.spanTo + kReach; ++from) {
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
    // The most any namesake could score against the new individual.
    int namesakeReach = 0;
    if (namesakes) {
        namesakeReach = (namesakes->anyManyWords ? kNameStrong : kNamePartial) +
                        (namesakes->anyBirth && mine.birth ? kBirthSame : 0) +
                        (namesakes->anyParents && mine.parents ? kParentsHighest : 0) +
                        (namesakes->anySpouse && mine.spouse ? kSpouseHighest : 0);
    }
    // The open namesakes of [from, to) not of the opposite sex, in order; when visit answers
    // false, the rest of that namesake's year is passed over (its positions only grow).
    const auto walk = [&](std::size_t from, std::size_t to, const auto& visit) {
        for (std::size_t index = namesakes->NextOpen(from, to); index < to;) {
            const Namesake& namesake = namesakes->members[index];
            const bool goOn = OppositeSexes(namesake.sex, mine.sex) || visit(namesake);
            index = namesakes->NextOpen(
                goOn ? index + 1 : std::min(to, namesakes->YearBound(namesake.year, true)), to);
        }
    };
    // Those without a year, then those within reach of a spanned birth (else all), those of
    // the new individual's own year left out with sameYearApart.
    const auto forEachNamesake = [&](const auto& visit, bool sameYearApart) {
        if (!namesakes)
            return;
        const std::size_t dated = namesakes->YearBound(kNoYear, true);
        walk(0, dated, visit);
        std::size_t from = dated, to = namesakes->members.size();
        if (mine.spanned) {
            from = std::max(from, namesakes->YearBound(mine.spanFrom - kReach, false));
            to = std::max(from, namesakes->YearBound(mine.spanTo + kReach, true));
        }
        if (!sameYearApart || !placed) {
            walk(from, to, visit);
            return;
        }
        const std::size_t sameFrom = std::clamp(namesakes->YearBound(mine.year, false), from, to);
        const std::size_t sameTo = std::clamp(namesakes->YearBound(mine.year, true), sameFrom, to);
        walk(from, sameFrom, visit);
        walk(sameTo, to, visit);
    };
    const auto isNamesake = [&](std::uint32_t position, bool sameSurname) {
        return sameSurname && mine.given >= 0 && m_people[position].given == mine.given;
    };

    // The winner: the first current individual with the highest score above 0 that it may
    // claim. Namesakes first, as the likeliest, so that the blocks meet a high floor.
    IndividualBest best;
    // Past the best so far in a year, whether no namesake could beat it.
    const auto beaten = [&](const Namesake& namesake) {
        return best.found && namesake.position > best.position && best.score >= namesakeReach;
    };
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
    // Those born the same year first: the likeliest of all.
    if (placed && namesakes) {
        walk(namesakes->YearBound(mine.year, false), namesakes->YearBound(mine.year, true),
             [&](const Namesake& namesake) {
                 if (beaten(namesake))
                     return false;
                 consider(namesake.position);
                 return true;
             });
    }
    // The most a namesake born in another year than a placed birth could score: the dates
    // differ, so the birth gives at most 20.
    const auto otherYearReach = [&](const Namesake& namesake) {
        const bool parents = (namesake.kind & 2) != 0 && mine.parents;
        const bool spouse = (namesake.kind & 1) != 0 && mine.spouse;
        return (namesake.manyWords ? kNameStrong : kNamePartial) + kBirthNear +
               (parents ? kParentsHighest : 0) + (spouse ? kSpouseHighest : 0);
    };
    forEachNamesake(
        [&](const Namesake& namesake) {
            if (beaten(namesake))
                return false;
            if (!placed || namesake.year == kNoYear ||
                otherYearReach(namesake) > floorAt(namesake.position))
                consider(namesake.position);
            return true;
        },
        true);
    // The kinds of member of a block (or a run of them) that could give a winner.
    const auto winnerKinds = [&](const Summary& block, int year, bool sameSurname) {
        const auto reach = BlockBounds(block, year, mine, sameSurname);
        const int floor =
            best.found && block.firstMember < best.position ? best.score - 1 : best.score;
        std::array<bool, kKinds> open{};
        bool any = false;
        for (std::size_t kind = 0; kind < kKinds; ++kind) {
            open[kind] = block.count[kind] > 0 && reach[kind] > floor &&
                         (block.unclaimed[kind] > 0 || block.lowestClaim[kind] < reach[kind]);
            any = any || open[kind];
        }
        return std::pair(any, open);
    };
    forEachBlock([&](const Summary& run, int year,
                     bool sameSurname) { return winnerKinds(run, year, sameSurname).first; },
                 [&](const Block& block, bool sameSurname) {
                     const auto [any, open] = winnerKinds(block, block.year, sameSurname);
                     if (!any)
                         return;
                     const auto reach = BlockBounds(block, block.year, mine, sameSurname);
                     for (std::size_t slot = 0; slot < block.members.size(); ++slot) {
                         // A claim the member cannot pass keeps it.
                         const std::size_t kind = block.kinds[slot];
                         if (!open[kind] || block.claims[slot] >= reach[kind])
                             continue;
                         const std::uint32_t position = block.members[slot];
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
    forEachNamesake(
        [&](const Namesake& namesake) {
            if (takenOnTheWay || namesake.position >= best.position)
                return false;
            check(namesake.position);
            return true;
        },
        false);
    // The kinds of member of a block (or a run of them) that could be taken on the way.
    const auto takenKinds = [&](const Summary& block, int year, bool sameSurname) {
        std::array<bool, kKinds> open{};
        bool any = false;
        if (takenOnTheWay || block.firstMember >= best.position)
            return std::pair(any, open);
        const auto reach = BlockBounds(block, year, mine, sameSurname);
        for (std::size_t kind = 0; kind < kKinds; ++kind) {
            open[kind] = block.lowestClaim[kind] < reach[kind];
            any = any || open[kind];
        }
        return std::pair(any, open);
    };
    forEachBlock([&](const Summary& run, int year,
                     bool sameSurname) { return takenKinds(run, year, sameSurname).first; },
                 [&](const Block& block, bool sameSurname) {
                     const auto [any, open] = takenKinds(block, block.year, sameSurname);
                     if (!any)
                         return;
                     const auto reach = BlockBounds(block, block.year, mine, sameSurname);
                     for (std::size_t slot = 0; slot < block.members.size(); ++slot) {
                         const std::uint32_t position = block.members[slot];
                         if (position >= best.position)
                             break;
                         // Only a claim below what the member could score can be taken.
                         const std::size_t kind = block.kinds[slot];
                         if (!open[kind] || block.claims[slot] == kUnclaimed ||
                             block.claims[slot] >= reach[kind])
                             continue;
                         if (!isNamesake(position, sameSurname))
                             check(position);
                     }
                 });
    if (takenOnTheWay)
        return std::nullopt;
    return best;
}
