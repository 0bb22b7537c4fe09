// records/properties/source_citation_pane.cpp: the citation pane's parts, its lists kept in step
// with the data, its detail controls and its five commands.
#include "records/properties/source_citation_pane.h"

#include "database/nodes/change_hint.h"
#include "records/dialogs/auto_citation_dlg.h"
#include "records/dialogs/select_record_dlg.h"
#include "records/grid/free_rows.h"
#include "records/grid/rec_wnd_options.h"
#include "records/properties/mini_buttons.h"
#include "records/properties/properties_dlg.h"

#include "common/abort.h"
#include "controls/dialog_template_builder.h"
#include "database/dictionary/field_def.h"
#include "database/dictionary/field_dictionary.h"
#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/node_choice_list.h"
#include "database/nodes/source_citation.h"
#include "database/paths/data_path.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/flag_guard.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/drawing/dc.h"

#include <algorithm>

namespace {

/// The assessment 0 to 3 that an assessment control's text stands for: an entry's words or key
/// of the field's list, or the digit itself; -1 for anything else.
int AssessmentOf(const CFieldDef* def, const std::string& text)
{
    const int index = def ? def->FindEnumValue(text, true) : -1;
    const std::string key = index >= 0 ? def->GetEnumValue(index, false) : text;
    return key.size() == 1 && key[0] >= '0' && key[0] <= '3' ? key[0] - '0' : -1;
}

constexpr UINT kTemplate = 288;
/// The record-window colour row of "Source - background".
constexpr int kSourceBackground = 12;
constexpr int kLabels[] = {1457, 1404, 1454, 1455, 1456, 1329};
constexpr MiniButtonSpec kButtons[] = {
    {CSourceCitationPane::kAdd, 292, "Add Citation", 29},
    {CSourceCitationPane::kCopy, 311, "Copy Citation", 24},
    {CSourceCitationPane::kPaste, 296, "Paste Citation", 24},
    {CSourceCitationPane::kDelete, 297, "Delete Citation", 29},
    {CSourceCitationPane::kGoToSource, 298, "Go To Source Record", 0},
};

class CComboChoices final : public INodeChoiceList {
public:
    explicit CComboChoices(CComboBox& combo) : m_combo(combo) {}
    void AddChoice(std::string_view text, CDataNode* node) override
    {
        const int index = m_combo.AddString(std::string(text).c_str());
        m_combo.SetItemData(index, reinterpret_cast<DWORD_PTR>(node));
    }

private:
    CComboBox& m_combo;
};

/// The node a detail path names below citation (the path's first step is the citation itself),
/// found by field id; with create, missing fields are made.
CDataNode* FindDetailNode(CDataNode* citation, const CDataPath& path, bool create)
{
    CDataNode* node = citation;
    const CDataPathStep* step = path.NextStep(nullptr);
    for (step = step ? path.NextStep(step) : nullptr; node && step; step = path.NextStep(step)) {
        const int id = step->m_def ? step->m_def->GetFieldId() : 0;
        CDataNode* child = node->FindChild(nullptr, id);
        node = child ? child : create ? node->CreateChildById(id) : nullptr;
    }
    return node;
}

/// What a citation's row shows: the source record a link points at, or the source note itself.
CDataNode* ShownNode(CDataNode* citation)
{
    return citation->GetFieldId() == FIELD_SOUR ? citation->GetLinkTarget() : citation;
}

} // namespace

std::vector<CDataNode*> CollectCitations(const CDataNode* field)
{
    std::vector<CDataNode*> links, texts;
    for (CDataNode* child = field ? field->GetFirstChild() : nullptr; child;
         child = child->GetNextSibling()) {
        if (child->IsEmpty())
            continue;
        if (child->GetFieldId() == FIELD_SOUR)
            links.push_back(child);
        else if (child->GetFieldId() == FIELD_SOUR_TEXT)
            texts.push_back(child);
    }
    links.insert(links.end(), texts.begin(), texts.end());
    return links;
}

CSourceCitationPane::CSourceCitationPane(CPropertiesDlg& box) : m_box(box) {}

