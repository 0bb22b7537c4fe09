// diagrams/window/rel_tree_edit_add.cpp: the additions the drop menu of the add-relative drag
// runs (CRelTreeEditor): a child, a parent or a spouse at a box, as a new record or by linking an
// existing one, each through the records' own operations and announced once; then the relative's
// box is selected and shown. Also the record made for a spouse box shown without one.
#include "diagrams/window/rel_tree_editor.h"

#include "database/dictionary/field_ids.h"
#include "database/kin/ind_rec.h"
#include "database/kin/relative_dialogs.h"
#include "database/nodes/change_tracking.h"
#include "database/records/assoc_node.h"
#include "database/records/fam_rec.h"
#include "diagrams/diag_ancestor_elem.h"
#include "diagrams/diag_family_elem.h"
#include "diagrams/diagram_document.h"
#include "diagrams/window/rel_tree_mouse.h"
#include "platform/base/abandon.h"
#include "platform/base/prompt.h"
#include "platform/ui/windows/wnd.h"

#include <vector>

namespace {

constexpr const char* kError = "An error has occurred.";
constexpr const char* kSpouseError =
    "An error has occurred.  Operation may not have completed successfully.";
constexpr const char* kNoMemory =
    "Insufficient memory to perform operation.\nClose other applications and retry.";
constexpr const char* kLimitsCaption = "Diagram Limits Reached";
constexpr const char* kNoSpouseRecord = "There is no Individual record corresponding to this box "
                                        "on the diagram.  Do you wish to create one?";
constexpr const char* kNoSpouseRecordCaption = "Create new record?";
constexpr const char* kParentsBeyondLimits =
    "The current diagram options do not allow this person's parents to be\ndisplayed.  Do you "
    "wish to revise the diagram options?";
constexpr const char* kChildrenBeyondLimits =
    "The current diagram options do not allow this person's children to be\ndisplayed.  Do you "
    "wish to revise the diagram options?";

/// Sex hint that leaves an undetermined sex to be asked.
constexpr int kAskSex = SEX_UNDETERMINED;

/// The family the box's children belong to, and the person whose family it is.
struct ChildPlace {
    CIndRec* person = nullptr;
    CFamRec* family = nullptr;
    bool descendantSide = false;
    /// The family box whose children the new child joins (descendant side only).
    const CDiagFamilyElem* familyBox = nullptr;
};

/// Where a child added at the box goes; familyBelow is the family shown below an ancestor box.
ChildPlace PlaceOfChild(CDiagElem& box, CFamRec* familyBelow)
{
    ChildPlace place;
    if (box.GetKind() == kAncestorElem) {
        place.person = box.GetIndividual();
        place.family = familyBelow;
        return place;
    }
    CDiagFamilyElem* familyBox = box.GetKind() == kSpouseElem
                                     ? &static_cast<CDiagDescendantElem&>(box).FamilyBox()
                                     : dynamic_cast<CDiagFamilyElem*>(&box);
    if (!familyBox)
        return place;
    place.person = familyBox->GetIndividual();
    place.family = familyBox->GetFamily();
    place.descendantSide = true;
    place.familyBox = familyBox;
    return place;
}

/// Runs an addition under a guard: false when it was abandoned (the data keeps what the
/// record operations completed).
template <class Fn> bool Guarded(Fn fn)
{
    try {
        fn();
        return true;
    } catch (...) {
        EndAbandonedOperation();
        return false;
    }
}

} // namespace

int CRelTreeEditor::LimitPassedByAddition(CDiagElem& box, int zone) const
{
    const CDiagRowSet* rowSet = m_doc.RowSet();
    if (!rowSet || m_doc.Settings().m_diagramType != kAllRelativesDiagram)
        return kZoneNone;
    if (zone == kZoneParent) {
        // Below the root row a new parent joins the family box shown above the person.
        const bool topOfBranch = box.GetKind() == kAncestorElem ||
                                 (box.GetKind() == kFamilyElem &&
                                  !static_cast<CDiagFamilyElem&>(box).FamilyLink()->m_parentBox);
        return topOfBranch && box.GetGeneration() >= rowSet->m_ancestorGenerations ? kZoneParent
                                                                                   : kZoneNone;
    }
    if (zone == kZoneChild) {
        const ChildPlace place = PlaceOfChild(box, AncestorFamily(box));
        return place.familyBox && m_doc.IsAtDescendantLimit(place.familyBox->GetGeneration())
                   ? kZoneChild
                   : kZoneNone;
    }
    return kZoneNone;
}

void CRelTreeEditor::AddChildFromDiagram(CDiagElem& box, bool link, CDiagElem* neighbour)
{
    ChildPlace place = PlaceOfChild(box, AncestorFamily(box));
    CIndRec* person = place.person;
    if (!person)
        return;
    const int limit = LimitPassedByAddition(box, kZoneChild);
    CFamRec* family = place.family;
    CIndRec* before = neighbour ? neighbour->GetIndividual() : nullptr;
    if (!family && place.descendantSide && m_doc.Settings().m_spouseOption == 0 &&
        person->CountSpouseFamilies(false) >= 2) {
        std::vector<CRecordNode*> families;
        for (CFamRec* each = person->GetNextSpouseFamily(nullptr); each;
             each = person->GetNextSpouseFamily(each))
            families.push_back(each);
        IRelativeDialogs* dialogs = GetRelativeDialogs();
        CRecordNode* chosen = nullptr;
        const RecordListAnswer answer =
            dialogs ? dialogs->ChooseFromList("Select family for new child", families, chosen)
                    : RLA_CANCEL;
        if (answer == RLA_NO_MEMORY)
            MessageBox("Memory error");
        if (answer != RLA_OK || !chosen)
            return;
        family = static_cast<CFamRec*>(chosen);
    }
    // The neighbour counts only while it is a child of that family.
    bool isSpouse = false;
    if (before && !(family && family->HasMember(before, isSpouse) && !isSpouse))
        before = nullptr;
    CIndRec* child = nullptr;
    bool cancelled = false;
    const bool completed = Guarded([&] {
        if (link) {
            auto* beforeLink =
                before ? dynamic_cast<CAssocNode*>(family->FindLinkChild(FIELD_CHIL, before))
                       : nullptr;
            bool linked = false;
            child = person->LinkExistingChild(family, nullptr, false, linked, cancelled, true,
                                              beforeLink);
            return;
        }
        child = person->AddNewChild(family, kAskSex, cancelled);
        if (child && before)
            family->MoveChildLink(child, before);
        NotifyChanges();
    });
    if (!completed) {
        NotifyChanges();
        MessageBox(kError);
        return;
    }
    if (!child) {
        if (!cancelled && !link)
            MessageBox(kError);
        return;
    }
    ShowAddedRelative(child, !link, limit);
}

