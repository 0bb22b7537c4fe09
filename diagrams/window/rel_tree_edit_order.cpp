// diagrams/window/rel_tree_edit_order.cpp: the editor's record edits on the selection: moving a
// child among its parents' children or a spouse family among the person's spouse families, and
// deleting the selected boxes' records.
#include "diagrams/window/rel_tree_editor.h"

#include "database/kin/ind_rec.h"
#include "database/nodes/change_tracking.h"
#include "database/records/fam_rec.h"
#include "diagrams/diag_family_elem.h"
#include "diagrams/diagram_document.h"
#include "platform/base/abandon.h"
#include "platform/base/prompt.h"
#include "platform/base/wait_cursor.h"

#include <algorithm>
#include <vector>

namespace {

/// What a move of the one selected box re-orders: the children of a family (CHIL links) or
/// the spouse families of a person (FAMS links), as the list in record order and the place of
/// the selected one in it.
struct MoveList {
    CFamRec* family = nullptr; // the children of this family, or
    CIndRec* person = nullptr; // the spouse families of this person
    std::vector<CRecordNode*> items;
    int index = -1;
};

MoveList MoveListOf(const std::vector<CDiagElem*>& selection)
{
    MoveList list;
    if (selection.size() != 1)
        return list;
    CDiagElem* box = selection.front();
    if (box->GetKind() == kSpouseElem) {
        CFamRec* moved = box->GetFamily();
        list.person = static_cast<CDiagDescendantElem*>(box)->FamilyBox().GetIndividual();
        if (!moved || !list.person)
            return list;
        for (CFamRec* family = list.person->GetNextSpouseFamily(nullptr); family;
             family = list.person->GetNextSpouseFamily(family)) {
            if (family == moved)
                list.index = int(list.items.size());
            list.items.push_back(family);
        }
        return list;
    }
    if (box->GetKind() != kFamilyElem)
        return list;
    const auto* familyBox = static_cast<CDiagFamilyElem*>(box);
    const CDiagFamilyElem* parentBox = familyBox->FamilyLink()->m_parentBox;
    CIndRec* child = familyBox->GetIndividual();
    list.family = parentBox ? parentBox->GetFamily() : nullptr;
    if (!list.family || !child)
        return list;
    for (CIndRec* each = list.family->GetNextChild(nullptr); each;
         each = list.family->GetNextChild(each)) {
        if (each == child)
            list.index = int(list.items.size());
        list.items.push_back(each);
    }
    return list;
}

/// The neighbour a move that way swaps with; -1 when there is none.
int NeighbourIndex(const MoveList& list, bool up)
{
    if (list.index < 0)
        return -1;
    const int other = up ? list.index - 1 : list.index + 1;
    return other >= 0 && other < int(list.items.size()) ? other : -1;
}

constexpr const char* kNoRecords =
    "The current selection includes one or more diagram nodes; but there are no records "
    "associated with these nodes, so nothing will be deleted.";

} // namespace

bool CRelTreeEditor::CanMoveSelected(bool up) const
{
    return NeighbourIndex(MoveListOf(m_doc.Selection().Boxes()), up) >= 0;
}

void CRelTreeEditor::MoveSelected(bool up)
{
    const MoveList list = MoveListOf(m_doc.Selection().Boxes());
    const int other = NeighbourIndex(list, up);
    if (other < 0)
        return;
    // The later of the two moves to stand just before the earlier one.
    CRecordNode* earlier = list.items[std::size_t(std::min(list.index, other))];
    CRecordNode* later = list.items[std::size_t(std::max(list.index, other))];
    try {
        if (list.family)
            list.family->MoveChildLink(static_cast<CIndRec*>(later),
                                       static_cast<CIndRec*>(earlier));
        else
            list.person->MoveFamilyLink(static_cast<CFamRec*>(later),
                                        static_cast<CFamRec*>(earlier), true);
    } catch (...) {
        EndAbandonedOperation();
        NotifyChanges();
        MessageBox("An error has occurred.");
        return;
    }
    NotifyChanges();
}

void CRelTreeEditor::DeleteSelected()
{
    std::vector<CRecordNode*> records;
    for (CDiagElem* box : m_doc.Selection().Boxes()) {
        CRecordNode* record = box->GetIndividual();
        if (record && std::find(records.begin(), records.end(), record) == records.end())
            records.push_back(record);
    }
    if (m_doc.Selection().Empty())
        return;
    if (records.empty()) {
        MessageBox(kNoRecords);
        return;
    }
    const int count = int(records.size());
    const std::string question =
        "Careful!  You have elected to delete " + std::to_string(count) + " record" +
        (count == 1 ? "" : "s") +
        " from the current file.  Are you quite sure you want to do that?  If in doubt, you "
        "should click on 'Cancel' now.\r\n\r\nTip: If you only wish to unlink a record (e.g. "
        "unlink a child from his or her parents' family), this is not the right way to do it.  "
        "You should instead open the Property Dialog for the record you wish to unlink, choose "
        "the 'All' tab, select the appropriate field ('Parents Family' or 'Spouse Family'), and "
        "press the Delete key.";
    if (MessageBox(question, MB_OKCANCEL) != IDOK)
        return;
    CWaitCursor wait;
    bool failed = false;
    try {
        for (CRecordNode* record : records)
            if (CDataNode* root = record->GetParent())
                root->DeleteChild(record);
    } catch (...) {
        EndAbandonedOperation();
        failed = true;
    }
    // The boxes of the deleted records leave the diagram (and the selection) with the notice.
    NotifyChanges();
    if (failed)
        MessageBox("An error has occurred.");
}
