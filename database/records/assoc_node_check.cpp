// database/records/assoc_node_check.cpp: CAssocNode: the checks before a link is made, the
// reciprocal link it makes, the new record at the end of a link, and the record choices the
// selection dialog offers for a link.
#include "database/records/assoc_node.h"

#include "common/abort.h"
#include "database/dictionary/record_type_table.h"
#include "database/fields/sex_node.h"
#include "database/kin/ind_rec.h"
#include "database/kin/relative_dialogs.h"
#include "database/nodes/change_tracking.h"
#include "database/records/fam_rec.h"
#include "database/records/record_id_state.h"
#include "platform/base/text.h"

namespace {

ISexQuestion* g_sexQuestion = nullptr;

bool IsOfType(const CDataNode* node, int listIndex)
{
    return node && node->IsRecord() && GetRecordTypeIndex(node->GetFieldDef()) == listIndex;
}

int SexOf(const CDataNode* node)
{
    const CIndRec* individual = AsIndividual(node ? node->GetRecord() : nullptr);
    return individual && individual == node ? individual->GetSex() : SEX_UNDETERMINED;
}

/// Sets the individual's sex on its first SEX field, made when there is none.
void StoreSex(CRecordNode* individual, int sex)
{
    CDataNode* field = individual->FindChild(nullptr, FIELD_SEX);
    if (!field)
        field = individual->CreateChildByTag("SEX");
    auto* sexField = dynamic_cast<CSexNode*>(field);
    if (!sexField)
        ThrowAbort();
    sexField->SetSex(sex);
}

int CheckIndividualLink(const CDataNode* holder, const CRecordNode* selected, int fieldId,
                        std::string& message)
{
    const CFamRec* family =
        AsFamily(holder && holder->IsRecord() ? static_cast<const CRecordNode*>(holder) : nullptr);
    bool isSpouse = false;
    if (family && family == holder && family->HasMember(selected, isSpouse)) {
        message = isSpouse ? "The selected Individual is already a parent in this family."
                           : "The selected Individual is already a child in this family.";
        return FLC_REFUSED;
    }
    const CIndRec* individual = AsIndividual(selected);
    if (fieldId == FIELD_CHIL && individual->GetNextParentFamily(nullptr)) {
        message = "The selected Individual record already has a Family (as child).  Are you sure "
                  "you want to add another one?";
        return FLC_ASK;
    }
    const int sex = individual->GetSex();
    if (fieldId == FIELD_HUSB || fieldId == FIELD_WIFE) {
        const bool husband = fieldId == FIELD_HUSB;
        if (sex == (husband ? SEX_FEMALE : SEX_MALE)) {
            message = "Wrong sex";
            return FLC_REFUSED;
        }
        if (sex == SEX_UNDETERMINED)
            return husband ? FLC_SET_MALE : FLC_SET_FEMALE;
    }
    return FLC_LINK;
}

int CheckSpouseFamilyLink(const CDataNode* holder, const CFamRec* family, std::string& message)
{
    const bool hasHusband = family->GetHusband() != nullptr;
    const bool hasWife = family->GetWife() != nullptr;
    if (hasHusband && hasWife) {
        message = "The selected Family already has both a Husband and a Wife.";
        return FLC_REFUSED;
    }
    if (!IsOfType(holder, RECORD_LIST_INDI))
        return FLC_LINK;
    const int sex = SexOf(holder);
    const bool husbandFree = !hasHusband && sex != SEX_FEMALE;
    const bool wifeFree = !hasWife && sex != SEX_MALE;
    if (!husbandFree && !wifeFree) {
        message = sex == SEX_MALE ? "The selected Family already has a Husband."
                                  : "The selected Family already has a Wife.";
        return FLC_REFUSED;
    }
    if (sex != SEX_UNDETERMINED)
        return FLC_LINK;
    if (husbandFree && wifeFree)
        return FLC_ASK_SEX;
    return husbandFree ? FLC_SET_MALE : FLC_SET_FEMALE;
}

int CheckParentFamilyLink(const CDataNode* holder, const CFamRec* family, std::string& message)
{
    const CIndRec* individual = IsOfType(holder, RECORD_LIST_INDI)
                                    ? AsIndividual(static_cast<const CRecordNode*>(holder))
                                    : nullptr;
    if (!individual)
        return FLC_LINK;
    for (const CFamRec* parents = individual->GetNextParentFamily(nullptr); parents;
         parents = individual->GetNextParentFamily(parents)) {
        if (parents == family) {
            message = "The selected Family already has this Individual as a child member.";
            return FLC_REFUSED;
        }
    }
    return FLC_LINK;
}

} // namespace

