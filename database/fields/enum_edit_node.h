// database/fields/enum_edit_node.h: a text usually chosen from its definition's value list but free
// to type (data type 3 held as text), such as a citation's certainty or a pedigree.
#pragma once

#include "database/fields/edit_node.h"

/// The value is the text itself, in or out of the list.
class CEnumEditNode : public CEditNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    /// Loads the value into the editable drop-down, then shows and focuses it, with no text
    /// selected; null when no control could be made.
    CDataCtl* ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner, DWORD style,
                            UINT id, DWORD flags) override;
};
