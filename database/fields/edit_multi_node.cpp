// database/fields/edit_multi_node.cpp: a field whose value is text of several lines (data type 2),
// written with CONC and CONT continuation lines.
#include "database/fields/edit_multi_node.h"

#include "database/dictionary/qualifier_table.h"
#include "database/nodes/data_control_access.h"

#include "common/gedcom_value.h"
#include "common/string_utils.h"
#include "platform/base/text.h"

namespace {

/// The most characters of the first line that GetText shows.
constexpr std::size_t kFirstLineChars = 255;

bool IsLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

/// The first count characters of text (all of it when shorter).
std::string_view FirstChars(std::string_view text, std::size_t count)
{
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < text.size(); ++n)
        text::DecodeUtf8(text, pos);
    return text.substr(0, pos);
}

/// The last count characters of text, or nothing when text has fewer.
std::optional<std::string_view> LastChars(std::string_view text, std::size_t count)
{
    const std::size_t length = text::Utf8Length(text);
    if (length < count)
        return std::nullopt;
    return text.substr(FirstChars(text, length - count).size());
}

bool SameText(std::string_view a, std::string_view b, bool caseSensitive)
{
    return caseSensitive ? a == b : text::EqualsNoCase(a, b);
}

} // namespace

const CRuntimeClass* CEditMultiNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CEditMultiNode>();
}

CDataCtl* CEditMultiNode::ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner,
                                        DWORD style, UINT id, DWORD flags)
{
    return PresentControl(*this, CDataNode::ShowInControl(parent, rect, owner, style, id, flags),
                          true, ControlSelection::Start);
}

bool CEditMultiNode::UpdateFromControl(CDataCtl* control, bool save, bool notify)
{
    IDataControlAccess* access = GetDataControlAccess();
    if (!control || !access)
        return false;
    if (save) {
        std::string text;
        if (!ReadControlText(control, text))
            return false;
        StoreEditedText(ToLfLineBreaks(text), notify);
    } else {
        WriteControlText(control, ToCrLfLineBreaks(GetValue()));
    }
    access->ClearModified(*control);
    return true;
}

std::string CEditMultiNode::GetFirstLine() const
{
    const std::string_view value = GetValue();
    std::size_t end = 0;
    while (end < value.size() && !IsLineBreak(value[end]))
        ++end;
    std::string line(FirstChars(value.substr(0, end), kFirstLineChars));
    if (line.size() < value.size())
        line += "...";
    return line;
}

bool CEditMultiNode::GetText(std::string& text, int withLabel) const
{
    StartText(text, withLabel);
    text += GetFirstLine();
    return true;
}

bool CEditMultiNode::AppendText(std::string_view text, int continuationKind)
{
    if ((continuationKind != FIELD_CONC && continuationKind != FIELD_CONT) || HoldsCrossReference())
        return false;
    std::string piece(continuationKind == FIELD_CONT ? "\n" : "");
    AppendGedcomValue(piece, text);
    m_value.Append(piece);
    return true;
}

bool CEditMultiNode::MatchText(int format, int op, bool caseSensitive,
                               std::optional<std::string_view> operand) const
{
    if (format != QUAL_NONE || (op != COND_BEGINS && op != COND_ENDS && op != COND_CONTAINS))
        return CDataNode::MatchText(format, op, caseSensitive, operand);
    if (!operand)
        return false;
    const std::string_view value = GetValue();
    const std::size_t length = text::Utf8Length(*operand);
    if (op == COND_BEGINS)
        return SameText(FirstChars(value, length), *operand, caseSensitive);
    if (op == COND_ENDS) {
        const std::optional<std::string_view> tail = LastChars(value, length);
        return tail && SameText(*tail, *operand, caseSensitive);
    }
    if (caseSensitive)
        return value.find(*operand) != std::string_view::npos;
    return text::FindNoCase(value, *operand) != std::string_view::npos;
}

bool CEditMultiNode::WriteGedcom(int level, std::string& line) const
{
    return WriteValueLines(level, line, GetValue());
}

void CEditMultiNode::GetTextAsOneLine(std::string& out, bool append) const
{
    if (!append)
        out.clear();
    const std::string_view value = GetValue();
    std::size_t pos = 0;
    while (pos < value.size()) {
        while (pos < value.size() && IsLineBreak(value[pos]))
            ++pos;
        std::size_t end = pos;
        while (end < value.size() && !IsLineBreak(value[end]))
            ++end;
        if (end == pos)
            break;
        if (!out.empty())
            out += ' ';
        out += value.substr(pos, end - pos);
        pos = end;
    }
}

void CEditMultiNode::GetOutputText(std::string& out, bool keepPrivate, bool strip) const
{
    const std::string_view value = GetValue();
    if ((keepPrivate && !strip) || value.find("[[") == std::string_view::npos) {
        out.assign(value);
        return;
    }
    out.clear();
    std::size_t pos = 0;
    while (pos < value.size()) {
        const std::size_t open = value.find("[[", pos);
        out += value.substr(pos, open - pos);
        if (open == std::string_view::npos)
            return;
        const std::size_t close = value.find("]]", open + 2);
        const std::string_view passage = value.substr(open + 2, close - (open + 2));
        if (keepPrivate)
            out += passage;
        if (close == std::string_view::npos)
            return;
        pos = close + 2;
    }
}
