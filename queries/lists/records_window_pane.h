// queries/lists/records_window_pane.h: the named-lists pane as the records window drives it,
// and the Add to Named List command over the active window's selection.
#pragma once

#include <vector>

class CRecordNode;
class CWnd;

/// Every records window made from now on gets the named-lists pane; called at start-up.
void InstallNamedListsPane();

/// Asks for a list (a new name makes one; its contents may be replaced first) and adds the
/// records to it in order, each once, then announces the change once. False when cancelled.
bool AddRecordsToNamedList(CWnd* parent, const std::vector<CRecordNode*>& records);
