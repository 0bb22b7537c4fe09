// merge/merge_actions.cpp: the user's corrections to a compare: Match, Unmatch, Discard, Retain,
// Check and Uncheck, with their rules and messages.
#include "merge/merge_engine.h"

#include "database/dictionary/field_def.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/data_node.h"
#include "database/records/assoc_node.h"
#include "database/records/fam_rec.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"

#include <vector>

namespace {

constexpr const char* kPanesMore =
    "Invalid selection:  All your selections must be in one pane only, for this action.\n\n"
    "More Information: The Merge dialog is divided into 3 'panes'.  The left-hand pane gives "
    "information about the Merge process.  The centre pane ('Current') shows current records, "
    "and the right-hand pane ('New') shows the records to be merged into the curent tree file.  "
    "Only the left-hand pane supports multiple selection.";
constexpr const char* kPanes =
    "Invalid selection:  All your selections must be in one pane only, for this action.\n\n"
    "The Merge dialog is divided into 3 'panes'.  The left-hand pane gives information about "
    "the Merge process.  The centre pane ('Current') shows current records, and the right-hand "
    "pane ('New') shows the records to be merged into the curent tree file.  Only the "
    "left-hand pane supports multiple selection.";
constexpr const char* kMatchSelection =
    "Invalid selection.  To match 2 fields or 2 records, you must select one item from the "
    "centre pane ('Current') and one item from the right pane ('New') only.  Only selections in "
    "the left column of each pane are valid for these purposes.  You cannot match 2 items in "
    "the same pane.\n\nTip: To select the second item, without unselecting the first item, "
    "press and hold the Ctrl key while clicking on the second item.";
constexpr const char* kUnmatchCombined =
    "Invalid selection:  For 'unmatching' purposes, you cannot combine a selection in the "
    "left-hand pane with a selection in the centre or right-hand pane.";
constexpr const char* kUnmatchRows =
    "Invalid selection:  For 'unmatching' purposes, you cannot select different rows in the "
    "centre and right-hand panes.";
constexpr const char* kSameType =
    "Invalid selection.  Only items of the same type can be matched.  A record can only be "
    "matched with another record of the same type.  A field can only be matched with another "
    "field of the same type.";
constexpr const char* kFamilyMatch =
    "Family match not allowed: Families can only be matched if the parents of the families are "
    "already matched, or, at least, do not conflict (for example, a family with a missing mother "
    "can be matched with any family in which the father matches).";
constexpr const char* kIndividualMatch =
    "Individual match not allowed: Individuals can only be matched if the sexes of the "
    "individuals are consistent.  For example, you can match a male to an Individual whose sex "
    "is not known; but you cannot match a male to a female.";
constexpr const char* kAlreadyMatched = "The selected records are already matched.";
constexpr const char* kFieldParents =
    "Invalid selection.  Fields can only be matched if they are 'children' of (i.e. they "
    "qualify) fields which are already matched (and if they are the same type of field).  "
    "Topmost fields in a record can only be matched if the records themselves are already "
    "matched.";
constexpr const char* kLinkMatch =
    "Match not allowed: fields which hold links to other records, can only be matched with "
    "other such fields, where the linked records also match.";
constexpr const char* kMatchFailed =
    "An error has occurred - failed to complete required action correctly.";
constexpr const char* kUnmatchFields =
    "Invalid selection: multiple selection includes fields.\n\nMultiple selection is valid for "
    "'unmatching' - but only if the selection includes records only (no fields).  Single "
    "selection must be used to 'unmatch' a pair of fields.";
constexpr const char* kNoMatches = "Selection includes no matches.  No Unmatching will occur.";
constexpr const char* kUnmatchIgnored =
    "Only matched pairs can be 'unmatched'.  Selection includes %d row%s which do%s not contain "
    "%smatched pair%s and which will be ignored";
constexpr const char* kSexUnmatch = "You cannot match or 'unmatch' the sex of an individual.";
constexpr const char* kParentUnmatch =
    "If you 'unmatch' either parent of a family, the family itself will be 'unmatched'.";
constexpr const char* kChildUnmatch =
    "You cannot unmatch links to child members of a family in this way.  You must do it by "
    "unmatching the Individuals linked to.";
constexpr const char* kDiscardFields =
    "Invalid selection: multiple selection includes fields.\n\nMultiple selection is valid for "
    "'discarding' (that is, flagging items to be discarded); but only if the selection "
    "includes records only (no fields).  Single selection must be used to 'discard' fields.\n\n"
    "A 'field' is effectively any row which is indented in the centre or right-hand pane.";
constexpr const char* kDiscardNone =
    "Only records and fields which are 'unmatched' (and not already marked as 'discarded') can "
    "be flagged as 'discarded'.  The current selection includes no suitable items.\n\nIf you "
    "wish to mark matched items to be discarded, you must unmatch them first.  ";
constexpr const char* kDiscardIgnored =
    "Only records and fields which are 'unmatched' (and not already marked as 'discarded') can "
    "be flagged as 'discarded'.  The current selection includes %d row%s which do%s not meet "
    "these criteria and which will be ignored.";
constexpr const char* kDiscardCurrent =
    "The selection includes %d record%s from the current tree file which will be flagged to be "
    "discarded (as well as %d record%s from the 'new' tree file being merged into the current "
    "tree file, which will also be flagged to be discarded).";
constexpr const char* kDiscardValue =
    "Invalid selection:  Only selections in the left column of each pane are valid when "
    "discarding.";
constexpr const char* kDiscardInseparable = "The selected item cannot be separately discarded.";
constexpr const char* kSexDiscard = "The sex of an Individual cannot be flagged to be discarded.";
constexpr const char* kRetainFields =
    "Invalid selection: multiple selection includes fields.\n\nMultiple selection is valid for "
    "'retaining' (see definition below) if the selection includes records only (no fields).  "
    "Single selection must be used to 'retain' fields.\n\n'Retaining' is the opposite of "
    "'discarding' - it means cancelling a flag previously set to indicate that an item is to be "
    "discarded.  A 'field' is effectively any row which is indented in the centre or "
    "right-hand pane.";
constexpr const char* kRetainNone =
    "Only records and fields which are currently flagged to be discarded can be 'retained'.  "
    "The current selection includes no suitable items.";
constexpr const char* kRetainIgnored =
    "Only records and fields which are currently flagged to be discarded can be 'retained'.  "
    "The current selection includes %d row%s which do%s not meet this criterion and which will "
    "be ignored.";
constexpr const char* kRetainUnderField =
    "You cannot 'retain' a field if the field's 'parent field' is flagged to be discarded";
constexpr const char* kRetainUnderRecord =
    "You cannot 'retain' a field if the record it belongs to is flagged to be discarded";
constexpr const char* kSexRetain = "You cannot discard or retain the sex of an individual.";

constexpr int kHeaderType = 0;

/// The plural words of a count: after "row" or "record", and after "do".
const char* Plural(int count)
{
    return count == 1 ? "" : "s";
}
const char* PluralDo(int count)
{
    return count == 1 ? "es" : "";
}

bool IsDiscarded(const CDataNode* node)
{
    return node->HasFlag(DNF_MARK);
}
bool IsRetained(const CDataNode* node)
{
    return !node->HasFlag(DNF_PAIRED) && !node->HasFlag(DNF_MARK);
}
bool IsLink(const CDataNode* node)
{
    return node->GetFieldDef() && node->GetFieldDef()->GetDataType() == FDT_LINK;
}

/// Whether node is a field fieldId directly under an individual (or a family).
bool IsIndividualField(const CDataNode* node, int fieldId)
{
    const CDataNode* parent = node->GetParent();
    return node->GetFieldId() == fieldId && parent && parent->IsRecord() &&
           AsIndividual(static_cast<const CRecordNode*>(parent));
}
bool IsFamilyField(const CDataNode* node, int fieldId)
{
    const CDataNode* parent = node->GetParent();
    return node->GetFieldId() == fieldId && parent && parent->IsRecord() &&
           AsFamily(static_cast<const CRecordNode*>(parent));
}
bool IsFamilyPartner(const CDataNode* node)
{
    return IsFamilyField(node, FIELD_HUSB) || IsFamilyField(node, FIELD_WIFE);
}

/// Every link of both data sets whose target is one of the records.
std::vector<CAssocNode*> LinksTo(const CRecordNode* a, const CRecordNode* b)
{
    std::vector<CAssocNode*> links;
    for (CAssocNode* link = CAssocNode::GetFirstLink(); link; link = link->GetNextLink()) {
        const CRecordNode* target = link->GetLinkTarget();
        if (target && (target == a || target == b) && !link->IsPendingDeletion())
            links.push_back(link);
    }
    return links;
}

int Ask(const std::string& text)
{
    return MessageBox(text, MB_OKCANCEL);
}

/// The record of a row that is not a matched pair; null for a matched pair.
CRecordNode* UnmatchedRecord(const MergeRow& row)
{
    return row.IsMatched() ? nullptr : (row.current ? row.current : row.incoming);
}

/// How many of the three panes hold part of the selection.
int PanesSelected(const MergeSelection& selection)
{
    return !selection.left.empty() + (selection.centre.node != nullptr) +
           (selection.right.node != nullptr);
}

} // namespace

