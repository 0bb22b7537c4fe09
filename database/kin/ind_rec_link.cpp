// database/kin/ind_rec_link.cpp: CIndRec: linking existing individuals as spouse, child, sibling or
// parent, and unlinking an individual from a parent or spouse family.
#include "database/kin/ind_rec.h"

#include "common/abort.h"
#include "database/dictionary/record_type_table.h"
#include "database/kin/relative_dialogs.h"
#include "database/nodes/change_tracking.h"
#include "database/records/assoc_node.h"
#include "database/records/fam_rec.h"
#include "platform/base/text.h"

#include <initializer_list>
#include <utility>
#include <vector>

namespace {

constexpr const char* kSameSex =
    "The selected Individual has the same sex as %s and cannot be linked as a spouse.";
constexpr const char* kWrongParentSex =
    "The selected Individual is %s and cannot be linked as a %s.";
constexpr const char* kParentSexUnknown = "The sex of the selected Individual is not recorded.  "
                                          "Please record it before linking the Individual as a %s.";

int Opposite(int sex)
{
    return sex == SEX_MALE ? SEX_FEMALE : SEX_MALE;
}

/// The individual the user selects to link (see SelectIndividual); null when none was selected,
/// with cancelled set when the user cancelled.
CIndRec* SelectToLink(const CIndRec& holder, const CFamRec* family, const char* title, int filter,
                      bool filterOn, bool& cancelled)
{
    CIndRec* chosen = nullptr;
    if (!SelectIndividual(holder, family, title, filter, filterOn, chosen))
        cancelled = true;
    return chosen;
}

/// The family-choice dialog; false with cancelled set when cancelled. The chosen family is null
/// when the user asked for a new one.
bool ChooseFamily(int mode, CIndRec& subject, CIndRec& other, CFamRec*& chosen, bool& cancelled)
{
    IRelativeDialogs* dialogs = GetRelativeDialogs();
    CFamilyChoice choice;
    if (!dialogs || !dialogs->ChooseFamily(mode, &subject, &other, choice)) {
        cancelled = true;
        return false;
    }
    chosen = choice.m_useSelected ? choice.m_family : nullptr;
    return true;
}

/// The place a person of unrecorded sex takes in family: husband when that place is free.
int FreePlaceSex(const CFamRec& family)
{
    return family.GetHusband() ? SEX_FEMALE : SEX_MALE;
}

/// Links person as a partner in family (sex for an unrecorded sex); a refusal says why and
/// aborts.
void LinkPartner(CFamRec& family, CIndRec& person, int sex)
{
    if (!family.LinkSpouseOrSayWhy(&person, sex))
        ThrowAbort();
}

/// Whether one of the individual's spouse families lacks the partner it could take.
bool HasFreeSpousePlace(const CIndRec& individual)
{
    const int sex = individual.GetSex();
    for (const CFamRec* family = individual.GetNextSpouseFamily(nullptr); family;
         family = individual.GetNextSpouseFamily(family)) {
        const bool noHusband = !family->GetHusband();
        const bool noWife = !family->GetWife();
        if ((sex != SEX_MALE && noHusband) || (sex != SEX_FEMALE && noWife))
            return true;
    }
    return false;
}

/// Settles the sexes of two people to be linked as spouses: an unrecorded sex becomes the
/// other's opposite, and when neither is recorded the user is asked about chosen. False when
/// the user cancels (cancelled set) or both have the same sex (said why).
bool SettleSpouseSexes(CIndRec& individual, CIndRec& chosen, bool& cancelled)
{
    const int mine = individual.GetSex();
    const int theirs = chosen.GetSex();
    if (IsMaleOrFemale(mine) && IsMaleOrFemale(theirs)) {
        if (mine != theirs)
            return true;
        InformUser(text::Format(kSameSex, NodeText(&individual).c_str()));
        return false;
    }
    if (IsMaleOrFemale(mine)) {
        chosen.SetSex(Opposite(mine), false);
        return true;
    }
    int sex = theirs;
    if (!IsMaleOrFemale(sex)) {
        sex = AskSexOf(NodeText(&chosen));
        if (!IsMaleOrFemale(sex)) {
            cancelled = true;
            return false;
        }
        chosen.SetSex(sex, false);
    }
    individual.SetSex(Opposite(sex), false);
    return true;
}

/// Puts the sexes the people had back when it goes, unless the link they were settled for was
/// made: a link that fails leaves no sex recorded for it.
class CSexesUndo {
public:
    explicit CSexesUndo(std::initializer_list<CIndRec*> people)
    {
        for (CIndRec* person : people)
            m_former.emplace_back(person, person->GetSex());
    }
    ~CSexesUndo()
    {
        if (!m_kept)
            for (const auto& [person, sex] : m_former)
                person->SetSex(sex, true);
    }
    CSexesUndo(const CSexesUndo&) = delete;
    CSexesUndo& operator=(const CSexesUndo&) = delete;

