// queries/expression_functions.cpp: The built-in functions of the expression language: their table
// and their evaluators.
#include "queries/expression.h"

#include "database/dates/date_node.h"
#include "database/dictionary/field_def.h"
#include "database/kin/ind_rec.h"
#include "database/kin/kinship_cache.h"
#include "database/kin/kinship_map.h"
#include "database/multimedia/media_item.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"
#include "queries/relationship_pool.h"
#include "queries/relationship_words.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

constexpr int kAhnentafelGenerations = 30;
constexpr int kLifeDatesBytes = 100;
const char* const kNoLifeDates = " - ";

/// The node an argument stands for, and whether it came from the evaluated record (a path from
/// it, or the record itself for an empty argument).
struct CResolvedArg {
    CDataNode* m_node = nullptr;
    bool m_fromRecord = false;
};

/// How an argument finds its node: a bound record or supplied parameter is that record; a path
/// leads from the evaluated record; anything else stands for the evaluated record itself,
/// except, with keepUnsetParameter, a parameter still without a value, which stands for none.
CResolvedArg ResolveArg(const CExpression& expression, int index, CRecordNode* record,
                        bool acceptDataNode, bool keepUnsetParameter = false)
{
    const CExprArg& arg = expression.GetArg(index);
    switch (arg.m_value.GetType()) {
    case TV_RECORD:
        return {arg.m_value.GetRecord(), false};
    case TV_TAGADDR:
        return {record ? arg.m_value.GetDataPath().FindNode(record) : nullptr, true};
    case TV_DATANODE:
        if (acceptDataNode)
            return {arg.m_value.GetDataNode(), false};
        break;
    default:
        break;
    }
    if (keepUnsetParameter && arg.m_isParameter)
        return {};
    return {record, true};
}

CRecordNode* AsRecordNode(CDataNode* node)
{
    return dynamic_cast<CRecordNode*>(node);
}

CIndRec* PersonArg(const CExpression& expression, int index, CRecordNode* record,
                   bool acceptDataNode = false)
{
    return AsIndividual(AsRecordNode(ResolveArg(expression, index, record, acceptDataNode).m_node));
}

CRecordNode* RecordArg(const CExpression& expression, int index, CRecordNode* record)
{
    return AsRecordNode(ResolveArg(expression, index, record, false).m_node);
}

CMediaItem* MediaArg(const CExpression& expression, int index, CRecordNode* record)
{
    return dynamic_cast<CMediaItem*>(ResolveArg(expression, index, record, true).m_node);
}

// ---- Relationships ------------------------------------------------------------------------

/// The answer of the relationship pool in a mode (RelationshipMode) for the two person
/// arguments and the occurrence asked for (the fourth argument, from 1; below 1 none). A
/// parameter still without a value stands for no one. When only the first person comes from
/// the evaluated record, the second is the root and the question is asked the other way round,
/// so that one root serves every record.
void AskRelationship(CExpression& expression, CRecordNode* record, int mode, std::string& text)
{
    text.clear();
    if (expression.GetArgCount() != 4)
        return;
    const int index = GetRelationshipIndex(expression.GetArg(3).m_value.GetNumber());
    const CResolvedArg a = ResolveArg(expression, 0, record, false, true);
    const CResolvedArg b = ResolveArg(expression, 1, record, false, true);
    CIndRec* first = AsIndividual(AsRecordNode(a.m_node));
    CIndRec* second = AsIndividual(AsRecordNode(b.m_node));
    if (index < 0 || !first || !second)
        return;
    const bool swap = a.m_fromRecord && !b.m_fromRecord;
    CIndRec* root = swap ? second : first;
    const CIndRec* other = swap ? first : second;
    if (!expression.GetHeldRoot())
        expression.HoldRelationshipRoot(root, index + 1);
    QueryRelationship(root, MakeRelationshipQuestion(mode, swap, index), text, other, index);
}

void Relationship(CExpression& expression, CRecordNode* record, std::string& text)
{
    const int form = expression.GetArgCount() == 4 ? expression.GetArg(2).m_value.GetEnum() : 0;
    AskRelationship(expression, record, form, text);
}

/// A number at the start of text, optionally signed; none when no digit follows the sign.
ExprNumber LeadingNumber(std::string_view text)
{
    const std::size_t digit = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (digit >= text.size() || text[digit] < '0' || text[digit] > '9')
        return std::nullopt;
    std::size_t position = 0;
    return ReadLeadingNumber(text, position);
}

