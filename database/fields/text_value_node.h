// database/fields/text_value_node.h: what the single-line and multi-line text fields share: the
// value as UTF-8 text, how it is read from GEDCOM, compared, searched and written in GEDCOM lines.
#pragma once

#include "database/nodes/data_node.h"
#include "database/nodes/node_text.h"

#include <string>
#include <string_view>

/// A text field that holds a cross-reference read from a file ("1 _PHOTO @M12@").
inline constexpr BYTE DNF_XREF_TEXT = 0x02;

/// The base of the text field classes. The value is held unescaped: one "@" where GEDCOM
/// writes "@@"; the line sink doubles each "@" again on the way out. An empty text is an empty
/// value. A value read from a file that is a lone cross-reference ("@M12@", where a user-defined
/// tag or a tag the table keeps as text names a record) is kept as it is and written back as it
/// is, so it stays a link: the load renumbers it with its record (KeepCrossReferenceTexts).
class CTextValueNode : public CDataNode {
public:
    std::string_view GetValue() const { return m_value.View(); }
    /// Stores the text as it is, without marking anything (see SetTextValue); it is text, not a
    /// cross-reference.
    void SetValue(std::string_view text)
    {
        m_value.Assign(text);
        SetFlag(DNF_XREF_TEXT, false);
    }
    /// Whether the value is a cross-reference read from a file ("@X@", at signs single).
    bool HoldsCrossReference() const { return HasFlag(DNF_XREF_TEXT); }
    /// Makes the value the cross-reference "@idText@".
    void SetCrossReference(std::string_view idText);

    bool IsEmpty() const override { return m_value.IsEmpty(); }
    /// From a GEDCOM value: a lone cross-reference is kept as it is (see above); any other value
    /// becomes the text with every "@@" read as one "@". The value is replaced whatever it held,
    /// so setting a text twice never joins the two.
    bool SetText(std::string_view text) override;
    /// Nothing when other is this node, another definition's or no text field; otherwise takes
    /// its value and marks the node changed.
    CDataNode* CopyValueFrom(const CDataNode* other) override;
    /// The values are equal without regard to case.
    bool IsEqual(const CDataNode* other, const void* options) const override;
    /// True when every term is found in the value (exactly, or through the terms' two case
    /// forms); otherwise, with recursive, the search over the visible children.
    bool ContainsText(std::span<const CSearchTerm> terms, bool caseSensitive,
                      bool recursive) const override;

protected:
    /// With label (any non-zero flag): the node's label and ": " into text; otherwise text is
    /// emptied.
    void StartText(std::string& text, int withLabel) const;
    /// Reads the control's text; false when it cannot be read (no access installed, no
    /// control, or the read failed or threw).
    static bool ReadControlText(CDataCtl* control, std::string& text);
    /// Shows text in the control; false without a control or an installed access.
    static bool WriteControlText(CDataCtl* control, std::string_view text);
    /// Takes an edited text: when it differs from the value (exact compare) it is stored, the
    /// node is marked changed and, with notify, the edit is announced.
    void StoreEditedText(std::string_view text, bool notify);
    /// Writes the tag line with the first piece of value, then CONC pieces (where the
    /// definition allows them, and not after a line break) or CONT pieces, no line longer than
    /// kMaxGedcomLine characters with each "@" counted twice, then the children at level + 1.
    bool WriteValueLines(int level, std::string& line, std::string_view value) const;
    /// Writes the tag line with the whole value, then the children at level + 1.
    bool WriteOneLine(int level, std::string& line, std::string_view value) const;

    CNodeText m_value; // first, so that it packs into the tail of the CDataNode part

private:
    /// Stores a value read from a file, unescaped and not a cross-reference.
    void StoreReadValue(std::string_view value);
    bool WriteChildren(int level, std::string& line) const;
};

/// The longest GEDCOM line the writers produce, in characters before the line end.
inline constexpr int kMaxGedcomLine = 252;

/// Writes line (a composed line such as "1 NOTE" or "0 @N1@ NOTE") with the first piece of
/// value, then the rest in lines "continuationLevel CONC" (where concAllowed, and not after a
/// line break) or "continuationLevel CONT", cut where the next load joins them back to the
/// same text, no line longer than kMaxGedcomLine characters with each "@" counted twice. A value
/// that ends in a line break ends in an empty CONT line.
bool WriteContinuedText(std::string& line, int continuationLevel, std::string_view value,
                        bool concAllowed);

/// How many cross-references text fields have read since the program started (a load that
/// read none has none to renumber).
std::size_t CountCrossReferenceTextsRead();

/// The identifier a value names when it is a lone cross-reference "@X@" (X not empty, no other
/// "@"); empty otherwise.
std::string_view CrossReferenceIn(std::string_view value);

/// The value becomes the text as it is and the node and its record are marked changed; used by
/// editors for any text field (a node of another class takes the text through SetText).
void SetTextValue(CDataNode* node, std::string_view text);

/// Copies text into buffer, cut to size - 1 bytes without cutting a character, and terminates
/// it; the length copied (0, with nothing written, for a size below 1).
int CopyTextToBuffer(std::string_view text, char* buffer, int size);
