// queries/query_filter_gen.cpp: CAvFilterGen: the general filter row, a data reference compared
// with a value.
#include "queries/query_filter.h"

#include "database/dates/date_node.h"
#include "database/dictionary/qualifier_table.h"
#include "database/nodes/change_hint.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"
#include "queries/detail/query_line.h"
#include "queries/expression.h"
#include "queries/query_record_sets.h"

using namespace query_line;

namespace {

/// Whether the saved form of value reads back as the same value, so that a file keeps it.
bool ValueReadsBack(const CTypedValue& value, const CFieldDef* context)
{
    std::string written;
    value.Write(written, context);
    if (!FitsOneLine(written))
        return false;
    CTypedValue read;
    std::size_t position = 1; // after the leading comma
    if (!read.Parse(written, position, context))
        return false;
    std::string again;
    read.Write(again, context);
    return again == written;
}

bool CompareText(std::string_view text, int op, bool caseSensitive, std::string_view value)
{
    if (op == COND_EQUAL || op == COND_GREATER || op == COND_LESS) {
        const int order = caseSensitive ? text.compare(value) : text::CompareNoCase(text, value);
        return op == COND_EQUAL ? order == 0 : op == COND_GREATER ? order > 0 : order < 0;
    }
    const std::string folded = caseSensitive ? std::string(text) : text::ToLower(text);
    const std::string wanted = caseSensitive ? std::string(value) : text::ToLower(value);
    switch (op) {
    case COND_BEGINS:
        return folded.starts_with(wanted);
    case COND_ENDS:
        return folded.ends_with(wanted);
    case COND_CONTAINS:
        return folded.find(wanted) != std::string::npos;
    default:
        return false;
    }
}

/// A month-and-day value against a date field's simple date, which must give both.
template <typename T> bool CompareNumbers(T a, int op, T b)
{
    return op == COND_EQUAL ? a == b : op == COND_GREATER ? a > b : op == COND_LESS ? a < b : false;
}

} // namespace

const CRuntimeClass* CAvFilterGen::GetRuntimeClass() const
{
    return RuntimeClassOf<CAvFilterGen>();
}

CExpression* CAvFilterGen::GetExpression() const
{
    return m_ref.GetKind() == DATAREF_EXPRESSION ? dynamic_cast<CExpression*>(m_ref.GetExpression())
                                                 : nullptr;
}

const CFieldDef* CAvFilterGen::GetPathField() const
{
    return m_ref.GetPath() ? m_ref.GetPath()->GetLastField() : nullptr;
}

int CAvFilterGen::GetValueType() const
{
    if (const CDataPath* path = m_ref.GetPath())
        return GetConditionOperandKind(path->GetLeafDataType(true), m_operator);
    if (const CExpression* expression = GetExpression())
        return expression->GetFunction() ? expression->GetFunction()->m_resultType : TV_NONE;
    return TV_NONE;
}

bool CAvFilterGen::PrepareApply(const CQueryRecordSets& sets)
{
    // Every record of a run is of one type, so whether an expression's paths start there is
    // asked once.
    const CExpression* expression = GetExpression();
    m_expressionApplies = expression && expression->GetFunction() && sets.GetCount() > 0 &&
                          expression->IsValidForRecordType(sets.GetRecord(0)->GetFieldDef());
    return true;
}

bool CAvFilterGen::Matches(CRecordNode* record)
{
    if (m_ref.GetPath())
        return MatchPath(record);
    if (GetExpression())
        return MatchExpression(record);
    return false;
}