ExprNumber RelationCode(CExpression& expression, CRecordNode* record)
{
    if (expression.GetArgCount() != 4)
        return std::nullopt;
    std::string text;
    AskRelationship(expression, record, RM_GENERATION + expression.GetArg(2).m_value.GetEnum(),
                    text);
    return LeadingNumber(text);
}

ExprNumber RelationPool(CExpression& expression, CRecordNode* record)
{
    const CIndRec* person = PersonArg(expression, 0, record);
    if (!person)
        return std::nullopt;
    expression.HoldKinshipMap();
    bool notFound = false;
    const int number = GetRelationPoolNumber(person, notFound);
    return notFound ? ExprNumber() : ExprNumber(number);
}

ExprNumber AhnentafelNumber(CExpression& expression, CRecordNode* record)
{
    const int occurrence = expression.GetArg(2).m_value.GetNumber();
    const CIndRec* from = PersonArg(expression, 0, record);
    const CIndRec* target = PersonArg(expression, 1, record);
    if (!from || !target || occurrence < 1)
        return std::nullopt;
    int count = occurrence - 1;
    std::int64_t number = 0;
    if (!FindAhnentafelNumber(from, target, number, count, 1, kAhnentafelGenerations))
        return std::nullopt;
    return std::int32_t(std::min<std::int64_t>(number, std::numeric_limits<std::int32_t>::max()));
}

// ---- Individuals --------------------------------------------------------------------------

void LifeDates2(CExpression& expression, CRecordNode* record, std::string& text)
{
    text.clear();
    if (const CIndRec* person = PersonArg(expression, 0, record)) {
        std::array<char, kLifeDatesBytes> buffer{};
        text = person->GetLifeDates(buffer.data(), int(buffer.size()));
    }
}

void LifeDates(CExpression& expression, CRecordNode* record, std::string& text)
{
    LifeDates2(expression, record, text);
    if (text == kNoLifeDates)
        text.clear();
}

void LifeDatesSortKey(CExpression& expression, CRecordNode* record, CExprSortKey& key)
{
    const CIndRec* person = PersonArg(expression, 0, record);
    key.m_hasPerson = person != nullptr;
    if (person)
        key.m_personDate = person->GetDateKey();
}

ExprNumber AgeAt(CExpression& expression, CRecordNode* record)
{
    const CIndRec* person = PersonArg(expression, 0, record);
    const CTypedValue& dateArg = expression.GetArg(1).m_value;
    const CDateValue* date = nullptr;
    if (dateArg.GetType() == TV_DATE) {
        date = &dateArg.GetDate();
    } else if (dateArg.GetType() == TV_TAGADDR && record) {
        const auto* node = dynamic_cast<const CDateNode*>(dateArg.GetDataPath().FindNode(record));
        date = node && !node->IsEmpty() ? &node->GetFirstValue() : nullptr;
    }
    // A date kept only as text has no point in time to count the years to.
    if (!person || !date || !date->IsValid())
        return std::nullopt;
    bool noAge = false;
    const int age = person->GetAgeAtDate(*date, noAge);
    return noAge ? ExprNumber() : ExprNumber(age);
}

void Name(CExpression& expression, CRecordNode* record, std::string& text)
{
    text.clear();
    if (const CIndRec* person = PersonArg(expression, 0, record, true))
        person->GetText(text, 0);
}

// ---- Records ------------------------------------------------------------------------------

ExprNumber LinksTo(CExpression& expression, CRecordNode* record)
{
    const CRecordNode* target = RecordArg(expression, 0, record);
    return target ? target->GetLinkCount() : 0;
}

ExprNumber LinksFrom(CExpression& expression, CRecordNode* record)
{
    const CRecordNode* from = RecordArg(expression, 0, record);
    const CRecordNode* to = RecordArg(expression, 1, record);
    return from && to ? from->CountLinksTo(to) : 0;
}

ExprNumber SourceLinks(CExpression& expression, CRecordNode* record)
{
    const CRecordNode* source = RecordArg(expression, 0, record);
    const CRecordNode* citing = RecordArg(expression, 1, record);
    return source && citing ? citing->CountLinksTo(source) : 0;
}

COleDateTime LastUpdated(CExpression& expression, CRecordNode* record)
{
    const CRecordNode* target = RecordArg(expression, 0, record);
    if (!target || !target->GetFieldDef() || !target->GetFieldDef()->HasChangeStamp())
        return COleDateTime();
    return target->GetChangeStamp();
}

