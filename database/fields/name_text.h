// database/fields/name_text.h: personal names as text: their parts around the surname slashes, and
// the tidying of names read from files and typed by the user.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// A name split around its surname. With slashes the surname is the text between the first
/// and the second slash (to the end when the second is missing); without, it is the last word.
/// The given part is the text before the surname (its opening slash not included), the suffix
/// part the text after its closing slash or after the last word. The views point into the
/// name's text.
struct NameParts {
    std::string_view given;
    std::string_view surname;
    std::string_view suffix;
};

NameParts SplitName(std::string_view name);
/// The first word of text after leading white space; empty when there is none.
std::string_view FirstWord(std::string_view text);

/// Whether a name read from a file is other than John /Smith/ Jr or /Smith/ John would be: it
/// starts with white space; holds white space other than single blanks each followed by a
/// non-blank; has no slash (and is not empty); has an opening slash with no blank before it
/// (unless it starts the name) or white space after it; has no closing slash, white space
/// before it, or a character other than white space after it; or has a third slash.
bool NameNeedsTidying(std::string_view name);
/// The name with single blanks, the surname slashes next to the surname, a blank before the
/// opening slash (unless it starts the name) and after the closing one (unless it ends it),
/// and a closing slash added when missing. Further slashes are kept.
std::string TidyNameText(std::string_view name);
/// The room past a name's size that TidyNameInto needs in out: tidying adds at most three bytes
/// (a closing slash and the blanks around both slashes), and the name is looked at sixteen
/// bytes at a time, up to sixteen past its end.
inline constexpr std::size_t kTidyNameRoom = 16;
/// TidyNameText written to out, which has room for name.size() + kTidyNameRoom bytes; returns
/// the size written, and atSign tells whether the name holds an "@" (found in the same pass).
/// A name needs no memory of its own to be tidied.
std::size_t TidyNameInto(std::string_view name, char* out, bool& atSign);
/// A name as the user typed it: trimmed; when not empty, a lone slash gets its closing one,
/// slashes after the second are removed, and a name without slashes has its last word taken
/// as the surname; then tidied. "Mary Jones" becomes "Mary /Jones/".
std::string NameFromTypedText(std::string_view typed);