bool MergeLine::IsRecordLine() const
{
    return row && current == row->current && incoming == row->incoming;
}

// ---- Rules --------------------------------------------------------------------------------

bool CMergeEngine::FamiliesCompatible(const CRecordNode* current, const CRecordNode* incoming) const
{
    const CFamRec* a = AsFamily(current);
    const CFamRec* b = AsFamily(incoming);
    if (!a || !b)
        return false;
    const std::pair<const CIndRec*, const CIndRec*> partners[] = {
        {a->GetHusband(), b->GetHusband()}, {a->GetWife(), b->GetWife()}};
    for (const auto& [mine, theirs] : partners) {
        if (!mine || !theirs)
            continue;
        const MergeRow* row = FindCurrentRow(mine);
        if (!row || row->incoming != theirs)
            return false;
    }
    return true;
}

bool CMergeEngine::SexesCompatible(const CRecordNode* current, const CRecordNode* incoming)
{
    const CIndRec* a = AsIndividual(current);
    const CIndRec* b = AsIndividual(incoming);
    if (!a || !b)
        return false;
    const int sexA = a->GetSex();
    const int sexB = b->GetSex();
    return sexA == sexB || sexA == SEX_UNDETERMINED || sexB == SEX_UNDETERMINED;
}

int CMergeEngine::FieldSlotsLeft(const CDataNode* currentParent, const CDataNode* incomingParent,
                                 const CFieldDef* def)
{
    if (!def || def->IsUnbounded())
        return -1;
    int left = def->GetMaxCount();
    for (const CDataNode* child = currentParent->GetFirstChild(); child;
         child = child->GetNextSibling())
        left -= child->GetFieldDef() == def && !IsDiscarded(child);
    for (const CDataNode* child = incomingParent->GetFirstChild(); child;
         child = child->GetNextSibling())
        left -= child->GetFieldDef() == def && IsRetained(child);
    return left;
}

