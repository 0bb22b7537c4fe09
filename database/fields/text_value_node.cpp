// database/fields/text_value_node.cpp: what the single-line and multi-line text fields share: the
// value as UTF-8 text, how it is read from GEDCOM, compared, searched and written in GEDCOM lines.
#include "database/fields/text_value_node.h"

#include "common/abort.h"
#include "database/gedcom/gedcom_line_sink.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_control_access.h"

#include "common/gedcom_value.h"
#include "common/string_utils.h"
#include "platform/base/text.h"

static_assert(sizeof(CTextValueNode) == 48, "the text fills the node's tail: names, places and "
                                            "titles are among the most common nodes");

namespace {

/// How many characters of value fit on a line that starts with prefix and a blank.
int RoomAfter(std::string_view prefix)
{
    return kMaxGedcomLine - int(text::Utf8Length(prefix)) - 1;
}

/// Sends one line: the prefix, then a blank and the value unless the value is empty.
bool SendLine(std::string& line, std::string_view value)
{
    if (value.empty())
        return WriteGedcomLine(line);
    line += ' ';
    return WriteGedcomLine(line, value);
}

bool ContainsTerm(std::string_view value, const CSearchTerm& term, bool caseSensitive)
{
    if (caseSensitive)
        return value.find(term.m_text) != std::string_view::npos;
    return ContainsFoldedText(value, term.m_lower, term.m_upper);
}

} // namespace

namespace {

std::size_t g_crossReferenceTextsRead = 0;

} // namespace

std::size_t CountCrossReferenceTextsRead()
{
    return g_crossReferenceTextsRead;
}

std::string_view CrossReferenceIn(std::string_view value)
{
    if (value.size() < 3 || value.front() != '@' || value.back() != '@')
        return {};
    const std::string_view id = value.substr(1, value.size() - 2);
    return id.find('@') == std::string_view::npos ? id : std::string_view();
}

void CTextValueNode::SetCrossReference(std::string_view idText)
{
    std::string value;
    value.reserve(idText.size() + 2);
    value.append("@").append(idText).append("@");
    m_value.Assign(value);
    SetFlag(DNF_XREF_TEXT, true);
}

bool CTextValueNode::SetText(std::string_view text)
{
    if (!CrossReferenceIn(text).empty()) {
        m_value.Assign(text);
        SetFlag(DNF_XREF_TEXT, true);
        ++g_crossReferenceTextsRead;
        return true;
    }
    SetFlag(DNF_XREF_TEXT, false);
    // Most values hold no "@": only those that do are unescaped through a string of their own.
    if (text.find('@') == std::string_view::npos) {
        StoreReadValue(text);
        return true;
    }
    std::string unescaped;
    AppendGedcomValue(unescaped, text);
    StoreReadValue(unescaped);
    return true;
}

void CTextValueNode::StoreReadValue(std::string_view value)
{
    // Place names repeat across a file's events, so each distinct one is kept once.
    if (GetFieldId() == FIELD_PLAC)
        m_value.AssignShared(value);
    else
        m_value.Assign(value);
}

CDataNode* CTextValueNode::CopyValueFrom(const CDataNode* other)
{
    const auto* source = dynamic_cast<const CTextValueNode*>(other);
    if (!source || source == this || source->GetFieldDef() != GetFieldDef())
        return this;
    m_value = source->m_value;
    SetFlag(DNF_XREF_TEXT, source->HoldsCrossReference());
    MarkChanged(this);
    return this;
}

bool CTextValueNode::IsEqual(const CDataNode* other, const void*) const
{
    const auto* theirs = dynamic_cast<const CTextValueNode*>(other);
    return theirs && text::EqualsNoCase(GetValue(), theirs->GetValue());
}

bool CTextValueNode::ContainsText(std::span<const CSearchTerm> terms, bool caseSensitive,
                                  bool recursive) const
{
    bool all = !terms.empty();
    for (const CSearchTerm& term : terms)
        all = all && ContainsTerm(GetValue(), term, caseSensitive);
    if (all)
        return true;
    return recursive && CDataNode::ContainsText(terms, caseSensitive, recursive);
}

