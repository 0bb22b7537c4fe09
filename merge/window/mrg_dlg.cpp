// merge/window/mrg_dlg.cpp: the Merge File dialog.
#include "merge/window/mrg_dlg.h"

#include "merge/window/merge_window_ids.h"
#include "merge/window/mrg_actions.h"
#include "merge/window/mrg_source_dlg.h"

#include "common/abort.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/message.h"

#include <algorithm>
#include <iterator>

namespace {

/// The tabs in order, each with its record type: Individuals, Families, Notes, Multimedia,
/// Sources, Repositories, Submitters, Submissions, Headers.
constexpr std::pair<const char*, int> kTabs[] = {
    {"Individuals", 2},  {"Families", 1},   {"Notes", 4},       {"Multimedia", 3}, {"Sources", 6},
    {"Repositories", 5}, {"Submitters", 7}, {"Submissions", 8}, {"Headers", 0},
};
/// The action buttons and their actions.
constexpr std::pair<int, MergeAction> kActionButtons[] = {
    {merge_ids::kMatch, MergeAction::Match},   {merge_ids::kUnmatch, MergeAction::Unmatch},
    {merge_ids::kRetain, MergeAction::Retain}, {merge_ids::kDiscard, MergeAction::Discard},
    {merge_ids::kCheck, MergeAction::Check},   {merge_ids::kUncheck, MergeAction::Uncheck},
};

constexpr const char* kCannotShow = "An error has occurred - cannot display merge dialog.";
constexpr const char* kRefillError = "An error has occurred";
constexpr const char* kRefreshError = "An error has occurred.";
constexpr const char* kNotFound = "Record not found";

/// Where the profile keeps the size the user last gave the dialog.
constexpr const char* kSizeSection = "Merge File";
constexpr const char* kWidthKey = "Width";
constexpr const char* kHeightKey = "Height";

} // namespace

CMrgDlg::CMrgDlg(CMergeEngine& engine, CWnd* parent)
    : CDialog(merge_ids::kMergeTemplate, parent), m_engine(engine)
{
    for (const auto& button : kActionButtons)
        MapCommand(UINT(button.first), [this, id = button.first] { RunAction(id); });
    MapCommand(merge_ids::kGoTo, [this] { OnGoTo(); });
    MapNotify(merge_ids::kTabs, TCN_SELCHANGE, [this] {
        if (CTabCtrl* tabs = Tabs())
            SelectTab(tabs->GetCurSel());
    });
}

CMrgDlg::~CMrgDlg() = default;

CTabCtrl* CMrgDlg::Tabs() const
{
    return dynamic_cast<CTabCtrl*>(GetDlgItem(merge_ids::kTabs));
}

CMrgTwinListWnd* CMrgDlg::GetTwinList(int type) const
{
    return type >= 0 && type < RECORD_TYPE_COUNT ? m_lists[std::size_t(type)].get() : nullptr;
}

BOOL CMrgDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CWaitCursor wait;
    try {
        CTabCtrl* tabs = Tabs();
        if (!m_engine.IsOpen() || !tabs)
            ThrowAbort();
        // A tab for each type either data set has records of: each record has its row.
        for (const auto& [name, type] : kTabs) {
            if (m_engine.Rows(type).empty())
                continue;
            tabs->InsertItem(int(m_tabTypes.size()), name, LPARAM(type));
            m_tabTypes.push_back(type);
        }
        CRect area = PlaceInParent(*tabs);
        tabs->AdjustRect(FALSE, &area);
        for (int type = 0; type < RECORD_TYPE_COUNT; ++type) {
            auto list = std::make_unique<CMrgTwinListWnd>(m_engine, type);
            if (!list->Create(area, this, UINT(merge_ids::kFirstTwinList + type)))
                ThrowAbort();
            list->Fill();
            list->SetSelectionListener([this] { UpdateButtons(); });
            m_lists[std::size_t(type)] = std::move(list);
        }
        AnchorControls();
        RestoreSize();
        SelectTab(0);
    } catch (...) {
        EndAbandonedOperation();
        MessageBox(kCannotShow, MB_OK | MB_ICONEXCLAMATION);
        EndDialog(IDCANCEL);
    }
    return TRUE;
}