bool CAvFilterGen::MatchPath(CRecordNode* record) const
{
    const CDataPath& path = *m_ref.GetPath();
    const CDataNode* node = path.FindNode(record);
    const bool empty = !node || node->IsEmpty();
    if (m_operator == COND_NULL)
        return empty;
    if (empty)
        return false;
    const int qualifier = path.GetQualifier();
    switch (m_value.GetType()) {
    case TV_TEXT:
        return node->MatchText(qualifier, m_operator, m_caseSensitive, m_value.GetText());
    case TV_DATE:
        return node->MatchDate(qualifier, m_operator, m_value.GetDate());
    case TV_NUMBER:
        return node->MatchNumber(qualifier, m_operator, m_value.GetNumber());
    case TV_RECORD:
        return node->MatchRecord(qualifier, m_operator, m_value.GetRecord());
    case TV_ENUM:
        return node->MatchEnum(qualifier, m_operator, m_value.GetEnum());
    case TV_MMDD: {
        const CMonthDay& day = m_value.GetMonthDay();
        return node->MatchMonthDay(qualifier, m_operator, day.m_month, day.m_day);
    }
    case TV_SPAN: {
        const CSpan& span = m_value.GetSpan();
        return node->MatchSpan(qualifier, m_operator, span.m_years, span.m_months, span.m_days);
    }
    default: // a node, a path or no value
        return false;
    }
}

bool CAvFilterGen::MatchExpression(CRecordNode* record) const
{
    CExpression& expression = *GetExpression();
    const CExprFunction& function = *expression.GetFunction();
    switch (function.m_resultType) {
    case ERT_TEXT: {
        std::string text;
        if (m_expressionApplies)
            expression.Evaluate(text, record);
        if (m_operator == COND_NULL)
            return text.empty();
        return m_value.GetType() == TV_TEXT &&
               CompareText(text, m_operator, m_caseSensitive, m_value.GetText());
    }
    case ERT_DATE: {
        const COleDateTime date =
            m_expressionApplies ? function.m_date(expression, record) : COleDateTime();
        const bool valid = date.GetStatus() == COleDateTime::valid;
        if (m_operator == COND_NULL)
            return !valid;
        // A record without a date is neither before nor after any date.
        if (!valid || m_value.GetType() != TV_DATE)
            return false;
        const CDateValue& value = m_value.GetDate();
        return m_operator == COND_EQUAL     ? value.EqualsOleDate(date)
               : m_operator == COND_GREATER ? value.IsBeforeOleDate(date)
               : m_operator == COND_LESS    ? value.IsAfterOleDate(date)
                                            : false;
    }
    case ERT_NUMBER: {
        const ExprNumber number =
            m_expressionApplies ? function.m_number(expression, record) : ExprNumber();
        if (m_operator == COND_NULL)
            return !number;
        // No value is no number at all, not 0.
        return number && m_value.GetType() == TV_NUMBER &&
               CompareNumbers(*number, m_operator, m_value.GetNumber());
    }
    default:
        return false;
    }
}

std::string CAvFilterGen::Describe() const
{
    std::string text = DescribeStart();
    std::string wording;
    if (const CDataPath* path = m_ref.GetPath()) {
        std::string pathText;
        path->Format(pathText);
        GetConditionOpWording(m_operator, wording, path->GetLeafDataType(true));
        text += "%" + pathText + "% " + wording;
    } else if (const CExpression* expression = GetExpression()) {
        std::string source;
        expression->FormatText(source, false);
        GetComputedOpWording(m_operator, wording, GetValueType());
        text += source + " " + wording;
    }
    const bool textValued = GetValueType() == TV_TEXT;
    if (m_operator != COND_NULL) {
        if (IsParameter()) {
            text += " [\"" + GetParameterLabel() + "\"].";
        } else if (textValued) {
            text += " '";
            AppendValueText(text);
            text += "'.";
        } else {
            text += " ";
            AppendValueText(text);
        }
    }
    if (textValued && m_caseSensitive)
        text += "  Case-sensitive.";
    return text;
}

void CAvFilterGen::AppendValueText(std::string& text) const
{
    if (m_ref.GetPath() && m_value.IsNone()) {
        text += "[value to be supplied]";
        return;
    }
    std::string value;
    m_value.Format(value, GetPathField());
    text += value;
}

