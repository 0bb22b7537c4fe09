#include "database/text_field_classes.h"

#include "database/custom_attr_node.h"
#include "database/edit_multi_node.h"
#include "database/edit_node.h"
#include "database/enum_edit_node.h"
#include "database/enum_node.h"
#include "database/field_class.h"
#include "database/file_node.h"
#include "database/format_node.h"
#include "database/name_node.h"
#include "database/note_text_node.h"
#include "database/obj_note_node.h"
#include "database/sex_node.h"

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
