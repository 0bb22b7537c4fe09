// database/fields/name_node_forms.cpp: CNameNode: the display forms of a name and its sort order.
#include "database/fields/name_node.h"

#include "database/dictionary/qualifier_table.h"
#include "database/fields/name_text.h"

#include "common/preferences.h"
#include "platform/base/text.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::string_view kNoName = "<no name>";
/// The most characters of GetText's form.
constexpr std::size_t kFullTextChars = 512;
/// The buffer in which names are formatted for sorting.
constexpr int kSortBytes = 121;
/// How many leading surname characters are compared first.
constexpr int kSurnameLead = 5;

std::string Surname(std::string_view surname)
{
    const std::string_view trimmed = text::TrimView(surname);
    return Prefs().m_surnamesInUpperCase ? text::ToUpper(trimmed) : std::string(trimmed);
}

/// The first count characters of text.
std::string FirstChars(std::string_view text, std::size_t count)
{
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < text.size(); ++n)
        text::DecodeUtf8(text, pos);
    return std::string(text.substr(0, pos));
}

/// a and b joined by one blank; either alone when the other is empty.
std::string Join(std::string_view a, std::string_view b)
{
    if (a.empty())
        return std::string(b);
    if (b.empty())
        return std::string(a);
    return std::string(a) + ' ' + std::string(b);
}

/// Everything but the surname: the given part and the suffix part, one blank between.
std::string GivenAll(const NameParts& parts)
{
    return Join(text::TrimView(parts.given), text::TrimView(parts.suffix));
}

std::string WithoutFirstWord(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && !text::IsSpace(text[pos]))
        ++pos;
    return std::string(text::TrimView(text.substr(pos)));
}

/// Compares the first characters of two surnames (each starting after its opening slash) in
/// lower case, up to a slash; a surname that ends first sorts first.
/// The first characters of a surname (up to a slash) in lower case, as byte order compares
/// them: a surname that ends first sorts first.
std::string SurnameLeadKey(std::string_view surname)
{
    std::string key;
    std::size_t pos = 0;
    for (int i = 0; i < kSurnameLead && pos < surname.size() && surname[pos] != '/'; ++i)
        text::AppendOrderedChar(key, text::ToLowerChar(text::DecodeUtf8(surname, pos)));
    return key;
}

int Sign(int value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

/// The format a name sorts by after its surname.
int KeptSortFormat(int format)
{
    if (format >= QUAL_ADORNED && format <= QUAL_SUFFIXED)
        return QUAL_PREFERRED;
    if (format >= QUAL_ADORNED_FULL && format <= QUAL_STORED)
        return QUAL_FULL;
    return format;
}

bool SortsAsFormatted(int format)
{
    return format > QUAL_STORED || (format >= 1 && format <= QUAL_MIDDLE) ||
           format == QUAL_SURNAME_FIRST;
}

/// Whether a name sorts after its surname by its full text (GetFullText), as every format does
/// that has no form of its own.
bool KeptIsFullText(int format)
{
    const int kept = KeptSortFormat(format);
    return kept == QUAL_FULL ||
           ((kept < QUAL_SURNAME || kept > QUAL_STORED) && kept != QUAL_NUMERIC);
}

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return std::uint8_t(c) < 0x80; });
}

/// Appends at most room bytes of an ASCII text with A to Z lowered, as FoldedSortKey folds it;
/// room shrinks by what was appended.
void AppendFoldedAscii(std::string& out, std::string_view text, std::size_t& room)
{
    const std::size_t count = std::min(text.size(), room);
    const std::size_t start = out.size();
    out.append(text.substr(0, count));
    for (std::size_t i = start; i < out.size(); ++i)
        if (out[i] >= 'A' && out[i] <= 'Z')
            out[i] = char(out[i] - 'A' + 'a');
    room -= count;
}

/// The sort key of a name stored in ASCII whose kept form is its full text, read from the
/// stored text without formatting it: each character is one byte, so the forms are cut by
/// bytes, and the surname's upper case (by the preference) folds away.
void ReadAsciiSortKey(std::string_view value, CNameNode::SortKey& key)
{
    const NameParts parts = SplitName(value);
    const std::string_view surname = text::TrimView(parts.surname);
    const std::size_t open = value.find('/');
    key.hasSlash = open != std::string_view::npos;
    std::size_t room = kSortBytes - 1;
    key.kept.reserve(std::min(value.size(), room));
    if (key.hasSlash && surname.empty()) {
        AppendFoldedAscii(key.kept, GivenAll(parts), room);
    } else if (key.hasSlash) {
        AppendFoldedAscii(key.kept, parts.given, room);
        AppendFoldedAscii(key.kept, surname, room);
        AppendFoldedAscii(key.kept, parts.suffix, room);
    } else {
        AppendFoldedAscii(key.kept, value, room);
    }
    if (key.hasSlash) {
        const std::string_view rest = value.substr(open + 1);
        room = kSurnameLead;
        AppendFoldedAscii(key.lead, rest.substr(0, rest.find('/')), room);
    }
    room = kSortBytes - 1;
    AppendFoldedAscii(key.surname, surname, room);
}

} // namespace

std::string CNameNode::GetFullText() const
{
    if (IsEmpty())
        return std::string(kNoName);
    if (GetValue().find('/') == std::string_view::npos)
        return FirstChars(GetValue(), kFullTextChars);
    const NameParts parts = SplitName(GetValue());
    // Slashes around no surname leave no gap where it would stand: "John //" shows as John.
    if (text::TrimView(parts.surname).empty())
        return FirstChars(GivenAll(parts), kFullTextChars);
    std::string full(parts.given);
    full += Surname(parts.surname);
    full += parts.suffix;
    return FirstChars(full, kFullTextChars);
}

