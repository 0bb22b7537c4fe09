// records/properties/rec_page_links.cpp: the link edits and menus of the header, submission and
// source Main pages.
#include "records/properties/rec_page_links.h"

#include "database/nodes/change_hint.h"
#include "records/dialogs/select_record_dlg.h"
#include "records/properties/properties_dlg.h"

#include "common/abort.h"
#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_tracking.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/ui/frames/menu.h"

namespace {

constexpr UINT kMenuBitmap = 323;
constexpr int kMenuImageWidth = 16, kMenuImageHeight = 15;
constexpr const char* kLinkFailed = "An error has occurred.  Unable to create the link.";

constexpr PageLinkSpec kSubmitterLink = {
    1518, 1021, 1001, FIELD_SUBM, 2001, "Submitter", "Select submitter...", RECORD_LIST_SUBM};
constexpr PageLinkSpec kHeaderLinks[] = {
    kSubmitterLink,
    {1519, 1279, 1002, FIELD_SUBN, 2004, "Submission", "Select submission...", RECORD_LIST_SUBN},
};
constexpr PageLinkSpec kSubmissionLinks[] = {kSubmitterLink};
constexpr PageLinkSpec kSourceLinks[] = {
    {1051, 1021, 1001, FIELD_REPO, 2001, "Repository", "Select repository...", RECORD_LIST_REPO},
};

} // namespace

CRecPageLinks::CRecPageLinks(UINT templateId, std::span<const PageLinkSpec> links,
                             bool needsRecordForMenu)
    : CRecordPage(templateId), m_links(links), m_needsRecordForMenu(needsRecordForMenu)
{
}

CRecPageLinks::~CRecPageLinks() = default;

CRecPageHdrMain::CRecPageHdrMain() : CRecPageLinks(321, kHeaderLinks, false) {}

CRecPageSbnMain::CRecPageSbnMain() : CRecPageLinks(316, kSubmissionLinks, false) {}

CRecPageSrcMain::CRecPageSrcMain() : CRecPageLinks(180, kSourceLinks, true) {}

BOOL CRecPageLinks::OnInitDialog()
{
    for (const PageLinkSpec& spec : m_links) {
        CWnd* placeholder = GetDlgItem(int(spec.placeholderId));
        if (!placeholder)
            continue;
        const CRect rect = ChildRect(*placeholder);
        auto button = std::make_unique<CUButton>();
        if (button->CreateButton(WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, this, spec.buttonId,
                                 this, kMenuImageWidth, kMenuImageHeight, kMenuBitmap, 4, 0, 0)) {
            button->SetTabOrderAfter(placeholder);
            m_buttons.push_back(std::move(button));
        }
        placeholder->DestroyWindow();
    }
    CRecordPage::OnInitDialog();
    ShowLinks();
    return TRUE;
}

CDataNode* CRecPageLinks::FindLink(const PageLinkSpec& spec) const
{
    const CRecordNode* record = GetRecord();
    return record ? record->FindChild(nullptr, spec.fieldId) : nullptr;
}

CRecordNode* CRecPageLinks::FindTarget(const PageLinkSpec& spec) const
{
    const CDataNode* link = FindLink(spec);
    return link ? link->GetLinkTarget() : nullptr;
}

void CRecPageLinks::ShowLinks()
{
    for (const PageLinkSpec& spec : m_links) {
        CWnd* edit = GetDlgItem(int(spec.editId));
        if (!edit)
            continue;
        const std::string text = NodeText(FindTarget(spec));
        std::string shown;
        edit->GetWindowText(shown);
        if (shown != text)
            edit->SetWindowText(text);
    }
    for (const std::unique_ptr<CUButton>& button : m_buttons)
        button->EnableWindow(!m_needsRecordForMenu || GetRecord() != nullptr);
}

void CRecPageLinks::LoadFromRecord(const CPageState& state)
{
    CRecordPage::LoadFromRecord(state);
    if (IsBuilt())
        ShowLinks();
}

