// database/kin/ind_rec_match.cpp: CIndRec: the match score of two individuals, and the compare keys
// it reads while a compare of two files runs.
#include "database/kin/ind_rec.h"

#include "database/dates/date_node.h"
#include "database/fields/name_node.h"
#include "database/kin/ind_compare_keys.h"
#include "database/records/fam_rec.h"
#include "platform/base/text.h"

#include <algorithm>

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

Verdict VerdictOf(const std::optional<std::string>& a, const std::optional<std::string>& b,
                  bool takenAsSame)
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

/// The name score from the compare keys. At the top level the surnames were compared already.
int KeyedNameScore(const CIndRec& a, const CIndRec& b, const CIndCompareKeys& keysA,
                   const CIndCompareKeys& keysB, bool nested)
{
    const Verdict surname = VerdictOf(keysA.m_surname, keysB.m_surname, !nested);
    const Verdict given = VerdictOf(keysA.m_givenName, keysB.m_givenName, false);
    if (surname == Verdict::Different || (surname == Verdict::Open && given == Verdict::Different))
        return kNameDifferent;
    const bool oneOpen = (surname == Verdict::Open) != (given == Verdict::Open);
    if (!oneOpen && !(surname == Verdict::Same && given == Verdict::Same))
        return kNameWeak;
    const std::string text = StoredName(a);
    const bool sameText =
        keysA.m_nameHash == keysB.m_nameHash && text::EqualsNoCase(text, StoredName(b));
    if (oneOpen) {
        const bool missingOnBoth = surname == Verdict::Open
                                       ? !keysA.m_surname && !keysB.m_surname
                                       : !keysA.m_givenName && !keysB.m_givenName;
        return sameText && missingOnBoth ? kNameSameSurname : kNameWeak;
    }
    return sameText && CountNameWords(text) > 2 ? kNameStrong : kNamePartial;
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

} // namespace

int CIndRec::MatchScore(const CRecordNode* other, const void*) const
{
    const CIndRec* theirs = AsIndividual(other);
    if (!theirs)
        return kOppositeSexes;
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

CIndCompareKeys MakeCompareKeys(const CIndRec& individual)
{
    CIndCompareKeys keys;
    if (const CNameNode* name = individual.GetName()) {
        keys.m_nameHash = static_cast<std::uint16_t>(name->HashText());
        if (std::string surname = text::ToLower(name->GetSurname()); !surname.empty())
            keys.m_surname = std::move(surname);
        if (std::string given = text::ToLower(name->GetFirstGivenName(true)); !given.empty())
            keys.m_givenName = std::move(given);
    }
    const int sex = individual.GetSex();
    keys.m_male = sex == SEX_MALE;
    keys.m_female = sex == SEX_FEMALE;
    return keys;
}

void SetCompareKeys(const CIndCompareKeyMap* keys)
{
    g_compareKeys = keys;
}

const CIndCompareKeyMap* GetCompareKeys()
{
    return g_compareKeys;
}

const CIndCompareKeys* FindCompareKeys(const CIndRec& individual)
{
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