void CMrgDlg::AnchorControls()
{
    CRect client;
    GetClientRect(&client);
    using L = CDlgLayout;
    m_layout.AddControl(this, Tabs(), client, L::kNoChange, L::kNoChange, L::kToBottom,
                        L::kToRight);
    for (const auto& list : m_lists)
        m_layout.AddControl(this, list.get(), client, L::kNoChange, L::kNoChange, L::kToBottom,
                            L::kToRight);
    for (const auto& button : kActionButtons)
        m_layout.AddControl(this, GetDlgItem(button.first), client, L::kToBottom, L::kNoChange,
                            L::kToBottom, L::kNoChange);
    m_layout.AddControl(this, GetDlgItem(merge_ids::kGoTo), client, L::kToBottom, L::kNoChange,
                        L::kToBottom, L::kNoChange);
    for (const int id : {IDOK, IDCANCEL, merge_ids::kHelp})
        m_layout.AddControl(this, GetDlgItem(id), client, L::kToBottom, L::kToRight, L::kToBottom,
                            L::kToRight);
    KeepOpeningSizeAsMinimum();
}

void CMrgDlg::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (m_layout.GetCount() > 0)
        m_layout.ApplyLayout(this, cx, cy);
}

void CMrgDlg::RestoreSize()
{
    const CWinApp* app = AfxGetApp();
    if (!app)
        return;
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    // The client size is kept; one smaller than the opening size (or none kept) leaves that
    // side as it is.
    const int width = std::max(int(app->GetProfileInt(kSizeSection, kWidthKey, 0)), client.Width());
    const int height =
        std::max(int(app->GetProfileInt(kSizeSection, kHeightKey, 0)), client.Height());
    if (width == client.Width() && height == client.Height())
        return;
    const CSize frame(window.Width() - client.Width(), window.Height() - client.Height());
    const CPoint centre = window.CenterPoint();
    MoveWindow(std::max(0, centre.x - width / 2), std::max(0, centre.y - height / 2),
               width + frame.cx, height + frame.cy);
}

void CMrgDlg::SaveSize()
{
    CWinApp* app = AfxGetApp();
    if (!app || m_layout.GetCount() == 0)
        return;
    CRect client;
    GetClientRect(&client);
    app->WriteProfileInt(kSizeSection, kWidthKey, client.Width());
    app->WriteProfileInt(kSizeSection, kHeightKey, client.Height());
}

void CMrgDlg::OnDestroy()
{
    SaveSize();
    CDialog::OnDestroy();
}

void CMrgDlg::SelectTab(int index)
{
    if (index < 0 || index >= int(m_tabTypes.size()))
        return;
    if (CTabCtrl* tabs = Tabs(); tabs && tabs->GetCurSel() != index)
        tabs->SetCurSel(index);
    for (const auto& list : m_lists)
        if (list)
            list->ShowWindow(SW_HIDE);
    if (CMrgTwinListWnd* list = GetTwinList(m_tabTypes[std::size_t(index)]))
        list->ShowWindow(SW_SHOW);
    UpdateButtons();
}

int CMrgDlg::GetShownType() const
{
    const CTabCtrl* tabs = Tabs();
    const int index = tabs ? tabs->GetCurSel() : -1;
    return index >= 0 && index < int(m_tabTypes.size()) ? m_tabTypes[std::size_t(index)] : -1;
}

bool CMrgDlg::ShowType(int type)
{
    for (std::size_t i = 0; i < m_tabTypes.size(); ++i) {
        if (m_tabTypes[i] == type) {
            SelectTab(int(i));
            return true;
        }
    }
    return false;
}

void CMrgDlg::UpdateButtons()
{
    const CMrgTwinListWnd* list = m_engine.IsOpen() ? GetTwinList(GetShownType()) : nullptr;
    const MergeButtonStates states = list ? list->GetButtonStates() : MergeButtonStates{};
    const std::pair<int, bool> buttons[] = {
        {merge_ids::kMatch, states.match},   {merge_ids::kUnmatch, states.unmatch},
        {merge_ids::kRetain, states.retain}, {merge_ids::kDiscard, states.discard},
        {merge_ids::kCheck, states.check},   {merge_ids::kUncheck, states.uncheck},
        {merge_ids::kGoTo, states.goTo},
    };
    for (const auto& [id, enabled] : buttons)
        if (CWnd* button = GetDlgItem(id))
            button->EnableWindow(enabled);
}

