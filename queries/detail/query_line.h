// queries/detail/query_line.h: reading and writing the comma-separated fields of one line of a
// query file, shared by the filter rows and the query file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace query_line {

/// Moves position past blanks and tabs.
void SkipSpace(std::string_view text, std::size_t& position);
/// Skips white space, a comma and white space; false (position unchanged) when no comma follows.
bool SkipComma(std::string_view text, std::size_t& position);
/// Whether only white space remains after position.
bool AtEnd(std::string_view text, std::size_t position);
/// After white space, the double-quoted field whose doubled quotes stand for one; false when
/// none stands there.
bool ReadQuoted(std::string_view text, std::size_t& position, std::string& value);
/// After white space, the characters up to a comma, white space or the end.
std::string_view ReadToken(std::string_view text, std::size_t& position);
/// Whether text at position begins with keyword, compared without regard to case; on success
/// position moves past it.
bool TakeKeyword(std::string_view text, std::size_t& position, std::string_view keyword);
/// text in double quotes with every double quote inside doubled.
std::string Quote(std::string_view text);
/// Whether text holds no line break, so that it can stand in one line of a file.
bool FitsOneLine(std::string_view text);

} // namespace query_line
