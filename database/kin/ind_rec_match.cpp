// database/kin/ind_rec_match.cpp: CIndRec: the match score of two individuals, and the compare keys
// it reads while a compare of two files runs.
#include "database/kin/ind_rec.h"

#include "database/dates/date_node.h"
#include "database/fields/name_node.h"
#include "database/kin/ind_compare_keys.h"
#include "database/records/fam_rec.h"
#include "platform/base/text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

const CIndCompareKeyMap* g_compareKeys = nullptr;

constexpr int kOppositeSexes = -999;

// Name scores.
constexpr int kNameDifferent = -100;
constexpr int kNameWeak = 0;
constexpr int kNameSameSurname = 10;
constexpr int kNamePartial = 50;
constexpr int kNameStrong = 100;

// Birth scores by how close the dates lie.
constexpr int kBirthSame = 50;
constexpr int kBirthNear = 20;
constexpr int kBirthMedium = -50;
constexpr int kBirthFar = -100;

// Limits of the relatives' scores, each then halved.
constexpr int kParentLow = -75;
constexpr int kParentHigh = 125;
constexpr int kSpouseLow = -25;
constexpr int kSpouseHigh = 100;

/// What two keys say about a name part: open when either is missing.
enum class Verdict { Open, Same, Different };

Verdict VerdictOf(const std::string* a, const std::string* b, bool takenAsSame)
{
    if (!a || !b)
        return Verdict::Open;
    return takenAsSame || *a == *b ? Verdict::Same : Verdict::Different;
}

std::string StoredName(const CIndRec& individual)
{
    const CNameNode* name = individual.GetName();
    return name ? std::string(name->GetValue()) : std::string();
}

/// What two keys say of a name: the verdicts on surname and first given name, and whether
/// each part is missing on both sides.
struct NameFacts {
    Verdict surname;
    Verdict given;
    bool surnameMissingOnBoth;
    bool givenMissingOnBoth;
};

/// The name score from those facts; sameText (the stored texts equal ignoring case) and
/// manyWords (the first text has more than two words) are asked only when they count.
template <class SameText, class ManyWords>
int ScoreNameFacts(const NameFacts& facts, const SameText& sameText, const ManyWords& manyWords)
{
    const Verdict surname = facts.surname;
    const Verdict given = facts.given;
    if (surname == Verdict::Different || (surname == Verdict::Open && given == Verdict::Different))
        return kNameDifferent;
    const bool oneOpen = (surname == Verdict::Open) != (given == Verdict::Open);
    if (!oneOpen && !(surname == Verdict::Same && given == Verdict::Same))
        return kNameWeak;
    // The texts are compared last: only the strong scores need them.
    if (oneOpen) {
        const bool missingOnBoth =
            surname == Verdict::Open ? facts.surnameMissingOnBoth : facts.givenMissingOnBoth;
        return missingOnBoth && sameText() ? kNameSameSurname : kNameWeak;
    }
    return manyWords() && sameText() ? kNameStrong : kNamePartial;
}

/// The name score from the compare keys. At the top level the surnames were compared already.
int KeyedNameScore(const CIndRec& a, const CIndRec& b, const CIndCompareKeys& keysA,
                   const CIndCompareKeys& keysB, bool nested)
{
    const NameFacts facts{VerdictOf(keysA.m_surname, keysB.m_surname, !nested),
                          VerdictOf(keysA.m_givenName, keysB.m_givenName, false),
                          !keysA.m_surname && !keysB.m_surname,
                          !keysA.m_givenName && !keysB.m_givenName};
    const std::string text = StoredName(a);
    return ScoreNameFacts(
        facts,
        [&] {
            return keysA.m_nameHash == keysB.m_nameHash && text::EqualsNoCase(text, StoredName(b));
        },
        [&] { return CountNameWords(text) > 2; });
}

int NameScore(const CIndRec& a, const CIndRec& b)
{
    const CNameNode* nameA = a.GetName();
    const CNameNode* nameB = b.GetName();
    if (!nameA || !nameB)
        return 0;
    return nameA->CompareForMatch(*nameB, kNameDifferent, kNameWeak, kNameSameSurname, kNamePartial,
                                  kNameStrong);
}

