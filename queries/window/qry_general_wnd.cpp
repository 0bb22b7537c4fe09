// queries/window/qry_general_wnd.cpp: the General tab: its lists, the type-change question, the
// read-only mark, the texts stored as they lose the focus, and the print lists.
#include "queries/window/qry_general_wnd.h"

#include "database/dictionary/record_type_table.h"
#include "platform/base/flag_guard.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/edit.h"
#include "queries/query_def.h"
#include "queries/window/query_save.h"
#include "queries/window/sub_view_query.h"

namespace {

constexpr UINT kTemplate = 204;
/// The record types in list order; list index i is the record-type table's list index i.
constexpr const char* kTypeNames[] = {"Individual", "Family",    "Note",       "Source",
                                      "Repository", "Submitter", "Submission", "Multimedia"};
constexpr int kTypeCount = int(std::size(kTypeNames));
constexpr const char* kOrientations[] = {"Landscape", "Portrait"};
constexpr const char* kMultiPages[] = {"Down then across", "Across then down",
                                       "Max. one page across"};
constexpr int kTitleLabel = 1002, kSubtitleLabel = 1003, kOrientationLabel = 1004,
              kMultiPageLabel = 1005, kPrintGroup = 1183;

/// The list entry of a record type; -1 when the list has none.
int TypeEntry(const CFieldDef* type)
{
    const int index = type ? GetRecordTypeIndex(type) : -1;
    return index >= 0 && index < kTypeCount ? index : -1;
}

} // namespace

CQryGenWnd::CQryGenWnd(CSubViewQuery& window) : CQryPane(window)
{
    MapHandlers();
}

CQryGenWnd::~CQryGenWnd()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

void CQryGenWnd::MapHandlers()
{
    MapNotify(kTypeList, CBN_SELCHANGE, [this] { OnTypeChosen(); });
    MapNotify(kReadOnly, BN_CLICKED, [this] { OnReadOnlyClicked(); });
    MapNotify(kOrientation, CBN_SELCHANGE, [this] { OnPrintListChosen(kOrientation); });
    MapNotify(kMultiPage, CBN_SELCHANGE, [this] { OnPrintListChosen(kMultiPage); });
    for (int id : {kDescription, kTitle, kSubtitle}) {
        MapNotify(id, EN_CHANGE, [this] { OnTextChanged(); });
        MapNotify(id, EN_KILLFOCUS, [this, id] { StoreText(id); });
    }
}

int CQryGenWnd::OnCreate(CREATESTRUCT* createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    CRect design;
    if (!BuildTemplate(kTemplate, design))
        return -1;
    const auto fill = [this](int id, std::initializer_list<const char*> entries) {
        auto* list = dynamic_cast<CComboBox*>(GetDlgItem(id));
        if (!list)
            return false;
        for (const char* entry : entries)
            if (list->AddString(entry) < 0)
                return false;
        return true;
    };
    if (!fill(kTypeList, {kTypeNames[0], kTypeNames[1], kTypeNames[2], kTypeNames[3], kTypeNames[4],
                          kTypeNames[5], kTypeNames[6], kTypeNames[7]}) ||
        !fill(kOrientation, {kOrientations[0], kOrientations[1]}) ||
        !fill(kMultiPage, {kMultiPages[0], kMultiPages[1], kMultiPages[2]}))
        return -1;
    LoadFromQuery();
    SetAnchors(design);
    return 0;
}

void CQryGenWnd::SetAnchors(const CRect& design)
{
    using L = CDlgLayout;
    const auto anchor = [&](int id, int top, int bottom, int right) {
        if (CWnd* control = GetDlgItem(id))
            m_layout.AddControl(this, control, design, top, nullptr, L::kNoChange, nullptr, bottom,
                                nullptr, right, nullptr);
    };
    anchor(kDescription, L::kNoChange, L::kToBottom, L::kToRight);
    for (int id : {kPrintGroup, kTitle, kSubtitle})
        anchor(id, L::kToBottom, L::kToBottom, L::kToRight);
    for (int id : {kTitleLabel, kSubtitleLabel, kOrientationLabel, kMultiPageLabel, kOrientation,
                   kMultiPage})
        anchor(id, L::kToBottom, L::kToBottom, L::kNoChange);
}

// Loading.

void CQryGenWnd::ReloadType()
{
    m_typeConfirmed = false;
    const CQueryDef* query = m_window.GetQuery();
    SelectType(query ? query->GetRecordType() : nullptr);
}

void CQryGenWnd::SelectType(const CFieldDef* type)
{
    if (auto* list = dynamic_cast<CComboBox*>(GetDlgItem(kTypeList)))
        list->SetCurSel(TypeEntry(type));
    m_recordType = type;
    m_window.ApplyRecordType();
}

