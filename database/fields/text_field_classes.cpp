// database/fields/text_field_classes.cpp: installs the node classes of text, enumerated and name
// fields in the node factory.
#include "database/fields/text_field_classes.h"

#include "database/dictionary/field_class.h"
#include "database/fields/custom_attr_node.h"
#include "database/fields/edit_multi_node.h"
#include "database/fields/edit_node.h"
#include "database/fields/enum_edit_node.h"
#include "database/fields/enum_node.h"
#include "database/fields/file_node.h"
#include "database/fields/name_node.h"
#include "database/fields/note_text_node.h"
#include "database/fields/sex_node.h"
#include "database/multimedia/format_node.h"
#include "database/multimedia/obj_note_node.h"

namespace {

template <class T> CDataNode* Make()
{
    return new T;
}

template <class T> void Install(const char* name)
{
    FindNodeClass(name)->SetFactory(&Make<T>);
}

} // namespace

void RegisterTextFieldClasses()
{
    Install<CEditNode>("CEditNode");
    Install<CCustomAttrNode>("CCustomAttrNode");
    Install<CFileNode>("CFileNode");
    Install<CEditMultiNode>("CEditMultiNode");
    Install<CNoteTextNode>("CNoteTextNode");
    Install<CObjNoteNode>("CObjNoteNode");
    Install<CEnumNode>("CEnumNode");
    Install<CSexNode>("CSexNode");
    Install<CEnumEditNode>("CEnumEditNode");
    Install<CFormatNode>("CFormatNode");
    Install<CNameNode>("CNameNode");
}
