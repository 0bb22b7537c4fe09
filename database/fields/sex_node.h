// database/fields/sex_node.h: an individual's SEX field.
#pragma once

#include "database/fields/enum_node.h"

/// The SEX field: by its definition's value list, index 0 is male (M) and 1 female (F); an
/// empty field (-1) means no sex is given.
class CSexNode final : public CEnumNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// As for any enumeration, except that a different choice is refused (false, nothing
    /// stored) while the individual is a spouse in some family and the record is not being
    /// deleted: the family's husband and wife links depend on it.
    bool UpdateFromControl(CDataCtl* control, bool save, bool notify) override;

    /// 0 stores male, 1 female, anything else no sex; marks the node changed.
    void SetSex(int sex);
};
