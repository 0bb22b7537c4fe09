// records/datactl/data_ctl_assoc.h: the record-link data control: the linked record's text in a
// read-only edit, a button that chooses a record and one that clears the link.
#pragma once

#include "records/datactl/data_ctl_box.h"

class CRecordNode;

/// Window text "AV_DataCtlAssoc"; edit id+1, choose button id+2, clear button id+3. The owner
/// stores the link when told OnCtlChanged.
class CDataCtlAssoc final : public CDataCtlBox {
public:
    CDataCtlAssoc() = default;
    ~CDataCtlAssoc() override { EndWindow(); }

    BOOL CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                   IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags) override;
    /// No linked record, no text.
    void Clear() override;
    BOOL IsEmpty() const override { return m_record == nullptr; }
    /// The data set about to be emptied (kHintDataSetClearing) or the linked record going: the
    /// control is emptied; otherwise the linked record's text is shown again.
    void OnDataChanged(CObject* sender, LPARAM hint, CObject* object) override;

    /// Links the record (null clears), pointing the control's path at its definition, and
    /// shows its text.
    void SetRecord(CRecordNode* record);
    CRecordNode* GetRecord() const { return m_record; }

    /// The choose button: the Select Record dialog over the records of the path's target
    /// type; on OK the record is linked and the owner told.
    void OnChoose();
    /// The clear button: Clear, and the owner told.
    void OnClearLink();

protected:
    void OnButton(int index) override;

private:
    void ShowRecordText();

    CRecordNode* m_record = nullptr;
};
