// database/fields/number_node.cpp: a whole-number field (the number of children, a frame number).
#include "database/fields/number_node.h"

#include "common/abort.h"
#include "common/gedcom_value.h"
#include "database/gedcom/gedcom_line_sink.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_control_access.h"
#include "platform/base/text.h"

#include <limits>

namespace {

int Sign(long long n)
{
    return n < 0 ? -1 : n > 0 ? 1 : 0;
}

} // namespace

const CRuntimeClass* CNumberNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CNumberNode>();
}

CDataCtl* CNumberNode::ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner,
                                     DWORD style, UINT id, DWORD flags)
{
    return PresentControl(*this, CDataNode::ShowInControl(parent, rect, owner, style, id, flags),
                          false, ControlSelection::All);
}

bool CNumberNode::UpdateFromControl(CDataCtl* control, bool save, bool notify)
{
    IDataControlAccess* access = GetDataControlAccess();
    if (!control || !access)
        return false;
    try {
        if (!save) {
            access->SetText(*control, ValueText());
            return true;
        }
        std::string text;
        if (!access->GetText(*control, text))
            return false;
        CNumberNode typed;
        typed.ReadNumber(text);
        if (!HasSameValue(typed)) {
            m_empty = typed.m_empty;
            m_value = typed.m_value;
            m_unread = std::move(typed.m_unread);
            MarkChanged(this);
            if (notify)
                NotifyChanges();
        }
        return true;
    } catch (...) {
        EndAbandonedOperation();
        return false;
    }
}

bool CNumberNode::GetText(std::string& text, int withLabel) const
{
    text.clear();
    if (withLabel && GetFieldDef())
        text = GetFieldDef()->GetLabel() + ": ";
    text += ValueText();
    return true;
}

int CNumberNode::GetTextBuf(char* buffer, int size, int) const
{
    return CDataNode::GetTextBuf(buffer, size, 0);
}

bool CNumberNode::SetText(std::string_view text)
{
    std::string value;
    AppendGedcomValue(value, text);
    ReadNumber(value);
    return true;
}

void CNumberNode::ReadNumber(std::string_view text)
{
    const std::string_view trimmed = text::TrimView(text);
    m_empty = 1;
    m_value = 0;
    m_unread.Reset();
    if (trimmed.empty())
        return;
    long value = 0;
    const bool digits = trimmed[0] >= '0' && trimmed[0] <= '9';
    if (digits && text::ParseInt(trimmed, value) &&
        value <= std::numeric_limits<std::int32_t>::max()) {
        m_empty = 0;
        m_value = std::int32_t(value);
    } else {
        m_unread.Set(trimmed);
    }
}

CDataNode* CNumberNode::CopyValueFrom(const CDataNode* other)
{
    const auto* number = dynamic_cast<const CNumberNode*>(other);
    if (!number || number == this)
        return this;
    m_empty = number->m_empty;
    m_value = number->m_value;
    if (number->m_unread)
        m_unread.Set(*number->m_unread);
    else
        m_unread.Reset();
    MarkChanged(this);
    return this;
}

int CNumberNode::Compare(const CDataNode* other, int format) const
{
    const auto* number = dynamic_cast<const CNumberNode*>(other);
    if (!number)
        return CDataNode::Compare(other, format);
    const bool mineEmpty = m_empty && !m_unread;
    const bool theirsEmpty = number->m_empty && !number->m_unread;
    if (mineEmpty || theirsEmpty)
        return Sign(int(theirsEmpty) - int(mineEmpty));
    if (m_unread || number->m_unread) {
        if (m_unread && number->m_unread)
            return Sign(text::CompareNoCase(*m_unread, *number->m_unread));
        return m_unread ? -1 : 1;
    }
    return Sign(static_cast<long long>(m_value) - number->m_value);
}

bool CNumberNode::IsEqual(const CDataNode* other, const void*) const
{
    const auto* number = dynamic_cast<const CNumberNode*>(other);
    return number && HasSameValue(*number);
}

bool CNumberNode::WriteGedcom(int level, std::string& line) const
{
    const CFieldDef* def = GetFieldDef();
    const CDataNode* child = GetFirstChild();
    if (!def || (IsEmpty() && !child))
        return true;
    line = std::to_string(level);
    line += ' ';
    line += def->GetGedcomTag();
    if (!m_empty)
        line += ' ' + std::to_string(m_value);
    else if (m_unread)
        line += ' ';
    if (!WriteGedcomLine(line, m_unread ? std::string_view(*m_unread) : std::string_view()))
        return false;
    for (; child; child = child->GetNextSibling()) {
        if (!child->WriteGedcom(level + 1, line))
            return false;
    }
    return true;
}

void CNumberNode::SetNumber(std::int32_t value)
{
    if (!m_empty && !m_unread && m_value == value)
        return;
    m_empty = 0;
    m_value = value;
    m_unread.Reset();
    MarkChanged(this);
}

std::string CNumberNode::ValueText() const
{
    if (m_unread)
        return *m_unread;
    return m_empty ? std::string() : std::to_string(m_value);
}

bool CNumberNode::HasSameValue(const CNumberNode& other) const
{
    if (m_empty != other.m_empty || m_value != other.m_value)
        return false;
    if (!m_unread || !other.m_unread)
        return !m_unread && !other.m_unread;
    return *m_unread == *other.m_unread;
}
