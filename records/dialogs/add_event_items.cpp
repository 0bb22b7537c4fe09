// records/dialogs/add_event_items.cpp: what the Add Event or Attribute dialog offers and what a
// choice in it adds.
#include "records/dialogs/add_event_items.h"

#include "database/dictionary/field_def.h"
#include "database/dictionary/field_dictionary.h"
#include "database/dictionary/field_ids.h"
#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "platform/base/text.h"

#include <algorithm>

namespace {

constexpr const char* kCustomEventSuffix = " (custom event)";
constexpr const char* kCustomAttributeSuffix = " (custom attribute)";

bool IsExcluded(const std::vector<std::string>* excluded, const std::string& name)
{
    return excluded && std::any_of(excluded->begin(), excluded->end(), [&](const std::string& e) {
               return text::EqualsNoCase(e, name);
           });
}

/// Adds each child label of a structure, except the custom kind's, with scope; Census with its
/// own scope (0 leaves it out).
void AddStandard(std::vector<CAddEventItem>& items, int structId, int customId, std::uint32_t scope,
                 std::uint32_t censusScope, const std::vector<std::string>* excluded)
{
    const CFieldDef* group = FindStructDefById(structId);
    for (const CFieldDef* def = group ? group->GetFirstChild() : nullptr; def;
         def = def->GetNextSibling()) {
        if (def->GetFieldId() == customId)
            continue;
        const bool census = def->GetFieldId() == FIELD_CENS;
        if (census && censusScope == 0)
            continue;
        const std::string label = census ? "Census" : def->GetLabel();
        if (!IsExcluded(excluded, label))
            items.push_back({label, census ? censusScope : scope, false});
    }
}

void AddCustomNames(std::vector<CAddEventItem>& items, const std::vector<std::string>& individual,
                    const std::vector<std::string>& family, const char* suffix, bool withIndividual,
                    bool withFamily, const std::vector<std::string>* excluded)
{
    auto inFamilyList = [&](const std::string& name) {
        return std::find(family.begin(), family.end(), name) != family.end();
    };
    if (withIndividual) {
        for (const std::string& name : individual) {
            if (IsExcluded(excluded, name))
                continue;
            const bool both = withFamily && inFamilyList(name);
            items.push_back({name + suffix,
                             ADD_EVENT_CUSTOM_NAME |
                                 (both ? ADD_EVENT_SCOPE_EITHER : ADD_EVENT_SCOPE_INDIVIDUAL),
                             false});
        }
    }
    if (withFamily) {
        for (const std::string& name : family) {
            const bool shown = withIndividual && std::find(individual.begin(), individual.end(),
                                                           name) != individual.end();
            if (!shown && !IsExcluded(excluded, name))
                items.push_back(
                    {name + suffix, ADD_EVENT_CUSTOM_NAME | ADD_EVENT_SCOPE_FAMILY, false});
        }
    }
}

int FindLabel(int structId, const std::string& label)
{
    const CFieldDef* group = FindStructDefById(structId);
    for (const CFieldDef* def = group ? group->GetFirstChild() : nullptr; def;
         def = def->GetNextSibling()) {
        if (def->GetLabel() == label)
            return def->GetFieldId();
    }
    return 0;
}

} // namespace

std::vector<CAddEventItem> BuildAddEventItems(const CAddEventListInput& input)
{
    static const CCustomNameLists kNone;
    const CCustomNameLists& names = input.m_names ? *input.m_names : kNone;
    std::vector<CAddEventItem> items;
    const char* what = input.m_events ? "Event" : "Attribute";
    if (input.m_individual)
        items.push_back({text::Format("<New Custom %s for Individual>", what),
                         ADD_EVENT_NEW_CUSTOM | ADD_EVENT_SCOPE_INDIVIDUAL, true});
    if (input.m_family)
        items.push_back({text::Format("<New Custom %s for Family>", what),
                         ADD_EVENT_NEW_CUSTOM | ADD_EVENT_SCOPE_FAMILY, true});
    if (input.m_events) {
        const std::vector<std::string>* excluded = &names.m_excludedEvents;
        if (input.m_individual)
            AddStandard(items, STRUCT_INDI_EVENTS, FIELD_EVEN, ADD_EVENT_SCOPE_INDIVIDUAL,
                        ADD_EVENT_SCOPE_EITHER, excluded);
        if (input.m_family)
            AddStandard(items, STRUCT_FAM_EVENTS, FIELD_EVEN, ADD_EVENT_SCOPE_FAMILY,
                        input.m_individual ? 0 : ADD_EVENT_SCOPE_FAMILY, excluded);
        if (input.m_offerChildEvents) {
            for (const char* text : {kBirthOfChild, kAdoptionOfChild}) {
                if (!IsExcluded(excluded, text))
                    items.push_back({text, ADD_EVENT_SCOPE_CHILD, false});
            }
        }
        AddCustomNames(items, names.m_indiEvents, names.m_famEvents, kCustomEventSuffix,
                       input.m_individual, input.m_family, excluded);
    } else {
        if (input.m_individual)
            AddStandard(items, STRUCT_INDI_ATTRIBUTES, FIELD_CUSTOM_ATTR,
                        ADD_EVENT_SCOPE_INDIVIDUAL, ADD_EVENT_SCOPE_INDIVIDUAL, nullptr);
        AddCustomNames(items, names.m_indiAttributes, names.m_famAttributes, kCustomAttributeSuffix,
                       input.m_individual, input.m_family, &names.m_excludedAttributes);
    }
    return items;
}

