// common/gedcom_value.h: GEDCOM values as read and written: "@@" on the way in, and the
// cutting of a value into the pieces of CONC and CONT lines on the way out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// Appends a value read from a GEDCOM line to text, turning each "@@" into one "@".
void AppendGedcomValue(std::string& text, std::string_view value);
/// The same for a zero-terminated value; a null value appends nothing.
void AppendGedcomValueText(std::string& text, const char* value);

/// Takes from text, at position (a byte offset), the next piece of a value for one GEDCOM line
/// that may hold maximum characters, each "@" counted twice because it is written doubled.
/// - A piece that reaches the end of the text within the maximum is the rest: position moves to
///   the end and lineBreak is false.
/// - A piece that reaches CR or LF within the maximum ends there: lineBreak is true and position
///   moves past the break (CR LF and LF CR count as one break). The next piece starts a CONT line.
/// - Otherwise the piece is cut below the maximum, at the last place between two characters that
///   are not white space, so that no piece begins or ends with a blank, and never before a
///   combining mark; without such a place it is cut one character below the maximum. position
///   stays at the cut and lineBreak is false: the next piece continues the line (CONC).
/// Lengths count characters, never bytes of a character. At least one character is taken, so
/// repeated calls always reach the end.
void NextValueChunk(std::string_view text, int maximum, std::size_t& position, std::string& chunk,
                    bool& lineBreak);
