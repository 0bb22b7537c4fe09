// merge/merge_score_bounds.cpp: bounds of the individuals' scores.
#include "merge/merge_score_bounds.h"

#include "database/dates/date_node.h"
#include "database/kin/ind_rec.h"

namespace {

// The parts of an individual's score, as the database's score gives them.
constexpr int kNameHighest = 100;
constexpr int kNameOneOpen = 10;
constexpr int kNameDifferent = -100;
constexpr int kParentsHighest = 125;
constexpr int kSpouseHighest = 50;
constexpr int kBirthSame = 50, kBirthNear = 20, kBirthMedium = -50, kBirthFar = -100;

} // namespace

CScoreBounds::CScoreBounds(const std::vector<CRecordNode*>& currents, const CIndCompareKeyMap& keys)
    : m_keys(keys)
{
    m_currents.reserve(currents.size());
    for (const CRecordNode* record : currents)
        m_currents.push_back(Of(record));
}

CScoreBounds::Person CScoreBounds::Of(const CRecordNode* record) const
{
    Person person;
    if (const CIndRec* individual = AsIndividual(record)) {
        const auto found = m_keys.find(individual);
        person.keys = found == m_keys.end() ? nullptr : &found->second;
        person.birth = individual->GetBirthDate();
        person.parents = individual->GetNextParentFamily(nullptr) != nullptr;
        person.spouse = individual->GetNextSpouseFamily(nullptr) != nullptr;
    }
    return person;
}

void CScoreBounds::SetIncoming(const CRecordNode* incoming)
{
    m_incoming = Of(incoming);
}

bool CScoreBounds::CouldExceed(std::uint32_t position, int floor) const
{
    const Person& mine = m_currents[position];
    const CIndCompareKeys* a = mine.keys;
    const CIndCompareKeys* b = m_incoming.keys;
    if (!a || !b)
        return true;
    const bool surnameOpen = !a->m_surname || !b->m_surname;
    const bool givenOpen = !a->m_givenName || !b->m_givenName;
    int name = kNameHighest;
    if (!givenOpen && *a->m_givenName != *b->m_givenName)
        name = surnameOpen ? kNameDifferent : 0;
    else if (surnameOpen != givenOpen)
        name = kNameOneOpen;
    else if (surnameOpen)
        name = 0;
    // A name below 0 ends the score there.
    if (name < 0)
        return name > floor;
    const int relatives = (mine.parents && m_incoming.parents ? kParentsHighest : 0) +
                          (mine.spouse && m_incoming.spouse ? kSpouseHighest : 0);
    if (name + kBirthSame + relatives <= floor)
        return false;
    const int birth = mine.birth && m_incoming.birth
                          ? mine.birth->ClassifyCloseness(*m_incoming.birth, kBirthSame, kBirthNear,
                                                          kBirthMedium, kBirthFar)
                          : 0;
    // So does a birth below 0.
    if (birth < 0)
        return birth > floor;
    return name + birth + relatives > floor;
}
