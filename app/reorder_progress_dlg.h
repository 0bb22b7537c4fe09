// app/reorder_progress_dlg.h: the pass that puts dated items of every individual and family
// into date order, record by record with confirmation or all at once, shown in a modeless
// progress dialog while the rest of the program is disabled.
#pragma once

#include "database/kin/reorder_scan.h"
#include "platform/ui/dialogs/dialog.h"
#include "records/grid/tag_grid.h"

#include <functional>
#include <string>

class CNamedList;
class CRecordNode;

class CReorderProgressDlg : public CDialog {
public:
    static constexpr UINT kTemplateId = 366;

    /// The kinds chosen, whether each record found is confirmed first, and the named list that
    /// receives the updated records (empty for none), emptied first when asked.
    CReorderProgressDlg(CWnd* parent, bool spouses, bool children, bool events, bool lds,
                        bool prompt, std::string listName, bool emptyListFirst);
    ~CReorderProgressDlg() override;

    /// Disables parent, shows the dialog, runs the pass and enables parent again. 1 when the
    /// dialog ran, 2 when it could not be made.
    int Run();
    /// The list of updated records the user asked to see at the end; null otherwise.
    CNamedList* GetListToShow() const { return m_listToShow; }
    /// Shows the record awaiting confirmation, read-only, over the template's placeholder.
    CTagGrid& GetRecordGrid() { return m_recordGrid; }

protected:
    BOOL OnInitDialog() override;
    /// Cancel stops the pass before the next record; records done so far stay done.
    void OnCancel() override;
    /// Keeps the program answering until done() holds, as it does when a button is pressed.
    virtual void WaitUntil(const std::function<bool()>& done);

private:
    /// The pass over individuals, then families; the list to show afterwards, or null.
    CNamedList* ReorderOutOfSequenceData();
    /// Walks the records of one type; false when the pass was cancelled.
    bool WalkRecords(int listIndex, CNamedList* list);
    /// Deals with one record holding the kinds found out of order.
    void ReorderProgressStep(CNamedList* list, CRecordNode& record, bool individual,
                             ReorderKinds found);
    /// Waits for the user's choice on the record shown; the kinds left checked, or none when
    /// the record is skipped or the pass cancelled.
    ReorderKinds Confirm(CRecordNode& record, const ReorderKinds& found);
    /// Re-orders the kinds; an update is counted, and listed, when anything moved.
    void Apply(CNamedList* list, CRecordNode& record, bool individual, const ReorderKinds& kinds);
    /// Waits for "Continue" after an update shown while confirmation is still on.
    void WaitAfterUpdate(CRecordNode& record);

    void OnReorderRecord();
    void OnReorderAll();
    void OnSkip();

    void ShowCounts();
    void ShowRecord(CRecordNode* record);
    void EnableItem(int id, bool enable);
    /// The three buttons that answer a confirmation.
    void EnableChoiceButtons(bool enable);

    CWnd* m_owner;
    ReorderKinds m_kinds;
    bool m_prompt;
    std::string m_listName;
    bool m_emptyListFirst;
    bool m_doIndividuals;
    bool m_doFamilies;
    long m_individualsChecked = 0, m_individualsUpdated = 0, m_individualsTotal = 0;
    long m_familiesChecked = 0, m_familiesUpdated = 0, m_familiesTotal = 0;
    bool m_skip = false, m_reorder = false, m_all = false, m_cancelled = false;
    CNamedList* m_listToShow = nullptr;
    CTagGrid m_recordGrid;
};
