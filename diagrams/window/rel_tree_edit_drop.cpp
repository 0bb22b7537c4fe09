// diagrams/window/rel_tree_edit_drop.cpp: the editor's side of the add-relative drag (which the
// mouse, rel_tree_drag.cpp, follows): why the relation of a zone around a box (parent above,
// spouse beside, child below) cannot be added, and on release the drop menu and the addition of a
// new or an existing record (rel_tree_edit_add.cpp).
#include "diagrams/window/rel_tree_editor.h"

#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "diagrams/diag_ancestor_elem.h"
#include "diagrams/diag_family_elem.h"
#include "diagrams/diagram_document.h"
#include "diagrams/window/rel_tree_mouse.h"
#include "platform/ui/frames/menu.h"
#include "platform/ui/windows/wnd.h"

#include <cstdlib>

using namespace diagram_cmd;

namespace {

constexpr const char* kOnlyDescendants =
    "Can't add parent - this diagram only displays descendants";
constexpr const char* kBothParents = "Can't add parent - this person already has both parents";
constexpr const char* kParentNeedsSpouses =
    "Can't add parent - you must enable separate display of spouses first (see diagram options)";
constexpr const char* kParentsOfSpouses =
    "Can't add parent - this diagram does not display parents of spouses";
constexpr const char* kOnlyAncestors = "Can't add spouse - this diagram only displays ancestors";
constexpr const char* kSpouseNeedsSpouses =
    "Can't add spouse - you must enable separate display of spouses first (see diagram options)";
constexpr const char* kSpousesOfSpouses =
    "Can't add spouse - this diagram does not display other spouses of spouses";
constexpr const char* kSpousesOfAncestors =
    "Can't add spouse - this diagram only displays spouses of ancestors if they also are ancestors";
constexpr const char* kSpouseWrongPlace =
    "You CAN add another spouse for this person - but this is the wrong place in the diagram to do "
    "it";
constexpr const char* kChildrenOfAncestors =
    "Can't add child - this diagram does not display children of ancestors";
constexpr const char* kChildWrongPlace =
    "You CAN add a child for this person - but this is the wrong place in the diagram to do it";

/// The message of a refusal the layout engine gives by string id.
const char* RefusalText(int id)
{
    switch (id) {
    case kBothParentsShownId:
        return kBothParents;
    case kAncestorLimitId:
        return "Can't add parent - you have reached the diagram limits for ancestors (see diagram "
               "options)";
    case kOtherParentHiddenId:
        return "Can't add parent - other parent is hidden (click on button to show)";
    case kChildrenNotAllowedId:
        return "Can't add child - the current diagram options do not allow children of this "
               "relative to be displayed (see diagram options)";
    case kOtherChildrenHiddenId:
        return "Can't add child - other children are hidden (click on button to show)";
    default:
        return kDiagNoRelativeText;
    }
}

/// Whether the person's first parent family holds both partners.
bool HasBothParents(const CIndRec* person)
{
    const CFamRec* family = person ? person->GetNextParentFamily(nullptr) : nullptr;
    return family && family->GetHusband() && family->GetWife();
}

/// A box of the root row or below it standing for a person (not a spouse beside one).
CDiagFamilyElem* AsFamilyBox(CDiagElem& box)
{
    return box.GetKind() == kFamilyElem ? static_cast<CDiagFamilyElem*>(&box) : nullptr;
}

/// The family box whose children a drop below the box joins: the box itself or, for a spouse
/// box, the family box beside it.
CDiagFamilyElem* ChildrenBox(CDiagElem& box)
{
    if (box.GetKind() == kSpouseElem)
        return &static_cast<CDiagDescendantElem&>(box).FamilyBox();
    return AsFamilyBox(box);
}

} // namespace

