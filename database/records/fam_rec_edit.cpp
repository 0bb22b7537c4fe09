// database/records/fam_rec_edit.cpp: CFamRec: creating new partners and children, and linking
// existing individuals as partner or child on the user's behalf.
#include "database/records/fam_rec.h"

#include "common/abort.h"
#include "database/dictionary/record_type_table.h"
#include "database/fields/name_node.h"
#include "database/fields/text_value_node.h"
#include "database/kin/ind_rec.h"
#include "database/kin/relative_dialogs.h"
#include "database/nodes/change_tracking.h"
#include "database/records/assoc_node.h"
#include "database/records/record_id_state.h"

namespace {

/// The buffer a surname is taken into for a new child's name.
constexpr int kSurnameBytes = 120;

/// A new individual appended under the INDI root; aborts when none can be made.
CIndRec* NewIndividualRecord()
{
    CDataNode* root = GetRecordTypeRoot(RECORD_LIST_INDI);
    CDataNode* node = root ? root->CreateChild(nullptr) : nullptr;
    CIndRec* individual = node ? AsIndividual(static_cast<CRecordNode*>(node)) : nullptr;
    if (!individual) {
        if (node)
            root->DeleteChild(node);
        ThrowAbort();
    }
    return individual;
}

/// Gives the individual's NAME (made when there is none) the surname of from, if it has one.
void TakeSurname(CIndRec& individual, const CIndRec& from)
{
    const CNameNode* name = from.GetName();
    char surname[kSurnameBytes] = "";
    if (!name || name->GetSurname(surname, kSurnameBytes) == 0)
        return;
    CDataNode* field = individual.FindChild(nullptr, FIELD_NAME);
    if (!field)
        field = individual.CreateChildById(FIELD_NAME);
    if (!field)
        ThrowAbort();
    SetTextValue(field, "/" + std::string(surname) + "/");
}

} // namespace

bool CFamRec::LinkSpouseOrSayWhy(CIndRec* individual, int sex)
{
    if (LinkSpouse(individual, sex))
        return true;
    const int own = individual ? individual->GetSex() : SEX_UNDETERMINED;
    const int place = IsMaleOrFemale(own) ? own : sex;
    if (place == SEX_MALE && GetHusband())
        InformUser("This family already has a father/husband");
    else if (place == SEX_FEMALE && GetWife())
        InformUser("This family already has a mother/wife");
    return false;
}

CIndRec* CFamRec::AddNewChild(const CIndRec* surnameFrom)
{
    CIndRec* child = NewIndividualRecord();
    try {
        if (surnameFrom)
            TakeSurname(*child, *surnameFrom);
        LinkChild(child, nullptr);
    } catch (...) {
        DeleteNode(child);
        throw;
    }
    return child;
}

CIndRec* CFamRec::AddNewSpouse(int sex, bool& cancelled)
{
    cancelled = false;
    const bool hasHusband = GetHusband() != nullptr;
    const bool hasWife = GetWife() != nullptr;
    if (hasHusband && hasWife)
        return nullptr;
    if (hasHusband || hasWife) {
        sex = hasHusband ? SEX_FEMALE : SEX_MALE;
    } else if (!IsMaleOrFemale(sex)) {
        sex = AskSexOf("new parent/spouse");
        if (!IsMaleOrFemale(sex)) {
            cancelled = true;
            return nullptr;
        }
    }
    CIndRec* spouse = NewIndividualRecord();
    const int fieldId = sex == SEX_MALE ? FIELD_HUSB : FIELD_WIFE;
    CDataNode* made = nullptr;
    try {
        CDataNode* field = FindChild(nullptr, fieldId);
        if (!field)
            field = made = CreateChildById(fieldId);
        auto* link = dynamic_cast<CAssocNode*>(field);
        if (!link)
            ThrowAbort();
        link->SetTargetWithBackLink(spouse, true, false, sex);
        MarkChanged(link);
    } catch (...) {
        if (made)
            DeleteChild(made);
        DeleteNode(spouse);
        throw;
    }
    return spouse;
}

bool CFamRec::LinkExistingParent(bool notify)
{
    const bool hasHusband = GetHusband() != nullptr;
    const bool hasWife = GetWife() != nullptr;
    if (hasHusband && hasWife)
        return false;
    const char* title = hasWife      ? "Select Individual to Link as Father"
                        : hasHusband ? "Select Individual to Link as Mother"
                                     : "Select Individual to Link as Parent";
    const int filter = hasWife ? FIELD_HUSB : hasHusband ? FIELD_WIFE : 0;
    CIndRec* chosen = nullptr;
    if (!SelectIndividual(*this, this, title, filter, filter != 0, chosen) || !chosen)
        return false;
    int sex = chosen->GetSex();
    if (!IsMaleOrFemale(sex)) {
        sex = AskSexOf(NodeText(chosen));
        if (!IsMaleOrFemale(sex))
            return false;
    }
    try {
        if (!LinkSpouseOrSayWhy(chosen, sex))
            return false;
    } catch (...) {
        EndAbandonedOperation();
        return false;
    }
    if (notify)
        NotifyChanges();
    return true;
}

CIndRec* CFamRec::LinkExistingChild(const char* title, const CIndRec* beforeChild, bool notify)
{
    CIndRec* chosen = nullptr;
    if (!SelectIndividual(*this, this, title, FIELD_CHIL, false, chosen) || !chosen)
        return nullptr;
    try {
        LinkChild(chosen, nullptr);
        if (beforeChild)
            MoveChildLink(chosen, beforeChild);
    } catch (...) {
        EndAbandonedOperation();
        return nullptr;
    }
    if (notify)
        NotifyChanges();
    return chosen;
}
