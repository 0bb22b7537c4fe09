// database/kin/ind_compare_keys.h: the keys a compare of two files keeps for every individual, so
// that the match score need not parse names again for each pair it scores.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

class CIndRec;

/// An individual's compare keys, taken from its first non-empty NAME and its sex.
struct CIndCompareKeys {
    /// The sum of the stored name's character codes, kept to 16 bits.
    std::uint16_t m_nameHash = 0;
    /// The surname, lower-cased; none when empty.
    std::optional<std::string> m_surname;
    /// The first given name, lower-cased; none when empty.
    std::optional<std::string> m_givenName;
    bool m_male = false;
    bool m_female = false;
};

/// The number of blank-separated words of a stored name, as the match score counts them.
int CountNameWords(std::string_view text);

/// The keys of an individual as the compare makes them.
CIndCompareKeys MakeCompareKeys(const CIndRec& individual);

/// The keys of the individuals of both data sets, by record.
using CIndCompareKeyMap = std::unordered_map<const CIndRec*, CIndCompareKeys>;

/// The compare installs its map while it runs and removes it (null) when it ends; the match
/// score looks keys up in it and works without it otherwise.
void SetCompareKeys(const CIndCompareKeyMap* keys);
const CIndCompareKeyMap* GetCompareKeys();
/// The keys of an individual while a compare runs; null when none.
const CIndCompareKeys* FindCompareKeys(const CIndRec& individual);
