// merge/window/mrg_pane_texts.h: what the twin list's left pane says of a line (Action, Match,
// Score, L+, L-, R+, R-, Chk) and which action buttons a selection enables.
#pragma once

#include "merge/window/mrg_actions.h"

#include <string>

class CDataNode;

/// The table index of the headers, which take no action.
inline constexpr int kMergeHeaderType = 0;

/// The columns of the left pane, in order.
enum MergeColumn : int {
    kColumnAction = 0,
    kColumnMatch,
    kColumnScore,
    kColumnLPlus,
    kColumnLMinus,
    kColumnRPlus,
    kColumnRMinus,
    kColumnChecked,
    kMergeColumnCount
};

/// A line of the left pane: a row's records (field false) or a pair of fields facing each
/// other (either may be null).
struct MergeLineNodes {
    const MergeRow* row = nullptr;
    const CDataNode* current = nullptr;
    const CDataNode* incoming = nullptr;
    bool field = false;
};

/// The text of a column of a line.
std::string MergeCellText(const MergeLineNodes& line, int column);

/// Which of the dialog's buttons are enabled.
struct MergeButtonStates {
    bool match = false, unmatch = false, retain = false, discard = false, check = false,
         uncheck = false, goTo = false;
    bool operator==(const MergeButtonStates&) const = default;
};

/// The buttons a selection of a record type's panes enables.
MergeButtonStates MergeButtonsFor(const CMergeEngine& engine, int type,
                                  const MergeSelection& selection);

/// The record Go To moves to for a selection: the target of the link (or the record) selected
/// in a grid's value column; null when there is none.
CRecordNode* MergeGoToTarget(const MergeSelection& selection);
