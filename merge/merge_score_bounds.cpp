// merge/merge_score_bounds.cpp: bounds of the individuals' scores.
#include "merge/merge_score_bounds.h"

#include "database/dates/date_node.h"
#include "database/fields/name_node.h"
#include "database/kin/ind_compare_keys.h"
#include "database/kin/ind_rec.h"

#include <cstdlib>

namespace {

// The parts of an individual's score, as the database's score gives them.
constexpr int kNameHighest = 100;
constexpr int kNameShort = 50; // the same name parts without the same text of over two words
constexpr int kNameOneOpen = 10;
constexpr int kNameDifferent = -100;
constexpr int kParentsHighest = 125;
constexpr int kSpouseHighest = 50;
constexpr int kBirthSame = 50, kBirthNear = 20, kBirthMedium = -50, kBirthFar = -100;
// Single dates this many years apart or more are at least ten completed years apart.
constexpr int kBirthBeyondReach = 12;

std::int32_t IdOf(std::unordered_map<std::string, std::int32_t>& ids,
                  const std::optional<std::string>& text, bool add)
{
    if (!text)
        return -1;
    if (const auto found = ids.find(*text); found != ids.end())
        return found->second;
    if (!add)
        return -2;
    return ids.emplace(*text, std::int32_t(ids.size())).first->second;
}

} // namespace

CScoreBounds::CScoreBounds(const std::vector<CRecordNode*>& currents, const CIndCompareKeyMap& keys)
    : m_keys(keys)
{
    for (const CRecordNode* record : currents) {
        const CIndRec* individual = AsIndividual(record);
        const auto found = individual ? m_keys.find(individual) : m_keys.end();
        if (found == m_keys.end())
            continue;
        IdOf(m_surnameIds, found->second.m_surname, true);
        IdOf(m_givenIds, found->second.m_givenName, true);
    }
    m_currents.reserve(currents.size());
    for (const CRecordNode* record : currents)
        m_currents.push_back(Of(record));
}

CScoreBounds::Person CScoreBounds::Of(const CRecordNode* record) const
{
    Person person;
    const CIndRec* individual = AsIndividual(record);
    if (!individual)
        return person;
    const auto found = m_keys.find(individual);
    if (found == m_keys.end())
        return person;
    const CIndCompareKeys& keys = found->second;
    auto& self = const_cast<CScoreBounds&>(*this);
    person.keyed = true;
    person.surname = IdOf(self.m_surnameIds, keys.m_surname, false);
    person.given = IdOf(self.m_givenIds, keys.m_givenName, false);
    person.nameHash = keys.m_nameHash;
    const CNameNode* name = individual->GetName();
    person.manyWords = name && CountNameWords(name->GetValue()) > 2;
    person.birth = individual->GetBirthDate();
    person.monthDay = -1;
    if (person.birth) {
        const CDateValue& first = person.birth->GetFirstValue();
        if (first.IsValid() && person.birth->GetLatestValue() == &first && !first.IsBC() &&
            first.GetYear() >= 100) {
            person.year = first.GetYear();
            person.monthDay = first.GetMonth() * 100 + first.GetDay();
        }
    }
    person.parents = individual->GetNextParentFamily(nullptr) != nullptr;
    person.spouse = individual->GetNextSpouseFamily(nullptr) != nullptr;
    return person;
}

void CScoreBounds::SetIncoming(const CRecordNode* incoming)
{
    m_incoming = Of(incoming);
}

bool CScoreBounds::CouldExceed(std::uint32_t position, int floor) const
{
    const Person& mine = m_currents[position];
    const Person& theirs = m_incoming;
    if (!mine.keyed || !theirs.keyed)
        return true;
    const bool surnameOpen = mine.surname == -1 || theirs.surname == -1;
    const bool givenOpen = mine.given == -1 || theirs.given == -1;
    // Numbers -2 stand for texts no current individual has: never equal to a current one's.
    if (!surnameOpen && mine.surname != theirs.surname)
        return kNameDifferent > floor;
    const bool sameHash = mine.nameHash == theirs.nameHash;
    int name = 0;
    if (!givenOpen && mine.given != theirs.given)
        name = surnameOpen ? kNameDifferent : 0;
    else if (surnameOpen != givenOpen)
        name = sameHash && (surnameOpen ? mine.surname == -1 && theirs.surname == -1
                                        : mine.given == -1 && theirs.given == -1)
                   ? kNameOneOpen
                   : 0;
    else if (!surnameOpen)
        name = sameHash && mine.manyWords ? kNameHighest : kNameShort;
    // A name below 0 ends the score there.
    if (name < 0)
        return name > floor;
    const int relatives = (mine.parents && theirs.parents ? kParentsHighest : 0) +
                          (mine.spouse && theirs.spouse ? kSpouseHighest : 0);
    if (name + kBirthSame + relatives <= floor)
        return false;
    int birth = 0;
    if (mine.birth && theirs.birth) {
        if (mine.monthDay >= 0 && theirs.monthDay >= 0) {
            // Single dates: the same day at most, else near at most, else below 0.
            if (std::abs(mine.year - theirs.year) >= kBirthBeyondReach)
                birth = kBirthMedium;
            else if (mine.year == theirs.year && mine.monthDay == theirs.monthDay)
                birth = kBirthSame;
            else
                birth = kBirthNear;
        } else {
            birth = mine.birth->ClassifyCloseness(*theirs.birth, kBirthSame, kBirthNear,
                                                  kBirthMedium, kBirthFar);
        }
    }
    // So does a birth below 0.
    if (birth < 0)
        return birth > floor;
    return name + birth + relatives > floor;
}
