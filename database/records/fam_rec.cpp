// database/records/fam_rec.cpp: CFamRec: the family's partners and children, its title, sort order,
// menu and match score.
#include "database/records/fam_rec.h"

#include "common/abort.h"
#include "database/dates/date_node.h"
#include "database/dictionary/field_dictionary.h"
#include "database/document/merge_record_map.h"
#include "database/kin/ind_rec.h"
#include "database/kin/link_date_order.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/node_choice_list.h"
#include "database/nodes/node_menu.h"
#include "database/records/assoc_node.h"

#include <memory>
#include <typeinfo>
#include <utility>

namespace {

constexpr int kScoreOtherType = -10000;
constexpr int kScorePartnerPaired = 50;
constexpr int kScorePartnerNotPaired = -100;
constexpr int kScoreChildPaired = 25;

CIndRec* FirstTarget(const CDataNode* family, int fieldId)
{
    return AsIndividual(GetNextLinkTarget(family, fieldId, nullptr));
}

std::string NameOf(const CIndRec* individual)
{
    if (!individual->GetName())
        return "(no name)";
    std::string name;
    individual->GetText(name, 0);
    return name;
}

/// The submenus of a family's context menu, in the order they are added.
enum FamilyMenu { kHusband, kWife, kChild, kEvent, kMisc, kSource, kNote, kMenuCount };
constexpr const char* kMenuTitles[kMenuCount] = {"Add Husband", "Add Wife",          "Add Child",
                                                 "Add Event",   "Add Miscellaneous", "Add Source",
                                                 "Add Note"};

FamilyMenu MenuOfLink(int fieldId)
{
    switch (fieldId) {
    case FIELD_HUSB:
        return kHusband;
    case FIELD_WIFE:
        return kWife;
    case FIELD_CHIL:
        return kChild;
    case FIELD_SOUR:
        return kSource;
    case FIELD_NOTE:
        return kNote;
    default:
        return kMisc;
    }
}

/// The buffer a partner's name is taken into for the couple text.
constexpr int kCoupleNameBytes = 256;

std::string CoupleNameOf(const CIndRec* partner)
{
    if (!partner)
        return "<unknown>";
    char name[kCoupleNameBytes];
    return partner->CopyNameText(name, kCoupleNameBytes);
}

/// Partners compare as their records do; a missing partner sorts after a present one.
int ComparePartners(const CIndRec* mine, const CIndRec* theirs, int format)
{
    if (mine == theirs)
        return 0;
    if (!mine || !theirs)
        return mine ? -1 : 1;
    return mine->Compare(theirs, format);
}

const CDateNode* BirthDateOf(const CRecordNode* child)
{
    return FindBirthDate(child);
}

/// Whether the merge matched the individual with one of the family's children.
bool IsPairedWithOneOf(const CMergeRecordMap* map, const CIndRec* individual, const CFamRec& family)
{
    const CRecordNode* match = map ? map->FindMatch(individual) : nullptr;
    if (!match)
        return false;
    for (const CIndRec* child = family.GetNextChild(nullptr); child;
         child = family.GetNextChild(child)) {
        if (child == match)
            return true;
    }
    return false;
}

} // namespace

const CRuntimeClass* CFamRec::GetRuntimeClass() const
{
    return RuntimeClassOf<CFamRec>();
}

bool CFamRec::InitTags()
{
    const CFieldDef* family = FindRecordDefByTag("FAM");
    for (const char* tag : {"HUSB", "WIFE", "CHIL"}) {
        if (!FindChildDefByTag(family, tag))
            return false;
    }
    return true;
}

CIndRec* CFamRec::GetHusband() const
{
    return FirstTarget(this, FIELD_HUSB);
}

CIndRec* CFamRec::GetWife() const
{
    return FirstTarget(this, FIELD_WIFE);
}

CIndRec* CFamRec::GetNextChild(const CIndRec* after) const
{
    return AsIndividual(GetNextLinkTarget(this, FIELD_CHIL, after));
}

CIndRec* CFamRec::GetChildAt(int index, int& actualIndex) const
{
    CIndRec* last = nullptr;
    actualIndex = -1;
    for (const CDataNode* link = FindChild(nullptr, FIELD_CHIL); link;
         link = FindChild(link, FIELD_CHIL)) {
        CIndRec* child = AsIndividual(link->GetLinkTarget());
        if (!child)
            continue;
        last = child;
        if (++actualIndex == index)
            return child;
    }
    return last;
}

