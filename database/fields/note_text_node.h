// database/fields/note_text_node.h: the text of a note written in place (NOTE with a value).
#pragma once

#include "database/fields/edit_multi_node.h"

/// A multi-line text; the class tells note text apart from other multi-line fields.
class CNoteTextNode final : public CEditMultiNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;
};