CSourceCitationPane::~CSourceCitationPane()
{
    for (Detail& detail : m_details)
        if (detail.control)
            detail.control->DestroyCtl(FALSE);
    if (GetSafeHwnd())
        DestroyWindow();
}

int CSourceCitationPane::GetTemplateWidth()
{
    const CDlgTemplateBuilder builder(kTemplate, nullptr);
    RECT rect{};
    builder.GetTemplateRect(rect);
    return rect.right - rect.left;
}

BOOL CSourceCitationPane::CreatePane(const RECT& rect, UINT id)
{
    if (!CreateEx(0, nullptr, "Citation Area", WS_CHILD | WS_BORDER | WS_CLIPCHILDREN, rect, &m_box,
                  id))
        return FALSE;
    const CDlgTemplateBuilder builder(kTemplate, nullptr);
    if (!builder.IsValid() || !builder.CreateControls(*this, m_templateControls))
        return FALSE;
    int highest = 0;
    for (const auto& control : m_templateControls)
        if (control->GetDlgCtrlID() != 0xFFFF)
            highest = std::max(highest, control->GetDlgCtrlID());
    UINT nextId = UINT(highest + 1);
    // The template is wider than the pane's client area (the box gives the pane its template's
    // width less a margin, and the pane has a border): a control that runs to the template's
    // right margin is laid out against the client area's right edge instead.
    RECT templateRect{};
    builder.GetTemplateRect(templateRect);
    const int templateWidth = templateRect.right - templateRect.left;
    int margin = templateWidth;
    for (const auto& control : m_templateControls) {
        CRect place;
        control->GetWindowRect(&place);
        ScreenToClient(&place);
        margin = std::min(margin, int(place.left));
    }
    CRect client;
    GetClientRect(&client);
    const CFieldDef* citation = FindStructDefById(STRUCT_SOURCE_CITATION);
    for (const auto& control : m_templateControls) {
        std::string text;
        control->GetWindowText(text);
        CRect place;
        control->GetWindowRect(&place);
        ScreenToClient(&place);
        const int gap = templateWidth - place.right;
        const bool stretched = gap <= margin;
        if (stretched)
            place.right = std::max(place.left, client.right - gap);
        if (text == "<TAGGRID>" && !m_grid.GetSafeHwnd()) {
            if (!m_grid.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL |
                                   WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                               place, this, nextId++, this, 0, true))
                ThrowAbort();
            m_grid.SetHeading("Source", "No Sources", "");
            m_grid.SetEditable(false);
            m_grid.SetTabOrderAfter(control.get());
            CreateMiniButtons(this, this, kButtons, m_buttons, place.left, place.bottom + 1);
            control->DestroyWindow();
            if (stretched)
                m_stretched.push_back({&m_grid, gap});
            continue;
        }
        const bool compact = text.starts_with("F~");
        if (!text.starts_with('~') && !compact) {
            if (stretched) {
                control->MoveWindow(place);
                m_stretched.push_back({control.get(), gap});
            }
            continue;
        }
        auto path = std::make_unique<CDataPath>();
        const std::string pathText = text.substr(compact ? 2 : 1);
        if (!path->ParseText(pathText, citation))
            continue;
        const CFieldDef* last = path->GetLastField();
        CDataCtl* detail =
            last && last->GetControlClass() ? last->GetControlClass()->Create() : nullptr;
        if (!detail)
            continue;
        if (!detail->CreateCtl(FALSE, place, this, nullptr, nextId++, this, std::move(path),
                               compact ? 2 : 1)) {
            detail->DestroyCtl(FALSE);
            continue;
        }
        detail->Clear();
        detail->GetWnd().SetTabOrderAfter(control.get());
        detail->GetWnd().ShowWindow(SW_SHOW);
        m_details.push_back(
            {detail, pathText.substr(pathText.find('.') + 1), stretched ? gap : -1});
        control->DestroyWindow();
    }
    SetBackColour(RecWndOptions().GetColour(kSourceBackground));
    SetCurrentField(nullptr);
    ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CSourceCitationPane::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, RecWndOptions().GetColour(kSourceBackground));
    return TRUE;
}

