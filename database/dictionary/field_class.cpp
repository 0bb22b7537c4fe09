// database/dictionary/field_class.cpp: the node and data-control classes that field definitions
// name, and the type names of the definitions table that select them.
#include "database/dictionary/field_class.h"

namespace {

CNodeClass g_nodeClasses[] = {
    CNodeClass("CEditNode"),      CNodeClass("CCustomAttrNode"), CNodeClass("CFileNode"),
    CNodeClass("CEditMultiNode"), CNodeClass("CNoteTextNode"),   CNodeClass("CObjNoteNode"),
    CNodeClass("CEnumNode"),      CNodeClass("CEnumEditNode"),   CNodeClass("CFormatNode"),
    CNodeClass("CSexNode"),       CNodeClass("CAssocNode"),      CNodeClass("CAssocFamcNode"),
    CNodeClass("CAssocChilNode"), CNodeClass("CComplexNode"),    CNodeClass("CCustomEventNode"),
    CNodeClass("CObjNode"),       CNodeClass("CFamRec"),         CNodeClass("CIndRec"),
    CNodeClass("CNoteRec"),       CNodeClass("CObjRec"),         CNodeClass("CRecordNode"),
    CNodeClass("CSrcRec"),        CNodeClass("CDateNode"),       CNodeClass("CNameNode"),
    CNodeClass("CNumberNode"),    CNodeClass("CRectNode"),       CNodeClass("CAgeNode"),
    CNodeClass("CBlobNode"),
};

CControlClass g_controlClasses[] = {
    CControlClass("CDataCtlEdit"),    CControlClass("CDataCtlFile"),
    CControlClass("CDataCtlAddress"), CControlClass("CDataCtlEditMulti"),
    CControlClass("CDataCtlEnum"),    CControlClass("CDataCtlEnumEdit"),
    CControlClass("CDataCtlSex"),     CControlClass("CDataCtlAssoc"),
    CControlClass("CDataCtlDate"),    CControlClass("CDataCtlName"),
    CControlClass("CDataCtlNumber"),  CControlClass("CDataCtlAge"),
};

struct TypeNameRow {
    const char* typeName;
    int dataType;
    const char* nodeClass;
    const char* controlClass; // null: no data control
};

constexpr TypeNameRow kTypeNames[] = {
    {"Edit", 1, "CEditNode", "CDataCtlEdit"},
    {"CustomAttr", 1, "CCustomAttrNode", "CDataCtlEdit"},
    {"File", 1, "CFileNode", "CDataCtlFile"},
    {"Address", 2, "CEditMultiNode", "CDataCtlAddress"},
    {"EditMulti", 2, "CEditMultiNode", "CDataCtlEditMulti"},
    {"NoteText", 2, "CNoteTextNode", "CDataCtlEditMulti"},
    {"ObjNote", 2, "CObjNoteNode", "CDataCtlEditMulti"},
    {"Enum", 3, "CEnumNode", "CDataCtlEnum"},
    {"EnumEdit", 3, "CEnumEditNode", "CDataCtlEnumEdit"},
    {"Format", 3, "CFormatNode", "CDataCtlEnumEdit"},
    {"Sex", 3, "CSexNode", "CDataCtlSex"},
    {"Assoc", 4, "CAssocNode", "CDataCtlAssoc"},
    {"AssocFamc", 4, "CAssocFamcNode", "CDataCtlAssoc"},
    {"AssocChil", 4, "CAssocChilNode", "CDataCtlAssoc"},
    {"Complex", 5, "CComplexNode", nullptr},
    {"CustomEvent", 5, "CCustomEventNode", nullptr},
    {"Obj", 5, "CObjNode", nullptr},
    {"FamRec", 6, "CFamRec", nullptr},
    {"IndRec", 6, "CIndRec", nullptr},
    {"NoteRec", 6, "CNoteRec", nullptr},
    {"ObjRec", 6, "CObjRec", nullptr},
    {"Record", 6, "CRecordNode", nullptr},
    {"SrcRec", 6, "CSrcRec", nullptr},
    {"Date", 7, "CDateNode", "CDataCtlDate"},
    {"Name", 8, "CNameNode", "CDataCtlName"},
    {"Number", 9, "CNumberNode", "CDataCtlNumber"},
    {"Rect", 10, "CRectNode", nullptr},
    {"Age", 11, "CAgeNode", "CDataCtlAge"},
    {"Blob", 12, "CBlobNode", nullptr},
};

struct AliasRow {
    const char* alias;
    const char* typeName;
};

constexpr AliasRow kAliases[] = {
    {"Static", "Edit"},     {"TimeUpdated", "Edit"}, {"EditReqsType", "Edit"},
    {"Time", "Edit"},       {"DateUpdated", "Date"}, {"DateExact", "Date"},
    {"DatePeriod", "Date"}, {"DateGreg", "Date"},    {"EnumMulti", "Enum"},
    {"EnumPlus", "Enum"},   {"ComplexY", "Complex"},
};

template <class T, std::size_t N> T* FindByName(T (&classes)[N], std::string_view name)
{
    for (T& c : classes) {
        if (name == c.GetName())
            return &c;
    }
    return nullptr;
}

} // namespace

CNodeClass* FindNodeClass(std::string_view name)
{
    return FindByName(g_nodeClasses, name);
}

CControlClass* FindControlClass(std::string_view name)
{
    return FindByName(g_controlClasses, name);
}

FieldTypeName LookUpFieldTypeName(std::string_view typeName)
{
    FieldTypeName result;
    result.clearsSkipWhenChildless = typeName == "ComplexY";
    for (const AliasRow& alias : kAliases) {
        if (typeName == alias.alias) {
            typeName = alias.typeName;
            break;
        }
    }
    for (const TypeNameRow& row : kTypeNames) {
        if (typeName != row.typeName)
            continue;
        result.dataType = row.dataType;
        result.nodeClass = FindNodeClass(row.nodeClass);
        result.controlClass = row.controlClass ? FindControlClass(row.controlClass) : nullptr;
        return result;
    }
    result.clearsSkipWhenChildless = false;
    return result;
}
