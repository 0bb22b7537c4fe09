// database/gedcom_line_sink.h: the one output path of every GEDCOM writer.
#pragma once

#include <string_view>

/// Appends one physical GEDCOM line to the buffered file opened for writing: line as it is (the
/// "@" of a cross-reference stay single), then value with every "@" doubled, then CR LF.
/// Returns false when the output failed; after a first failure every later line is refused too,
/// so writers stop at the first false and the save ends.
bool WriteGedcomLine(std::string_view line, std::string_view value = {});
