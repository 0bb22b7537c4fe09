// database/dictionary/event_list_entry.h: one kind of an ordered list of events and attributes,
// as the Edit List dialog edits it and report settings keep it.
#pragma once

#include <string>
#include <vector>

/// A standard kind by field id (above 0), or a custom kind (1 event, 2 attribute) by name.
struct CEventListEntry {
    int m_fieldId = 0;
    std::string m_customName;
    int m_customKind = 0;

    bool operator==(const CEventListEntry&) const = default;
};

using CEventList = std::vector<CEventListEntry>;
