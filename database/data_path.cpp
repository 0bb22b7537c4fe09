#include "database/data_path.h"

#include "database/data_node.h"
#include "database/record_node.h"
#include "platform/base/text.h"

namespace {

constexpr std::size_t kMaxTag = 32;

bool IsTokenEnd(char c)
{
    return c == '.' || c == '[' || c == ':' || c == '>';
}

/// The skip count and up-to flag of a bracket at pos; moves pos past it. False when malformed.
bool ReadBracket(std::string_view text, std::size_t& pos, long& skip, bool& upTo)
{
    skip = 0;
    upTo = false;
    if (pos >= text.size() || text[pos] != '[')
        return true;
    const std::size_t close = text.find(']', pos);
    if (close == std::string_view::npos)
        return false;
    std::string_view inside = text.substr(pos + 1, close - pos - 1);
    if (!inside.empty() && inside.front() == '<') {
        upTo = true;
        inside.remove_prefix(1);
    }
    skip = std::max(0L, text::ParseLeadingInt(inside));
    pos = close + 1;
    return true;
}

CDataNode* FindMatch(const CDataNode* parent, std::string_view tag, long skip, bool upTo)
{
    CDataNode* last = nullptr;
    for (CDataNode* child = parent->GetFirstChild(); child; child = child->GetNextSibling()) {
        const CFieldDef* def = child->GetFieldDef();
        if (!def || def->GetTag() != tag)
            continue;
        if (skip-- == 0)
            return child;
        last = child;
    }
    return upTo ? last : nullptr;
}

}  // namespace

CDataNode* FindNodeByText(CDataNode* node, std::string_view text, std::string* qualifier)
{
    if (qualifier)
        qualifier->clear();
    std::size_t pos = 0;
    CDataNode* current = node;
    while (current && pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && !IsTokenEnd(text[end]))
            ++end;
        if (end - pos > kMaxTag)
            return nullptr;
        const std::string_view tag = text.substr(pos, end - pos);
        pos = end;
        long skip = 0;
        bool upTo = false;
        if (!ReadBracket(text, pos, skip, upTo))
            return nullptr;
        CDataNode* match = FindMatch(current, tag, skip, upTo);
        if (!match || pos >= text.size())
            return match;
        const char separator = text[pos++];
        if (separator == ':') {
            if (qualifier)
                *qualifier = std::string(text.substr(pos));
            return match;
        }
        if (separator == '>')
            current = match->GetLinkTarget();
        else if (separator == '.')
            current = match;
        else
            return nullptr;
    }
    return current;
}

std::string MakeAlnumUpperKey(std::string_view text)
{
    std::string key;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t c = text::DecodeUtf8(text, pos);
        const char32_t upper = text::ToUpperChar(c);
        const bool digit = c >= U'0' && c <= U'9';
        // A letter is a character that has a case, or an ASCII letter.
        const bool letter = (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') ||
                            upper != text::ToLowerChar(c);
        if (digit || letter)
            text::AppendUtf8(key, upper);
    }
    return key;
}

bool CompareAlnumNoCase(std::string_view a, std::string_view b)
{
    return MakeAlnumUpperKey(a) == MakeAlnumUpperKey(b);
}
