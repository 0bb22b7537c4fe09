// merge/merge_actions.cpp: the user's corrections to a compare: Match, Unmatch, Discard, Retain,
// Check and Uncheck on records and fields, with their rules and refusals.
#include "merge/merge_engine.h"

#include "database/dictionary/field_def.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/data_node.h"
#include "database/records/assoc_node.h"
#include "database/records/fam_rec.h"
#include "database/records/record_node.h"
#include <algorithm>
#include <vector>

namespace {

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

/// The record of a row that is not a matched pair; null for a matched pair.
CRecordNode* UnmatchedRecord(const MergeRow& row)
{
    return row.IsMatched() ? nullptr : (row.current ? row.current : row.incoming);
}

MergeResult Changed(bool changed = true)
{
    return MergeResult{.changed = changed};
}
MergeResult Refused(MergeRefusal refusal, int count = 0, int other = 0)
{
    return MergeResult{.refusal = refusal, .count = count, .other = other};
}

} // namespace

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

MergeRefusal CMergeEngine::CanUnmatchFields(const CDataNode* a, const CDataNode* b) const
{
    if (!a || !b || a->GetFieldDef() != b->GetFieldDef())
        return MergeRefusal::DifferentRows;
    if (IsIndividualField(a, FIELD_SEX))
        return MergeRefusal::SexField;
    if (IsFamilyPartner(a))
        return MergeRefusal::UnmatchFamily;
    if (IsFamilyField(a, FIELD_CHIL))
        return MergeRefusal::ChildLink;
    return MergeRefusal::None;
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
    MarkBirthConflict(current, incoming);
    std::array<std::unordered_map<std::string, CRecordNode*>, 2> ids;
    PartTextReferences(current, incoming, ids);
    AskFullRefresh();
    AfterMatch(current, incoming, currentWasDiscarded, incomingWasDiscarded);
    PairFamiliesOf(current, incoming);
}

