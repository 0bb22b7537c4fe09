// app/shell/records_pane.h: what the shell asks of the records window's pane: which record lists it
// shows, and showing a list or a record in it.
#pragma once

#include "app/shell/sub_view.h"

class CRecordNode;

/// The records window's pane, one list per record type (list indices as the record-type table
/// gives them: 0 individuals ... 8 header). Its kind is kSubViewRecords.
class CRecordsPane : public CSubView {
public:
    int GetSubViewType() const override;

    /// The tab that shows the list of a record type, or -1 when that list is not displayed.
    virtual int FindTab(int listIndex) const = 0;
    /// Shows the list of a record type, changing the display options when it is hidden, and
    /// gives it the focus when asked.
    virtual void SelectTab(int listIndex, bool focus) = 0;
    /// Selects the record in the list of its type; when that list is not displayed, first asks
    /// whether to show it.
    virtual void ShowRecord(CRecordNode* record, bool focus) = 0;
    /// Ends an in-place edit in the window's lists, keeping the value typed; the main frame
    /// calls it as it closes. The base has no lists.
    virtual void CloseGridEditor() {}
};
