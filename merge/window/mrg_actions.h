// merge/window/mrg_actions.h: what the user selected in a twin list's three panes, and the
// actions of the Merge File dialog's buttons on it: the selection mapped to the engine's
// operations, their refusals and questions to the words the user reads.
#pragma once

#include "merge/merge_engine.h"

#include <string>
#include <vector>

class CDataNode;

/// A line of the left pane: its row and the nodes facing each other on it, the row's records
/// on a record line, fields (either may be null) on a field line.
struct MergeLine {
    MergeRow* row = nullptr;
    CDataNode* current = nullptr;
    CDataNode* incoming = nullptr;
    /// A line of the row's records (as against one of their fields).
    bool IsRecordLine() const;
};

/// An item selected in the centre (current) or right (new) pane; valueColumn when the value
/// column was selected rather than the tag column.
struct MergePaneItem {
    CDataNode* node = nullptr;
    bool valueColumn = false;
};

/// What the user selected in the three panes of a record type's twin list.
struct MergeSelection {
    std::vector<MergeLine> left; // several lines may be selected
    MergePaneItem centre;
    MergePaneItem right;

    /// How many of the three panes hold part of the selection.
    int PaneCount() const;
};

/// The actions of the dialog's buttons.
enum class MergeAction { Match, Unmatch, Retain, Discard, Check, Uncheck };

/// Runs an action on the selection of a record type's panes under a wait cursor: refuses a
/// selection of the wrong shape, runs the engine's operation, shows its refusal, asks its
/// questions (OK goes on). The headers (type 0) take no action. Whether anything changed.
bool RunMergeAction(CMergeEngine& engine, MergeAction action, int type,
                    const MergeSelection& selection);

/// The words of a refusal or question of the engine's operations.
std::string MergeRefusalText(const MergeResult& result);