bool CMergeEngine::CanUnmatchFields(const CDataNode* a, const CDataNode* b, bool quiet) const
{
    if (!a || !b || a->GetFieldDef() != b->GetFieldDef())
        return false;
    if (IsIndividualField(a, FIELD_SEX)) {
        if (!quiet)
            MessageBox(kSexUnmatch, MB_OK);
        return false;
    }
    if (IsFamilyPartner(a))
        return quiet || Ask(kParentUnmatch) == IDOK;
    if (IsFamilyField(a, FIELD_CHIL)) {
        if (!quiet)
            MessageBox(kChildUnmatch, MB_OK);
        return false;
    }
    return true;
}

// ---- Operations ---------------------------------------------------------------------------

void CMergeEngine::MatchRecords(CRecordNode* current, CRecordNode* incoming)
{
    const int type = TypeOf(current);
    MergeRow* rowC = FindCurrentRow(current);
    MergeRow* rowN = FindIncomingRow(incoming);
    if (type < 0 || !rowC || !rowN)
        return;
    const bool currentWasDiscarded = IsDiscarded(current);
    const bool incomingWasDiscarded = IsDiscarded(incoming);
    if (rowN != rowC)
        RemoveRow(type, rowN);
    SetRowIncoming(type, *rowC, incoming);
    rowC->score = current->MatchScore(incoming, &Matches());
    current->PairSubtrees(incoming, &Matches());
    std::array<std::unordered_map<std::string, CRecordNode*>, 2> ids;
    PartTextReferences(current, incoming, ids);
    AskFullRefresh();
    AfterMatch(current, incoming, currentWasDiscarded, incomingWasDiscarded);
}