void CSourceCitationPane::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    StretchControls(cx);
}

void CSourceCitationPane::StretchControls(int width)
{
    const auto stretch = [this, width](CWnd& wnd, int gap) {
        if (gap < 0 || !wnd.GetSafeHwnd())
            return;
        CRect place;
        wnd.GetWindowRect(&place);
        ScreenToClient(&place);
        place.right = std::max(place.left, width - gap);
        wnd.MoveWindow(place);
    };
    for (const Stretched& control : m_stretched)
        stretch(*control.wnd, control.gap);
    for (const Detail& detail : m_details)
        stretch(detail.control->GetWnd(), detail.gap);
}

void CSourceCitationPane::SetBackColour(COLORREF colour)
{
    if (!m_backBrush.GetSafeHandle() || colour != m_backColour) {
        m_backBrush.DeleteObject();
        m_backBrush.CreateSolidBrush(colour);
        m_backColour = colour;
    }
    for (Detail& detail : m_details)
        detail.control->SetUserValues(m_backBrush.GetSafeHandle(), colour);
}

HBRUSH CSourceCitationPane::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    const bool staticOrButton = ctlColor == CTLCOLOR_STATIC || ctlColor == CTLCOLOR_BTN;
    if (!staticOrButton || dynamic_cast<CEdit*>(wnd))
        return CWnd::OnCtlColor(dc, wnd, ctlColor);
    const COLORREF colour = RecWndOptions().GetColour(kSourceBackground);
    if (colour != m_backColour || !m_backBrush.GetSafeHandle())
        SetBackColour(colour);
    dc->SetBkColor(m_backColour);
    return m_backBrush.GetSafeHandle();
}

CDataCtl* CSourceCitationPane::GetDetail(const std::string& path) const
{
    for (const Detail& detail : m_details)
        if (detail.path == path)
            return detail.control;
    return nullptr;
}

void CSourceCitationPane::OnCtlDestroyed(CDataCtl* control)
{
    m_details.erase(std::remove_if(m_details.begin(), m_details.end(),
                                   [control](const Detail& d) { return d.control == control; }),
                    m_details.end());
}

void CSourceCitationPane::SetCurrentField(CDataNode* node)
{
    m_base = node;
    FillFieldList();
    FillGrid();
    ShowParts();
}

void CSourceCitationPane::FillFieldList()
{
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(kFieldList));
    if (!combo)
        return;
    combo->ResetContent();
    if (m_base && !m_base->GetFieldDef()->HasFlag(FDF_NO_CITATION)) {
        CComboChoices choices(*combo);
        m_base->FillChoiceList(choices, false);
        if (combo->GetCount() > 0)
            combo->SetCurSel(0);
    }
}

std::vector<CDataNode*> CSourceCitationPane::ListedFields() const
{
    std::vector<CDataNode*> fields;
    if (const auto* combo = dynamic_cast<const CComboBox*>(GetDlgItem(kFieldList)))
        for (int i = 0; i < combo->GetCount(); ++i)
            fields.push_back(reinterpret_cast<CDataNode*>(combo->GetItemData(i)));
    return fields;
}

CDataNode* CSourceCitationPane::GetSelectedField() const
{
    const auto* combo = dynamic_cast<const CComboBox*>(GetDlgItem(kFieldList));
    const int index = combo ? combo->GetCurSel() : -1;
    return index >= 0 ? reinterpret_cast<CDataNode*>(combo->GetItemData(index)) : nullptr;
}

void CSourceCitationPane::ShowParts()
{
    const bool show = m_base && !m_base->GetFieldDef()->HasFlag(FDF_NO_CITATION);
    const int command = show ? SW_SHOW : SW_HIDE;
    if (CWnd* combo = GetDlgItem(kFieldList))
        combo->ShowWindow(command);
    m_grid.ShowWindow(command);
    for (const Detail& detail : m_details)
        detail.control->GetWnd().ShowWindow(command);
    for (CUButton& button : m_buttons)
        if (button.GetSafeHwnd())
            button.ShowWindow(command);
    for (const int label : kLabels)
        if (CWnd* wnd = GetDlgItem(label))
            wnd->ShowWindow(command);
    if (CWnd* notApplicable = GetDlgItem(kNotApplicable))
        notApplicable->ShowWindow(m_base && !show ? SW_SHOW : SW_HIDE);
}

