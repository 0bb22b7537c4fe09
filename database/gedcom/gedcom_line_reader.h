// database/gedcom/gedcom_line_reader.h: GEDCOM lines read from a file and its continuation volumes,
// each split into level, cross-reference identifier, tag and value, as UTF-8 text.
#pragma once

#include "database/gedcom/gedcom_charset.h"

#include <cstddef>
#include <string>
#include <string_view>

/// One GEDCOM line. Its parts view the text it was split from: a line from ReadGedcomLine is
/// valid until the next line is read, so whoever keeps a part longer copies it.
struct GedcomLine {
    /// -1 until a level was read.
    int level = -1;
    /// The cross-reference identifier without its "@" delimiters; empty when the line has none.
    std::string_view xref;
    std::string_view tag;
    /// The rest of the line; for an invalid line the whole line as read.
    std::string_view value;
    /// The line held zero bytes, which no GEDCOM line may hold and no text of the program
    /// can carry: the reader removed them, and the parts hold the rest of the line.
    bool zeroBytesRemoved = false;
    /// The line holds control characters other than tab (bytes 1 to 31), which no GEDCOM line
    /// may hold either; they are kept as they stand.
    bool controlCharacters = false;
};

/// Longest cross-reference identifier and tag, in characters.
inline constexpr std::size_t kGedcomMaxXrefLength = 50;
inline constexpr std::size_t kGedcomMaxTagLength = 50;

// Answers of ReadGedcomLine and OpenNextGedcomVolume.
inline constexpr int kGedcomLineReady = 0;
inline constexpr int kGedcomInputEnd = 1;
inline constexpr int kGedcomLineInvalid = 2;

// Answers of ParseGedcomLine.
inline constexpr int kGedcomParsedBlank = 0;
inline constexpr int kGedcomParsedInvalid = 1;
inline constexpr int kGedcomParsedValid = 2;

// Character sets. Opening finds the file's set (gedcom_charset.h) and every line comes back as
// UTF-8; its continuation volumes are read in the same set. Lines of an ASCII-compatible set
// are split at CR and LF by the buffered file and then converted, since those bytes never
// occur inside a character there. UTF-16 is different: CR and LF bytes occur inside other
// characters (U+010D is 0D 01), so a UTF-16 file or volume is first converted as a whole into a
// UTF-8 copy in the per-user temporary folder, the buffered file opens that copy, and the copy's
// name is removed at once (the open file stays readable until it is closed). The buffered
// file's size and position, which the progress bar uses, are then those of the copy.
// A UTF-8 byte-order mark at the start of a file or volume is dropped. An ANSEL line whose
// value ends in combining marks, followed by a CONC line, gives those marks to the first
// letter of the CONC value, where they belong when a writer split a word between a mark and
// its letter.

/// Opens the input; in write mode only opens the buffered file for writing (the line reader
/// then takes no part). Reading: a name that begins with a double quote has every double quote
/// removed; with rememberName the name is kept so that reading continues into the file's
/// continuation volumes, otherwise any remembered name is forgotten. False when the file cannot
/// be opened (or is empty), or a UTF-16 file cannot be converted.
bool OpenGedcomInput(const std::string& name, bool writeMode, bool rememberName);
/// Forgets the remembered name and closes the buffered file (its answer).
bool CloseGedcomInput();

/// Reads the next line that is not blank, raising lineCounter once for every physical line
/// (blank and invalid ones included). kGedcomLineReady: a valid line is in line.
/// kGedcomLineInvalid: the whole line is in line.value and line.level holds the level read
/// before the fault (-1 when none). kGedcomInputEnd: no line is left in the file and its
/// continuation volumes. The last line of a file without a final line end is delivered.
/// Zero bytes are removed from every line before it is split (line.zeroBytesRemoved says so);
/// a line of nothing else but blanks is blank. Other control characters stay in the line
/// (line.controlCharacters says so).
int ReadGedcomLine(GedcomLine& line, int& lineCounter);
/// Moves to the next continuation volume and reads its first line. A file whose remembered
/// name ends in "GED" (any case) continues in the name less those three letters plus
/// "G%02d" of a counter from 0 (tree.ged, tree.G00, tree.G01, ...); the volume's name is
/// matched without regard to case (tree.g00 serves too). kGedcomInputEnd when there is no such
/// volume; reading then stops for good, even if later volumes exist.
int OpenNextGedcomVolume(GedcomLine& line, int& lineCounter);

/// Splits one line, whose parts then view text: kGedcomParsedBlank (nothing but white space),
/// kGedcomParsedInvalid (line keeps the level read before the fault) or kGedcomParsedValid. The
/// grammar: the level's digits, white space, an optional "@identifier@" of at most 50 characters
/// and the white space after it, a tag of letters, digits and "_" of at most 50 characters, then
/// the value: after the tag's one delimiter (a white-space character), the rest of the line as it
/// stands, its leading and trailing blanks kept, so that text split over CONC and CONT lines
/// joins back whole. Values that are not text are trimmed by whoever reads them.
int ParseGedcomLine(std::string_view text, GedcomLine& line);

/// Which file of the input the lines come from: -1 for the file opened, 0 for its first
/// continuation volume, and so on.
int GetGedcomInputVolume();

/// The errno of a read that failed since the input was opened for reading, 0 when none did. A
/// failed read ends the input there: no later continuation volume is opened.
int GetGedcomInputReadError();

/// The encoding found when the input was opened for reading (the writer keeps it).
GedcomEncoding GetGedcomInputEncoding();
/// How many bytes read since the input was opened were not valid in the file's character set
/// and were read by the fallback (see DecodeGedcomText).
std::size_t GetGedcomInputFallbackCount();
