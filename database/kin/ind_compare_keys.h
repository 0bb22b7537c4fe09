// database/kin/ind_compare_keys.h: the keys a compare of two files keeps for every individual, so
// that the match score need not parse names again for each pair it scores.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

class CDateNode;
class CIndRec;

/// The texts of compare keys, each kept once: the keys point into it, so it must outlive them.
class CCompareKeyTexts {
public:
    /// The kept copy of text.
    const std::string* Keep(std::string text) { return &*m_texts.insert(std::move(text)).first; }

private:
    std::unordered_set<std::string> m_texts;
};

/// An individual's compare keys, taken from its first non-empty NAME and its sex.
struct CIndCompareKeys {
    /// The sum of the stored name's character codes, kept to 16 bits.
    std::uint16_t m_nameHash = 0;
    bool m_male = false;
    bool m_female = false;
    /// The surname, lower-cased; null when empty.
    const std::string* m_surname = nullptr;
    /// The first given name, lower-cased; null when empty.
    const std::string* m_givenName = nullptr;
};

/// What the match score reads of one individual while a compare runs, laid out once for every
/// keyed individual and every relative the score reaches from one, so that a score walks no
/// fields. Relatives are given by their place in the same table.
struct CIndScorePerson {
    const CIndRec* record = nullptr;
    /// Null for a relative without keys: its name is then scored from its fields.
    const CIndCompareKeys* keys = nullptr;
    const CDateNode* birth = nullptr; // as CIndRec::GetBirthDate gives it
    /// The stored text of the first non-empty NAME (kept as two parts: the table holds one
    /// person for every individual of both files).
    const char* nameData = nullptr;
    std::uint32_t nameSize = 0;
    /// The surname and first given name by number, one numbering for both data sets: equal
    /// texts, equal numbers; -1 without one.
    std::int32_t surname = -1;
    std::int32_t given = -1;
    /// The partners of the first parent family and of the first spouse family; -1 for none.
    std::int32_t father = -1;
    std::int32_t mother = -1;
    std::int32_t husband = -1;
    std::int32_t wife = -1;
    /// For a birth of a single valid A.D. date of year 100 on: its year, and its month * 100
    /// plus its day; the latter is -1 for any other birth or none.
    std::int32_t birthYear = 0;
    std::int16_t birthMonthDay = -1;
    /// For such a birth, the rest of what tells two dates apart: its month and day as stored,
    /// its calendar, and its second year (its digits, plus 0x100 when written with one).
    std::uint8_t birthMonth = 0;
    std::uint8_t birthDay = 0;
    std::uint8_t birthCalendar = 0;
    std::uint16_t birthDualYear = 0;
    std::uint16_t nameHash = 0; // as in the keys
    bool manyWords : 1 = false; // the stored name has more than two words
    bool parents : 1 = false;   // has a parent family
    bool spouse : 1 = false;    // has a spouse family

    std::string_view Name() const { return {nameData, nameSize}; }
    void SetName(std::string_view text)
    {
        nameData = text.data();
        nameSize = std::uint32_t(text.size());
    }
};

/// The number of blank-separated words of a stored name, as the match score counts them.
int CountNameWords(std::string_view text);

/// The keys of an individual as the compare makes them, their texts kept in texts.
CIndCompareKeys MakeCompareKeys(const CIndRec& individual, CCompareKeyTexts& texts);

/// The keys of the individuals of both data sets, by record.
using CIndCompareKeyMap = std::unordered_map<const CIndRec*, CIndCompareKeys>;

/// The compare installs its map while it runs and removes it (null) when it ends; the match
/// score looks keys up in it and works without it otherwise. Installing a map also lays out,
/// once, what the score reads of every keyed individual and of the relatives it reaches, so
/// that each score walks no fields; the map must not change while it is installed.
void SetCompareKeys(const CIndCompareKeyMap* keys);
/// Makes the keys of the individuals and installs them as SetCompareKeys does, reading each
/// individual's fields once for its keys and its place in the score's table. The table keeps
/// the keys, one after another, until SetCompareKeys(nullptr): no map of them is made.
void InstallCompareKeys(std::span<const CIndRec* const> individuals);
/// The keys of an individual while a compare runs; null when none.
const CIndCompareKeys* FindCompareKeys(const CIndRec& individual);
/// What the score reads of an individual while a compare runs; null when it is neither keyed
/// nor a relative the score reaches.
const CIndScorePerson* FindScorePerson(const CIndRec& individual);
/// The match score of two individuals with keys (CIndRec::MatchScore of mine's record with
/// theirs'), from what FindScorePerson gave for them.
int ScoreKeyedIndividuals(const CIndScorePerson& mine, const CIndScorePerson& theirs);
