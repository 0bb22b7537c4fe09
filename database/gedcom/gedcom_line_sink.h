// database/gedcom/gedcom_line_sink.h: the one output path of every GEDCOM writer.
#pragma once

#include "database/gedcom/gedcom_encode.h"

#include <functional>
#include <string>
#include <string_view>

/// Appends one physical GEDCOM line to the buffered file opened for writing: line as it is (the
/// "@" of a cross-reference stay single), then value with every "@" doubled, then the line end,
/// all in the output's character set (see SetGedcomLineFormat). Returns false when the output
/// failed; after a first failure every later line is refused too, so writers stop at the first
/// false and the save ends.
bool WriteGedcomLine(std::string_view line, std::string_view value = {});

/// Writes the line WriteGedcomLine writes for the line "level TAG" followed by rest (as it is)
/// and value (each "@" doubled), without composing it first: the way nodes write their lines.
bool WriteGedcomTagLine(int level, std::string_view tag, std::string_view rest,
                        std::string_view value = {});
/// Holds the line "level TAG" followed by rest: it is written just before the next line that is
/// written, and not at all when none is written before ReleaseGedcomTagLine. Holds nest: a line
/// written writes every line held before it, outermost first. A structure that writes its tag
/// only when a sub-field writes something holds it while its sub-fields write. The tag is not
/// copied: it stays valid until the hold ends (a definition's tag, a literal); rest is copied.
void HoldGedcomTagLine(int level, std::string_view tag, std::string_view rest);
/// Ends the innermost hold; true when its line was written.
bool ReleaseGedcomTagLine();
/// Whether write (a writer, such as a node's WriteGedcom) writes any line: it runs with the sink
/// taking no line and refusing the first one, so that the writer stops there. Nothing is
/// written and the held lines stay as they were; it may run while a file is read.
bool WritesAnyGedcomLine(const std::function<bool()>& write);
/// Makes line "level TAG", reusing its storage.
void StartGedcomLine(std::string& line, int level, std::string_view tag);
/// The character set and line end of the lines written from now on; UTF-8 with CR LF until a
/// save sets others, and again once it sets them back. Clears the misfit flag.
void SetGedcomLineFormat(GedcomCharset charset, std::string_view lineEnd);
/// Whether a line was refused because a character of it does not exist in the output's
/// character set (nothing of that line was written).
bool GedcomLineDidNotFit();
