// merge/window/mrg_actions.cpp: the dialog's actions on a twin list's selection, with their
// messages and questions.
#include "merge/window/mrg_actions.h"

#include "database/nodes/data_node.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"

#include <functional>

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

/// Shows a refusal that ends an action; whether anything changed.
bool Refuse(const char* text)
{
    MessageBox(text, MB_OK);
    return false;
}

/// Runs an operation, asking each question it stops at and running it again with the question
/// accepted after OK; shows the refusal it ends with. Whether anything changed.
bool RunAsking(const std::function<MergeResult(MergeConsent)>& operation)
{
    MergeConsent consent;
    for (;;) {
        const MergeResult result = operation(consent);
        if (result.IsQuestion()) {
            if (MessageBox(MergeRefusalText(result), MB_OKCANCEL) != IDOK)
                return false;
            consent = consent.With(result.refusal);
            continue;
        }
        if (result.refusal != MergeRefusal::None)
            MessageBox(MergeRefusalText(result), MB_OK);
        return result.changed;
    }
}

/// The rows of the left pane's lines; empty when a line is a field line.
std::vector<MergeRow*> RecordRows(const std::vector<MergeLine>& lines)
{
    std::vector<MergeRow*> rows;
    for (const MergeLine& line : lines) {
        if (!line.IsRecordLine())
            return {};
        rows.push_back(line.row);
    }
    return rows;
}

/// The node a single left-pane line holds on one side only; null when it holds both or none.
CDataNode* LoneNode(const MergeLine& line)
{
    if ((line.current == nullptr) == (line.incoming == nullptr))
        return nullptr;
    return line.current ? line.current : line.incoming;
}

bool Match(CMergeEngine& engine, const MergeSelection& selection)
{
    if (!selection.left.empty() || !selection.centre.node || !selection.right.node ||
        selection.centre.valueColumn || selection.right.valueColumn)
        return Refuse(kMatchSelection);
    return RunAsking([&](MergeConsent) {
        return engine.MatchItems(selection.centre.node, selection.right.node);
    });
}

bool Unmatch(CMergeEngine& engine, const MergeSelection& selection)
{
    if (!selection.left.empty() && (selection.centre.node || selection.right.node))
        return Refuse(kUnmatchCombined);
    if (selection.left.size() > 1) {
        const std::vector<MergeRow*> rows = RecordRows(selection.left);
        if (rows.empty())
            return Refuse(kUnmatchFields);
        return RunAsking([&](MergeConsent consent) { return engine.UnmatchRows(rows, consent); });
    }
    CDataNode* current = selection.centre.node;
    CDataNode* incoming = selection.right.node;
    if (selection.left.size() == 1) {
        current = selection.left.front().current;
        incoming = selection.left.front().incoming;
        if (!current || !incoming)
            return false;
    }
    return RunAsking(
        [&](MergeConsent consent) { return engine.UnmatchItems(current, incoming, consent); });
}

/// Discard and Retain: the same shapes, each with its own words.
bool Mark(CMergeEngine& engine, const MergeSelection& selection, MergeMark mark)
{
    const bool discard = mark == MergeMark::Discard;
    if (selection.PaneCount() > 1)
        return Refuse(discard ? kPanesMore : kPanes);
    if (selection.left.size() > 1) {
        const std::vector<MergeRow*> rows = RecordRows(selection.left);
        if (rows.empty())
            return Refuse(discard ? kDiscardFields : kRetainFields);
        return RunAsking(
            [&](MergeConsent consent) { return engine.MarkRows(rows, mark, consent); });
    }
    CDataNode* node = nullptr;
    if (selection.left.size() == 1) {
        node = LoneNode(selection.left.front());
    } else {
        const MergePaneItem& item = selection.centre.node ? selection.centre : selection.right;
        if (item.node && item.valueColumn)
            return discard ? Refuse(kDiscardValue) : false;
        node = item.node;
    }
    if (!node)
        return false;
    return RunAsking([&](MergeConsent) { return engine.MarkItem(node, mark); });
}