int CFamRec::CountChildren() const
{
    int count = 0;
    for (const CDataNode* link = FindChild(nullptr, FIELD_CHIL); link;
         link = FindChild(link, FIELD_CHIL))
        count += link->GetLinkTarget() != nullptr;
    return count;
}

bool CFamRec::HasMember(const CRecordNode* individual, bool& isSpouse) const
{
    isSpouse = false;
    if (!individual)
        return false;
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        const int id = child->GetFieldId();
        if (child->GetLinkTarget() != individual)
            continue;
        if (id == FIELD_HUSB || id == FIELD_WIFE) {
            isSpouse = true;
            return true;
        }
        if (id == FIELD_CHIL)
            return true;
    }
    return false;
}

void CFamRec::LinkChild(CIndRec* individual, CAssocNode* before)
{
    if (!individual || FindLinkChild(FIELD_CHIL, individual))
        return;
    auto* link = dynamic_cast<CAssocNode*>(CreateChildById(FIELD_CHIL, {.sibling = before}));
    if (!link)
        ThrowAbort();
    try {
        link->SetTargetWithBackLink(individual, false, false, SEX_UNSET);
    } catch (...) {
        link->SetTarget(nullptr);
        DeleteChild(link);
        throw;
    }
    MarkChanged(link);
}

void CFamRec::MoveChildLink(const CIndRec* child, const CIndRec* beforeChild)
{
    CDataNode* link = child ? FindLinkChild(FIELD_CHIL, child) : nullptr;
    if (!link)
        ThrowAbort();
    CDataNode* before = beforeChild ? FindLinkChild(FIELD_CHIL, beforeChild) : nullptr;
    if (before == link || (before && link->GetNextSibling() == before))
        return;
    UnlinkChild(link, false);
    InsertChild(link, before, true);
    MarkChanged(this);
}

bool CFamRec::LinkSpouse(CIndRec* individual, int sex)
{
    if (!individual)
        return false;
    int own = individual->GetSex();
    if (own == SEX_UNDETERMINED) {
        if (sex != SEX_MALE && sex != SEX_FEMALE)
            return false;
        own = sex;
    }
    const int fieldId = own == SEX_MALE ? FIELD_HUSB : FIELD_WIFE;
    CDataNode* field = FindChild(nullptr, fieldId);
    if (field && field->GetLinkTarget())
        return false;
    if (!field)
        field = CreateChildById(fieldId);
    auto* link = dynamic_cast<CAssocNode*>(field);
    if (!link)
        ThrowAbort();
    const bool setSex = individual->GetSex() == SEX_UNDETERMINED;
    link->SetTargetWithBackLink(individual, setSex, false, own);
    MarkChanged(link);
    return true;
}

bool CFamRec::SwapPartners()
{
    CDataNode* husband = FindChild(nullptr, FIELD_HUSB);
    CDataNode* wife = FindChild(nullptr, FIELD_WIFE);
    if (!husband)
        husband = CreateChildById(FIELD_HUSB);
    if (!wife)
        wife = CreateChildById(FIELD_WIFE);
    auto* husbandLink = dynamic_cast<CAssocNode*>(husband);
    auto* wifeLink = dynamic_cast<CAssocNode*>(wife);
    if (!husbandLink || !wifeLink)
        return false;
    CRecordNode* formerHusband = husbandLink->GetLinkTarget();
    CRecordNode* formerWife = wifeLink->GetLinkTarget();
    husbandLink->SetTarget(formerWife);
    wifeLink->SetTarget(formerHusband);
    return true;
}

void CFamRec::GetTitle(std::string& text) const
{
    const CIndRec* husband = GetHusband();
    const CIndRec* wife = GetWife();
    text = "Family of ";
    if (husband && wife)
        text += NameOf(husband) + " and " + NameOf(wife);
    else if (husband || wife)
        text += NameOf(husband ? husband : wife);
    else
        text += "(parents not known)";
}

void CFamRec::GetCoupleText(std::string& text) const
{
    text = CoupleNameOf(GetHusband()) + " and " + CoupleNameOf(GetWife());
}

// ---- Node and record operations -----------------------------------------------------------

int CFamRec::Compare(const CDataNode* other, int format) const
{
    const auto* theirs = dynamic_cast<const CFamRec*>(other);
    if (!theirs)
        return CRecordNode::Compare(other, format);
    if (const int byHusband = ComparePartners(GetHusband(), theirs->GetHusband(), format))
        return byHusband;
    return ComparePartners(GetWife(), theirs->GetWife(), format);
}

