// merge/window/mrg_pane_texts.cpp: the left pane's cell texts and the action buttons' states.
#include "merge/window/mrg_pane_texts.h"

#include "database/nodes/data_node.h"
#include "database/records/record_node.h"

namespace {

/// Retained (+) and discarded (-) unpaired nodes in node or below it.
struct Marks {
    bool retained = false;
    bool discarded = false;
};

Marks MarksOf(const CDataNode* node)
{
    Marks marks;
    if (node)
        node->GetSubtreeMarks(marks.retained, marks.discarded);
    return marks;
}

bool Discarded(const CDataNode* node)
{
    return node && node->HasFlag(DNF_MARK);
}

std::string ActionText(const MergeLineNodes& line)
{
    const std::string prefix = line.field ? ">> " : "";
    if (line.current && line.incoming) {
        const bool changes = MarksOf(line.current).discarded || MarksOf(line.incoming).retained;
        return prefix + (changes ? "* Merge *" : "Null Merge");
    }
    if (line.current)
        return prefix + (Discarded(line.current) ? "* Delete *" : "Keep");
    if (line.incoming)
        return prefix + (Discarded(line.incoming) ? "Discard" : "* Add *");
    return prefix + "Discard";
}

std::string MatchText(const MergeLineNodes& line)
{
    if (!line.current || !line.incoming)
        return {};
    const Marks left = MarksOf(line.current), right = MarksOf(line.incoming);
    if (left.discarded || right.discarded)
        return "Conflicts";
    if (right.retained)
        return "Compatible";
    return left.retained ? "Subset" : "Identical";
}

std::string Flag(const CDataNode* node, bool retained)
{
    const Marks marks = MarksOf(node);
    return (retained ? marks.retained : marks.discarded) ? "Y" : "";
}

const MergeRow* RowOfNode(const CMergeEngine& engine, const CDataNode* node)
{
    if (!node)
        return nullptr;
    const CRecordNode* record = node->GetRecord();
    return record ? engine.FindRow(record, engine.IsCurrentSide(node)) : nullptr;
}

} // namespace

std::string MergeCellText(const MergeLineNodes& line, int column)
{
    switch (column) {
    case kColumnAction:
        return ActionText(line);
    case kColumnMatch:
        return MatchText(line);
    case kColumnScore:
        return !line.field && line.row && line.row->IsMatched() ? std::to_string(line.row->score)
                                                                : std::string();
    case kColumnLPlus:
        return Flag(line.current, true);
    case kColumnLMinus:
        return Flag(line.current, false);
    case kColumnRPlus:
        return Flag(line.incoming, true);
    case kColumnRMinus:
        return Flag(line.incoming, false);
    case kColumnChecked:
        return !line.field && line.row && line.row->checked ? "Y" : "";
    default:
        return {};
    }
}

CRecordNode* MergeGoToTarget(const MergeSelection& selection)
{
    for (const MergePaneItem* item : {&selection.centre, &selection.right}) {
        if (!item->node || !item->valueColumn)
            continue;
        if (CRecordNode* target = item->node->GetLinkTarget())
            return target;
        if (item->node->IsRecord())
            return static_cast<CRecordNode*>(item->node);
    }
    return nullptr;
}

MergeButtonStates MergeButtonsFor(const CMergeEngine& engine, int type,
                                  const MergeSelection& selection)
{
    MergeButtonStates states;
    const bool valueColumn = (selection.centre.node && selection.centre.valueColumn) ||
                             (selection.right.node && selection.right.valueColumn);
    if (type == kMergeHeaderType || valueColumn) {
        states.goTo = valueColumn && MergeGoToTarget(selection) != nullptr;
        return states;
    }
    const int panes = selection.PaneCount();
    if (panes == 0)
        return states;
    if (panes > 1 || selection.left.size() > 1) {
        states.match = states.unmatch = states.retain = states.discard = states.check =
            states.uncheck = true;
        return states;
    }
    states.match = true;
    const MergeRow* row = nullptr;
    if (!selection.left.empty()) {
        const MergeLine& line = selection.left.front();
        row = line.row;
        const CDataNode* current = line.current;
        const CDataNode* incoming = line.incoming;
        states.unmatch = current && incoming && !Discarded(current) && !Discarded(incoming);
        states.retain = Discarded(current) || Discarded(incoming);
        states.discard = (current != nullptr) != (incoming != nullptr) &&
                         !Discarded(current ? current : incoming);
    } else {
        const CDataNode* node =
            selection.centre.node ? selection.centre.node : selection.right.node;
        row = RowOfNode(engine, node);
        states.unmatch = node->HasFlag(DNF_PAIRED);
        states.retain = Discarded(node);
        states.discard = !Discarded(node);
    }
    states.check = row && !row->checked;
    states.uncheck = row && row->checked;
    return states;
}
