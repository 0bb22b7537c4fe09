#include "database/fields/note_text_node.h"

const CRuntimeClass* CNoteTextNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CNoteTextNode>();
}
