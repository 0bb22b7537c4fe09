// bench/generator/generator_tables.h: the names, places and phrases synthetic records are made of.
#pragma once

#include "bench/generator/random_stream.h"

#include <span>
#include <string_view>

/// Each table is UTF-8 text; a few entries carry letters outside ASCII (é, ö, ł, ...), as real
/// trees do. No entry holds "@", so values never need escaping.
std::span<const std::string_view> MaleGivenNameTable();
std::span<const std::string_view> FemaleGivenNameTable();
std::span<const std::string_view> SurnameTable();
std::span<const std::string_view> NamePrefixTable();
std::span<const std::string_view> NameSuffixTable();
/// Places as "town, county, country".
std::span<const std::string_view> PlaceTable();
std::span<const std::string_view> OccupationTable();
/// Sentences that notes are made of.
std::span<const std::string_view> NoteSentenceTable();
/// Kinds of record a source holds ("Parish registers", "Census returns", ...).
std::span<const std::string_view> SourceKindTable();
std::span<const std::string_view> PublisherTable();
/// A repository: its name and address.
struct CRepositoryText {
    std::string_view name;
    std::string_view street;
    std::string_view city;
    std::string_view country;
};
std::span<const CRepositoryText> RepositoryTable();

/// One entry of table, drawn from random.
template <typename T> const T& PickFrom(std::span<const T> table, CRandomStream& random)
{
    return table[std::size_t(random.Below(std::int32_t(table.size())))];
}
