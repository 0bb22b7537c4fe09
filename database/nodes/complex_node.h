// database/nodes/complex_node.h: a field that holds only sub-fields: events, structures and
// records.
#pragma once

#include "database/nodes/data_node.h"

/// A complex field (data type 5) has no value of its own apart from GEDCOM's "Y" marker: an
/// event such as BIRT, a structure such as ADDR or PLAC with sub-fields, or a record.
class CComplexNode : public CDataNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// True when there is no child or every child is empty.
    bool IsEmpty() const override;
    /// The composed display text of the field (its definition's display template).
    bool GetText(std::string& text, int format) const override;
    /// Accepts an empty value, blanks, "Y" or "y" (GEDCOM's "it happened") and stores nothing.
    bool SetText(std::string_view text) override;
    /// Without the definition's '!' flag always true; with it, false when a key sub-field
    /// present on both sides differs.
    bool IsEqual(const CDataNode* other, const void* options) const override;
    /// A childless field marked to be skipped writes nothing; a childless one otherwise is
    /// written with " Y", a field with sub-fields with its tag alone, then its children.
    bool WriteGedcom(int level, std::string& line) const override;
};
