// database/gedcom/gedcom_encode.h: UTF-8 text written in the character set of a GEDCOM file.
#pragma once

#include "database/gedcom/gedcom_charset.h"

#include <cstddef>
#include <string>
#include <string_view>

// A save keeps the file's own set when every character fits in it, else writes UTF-8. ANSEL
// takes a letter with marks (precomposed, or followed by combining marks) as the mark bytes
// before the letter, so the ANSEL text the reader gives is written back byte for byte.

/// How many bytes from pos on are below 128.
std::size_t GedcomAsciiRun(std::string_view text, std::size_t pos = 0);
/// True when every byte is below 128: text written the same in every set but UTF-16.
bool GedcomTextIsAscii(std::string_view text);
/// True when every character of utf8 can be written in set (always for UTF-8 and UTF-16).
bool GedcomTextFits(GedcomCharset set, std::string_view utf8);
/// Appends utf8 written in set to out; a character that does not fit is written as "?" and
/// makes the result false.
bool EncodeGedcomText(GedcomCharset set, std::string_view utf8, std::string& out);
/// Writes utf8 as UTF-16 code units to out, which has room for 2 * utf8.size() bytes (the most
/// it takes); returns the end of what was written.
char* EncodeUtf16Into(char* out, std::string_view utf8, bool bigEndian);
/// EncodeUtf16Into for text known to be ASCII: each byte widened, sixteen at a time.
char* WidenGedcomAscii(char* out, std::string_view text, bool bigEndian);
