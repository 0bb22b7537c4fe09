// database/fields/sex_node.cpp: an individual's SEX field.
#include "database/fields/sex_node.h"

#include "database/nodes/data_control_access.h"
#include "database/records/record_node.h"

namespace {

/// Whether the individual holding the field has a spouse family link with a target.
bool IsSpouseInAFamily(const CDataNode* field)
{
    const CRecordNode* record = field->GetRecord();
    return record && !record->IsPendingDeletion() &&
           record->FindChild(nullptr, FIELD_FAMS, true) != nullptr;
}

} // namespace

const CRuntimeClass* CSexNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CSexNode>();
}

bool CSexNode::UpdateFromControl(CDataCtl* control, bool save, bool notify)
{
    IDataControlAccess* access = GetDataControlAccess();
    if (save && control && access) {
        int position = -1;
        if (!access->GetCurSel(*control, position))
            return false;
        if ((position < 0 ? -1 : position) != GetValueIndex() && IsSpouseInAFamily(this))
            return false;
    }
    return CEnumNode::UpdateFromControl(control, save, notify);
}

void CSexNode::SetSex(int sex)
{
    SetValueIndex(sex == 0 || sex == 1 ? sex : -1);
}