void CSourceCitationPane::FillGrid()
{
    {
        const CFlagGuard filling(m_filling);
        m_grid.ResetList();
        CDataNode* field = GetSelectedField();
        m_grid.EnableWindow(field != nullptr);
        CTreeBoxNode* last = nullptr;
        for (CDataNode* citation : CollectCitations(field))
            if (CTreeBoxNode* row = m_grid.InsertFreeRow(ShownNode(citation), last))
                last = row;
        m_grid.GetBox().RedrawAll();
    }
    SelectCitation(nullptr);
}

void CSourceCitationPane::RefreshGrid(CView* sender, LPARAM hint, CObject* object)
{
    const CFlagGuard filling(m_filling);
    CDataNode* field = GetSelectedField();
    if (!field) {
        m_grid.ResetList();
        return;
    }
    m_grid.Refill(sender, long(hint), object);
    std::vector<CDataNode*> shown;
    for (CDataNode* citation : CollectCitations(field))
        shown.push_back(ShownNode(citation));
    SyncFreeRows(m_grid, shown);
}

void CSourceCitationPane::SelectCitation(const CDataNode* citation)
{
    CTreeBoxNode* row = citation ? FindCitationRow(citation) : nullptr;
    if (!row)
        row = m_grid.GetBox().GetFirstItem();
    {
        const CFlagGuard filling(m_filling);
        m_grid.GetBox().ClearSelection(nullptr, false);
        if (row)
            m_grid.SelectRow(row, false, true);
    }
    ShowDetails();
}

CTreeBoxNode* CSourceCitationPane::FindCitationRow(const CDataNode* citation) const
{
    for (CTreeBoxNode* row = const_cast<CTagGrid&>(m_grid).GetBox().GetFirstItem(); row;
         row = row->m_nextSibling)
        if (CitationOfRow(row) == citation)
            return row;
    return nullptr;
}

CDataNode* CSourceCitationPane::CitationOfRow(const CTreeBoxNode* row) const
{
    const CDataNode* shown = CTagGrid::NodeOf(row);
    if (!shown || row->m_level != 0)
        return nullptr;
    // The n-th row of a source stands for the n-th link to it.
    int earlier = 0;
    for (const CTreeBoxNode* above = row->m_prevSibling; above; above = above->m_prevSibling)
        earlier += CTagGrid::NodeOf(above) == shown;
    for (CDataNode* citation : CollectCitations(GetSelectedField()))
        if (ShownNode(citation) == shown && earlier-- == 0)
            return citation;
    return nullptr;
}

CDataNode* CSourceCitationPane::GetCurrentCitation() const
{
    CTreeBox& box = const_cast<CTagGrid&>(m_grid).GetBox();
    if (box.GetSelectedCount() != 1)
        return nullptr;
    const CTreeBoxNode* row = box.GetNextSelected(nullptr);
    return row && !(row->m_data2 & kRowLinkMode) ? CitationOfRow(row) : nullptr;
}

void CSourceCitationPane::ShowDetails()
{
    CDataNode* citation = GetCurrentCitation();
    const bool link = citation && citation->GetFieldId() == FIELD_SOUR;
    for (const Detail& detail : m_details) {
        CDataNode* node =
            link ? FindDetailNode(citation, *detail.control->GetDataPath(), false) : nullptr;
        detail.control->SetReadOnly(!link);
        if (node)
            node->UpdateFromControl(detail.control, false, false);
        else
            detail.control->Clear();
    }
    UpdateButtons();
}

