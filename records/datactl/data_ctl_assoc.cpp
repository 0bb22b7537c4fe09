// records/datactl/data_ctl_assoc.cpp: the record-link data control.
#include "records/datactl/data_ctl_assoc.h"

#include "database/dictionary/record_type_table.h"
#include "database/kin/relative_dialogs.h"
#include "database/nodes/change_hint.h"
#include "database/records/record_node.h"

#include <utility>

namespace {

constexpr const char* kChooseTitle = "Select Record";

} // namespace

BOOL CDataCtlAssoc::CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                              IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags)
{
    constexpr BoxSpec kAssocBox{"AV_DataCtlAssoc",
                                WS_BORDER | WS_GROUP | WS_TABSTOP,
                                1,
                                ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP,
                                2,
                                {{2, kDataCtlMoreBitmap, 10}, {3, kDataCtlClearBitmap, 10}}};
    const bool pathGiven = path != nullptr;
    if (!CreateBox(kAssocBox, held, rect, parent, node, id, owner, std::move(path), flags))
        return FALSE;
    SetEditReadOnly(TRUE);
    if (node && !pathGiven) {
        CDataPath own;
        own.SetField(node->GetFieldDef());
        SetDataPath(own);
    }
    if (node && node->GetLinkTarget())
        SetRecord(node->GetLinkTarget());
    return TRUE;
}

void CDataCtlAssoc::Clear()
{
    m_record = nullptr;
    SetValueText("");
}

void CDataCtlAssoc::OnDataChanged(CObject* sender, LPARAM hint, CObject* object)
{
    CDataCtl::OnDataChanged(sender, hint, object);
    if (!m_record)
        return;
    if (hint == kHintDataSetClearing || m_record->IsPendingDeletion())
        Clear();
    else
        ShowRecordText();
}

void CDataCtlAssoc::SetRecord(CRecordNode* record)
{
    if (!record) {
        Clear();
        return;
    }
    if (record != m_record) {
        m_record = record;
        CDataPath path;
        path.SetField(record->GetFieldDef());
        SetDataPath(path);
    }
    ShowRecordText();
}

void CDataCtlAssoc::ShowRecordText()
{
    std::string text;
    if (m_record)
        m_record->GetText(text, 0);
    SetValueText(text);
}

void CDataCtlAssoc::OnChoose()
{
    const CDataPath* path = GetDataPath();
    const CFieldDef* target = path ? path->GetLeafField(true) : nullptr;
    const CDataNode* root = target ? GetRecordTypeRootForDef(target) : nullptr;
    IRelativeDialogs* dialogs = GetRelativeDialogs();
    if (!root || !dialogs)
        return;
    CRecordSelectRequest request;
    request.m_root = root;
    request.m_title = kChooseTitle;
    CRecordNode* selected = nullptr;
    if (!dialogs->SelectRecord(request, selected) || !selected || IsDestroying())
        return;
    SetRecord(selected);
    if (GetOwner())
        GetOwner()->OnCtlChanged(this);
}

void CDataCtlAssoc::OnClearLink()
{
    Clear();
    if (GetOwner())
        GetOwner()->OnCtlChanged(this);
}

void CDataCtlAssoc::OnButton(int index)
{
    if (index == 0)
        OnChoose();
    else
        OnClearLink();
}