bool SetChecked(CMergeEngine& engine, const MergeSelection& selection, bool checked)
{
    std::vector<MergeRow*> rows;
    for (const MergeLine& line : selection.left)
        rows.push_back(line.row);
    if (rows.empty()) {
        for (const MergePaneItem* item : {&selection.centre, &selection.right}) {
            if (item->node && item->node->IsRecord())
                rows.push_back(engine.FindRow(static_cast<CRecordNode*>(item->node),
                                              item == &selection.centre));
        }
    }
    return engine.SetChecked(rows, checked);
}

} // namespace

bool MergeLine::IsRecordLine() const
{
    return row && current == row->current && incoming == row->incoming;
}

int MergeSelection::PaneCount() const
{
    return int(!left.empty()) + int(centre.node != nullptr) + int(right.node != nullptr);
}

bool RunMergeAction(CMergeEngine& engine, MergeAction action, int type,
                    const MergeSelection& selection)
{
    if (type == kHeaderType || !engine.IsOpen())
        return false;
    const CWaitCursor wait;
    switch (action) {
    case MergeAction::Match:
        return Match(engine, selection);
    case MergeAction::Unmatch:
        return Unmatch(engine, selection);
    case MergeAction::Retain:
        return Mark(engine, selection, MergeMark::Retain);
    case MergeAction::Discard:
        return Mark(engine, selection, MergeMark::Discard);
    case MergeAction::Check:
    case MergeAction::Uncheck:
        return SetChecked(engine, selection, action == MergeAction::Check);
    }
    return false;
}

std::string MergeRefusalText(const MergeResult& result)
{
    const int n = result.count;
    switch (result.refusal) {
    case MergeRefusal::None:
        return {};
    case MergeRefusal::DifferentKinds:
        return kSameType;
    case MergeRefusal::FamilyPartners:
        return kFamilyMatch;
    case MergeRefusal::IndividualSexes:
        return kIndividualMatch;
    case MergeRefusal::AlreadyMatched:
        return kAlreadyMatched;
    case MergeRefusal::UnpairedParents:
        return kFieldParents;
    case MergeRefusal::LinkTargets:
        return kLinkMatch;
    case MergeRefusal::Failed:
        return kMatchFailed;
    case MergeRefusal::SexField:
        return kSexUnmatch;
    case MergeRefusal::DifferentRows:
        return kUnmatchRows;
    case MergeRefusal::NoMatches:
        return kNoMatches;
    case MergeRefusal::ChildLink:
        return kChildUnmatch;
    case MergeRefusal::NothingToDiscard:
        return kDiscardNone;
    case MergeRefusal::Inseparable:
        return kDiscardInseparable;
    case MergeRefusal::SexDiscard:
        return kSexDiscard;
    case MergeRefusal::NothingToRetain:
        return kRetainNone;
    case MergeRefusal::RetainUnderField:
        return kRetainUnderField;
    case MergeRefusal::RetainUnderRecord:
        return kRetainUnderRecord;
    case MergeRefusal::SexRetain:
        return kSexRetain;
    case MergeRefusal::UnmatchFamily:
        return kParentUnmatch;
    case MergeRefusal::UnmatchedIgnored:
        return text::Format(kUnmatchIgnored, n, Plural(n), PluralDo(n), n == 1 ? "a " : "",
                            Plural(n));
    case MergeRefusal::UndiscardableRows:
        return text::Format(kDiscardIgnored, n, Plural(n), PluralDo(n));
    case MergeRefusal::DiscardCurrent:
        return text::Format(kDiscardCurrent, n, Plural(n), result.other, Plural(result.other));
    case MergeRefusal::UnretainableRows:
        return text::Format(kRetainIgnored, n, Plural(n), PluralDo(n));
    }
    return {};
}
