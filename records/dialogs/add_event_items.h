// records/dialogs/add_event_items.h: what the Add Event or Attribute dialog offers and what a
// choice in it adds, without windows.
#pragma once

#include "records/properties/name_similarity.h"

#include <cstdint>
#include <string>
#include <vector>

class CRecordNode;

// The value of an offered item: bits 0-2 its scope, then two marks.
inline constexpr std::uint32_t ADD_EVENT_SCOPE_INDIVIDUAL = 1;
inline constexpr std::uint32_t ADD_EVENT_SCOPE_FAMILY = 2;
inline constexpr std::uint32_t ADD_EVENT_SCOPE_EITHER = 3;
inline constexpr std::uint32_t ADD_EVENT_SCOPE_CHILD = 4;
inline constexpr std::uint32_t ADD_EVENT_SCOPE_MASK = 7;
inline constexpr std::uint32_t ADD_EVENT_CUSTOM_NAME = 8;
inline constexpr std::uint32_t ADD_EVENT_NEW_CUSTOM = 16;

inline constexpr const char* kBirthOfChild = "Birth of child";
inline constexpr const char* kAdoptionOfChild = "Adoption of child";

/// One item of the list: its text, its value and whether it stands at the top, out of the
/// sorted order.
struct CAddEventItem {
    std::string m_text;
    std::uint32_t m_value = 0;
    bool m_top = false;
};

/// What the list is made for: events or attributes, of an individual (individual) and of
/// families (family: a family record, or an individual with a spouse family), with the births
/// and adoptions of children offered or not.
struct CAddEventListInput {
    bool m_events = true;
    bool m_individual = false;
    bool m_family = false;
    bool m_offerChildEvents = false;
    const CCustomNameLists* m_names = nullptr;
};
/// The items, the top items first in their order, the others in any order (the list sorts them).
std::vector<CAddEventItem> BuildAddEventItems(const CAddEventListInput& input);

/// The records that may receive an item of a scope: 1 the record; 2 the individual's spouse
/// families, or the family itself; 3 the record and an individual's spouse families; 4 the
/// children of those families, or of the family; none for any other scope.
std::vector<CRecordNode*> GetAddEventCandidates(CRecordNode* record, std::uint32_t scope);

/// What a chosen item adds to a chosen record.
struct CAddEventResult {
    CRecordNode* m_record = nullptr;
    /// 1 an individual receives the field, 2 a family.
    int m_scope = 0;
    int m_fieldId = 0;
    /// The custom name, empty for a standard kind.
    std::string m_customName;
};
/// The result of a standard item, a custom name in use or a child's birth or adoption chosen
/// for a record; false when the item adds nothing there (an unknown label, a record of the wrong
/// type, a new-custom item, which needs a name first).
bool ResolveAddEventChoice(const CAddEventItem& item, bool events, CRecordNode* record,
                           CAddEventResult& result);
