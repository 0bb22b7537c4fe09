// app/sub_view_counts.h: the content of the records window until the record lists exist: how
// many records of each type the open file holds.
#pragma once

#include "app/shell/records_pane.h"

#include <string>
#include <vector>

/// Stands where the records window goes (its kind and title), so that the window, menu and
/// toolbar rules of the records window already hold. Every change notice counts again. Each
/// record type has its line, which stands for its list: every list is displayed, and the line
/// of the list last shown is highlighted.
class CSubViewCounts final : public CRecordsPane {
public:
    CSubViewCounts();
    ~CSubViewCounts() override;

    const CRuntimeClass* GetRuntimeClass() const override;

    void GetTitle(std::string& title) const override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* object) override;

    /// The line of the type: every type's list is displayed.
    int FindTab(int listIndex) const override;
    void SelectTab(int listIndex, bool focus) override;
    /// Highlights the line of the record's type.
    void ShowRecord(CRecordNode* record, bool focus) override;

    /// The lines shown, one per record type in list order: "Individuals: 3".
    const std::vector<std::string>& GetLines() const { return m_lines; }
    /// The list index of the highlighted line; -1 for none.
    int GetCurrentList() const { return m_currentList; }

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    std::vector<std::string> m_lines;
    int m_currentList = -1;
};