void CSourceCitationPane::UpdateButtons()
{
    CDataNode* citation = GetCurrentCitation();
    const bool field = GetSelectedField() != nullptr;
    const bool enabled[] = {field, citation != nullptr, field && GetLastCitation() != nullptr,
                            citation != nullptr, citation && citation->GetFieldId() == FIELD_SOUR};
    for (std::size_t i = 0; i < std::size(m_buttons); ++i)
        if (m_buttons[i].GetSafeHwnd())
            m_buttons[i].EnableWindow(enabled[i]);
    if (m_grid.GetSafeHwnd())
        m_grid.UpdateMoveButtons();
}

void CSourceCitationPane::OnGridSelChanged(CTagGrid*)
{
    if (!m_filling)
        ShowDetails();
}

bool CSourceCitationPane::MayDelete(CTagGrid*)
{
    OnDeleteCitation();
    return false;
}

bool CSourceCitationPane::CanMove(CTagGrid*, int direction, bool& result)
{
    CTreeBox& box = m_grid.GetBox();
    const CTreeBoxNode* row = box.GetSelectedCount() == 1 ? box.GetNextSelected(nullptr) : nullptr;
    result = row && (direction == CTagGrid::kMoveUp ? row->m_prevSibling : row->m_nextSibling);
    return true;
}

bool CSourceCitationPane::BeforeMove(CTagGrid*, int direction)
{
    CDataNode* citation = GetCurrentCitation();
    CDataNode* field = GetSelectedField();
    if (!citation || !field || citation->GetParent() != field)
        return false;
    if (!(direction == CTagGrid::kMoveUp ? citation->MoveUp() : citation->MoveDown()))
        return false;
    m_selectAfterRefresh = citation;
    NotifyChanges();
    m_selectAfterRefresh = nullptr;
    return false;
}

void CSourceCitationPane::SelectField(CDataNode* node)
{
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(kFieldList));
    if (!combo)
        return;
    const std::vector<CDataNode*> listed = ListedFields();
    int found = -1;
    for (CDataNode* at = node; at && found < 0; at = at->IsRecord() ? nullptr : at->GetParent()) {
        const auto it = std::find(listed.begin(), listed.end(), at);
        if (at->CanHaveSourceCitation() && it != listed.end())
            found = int(it - listed.begin());
    }
    if (found == combo->GetCurSel())
        return;
    combo->SetCurSel(found);
    FillGrid();
}

void CSourceCitationPane::OnCtlKillFocus(CDataCtl* control, CWnd*, BOOL)
{
    if (!control || control->IsDestroying() || control->IsReadOnly() || !m_base)
        return;
    CDataNode* citation = GetCurrentCitation();
    if (!citation || citation->GetFieldId() != FIELD_SOUR)
        return;
    for (const Detail& detail : m_details) {
        if (detail.control != control)
            continue;
        if (CDataNode* node = FindDetailNode(citation, *detail.control->GetDataPath(), false)) {
            node->UpdateFromControl(control, true, true);
        } else if (!control->IsEmpty()) {
            try {
                if (CDataNode* made =
                        FindDetailNode(citation, *detail.control->GetDataPath(), true))
                    made->UpdateFromControl(control, true, false);
            } catch (...) {
                // What was made is announced below.
                EndAbandonedOperation();
            }
            NotifyChanges();
        }
    }
}

void CSourceCitationPane::CommitFocusedDetail()
{
    if (!GetSafeHwnd())
        return;
    for (CWnd* wnd = CWnd::GetFocus(); wnd && wnd != this; wnd = wnd->GetParent()) {
        for (const Detail& detail : m_details) {
            if (!detail.control || &detail.control->GetWnd() != wnd)
                continue;
            detail.control->CommitEdit();
            OnCtlKillFocus(detail.control, nullptr, TRUE);
            return;
        }
    }
}

