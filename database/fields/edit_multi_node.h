// database/fields/edit_multi_node.h: a field whose value is text of several lines (data type 2),
// written with CONC and CONT continuation lines.
#pragma once

#include "database/fields/text_value_node.h"

/// A multi-line text. Line breaks are held as single LF characters (CR LF only while the text
/// is shown in an edit). Passages between "[[" and "]]" are private: output for reports may
/// drop them or keep their text without the brackets.
class CEditMultiNode : public CTextValueNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// Shows the value with the caret at its start, then shows and focuses the control; null
    /// when no control could be made.
    CDataCtl* ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner, DWORD style,
                            UINT id, DWORD flags) override;
    /// Save: the edit's text with its line breaks made LF replaces a value it differs from;
    /// load: the value with CR LF line breaks. Either way the edit is marked unmodified. False
    /// when the control cannot be read.
    bool UpdateFromControl(CDataCtl* control, bool save, bool notify) override;
    /// Optional label and ": ", then the first line: at most 255 characters, stopping before
    /// the first line break, with "..." when anything follows.
    bool GetText(std::string& text, int withLabel) const override;
    /// A continuation while loading: FIELD_CONT starts a new line, FIELD_CONC joins; every "@@"
    /// of the piece is read as one "@". Refused after a cross-reference, which stays one.
    bool AppendText(std::string_view text, int continuationKind) override;
    /// Without a qualifier, "begins with", "ends with" and "contains" test the whole value,
    /// exactly or without regard to case; everything else is the base test.
    bool MatchText(int format, int op, bool caseSensitive,
                   std::optional<std::string_view> operand) const override;
    /// The tag line and CONC or CONT lines, none longer than kMaxGedcomLine characters: a
    /// piece continues its line with CONC where the definition allows it; a line break starts
    /// a CONT line; an empty line inside the value is an empty CONT line.
    bool WriteGedcom(int level, std::string& line) const override;

    /// The value as one line: each run of text between line breaks, separated by one blank.
    /// out is emptied first unless append is set.
    void GetTextAsOneLine(std::string& out, bool append) const;
    /// The value for reports and other output. With keepPrivate and without strip, the value
    /// as stored; otherwise each private passage keeps its text without its brackets
    /// (keepPrivate) or is dropped; a "[[" without its "]]" runs to the end of the text.
    void GetOutputText(std::string& out, bool keepPrivate, bool strip) const;

protected:
    /// The first line as GetText gives it, without label.
    std::string GetFirstLine() const;
};
