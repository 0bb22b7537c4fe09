// database/dictionary/field_def_source.cpp: the text form of the field-definitions table, read into
// definition records and field-id names for the dictionary and for the build's generator.
#include "database/dictionary/field_def_source.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace {

constexpr std::string_view kFlagOrder = "!ACEHLRU";
constexpr std::uint16_t kUnbounded = 65535;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view TrimRight(std::string_view s)
{
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

void SkipBlanks(std::string_view& s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
}

/// The next blank-separated word of s, removed from s.
std::string_view NextWord(std::string_view& s)
{
    SkipBlanks(s);
    std::size_t end = 0;
    while (end < s.size() && !IsBlank(s[end]))
        ++end;
    std::string_view word = s.substr(0, end);
    s.remove_prefix(end);
    return word;
}

bool ParseNumber(std::string_view s, long& value)
{
    if (s.empty())
        return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && end == s.data() + s.size();
}

bool ParseCount(std::string_view s, std::uint16_t& count)
{
    if (s == "M") {
        count = kUnbounded;
        return true;
    }
    long value = 0;
    if (!ParseNumber(s, value) || value < 0 || value > kUnbounded)
        return false;
    count = static_cast<std::uint16_t>(value);
    return true;
}

bool ParseCounts(std::string_view s, CFieldDefRecord& record)
{
    std::size_t colon = s.find(':');
    return colon != std::string_view::npos && ParseCount(s.substr(0, colon), record.minCount) &&
           ParseCount(s.substr(colon + 1), record.maxCount);
}

std::vector<std::string> SplitValues(std::string_view s)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    while (true) {
        std::size_t bar = s.find('|', start);
        items.emplace_back(s.substr(start, bar - start));
        if (bar == std::string_view::npos)
            return items;
        start = bar + 1;
    }
}

} // namespace

bool AreFieldFlagLettersValid(std::string_view letters)
{
    std::size_t next = 0;
    for (char c : letters) {
        std::size_t at = kFlagOrder.find(c, next);
        if (c == '\0' || at == std::string_view::npos)
            return false;
        next = at + 1;
    }
    return true;
}

bool CFieldDefSource::Parse(std::string_view text)
{
    m_records.clear();
    m_ids.clear();
    m_error.clear();
    m_previousLevel = -1;
    m_inRecords = false;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        if (!ParseLine(text.substr(start, end - start), ++lineNumber))
            return false;
        start = end + 1;
    }
    return true;
}

int CFieldDefSource::FindId(std::string_view name) const
{
    for (const CFieldIdName& id : m_ids) {
        if (id.name == name)
            return id.id;
    }
    return -1;
}

bool CFieldDefSource::Fail(std::string message)
{
    m_error = "line " + std::to_string(m_line) + ": " + std::move(message);
    return false;
}

bool CFieldDefSource::ParseLine(std::string_view line, int lineNumber)
{
    m_line = lineNumber;
    line = TrimRight(line);
    std::size_t indent = 0;
    while (indent < line.size() && line[indent] == ' ')
        ++indent;
    if (indent == line.size() || line[indent] == '#')
        return true;
    if (line[indent] == '\t')
        return Fail("indent with blanks, not tabs");
    if (indent % 2 != 0)
        return Fail("indent by two blanks a level");
    const int level = static_cast<int>(indent / 2);
    std::string_view rest = line.substr(indent);
    std::string_view first = rest;
    std::string_view keyword = NextWord(first);
    if (keyword == "id") {
        if (level != 0)
            return Fail("an id line is not indented");
        return ParseIdLine(first);
    }
    if (keyword == "struct")
        return ParseStructHead(first, level);
    return ParseDefinition(rest, level);
}

bool CFieldDefSource::ParseIdLine(std::string_view rest)
{
    std::string_view name = NextWord(rest);
    std::string_view number = NextWord(rest);
    long value = 0;
    if (!NextWord(rest).empty() || !ParseNumber(number, value) || value <= 0)
        return Fail("expected: id NAME NUMBER");
    if (!name.starts_with("FIELD_") && !name.starts_with("STRUCT_"))
        return Fail("an id name starts with FIELD_ or STRUCT_");
    if (FindId(name) >= 0)
        return Fail("id " + std::string(name) + " named twice");
    for (const CFieldIdName& id : m_ids) {
        if (id.id == value)
            return Fail("id " + std::to_string(value) + " given to " + id.name + " already");
    }
    m_ids.push_back({std::string(name), static_cast<int>(value)});
    return true;
}