std::string CRelTreeEditor::DropRefusal(const CDiagElem& constBox, int zone) const
{
    const CDiagramSettings& settings = m_doc.Settings();
    CDiagElem& box = const_cast<CDiagElem&>(constBox);
    const int type = settings.m_diagramType;
    const int kind = box.GetKind();
    const CDiagFamilyElem* person = AsFamilyBox(box);
    const bool rootRow = person && !person->FamilyLink()->m_parentBox;
    switch (zone) {
    case kZoneParent:
        if (kind == kSpouseElem)
            return kParentsOfSpouses;
        if (kind == kAncestorElem) {
            if (type == kDescendantsDiagram)
                return kOnlyDescendants;
            const int refusal = static_cast<CDiagAncestorElem&>(box).CanAddParent();
            return refusal ? RefusalText(refusal) : "";
        }
        if (!person)
            return kDiagNoRelativeText;
        if (rootRow && type == kDescendantsDiagram && m_doc.RootKind() == 0)
            return kOnlyDescendants;
        if (HasBothParents(person->GetIndividual()))
            return kBothParents;
        // Below the root row the parents are a family box and its spouse box: with spouses
        // shown the missing parent is added as that family's spouse.
        if (!rootRow && settings.m_spouseOption == 2)
            return kParentNeedsSpouses;
        return "";
    case kZoneSpouseLeft:
    case kZoneSpouseRight:
        if (kind == kSpouseElem)
            return kSpousesOfSpouses;
        if (kind == kAncestorElem) {
            const auto& ancestor = static_cast<CDiagAncestorElem&>(box);
            if (!ancestor.GetPartner() && FamilyBelowAncestor(ancestor))
                return "";
            return type == kAllRelativesDiagram ? kSpouseWrongPlace : kSpousesOfAncestors;
        }
        if (!person)
            return kDiagNoRelativeText;
        if (rootRow && type == kAncestorsDiagram)
            return kOnlyAncestors;
        return settings.m_spouseOption == 2 ? "" : kSpouseNeedsSpouses;
    case kZoneChild: {
        if (kind == kAncestorElem)
            return box.GetGeneration() == 1 && type != kAncestorsDiagram &&
                           FamilyBelowAncestor(static_cast<CDiagAncestorElem&>(box))
                       ? ""
                       : kChildrenOfAncestors;
        if (rootRow && type == kAncestorsDiagram)
            return kChildrenOfAncestors;
        const CDiagFamilyElem* family = ChildrenBox(box);
        if (!family)
            return kDiagNoRelativeText;
        if (family->GetExpansion() == kCollapsed)
            return RefusalText(kOtherChildrenHiddenId);
        if (family->HasFlag(kElemRepeat) || !family->IsVisible())
            return kChildWrongPlace;
        const int refusal = family->CanAddChild();
        return refusal ? RefusalText(refusal) : "";
    }
    default:
        return kDiagNoRelativeText;
    }
}

void CRelTreeEditor::DropRelative(CDiagElem& dropped, int zone, CPoint point)
{
    // While the menu is open the box is watched as during the drag: an update that removes it
    // leaves nothing to add to.
    CMenu menu;
    CMenu* popup = menu.LoadMenu(kDropMenu) ? menu.GetSubMenu(zone == kZoneParent  ? 0
                                                              : zone == kZoneChild ? 2
                                                                                   : 1)
                                            : nullptr;
    if (!popup)
        return;
    CDiagramSelection watched(m_doc);
    watched.Select(dropped, true);
    CPoint screen = point;
    m_view.Window().ClientToScreen(&screen);
    const UINT chosen = UINT(popup->TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                                   screen.x, screen.y, &m_view.Window()));
    CDiagElem* box = watched.Empty() ? nullptr : watched.Boxes().front();
    if (!box || (chosen != kDropCreate && chosen != kDropLink))
        return;
    const bool link = chosen == kDropLink;
    if (zone == kZoneParent) {
        AddParentFromDiagram(*box, link);
        return;
    }
    // The neighbour beside the drop, looked for again now that the menu has closed.
    const CPoint at = m_view.ToDiagram(point);
    CDiagElem* neighbour = nullptr;
    if (zone == kZoneChild) {
        if (const CDiagFamilyElem* family = ChildrenBox(*box))
            for (const auto& childLink : family->ChildLinks()) {
                CDiagElem* child =
                    childLink->m_boxes.empty() ? nullptr : childLink->m_boxes.front().get();
                if (child && child->IsVisible() && child->GetCentre().x > at.x) {
                    neighbour = child;
                    break;
                }
            }
        AddChildFromDiagram(*box, link, neighbour);
        return;
    }
    if (const CDiagFamilyElem* person = AsFamilyBox(*box)) {
        // The nearest spouse box on the side of the drop.
        const int centre = box->GetCentre().x;
        for (const CDiagFamilyElem* familyBox : person->FamilyLink()->Boxes()) {
            CDiagElem* spouse = familyBox->SpouseBox();
            if (!spouse || !spouse->IsVisible())
                continue;
            const int x = spouse->GetCentre().x;
            const bool onSide = zone == kZoneSpouseLeft ? x < centre : x > centre;
            if (onSide &&
                (!neighbour || std::abs(x - centre) < std::abs(neighbour->GetCentre().x - centre)))
                neighbour = spouse;
        }
    }
    AddSpouseFromDiagram(*box, link, zone, neighbour);
}