void CMergeEngine::AfterMatch(CRecordNode* current, CRecordNode* incoming, bool currentWasDiscarded,
                              bool incomingWasDiscarded)
{
    for (CAssocNode* link : LinksTo(current, incoming)) {
        CDataNode* parent = link->GetParent();
        if (!parent)
            continue;
        const bool linkCurrent = IsCurrentSide(link);
        const CRecordNode* target = link->GetLinkTarget();
        if (!link->HasFlag(DNF_PAIRED) && parent->HasFlag(DNF_PAIRED)) {
            CDataNode* parentCounterpart = GetCounterpart(parent, linkCurrent);
            const CRecordNode* other = target == current ? incoming : current;
            for (CDataNode* child = parentCounterpart ? parentCounterpart->GetFirstChild()
                                                      : nullptr;
                 child; child = child->GetNextSibling()) {
                if (child->GetFieldDef() == link->GetFieldDef() && !child->HasFlag(DNF_PAIRED) &&
                    child->GetLinkTarget() == other) {
                    if (linkCurrent)
                        MatchFields(link, child);
                    else
                        MatchFields(child, link);
                    break;
                }
            }
            continue;
        }
        const bool targetWasDiscarded =
            target == current ? currentWasDiscarded : incomingWasDiscarded;
        if (!IsDiscarded(link) || IsDiscarded(parent) || !targetWasDiscarded)
            continue;
        bool room = true;
        if (parent->HasFlag(DNF_PAIRED)) {
            const CDataNode* parentCounterpart = GetCounterpart(parent, linkCurrent);
            if (!parentCounterpart)
                continue;
            const CDataNode* currentParent = linkCurrent ? parent : parentCounterpart;
            const CDataNode* incomingParent = linkCurrent ? parentCounterpart : parent;
            const int slots = FieldSlotsLeft(currentParent, incomingParent, link->GetFieldDef());
            room = slots == -1 || slots > 0;
        }
        if (room) {
            NoteChangedNode(link);
            link->SetSubtreeMark(false);
        }
    }
}

void CMergeEngine::MatchFields(CDataNode* current, CDataNode* incoming)
{
    NoteChangedNode(current);
    current->PairSubtrees(incoming, &Matches());
}

void CMergeEngine::UnmatchRecords(MergeRow& row)
{
    if (!row.IsMatched())
        return;
    CRecordNode* current = row.current;
    CRecordNode* incoming = row.incoming;
    const int type = TypeOf(current);
    SetRowIncoming(type, row, nullptr);
    row.score = 0;
    InsertRowAfter(type, &row, std::make_unique<MergeRow>(MergeRow{nullptr, incoming, 0, false}));
    current->SetSubtreeMark(false);
    incoming->SetSubtreeMark(false);
    AskFullRefresh();
    UnmatchLinksTo(current);
}

