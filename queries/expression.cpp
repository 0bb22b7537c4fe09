// queries/expression.cpp: one parsed "=" expression: a call of one of the built-in functions with
// its typed arguments, written back, evaluated for a record and used to sort records.
#include "queries/expression.h"

#include "common/abort.h"
#include "database/dates/date_format.h"
#include "database/dates/date_node.h"
#include "database/kin/ind_rec.h"
#include "database/kin/kinship_cache.h"
#include "database/kin/kinship_map.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"
#include "queries/relationship_pool.h"

#include <algorithm>

namespace {

int Sign(int value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

/// The parser the data references use.
class CExpressionParser final : public IDataExpressionParser {
public:
    std::unique_ptr<IDataExpression> ParseExpression(std::string_view text) override
    {
        auto expression = std::make_unique<CExpression>();
        if (!expression->Parse(text))
            return nullptr;
        return expression;
    }
};

} // namespace

CExpression::CExpression(const CExpression& other)
{
    *this = other;
}

CExpression& CExpression::operator=(const CExpression& other)
{
    if (this == &other)
        return *this;
    Clear();
    m_args = other.m_args;
    m_function = other.m_function;
    m_parameterCount = other.m_parameterCount;
    m_unboundCount = other.m_unboundCount;
    if (other.m_heldRoot && AddRefRecordCache(other.m_heldRoot))
        m_heldRoot = other.m_heldRoot;
    return *this;
}

CExpression::~CExpression()
{
    ReleaseCaches();
}

void CExpression::Clear()
{
    m_args.clear();
    m_function = nullptr;
    m_parameterCount = 0;
    m_unboundCount = 0;
    ReleaseCaches();
}

void CExpression::ReleaseCaches()
{
    if (m_heldRoot)
        ReleaseRecordCache(m_heldRoot);
    m_heldRoot = nullptr;
    if (m_holdsKinshipMap)
        ReleaseKinshipMap();
    m_holdsKinshipMap = false;
}

bool CExpression::HoldRelationshipRoot(CRecordNode* root, int entries)
{
    if (m_heldRoot || !root || !AcquireRecordCache(root, entries))
        return false;
    m_heldRoot = root;
    return true;
}

void CExpression::HoldKinshipMap()
{
    if (!m_holdsKinshipMap)
        m_holdsKinshipMap = AcquireKinshipMap();
}

bool CExpression::PathsStartAt(const CRecordNode* record) const
{
    for (const CExprArg& arg : m_args) {
        if (arg.m_value.GetType() != TV_TAGADDR)
            continue;
        const CDataPathStep* first = arg.m_value.GetDataPath().NextStep(nullptr);
        if (!record || !first || first->m_def != record->GetFieldDef())
            return false;
    }
    return true;
}

void CExpression::Evaluate(std::string& text, CRecordNode* record)
{
    text.clear();
    if (!m_function || !PathsStartAt(record))
        return;
    switch (m_function->m_resultType) {
    case ERT_TEXT:
        m_function->m_text(*this, record, text);
        break;
    case ERT_DATE:
        if (const COleDateTime date = m_function->m_date(*this, record);
            date.GetStatus() == COleDateTime::valid)
            text = FormatOleDateTime(date, GetDateLocale());
        break;
    case ERT_NUMBER:
        if (const ExprNumber number = m_function->m_number(*this, record))
            text = std::to_string(*number);
        break;
    default:
        break;
    }
}

int CExpression::CompareRecords(CRecordNode* a, CRecordNode* b)
{
    return CompareSortKeys(MakeSortKey(a), MakeSortKey(b));
}

CExprSortKey CExpression::MakeSortKey(CRecordNode* record)
{
    CExprSortKey key;
    if (!m_function)
        return key;
    key.m_resultType = m_function->m_resultType;
    if (m_function->m_sortKey) {
        key.m_ownOrder = true;
        m_function->m_sortKey(*this, record, key);
        return key;
    }
    switch (m_function->m_resultType) {
    case ERT_TEXT: {
        std::string text;
        Evaluate(text, record);
        key.m_text = text::FoldedSortKey(text);
        break;
    }
    case ERT_DATE:
        if (PathsStartAt(record))
            key.m_date = m_function->m_date(*this, record);
        break;
    case ERT_NUMBER:
        if (PathsStartAt(record))
            key.m_number = m_function->m_number(*this, record);
        break;
    default:
        key.m_resultType = 0;
        break;
    }
    return key;
}

int CExpression::CompareSortKeys(const CExprSortKey& a, const CExprSortKey& b)
{
    if (a.m_ownOrder || b.m_ownOrder) {
        if (!a.m_hasPerson)
            return b.m_hasPerson ? -1 : 0;
        if (!b.m_hasPerson)
            return 1;
        return CIndRec::CompareDateKeys(a.m_personDate, b.m_personDate);
    }
    switch (a.m_resultType) {
    case ERT_TEXT:
        return Sign(a.m_text.compare(b.m_text));
    case ERT_DATE: {
        const std::strong_ordering order = a.m_date <=> b.m_date;
        return order < 0 ? -1 : order > 0 ? 1 : 0;
    }
    case ERT_NUMBER: // no value sorts first
        return a.m_number < b.m_number ? -1 : b.m_number < a.m_number ? 1 : 0;
    default:
        return 0;
    }
}

void CExpression::SetArgRecord(int index, CRecordNode* record)
{
    if (index < 0 || index >= GetArgCount())
        return;
    CExprArg& arg = m_args[std::size_t(index)];
    arg = CExprArg();
    if (record) {
        arg.m_value.SetRecord(record);
        arg.m_declaredType = EAT_RECORD;
    }
    CountArguments();
}

bool CExpression::SetParameterValue(int n, const CTypedValue& value)
{
    for (CExprArg& arg : m_args) {
        if (arg.m_isParameter && n-- == 0) {
            arg.m_value = value;
            return true;
        }
    }
    return false;
}

bool CExpression::HasUnsetParameter() const
{
    return std::any_of(m_args.begin(), m_args.end(), [](const CExprArg& arg) {
        return arg.m_isParameter && arg.m_value.IsNone();
    });
}

void CExpression::OnRecordsDeleted(long hint)
{
    if (hint != kHintDataSetClearing && HasNoDeletedChanges())
        return;
    for (CExprArg& arg : m_args) {
        if (arg.m_value.GetType() == TV_RECORD &&
            (hint == kHintDataSetClearing || arg.m_value.GetRecord()->IsPendingDeletion()))
            arg.m_value.Clear();
    }
    ReleaseCaches();
}

CRecordNode* CExpression::GetRelationshipRoot(int& index, bool noCache)
{
    index = 0;
    if (!m_function || (m_function->m_id != 1 && m_function->m_id != 2) || GetArgCount() != 4)
        return nullptr;
    index = GetRelationshipIndex(GetArg(3).m_value.GetNumber());
    if (index < 0) {
        index = 0;
        return nullptr; // an occurrence below 1 asks for no relationship
    }
    CRecordNode* root = nullptr;
    for (int i = 0; i < 2 && !root; ++i) {
        if (GetArg(i).m_value.GetType() == TV_RECORD)
            root = GetArg(i).m_value.GetRecord();
    }
    if (root && !noCache && !m_heldRoot)
        HoldRelationshipRoot(root, index + 1);
    return root;
}

std::unique_ptr<IDataExpression> CExpression::Clone() const
{
    return std::make_unique<CExpression>(*this);
}

void CExpression::EvaluateToText(std::string& text, CRecordNode* record)
{
    try {
        Evaluate(text, record);
    } catch (const COperationAborted&) {
        text.clear();
    }
}

bool CExpression::IsValidForRecordType(const CFieldDef* topDef) const
{
    return std::all_of(m_args.begin(), m_args.end(), [topDef](const CExprArg& arg) {
        if (arg.m_value.GetType() != TV_TAGADDR)
            return true;
        const CDataPathStep* first = arg.m_value.GetDataPath().NextStep(nullptr);
        return first && first->m_def == topDef;
    });
}

void InstallExpressionEngine()
{
    static CExpressionParser parser;
    SetDataExpressionParser(&parser);
}