bool CFieldDefSource::ParseStructHead(std::string_view rest, int level)
{
    if (level != 0)
        return Fail("a structure head is not indented");
    if (m_inRecords)
        return Fail("structures come before the record definitions");
    m_previousLevel = 0;
    CFieldDefRecord record;
    record.line = m_line;
    record.kind = CFieldDefRecord::Kind::StructHead;
    record.tag = NextWord(rest);
    if (record.tag.size() < 2 || record.tag[0] != '@')
        return Fail("a structure name starts with @");
    std::string_view word = NextWord(rest);
    if (word == "flag") {
        record.structFlag = true;
        word = NextWord(rest);
    }
    if (!word.empty())
        return Fail("unexpected '" + std::string(word) + "'");
    record.fieldId = std::max(0, FindId("STRUCT_" + record.tag.substr(1)));
    m_records.push_back(std::move(record));
    return true;
}

bool CFieldDefSource::ParseDefinition(std::string_view rest, int level)
{
    if (level > m_previousLevel + 1)
        return Fail("indented more than one level below the line before");
    m_previousLevel = level;
    CFieldDefRecord record;
    record.line = m_line;
    record.level = level;
    record.tag = NextWord(rest);
    record.typeName = NextWord(rest);
    if (record.typeName.empty() || !ParseCounts(NextWord(rest), record))
        return Fail("expected: TAG TYPE MIN:MAX \"Label\"");
    SkipBlanks(rest);
    std::size_t close = rest.find('"', 1);
    if (rest.empty() || rest.front() != '"' || close == std::string_view::npos)
        return Fail("expected a label in double quotes");
    record.label = rest.substr(1, close - 1);
    rest.remove_prefix(close + 1);
    const bool isRef = record.typeName == "ref";
    if (isRef) {
        record.kind = CFieldDefRecord::Kind::StructRef;
        record.typeName.clear();
        if (record.tag.size() < 2 || record.tag[0] != '@')
            return Fail("a structure reference names a structure starting with @");
        if (level == 0)
            return Fail("a structure reference stands inside a definition");
        record.fieldId = std::max(0, FindId("STRUCT_" + record.tag.substr(1)));
    }
    bool idGiven = false;
    while (true) {
        SkipBlanks(rest);
        if (rest.empty())
            break;
        if (rest.front() == '{') {
            if (isRef || rest.back() != '}')
                return Fail("a value list is the last thing on its line, in braces");
            std::vector<std::string> items = SplitValues(rest.substr(1, rest.size() - 2));
            record.extraText = std::move(items.front());
            record.values.assign(std::make_move_iterator(items.begin() + 1),
                                 std::make_move_iterator(items.end()));
            break;
        }
        std::string_view token = NextWord(rest);
        if (token.starts_with("id="))
            idGiven = true;
        if (isRef && !token.starts_with("flags="))
            return Fail("a structure reference takes only flags");
        if (!ParseAttribute(token, record))
            return false;
    }
    if (record.kind == CFieldDefRecord::Kind::Field && level == 0) {
        m_inRecords = true;
        for (const CFieldDefRecord& other : m_records) {
            if (other.level == 0 && other.tag == record.tag)
                return Fail("record " + record.tag + " defined twice");
        }
    }
    if (record.kind == CFieldDefRecord::Kind::Field && !idGiven) {
        record.fieldId = FindId("FIELD_" + record.tag);
        if (record.fieldId < 0)
            return Fail("no id FIELD_" + record.tag + "; name one with id=");
    }
    m_records.push_back(std::move(record));
    return true;
}

bool CFieldDefSource::ParseAttribute(std::string_view token, CFieldDefRecord& record)
{
    if (token.starts_with("id=")) {
        record.fieldId = FindId(token.substr(3));
        return record.fieldId >= 0 || Fail("unknown id " + std::string(token.substr(3)));
    }
    if (token.starts_with("flags=")) {
        record.flags = token.substr(6);
        return AreFieldFlagLettersValid(record.flags) ||
               Fail("flag letters go once each in the order ! A C E H L R U");
    }
    if (token.starts_with("size=")) {
        long value = 0;
        if (!ParseNumber(token.substr(5), value) || value < -1 || value > 32767)
            return Fail("bad size");
        record.sizeValue = static_cast<std::int16_t>(value);
        return true;
    }
    if (token == "pointer" || token == "local") {
        record.classValue = token == "pointer" ? 1 : 2;
        return true;
    }
    if (token == "readonly") {
        record.readOnly = true;
        return true;
    }
    if (token == "CONT" || token == "CONC") {
        (token == "CONT" ? record.allowsCont : record.allowsConc) = true;
        return true;
    }
    return Fail("unknown attribute '" + std::string(token) + "'");
}
