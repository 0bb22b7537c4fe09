// database/fields/age_node.h: the age at an event (AGE): stillborn, infant, child, or years, months
// and days with an optional less-than or more-than sign.
#pragma once

#include "database/nodes/data_node.h"
#include "database/nodes/node_text.h"

#include <string>
#include <string_view>

enum AgeKind : BYTE {
    AGE_EMPTY = 0,
    AGE_STILLBORN = 1,
    AGE_INFANT = 2,
    AGE_CHILD = 3,
    AGE_EXACT = 4,     // years, months and days as given
    AGE_LESS_THAN = 5, // "< 5y"
    AGE_MORE_THAN = 6, // "> 70y"
    AGE_UNREAD = 7,    // a text the age grammar cannot read, kept as it was written
};

/// An age as read: its kind and, for the kinds with numbers, the numbers given (-1 where a
/// number was not given).
struct CAgeValue {
    BYTE kind = AGE_EMPTY;
    signed char months = -1;
    short years = -1;
    short days = -1;

    bool HasNumbers() const
    {
        return kind == AGE_EXACT || kind == AGE_LESS_THAN || kind == AGE_MORE_THAN;
    }
    bool operator==(const CAgeValue&) const = default;
};

/// Reads an age: a word ("Stillborn", "Infant", "Child", in any case), or up to three numbers,
/// each with a unit letter y, m or d (the rest of a unit word is skipped) or, without one,
/// taken by position as years, months and days; "<" or ">" in front marks less or more than
/// the age. Blanks and commas separate the parts. complete (when given) tells whether the whole
/// text was read; reading stops at anything else, and at a number too large for its unit.
CAgeValue ParseAge(std::string_view text, bool* complete = nullptr);

/// The age at an event. An age the grammar cannot read wholly is kept as its text, shown and
/// written back as it was, so no age read from a file or typed is lost.
class CAgeNode : public CDataNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// Shows the display form in the age control, then shows and focuses the control.
    CDataCtl* ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner, DWORD style,
                            UINT id, DWORD flags) override;
    /// Load: the display form into the control. Save: reads the control's text and takes the
    /// age when it differs, with notify announcing the change. False, with the age as it was,
    /// when the control cannot be read.
    bool UpdateFromControl(CDataCtl* control, bool save, bool notify) override;
    bool IsEmpty() const override { return m_age.kind == AGE_EMPTY; }
    /// The display form: "Child", "< 5 yrs", "1 yr 1 mn", "2 dys", or an unread text; with
    /// label, after the field's label and one blank.
    bool GetText(std::string& text, int withLabel) const override;
    /// The display form when it fits; an age with numbers is shown only in a buffer of more
    /// than 50 bytes.
    int GetTextBuf(char* buffer, int size, int format) const override;
    /// Reads the GEDCOM age value ("@@" being one "@"); always true.
    bool SetText(std::string_view text) override;
    /// From another age node only; marks the node changed.
    CDataNode* CopyValueFrom(const CDataNode* other) override;
    /// Empty ages first, then unread texts, stillborn, infant, child, and the ages with numbers
    /// by years, months and days (a missing number counting as 0). Against a node of another
    /// class, the display texts.
    int Compare(const CDataNode* other, int format) const override;
    bool IsEqual(const CDataNode* other, const void* options) const override;
    /// For ages with numbers: the years (0 when missing) against value: op 3 equal, 4 greater,
    /// 5 less; false for anything else.
    bool MatchNumber(int format, int op, long value) const override;
    /// "2 AGE < 5y 3m", "2 AGE CHILD", then the children; an empty age writes nothing.
    bool WriteGedcom(int level, std::string& line) const override;

    /// With yearsOnly, an age with numbers as its sign and years alone ("<5", "12"); otherwise,
    /// and for the other kinds, the display form.
    std::string GetYearsText(bool yearsOnly) const;
    const CAgeValue& GetAge() const { return m_age; }
    /// The text kept for an unread age; null for every other kind.
    const std::string* GetUnreadText() const { return m_unread.Get(); }
    /// Empty: kind 0, no numbers.
    void Clear();
    /// Reads a typed age, then marks the node changed.
    void SetFromText(std::string_view text);

private:
    /// Replaces the age by the one the text gives, or by the text itself when it cannot be
    /// read wholly.
    void ReadAge(std::string_view text);
    std::string DisplayText() const;
    std::string GedcomText() const;

    CAgeValue m_age;
    CKeptText m_unread;
};
