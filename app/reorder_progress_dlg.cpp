// app/reorder_progress_dlg.cpp: the re-order pass, its counters, the confirmation of each record
// and the buttons that answer it.
#include "app/reorder_progress_dlg.h"

#include "common/abort.h"
#include "common/string_utils.h"
#include "database/dictionary/record_type_table.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/windows/message_pump.h"
#include "queries/named_list.h"

#include <algorithm>

namespace {

constexpr int kSpousesBox = 1170, kChildrenBox = 1638, kEventsBox = 1639, kLdsBox = 1640;
constexpr int kKindBoxes[] = {kSpousesBox, kChildrenBox, kEventsBox, kLdsBox};
constexpr int kReorderButton = 1646, kAllButton = 4, kSkipButton = 3;
constexpr int kIndividualsChecked = 1647, kIndividualsUpdated = 1648, kIndividualsTotal = 1649;
constexpr int kFamiliesChecked = 1650, kFamiliesUpdated = 1651, kFamiliesTotal = 1652;
constexpr int kRecordPlaceholder = 1471;
constexpr UINT kRecordGridId = 1472;

constexpr const char* kReorderText = "Re-&order Record";
constexpr const char* kContinueText = "C&ontinue";

long CountRecords(int listIndex)
{
    long count = 0;
    if (const CDataNode* root = GetRecordTypeRoot(listIndex))
        for (const CDataNode* record = root->GetFirstChild(); record;
             record = record->GetNextSibling())
            ++count;
    return count;
}

bool& KindOf(ReorderKinds& kinds, int box)
{
    switch (box) {
    case kSpousesBox:
        return kinds.spouses;
    case kChildrenBox:
        return kinds.children;
    case kEventsBox:
        return kinds.events;
    default:
        return kinds.lds;
    }
}

bool KindOf(const ReorderKinds& kinds, int box)
{
    return KindOf(const_cast<ReorderKinds&>(kinds), box);
}

} // namespace

CReorderProgressDlg::CReorderProgressDlg(CWnd* parent, bool spouses, bool children, bool events,
                                         bool lds, bool prompt, std::string listName,
                                         bool emptyListFirst)
    : CDialog(kTemplateId, parent), m_owner(parent), m_kinds{spouses, children, events, lds},
      m_prompt(prompt), m_listName(std::move(listName)), m_emptyListFirst(emptyListFirst),
      m_doIndividuals(spouses || events || lds), m_doFamilies(children || events || lds)
{
    MapCommand(kReorderButton, [this] { OnReorderRecord(); });
    MapCommand(kAllButton, [this] { OnReorderAll(); });
    MapCommand(kSkipButton, [this] { OnSkip(); });
}

CReorderProgressDlg::~CReorderProgressDlg() = default;

int CReorderProgressDlg::Run()
{
    if (m_owner)
        m_owner->EnableWindow(FALSE);
    if (!Create(kTemplateId, m_owner)) {
        if (m_owner)
            m_owner->EnableWindow(TRUE);
        return 2;
    }
    ShowWindow(SW_SHOW);
    m_listToShow = ReorderOutOfSequenceData();
    if (m_owner)
        m_owner->EnableWindow(TRUE);
    if (GetSafeHwnd())
        DestroyWindow();
    return 1;
}

BOOL CReorderProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* placeholder = GetDlgItem(kRecordPlaceholder)) {
        CRect place;
        placeholder->GetWindowRect(&place);
        ScreenToClient(&place);
        // The record under confirmation is only looked at: a change or deletion made here
        // would pull it from under the pass.
        m_recordGrid.SetEditable(false);
        m_recordGrid.SetDeleteAllowed(false);
        if (m_recordGrid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, place, this,
                                kRecordGridId, nullptr, 0))
            m_recordGrid.SetHeading("Record", "", "");
    }
    ShowRecord(nullptr);
    EnableChoiceButtons(false);
    for (const int box : kKindBoxes)
        EnableItem(box, false);
    EnableItem(IDCANCEL, true);
    m_individualsTotal = CountRecords(RECORD_LIST_INDI);
    m_familiesTotal = CountRecords(RECORD_LIST_FAM);
    ShowCounts();
    return TRUE;
}