void SetSexQuestion(ISexQuestion* question)
{
    g_sexQuestion = question;
}

ISexQuestion* GetSexQuestion()
{
    return g_sexQuestion;
}

int ValidateFamilyLink(const CFieldDef* targetDef, const CDataNode* holder,
                       const CRecordNode* selected, int fieldId, std::string& message)
{
    message.clear();
    if (!selected || !targetDef || selected->GetFieldDef() != targetDef) {
        message = "Wrong record type for this link.";
        return FLC_REFUSED;
    }
    const int targetType = GetRecordTypeIndex(targetDef);
    if (targetType == RECORD_LIST_INDI && AsIndividual(selected))
        return CheckIndividualLink(holder, selected, fieldId, message);
    const CFamRec* family = AsFamily(selected);
    if (targetType == RECORD_LIST_FAM && family && fieldId == FIELD_FAMS)
        return CheckSpouseFamilyLink(holder, family, message);
    if (targetType == RECORD_LIST_FAM && family && fieldId == FIELD_FAMC)
        return CheckParentFamilyLink(holder, family, message);
    return FLC_LINK;
}

int CAssocNode::CheckLink(CRecordNode* record, bool& sexInTarget, bool& sexInOwnRecord, int& sex,
                          bool showErrors, bool noQuestions)
{
    sexInTarget = sexInOwnRecord = false;
    sex = SEX_UNSET;
    const CFieldDef* def = GetFieldDef();
    std::string message;
    const int code = ValidateFamilyLink(def ? def->GetLinkTarget() : nullptr, GetParent(), record,
                                        GetFieldId(), message);
    switch (code) {
    case FLC_REFUSED:
        if (showErrors)
            InformUser(message);
        return 0;
    case FLC_ASK:
        return noQuestions || ConfirmWithUser(message) ? 1 : 0;
    case FLC_SET_MALE:
    case FLC_SET_FEMALE:
    case FLC_ASK_SEX:
        break;
    default:
        return 1;
    }
    CRecordNode* individual = AsIndividual(record) ? record : GetRecord();
    sexInTarget = individual == record;
    sexInOwnRecord = !sexInTarget;
    if (code != FLC_ASK_SEX) {
        sex = code == FLC_SET_MALE ? SEX_MALE : SEX_FEMALE;
        return 1;
    }
    std::string name;
    if (individual)
        individual->GetText(name, 0);
    const int answer = g_sexQuestion ? g_sexQuestion->AskSex(name) : -1;
    if (answer != SEX_MALE && answer != SEX_FEMALE)
        return 0;
    sex = answer;
    return 1;
}

void CAssocNode::SetTargetWithBackLink(CRecordNode* record, bool sexInTarget, bool sexInOwnRecord,
                                       int sex)
{
    StoreTarget(record);
    CRecordNode* own = GetRecord();
    if (sexInTarget)
        StoreSex(record, sex);
    else if (sexInOwnRecord && own)
        StoreSex(own, sex);
    const std::vector<std::string>& tags = GetFieldDef()->GetValues().m_items;
    if (tags.empty() || !own)
        return;
    std::string_view tag = tags.front();
    if (tags.size() > 1) {
        const int ownSex = SexOf(own);
        if (ownSex == SEX_UNDETERMINED)
            ThrowAbort();
        tag = tags[ownSex == SEX_MALE ? 0 : 1];
    }
    auto* back = dynamic_cast<CAssocNode*>(record->CreateChildByTag(tag));
    if (!back)
        ThrowAbort();
    back->StoreTarget(own);
    MarkChanged(back);
}

CRecordNode* CAssocNode::LinkToNewRecord(bool& created)
{
    created = false;
    const int listIndex = GetTargetTypeIndex();
    CDataNode* root = listIndex == RECORD_LIST_HEAD ? nullptr : GetRecordTypeRoot(listIndex);
    CDataNode* node = root ? root->CreateChild(nullptr) : nullptr;
    if (!node)
        return nullptr;
    created = true;
    auto* record = static_cast<CRecordNode*>(node);
    bool sexInTarget = false;
    bool sexInOwnRecord = false;
    int sex = SEX_UNSET;
    if (!CheckLink(record, sexInTarget, sexInOwnRecord, sex, true, false)) {
        root->DeleteChild(record);
        return nullptr;
    }
    ClearLink();
    SetTargetWithBackLink(record, sexInTarget, sexInOwnRecord, sex);
    MarkChanged(this);
    return record;
}