void CMrgDlg::RunAction(int buttonId)
{
    const auto button =
        std::find_if(std::begin(kActionButtons), std::end(kActionButtons),
                     [buttonId](const auto& each) { return each.first == buttonId; });
    const int type = GetShownType();
    CMrgTwinListWnd* list = GetTwinList(type);
    if (button == std::end(kActionButtons) || !list || !m_engine.IsOpen())
        return;
    const MergeSelection selection = list->GetSelection();
    m_engine.BeginAction();
    m_engine.ClearRefreshState();
    for (const auto& each : m_lists)
        if (each)
            each->RememberSelection();
    const bool changed = RunMergeAction(m_engine, button->second, type, selection);
    if (changed)
        RefreshLists(type);
    m_engine.EndAction();
    m_engine.ClearRefreshState();
    UpdateButtons();
}

void CMrgDlg::RefreshLists(int type)
{
    try {
        CDataNode* changed = m_engine.GetChangedNode();
        const bool full = !m_engine.InAction() || m_engine.FullRefreshAsked() || !changed;
        if (full) {
            for (const auto& list : m_lists) {
                try {
                    if (list)
                        list->Fill();
                } catch (...) {
                    EndAbandonedOperation();
                    MessageBox(kRefillError, MB_OK | MB_ICONEXCLAMATION);
                }
            }
        } else if (const CRecordNode* record = changed->GetRecord()) {
            // A change inside one record: only its row's lines are made again.
            const int recordType = m_engine.TypeOf(record);
            if (CMrgTwinListWnd* list = GetTwinList(recordType))
                list->RefreshRecordLines(record);
        }
        if (m_engine.InAction()) {
            // Each list takes back its selection and top row; the changed node's line is
            // shown, its ancestors open, in the list of its type.
            for (const auto& list : m_lists)
                if (list)
                    list->RestoreSelection();
            if (const CRecordNode* record = changed ? changed->GetRecord() : nullptr) {
                if (CMrgTwinListWnd* list = GetTwinList(m_engine.TypeOf(record)))
                    list->ShowNode(changed, m_engine.IsCurrentSide(record));
            }
        }
        if (CMrgTwinListWnd* list = GetTwinList(type))
            list->RepaintPanes();
        UpdateButtons();
    } catch (...) {
        EndAbandonedOperation();
        MessageBox(kRefreshError, MB_OK | MB_ICONEXCLAMATION);
    }
}

void CMrgDlg::OnGoTo()
{
    CMrgTwinListWnd* list = GetTwinList(GetShownType());
    if (!list)
        return;
    const MergeSelection selection = list->GetSelection();
    const CRecordNode* target = MergeGoToTarget(selection);
    const int type = target ? m_engine.TypeOf(target) : -1;
    CMrgTwinListWnd* targetList = GetTwinList(type);
    // The tab changes only when its pane holds the record, on the same side.
    if (!targetList || !targetList->SelectRecord(target, m_engine.IsCurrentSide(target)) ||
        !ShowType(type))
        MessageBox(kNotFound, MB_OK);
}

void CMrgDlg::OnOK()
{
    if (!m_engine.IsOpen()) {
        EndDialog(IDCANCEL);
        return;
    }
    if (const std::string warning = m_engine.UncheckedWarning();
        !warning.empty() && MessageBox(warning, MB_OKCANCEL) != IDOK)
        return;
    if (const std::string warning = m_engine.SingleRecordWarning();
        !warning.empty() && MessageBox(warning, MB_OKCANCEL) != IDOK)
        return;
    const int answer = MessageBox(kMergeSourceQuestion, MB_YESNOCANCEL);
    if (answer != IDYES && answer != IDNO)
        return;
    MergeSourceOptions options;
    if (answer == IDYES) {
        CMrgSourceDlg source(DefaultSourceOptions(m_engine.GetPath(), CMrgSourceDlg::Today()),
                             this);
        if (source.DoModal() != IDOK)
            return;
        options = source.GetOptions();
    }
    MergeOutcome outcome = MergeOutcome::NotStarted;
    auto tellFailure = [this] {
        if (!m_engine.MergeFailureText().empty())
            MessageBox(m_engine.MergeFailureText(), MB_OK);
    };
    try {
        outcome = m_engine.Merge(answer == IDYES ? &options : nullptr);
    } catch (...) {
        // A fault of the program goes on, once the user knows whether the file was put back,
        // and never with the dialog over rows that are gone.
        tellFailure();
        if (!m_engine.IsOpen())
            EndDialog(IDCANCEL);
        throw;
    }
    tellFailure();
    switch (outcome) {
    case MergeOutcome::Merged:
        EndDialog(IDOK);
        break;
    case MergeOutcome::Failed:
        // The rows are gone with the session: no dialog stays over them.
        EndDialog(IDCANCEL);
        break;
    case MergeOutcome::NotStarted:
        break;
    }
}