void CMergeEngine::UnmatchLinksTo(CRecordNode* record)
{
    for (CAssocNode* link : LinksTo(record, nullptr)) {
        if (!link->HasFlag(DNF_PAIRED))
            continue;
        const bool linkCurrent = IsCurrentSide(link);
        if (CDataNode* counterpart = GetCounterpart(link, linkCurrent))
            UnmatchFields(link, counterpart);
        else
            link->SetSubtreeMark(false);
    }
}

void CMergeEngine::UnmatchLinkCounterpart(CDataNode* link)
{
    if (!link || !link->HasFlag(DNF_PAIRED))
        return;
    if (CDataNode* counterpart = GetCounterpart(link, IsCurrentSide(link)))
        UnmatchFields(link, counterpart);
}

void CMergeEngine::UnmatchFields(CDataNode* a, CDataNode* b)
{
    NoteChangedNode(IsCurrentSide(a) ? a : b);
    a->SetSubtreeMark(false);
    b->SetSubtreeMark(false);
    for (CDataNode* side : {a, b}) {
        if (!IsLink(side))
            continue;
        if (auto* link = dynamic_cast<CAssocNode*>(side))
            UnmatchLinkCounterpart(link->FindBackLink());
    }
    for (CDataNode* side : {a, b}) {
        if (!IsFamilyPartner(side))
            continue;
        const auto* family = static_cast<const CRecordNode*>(side->GetParent());
        MergeRow* row = FindRow(family, IsCurrentSide(side));
        if (row && row->IsMatched())
            UnmatchRecords(*row);
    }
}

void CMergeEngine::DiscardLinksTo(CRecordNode* record)
{
    for (CAssocNode* link : LinksTo(record, nullptr)) {
        if (IsRetained(link)) {
            NoteChangedNode(link);
            link->SetSubtreeMark(true);
        }
    }
}

void CMergeEngine::DiscardRecord(CRecordNode* record)
{
    DiscardLinksTo(record);
    record->SetSubtreeMark(true);
    AskFullRefresh();
}

bool CMergeEngine::DiscardField(CDataNode* node)
{
    return DiscardFieldOnce(node, true);
}

bool CMergeEngine::DiscardFieldOnce(CDataNode* node, bool followBackLink)
{
    if (!node || IsDiscarded(node))
        return false;
    if (IsIndividualField(node, FIELD_SEX)) {
        MessageBox(kSexDiscard, MB_OK);
        return false;
    }
    if (IsFamilyPartner(node)) {
        const auto* family = static_cast<const CRecordNode*>(node->GetParent());
        MergeRow* row = FindRow(family, IsCurrentSide(node));
        if (row && row->IsMatched())
            UnmatchRecords(*row);
    }
    NoteChangedNode(node);
    node->SetSubtreeMark(true);
    if (followBackLink && IsLink(node)) {
        if (auto* link = dynamic_cast<CAssocNode*>(node)) {
            CAssocNode* back = link->FindBackLink();
            if (back && IsRetained(back))
                DiscardFieldOnce(back, false);
        }
    }
    return true;
}

void CMergeEngine::RetainRecord(CRecordNode* record)
{
    record->SetSubtreeMark(false);
    AskFullRefresh();
    AfterRetain(record);
}

void CMergeEngine::AfterRetain(CRecordNode* record)
{
    for (CAssocNode* link : LinksTo(record, nullptr)) {
        CDataNode* parent = link->GetParent();
        if (!parent || !IsDiscarded(link) || IsDiscarded(parent))
            continue;
        bool room = true;
        if (parent->HasFlag(DNF_PAIRED)) {
            const bool linkCurrent = IsCurrentSide(link);
            const CDataNode* parentCounterpart = GetCounterpart(parent, linkCurrent);
            if (!parentCounterpart)
                continue;
            const int slots =
                FieldSlotsLeft(linkCurrent ? parent : parentCounterpart,
                               linkCurrent ? parentCounterpart : parent, link->GetFieldDef());
            room = slots == -1 || slots > 0;
        }
        if (room) {
            NoteChangedNode(link);
            link->SetSubtreeMark(false);
        }
    }
}