int BirthScore(const CIndRec& a, const CIndRec& b)
{
    const CDateNode* birthA = a.GetBirthDate();
    const CDateNode* birthB = b.GetBirthDate();
    if (!birthA || !birthB)
        return 0;
    return birthA->ClassifyCloseness(*birthB, kBirthSame, kBirthNear, kBirthMedium, kBirthFar);
}

/// The nested score of two partners of the same place (husbands, sex 0, or wives, sex 1).
int PartnerScore(const CFamRec& a, const CFamRec& b, int sex, int depth, int low, int high)
{
    const CIndRec* partnerA = sex == SEX_MALE ? a.GetHusband() : a.GetWife();
    const CIndRec* partnerB = sex == SEX_MALE ? b.GetHusband() : b.GetWife();
    if (!partnerA || !partnerB)
        return 0;
    const int score =
        partnerA->MatchIndividual(*partnerB, true, depth, false, sex, nullptr, nullptr);
    return std::clamp(score, low, high);
}

int ParentsScore(const CIndRec& a, const CIndRec& b, int depth)
{
    const CFamRec* parentsA = a.GetNextParentFamily(nullptr);
    const CFamRec* parentsB = b.GetNextParentFamily(nullptr);
    if (!parentsA || !parentsB)
        return 0;
    const int fathers =
        PartnerScore(*parentsA, *parentsB, SEX_MALE, depth, kParentLow, kParentHigh);
    const int mothers =
        PartnerScore(*parentsA, *parentsB, SEX_FEMALE, depth, kParentLow, kParentHigh);
    return (fathers + mothers) / 2;
}

int SpouseScore(const CIndRec& a, const CIndRec& b, int sex, int depth)
{
    const CFamRec* familyA = a.GetNextSpouseFamily(nullptr);
    const CFamRec* familyB = b.GetNextSpouseFamily(nullptr);
    if (!familyA || !familyB || (sex != SEX_MALE && sex != SEX_FEMALE))
        return 0;
    const int spouseSex = sex == SEX_MALE ? SEX_FEMALE : SEX_MALE;
    return PartnerScore(*familyA, *familyB, spouseSex, depth, kSpouseLow, kSpouseHigh) / 2;
}

// ---- The compare's table ----------------------------------------------------------------------

/// Every individual of the installed keys, and every relative the score reaches from them,
/// found by record number (a number is held by at most one individual of each data set).
class CScoreTable {
public:
    /// An empty table for about count keyed individuals.
    explicit CScoreTable(std::size_t count)
    {
        m_people.reserve(count);
        m_families.reserve(count);
        // Numbers far beyond the count would make a sparse table: those go to the map.
        m_limit = std::int64_t(count) * 4 + 1024;
    }

    /// The table of every individual of keys, added in the order of their memory, so that
    /// the walks over their fields run ahead.
    explicit CScoreTable(const CIndCompareKeyMap& keys) : CScoreTable(keys.size())
    {
        std::vector<std::pair<const CIndRec*, const CIndCompareKeys*>> keyed;
        keyed.reserve(keys.size());
        for (const auto& [individual, own] : keys)
            keyed.emplace_back(individual, &own);
        std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
            return std::less<const CIndRec*>()(a.first, b.first);
        });
        for (const auto& [individual, own] : keyed)
            Add(*individual, own);
        Finish();
    }

    /// The table of the individuals, making their keys, kept by the table, in the same walk
    /// over each one's fields.
    explicit CScoreTable(std::span<const CIndRec* const> individuals)
        : CScoreTable(individuals.size())
    {
        // Reserved once: the people keep pointers into it.
        m_ownKeys.reserve(individuals.size());
        for (const CIndRec* individual : individuals) {
            if (Lookup(*individual) >= 0)
                continue;
            Add(*individual, &m_ownKeys.emplace_back(MakeCompareKeys(*individual, m_keyTexts)));
        }
        Finish();
    }

    const CIndScorePerson* Find(const CIndRec& individual) const
    {
        const std::int32_t index = Lookup(individual);
        return index < 0 ? nullptr : &m_people[std::size_t(index)];
    }
    const CIndScorePerson& At(std::int32_t index) const { return m_people[std::size_t(index)]; }

