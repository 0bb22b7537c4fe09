#include "database/ind_rec.h"

#include "database/assoc_node.h"
#include "database/enum_node.h"
#include "database/fam_rec.h"

const CRuntimeClass* CIndRec::GetRuntimeClass() const
{
    return RuntimeClassOf<CIndRec>();
}

int CIndRec::GetSex() const
{
    const CDataNode* field = FindChild(nullptr, FIELD_SEX, true);
    const auto* sex = dynamic_cast<const CEnumNode*>(field);
    const int index = sex ? sex->GetValueIndex() : -1;
    return index == SEX_MALE || index == SEX_FEMALE ? index : SEX_UNDETERMINED;
}

CFamRec* CIndRec::GetNextParentFamily(const CFamRec* after) const
{
    return AsFamily(GetNextLinkTarget(this, FIELD_FAMC, after));
}

CFamRec* CIndRec::GetNextSpouseFamily(const CFamRec* after) const
{
    return AsFamily(GetNextLinkTarget(this, FIELD_FAMS, after));
}

int CIndRec::CountParentFamilies(bool includeEmpty) const
{
    return includeEmpty ? CountChildren(FIELD_FAMC) : CountChildrenWithTarget(FIELD_FAMC);
}

int CIndRec::CountSpouseFamilies(bool includeEmpty) const
{
    return includeEmpty ? CountChildren(FIELD_FAMS) : CountChildrenWithTarget(FIELD_FAMS);
}

CIndRec* CIndRec::GetSpouseInFamily(const CFamRec* family) const
{
    if (!family)
        return nullptr;
    if (family->GetHusband() == this)
        return family->GetWife();
    if (family->GetWife() == this)
        return family->GetHusband();
    return nullptr;
}

int CIndRec::CountLinkedChildren(bool& notApplicable) const
{
    notApplicable = false;
    int count = 0;
    for (const CFamRec* family = GetNextSpouseFamily(nullptr); family;
         family = GetNextSpouseFamily(family))
        count += family->CountChildren();
    return count;
}

int CIndRec::CountChildrenWithTarget(int fieldId) const
{
    int count = 0;
    for (const CDataNode* link = FindChild(nullptr, fieldId); link; link = FindChild(link, fieldId))
        count += link->GetLinkTarget() != nullptr;
    return count;
}

CIndRec* AsIndividual(CRecordNode* record)
{
    return dynamic_cast<CIndRec*>(record);
}

const CIndRec* AsIndividual(const CRecordNode* record)
{
    return dynamic_cast<const CIndRec*>(record);
}