bool CMergeEngine::RetainField(CDataNode* node)
{
    if (!node || !IsDiscarded(node))
        return false;
    const CDataNode* parent = node->GetParent();
    if (parent && IsDiscarded(parent)) {
        MessageBox(parent->IsRecord() ? kRetainUnderRecord : kRetainUnderField, MB_OK);
        return false;
    }
    if (IsIndividualField(node, FIELD_SEX)) {
        MessageBox(kSexRetain, MB_OK);
        return false;
    }
    NoteChangedNode(node);
    node->SetSubtreeMark(false);
    return true;
}

// ---- Commands -----------------------------------------------------------------------------

bool CMergeEngine::Match(int type, const MergeSelection& selection)
{
    if (type == kHeaderType || !IsOpen())
        return false;
    const CWaitCursor wait;
    CDataNode* current = selection.centre.node;
    CDataNode* incoming = selection.right.node;
    if (!selection.left.empty() || !current || !incoming || selection.centre.valueColumn ||
        selection.right.valueColumn) {
        MessageBox(kMatchSelection, MB_OK);
        return false;
    }
    if (current->GetFieldDef() != incoming->GetFieldDef()) {
        MessageBox(kSameType, MB_OK);
        return false;
    }
    try {
        if (current->IsRecord() && incoming->IsRecord()) {
            auto* a = static_cast<CRecordNode*>(current);
            auto* b = static_cast<CRecordNode*>(incoming);
            if (AsFamily(a) && !FamiliesCompatible(a, b)) {
                MessageBox(kFamilyMatch, MB_OK);
                return false;
            }
            if (AsIndividual(a) && !SexesCompatible(a, b)) {
                MessageBox(kIndividualMatch, MB_OK);
                return false;
            }
            MergeRow* rowA = FindCurrentRow(a);
            if (rowA && rowA->incoming == b) {
                MessageBox(kAlreadyMatched, MB_OK);
                return false;
            }
            if (rowA && rowA->IsMatched())
                UnmatchRecords(*rowA);
            if (MergeRow* rowB = FindIncomingRow(b); rowB && rowB->IsMatched())
                UnmatchRecords(*rowB);
            MatchRecords(a, b);
            return true;
        }
        CDataNode* parentA = current->GetParent();
        CDataNode* parentB = incoming->GetParent();
        if (current->IsRecord() || incoming->IsRecord() || !parentA || !parentB ||
            !parentA->HasFlag(DNF_PAIRED) || !parentB->HasFlag(DNF_PAIRED) ||
            GetCounterpart(parentA, true) != parentB) {
            MessageBox(kFieldParents, MB_OK);
            return false;
        }
        if (IsIndividualField(current, FIELD_SEX)) {
            MessageBox(kSexUnmatch, MB_OK);
            return false;
        }
        if (IsLink(current)) {
            const CRecordNode* targetA = current->GetLinkTarget();
            const CRecordNode* targetB = incoming->GetLinkTarget();
            if (targetA && targetB && Matches().FindMatch(targetA) != targetB) {
                MessageBox(kLinkMatch, MB_OK);
                return false;
            }
        }
        if (GetCounterpart(current, true) == incoming)
            return false;
        // Fields paired elsewhere are set free first, so that each side keeps one partner.
        if (CDataNode* old = GetCounterpart(current, true))
            UnmatchFields(current, old);
        if (CDataNode* old = GetCounterpart(incoming, false))
            UnmatchFields(old, incoming);
        MatchFields(current, incoming);
        return true;
    } catch (...) {
        MessageBox(kMatchFailed, MB_OK);
        AskFullRefresh();
        return true;
    }
}

