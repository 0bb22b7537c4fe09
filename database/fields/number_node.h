// database/fields/number_node.h: a whole-number field (the number of children, a frame number).
#pragma once

#include "database/nodes/data_node.h"
#include "database/nodes/node_text.h"

#include <cstdint>
#include <string>
#include <string_view>

/// A field holding a whole number of 0 or more, or nothing. A text that is no such number is
/// kept as it was written (shown and written back unchanged) rather than lost; it counts as no
/// number when numbers are compared.
class CNumberNode : public CDataNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// Shows the value in the control, selects it, then shows and focuses the control.
    CDataCtl* ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner, DWORD style,
                            UINT id, DWORD flags) override;
    /// Save: the control's text read as SetText reads it (without "@@"), marking the node changed
    /// (and with notify announcing it) when the value changed. Load: the value into the control.
    /// False when reading or writing the control failed.
    bool UpdateFromControl(CDataCtl* control, bool save, bool notify) override;
    bool IsEmpty() const override { return m_empty && !m_unread; }
    /// The value in decimal (nothing when empty); with label, after the field's label and ": ".
    bool GetText(std::string& text, int withLabel) const override;
    /// The value alone, whatever the format, cut to the buffer.
    int GetTextBuf(char* buffer, int size, int format) const override;
    /// Reads a GEDCOM value ("@@" being one "@"): blank text empties the field, digits (with
    /// blanks around them) are the value, anything else is kept as written. Always true.
    bool SetText(std::string_view text) override;
    /// From another number node; marks the node changed.
    CDataNode* CopyValueFrom(const CDataNode* other) override;
    /// Empty fields first, then kept texts, then numbers by value; against a node of another
    /// class, the display texts.
    int Compare(const CDataNode* other, int format) const override;
    bool IsEqual(const CDataNode* other, const void* options) const override;
    /// "1 NCHI 3" and the children; an empty field writes its tag alone when it has children
    /// and nothing otherwise.
    bool WriteGedcom(int level, std::string& line) const override;

    /// Stores the value and marks the node changed, unless it already holds that value.
    void SetNumber(std::int32_t value);
    /// The value; 0 when empty.
    std::int32_t GetNumber() const { return m_value; }

private:
    void ReadNumber(std::string_view text);
    /// The value in decimal, the kept text, or nothing.
    std::string ValueText() const;
    bool HasSameValue(const CNumberNode& other) const;

    BYTE m_empty = 1;
    std::int32_t m_value = 0;
    CKeptText m_unread; // a text that is no number, as written
};
