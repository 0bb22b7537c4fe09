// database/fields/note_text_node.cpp: the text of a note written in place (NOTE with a value).
#include "database/fields/note_text_node.h"

const CRuntimeClass* CNoteTextNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CNoteTextNode>();
}