std::vector<CRecordNode*> GetAddEventCandidates(CRecordNode* record, std::uint32_t scope)
{
    std::vector<CRecordNode*> records;
    CIndRec* individual = AsIndividual(record);
    CFamRec* family = AsFamily(record);
    std::vector<CFamRec*> families;
    if (individual) {
        for (CFamRec* f = individual->GetNextSpouseFamily(nullptr); f;
             f = individual->GetNextSpouseFamily(f))
            families.push_back(f);
    } else if (family) {
        families.push_back(family);
    }
    switch (scope & ADD_EVENT_SCOPE_MASK) {
    case ADD_EVENT_SCOPE_INDIVIDUAL:
        if (record)
            records.push_back(record);
        break;
    case ADD_EVENT_SCOPE_FAMILY:
        records.assign(families.begin(), families.end());
        break;
    case ADD_EVENT_SCOPE_EITHER:
        if (record)
            records.push_back(record);
        if (individual)
            records.insert(records.end(), families.begin(), families.end());
        break;
    case ADD_EVENT_SCOPE_CHILD:
        for (const CFamRec* f : families) {
            for (CIndRec* child = f->GetNextChild(nullptr); child; child = f->GetNextChild(child))
                records.push_back(child);
        }
        break;
    default:
        break;
    }
    return records;
}

bool ResolveAddEventChoice(const CAddEventItem& item, bool events, CRecordNode* record,
                           CAddEventResult& result)
{
    result = CAddEventResult{};
    if (!record || (item.m_value & ADD_EVENT_NEW_CUSTOM))
        return false;
    std::uint32_t scope = item.m_value & ADD_EVENT_SCOPE_MASK;
    if (scope == ADD_EVENT_SCOPE_EITHER)
        scope = AsIndividual(record) ? ADD_EVENT_SCOPE_INDIVIDUAL : ADD_EVENT_SCOPE_FAMILY;
    if (scope == ADD_EVENT_SCOPE_CHILD) {
        if (!AsIndividual(record))
            return false;
        result.m_fieldId = item.m_text == kBirthOfChild      ? FIELD_BIRT
                           : item.m_text == kAdoptionOfChild ? FIELD_ADOP
                                                             : 0;
        result.m_scope = 1;
    } else if (scope == ADD_EVENT_SCOPE_INDIVIDUAL || scope == ADD_EVENT_SCOPE_FAMILY) {
        const bool family = scope == ADD_EVENT_SCOPE_FAMILY;
        if (family ? !AsFamily(record) : !AsIndividual(record))
            return false;
        result.m_scope = family ? 2 : 1;
        if (item.m_value & ADD_EVENT_CUSTOM_NAME) {
            const std::string suffix = events ? kCustomEventSuffix : kCustomAttributeSuffix;
            result.m_fieldId = events ? FIELD_EVEN : FIELD_CUSTOM_ATTR;
            result.m_customName = item.m_text.ends_with(suffix)
                                      ? item.m_text.substr(0, item.m_text.size() - suffix.size())
                                      : item.m_text;
        } else {
            const int structId = !events  ? STRUCT_INDI_ATTRIBUTES
                                 : family ? STRUCT_FAM_EVENTS
                                          : STRUCT_INDI_EVENTS;
            result.m_fieldId = FindLabel(structId, item.m_text);
        }
    }
    if (result.m_fieldId == 0) {
        result = CAddEventResult{};
        return false;
    }
    result.m_record = record;
    return true;
}
