// database/fields/text_field_classes.h: installs the node classes of text, enumerated and name
// fields in the node factory.
#pragma once

/// Installs the factories of CEditNode, CCustomAttrNode, CFileNode, CEditMultiNode,
/// CNoteTextNode, CObjNoteNode, CEnumNode, CSexNode, CEnumEditNode, CFormatNode and CNameNode,
/// so that definitions naming them make their nodes.
void RegisterTextFieldClasses();
