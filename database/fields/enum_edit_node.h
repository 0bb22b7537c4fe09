// database/fields/enum_edit_node.h: a text usually chosen from its definition's value list but free
// to type (data type 3 held as text), such as a citation's certainty or a pedigree.
#pragma once

#include "database/fields/edit_node.h"

/// The value is the text itself, in or out of the list. A value chosen from the list is kept as
/// its GEDCOM key (QUAY 3, ROLE HUSB), while the control and the display text show the entry's
/// own words ("Direct evidence", "Husband"); any other text is kept and shown as it stands.
class CEnumEditNode : public CEditNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// Loads the value into the editable drop-down, then shows and focuses it, with no text
    /// selected; null when no control could be made.
    CDataCtl* ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner, DWORD style,
                            UINT id, DWORD flags) override;
    /// Save: the control's text, an entry's words turned into its key, replaces a value it
    /// differs from. Load: the control shows the value, a key as its entry's words.
    bool UpdateFromControl(CDataCtl* control, bool save, bool notify) override;
    /// With label (non-zero): the label, ": ", then the value, a key as its entry's words.
    bool GetText(std::string& text, int withLabel) const override;
    /// The query test "matches" an entry of the list: with no qualifier and the operator "=",
    /// true when the value is that entry's key or its words.
    bool MatchEnum(int qualifier, int op, int value) const override;

protected:
    /// The key of the entry whose words are text; text itself when no entry has those words.
    std::string KeyOf(std::string_view text) const;
    /// The words of the entry whose key is value; value itself when no entry has that key.
    std::string WordsOf(std::string_view value) const;
};