bool CMergeEngine::Unmatch(int type, const MergeSelection& selection)
{
    if (type == kHeaderType || !IsOpen())
        return false;
    const CWaitCursor wait;
    CDataNode* centre = selection.centre.node;
    CDataNode* right = selection.right.node;
    if (!selection.left.empty() && (centre || right)) {
        MessageBox(kUnmatchCombined, MB_OK);
        return false;
    }
    if (centre && right && GetCounterpart(centre, true) != right &&
        !(centre->IsRecord() && right->IsRecord() &&
          FindCurrentRow(static_cast<CRecordNode*>(centre)) ==
              FindIncomingRow(static_cast<CRecordNode*>(right)))) {
        MessageBox(kUnmatchRows, MB_OK);
        return false;
    }
    if (selection.left.size() > 1) {
        int matched = 0;
        for (const MergeLine& line : selection.left) {
            if (!line.IsRecordLine()) {
                MessageBox(kUnmatchFields, MB_OK);
                return false;
            }
            matched += line.row->IsMatched();
        }
        if (matched == 0) {
            MessageBox(kNoMatches, MB_OK);
            return false;
        }
        const int others = int(selection.left.size()) - matched;
        if (others > 0 &&
            Ask(text::Format(kUnmatchIgnored, others, Plural(others), PluralDo(others),
                             others == 1 ? "a " : "", Plural(others))) != IDOK)
            return false;
        for (const MergeLine& line : selection.left)
            UnmatchRecords(*line.row);
        return true;
    }
    // One line: from the left pane, or the item of the centre or right pane with its partner.
    CDataNode* a = nullptr;
    CDataNode* b = nullptr;
    MergeRow* row = nullptr;
    if (selection.left.size() == 1) {
        const MergeLine& line = selection.left.front();
        row = line.row;
        a = line.current;
        b = line.incoming;
    } else if (centre || right) {
        a = centre ? centre : GetCounterpart(right, false, &row);
        b = right ? right : GetCounterpart(centre, true, &row);
        if (!row)
            GetCounterpart(a ? a : b, a != nullptr, &row);
    }
    if (!a || !b)
        return false;
    if (a->IsRecord() && b->IsRecord()) {
        if (!row || !row->IsMatched() || row->current != a || row->incoming != b)
            return false;
        UnmatchRecords(*row);
        return true;
    }
    if (GetCounterpart(a, true) != b || !CanUnmatchFields(a, b, false))
        return false;
    UnmatchFields(a, b);
    return true;
}

bool CMergeEngine::Discard(int type, const MergeSelection& selection)
{
    if (type == kHeaderType || !IsOpen())
        return false;
    const CWaitCursor wait;
    if (PanesSelected(selection) > 1) {
        MessageBox(kPanesMore, MB_OK);
        return false;
    }
    if (selection.left.size() > 1) {
        std::vector<CRecordNode*> suitable;
        int currentCount = 0;
        for (const MergeLine& line : selection.left) {
            if (!line.IsRecordLine()) {
                MessageBox(kDiscardFields, MB_OK);
                return false;
            }
            CRecordNode* single = UnmatchedRecord(*line.row);
            if (single && !IsDiscarded(single)) {
                suitable.push_back(single);
                currentCount += single == line.row->current;
            }
        }
        if (suitable.empty()) {
            MessageBox(kDiscardNone, MB_OK);
            return false;
        }
        const int others = int(selection.left.size() - suitable.size());
        if (others > 0 &&
            Ask(text::Format(kDiscardIgnored, others, Plural(others), PluralDo(others))) != IDOK)
            return false;
        const int newCount = int(suitable.size()) - currentCount;
        if (currentCount > 0 &&
            Ask(text::Format(kDiscardCurrent, currentCount, Plural(currentCount), newCount,
                             Plural(newCount))) != IDOK)
            return false;
        for (CRecordNode* record : suitable)
            DiscardRecord(record);
        return true;
    }
    if (selection.left.size() == 1) {
        const MergeLine& line = selection.left.front();
        if (line.IsRecordLine()) {
            CRecordNode* single = UnmatchedRecord(*line.row);
            if (!single || IsDiscarded(single))
                return false;
            DiscardRecord(single);
            return true;
        }
        if ((line.current == nullptr) == (line.incoming == nullptr))
            return false;
        return DiscardField(line.current ? line.current : line.incoming);
    }
    const MergePaneItem& item = selection.centre.node ? selection.centre : selection.right;
    if (!item.node)
        return false;
    if (item.valueColumn) {
        MessageBox(kDiscardValue, MB_OK);
        return false;
    }
    const bool currentSide = item.node == selection.centre.node;
    if (item.node->IsRecord()) {
        auto* record = static_cast<CRecordNode*>(item.node);
        MergeRow* row = FindRow(record, currentSide);
        if (row && row->IsMatched())
            UnmatchRecords(*row);
        if (IsDiscarded(record))
            return row != nullptr;
        DiscardRecord(record);
        return true;
    }
    bool changed = false;
    if (CDataNode* counterpart = GetCounterpart(item.node, currentSide)) {
        CDataNode* a = currentSide ? item.node : counterpart;
        CDataNode* b = currentSide ? counterpart : item.node;
        if (!CanUnmatchFields(a, b, true)) {
            MessageBox(kDiscardInseparable, MB_OK);
            return false;
        }
        UnmatchFields(a, b);
        changed = true;
    }
    if (!IsDiscarded(item.node))
        changed = DiscardField(item.node) || changed;
    return changed;
}