    void Keep() { m_kept = true; }

private:
    std::vector<std::pair<CIndRec*, int>> m_former;
    bool m_kept = false;
};

/// Whether chosen may be linked as a parent of the wanted sex (SEX_UNDETERMINED: any); a
/// refusal says why.
bool AcceptsParentSex(const CIndRec& chosen, int wanted)
{
    const int sex = chosen.GetSex();
    if (!IsMaleOrFemale(wanted) || sex == wanted)
        return true;
    const char* role = wanted == SEX_MALE ? "father" : "mother";
    if (IsMaleOrFemale(sex))
        InformUser(text::Format(kWrongParentSex, sex == SEX_MALE ? "male" : "female", role));
    else
        InformUser(text::Format(kParentSexUnknown, role));
    return false;
}

/// Runs link on the family the user chose from a list; family becomes it and linked is set. A
/// failure ends the abandoned operation; false then.
template <typename Link>
bool LinkIntoChosenFamily(CFamRec* chosen, CFamRec*& family, bool& linked, Link&& link)
{
    try {
        link();
    } catch (...) {
        EndAbandonedOperation();
        return false;
    }
    family = chosen;
    linked = true;
    return true;
}

/// Runs link on family, or on a family made by make when family is null (family becomes it). A
/// failure deletes the made family and ends the abandoned operation. False when make gave no
/// family or the link failed.
template <typename Make, typename Link>
bool LinkIntoFamily(CFamRec*& family, Make&& make, Link&& link)
{
    CFamRec* made = nullptr;
    try {
        CFamRec* target = family;
        if (!target)
            target = made = make();
        if (!target)
            return false;
        link(*target);
    } catch (...) {
        if (made)
            CDataNode::DeleteNode(made);
        EndAbandonedOperation();
        return false;
    }
    if (!family)
        family = made;
    return true;
}

} // namespace

bool CIndRec::JoinChosenFamilyAsChild(CFamRec* chosen, CFamRec*& family, const CFamRec* nearFamily,
                                      bool before, bool& linked)
{
    return LinkIntoChosenFamily(chosen, family, linked, [&] {
        chosen->LinkChild(this, nullptr);
        PlaceChosenFamilyLink(chosen, nearFamily, before, false);
    });
}

