// common/string_utils.h: small text functions used throughout the program: white space,
// searching, case, line breaks and name slashes.
#pragma once

#include <string>
#include <string_view>

/// Trims white space at both ends; when the rest holds two white-space characters in a row
/// anywhere, every run of white space (a single one included) becomes one blank; otherwise the
/// trimmed text is returned as it is.
std::string CollapseSpaces(std::string_view text);
/// The number of white-space separated words; 0 for an empty or blank text.
int CountWords(std::string_view text);
/// The byte index of the first case-blind occurrence of pattern, -1 when there is none.
int FindNoCase(std::string_view text, std::string_view pattern);
/// Whether text holds the pattern given in a lower-case and an upper-case form (of the same
/// number of characters), each character of text matching either form at its place.
bool ContainsFoldedText(std::string_view text, std::string_view lowerPattern,
                        std::string_view upperPattern);
/// Puts a blank before the opening "/" and after the closing "/" of the surname where a
/// character other than white space touches it.
std::string NormalizeSurnameSlashes(std::string_view name);

/// Every line end (CR LF, LF CR, CR or LF) becomes the one character given.
std::string ReplaceLineEnds(std::string_view text, char with);
/// Every CR, LF or CR LF becomes one LF.
std::string ToLfLineBreaks(std::string_view text);
/// Every LF becomes CR LF.
std::string ToCrLfLineBreaks(std::string_view text);
/// The number of bytes to skip to reach the start of the next line that holds something other
/// than blanks (each skipped line being blanks, then one CR and one LF); 0 when the text at its
/// start holds something; -1 when only blanks remain.
int NextNonBlankLine(std::string_view text);