void CTextValueNode::StartText(std::string& text, int withLabel) const
{
    text.clear();
    if (!withLabel)
        return;
    GetLabel(text);
    text += ": ";
}

bool CTextValueNode::ReadControlText(CDataCtl* control, std::string& text)
{
    IDataControlAccess* access = GetDataControlAccess();
    if (!control || !access)
        return false;
    try {
        return access->GetText(*control, text);
    } catch (...) {
        EndAbandonedOperation();
        return false;
    }
}

bool CTextValueNode::WriteControlText(CDataCtl* control, std::string_view text)
{
    IDataControlAccess* access = GetDataControlAccess();
    if (!control || !access)
        return false;
    access->SetText(*control, text);
    return true;
}

void CTextValueNode::StoreEditedText(std::string_view text, bool notify)
{
    if (m_value == text && !HoldsCrossReference())
        return;
    SetValue(text);
    MarkChanged(this);
    if (notify)
        NotifyChanges();
}

bool CTextValueNode::WriteValueLines(int level, std::string& line, std::string_view value) const
{
    const CFieldDef* def = GetFieldDef();
    if (!def)
        return true;
    if (HoldsCrossReference() || value.empty())
        return WriteOneLine(level, line, value);
    StartGedcomLine(line, level, def->GetGedcomTag());
    return WriteContinuedText(line, level + 1, value, def->AllowsConc()) &&
           WriteChildren(level, line);
}

bool CTextValueNode::WriteOneLine(int level, std::string& line, std::string_view value) const
{
    const CFieldDef* def = GetFieldDef();
    if (!def)
        return true;
    if (HoldsCrossReference()) {
        // The at signs of a cross-reference are written single, as read.
        const std::string rest = " " + std::string(value);
        return WriteGedcomTagLine(level, def->GetGedcomTag(), rest) && WriteChildren(level, line);
    }
    if (value.empty()) {
        // A user-defined field without a value means what its presence says ("1 _FLAG"): its
        // tag is written alone. Any other field without a value writes its tag only when a
        // sub-field writes something.
        if (def->HasFlag(FDF_USER_DEFINED))
            return WriteGedcomTagLine(level, def->GetGedcomTag(), "") && WriteChildren(level, line);
        if (!GetFirstChild())
            return true;
        HoldGedcomTagLine(level, def->GetGedcomTag(), "");
        const bool written = WriteChildren(level, line);
        ReleaseGedcomTagLine();
        return written;
    }
    return WriteGedcomTagLine(level, def->GetGedcomTag(), " ", value) && WriteChildren(level, line);
}

bool CTextValueNode::WriteChildren(int level, std::string& line) const
{
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        if (!child->WriteGedcom(level + 1, line))
            return false;
    }
    return true;
}

bool WriteContinuedText(std::string& line, int continuationLevel, std::string_view value,
                        bool concAllowed)
{
    std::size_t position = 0;
    std::string chunk;
    bool lineBreak = false;
    NextValueChunk(value, RoomAfter(line), position, chunk, lineBreak);
    if (!SendLine(line, chunk))
        return false;
    while (position < value.size() || lineBreak) {
        StartGedcomLine(line, continuationLevel, !lineBreak && concAllowed ? "CONC" : "CONT");
        NextValueChunk(value, RoomAfter(line), position, chunk, lineBreak);
        if (!SendLine(line, chunk))
            return false;
    }
    return true;
}

void SetTextValue(CDataNode* node, std::string_view text)
{
    if (!node)
        return;
    if (auto* textNode = dynamic_cast<CTextValueNode*>(node))
        textNode->SetValue(text);
    else
        node->SetText(text);
    MarkChanged(node);
}

int CopyTextToBuffer(std::string_view text, char* buffer, int size)
{
    if (!buffer || size < 1)
        return 0;
    const std::size_t length = text::Utf8Boundary(text, std::size_t(size - 1));
    text.copy(buffer, length);
    buffer[length] = '\0';
    return int(length);
}