private:
    /// Adds the relatives the keyed individuals reach and links them.
    void Finish()
    {
        // The partners of each family, read once for all its members.
        std::unordered_map<const CFamRec*, std::pair<std::int32_t, std::int32_t>> partners;
        partners.reserve(m_people.size() / 2);
        const auto partnersOf = [&](const CFamRec* family) {
            if (!family)
                return std::pair<std::int32_t, std::int32_t>(-1, -1);
            const auto found = partners.find(family);
            if (found != partners.end())
                return found->second;
            const std::pair<std::int32_t, std::int32_t> both(IndexOf(family->GetHusband()),
                                                             IndexOf(family->GetWife()));
            partners.emplace(family, both);
            return both;
        };
        // Relatives are added as they are met; the list grows while it is walked.
        for (std::size_t index = 0; index < m_people.size(); ++index) {
            const auto [parents, spouse] = m_families[index];
            const auto [father, mother] = partnersOf(parents);
            const auto [husband, wife] = partnersOf(spouse);
            CIndScorePerson& person = m_people[index];
            person.parents = parents != nullptr;
            person.spouse = spouse != nullptr;
            person.father = father;
            person.mother = mother;
            person.husband = husband;
            person.wife = wife;
        }
        // Only the building needs these. (Assigning {} would keep their memory.)
        m_families = decltype(m_families)();
        m_texts = decltype(m_texts)();
    }

    std::int32_t Lookup(const CIndRec& individual) const
    {
        const std::int32_t number = individual.GetRecordNumber();
        if (number > 0 && std::size_t(number) < m_byNumber.size()) {
            for (const std::int32_t index : m_byNumber[std::size_t(number)]) {
                if (index >= 0 && m_people[std::size_t(index)].record == &individual)
                    return index;
            }
        }
        const auto found = m_others.find(&individual);
        return found == m_others.end() ? -1 : found->second;
    }

    std::int32_t IndexOf(const CIndRec* individual)
    {
        if (!individual)
            return -1;
        const std::int32_t index = Lookup(*individual);
        return index >= 0 ? index : Add(*individual, nullptr);
    }

    std::int32_t Add(const CIndRec& individual, const CIndCompareKeys* keys)
    {
        const auto index = std::int32_t(m_people.size());
        // The families are read now, while the record's fields are at hand.
        m_families.push_back(FirstFamilies(individual));
        CIndScorePerson& person = m_people.emplace_back();
        person.record = &individual;
        person.keys = keys;
        person.birth = individual.GetBirthDate();
        if (person.birth) {
            const CDateValue& first = person.birth->GetFirstValue();
            if (first.IsValid() && person.birth->GetLatestValue() == &first && !first.IsBC() &&
                first.GetYear() >= 100) {
                person.birthYear = first.GetYear();
                person.birthMonthDay = std::int16_t(first.GetMonth() * 100 + first.GetDay());
                person.birthMonth = std::uint8_t(first.GetMonth());
                person.birthDay = std::uint8_t(first.GetDay());
                person.birthCalendar = std::uint8_t(first.GetCalendar());
                person.birthDualYear =
                    std::uint16_t((first.HasDualYear() ? 0x100 : 0) | first.GetDualYear());
            }
        }
        if (keys) {
            person.SetName(StoredNameView(individual));
            person.surname = TextNumber(keys->m_surname);
            person.given = TextNumber(keys->m_givenName);
            person.nameHash = keys->m_nameHash;
            person.manyWords = CountNameWords(person.Name()) > 2;
        }
        const std::int32_t number = individual.GetRecordNumber();
        bool placed = false;
        if (number > 0 && number <= m_limit) {
            if (std::size_t(number) >= m_byNumber.size())
                m_byNumber.resize(std::size_t(number) + 1, {-1, -1});
            for (std::int32_t& slot : m_byNumber[std::size_t(number)]) {
                if (slot < 0) {
                    slot = index;
                    placed = true;
                    break;
                }
            }
        }
        if (!placed)
            m_others.emplace(&individual, index);
        return index;
    }

    /// The first parent family and the first spouse family, as GetNextParentFamily and
    /// GetNextSpouseFamily give them, from one walk over the fields.
    static std::pair<const CFamRec*, const CFamRec*> FirstFamilies(const CIndRec& individual)
    {
        const CRecordNode* parents = nullptr;
        const CRecordNode* spouse = nullptr;
        bool parentsFound = false, spouseFound = false;
        for (const CDataNode* child = individual.GetFirstChild();
             child && !(parentsFound && spouseFound); child = child->GetNextSibling()) {
            const int fieldId = child->GetFieldId();
            const bool asChild = fieldId == FIELD_FAMC && !parentsFound;
            const bool asSpouse = fieldId == FIELD_FAMS && !spouseFound;
            const CRecordNode* target = asChild || asSpouse ? child->GetLinkTarget() : nullptr;
            if (!target)
                continue;
            (asChild ? parents : spouse) = target;
            (asChild ? parentsFound : spouseFound) = true;
        }
        return {AsFamily(parents), AsFamily(spouse)};
    }

    static std::string_view StoredNameView(const CIndRec& individual)
    {
        const CNameNode* name = individual.GetName();
        return name ? name->GetValue() : std::string_view();
    }

    std::int32_t TextNumber(const std::string* text)
    {
        if (!text)
            return -1;
        return m_texts.emplace(*text, std::int32_t(m_texts.size())).first->second;
    }

    std::vector<CIndScorePerson> m_people;
    /// The keys the table made and their texts (none when it reads a map of them).
    std::vector<CIndCompareKeys> m_ownKeys;
    CCompareKeyTexts m_keyTexts;
    /// By place, while the table is built: the first parent and spouse families.
    std::vector<std::pair<const CFamRec*, const CFamRec*>> m_families;
    /// The highest record number m_byNumber may hold; places by number (one for each data
    /// set), grown as numbers come; the places of individuals with another number.
    std::int64_t m_limit = 0;
    std::vector<std::array<std::int32_t, 2>> m_byNumber;
    std::unordered_map<const CIndRec*, std::int32_t> m_others;
    /// While the table is built: the numbers of surnames and given names.
    std::unordered_map<std::string_view, std::int32_t> m_texts;
};