bool CFamRec::AddContextMenu(INodeMenu& menu)
{
    std::unique_ptr<INodeMenu> menus[kMenuCount];
    for (auto& popup : menus)
        popup = menu.NewPopup();
    std::unique_ptr<INodeMenu> lds = menu.NewPopup();
    for (const CFieldDef* def = GetFieldDef() ? GetFieldDef()->GetFirstChild() : nullptr; def;
         def = def->GetNextSibling()) {
        if (def->IsHidden() || def->IsNotInAddMenu() || def->HasFlag(FDF_USER_DEFINED))
            continue;
        const CFieldDef* reference = def->GetCopyReference();
        INodeMenu* target = menus[kMisc].get();
        if (reference && reference->GetLabel() == "Event")
            target = menus[kEvent].get();
        else if (def->GetDataType() == FDT_LINK && MenuOfLink(def->GetFieldId()) != kMisc)
            target = menus[MenuOfLink(def->GetFieldId())].get();
        else if (def->IsLds() || (reference && reference->IsLds()))
            target = lds.get();
        target->AppendItem(def->GetCommandId(false), "Add " + def->GetLabel(), false);
    }
    if (lds->GetItemCount() > 0)
        menus[kMisc]->AppendPopup(std::move(lds), "LDS");
    for (int i = 0; i < kMenuCount; ++i)
        menu.AppendPopup(std::move(menus[i]), kMenuTitles[i]);
    menu.AppendSeparator();
    menu.AppendItem(ID_RECORD_PROPERTIES, "Properties", false);
    return true;
}

void CFamRec::FillChoiceList(INodeChoiceList& list, bool restricted)
{
    CRecordNode::FillChoiceList(list, restricted);
    for (CIndRec* child = GetNextChild(nullptr); child; child = GetNextChild(child)) {
        std::string name;
        child->GetText(name, 0);
        const std::string label = "Child (" + name + ") ";
        for (const int fieldId : {FIELD_NAME, FIELD_BIRT, FIELD_ADOP}) {
            CDataNode* field = child->FindChild(nullptr, fieldId);
            if (!field)
                continue;
            std::string fieldLabel;
            field->GetLabel(fieldLabel);
            list.AddChoice(label + fieldLabel, field);
        }
    }
}

int CFamRec::CountLinkedChildren(bool& notApplicable) const
{
    notApplicable = false;
    return CountChildren();
}

bool CFamRec::SortChildren()
{
    return SortLinksByDate(*this, FIELD_CHIL, &BirthDateOf);
}

bool CFamRec::ContainsKeyText(std::span<const CSearchTerm> terms, bool caseSensitive) const
{
    const CIndRec* husband = GetHusband();
    const CIndRec* wife = GetWife();
    if (terms.empty())
        return false;
    for (const CSearchTerm& term : terms) {
        const std::span<const CSearchTerm> one(&term, 1);
        if (!(husband && husband->ContainsKeyText(one, caseSensitive)) &&
            !(wife && wife->ContainsKeyText(one, caseSensitive)))
            return false;
    }
    return true;
}

int CFamRec::MatchScore(const CRecordNode* other, const void* options) const
{
    const CFamRec* family = AsFamily(other);
    if (!family)
        return kScoreOtherType;
    const auto* map = static_cast<const CMergeRecordMap*>(options);
    int score = 0;
    const CIndRec* husband = GetHusband();
    const CIndRec* wife = GetWife();
    const std::pair<const CIndRec*, const CIndRec*> partners[] = {{husband, family->GetHusband()},
                                                                  {wife, family->GetWife()}};
    for (const auto& [mine, theirs] : partners) {
        if (!mine || !theirs)
            continue;
        const bool paired = map && map->FindMatch(mine) == theirs;
        score += paired ? kScorePartnerPaired : kScorePartnerNotPaired;
        if (score < 0)
            return score;
    }
    if (husband && wife)
        return score;
    for (const CIndRec* child = GetNextChild(nullptr); child; child = GetNextChild(child)) {
        if (IsPairedWithOneOf(map, child, *family))
            score += kScoreChildPaired;
    }
    return score;
}

// No class derives from CFamRec, so the record's own type is compared: the walks over a
// million individuals ask here for every link they follow, and a dynamic_cast searches.
CFamRec* AsFamily(CRecordNode* record)
{
    return record && typeid(*record) == typeid(CFamRec) ? static_cast<CFamRec*>(record) : nullptr;
}

const CFamRec* AsFamily(const CRecordNode* record)
{
    return AsFamily(const_cast<CRecordNode*>(record));
}
