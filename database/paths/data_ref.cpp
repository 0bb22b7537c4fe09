// database/paths/data_ref.cpp: a data reference, what a user writes wherever the program asks which
// value to show or test: a data path (INDI.BIRT.DATE:YEAR) or an "=" expression.
#include "database/paths/data_ref.h"

#include "database/nodes/data_node.h"
#include "database/records/record_node.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace {

/// The node's text in a format, whole: the buffer grows until the text fits with room to spare
/// (a node cuts its text to the buffer, and never in the middle of a character).
std::string WholeNodeText(const CDataNode& node, int format)
{
    std::string buffer(1024, '\0');
    for (;;) {
        const int size = int(buffer.size());
        const int length = std::max(0, node.GetTextBuf(buffer.data(), size, format));
        if (length + 4 < size || size > INT_MAX / 2) {
            buffer.resize(std::size_t(std::min(length, size)));
            return buffer;
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
}

} // namespace

CDataRef::CDataRef(const CDataRef& other)
    : m_kind(other.m_kind), m_expressionText(other.m_expressionText)
{
    if (other.m_path)
        m_path = std::make_unique<CDataPath>(*other.m_path);
    if (other.m_expression)
        m_expression = other.m_expression->Clone();
}

CDataRef& CDataRef::operator=(const CDataRef& other)
{
    if (this != &other) {
        CDataRef copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void CDataRef::Clear()
{
    m_kind = DATAREF_EMPTY;
    m_path.reset();
    m_expression.reset();
    m_expressionText.clear();
}

bool CDataRef::SetText(std::string_view text)
{
    if (text.empty()) {
        Clear();
        return false;
    }
    return text.front() == '=' ? ParseExpression(text) : ParsePath(text);
}

bool CDataRef::ParsePath(std::string_view text, DataPathError* error)
{
    Clear();
    auto path = std::make_unique<CDataPath>();
    if (!path->ParseText(text, nullptr, error))
        return false;
    m_path = std::move(path);
    m_kind = DATAREF_PATH;
    return true;
}

bool CDataRef::ParseExpression(std::string_view text)
{
    Clear();
    if (!text.starts_with('='))
        return false;
    if (IDataExpressionParser* parser = GetDataExpressionParser()) {
        m_expression = parser->ParseExpression(text);
        if (!m_expression)
            return false;
    } else {
        m_expressionText = std::string(text);
    }
    m_kind = DATAREF_EXPRESSION;
    return true;
}

bool CDataRef::SetPath(const CDataPath& path)
{
    Clear();
    m_path = std::make_unique<CDataPath>(path);
    m_kind = DATAREF_PATH;
    return true;
}

void CDataRef::Evaluate(std::string& text, CRecordNode* record) const
{
    text.clear();
    if (!record)
        return;
    if (m_expression) {
        m_expression->EvaluateToText(text, record);
        return;
    }
    if (!m_path || m_path->IsEmpty() || record->GetFieldDef() != m_path->NextStep(nullptr)->m_def)
        return;
    if (const CDataNode* node = m_path->FindNode(record))
        text = WholeNodeText(*node, m_path->GetQualifier());
}

bool CDataRef::IsValidForRecordType(const CFieldDef* topDef) const
{
    switch (m_kind) {
    case DATAREF_PATH:
        return m_path->IsEmpty() ? topDef == nullptr : m_path->NextStep(nullptr)->m_def == topDef;
    case DATAREF_EXPRESSION:
        return m_expression && m_expression->IsValidForRecordType(topDef);
    case DATAREF_EMPTY:
        break;
    }
    return false;
}

void CDataRef::Format(std::string& text) const
{
    text.clear();
    if (m_path)
        m_path->Format(text);
    else if (m_expression)
        m_expression->FormatText(text);
    else
        text = m_expressionText;
}
