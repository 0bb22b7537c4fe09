// database/fields/enum_edit_node.cpp: a text usually chosen from its definition's value list but
// free to type (data type 3 held as text), such as a citation's certainty or a pedigree.
#include "database/fields/enum_edit_node.h"

#include "database/dictionary/field_def.h"
#include "database/dictionary/qualifier_table.h"
#include "database/nodes/data_control_access.h"

const CRuntimeClass* CEnumEditNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CEnumEditNode>();
}

CDataCtl* CEnumEditNode::ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner,
                                       DWORD style, UINT id, DWORD flags)
{
    CDataCtl* control = CreateAndLoadControl(parent, rect, owner, style, id, flags);
    if (control && GetDataControlAccess())
        GetDataControlAccess()->ShowAndFocus(*control);
    return control;
}

bool CEnumEditNode::UpdateFromControl(CDataCtl* control, bool save, bool notify)
{
    if (!save)
        return WriteControlText(control, WordsOf(GetValue()));
    std::string text;
    if (!ReadControlText(control, text))
        return false;
    StoreEditedText(KeyOf(text), notify);
    return true;
}

bool CEnumEditNode::GetText(std::string& text, int withLabel) const
{
    StartText(text, withLabel);
    text += WordsOf(GetValue());
    return true;
}

bool CEnumEditNode::MatchEnum(int qualifier, int op, int value) const
{
    const CFieldDef* def = GetFieldDef();
    if (qualifier != QUAL_NONE || op != COND_EQUAL || !def || value < 0 ||
        value >= def->GetEnumValueCount())
        return false;
    return GetValue() == def->GetEnumValue(value, false) ||
           GetValue() == def->GetEnumValue(value, true);
}

std::string CEnumEditNode::KeyOf(std::string_view text) const
{
    const CFieldDef* def = GetFieldDef();
    const int index = def ? def->FindEnumValue(text, true) : -1;
    return std::string(index >= 0 ? std::string_view(def->GetEnumValue(index, false)) : text);
}

std::string CEnumEditNode::WordsOf(std::string_view value) const
{
    const CFieldDef* def = GetFieldDef();
    const int index = def ? def->FindEnumValue(value, false) : -1;
    return std::string(index >= 0 ? std::string_view(def->GetEnumValue(index, true)) : value);
}