ExprNumber RecordId(CExpression& expression, CRecordNode* record)
{
    const CRecordNode* target = RecordArg(expression, 0, record);
    return target ? ExprNumber(target->GetRecordNumber()) : ExprNumber();
}

ExprNumber ChildCount(CExpression& expression, CRecordNode* record)
{
    const CRecordNode* target = RecordArg(expression, 0, record);
    bool notApplicable = true;
    const int count = target ? target->CountLinkedChildren(notApplicable) : 0;
    return notApplicable ? ExprNumber() : ExprNumber(count);
}

// ---- Multimedia ---------------------------------------------------------------------------

void MediaType(CExpression& expression, CRecordNode* record, std::string& text)
{
    const CMediaItem* item = MediaArg(expression, 0, record);
    text = item ? item->GetMediaTypeName() : std::string();
}

void IsEmbedded(CExpression& expression, CRecordNode* record, std::string& text)
{
    const CMediaItem* item = MediaArg(expression, 0, record);
    text = item && item->IsEmbedded() ? "Y" : "";
}

// ---- The table ----------------------------------------------------------------------------

CExprFunction TextRow(int id, const char* name, std::array<int, 4> args,
                      void (*evaluate)(CExpression&, CRecordNode*, std::string&))
{
    return {id,      name,   {args[0], args[1], args[2], args[3]}, ERT_TEXT, evaluate, nullptr,
            nullptr, nullptr};
}

CExprFunction NumberRow(int id, const char* name, std::array<int, 4> args,
                        ExprNumber (*evaluate)(CExpression&, CRecordNode*))
{
    return {id,       name,   {args[0], args[1], args[2], args[3]}, ERT_NUMBER, nullptr, nullptr,
            evaluate, nullptr};
}

const std::vector<CExprFunction>& FunctionTable()
{
    static const std::vector<CExprFunction> table = [] {
        CExprFunction lifeDates = TextRow(5, "LifeDates", {1}, &LifeDates);
        lifeDates.m_sortKey = &LifeDatesSortKey;
        return std::vector<CExprFunction>{
            TextRow(1, "Relationship", {1, 1, 8, 7}, &Relationship),
            NumberRow(2, "RelationCode", {1, 1, 9, 7}, &RelationCode),
            NumberRow(3, "RelationPool", {1}, &RelationPool),
            NumberRow(4, "AhnentafelNumber", {1, 1, 7}, &AhnentafelNumber),
            lifeDates,
            TextRow(6, "LifeDates2", {1}, &LifeDates2),
            NumberRow(8, "AgeAt", {1, 6}, &AgeAt),
            TextRow(10, "MediaType", {5}, &MediaType),
            NumberRow(11, "LinksTo", {4}, &LinksTo),
            NumberRow(12, "LinksFrom", {4, 4}, &LinksFrom),
            NumberRow(13, "SourceLinks", {3, 4}, &SourceLinks),
            {14, "LastUpdated", {4, 0, 0, 0}, ERT_DATE, nullptr, &LastUpdated, nullptr, nullptr},
            TextRow(15, "Name", {1}, &Name),
            NumberRow(16, "RecordId", {4}, &RecordId),
            NumberRow(17, "ChildCount", {4}, &ChildCount),
            TextRow(18, "IsEmbedded", {5}, &IsEmbedded),
        };
    }();
    return table;
}

} // namespace

const CExprFunction* FindExprFunction(int id)
{
    for (const CExprFunction& row : FunctionTable()) {
        if (row.m_id == id)
            return &row;
    }
    return nullptr;
}

const CExprFunction* FindExprFunctionByName(std::string_view name)
{
    for (const CExprFunction& row : FunctionTable()) {
        if (text::EqualsNoCase(name, row.m_name))
            return &row;
    }
    return nullptr;
}

std::vector<std::string_view> GetExprKeywords(int argType)
{
    switch (argType) {
    case EAT_KEYWORD_FORM:
        return {"TEXT", "CODE"};
    case EAT_KEYWORD_MEASURE:
        return {"GENERATION", "GENS_UP", "GENS_DOWN", "HALF", "SPOUSE_START", "SPOUSE_END"};
    case EAT_KEYWORD_DEATH:
        return {"IGNORE_DEATH", "NULL_IF_DEAD"};
    case EAT_KEYWORD_NUMBER:
        return {"STANDARD_FORMAT", "NUMBER"};
    default:
        return {};
    }
}
