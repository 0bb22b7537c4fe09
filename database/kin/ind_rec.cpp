// database/kin/ind_rec.cpp: CIndRec: its sex, its family links and the walks over them, and the
// guards on its children.
#include "database/kin/ind_rec.h"

#include "common/abort.h"
#include "database/dictionary/field_dictionary.h"
#include "database/fields/sex_node.h"
#include "database/kin/relative_dialogs.h"
#include "database/nodes/change_tracking.h"
#include "database/paths/data_path.h"
#include "database/records/assoc_node.h"
#include "database/records/fam_rec.h"

#include <typeinfo>

namespace {

int s_liveCount = 0;

constexpr const char* kSexGuardText = "You may not modify or delete an Individual's sex if he or "
                                      "she is a spouse in a Family record.";

/// The partner link that holds an individual's spouse: HUSB for a female, WIFE otherwise.
int PartnerLinkId(int sex)
{
    return sex == SEX_FEMALE ? FIELD_HUSB : FIELD_WIFE;
}

/// Whether the family's partner link of that field id has a target.
bool HasPartner(const CFamRec& family, int fieldId)
{
    return (fieldId == FIELD_HUSB ? family.GetHusband() : family.GetWife()) != nullptr;
}

int SexOfField(const CDataNode* field)
{
    const auto* sex = dynamic_cast<const CSexNode*>(field);
    const int index = sex ? sex->GetValueIndex() : -1;
    return index == SEX_MALE || index == SEX_FEMALE ? index : SEX_UNDETERMINED;
}

} // namespace

CIndRec::CIndRec() noexcept
{
    ++s_liveCount;
}

CIndRec::~CIndRec()
{
    --s_liveCount;
}

const CRuntimeClass* CIndRec::GetRuntimeClass() const
{
    return RuntimeClassOf<CIndRec>();
}

bool CIndRec::InitTags()
{
    const CFieldDef* individual = FindRecordDefByTag("INDI");
    for (const char* path : {"FAMC", "FAMS", "SEX", "NAME", "BIRT.DATE"}) {
        if (!FindFieldDefByPath(individual, path))
            return false;
    }
    return true;
}

int CIndRec::GetLiveCount()
{
    return s_liveCount;
}

void CIndRec::ForgetAllLive()
{
    s_liveCount = 0;
}

// ---- Navigation ---------------------------------------------------------------------------

