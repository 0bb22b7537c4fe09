// database/fields/custom_attr_node.h: a user-defined attribute, whose TYPE sub-field names it.
#pragma once

#include "database/fields/edit_node.h"

#include <string>
#include <vector>

/// A custom attribute. Every one is on a process-wide chain, newest first, so that the names in
/// use can be offered when the user adds an attribute.
class CCustomAttrNode final : public CEditNode {
public:
    CCustomAttrNode() noexcept;
    /// Leaves the chain. While the whole data set is being cleared every attribute goes, so the
    /// chain is forgotten as a whole instead of being walked once per attribute.
    ~CCustomAttrNode() override;

    const CRuntimeClass* GetRuntimeClass() const override;

    CCustomAttrNode* GetNextCustomAttr() const { return m_nextAttr; }
    static CCustomAttrNode* GetFirstCustomAttr();
    /// Forgets the chain (the data set's reset, when the node pool is freed whole).
    static void ForgetAllCustomAttrs();

private:
    CCustomAttrNode* m_nextAttr = nullptr;
};

/// Adds the TYPE text of every named custom attribute to the list for its record's type
/// (individuals, families), each list only when given and only once, compared without regard
/// to case.
void CollectCustomAttrNames(std::vector<std::string>* individualNames,
                            std::vector<std::string>* familyNames);