bool CAvFilterGen::Load(std::string_view text, std::size_t& position)
{
    m_value.Clear();
    std::string refText;
    std::string keyword;
    if (!CAvFilter::Load(text, position) || !ReadQuoted(text, position, refText) ||
        !m_ref.SetText(refText) || !SkipComma(text, position))
        return false;
    const std::string_view caseField = ReadToken(text, position);
    if (!caseField.empty() && !text::EqualsNoCase(caseField, "MC"))
        return false;
    m_caseSensitive = !caseField.empty();
    if (!SkipComma(text, position) || !ReadQuoted(text, position, keyword))
        return false;
    m_operator = FindConditionOp(keyword);
    if (m_operator == COND_NONE)
        return false;
    if (AtEnd(text, position))
        return true;
    if (!SkipComma(text, position))
        return false;
    if (AtEnd(text, position))
        return true;
    // A value that does not read (node and record values are written by their type name
    // alone) leaves the row without one, to be supplied when the query runs.
    if (!m_value.Parse(text, position, GetPathField()))
        m_value.Clear();
    return true;
}

bool CAvFilterGen::Save(std::string& text) const
{
    std::string refText;
    std::string keyword;
    m_ref.Format(refText);
    if (refText.empty() || !FitsOneLine(refText) || !GetConditionOpWording(m_operator, keyword, 0))
        return false;
    std::string line;
    if (!SaveStart(line, "GEN", IsParameter()))
        return false;
    line += "," + Quote(refText) + (m_caseSensitive ? ",MC," : ",,") + Quote(keyword);
    switch (m_value.GetType()) {
    case TV_NONE:
    case TV_RECORD: // a record chosen at run time is not kept
        break;
    case TV_DATANODE:
        m_value.Write(line, nullptr);
        break;
    default:
        // An enumerated value is written by its code, which needs the field of a path.
        if (m_value.GetType() == TV_ENUM && !GetPathField())
            return false;
        if (!ValueReadsBack(m_value, GetPathField()))
            return false;
        m_value.Write(line, GetPathField());
        break;
    }
    text += line;
    return true;
}

bool CAvFilterGen::NeedsParameter() const
{
    return m_operator != COND_NULL && m_value.IsNone();
}

bool CAvFilterGen::GetParameterPrompt(CParameterPrompt& prompt) const
{
    if (!IsParameter())
        return false;
    prompt.m_type = GetValueType();
    prompt.m_context = nullptr;
    if (const CDataPath* path = m_ref.GetPath()) {
        if (prompt.m_type == TV_RECORD)
            prompt.m_context = path->GetLeafField(true);
        else if (prompt.m_type == TV_ENUM || prompt.m_type == TV_DATANODE)
            prompt.m_context = path->GetLastField();
    }
    prompt.m_value = m_value;
    prompt.m_label = GetParameterLabel();
    if (prompt.m_label.empty() && GetPathField())
        prompt.m_label = GetPathField()->GetLabel();
    if (prompt.m_label.empty())
        prompt.m_label = "<No label>:";
    return true;
}

bool CAvFilterGen::SetParameter(const CTypedValue& value)
{
    if (!IsParameter() || value.GetType() != GetValueType())
        return false;
    m_value = value;
    return true;
}

void CAvFilterGen::OnRecordDeleted(long hint)
{
    const int type = m_value.GetType();
    if (type == TV_RECORD || type == TV_DATANODE) {
        const CDataNode* node = type == TV_RECORD ? m_value.GetRecord() : m_value.GetDataNode();
        if (hint == kHintDataSetClearing || node->IsPendingDeletion())
            m_value.Clear();
    }
    if (CExpression* expression = GetExpression())
        expression->OnRecordsDeleted(hint);
}

bool CAvFilterGen::RefersTo(long hint) const
{
    if (m_value.GetType() != TV_RECORD)
        return false;
    const CRecordNode* record = m_value.GetRecord();
    return hint == kHintDataSetClearing || record->IsPendingDeletion() || record->IsChanged();
}