int CIndRec::GetSex() const
{
    return SexOfField(FindChild(nullptr, FIELD_SEX, true));
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

CFamRec* CIndRec::FindFamilyWithSpouse(const CIndRec* spouse, const CFamRec* after) const
{
    const int partnerLink = PartnerLinkId(GetSex());
    for (CFamRec* family = GetNextSpouseFamily(after); family;
         family = GetNextSpouseFamily(family)) {
        const CIndRec* partner =
            partnerLink == FIELD_HUSB ? family->GetHusband() : family->GetWife();
        if (partner && partner == spouse)
            return family;
    }
    return nullptr;
}

CIndRec* CIndRec::GetNextChild(CFamRec*& family, const CIndRec* previous,
                               bool withoutPartnerOnly) const
{
    const int partnerLink = PartnerLinkId(GetSex());
    for (;;) {
        if (!previous) {
            do
                family = GetNextSpouseFamily(family);
            while (family && withoutPartnerOnly && HasPartner(*family, partnerLink));
        }
        if (!family)
            return nullptr;
        if (CIndRec* child = family->GetNextChild(previous))
            return child;
        previous = nullptr;
    }
}

CDataNode* CIndRec::NthLinkField(int fieldId, int index, bool lastWhenShort) const
{
    CDataNode* last = nullptr;
    int position = 0;
    for (CDataNode* link = FindChild(nullptr, fieldId); link; link = FindChild(link, fieldId)) {
        if (position++ == index)
            return link;
        last = link;
    }
    return lastWhenShort ? last : nullptr;
}

CIndRec* CIndRec::GetParent(bool father, int familyIndex, bool lastWhenShort) const
{
    const CDataNode* link = NthLinkField(FIELD_FAMC, familyIndex, lastWhenShort);
    const CFamRec* family = link ? AsFamily(link->GetLinkTarget()) : nullptr;
    if (!family)
        return nullptr;
    return father ? family->GetHusband() : family->GetWife();
}

CIndRec* CIndRec::GetSpouse(int familyIndex, bool lastWhenShort) const
{
    const CDataNode* link = NthLinkField(FIELD_FAMS, familyIndex, lastWhenShort);
    return link ? GetSpouseInFamily(AsFamily(link->GetLinkTarget())) : nullptr;
}

CIndRec* CIndRec::GetChild(int childIndex, bool lastWhenShort) const
{
    CIndRec* last = nullptr;
    int first = 0; // the overall index of the family's first child
    for (const CFamRec* family = GetNextSpouseFamily(nullptr); family;
         family = GetNextSpouseFamily(family)) {
        int actual = 0;
        CIndRec* child = family->GetChildAt(childIndex - first, actual);
        if (!child)
            continue;
        if (first + actual == childIndex)
            return child;
        last = child;
        first += actual + 1;
    }
    return lastWhenShort ? last : nullptr;
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

// ---- The sex guard ------------------------------------------------------------------------

bool CIndRec::CanModifyChild(const CDataNode* child, std::string& reason) const
{
    if (child && child->GetFieldId() == FIELD_SEX && GetNextSpouseFamily(nullptr)) {
        reason = kSexGuardText;
        return false;
    }
    return true;
}

bool CIndRec::CanDeleteChild(const CDataNode* child, std::string& reason) const
{
    return CanModifyChild(child, reason);
}

void CIndRec::DeleteChild(CDataNode* child)
{
    if (child && child->GetFieldId() == FIELD_SEX && GetNextSpouseFamily(nullptr) &&
        SexOfField(child) != SEX_UNDETERMINED) {
        InformUser(kSexGuardText);
        return;
    }
    CRecordNode::DeleteChild(child);
}

// ---- Setting the sex ----------------------------------------------------------------------

bool CIndRec::SetSex(int sex, bool force)
{
    CDataNode* field = FindChild(nullptr, FIELD_SEX);
    if (!field && sex == SEX_UNDETERMINED)
        return true;
    const int current = field ? SexOfField(field) : SEX_UNDETERMINED;
    if (current == sex)
        return true;
    if (!force && current != SEX_UNDETERMINED)
        return false;
    if (sex != SEX_MALE && sex != SEX_FEMALE) {
        CRecordNode::DeleteChild(field);
        return true;
    }
    if (!field)
        field = CreateChildById(FIELD_SEX);
    auto* sexField = dynamic_cast<CSexNode*>(field);
    if (!sexField)
        return false;
    sexField->SetSex(sex);
    return true;
}

bool CIndRec::SwapSexWithSpouse(int sex)
{
    CFamRec* family = GetNextSpouseFamily(nullptr);
    const int former = GetSex();
    if (!family)
        return SetSex(sex, true);
    if (sex != SEX_MALE && sex != SEX_FEMALE)
        return false;
    if (GetNextSpouseFamily(family))
        return false;
    CIndRec* spouse = former == SEX_FEMALE ? family->GetHusband() : family->GetWife();
    if (spouse && spouse->CountSpouseFamilies(false) > 1)
        return false;
    if (!SetSex(sex, true))
        return false;
    const int spouseSex = sex == SEX_MALE ? SEX_FEMALE : SEX_MALE;
    if (spouse && !spouse->SetSex(spouseSex, true)) {
        SetSex(former, true);
        return false;
    }
    if (!family->SwapPartners()) {
        SetSex(former, true);
        if (spouse)
            spouse->SetSex(former == SEX_MALE ? SEX_FEMALE : SEX_MALE, true);
        return false;
    }
    return true;
}

// ---- Moving a family link -----------------------------------------------------------------

void CIndRec::MoveFamilyLink(const CFamRec* family, const CFamRec* beforeFamily, bool spouseLinks)
{
    const int fieldId = spouseLinks ? FIELD_FAMS : FIELD_FAMC;
    CDataNode* link = FindLinkChild(fieldId, family);
    if (!link)
        ThrowAbort();
    UnlinkChild(link, false);
    CDataNode* before = beforeFamily ? FindLinkChild(fieldId, beforeFamily) : nullptr;
    InsertChild(link, before, true);
    MarkChanged(this);
}

void CIndRec::PlaceChosenFamilyLink(const CFamRec* family, const CFamRec* nearFamily, bool before,
                                    bool spouseLinks)
{
    const CFamRec* beforeFamily = nearFamily;
    if (!before && nearFamily)
        beforeFamily =
            spouseLinks ? GetNextSpouseFamily(nearFamily) : GetNextParentFamily(nearFamily);
    if (beforeFamily == family)
        return;
    MoveFamilyLink(family, beforeFamily, spouseLinks);
}

// No class derives from CIndRec, so the record's own type is compared: the walks over a
// million individuals ask here for every link they follow, and a dynamic_cast searches.
CIndRec* AsIndividual(CRecordNode* record)
{
    return record && typeid(*record) == typeid(CIndRec) ? static_cast<CIndRec*>(record) : nullptr;
}

const CIndRec* AsIndividual(const CRecordNode* record)
{
    return AsIndividual(const_cast<CRecordNode*>(record));
}