// The table holds one person for every individual of both files.
static_assert(sizeof(void*) != 8 || sizeof(CIndScorePerson) <= 80);

std::unique_ptr<CScoreTable> g_scoreTable;

/// The name score from the table, as KeyedNameScore gives it.
int TableNameScore(const CIndScorePerson& a, const CIndScorePerson& b, bool nested)
{
    if (!a.keys || !b.keys)
        return NameScore(*a.record, *b.record);
    const auto verdict = [](std::int32_t x, std::int32_t y, bool takenAsSame) {
        if (x < 0 || y < 0)
            return Verdict::Open;
        return takenAsSame || x == y ? Verdict::Same : Verdict::Different;
    };
    const NameFacts facts{verdict(a.surname, b.surname, !nested), verdict(a.given, b.given, false),
                          a.surname < 0 && b.surname < 0, a.given < 0 && b.given < 0};
    return ScoreNameFacts(
        facts, [&] { return a.nameHash == b.nameHash && text::EqualsNoCase(a.Name(), b.Name()); },
        [&] { return a.manyWords; });
}

/// BirthScore over the table: two single A.D. dates with their century are told apart from
/// the table alone, as CDateData::ClassifyCloseness tells them; any other pair from the dates.
int TableBirthScore(const CIndScorePerson& a, const CIndScorePerson& b)
{
    if (!a.birth || !b.birth)
        return 0;
    if (a.birthMonthDay < 0 || b.birthMonthDay < 0)
        return a.birth->ClassifyCloseness(*b.birth, kBirthSame, kBirthNear, kBirthMedium,
                                          kBirthFar);
    if (a.birthYear == b.birthYear && a.birthMonth == b.birthMonth && a.birthDay == b.birthDay &&
        a.birthCalendar == b.birthCalendar && a.birthDualYear == b.birthDualYear)
        return kBirthSame;
    // The completed years from the second to the first; none are taken off going backwards.
    int years = a.birthYear - b.birthYear;
    if (years >= 1 && a.birthCalendar == b.birthCalendar && a.birthMonth != 0 &&
        b.birthMonth != 0) {
        const bool monthEarlier = a.birthMonth < b.birthMonth;
        const bool dayEarlier = a.birthMonth == b.birthMonth && a.birthDay != 0 &&
                                b.birthDay != 0 && a.birthDay < b.birthDay;
        years -= monthEarlier || dayEarlier ? 1 : 0;
    }
    years = std::abs(years);
    return years < 10 ? kBirthNear : years < 20 ? kBirthMedium : kBirthFar;
}

