// database/fields/blob_node.cpp: the BLOB text of embedded multimedia content, gathered from its
// lines.
#include "database/fields/blob_node.h"

#include "common/blob_encoding.h"
#include "database/gedcom/gedcom_line_sink.h"
#include "database/nodes/change_tracking.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace {

// The room taken by the first piece, and by which the room grows when a piece does not fit.
constexpr std::size_t kFirstCapacity = 11000;
constexpr std::size_t kCapacityStep = 20000;

} // namespace

const CRuntimeClass* CBlobNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CBlobNode>();
}

bool CBlobNode::SetText(std::string_view text)
{
    m_text.clear();
    return AppendText(text, 0);
}

bool CBlobNode::AppendText(std::string_view text, int)
{
    if (text.empty())
        return true;
    try {
        const std::size_t needed = m_text.size() + text.size() + 1;
        if (m_text.capacity() == 0 || needed > m_text.capacity()) {
            const std::size_t step = m_text.capacity() == 0 ? kFirstCapacity : kCapacityStep;
            m_text.reserve(std::max(m_text.capacity() + step, needed));
        }
        m_text.append(text);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

bool CBlobNode::WriteGedcom(int level, std::string& line) const
{
    const CFieldDef* def = GetFieldDef();
    if (!def || m_text.empty())
        return true;
    line = std::to_string(level);
    line += ' ';
    line += def->GetGedcomTag();
    if (!WriteGedcomLine(line))
        return false;
    const std::string prefix = std::to_string(level + 1) + " CONT ";
    for (std::size_t at = 0; at < m_text.size(); at += kLineChars) {
        line = prefix;
        line.append(m_text, at, kLineChars);
        if (!WriteGedcomLine(line))
            return false;
    }
    return true;
}

std::optional<std::string> CBlobNode::GetContent() const
{
    return DecodeBlob(m_text);
}

void CBlobNode::SetContent(std::string_view content)
{
    m_text = EncodeBlob(content);
    MarkChanged(this);
}

void CBlobNode::TakeBlobFrom(CBlobNode& other)
{
    if (&other == this)
        return;
    m_text = std::move(other.m_text);
    other.m_text.clear();
    MarkChanged(this);
    MarkChanged(&other);
}
