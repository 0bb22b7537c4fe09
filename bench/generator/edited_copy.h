// bench/generator/edited_copy.h: a copy of a generated file with some individuals edited, removed
// and added, as a second file for the merge's compare.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

/// What the copy changed.
struct CEditedCopyCounts {
    std::int64_t individuals = 0; // in the original
    std::int64_t edited = 0;
    std::int64_t removed = 0;
    std::int64_t added = 0;
};

/// Copies a generated GEDCOM file, line by line, changing about one individual in twenty (a
/// given name changed, a birth year moved by one to three years, an occupation added, or a death
/// left out), removing about one in a hundred (with the family lines that name it) and adding
/// about one in a hundred (a namesake born a few years apart, without family links) before the
/// trailer. Which individuals change follows from their identifier and seed alone, so the same
/// file and seed give the same copy.
CEditedCopyCounts WriteEditedCopy(std::istream& in, std::ostream& out, std::uint64_t seed);

/// The same from the file at original into the file at path; nothing when either fails.
std::optional<CEditedCopyCounts> WriteEditedCopyFile(const std::string& original,
                                                     const std::string& path, std::uint64_t seed);