void CReorderProgressDlg::OnCancel()
{
    m_cancelled = true;
    EnableChoiceButtons(false);
    EnableItem(IDCANCEL, false);
}

void CReorderProgressDlg::WaitUntil(const std::function<bool()>& done)
{
    RunModalWait(done, {});
}

// ---- The pass -------------------------------------------------------------------------------

CNamedList* CReorderProgressDlg::ReorderOutOfSequenceData()
{
    CNamedList* list = nullptr;
    try {
        if (!m_listName.empty()) {
            list = GetNamedList(CollapseSpaces(m_listName), false);
            if (m_emptyListFirst)
                RemoveAllFromNamedList(list);
            NotifyNamedListsChanged();
        }
        if (m_doIndividuals && !WalkRecords(RECORD_LIST_INDI, list))
            return nullptr;
        if (m_doFamilies && !WalkRecords(RECORD_LIST_FAM, list))
            return nullptr;
    } catch (...) {
        if (EndAbandonedOperation() == AbandonCause::Aborted)
            MessageBox("An error has occurred", MB_OK | MB_ICONEXCLAMATION);
        DestroyWindow();
        return nullptr;
    }
    if (list && m_individualsUpdated + m_familiesUpdated > 0) {
        const std::string question = text::Format(
            "Re-ordering complete.  %d individual records and %d family records have been "
            "updated.  Updated records have been added to named list \"%s\".  Would you like to "
            "view this list now?",
            m_individualsUpdated, m_familiesUpdated, list->GetName());
        return MessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES ? list : nullptr;
    }
    MessageBox(text::Format("Re-ordering complete.  %d individual records and %d family records "
                            "have been updated",
                            m_individualsUpdated, m_familiesUpdated),
               MB_OK | MB_ICONINFORMATION);
    return nullptr;
}

bool CReorderProgressDlg::WalkRecords(int listIndex, CNamedList* list)
{
    const bool individual = listIndex == RECORD_LIST_INDI;
    ReorderKinds chosen = m_kinds;
    (individual ? chosen.children : chosen.spouses) = false;
    const CDataNode* root = GetRecordTypeRoot(listIndex);
    for (CDataNode* node = root ? root->GetFirstChild() : nullptr; node && !m_cancelled;) {
        CDataNode* next = node->GetNextSibling();
        auto& record = static_cast<CRecordNode&>(*node);
        const ReorderKinds found = FindOutOfSequenceKinds(record, chosen);
        if (found.Any())
            ReorderProgressStep(list, record, individual, found);
        ++(individual ? m_individualsChecked : m_familiesChecked);
        ShowCounts();
        if (!PumpWaitingMessages())
            m_cancelled = true;
        node = next;
    }
    return !m_cancelled;
}

void CReorderProgressDlg::ReorderProgressStep(CNamedList* list, CRecordNode& record,
                                              bool individual, ReorderKinds found)
{
    if (m_cancelled)
        return;
    if (!m_prompt) {
        Apply(list, record, individual, found);
        return;
    }
    const ReorderKinds kept = Confirm(record, found);
    if (m_cancelled)
        return;
    if (!m_skip) {
        const CWaitCursor wait;
        ShowRecord(nullptr);
        Apply(list, record, individual, kept);
    }
    if (m_prompt && !m_skip)
        WaitAfterUpdate(record);
    if (m_cancelled)
        return;
    ShowRecord(nullptr);
    SetDlgItemText(kReorderButton, kReorderText);
    EnableChoiceButtons(false);
    EnableItem(IDCANCEL, true);
}