void CRelTreeEditor::AddParentFromDiagram(CDiagElem& box, bool link)
{
    CIndRec* person = box.GetIndividual();
    if (!person)
        return;
    const int limit = LimitPassedByAddition(box, kZoneParent);
    CIndRec* parent = nullptr;
    bool cancelled = false;
    const bool completed = Guarded([&] {
        if (link) {
            CFamRec* family = person->GetNextParentFamily(nullptr);
            bool linked = false;
            parent = person->LinkExistingParent(family, nullptr, false, linked, cancelled, true);
            return;
        }
        parent = person->AddNewParent(kAskSex, cancelled);
        NotifyChanges();
    });
    if (!completed) {
        NotifyChanges();
        MessageBox(kError);
        return;
    }
    if (!parent) {
        // A link the user left without a choice, or one refused with its reason, is no error.
        if (!cancelled && !link)
            MessageBox(kNoMemory);
        return;
    }
    ShowAddedRelative(parent, !link, limit);
}

void CRelTreeEditor::AddSpouseFromDiagram(CDiagElem& box, bool link, int zone, CDiagElem* neighbour)
{
    CIndRec* person = box.GetIndividual();
    if (!person)
        return;
    const bool before = zone == kZoneSpouseLeft;
    CFamRec* family = nullptr;
    CFamRec* nearFamily = nullptr;
    if (box.GetKind() == kAncestorElem) {
        family = PlaceOfChild(box, AncestorFamily(box)).family;
    } else if (neighbour) {
        // A spouse box without a spouse is that family's empty place; another spouse box
        // places the new family beside its own.
        if (neighbour->GetIndividual())
            nearFamily = neighbour->GetFamily();
        else
            family = neighbour->GetFamily();
    }
    CIndRec* spouse = nullptr;
    CFamRec* made = nullptr;
    bool cancelled = false;
    const bool completed = Guarded([&] {
        if (link) {
            bool linked = false;
            spouse =
                person->LinkExistingSpouse(family, nearFamily, before, linked, cancelled, true);
            return;
        }
        if (!family)
            family = made = person->AddSpouseFamily(kAskSex, nearFamily, before, false, cancelled);
        if (family)
            spouse = person->AddNewSpouse(family, kAskSex, cancelled);
    });
    if (!spouse && made)
        CDataNode::DeleteNode(made);
    NotifyChanges();
    if (!completed || (!spouse && !cancelled && !link)) {
        MessageBox(kSpouseError);
        return;
    }
    if (spouse)
        ShowAddedRelative(spouse, !link, kZoneNone);
}

void CRelTreeEditor::OfferSpouseRecord(CDiagElem& placeholder)
{
    const CDiagElem* partner = placeholder.GetPartner();
    CIndRec* person = partner ? partner->GetIndividual() : nullptr;
    CFamRec* family = placeholder.GetFamily();
    if (!person || !family ||
        MessageBox(kNoSpouseRecord, MB_OKCANCEL | MB_ICONQUESTION, kNoSpouseRecordCaption) != IDOK)
        return;
    CIndRec* spouse = nullptr;
    bool cancelled = false;
    const bool completed =
        Guarded([&] { spouse = person->AddNewSpouse(family, kAskSex, cancelled); });
    // The update replaces the placeholder with the new spouse's box.
    NotifyChanges();
    if (!completed) {
        MessageBox(kSpouseError);
        return;
    }
    if (CDiagElem* shown = spouse ? ShownBoxOf(spouse) : nullptr)
        m_view.SelectBox(shown, true, true);
}

void CRelTreeEditor::ShowAddedRelative(CIndRec* relative, bool created, int limit)
{
    CDiagElem* box = ShownBoxOf(relative);
    if (!box && limit != kZoneNone) {
        // The generation limits leave the relative out: offer to change them.
        const char* question = limit == kZoneParent ? kParentsBeyondLimits : kChildrenBeyondLimits;
        if (MessageBox(question, MB_YESNO, kLimitsCaption) == IDYES)
            m_view.OpenOptions();
        return;
    }
    if (!box && m_doc.HasTree()) {
        // The update did not bring the relative in where it was added: build again.
        m_view.RebuildDiagram();
        box = ShownBoxOf(relative);
    }
    if (box) {
        m_view.SelectBox(box, true, true);
        CRect client;
        m_view.Window().GetClientRect(&client);
        const CPoint centre = m_view.ToDevice(box->GetCentre());
        if (!client.PtInRect(centre)) {
            const CPoint target = box->GetCentre();
            m_view.ScrollToPoint(target.x, target.y, client.Width() / 2, client.Height() / 2, true);
        }
    }
    if (created && box)
        m_view.OpenAddedRecordProperties();
}