int TableScore(const CScoreTable& table, const CIndScorePerson& a, const CIndScorePerson& b,
               bool nested, int depth, bool withSpouse, int sex);

/// PartnerScore over the table.
int TablePartnerScore(const CScoreTable& table, std::int32_t a, std::int32_t b, int sex, int depth,
                      int low, int high)
{
    if (a < 0 || b < 0)
        return 0;
    return std::clamp(TableScore(table, table.At(a), table.At(b), true, depth, false, sex), low,
                      high);
}

/// MatchIndividual over the table.
int TableScore(const CScoreTable& table, const CIndScorePerson& a, const CIndScorePerson& b,
               bool nested, int depth, bool withSpouse, int sex)
{
    int total = TableNameScore(a, b, nested);
    if (!nested && total < 0)
        return total;
    const int birth = TableBirthScore(a, b);
    if (!nested && birth < 0)
        return birth;
    total += birth;
    if (depth > 0 && a.parents && b.parents) {
        const int fathers = TablePartnerScore(table, a.father, b.father, SEX_MALE, depth - 1,
                                              kParentLow, kParentHigh);
        const int mothers = TablePartnerScore(table, a.mother, b.mother, SEX_FEMALE, depth - 1,
                                              kParentLow, kParentHigh);
        total += (fathers + mothers) / 2;
    }
    if (depth > 0 && withSpouse && a.spouse && b.spouse && (sex == SEX_MALE || sex == SEX_FEMALE)) {
        const bool husbands = sex != SEX_MALE; // the spouse of a woman is the husband
        total += TablePartnerScore(table, husbands ? a.husband : a.wife,
                                   husbands ? b.husband : b.wife, husbands ? SEX_MALE : SEX_FEMALE,
                                   depth - 1, kSpouseLow, kSpouseHigh) /
                 2;
    }
    return total;
}

} // namespace

int ScoreKeyedIndividuals(const CIndScorePerson& mine, const CIndScorePerson& theirs)
{
    const CIndCompareKeys& own = *mine.keys;
    const CIndCompareKeys& other = *theirs.keys;
    if ((own.m_male && other.m_female) || (own.m_female && other.m_male))
        return kOppositeSexes;
    if (mine.surname >= 0 && theirs.surname >= 0 && mine.surname != theirs.surname)
        return kNameDifferent;
    const int sex = own.m_male ? SEX_MALE : own.m_female ? SEX_FEMALE : SEX_UNDETERMINED;
    return TableScore(*g_scoreTable, mine, theirs, false, 2, true, sex);
}

