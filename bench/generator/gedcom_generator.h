// bench/generator/gedcom_generator.h: a deterministic synthetic GEDCOM 5.5 family tree of any size.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

/// What a generated file holds.
struct CGedcomCounts {
    std::int64_t individuals = 0;
    std::int64_t families = 0;
    std::int64_t notes = 0;
    std::int64_t sources = 0;
    std::int64_t repositories = 0;
    std::int64_t lines = 0;
    std::int64_t bytes = 0;
};

/// Writes a lineage-linked GEDCOM 5.5 file in UTF-8 with CR LF line ends: a header and
/// submitter, the individuals (generations of one connected population), their families, about
/// one note per twenty individuals, one source per hundred, a few repositories and the trailer.
/// The same individuals and seed give the same bytes on every machine. Whether the stream took
/// everything is the stream's state.
CGedcomCounts WriteSyntheticGedcom(std::ostream& out, std::int32_t individuals, std::uint64_t seed);

/// The same into a file at path, created or replaced; nothing when the file could not be written.
std::optional<CGedcomCounts> WriteSyntheticGedcomFile(const std::string& path,
                                                      std::int32_t individuals, std::uint64_t seed);
