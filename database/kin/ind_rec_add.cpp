// database/kin/ind_rec_add.cpp: CIndRec: creating new families, parents, spouses and children of an
// individual.
#include "database/kin/ind_rec.h"

#include "common/abort.h"
#include "common/preferences.h"
#include "database/dictionary/record_type_table.h"
#include "database/kin/relative_dialogs.h"
#include "database/nodes/change_tracking.h"
#include "database/records/assoc_node.h"
#include "database/records/fam_rec.h"
#include "database/records/record_id_state.h"

#include <algorithm>
#include <vector>

namespace {

/// A new family record appended under the FAM root; aborts when none can be made.
CFamRec* NewFamilyRecord()
{
    CDataNode* root = GetRecordTypeRoot(RECORD_LIST_FAM);
    CDataNode* node = root ? root->CreateChild(nullptr) : nullptr;
    CFamRec* family = node ? AsFamily(static_cast<CRecordNode*>(node)) : nullptr;
    if (!family) {
        if (node)
            root->DeleteChild(node);
        ThrowAbort();
    }
    return family;
}

} // namespace

CFamRec* CIndRec::AddFamilyLink(int fieldId, int sex, bool sexSettled, const CFamRec* nearFamily,
                                bool before, bool notify)
{
    CDataNode* field = nullptr;
    CFamRec* family = nullptr;
    try {
        CDataNode* nearLink = nearFamily ? FindLinkChild(fieldId, nearFamily) : nullptr;
        field = CreateChildById(fieldId, {.sibling = nearLink, .after = nearLink && !before});
        auto* link = dynamic_cast<CAssocNode*>(field);
        if (!link)
            ThrowAbort();
        family = NewFamilyRecord();
        link->SetTargetWithBackLink(family, false, sexSettled, sex);
        MarkChanged(link);
    } catch (...) {
        // The new link field goes too, so that no empty FAMS or FAMC is left behind.
        if (field)
            CRecordNode::DeleteChild(field);
        if (family)
            DeleteNode(family);
        EndAbandonedOperation();
        return nullptr;
    }
    if (notify)
        NotifyChanges();
    return family;
}

CFamRec* CIndRec::AddSpouseFamily(int sexHint, CFamRec* nearFamily, bool before, bool notify,
                                  bool& cancelled)
{
    cancelled = false;
    int sex = GetSex();
    const bool settle = sex == SEX_UNDETERMINED;
    if (settle) {
        std::string name;
        GetText(name, 0);
        sex = IsMaleOrFemale(sexHint) ? sexHint : AskSexOf(name);
        if (!IsMaleOrFemale(sex)) {
            cancelled = true;
            return nullptr;
        }
    }
    return AddFamilyLink(FIELD_FAMS, sex, settle, nearFamily, before, notify);
}

CFamRec* CIndRec::AddParentFamily(CFamRec* nearFamily, bool before, bool notify)
{
    return AddFamilyLink(FIELD_FAMC, SEX_UNSET, false, nearFamily, before, notify);
}

CIndRec* CIndRec::AddNewParent(int sexHint, bool& cancelled)
{
    cancelled = false;
    CFamRec* family = GetNextParentFamily(nullptr);
    const bool hasHusband = family && family->GetHusband();
    const bool hasWife = family && family->GetWife();
    if (hasHusband && hasWife)
        return nullptr;
    int sex = hasHusband ? SEX_FEMALE : hasWife ? SEX_MALE : sexHint;
    if (!IsMaleOrFemale(sex)) {
        sex = AskSexOf("new parent");
        if (!IsMaleOrFemale(sex)) {
            cancelled = true;
            return nullptr;
        }
    }
    CFamRec* madeFamily = nullptr;
    CAssocNode* link = nullptr;
    bool reused = false;
    try {
        if (!family) {
            family = madeFamily = NewFamilyRecord();
            std::vector<const CDataNode*> existing;
            for (const CDataNode* field = FindChild(nullptr, FIELD_FAMC); field;
                 field = FindChild(field, FIELD_FAMC))
                existing.push_back(field);
            link = dynamic_cast<CAssocNode*>(CreateChildById(FIELD_FAMC, {.reuseEmpty = true}));
            if (!link)
                ThrowAbort();
            reused = std::find(existing.begin(), existing.end(), link) != existing.end();
            link->SetTargetWithBackLink(family, false, false, SEX_UNSET);
            MarkChanged(link);
        }
        bool asked = false;
        CIndRec* parent = family->AddNewSpouse(sex, asked);
        if (!parent)
            ThrowAbort();
        return parent;
    } catch (...) {
        if (link && reused)
            link->ClearLink();
        else if (link)
            CRecordNode::DeleteChild(link);
        if (madeFamily)
            DeleteNode(madeFamily);
        EndAbandonedOperation();
        return nullptr;
    }
}

CIndRec* CIndRec::AddNewSpouse(CFamRec* family, int spouseSexHint, bool& cancelled)
{
    cancelled = false;
    int sex = GetSex();
    if (sex == SEX_UNDETERMINED && IsMaleOrFemale(spouseSexHint))
        sex = spouseSexHint == SEX_MALE ? SEX_FEMALE : SEX_MALE;
    CFamRec* madeFamily = nullptr;
    if (!family) {
        family = madeFamily = AddSpouseFamily(sex, nullptr, false, false, cancelled);
        if (!family)
            return nullptr;
    }
    if (sex == SEX_UNDETERMINED)
        sex = GetSex();
    CIndRec* spouse = nullptr;
    try {
        if (!IsMaleOrFemale(sex))
            ThrowAbort();
        spouse = family->AddNewSpouse(sex == SEX_MALE ? SEX_FEMALE : SEX_MALE, cancelled);
    } catch (...) {
        if (madeFamily)
            DeleteNode(madeFamily);
        EndAbandonedOperation();
        return nullptr;
    }
    if (!spouse && madeFamily)
        DeleteNode(madeFamily);
    return spouse;
}

CIndRec* CIndRec::AddNewChild(CFamRec*& family, int sexHint, bool& cancelled)
{
    cancelled = false;
    CFamRec* target = family;
    CFamRec* madeFamily = nullptr;
    if (!target) {
        const int sex = GetSex();
        target = madeFamily = AddSpouseFamily(sex == SEX_UNDETERMINED ? sexHint : sex, nullptr,
                                              false, false, cancelled);
        if (!target)
            return nullptr;
    }
    CIndRec* child = nullptr;
    try {
        child = target->AddNewChild(Prefs().m_autoAddSurnames ? target->GetHusband() : nullptr);
    } catch (...) {
        if (madeFamily)
            DeleteNode(madeFamily);
        EndAbandonedOperation();
        return nullptr;
    }
    if (!child) {
        if (madeFamily)
            DeleteNode(madeFamily);
        return nullptr;
    }
    family = target;
    return child;
}