int CIndRec::MatchScore(const CRecordNode* other, const void*) const
{
    const CIndRec* theirs = AsIndividual(other);
    if (!theirs)
        return kOppositeSexes;
    if (g_scoreTable) {
        const CIndScorePerson* mine = g_scoreTable->Find(*this);
        const CIndScorePerson* their = mine && mine->keys ? g_scoreTable->Find(*theirs) : nullptr;
        if (their && their->keys)
            return ScoreKeyedIndividuals(*mine, *their);
    }
    const CIndCompareKeys* mine = FindCompareKeys(*this);
    const CIndCompareKeys* their = FindCompareKeys(*theirs);
    if (mine && their) {
        if ((mine->m_male && their->m_female) || (mine->m_female && their->m_male))
            return kOppositeSexes;
        if (mine->m_surname && their->m_surname && *mine->m_surname != *their->m_surname)
            return kNameDifferent;
        const int sex = mine->m_male ? SEX_MALE : mine->m_female ? SEX_FEMALE : SEX_UNDETERMINED;
        return MatchIndividual(*theirs, false, 2, true, sex, mine, their);
    }
    const int sex = GetSex();
    const int otherSex = theirs->GetSex();
    if (sex != SEX_UNDETERMINED && otherSex != SEX_UNDETERMINED && sex != otherSex)
        return kOppositeSexes;
    return MatchIndividual(*theirs, false, 2, true, sex, nullptr, nullptr);
}

int CIndRec::MatchIndividual(const CIndRec& other, bool nested, int depth, bool withSpouse, int sex,
                             const CIndCompareKeys* ownKeys, const CIndCompareKeys* otherKeys) const
{
    if (!ownKeys)
        ownKeys = FindCompareKeys(*this);
    if (!otherKeys)
        otherKeys = FindCompareKeys(other);
    int total = ownKeys && otherKeys ? KeyedNameScore(*this, other, *ownKeys, *otherKeys, nested)
                                     : NameScore(*this, other);
    if (!nested && total < 0)
        return total;
    const int birth = BirthScore(*this, other);
    if (!nested && birth < 0)
        return birth;
    total += birth;
    if (depth > 0)
        total += ParentsScore(*this, other, depth - 1);
    if (depth > 0 && withSpouse)
        total += SpouseScore(*this, other, sex, depth - 1);
    return total;
}

// ---- Compare keys -------------------------------------------------------------------------

CIndCompareKeys MakeCompareKeys(const CIndRec& individual, CCompareKeyTexts& texts)
{
    CIndCompareKeys keys;
    if (const CNameNode* name = individual.GetName()) {
        keys.m_nameHash = static_cast<std::uint16_t>(name->HashText());
        if (std::string surname = text::ToLower(name->GetSurname()); !surname.empty())
            keys.m_surname = texts.Keep(std::move(surname));
        if (std::string given = text::ToLower(name->GetFirstGivenName(true)); !given.empty())
            keys.m_givenName = texts.Keep(std::move(given));
    }
    const int sex = individual.GetSex();
    keys.m_male = sex == SEX_MALE;
    keys.m_female = sex == SEX_FEMALE;
    return keys;
}

void SetCompareKeys(const CIndCompareKeyMap* keys)
{
    g_scoreTable.reset();
    g_compareKeys = keys;
    if (keys)
        g_scoreTable = std::make_unique<CScoreTable>(*keys);
}

void InstallCompareKeys(std::span<const CIndRec* const> individuals)
{
    g_scoreTable.reset();
    g_compareKeys = nullptr;
    g_scoreTable = std::make_unique<CScoreTable>(individuals);
}

const CIndScorePerson* FindScorePerson(const CIndRec& individual)
{
    return g_scoreTable ? g_scoreTable->Find(individual) : nullptr;
}

const CIndCompareKeys* FindCompareKeys(const CIndRec& individual)
{
    if (g_scoreTable) {
        const CIndScorePerson* person = g_scoreTable->Find(individual);
        return person ? person->keys : nullptr;
    }
    if (!g_compareKeys)
        return nullptr;
    const auto found = g_compareKeys->find(&individual);
    return found == g_compareKeys->end() ? nullptr : &found->second;
}

int CountNameWords(std::string_view text)
{
    int words = 0;
    bool inWord = false;
    for (const char c : text) {
        const bool blank = c == ' ';
        words += !blank && !inWord;
        inWord = !blank;
    }
    return words;
}
