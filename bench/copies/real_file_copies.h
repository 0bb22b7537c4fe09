// bench/copies/real_file_copies.h: one large GEDCOM file made of copies of a real one, in the
// character set and identifier form a benchmark asks for.
#pragma once

#include "bench/generator/gedcom_generator.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

/// How the copies are written.
enum class CopyVariant {
    Utf8Numbered,  // CHAR UTF-8, identifiers "I345" of copy k written "I(k x 1,000,000 + 345)"
    AnselNumbered, // CHAR ANSEL, the same identifiers
    AnselTextIds,  // CHAR ANSEL, identifiers of copy k written "Ck_I345" (not the standard form)
    Utf16Numbered, // UTF-16 little-endian with a byte-order mark, numbered identifiers
};

/// The variant's name on the command line and in benchmark names ("utf8", "ansel",
/// "ansel-text-ids", "utf16"); the variant of a name, none when no variant has it.
const char* CopyVariantName(CopyVariant variant);
std::optional<CopyVariant> CopyVariantByName(std::string_view name);

/// Writes the header of source (its CHAR naming the variant's set), then its records copies
/// times, each copy's identifiers and pointers rewritten as the variant says, then the trailer.
/// source is the real file's bytes in any set the loader reads; its text is re-encoded in the
/// variant's set and keeps its line ends. Whether the stream took everything is its state.
CGedcomCounts WriteRealFileCopies(std::ostream& out, std::string_view source, std::int32_t copies,
                                  CopyVariant variant);

/// The same from the file at sourcePath into the file at path; nothing when either fails.
std::optional<CGedcomCounts> WriteRealFileCopiesFile(const std::string& path,
                                                     const std::string& sourcePath,
                                                     std::int32_t copies, CopyVariant variant);
