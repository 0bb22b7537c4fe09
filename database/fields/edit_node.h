// database/fields/edit_node.h: a field whose value is one line of text (data type 1).
#pragma once

#include "database/fields/text_value_node.h"

/// A single-line text. A definition flagged both A and C holds a number as text: such a field
/// also gives and sorts its value as a number under the NUMERIC qualifier.
///
/// Continuation lines: our definitions never allow CONT under a single-line field and allow
/// CONC only where a value may be split. A value too long for one line is written as a first
/// line and CONC pieces when the definition allows CONC, and read back the same way; without
/// that permission it stays on one line of whatever length, which the reader takes whole. A
/// line break that found its way into the value is written as a blank, so that it can never
/// start a GEDCOM line of its own.
class CEditNode : public CTextValueNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// Shows the value with the whole text selected and scrolled into view, then shows and
    /// focuses the control; null when no control could be made.
    CDataCtl* ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner, DWORD style,
                            UINT id, DWORD flags) override;
    /// Save: an edited text that differs from the value replaces it; false when the control
    /// cannot be read. Load: the control shows the value.
    bool UpdateFromControl(CDataCtl* control, bool save, bool notify) override;
    /// With label (non-zero): the label, ": ", then the value; otherwise the value.
    bool GetText(std::string& text, int withLabel) const override;
    /// NUMERIC on a numeric text: the leading decimal number, 0 and an empty buffer when it
    /// does not fit; any other format: the value.
    int GetTextBuf(char* buffer, int size, int format) const override;
    /// A CONC piece joins the value where the definition allows CONC, unless the value is a
    /// cross-reference, which stays one; anything else is refused.
    bool AppendText(std::string_view text, int continuationKind) override;
    /// NUMERIC on a numeric text of the same definition: a value that does not start with a
    /// digit first, else by number; otherwise the display texts without regard to case.
    int Compare(const CDataNode* other, int format) const override;
    bool SupportsQualifier(int qualifier) const override;
    bool WriteGedcom(int level, std::string& line) const override;

    /// Whether the definition is flagged both A and C (a number held as text).
    bool IsNumericText() const;

protected:
    /// Creates the control and loads the value into it; null when no control could be made.
    CDataCtl* CreateAndLoadControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner,
                                   DWORD style, UINT id, DWORD flags);
};