void CQryGenWnd::LoadFromQuery()
{
    if (!GetSafeHwnd())
        return;
    const CFlagGuard loading(m_loading);
    CQueryDef* query = m_window.GetQuery();
    SelectType(query ? query->GetRecordType() : nullptr);
    auto* readOnly = dynamic_cast<CButton*>(GetDlgItem(kReadOnly));
    auto* orientation = dynamic_cast<CComboBox*>(GetDlgItem(kOrientation));
    auto* multiPage = dynamic_cast<CComboBox*>(GetDlgItem(kMultiPage));
    const auto setText = [this](int id, const std::string& text) {
        if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(id))) {
            edit->SetWindowText(text);
            edit->SetModify(FALSE);
        }
    };
    if (query) {
        const bool custom = query->IsCustom();
        readOnly->SetCheck(custom && query->IsReadOnly() ? BST_CHECKED : BST_UNCHECKED);
        readOnly->ShowWindow(custom ? SW_SHOW : SW_HIDE);
        m_window.SetCaptionText(!custom               ? "Standard Query (read only)"
                                : query->IsReadOnly() ? "Custom Query - read only"
                                                      : "Custom Query");
        setText(kDescription, query->GetDescription());
        setText(kTitle, query->Title().GetText());
        setText(kSubtitle, query->Subtitle().GetText());
        const int orient = query->GetOrientation();
        orientation->SetCurSel(orient == QOR_LANDSCAPE || orient == QOR_PORTRAIT ? orient : -1);
        const int pages = query->GetMultiPage();
        multiPage->SetCurSel(pages >= QMP_DOWN_FIRST && pages <= QMP_ACROSS_ONE_MAX ? pages : -1);
    } else {
        for (int id : {kDescription, kTitle, kSubtitle})
            setText(id, {});
        readOnly->SetCheck(BST_UNCHECKED);
        readOnly->ShowWindow(SW_HIDE);
        std::string title; // the window's own title: "<No Query>"
        m_window.GetTitle(title);
        m_window.SetCaptionText(title);
        orientation->SetCurSel(-1);
        multiPage->SetCurSel(-1);
    }
    const bool editable = query && query->IsCustom() && !query->IsReadOnly();
    if (CWnd* list = GetDlgItem(kTypeList))
        list->EnableWindow(editable);
    for (int id : {kDescription, kTitle, kSubtitle})
        if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(id)))
            edit->SetReadOnly(!editable);
}

// Editing.

void CQryGenWnd::OnTypeChosen()
{
    auto* list = dynamic_cast<CComboBox*>(GetDlgItem(kTypeList));
    const int entry = list ? list->GetCurSel() : -1;
    const CFieldDef* type = entry >= 0 && entry < kTypeCount ? GetRecordTypeDef(entry) : nullptr;
    if (!type)
        return;
    const CQueryDef* query = m_window.GetQuery();
    if (!query || query->GetRecordType() == type) {
        SelectType(type);
        return;
    }
    // Rows are cleared as well as columns, so a query with rows alone is asked about too.
    const bool hasSelections = query->GetColumnCount(false) > 0 || query->GetFilterCount() > 0;
    if (!m_typeConfirmed && hasSelections &&
        MessageBox("If you change query type, existing row and column selections will be "
                   "cleared.",
                   MB_OKCANCEL) != IDOK) {
        list->SetCurSel(TypeEntry(m_recordType));
        return;
    }
    m_typeConfirmed = true;
    SelectType(type);
}

void CQryGenWnd::OnReadOnlyClicked()
{
    CQueryDef* query = m_window.GetQuery();
    if (m_loading || !query)
        return;
    auto* box = dynamic_cast<CButton*>(GetDlgItem(kReadOnly));
    const bool ticked = box && box->GetCheck() == BST_CHECKED;
    if (ticked == query->IsReadOnly())
        return;
    query->SetReadOnly(ticked);
    // A read-only query's edits stay in memory, but the mark itself has to reach its file.
    if (ticked && query->IsCustom() && !query->IsNew())
        query->SetDirty(!SaveQuery(*query, nullptr, false));
    else
        CommitQueryChange(*query);
    m_window.SetQuery(m_window.GetQueryPtr(), true);
}

void CQryGenWnd::OnPrintListChosen(int id)
{
    CQueryDef* query = m_window.GetQuery();
    auto* list = dynamic_cast<CComboBox*>(GetDlgItem(id));
    if (m_loading || !query || !list || list->GetCurSel() < 0)
        return;
    const int value = list->GetCurSel();
    if (id == kOrientation) {
        if (value == query->GetOrientation())
            return;
        query->SetOrientation(value);
    } else {
        if (value == query->GetMultiPage())
            return;
        query->SetMultiPage(value);
    }
    CommitQueryChange(*query);
}

void CQryGenWnd::OnTextChanged()
{
    CQueryDef* query = m_window.GetQuery();
    if (m_loading || !query)
        return;
    // The headings are compiled again from their new text when next used. The text itself is
    // stored, and the file written, when the edit loses the focus.
    query->Title().SetText(std::string(query->Title().GetText()));
    query->Subtitle().SetText(std::string(query->Subtitle().GetText()));
    query->SetDirty(true);
}

void CQryGenWnd::StoreText(int id)
{
    CQueryDef* query = m_window.GetQuery();
    auto* edit = dynamic_cast<CEdit*>(GetDlgItem(id));
    if (m_loading || !query || !edit || !edit->GetModify())
        return;
    std::string text;
    edit->GetWindowText(text);
    if (id == kDescription)
        query->SetDescription(std::move(text));
    else if (id == kTitle)
        query->Title().SetText(std::move(text));
    else
        query->Subtitle().SetText(std::move(text));
    CommitQueryChange(*query);
    edit->SetModify(FALSE);
}

bool CQryGenWnd::CommitEdits()
{
    for (int id : {kDescription, kTitle, kSubtitle})
        StoreText(id);
    return true;
}

void CQryGenWnd::SetOrientationSel(bool landscape)
{
    if (auto* list = dynamic_cast<CComboBox*>(GetDlgItem(kOrientation)))
        list->SetCurSel(landscape ? QOR_LANDSCAPE : QOR_PORTRAIT);
}
