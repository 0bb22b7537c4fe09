// database/nodes/complex_node.h: a field that holds only sub-fields: events, structures and
// records.
#pragma once

#include "database/nodes/data_node.h"

/// A complex field (not a record) read from a file without a value ("1 BIRT" rather than
/// "1 BIRT Y").
inline constexpr BYTE DNF_READ_BARE = 0x02;

/// A complex field (data type 5) has no value of its own apart from GEDCOM's "Y" marker: an
/// event such as BIRT, a structure such as ADDR or PLAC with sub-fields, or a record.
class CComplexNode : public CDataNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// True when there is no child or every child is empty.
    bool IsEmpty() const override;
    /// The composed display text of the field (its definition's display template).
    bool GetText(std::string& text, int format) const override;
    /// Accepts an empty value, blanks, "Y" or "y" (GEDCOM's "it happened"); a field remembers
    /// whether it was read without a value or with "Y".
    bool SetText(std::string_view text) override;
    /// SetText of an empty value, inline: a file reads most of its structures without one.
    void SetBareText()
    {
        if (!IsRecord()) {
            SetFlag(DNF_READ_BARE, true);
            SetClassBit(false);
        }
    }
    /// Whether the field was read with "Y" (a field the program made was not).
    bool WasReadWithY() const { return !IsRecord() && HasClassBit(); }
    /// Without the definition's '!' flag always true; with it, false when a key sub-field
    /// present on both sides differs.
    bool IsEqual(const CDataNode* other, const void* options) const override;
    /// A field whose sub-fields write something writes its tag, with " Y" when it was read so
    /// ("1 DEAT Y" above its date: the statement that the event happened is kept), then them.
    /// One that writes nothing below it (no sub-fields, or only empty ones): nothing when its
    /// definition is marked to be skipped when childless; otherwise its tag alone when it was
    /// read so, else with " Y". So a structure is kept as it was read, and a second save writes
    /// what the first did.
    bool WriteGedcom(int level, std::string& line) const override;
};
