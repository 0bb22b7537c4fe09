#include "database/enum_node.h"

#include "database/change_tracking.h"
#include "database/data_control_access.h"
#include "database/gedcom_line_sink.h"
#include "database/qualifier_table.h"

#include "controls/core/gedcom_value.h"

const CRuntimeClass* CEnumNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CEnumNode>();
}

CDataCtl* CEnumNode::ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner,
                                   DWORD style, UINT id, DWORD flags)
{
    return PresentControl(*this, CDataNode::ShowInControl(parent, rect, owner, style, id, flags),
                          true, ControlSelection::Unchanged);
}

bool CEnumNode::UpdateFromControl(CDataCtl* control, bool save, bool notify)
{
    IDataControlAccess* access = GetDataControlAccess();
    if (!control || !access)
        return false;
    if (!save) {
        const int index = GetValueIndex();
        access->SetCurSel(*control, index < access->GetCount(*control) ? index : -1);
        return true;
    }
    int position = -1;
    if (!access->GetCurSel(*control, position))
        return false;
    if (position < 0 && !IsEmpty() && GetValueIndex() < 0)
        return true;
    if (KeyOfIndex(position) != GetKey())
        StoreIndex(position, notify);
    return true;
}

bool CEnumNode::GetText(std::string& text, int withLabel) const
{
    text.clear();
    if (withLabel) {
        GetLabel(text);
        text += ": ";
    }
    const int index = GetValueIndex();
    text += index >= 0 ? GetEnumValue(GetFieldDef(), index, true) : std::string(GetKey());
    return true;
}

bool CEnumNode::SetText(std::string_view text)
{
    std::string key;
    AppendGedcomValue(key, text);
    m_key.Assign(key == kEnumNoValueKey ? std::string() : key);
    return true;
}

CDataNode* CEnumNode::CopyValueFrom(const CDataNode* other)
{
    const auto* source = dynamic_cast<const CEnumNode*>(other);
    if (!source || source == this || source->GetFieldDef() != GetFieldDef())
        return this;
    m_key = source->m_key;
    MarkChanged(this);
    return this;
}

bool CEnumNode::IsEqual(const CDataNode* other, const void*) const
{
    const auto* theirs = dynamic_cast<const CEnumNode*>(other);
    return theirs && theirs->GetKey() == GetKey();
}

bool CEnumNode::MatchEnum(int qualifier, int op, int value) const
{
    return qualifier == QUAL_NONE && op == COND_EQUAL && GetValueIndex() == value;
}

bool CEnumNode::WriteGedcom(int level, std::string& line) const
{
    const CFieldDef* def = GetFieldDef();
    if (!def || (IsEmpty() && !GetFirstChild()))
        return true;
    line = std::to_string(level);
    line += ' ';
    line += def->GetGedcomTag();
    if (!IsEmpty())
        line += ' ';
    if (!WriteGedcomLine(line, GetKey()))
        return false;
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        if (!child->WriteGedcom(level + 1, line))
            return false;
    }
    return true;
}

int CEnumNode::GetValueIndex() const
{
    return IsEmpty() ? -1 : FindEnumValue(GetFieldDef(), GetKey(), false);
}

void CEnumNode::SetValueIndex(int index)
{
    m_key.Assign(KeyOfIndex(index));
    MarkChanged(this);
}

std::string CEnumNode::KeyOfIndex(int index) const
{
    if (index < 0 || index >= GetEnumValueCount(GetFieldDef()))
        return {};
    const std::string& key = GetEnumValue(GetFieldDef(), index, false);
    return key == kEnumNoValueKey ? std::string() : key;
}

void CEnumNode::StoreIndex(int index, bool notify)
{
    SetValueIndex(index);
    if (notify)
        NotifyChanges();
}
