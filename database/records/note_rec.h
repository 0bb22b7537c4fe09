// database/records/note_rec.h: the note record (NOTE): shared note text that other records link to.
#pragma once

#include "database/records/record_node.h"

/// A note record. In the data tree its text lives in one TEXT field under the record; in a
/// GEDCOM file it is the value of the record's level-0 line, continued with CONC and CONT lines.
class CNoteRec final : public CRecordNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// format 1: the record's label and ": " first; then the text, or "<no text>".
    bool GetText(std::string& text, int format) const override;
    /// The value of the record's level-0 line: it goes into the TEXT field, made first under
    /// the record when there is none.
    bool SetText(std::string_view text) override;
    /// A CONC or CONT line after the level-0 line, handed to the TEXT field; false without one.
    bool AppendText(std::string_view text, int continuationKind) override;
    /// "0 @N3@ NOTE" with the first piece of the text, CONC and CONT lines for the rest, then
    /// the other sub-fields at level 1 and the change date.
    bool WriteGedcom(int level, std::string& line) const override;
    /// -9999 against another record type; 100 when both texts are equal; otherwise 0.
    int MatchScore(const CRecordNode* other, const void* options) const override;

    /// The TEXT field; null when there is none.
    CDataNode* GetTextField() const;
};