ReorderKinds CReorderProgressDlg::Confirm(CRecordNode& record, const ReorderKinds& found)
{
    for (const int box : kKindBoxes) {
        const bool on = KindOf(found, box);
        EnableItem(box, on);
        CheckDlgButton(box, on ? BST_CHECKED : BST_UNCHECKED);
    }
    EnableChoiceButtons(true);
    EnableItem(IDCANCEL, true);
    GotoDlgCtrl(GetDlgItem(kReorderButton));
    ShowRecord(&record);
    m_skip = m_reorder = m_all = false;
    WaitUntil([this] { return m_skip || m_reorder || m_all || m_cancelled; });
    if (m_all)
        m_prompt = false;
    ReorderKinds kept;
    if (m_skip || m_cancelled)
        return kept;
    for (const int box : kKindBoxes)
        KindOf(kept, box) = KindOf(found, box) && IsDlgButtonChecked(box) == BST_CHECKED;
    return kept;
}

void CReorderProgressDlg::Apply(CNamedList* list, CRecordNode& record, bool individual,
                                const ReorderKinds& kinds)
{
    if (!record.ReorderData(kinds.spouses, kinds.children, kinds.events, kinds.lds, true))
        return;
    if (list)
        AddToNamedList(list, &record, true, true);
    ++(individual ? m_individualsUpdated : m_familiesUpdated);
    ShowCounts();
}

void CReorderProgressDlg::WaitAfterUpdate(CRecordNode& record)
{
    ShowRecord(&record);
    SetDlgItemText(kReorderButton, kContinueText);
    EnableItem(kReorderButton, true);
    GotoDlgCtrl(GetDlgItem(kReorderButton));
    EnableItem(kAllButton, true);
    EnableItem(kSkipButton, false);
    EnableItem(IDCANCEL, true);
    for (const int box : kKindBoxes) {
        EnableItem(box, false);
        CheckDlgButton(box, BST_UNCHECKED);
    }
    m_reorder = m_all = false;
    WaitUntil([this] { return m_reorder || m_all || m_cancelled; });
    if (m_all)
        m_prompt = false;
}

// ---- Buttons --------------------------------------------------------------------------------

void CReorderProgressDlg::OnReorderRecord()
{
    const bool offered = std::any_of(std::begin(kKindBoxes), std::end(kKindBoxes), [this](int id) {
        const CWnd* box = GetDlgItem(id);
        return box && box->IsWindowEnabled();
    });
    const bool chosen = std::any_of(std::begin(kKindBoxes), std::end(kKindBoxes),
                                    [this](int id) { return IsDlgButtonChecked(id) != 0; });
    if (offered && !chosen) {
        MessageBox("If you wish to re-order this record, you must select at least one type of "
                   "item to be re-ordered.",
                   MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_reorder = true;
    EnableChoiceButtons(false);
}

void CReorderProgressDlg::OnReorderAll()
{
    if (MessageBox("Re-order remaining records without prompting for confirmation?",
                   MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    m_all = true;
    EnableChoiceButtons(false);
}

void CReorderProgressDlg::OnSkip()
{
    m_skip = true;
    EnableChoiceButtons(false);
}

// ---- Showing --------------------------------------------------------------------------------

void CReorderProgressDlg::ShowCounts()
{
    const auto show = [this](bool walked, const int(&ids)[3], const long(&values)[3]) {
        for (int i = 0; i < 3; ++i)
            SetDlgItemText(ids[i], walked ? std::to_string(values[i]) : std::string("n/a"));
    };
    show(m_doIndividuals, {kIndividualsChecked, kIndividualsUpdated, kIndividualsTotal},
         {m_individualsChecked, m_individualsUpdated, m_individualsTotal});
    show(m_doFamilies, {kFamiliesChecked, kFamiliesUpdated, kFamiliesTotal},
         {m_familiesChecked, m_familiesUpdated, m_familiesTotal});
}

void CReorderProgressDlg::ShowRecord(CRecordNode* record)
{
    if (m_recordGrid.GetSafeHwnd())
        m_recordGrid.SetRecord(record);
}

void CReorderProgressDlg::EnableItem(int id, bool enable)
{
    if (CWnd* item = GetDlgItem(id))
        item->EnableWindow(enable ? TRUE : FALSE);
}

void CReorderProgressDlg::EnableChoiceButtons(bool enable)
{
    for (const int id : {kReorderButton, kAllButton, kSkipButton})
        EnableItem(id, enable);
}