bool CNameNode::GetText(std::string& text, int withLabel) const
{
    StartText(text, withLabel);
    text += GetFullText();
    return true;
}

std::string CNameNode::GetPreferredText(int size) const
{
    const std::string given = GetFirstGivenName(false);
    if (size - 1 - int(given.size()) < 3)
        return {};
    return Join(given, Surname(SplitName(GetValue()).surname));
}

std::string CNameNode::AdornText(const std::string& core, bool withPrefix, bool withSuffix) const
{
    std::string text;
    const std::string prefix = withPrefix ? GetChildText(FIELD_NPFX) : std::string();
    if (!prefix.empty())
        text = prefix + ' ';
    text += core.empty() ? std::string(kNoName) : core;
    const std::string suffix = withSuffix ? GetChildText(FIELD_NSFX) : std::string();
    if (!suffix.empty())
        text += ' ' + suffix;
    return text;
}

std::string CNameNode::FormatName(int format, int size) const
{
    const std::string_view stored = GetValue();
    const NameParts parts = SplitName(stored);
    const bool prefixed = format == QUAL_ADORNED || format == QUAL_PREFIXED ||
                          format == QUAL_ADORNED_FULL || format == QUAL_PREFIXED_FULL;
    const bool suffixed = format == QUAL_ADORNED || format == QUAL_SUFFIXED ||
                          format == QUAL_ADORNED_FULL || format == QUAL_SUFFIXED_FULL;
    switch (format) {
    case QUAL_SURNAME:
        return Surname(parts.surname);
    case QUAL_FIRST:
        return std::string(FirstWord(stored));
    case QUAL_GIVEN:
        return GetFirstGivenName(false);
    case QUAL_GIVEN_ALL:
        return GivenAll(parts);
    case QUAL_MIDDLE:
        return WithoutFirstWord(GivenAll(parts));
    case QUAL_FULL:
        return GetFullText();
    case QUAL_SURNAME_FIRST:
        return Surname(parts.surname) + ", " + std::string(parts.given) + std::string(parts.suffix);
    case QUAL_PREFERRED:
        return GetPreferredText(size);
    case QUAL_ADORNED:
    case QUAL_PREFIXED:
    case QUAL_SUFFIXED: {
        const std::string prefix = prefixed ? GetChildText(FIELD_NPFX) : std::string();
        const int room = size - (prefix.empty() ? 0 : int(prefix.size()) + 1);
        return AdornText(GetPreferredText(room), prefixed, suffixed);
    }
    case QUAL_ADORNED_FULL:
    case QUAL_PREFIXED_FULL:
    case QUAL_SUFFIXED_FULL:
        return AdornText(GetFullText(), prefixed, suffixed);
    default:
        return std::string(stored);
    }
}

int CNameNode::GetTextBuf(char* buffer, int size, int format) const
{
    if (size < 2)
        return CopyTextToBuffer({}, buffer, size);
    if (format >= QUAL_SURNAME && format <= QUAL_STORED)
        return CopyTextToBuffer(FormatName(format, size), buffer, size);
    if (format == QUAL_NUMERIC && IsNumericText())
        return CEditNode::GetTextBuf(buffer, size, format);
    return CopyTextToBuffer(GetFullText(), buffer, size);
}

std::string CNameNode::FormattedText(int format, int size) const
{
    std::string text(std::size_t(size), '\0');
    text.resize(std::size_t(GetTextBuf(text.data(), size, format)));
    return text;
}

int CNameNode::Compare(const CDataNode* other, int format) const
{
    const auto* theirs = dynamic_cast<const CNameNode*>(other);
    if (!theirs)
        return CDataNode::Compare(other, format);
    return CompareSortKeys(GetSortKey(format), theirs->GetSortKey(format));
}

CNameNode::SortKey CNameNode::GetSortKey(int format) const
{
    SortKey key;
    if (SortsAsFormatted(format)) {
        key.formatted = true;
        key.kept = text::FoldedSortKey(FormattedText(format, kSortBytes));
        return key;
    }
    const std::string_view value = GetValue();
    if (!value.empty() && KeptIsFullText(format) && IsAscii(value)) {
        ReadAsciiSortKey(value, key);
        return key;
    }
    const std::size_t open = value.find('/');
    key.hasSlash = open != std::string_view::npos;
    if (key.hasSlash)
        key.lead = SurnameLeadKey(value.substr(open + 1));
    key.surname = text::FoldedSortKey(FormattedText(QUAL_SURNAME, kSortBytes));
    key.kept = text::FoldedSortKey(FormattedText(KeptSortFormat(format), kSortBytes));
    return key;
}

bool CNameNode::SortKeyFollowsValue(int format) const
{
    const std::string_view value = GetValue();
    return !SortsAsFormatted(format) && !value.empty() && KeptIsFullText(format) && IsAscii(value);
}

int CNameNode::CompareSortKeys(const SortKey& mine, const SortKey& theirs)
{
    if (mine.formatted || theirs.formatted)
        return Sign(mine.kept.compare(theirs.kept));
    if (mine.hasSlash && theirs.hasSlash)
        if (const int lead = mine.lead.compare(theirs.lead))
            return Sign(lead);
    if (const int bySurname = mine.surname.compare(theirs.surname))
        return Sign(bySurname);
    return Sign(mine.kept.compare(theirs.kept));
}
