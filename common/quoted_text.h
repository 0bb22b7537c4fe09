// common/quoted_text.h: quoting, doubled characters and escaped tokens in stored texts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// With add, the text surrounded by double quotes; without, the text with every double quote
/// removed (inner ones too).
std::string QuoteString(std::string_view text, bool add);
/// Reads the double-quoted string that starts at position, in which a doubled quote stands for
/// one, and moves position past its closing quote. False, with position unchanged, when position
/// is not on a double quote or the string has no closing quote.
bool ParseQuotedString(std::string_view text, std::size_t& position, std::string& value);
/// Every occurrence of c doubled.
std::string DoubleChar(std::string_view text, char c);
/// Copies source into token up to the first terminator or the end; a doubled escape, or the
/// escape before the terminator, stands for that character. Returns the number of characters
/// consumed (the terminator not included), or -1 when an escape stands before anything else (or
/// at the end).
int CopyEscapedToken(std::string_view source, char terminator, char escape, std::string& token);
