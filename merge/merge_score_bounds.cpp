// merge/merge_score_bounds.cpp: bounds of the individuals' scores.
#include "merge/merge_score_bounds.h"

#include "database/dates/date_node.h"
#include "database/kin/ind_compare_keys.h"
#include "database/kin/ind_rec.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

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

} // namespace

std::optional<std::pair<int, int>> BirthYearSpan(const CDateNode* birth)
{
    if (!birth)
        return std::nullopt;
    const CDateValue& first = birth->GetFirstValue();
    const CDateValue* latest = birth->GetLatestValue();
    const auto adYear = [](const CDateValue& value) {
        return value.IsValid() && !value.IsBC() && value.GetYear() >= 100;
    };
    if (!latest || !adYear(first) || !adYear(*latest))
        return std::nullopt;
    return std::minmax(first.GetYear(), latest->GetYear());
}

CScoreBounds::CScoreBounds(const std::vector<CRecordNode*>& currents)
{
    m_currents.reserve(currents.size());
    for (const CRecordNode* record : currents)
        m_currents.push_back(Of(record));
}

CScoreBounds::Person CScoreBounds::Of(const CRecordNode* record)
{
    Person person;
    const CIndRec* individual = AsIndividual(record);
    const CIndScorePerson* scored = individual ? FindScorePerson(*individual) : nullptr;
    if (!scored || !scored->keys)
        return person;
    person.keyed = true;
    person.scored = scored;
    person.surname = scored->surname;
    person.given = scored->given;
    person.nameHash = scored->nameHash;
    person.manyWords = scored->manyWords;
    person.birth = scored->birth;
    person.year = scored->birthYear;
    person.monthDay = scored->birthMonthDay;
    if (const auto span = BirthYearSpan(scored->birth)) {
        person.spanned = true;
        std::tie(person.spanFrom, person.spanTo) = *span;
    }
    person.parents = scored->parents;
    person.spouse = scored->spouse;
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
        } else if (mine.spanned && theirs.spanned &&
                   std::max(mine.spanFrom - theirs.spanTo, theirs.spanFrom - mine.spanTo) >=
                       kBirthBeyondReach &&
                   floor >= kBirthMedium) {
            // Spans that far apart are below 0 (at most kBirthMedium) without reading the dates.
            return false;
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

std::optional<int> CScoreBounds::Score(std::uint32_t position) const
{
    const Person& mine = m_currents[position];
    if (!mine.keyed || !m_incoming.keyed)
        return std::nullopt;
    return ScoreKeyedIndividuals(*mine.scored, *m_incoming.scored);
}