bool CMergeEngine::Retain(int type, const MergeSelection& selection)
{
    if (type == kHeaderType || !IsOpen())
        return false;
    const CWaitCursor wait;
    if (PanesSelected(selection) > 1) {
        MessageBox(kPanes, MB_OK);
        return false;
    }
    if (selection.left.size() > 1) {
        std::vector<CRecordNode*> suitable;
        for (const MergeLine& line : selection.left) {
            if (!line.IsRecordLine()) {
                MessageBox(kRetainFields, MB_OK);
                return false;
            }
            CRecordNode* single = UnmatchedRecord(*line.row);
            if (single && IsDiscarded(single))
                suitable.push_back(single);
        }
        if (suitable.empty()) {
            MessageBox(kRetainNone, MB_OK);
            return false;
        }
        const int others = int(selection.left.size() - suitable.size());
        if (others > 0 &&
            Ask(text::Format(kRetainIgnored, others, Plural(others), PluralDo(others))) != IDOK)
            return false;
        for (CRecordNode* record : suitable)
            RetainRecord(record);
        return true;
    }
    CDataNode* node = nullptr;
    if (selection.left.size() == 1) {
        const MergeLine& line = selection.left.front();
        if (line.IsRecordLine() && line.row->IsMatched())
            return false;
        if ((line.current == nullptr) == (line.incoming == nullptr))
            return false;
        node = line.current ? line.current : line.incoming;
    } else {
        const MergePaneItem& item = selection.centre.node ? selection.centre : selection.right;
        if (!item.node || item.valueColumn || item.node->HasFlag(DNF_PAIRED))
            return false;
        node = item.node;
    }
    if (node->IsRecord()) {
        if (!IsDiscarded(node))
            return false;
        RetainRecord(static_cast<CRecordNode*>(node));
        return true;
    }
    return RetainField(node);
}

bool CMergeEngine::SetChecked(int type, const MergeSelection& selection, bool checked)
{
    if (type == kHeaderType || !IsOpen())
        return false;
    std::vector<MergeRow*> rows;
    for (const MergeLine& line : selection.left)
        rows.push_back(line.row);
    if (rows.empty()) {
        for (const MergePaneItem* item : {&selection.centre, &selection.right}) {
            if (item->node && item->node->IsRecord())
                rows.push_back(
                    FindRow(static_cast<CRecordNode*>(item->node), item == &selection.centre));
        }
    }
    bool changed = false;
    for (MergeRow* row : rows) {
        if (row && row->checked != checked) {
            row->checked = checked;
            changed = true;
        }
    }
    if (changed)
        AskFullRefresh();
    return changed;
}