void CSourceCitationPane::Refresh(CView* sender, LPARAM hint, CObject* object)
{
    if (!GetSafeHwnd())
        return;
    if (hint == kHintDataSetClearing || hint == kHintFileLoaded) {
        if (m_base)
            SetCurrentField(nullptr);
        UpdateButtons();
        return;
    }
    if (hint == kHintPrinterChanged || hint == kHintDiagramTextApplied ||
        hint == kHintDisplayOptionsApplied) {
        Invalidate();
        return;
    }
    if (!m_base) {
        UpdateButtons();
        return;
    }
    CDataNode* field = GetSelectedField();
    FillFieldList();
    if (!field || field->IsPendingDeletion()) {
        FillGrid();
        return;
    }
    const std::vector<CDataNode*> listed = ListedFields();
    const auto it = std::find(listed.begin(), listed.end(), field);
    if (it == listed.end()) {
        FillGrid();
        return;
    }
    if (auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(kFieldList)))
        combo->SetCurSel(int(it - listed.begin()));
    RefreshGrid(sender, hint, object);
    if (m_selectAfterRefresh)
        SelectCitation(m_selectAfterRefresh);
    else
        ShowDetails();
}

void CSourceCitationPane::OnButtonClicked(CUButton* button)
{
    switch (button->GetDlgCtrlID()) {
    case kAdd:
        OnAddCitation();
        break;
    case kCopy:
        OnCopyCitation();
        break;
    case kPaste:
        OnPasteCitation();
        break;
    case kDelete:
        OnDeleteCitation();
        break;
    case kGoToSource:
        OnGoToSource();
        break;
    default:
        break;
    }
}

void CSourceCitationPane::OnAddCitation()
{
    CDataNode* field = GetSelectedField();
    if (!field)
        return;
    CRecordNode* source = SelectRecordOfList(this, "Select source...", RECORD_LIST_SOUR, true);
    if (!source)
        return;
    CDataNode* citation = nullptr;
    try {
        citation = field->CreateChildById(FIELD_SOUR);
        if (citation && !citation->SetLink(source, true)) {
            field->DeleteChild(citation);
            citation = nullptr;
        }
    } catch (...) {
        citation = nullptr;
        EndAbandonedOperation();
    }
    m_selectAfterRefresh = citation;
    NotifyChanges();
    m_selectAfterRefresh = nullptr;
}

void CSourceCitationPane::OnCopyCitation()
{
    CDataNode* citation = GetCurrentCitation();
    if (!citation)
        return;
    CAutoCitation value;
    value.m_source = citation->GetFieldId() == FIELD_SOUR ? citation->GetLinkTarget() : nullptr;
    for (const Detail& detail : m_details) {
        std::string text;
        detail.control->GetValueText(text);
        if (detail.path == "DATA.DATE") {
            value.m_date = TypedDateToGedcom(text);
        } else if (detail.path == "QUAY") {
            value.m_quality = AssessmentOf(detail.control->GetBoundFieldDef(), text);
        } else if (detail.path == "PAGE") {
            value.m_page = text;
        } else if (detail.path == "DATA.TEXT") {
            value.m_text = ToLfLines(text);
        } else if (detail.path == "NOTE2") {
            value.m_note = ToLfLines(text);
        }
    }
    SetLastCitation(&value);
    UpdateButtons();
}

void CSourceCitationPane::OnPasteCitation()
{
    CDataNode* field = GetSelectedField();
    const CAutoCitation* last = GetLastCitation();
    if (field && last && last->m_source)
        AddSourceCitation(field, *last);
}

void CSourceCitationPane::OnDeleteCitation()
{
    CDataNode* citation = GetCurrentCitation();
    if (!citation)
        return;
    const bool link = citation->GetFieldId() == FIELD_SOUR;
    const char* question = link ? "Delete source citation?\n\n(Note: the Source record itself "
                                  "will not be deleted)"
                                : "Delete source note?";
    if (MessageBox(question, MB_OKCANCEL | MB_ICONQUESTION, "Ardenvel") != IDOK)
        return;
    if (CDataNode* parent = citation->GetParent())
        parent->DeleteChild(citation);
    NotifyChanges();
}

void CSourceCitationPane::OnGoToSource()
{
    CDataNode* citation = GetCurrentCitation();
    CRecordNode* source = citation ? citation->GetLinkTarget() : nullptr;
    if (!source || GetRecordTypeIndex(source->GetFieldDef()) != RECORD_LIST_SOUR)
        return;
    m_box.SetPinned(false);
    m_box.SetRecord(source, nullptr);
}