void CMergeEngine::PairFamiliesOf(CRecordNode* current, CRecordNode* incoming)
{
    const CIndRec* mine = AsIndividual(current);
    const CIndRec* theirs = AsIndividual(incoming);
    if (!mine || !theirs)
        return;
    const auto free = [this](CFamRec* family, bool currentSide) {
        const MergeRow* row = FindRow(family, currentSide);
        return row && !row->IsMatched() && !IsDiscarded(family);
    };
    for (CFamRec* family = mine->GetNextSpouseFamily(nullptr); family;
         family = mine->GetNextSpouseFamily(family)) {
        const CIndRec* husband = family->GetHusband();
        const CIndRec* wife = family->GetWife();
        if (!husband || !wife || !free(family, true))
            continue;
        const CRecordNode* otherHusband = Matches().FindMatch(husband);
        const CRecordNode* otherWife = Matches().FindMatch(wife);
        if (!otherHusband || !otherWife)
            continue;
        for (CFamRec* other = theirs->GetNextSpouseFamily(nullptr); other;
             other = theirs->GetNextSpouseFamily(other)) {
            if (other->GetHusband() == otherHusband && other->GetWife() == otherWife &&
                free(other, false)) {
                MatchRecords(family, other);
                break;
            }
        }
    }
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

MergeResult CMergeEngine::DiscardField(CDataNode* node)
{
    return DiscardFieldOnce(node, true);
}

MergeResult CMergeEngine::DiscardFieldOnce(CDataNode* node, bool followBackLink)
{
    if (!node || IsDiscarded(node))
        return {};
    if (IsIndividualField(node, FIELD_SEX))
        return Refused(MergeRefusal::SexDiscard);
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
    return Changed();
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

MergeResult CMergeEngine::RetainField(CDataNode* node)
{
    if (!node || !IsDiscarded(node))
        return {};
    const CDataNode* parent = node->GetParent();
    if (parent && IsDiscarded(parent))
        return Refused(parent->IsRecord() ? MergeRefusal::RetainUnderRecord
                                          : MergeRefusal::RetainUnderField);
    if (IsIndividualField(node, FIELD_SEX))
        return Refused(MergeRefusal::SexRetain);
    NoteChangedNode(node);
    node->SetSubtreeMark(false);
    return Changed();
}

// ---- Actions ------------------------------------------------------------------------------

MergeResult CMergeEngine::MatchItems(CDataNode* current, CDataNode* incoming)
{
    if (!IsOpen() || !current || !incoming)
        return {};
    if (current->GetFieldDef() != incoming->GetFieldDef())
        return Refused(MergeRefusal::DifferentKinds);
    try {
        if (current->IsRecord() && incoming->IsRecord())
            return MatchRecordItems(static_cast<CRecordNode*>(current),
                                    static_cast<CRecordNode*>(incoming));
        return MatchFieldItems(current, incoming);
    } catch (...) {
        AskFullRefresh();
        return MergeResult{.refusal = MergeRefusal::Failed, .changed = true};
    }
}

MergeResult CMergeEngine::MatchRecordItems(CRecordNode* current, CRecordNode* incoming)
{
    if (AsFamily(current) && !FamiliesCompatible(current, incoming))
        return Refused(MergeRefusal::FamilyPartners);
    if (AsIndividual(current) && !SexesCompatible(current, incoming))
        return Refused(MergeRefusal::IndividualSexes);
    MergeRow* rowA = FindCurrentRow(current);
    if (rowA && rowA->incoming == incoming)
        return Refused(MergeRefusal::AlreadyMatched);
    if (rowA && rowA->IsMatched())
        UnmatchRecords(*rowA);
    if (MergeRow* rowB = FindIncomingRow(incoming); rowB && rowB->IsMatched())
        UnmatchRecords(*rowB);
    MatchRecords(current, incoming);
    return Changed();
}

MergeResult CMergeEngine::MatchFieldItems(CDataNode* current, CDataNode* incoming)
{
    CDataNode* parentA = current->GetParent();
    CDataNode* parentB = incoming->GetParent();
    if (current->IsRecord() || incoming->IsRecord() || !parentA || !parentB ||
        !parentA->HasFlag(DNF_PAIRED) || !parentB->HasFlag(DNF_PAIRED) ||
        GetCounterpart(parentA, true) != parentB)
        return Refused(MergeRefusal::UnpairedParents);
    if (IsIndividualField(current, FIELD_SEX))
        return Refused(MergeRefusal::SexField);
    if (IsLink(current)) {
        const CRecordNode* targetA = current->GetLinkTarget();
        const CRecordNode* targetB = incoming->GetLinkTarget();
        if (targetA && targetB && Matches().FindMatch(targetA) != targetB)
            return Refused(MergeRefusal::LinkTargets);
    }
    if (GetCounterpart(current, true) == incoming)
        return {};
    // Fields paired elsewhere are set free first, so that each side keeps one partner.
    if (CDataNode* old = GetCounterpart(current, true))
        UnmatchFields(current, old);
    if (CDataNode* old = GetCounterpart(incoming, false))
        UnmatchFields(old, incoming);
    MatchFields(current, incoming);
    return Changed();
}

MergeResult CMergeEngine::UnmatchItems(CDataNode* current, CDataNode* incoming,
                                       MergeConsent consent)
{
    if (!IsOpen() || (!current && !incoming))
        return {};
    if (current && incoming && GetCounterpart(current, true) != incoming &&
        !(current->IsRecord() && incoming->IsRecord() &&
          FindCurrentRow(static_cast<CRecordNode*>(current)) ==
              FindIncomingRow(static_cast<CRecordNode*>(incoming))))
        return Refused(MergeRefusal::DifferentRows);
    CDataNode* a = current ? current : GetCounterpart(incoming, false);
    CDataNode* b = incoming ? incoming : GetCounterpart(current, true);
    if (!a || !b)
        return {};
    if (a->IsRecord() && b->IsRecord()) {
        MergeRow* row = FindCurrentRow(static_cast<CRecordNode*>(a));
        if (!row || !row->IsMatched() || row->incoming != b)
            return {};
        UnmatchRecords(*row);
        return Changed();
    }
    if (GetCounterpart(a, true) != b)
        return {};
    const MergeRefusal refusal = CanUnmatchFields(a, b);
    if (refusal != MergeRefusal::None && !consent.Has(refusal))
        return Refused(refusal);
    UnmatchFields(a, b);
    return Changed();
}

MergeResult CMergeEngine::UnmatchRows(const std::vector<MergeRow*>& rows, MergeConsent consent)
{
    if (!IsOpen())
        return {};
    const int matched = int(std::count_if(rows.begin(), rows.end(),
                                          [](const MergeRow* row) { return row->IsMatched(); }));
    if (matched == 0)
        return Refused(MergeRefusal::NoMatches);
    const int others = int(rows.size()) - matched;
    if (others > 0 && !consent.Has(MergeRefusal::UnmatchedIgnored))
        return Refused(MergeRefusal::UnmatchedIgnored, others);
    for (MergeRow* row : rows)
        UnmatchRecords(*row);
    return Changed();
}

MergeResult CMergeEngine::MarkRows(const std::vector<MergeRow*>& rows, MergeMark mark,
                                   MergeConsent consent)
{
    if (!IsOpen())
        return {};
    const bool discard = mark == MergeMark::Discard;
    std::vector<CRecordNode*> suitable;
    int currentCount = 0;
    for (const MergeRow* row : rows) {
        CRecordNode* single = UnmatchedRecord(*row);
        if (single && IsDiscarded(single) != discard) {
            suitable.push_back(single);
            currentCount += single == row->current;
        }
    }
    if (suitable.empty())
        return Refused(discard ? MergeRefusal::NothingToDiscard : MergeRefusal::NothingToRetain);
    const int others = int(rows.size() - suitable.size());
    const MergeRefusal ignored =
        discard ? MergeRefusal::UndiscardableRows : MergeRefusal::UnretainableRows;
    if (others > 0 && !consent.Has(ignored))
        return Refused(ignored, others);
    const int newCount = int(suitable.size()) - currentCount;
    if (discard && currentCount > 0 && !consent.Has(MergeRefusal::DiscardCurrent))
        return Refused(MergeRefusal::DiscardCurrent, currentCount, newCount);
    for (CRecordNode* record : suitable) {
        if (discard)
            DiscardRecord(record);
        else
            RetainRecord(record);
    }
    return Changed();
}

MergeResult CMergeEngine::MarkItem(CDataNode* node, MergeMark mark)
{
    if (!IsOpen() || !node)
        return {};
    if (mark == MergeMark::Retain) {
        if (node->HasFlag(DNF_PAIRED))
            return {};
        if (!node->IsRecord())
            return RetainField(node);
        if (!IsDiscarded(node))
            return {};
        RetainRecord(static_cast<CRecordNode*>(node));
        return Changed();
    }
    const bool currentSide = IsCurrentSide(node);
    bool changed = false;
    if (node->IsRecord()) {
        auto* record = static_cast<CRecordNode*>(node);
        if (MergeRow* row = FindRow(record, currentSide); row && row->IsMatched()) {
            UnmatchRecords(*row);
            changed = true;
        }
        if (IsDiscarded(record))
            return Changed(changed);
        DiscardRecord(record);
        return Changed();
    }
    if (CDataNode* counterpart = GetCounterpart(node, currentSide)) {
        CDataNode* a = currentSide ? node : counterpart;
        CDataNode* b = currentSide ? counterpart : node;
        // Parted quietly: a family partner's question is taken as answered OK.
        if (const MergeRefusal refusal = CanUnmatchFields(a, b);
            refusal != MergeRefusal::None && refusal != MergeRefusal::UnmatchFamily)
            return Refused(MergeRefusal::Inseparable);
        UnmatchFields(a, b);
        changed = true;
    }
    if (IsDiscarded(node))
        return Changed(changed);
    MergeResult result = DiscardField(node);
    result.changed = result.changed || changed;
    return result;
}

bool CMergeEngine::SetChecked(const std::vector<MergeRow*>& rows, bool checked)
{
    if (!IsOpen())
        return false;
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