CIndRec* CIndRec::LinkExistingSpouse(CFamRec*& family, CFamRec* nearFamily, bool before,
                                     bool& linked, bool& cancelled, bool notify)
{
    linked = cancelled = false;
    const int sex = GetSex();
    const char* title = sex == SEX_MALE     ? "Select Individual to Link as Wife"
                        : sex == SEX_FEMALE ? "Select Individual to Link as Husband"
                                            : "Select Individual to Link as Spouse";
    const int filter = sex == SEX_MALE ? FIELD_WIFE : sex == SEX_FEMALE ? FIELD_HUSB : 0;
    CIndRec* chosen = SelectToLink(*this, family, title, filter, filter != 0, cancelled);
    if (!chosen)
        return nullptr;
    CFamRec* listed = nullptr;
    if (!family && HasFreeSpousePlace(*this) &&
        !ChooseFamily(FCM_SPOUSE, *this, *chosen, listed, cancelled))
        return nullptr;
    if (listed) {
        if (!LinkIntoChosenFamily(listed, family, linked, [&] {
                LinkPartner(*listed, *chosen,
                            IsMaleOrFemale(sex) ? Opposite(sex) : FreePlaceSex(*listed));
                PlaceChosenFamilyLink(listed, nearFamily, before, true);
            }))
            return nullptr;
    } else {
        CSexesUndo undo{this, chosen};
        if (!SettleSpouseSexes(*this, *chosen, cancelled))
            return nullptr;
        if (!LinkIntoFamily(
                family,
                [&] {
                    bool asked = false;
                    return AddSpouseFamily(GetSex(), nearFamily, before, false, asked);
                },
                [&](CFamRec& target) { LinkPartner(target, *chosen, Opposite(GetSex())); }))
            return nullptr;
        undo.Keep();
    }
    if (notify)
        NotifyChanges();
    return chosen;
}

CIndRec* CIndRec::LinkExistingChild(CFamRec*& family, CFamRec* nearFamily, bool before,
                                    bool& linked, bool& cancelled, bool notify,
                                    CAssocNode* childBefore)
{
    linked = cancelled = false;
    CIndRec* chosen = SelectToLink(*this, family, "Select Individual to Link as Child", FIELD_CHIL,
                                   false, cancelled);
    if (!chosen)
        return nullptr;
    CFamRec* listed = nullptr;
    if (!family && chosen->GetNextParentFamily(nullptr) &&
        !ChooseFamily(FCM_PARENT_AND_CHILD, *chosen, *this, listed, cancelled))
        return nullptr;
    if (listed) {
        if (!LinkIntoChosenFamily(listed, family, linked, [&] {
                LinkPartner(*listed, *this,
                            IsMaleOrFemale(GetSex()) ? GetSex() : FreePlaceSex(*listed));
                PlaceChosenFamilyLink(listed, nearFamily, before, true);
            }))
            return nullptr;
    } else if (!LinkIntoFamily(
                   family,
                   [&] {
                       return AddSpouseFamily(SEX_UNDETERMINED, nullptr, false, false, cancelled);
                   },
                   [&](CFamRec& target) { target.LinkChild(chosen, childBefore); })) {
        return nullptr;
    }
    if (notify)
        NotifyChanges();
    return chosen;
}

CIndRec* CIndRec::LinkExistingSibling(CFamRec*& family, CFamRec* nearFamily, bool before,
                                      bool& linked, bool& cancelled, bool notify)
{
    linked = cancelled = false;
    CIndRec* chosen =
        SelectToLink(*this, nullptr, "Select Individual to Link as Child", 0, false, cancelled);
    if (!chosen)
        return nullptr;
    CFamRec* listed = nullptr;
    if (chosen->GetNextParentFamily(nullptr) &&
        !ChooseFamily(FCM_CHILDREN, *chosen, *this, listed, cancelled))
        return nullptr;
    if (listed) {
        if (!JoinChosenFamilyAsChild(listed, family, nearFamily, before, linked))
            return nullptr;
    } else {
        CFamRec* made = nullptr;
        if (!LinkIntoFamily(
                made, [&] { return AddParentFamily(nearFamily, before, false); },
                [&](CFamRec& target) { target.LinkChild(chosen, nullptr); }))
            return nullptr;
        family = made;
    }
    if (notify)
        NotifyChanges();
    return chosen;
}