BOOL CRecPageLinks::Refresh(CView* sender, LPARAM hint, CObject* object)
{
    const BOOL result = CRecordPage::Refresh(sender, hint, object);
    if (hint == kHintRecordsEdited && IsBuilt() && GetSafeHwnd())
        ShowLinks();
    return result;
}

CDataNode* CRecPageLinks::GetNodeForControl(CDataCtl* control)
{
    if (control)
        return CRecordPage::GetNodeForControl(control);
    const CWnd* focus = CWnd::GetFocus();
    for (const PageLinkSpec& spec : m_links) {
        if (focus && focus == GetDlgItem(int(spec.editId)))
            return FindLink(spec);
    }
    return nullptr;
}

void CRecPageLinks::OnButtonClicked(CUButton* button)
{
    const PageLinkSpec* spec = nullptr;
    for (const PageLinkSpec& link : m_links) {
        if (UINT(button->GetDlgCtrlID()) == link.buttonId)
            spec = &link;
    }
    if (!spec || (m_needsRecordForMenu && !GetRecord()))
        return;
    const std::string noun = spec->noun;
    const UINT linked = FindTarget(*spec) ? MF_ENABLED : MF_GRAYED;
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, spec->selectCommand, ("Select " + noun + "...").c_str());
    menu.AppendMenu(MF_STRING | linked, spec->selectCommand + 1, ("Clear " + noun).c_str());
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | linked, spec->selectCommand + 2,
                    ("Go to " + noun + " Record").c_str());
    CRect rect;
    button->GetWindowRect(&rect);
    const UINT command = UINT(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY,
                                                  rect.left, rect.bottom, this));
    if (command)
        RunLinkCommand(command);
}

void CRecPageLinks::RunLinkCommand(UINT command)
{
    for (const PageLinkSpec& spec : m_links) {
        if (command == spec.selectCommand)
            SelectLink(spec);
        else if (command == spec.selectCommand + 1)
            ClearLink(spec);
        else if (command == spec.selectCommand + 2)
            GoToLink(spec);
        else
            continue;
        return;
    }
}

void CRecPageLinks::SelectLink(const PageLinkSpec& spec)
{
    CPropertiesDlg* box = GetBox();
    if (!box)
        return;
    CRecordNode* chosen = SelectRecordOfList(this, spec.selectCaption, spec.listIndex,
                                             spec.listIndex == RECORD_LIST_REPO);
    if (!chosen)
        return;
    CRecordNode* record = GetRecord();
    const bool made = record == nullptr;
    bool linked = false;
    try {
        if (!record)
            record = CreateRecordOfBoxType();
        if (record) {
            while (CDataNode* old = record->FindChild(nullptr, spec.fieldId))
                record->DeleteChild(old);
            CDataNode* link = record->CreateChildById(spec.fieldId);
            linked = link && link->SetLink(chosen, true) != 0;
        }
    } catch (...) {
        linked = false;
        EndAbandonedOperation();
    }
    NotifyChanges();
    if (!linked) {
        MessageBox(kLinkFailed, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (CWnd* edit = GetDlgItem(int(spec.editId)))
        edit->SetWindowText(NodeText(chosen));
    if (made)
        box->SetRecord(record, nullptr);
}

void CRecPageLinks::ClearLink(const PageLinkSpec& spec)
{
    CRecordNode* record = GetRecord();
    if (!record)
        return;
    while (CDataNode* link = record->FindChild(nullptr, spec.fieldId))
        record->DeleteChild(link);
    if (CWnd* edit = GetDlgItem(int(spec.editId)))
        edit->SetWindowText("");
    NotifyChanges();
}

void CRecPageLinks::GoToLink(const PageLinkSpec& spec)
{
    CPropertiesDlg* box = GetBox();
    CRecordNode* target = FindTarget(spec);
    if (!box || !target)
        return;
    if (!box->IsLarge())
        box->SetLargeMode(true);
    box->SetPinned(false);
    box->SetRecord(target, nullptr);
}
