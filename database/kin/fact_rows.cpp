// database/kin/fact_rows.cpp: the rows of a record's list of facts and their column texts.
#include "database/kin/fact_rows.h"

#include "database/dates/date_format.h"
#include "database/dates/date_node.h"
#include "database/dictionary/field_def.h"
#include "database/dictionary/field_ids.h"
#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "database/records/record_links.h"
#include "database/records/record_node.h"

namespace {

std::string GivenName(const CIndRec* individual)
{
    if (!individual)
        return "<no spouse>";
    char buffer[50] = {};
    individual->GetGivenName(buffer, int(sizeof buffer));
    return buffer;
}

std::string TrimLeading(std::string text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

/// The facts of a family (or of the record on a family's list) and its children's events.
void CollectFamilyRows(CRecordNode& family, int kind, bool childEvents, std::vector<CFactRow>& rows)
{
    for (CDataNode* fact = family.GetNextFact(nullptr, false); fact;
         fact = family.GetNextFact(fact, false))
        rows.push_back({fact, kind});
    const CFamRec* asFamily = AsFamily(&family);
    if (!childEvents || !asFamily)
        return;
    for (CIndRec* child = asFamily->GetNextChild(nullptr); child;
         child = asFamily->GetNextChild(child)) {
        for (const int id : {FIELD_BIRT, FIELD_ADOP})
            if (CDataNode* fact = child->FindChild(nullptr, id))
                rows.push_back({fact, kEventRowChild});
    }
}

} // namespace

std::vector<CFactRow> CollectFactRows(CRecordNode& record, bool individualList, bool childEvents)
{
    std::vector<CFactRow> rows;
    if (CIndRec* individual = individualList ? AsIndividual(&record) : nullptr) {
        for (CDataNode* fact = individual->GetNextFact(nullptr, false); fact;
             fact = individual->GetNextFact(fact, false))
            rows.push_back({fact, kEventRowOwn});
        for (CFamRec* family = individual->GetNextSpouseFamily(nullptr); family;
             family = individual->GetNextSpouseFamily(family))
            CollectFamilyRows(*family, kEventRowFamily, childEvents, rows);
    } else {
        CollectFamilyRows(record, individualList ? kEventRowFamily : kEventRowOwn, childEvents,
                          rows);
    }
    return rows;
}

const CDateValue* GetFactDate(const CDataNode* fact)
{
    const auto* date =
        dynamic_cast<const CDateNode*>(fact ? fact->FindChild(nullptr, FIELD_DATE) : nullptr);
    return date && !date->IsEmpty() ? &date->GetFirstValue() : nullptr;
}

bool IsOwnBirthRow(const CDataNode* fact, int kind, bool individualList)
{
    return individualList && kind == kEventRowOwn && fact && fact->GetFieldId() == FIELD_BIRT;
}

std::string GetEventText(const CDataNode& fact, int kind, const CIndRec* individual, int column)
{
    std::string text;
    const int id = fact.GetFieldId();
    const CFieldDef* def = fact.GetFieldDef();
    switch (column) {
    case 0:
        if (const auto* date = dynamic_cast<const CDateNode*>(fact.FindChild(nullptr, FIELD_DATE)))
            text = date->FormatText(false, 9);
        else
            text = GetBlankDateText();
        break;
    case 1:
        if (kind == kEventRowOwn || (kind == kEventRowFamily && id == FIELD_CUSTOM_ATTR)) {
            // The label, then what the fact's display template makes of it without its dates.
            std::string composed;
            fact.ComposeText(composed, true);
            GetFactLabel(fact, text, false);
            const bool attribute = def && def->HasFlag(FDF_ATTRIBUTE);
            if (!TrimLeading(composed).empty())
                text += (attribute ? ": " : ", ") + TrimLeading(composed);
        } else if (kind == kEventRowFamily) {
            if (id == FIELD_EVEN) {
                text = fact.FindChild(nullptr, FIELD_TYPE) ? fact.GetTypeText() : "";
                if (text.empty())
                    text = "<Custom Event>";
            } else {
                text = def ? def->GetLabel() : "";
            }
        } else if (kind == kEventRowChild) {
            text = def ? def->GetLabel() : "";
            const CIndRec* child = AsIndividual(fact.GetRecord());
            const int sex = child ? child->GetSex() : SEX_UNDETERMINED;
            text += sex == SEX_MALE     ? " of son "
                    : sex == SEX_FEMALE ? " of daughter "
                                        : " of child ";
            char buffer[50] = {};
            if (child)
                child->GetGivenName(buffer, int(sizeof buffer));
            text += buffer;
        }
        if (kind == kEventRowFamily) {
            const CIndRec* partner =
                individual ? individual->GetSpouseInFamily(AsFamily(fact.GetRecord())) : nullptr;
            if (id == FIELD_DIV)
                text += " from " + GivenName(partner);
            else if (id == FIELD_ENGA || id == FIELD_MARR)
                text += " to " + GivenName(partner);
            else
                text += " (marr. " + GivenName(partner) + ")";
        }
        break;
    case 2:
        if (individual)
            FormatAgeAtEvent(*individual, text, fact, kind - 1, false, false);
        break;
    default:
        break;
    }
    return TrimLeading(text);
}

COrderRow GetFactRowKeys(const CColumnOrder& order, const CDataNode& fact, int kind,
                         const CIndRec* individual)
{
    COrderRow row;
    if (order.m_order == ERowOrder::Date)
        row.m_date = GetFactDate(&fact);
    else if (order.m_order != ERowOrder::Stored)
        row.m_text = GetEventText(fact, kind, individual, order.m_column);
    row.m_ownBirth = IsOwnBirthRow(&fact, kind, individual != nullptr);
    return row;
}