std::string AddParentFamilyQuestion(int fieldId, const CDataNode* parent)
{
    const CIndRec* individual = fieldId == FIELD_FAMC && parent && parent->IsRecord()
                                    ? AsIndividual(static_cast<const CRecordNode*>(parent))
                                    : nullptr;
    if (!individual || !individual->GetNextParentFamily(nullptr))
        return {};
    return "This Individual record already has a Family (as child).  Are you sure you want to add "
           "another one?";
}

// ---- Record choices for a link ------------------------------------------------------------

namespace {

enum class LinkFilter {
    None,
    Parentless,
    NoFemales,
    NoMales,
    NoHusband,
    NoWife,
    MissingParent,
    ParentFamilies
};

/// The filter of a link of fieldId that holder (a record or a field) holds or would hold.
LinkFilter FilterOf(int fieldId, const CDataNode* holder)
{
    switch (fieldId) {
    case FIELD_CHIL:
        return LinkFilter::Parentless;
    case FIELD_HUSB:
        return LinkFilter::NoFemales;
    case FIELD_WIFE:
        return LinkFilter::NoMales;
    case FIELD_FAMS:
        switch (SexOf(holder)) {
        case SEX_MALE:
            return LinkFilter::NoHusband;
        case SEX_FEMALE:
            return LinkFilter::NoWife;
        default:
            return LinkFilter::MissingParent;
        }
    case FIELD_FAMC:
        return holder && !holder->IsRecord() && AsIndividual(holder->GetRecord())
                   ? LinkFilter::ParentFamilies
                   : LinkFilter::None;
    default:
        return LinkFilter::None;
    }
}

bool Suits(LinkFilter filter, const CRecordNode* record)
{
    const CIndRec* individual = AsIndividual(record);
    const CFamRec* family = AsFamily(record);
    switch (filter) {
    case LinkFilter::Parentless:
        return individual && !individual->GetNextParentFamily(nullptr);
    case LinkFilter::NoFemales:
        return individual && individual->GetSex() != SEX_FEMALE;
    case LinkFilter::NoMales:
        return individual && individual->GetSex() != SEX_MALE;
    case LinkFilter::NoHusband:
        return family && !family->GetHusband();
    case LinkFilter::NoWife:
        return family && !family->GetWife();
    case LinkFilter::MissingParent:
        return family && (!family->GetHusband() || !family->GetWife());
    default:
        return true;
    }
}

} // namespace

std::string GetLinkFilterLabel(int fieldId, const CDataNode* holder)
{
    switch (FilterOf(fieldId, holder)) {
    case LinkFilter::Parentless:
        return "Parentless Individuals Only";
    case LinkFilter::NoFemales:
        return "No Females";
    case LinkFilter::NoMales:
        return "No Males";
    case LinkFilter::NoHusband:
        return "No Husband";
    case LinkFilter::NoWife:
        return "No Wife";
    case LinkFilter::MissingParent:
        return "Missing Parent";
    case LinkFilter::ParentFamilies: {
        std::string name;
        holder->GetRecord()->GetText(name, 0);
        return text::Format("Parent Families of %s", name.c_str());
    }
    default:
        return {};
    }
}

std::string GetLinkFilterLabel(const CAssocNode& link)
{
    return GetLinkFilterLabel(link.GetFieldId(), link.GetParent());
}

std::vector<CRecordNode*> CollectFilteredLinkChoices(int fieldId, const CDataNode* holder,
                                                     const CDataNode* root,
                                                     const CRecordNode* excluded)
{
    std::vector<CRecordNode*> choices;
    const LinkFilter filter = FilterOf(fieldId, holder);
    if (filter == LinkFilter::ParentFamilies) {
        const CIndRec* individual = AsIndividual(holder->GetRecord());
        for (CFamRec* family = individual->GetNextParentFamily(nullptr); family;
             family = individual->GetNextParentFamily(family))
            choices.push_back(family);
        return choices;
    }
    for (CDataNode* node = root ? root->GetFirstChild() : nullptr; node;
         node = node->GetNextSibling()) {
        auto* record = static_cast<CRecordNode*>(node);
        if (filter == LinkFilter::None || (record != excluded && Suits(filter, record)))
            choices.push_back(record);
    }
    return choices;
}

std::vector<CRecordNode*> CollectFilteredLinkChoices(const CAssocNode& link,
                                                     const CRecordNode* excluded)
{
    return CollectFilteredLinkChoices(link.GetFieldId(), link.GetParent(),
                                      GetRecordTypeRoot(link.GetTargetTypeIndex()), excluded);
}