CIndRec* CIndRec::LinkExistingParent(CFamRec*& family, CFamRec* nearFamily, bool before,
                                     bool& linked, bool& cancelled, bool notify)
{
    linked = cancelled = false;
    const bool hasHusband = family && family->GetHusband();
    const bool hasWife = family && family->GetWife();
    if (hasHusband && hasWife)
        return nullptr;
    const int wanted = hasHusband ? SEX_FEMALE : hasWife ? SEX_MALE : SEX_UNDETERMINED;
    const char* title = wanted == SEX_FEMALE ? "Select Individual to Link as Mother"
                        : wanted == SEX_MALE ? "Select Individual to Link as Father"
                                             : "Select Individual to Link as Parent";
    const int filter = wanted == SEX_FEMALE ? FIELD_WIFE : wanted == SEX_MALE ? FIELD_HUSB : 0;
    CIndRec* chosen = SelectToLink(*this, family, title, filter, filter != 0, cancelled);
    if (!chosen)
        return nullptr;
    CFamRec* listed = nullptr;
    if (!family && chosen->GetNextSpouseFamily(nullptr) &&
        !ChooseFamily(FCM_CHILD_AND_PARENT, *chosen, *this, listed, cancelled))
        return nullptr;
    if (listed) {
        if (!JoinChosenFamilyAsChild(listed, family, nearFamily, before, linked))
            return nullptr;
    } else {
        if (!AcceptsParentSex(*chosen, wanted))
            return nullptr;
        CSexesUndo undo{chosen};
        int sex = chosen->GetSex();
        if (!IsMaleOrFemale(sex)) {
            sex = AskSexOf(NodeText(chosen));
            if (!IsMaleOrFemale(sex)) {
                cancelled = true;
                return nullptr;
            }
            chosen->SetSex(sex, false);
        }
        if (!LinkIntoFamily(
                family, [&] { return AddParentFamily(nearFamily, before, false); },
                [&](CFamRec& target) { LinkPartner(target, *chosen, sex); }))
            return nullptr;
        undo.Keep();
    }
    if (notify)
        NotifyChanges();
    return chosen;
}

// ---- Unlinking ----------------------------------------------------------------------------

namespace {

/// Asks which parent (spouse) family to leave and deletes the individual's first link to it.
bool UnlinkFromFamily(CIndRec* individual, bool spouse)
{
    if (!individual)
        return false;
    std::vector<CRecordNode*> families;
    for (CFamRec* family = spouse ? individual->GetNextSpouseFamily(nullptr)
                                  : individual->GetNextParentFamily(nullptr);
         family; family = spouse ? individual->GetNextSpouseFamily(family)
                                 : individual->GetNextParentFamily(family))
        families.push_back(family);
    if (families.empty()) {
        const char* format =
            spouse ? "The selected individual, %s, does not have a spouse to unlink from."
                   : "The selected individual, %s, does not have a parent family to unlink from.";
        InformUser(text::Format(format, NodeText(individual).c_str()));
        return false;
    }
    try {
        IRelativeDialogs* dialogs = GetRelativeDialogs();
        CRecordNode* selected = nullptr;
        const RecordListAnswer answer =
            dialogs ? dialogs->ChooseFromList(spouse ? "Select spouse family to unlink from"
                                                     : "Select parent family to unlink from",
                                              families, selected)
                    : RLA_CANCEL;
        if (answer == RLA_NO_MEMORY)
            InformUser("Memory error");
        CDataNode* link =
            answer == RLA_OK && selected
                ? individual->FindLinkChild(spouse ? FIELD_FAMS : FIELD_FAMC, selected)
                : nullptr;
        if (!link)
            return false;
        individual->DeleteChild(link);
        NotifyChanges();
        return true;
    } catch (...) {
        if (EndAbandonedOperation() == AbandonCause::Aborted)
            InformUser("An error has occurred");
        return false;
    }
}

} // namespace

bool UnlinkFromParentFamily(CIndRec* individual)
{
    return UnlinkFromFamily(individual, false);
}

bool UnlinkFromSpouseFamily(CIndRec* individual)
{
    return UnlinkFromFamily(individual, true);
}
