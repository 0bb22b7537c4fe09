// database/nodes/custom_event_node.h: a user-defined event (EVEN with its TYPE text).
#pragma once

#include "database/nodes/complex_node.h"

#include <string>
#include <vector>

/// A custom event. Every one is on a process-wide chain, newest first, so that the names in
/// use can be offered when the user adds an event.
class CCustomEventNode final : public CComplexNode {
public:
    CCustomEventNode() noexcept;
    /// Leaves the chain, except while the whole data set is being cleared (the reset then
    /// forgets the chain as a whole).
    ~CCustomEventNode() override;

    const CRuntimeClass* GetRuntimeClass() const override;

    CCustomEventNode* GetNextCustomEvent() const { return m_nextEvent; }
    static CCustomEventNode* GetFirstCustomEvent();
    /// Forgets the chain (the data set's reset, after freeing every node).
    static void ForgetAllCustomEvents();

private:
    CCustomEventNode* m_nextEvent = nullptr;
};

/// Adds the TYPE text of every named custom event to the list for its record's type
/// (individuals, families), each list only when given and only once, compared without regard
/// to case.
/// Adds node's TYPE text to the names of its record's kind (individual or family), once and
/// without regard to case; nothing for an empty type or a node outside those records.
void AddCustomTypeName(const CDataNode& node, std::vector<std::string>* individualNames,
                       std::vector<std::string>* familyNames);
void CollectCustomEventNames(std::vector<std::string>* individualNames,
                             std::vector<std::string>* familyNames);
