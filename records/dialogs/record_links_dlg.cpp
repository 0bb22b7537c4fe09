// records/dialogs/record_links_dlg.cpp: the Record Links dialog.
#include "records/dialogs/record_links_dlg.h"

#include "common/abort.h"
#include "database/dictionary/record_type_table.h"
#include "database/records/record_links.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "queries/expression.h"

namespace {

/// The grid's rows, as FillLinksToGrid hands them over.
class CGridRows final : public IRecordRowSink {
public:
    explicit CGridRows(CTagGrid& grid) : m_grid(grid) {}
    void AddRecordRow(CRecordNode* record) override
    {
        m_grid.AddRecordRow(record, true, false, false, true);
    }

private:
    CTagGrid& m_grid;
};

} // namespace

CRecordLinksDlg::CRecordLinksDlg(CWnd* parent) : CDialog(kRecordLinksTemplate, parent) {}

BOOL CRecordLinksDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CWaitCursor wait;
    if (!m_record)
        ThrowAbort();
    const std::string text = GetRecordNameText(*m_record);
    const std::string label = m_record->GetFieldDef() ? m_record->GetFieldDef()->GetLabel() : "";
    SetDlgItemText(IDC_LINKS_HEADING, "Records linked to " + label + " " + text);

    if (CWnd* frame = GetDlgItem(IDC_LINKS_GRID_FRAME)) {
        CRect rect;
        frame->GetWindowRect(&rect);
        ScreenToClient(&rect);
        if (m_grid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, rect, this,
                          IDC_LINKS_GRID, this, 0)) {
            m_grid.SetEditable(false);
            m_grid.SetHeading("Records", "No records found");
            CDataRef links;
            if (links.SetText("=LinksFrom(,)")) {
                if (auto* expression = dynamic_cast<CExpression*>(links.GetExpression()))
                    expression->SetArgRecord(1, m_record);
                m_grid.AddOwnColumn("Links", "Links 000", links);
            }
        }
    }

    if (auto* types = dynamic_cast<CComboBox*>(GetDlgItem(IDC_LINKS_TYPES))) {
        types->SetItemData(types->AddString("All"), 0);
        for (int code = 1; code < GetRecordTypeCount(); ++code) {
            const CFieldDef* def = GetRecordTypeTable().Rows()[std::size_t(code)].m_topDef;
            if (def)
                types->SetItemData(types->AddString(def->GetLabel().c_str()), DWORD_PTR(code));
        }
        types->SetCurSel(0);
    }
    FillGrid();
    AnchorControls();
    return TRUE;
}

void CRecordLinksDlg::AnchorControls()
{
    CRect client;
    GetClientRect(&client);
    auto add = [&](int id, int top, int left, int bottom, int right) {
        if (CWnd* control = id == IDC_LINKS_GRID ? &m_grid : GetDlgItem(id))
            m_layout.AddControl(this, control, client, top, nullptr, left, nullptr, bottom, nullptr,
                                right, nullptr);
    };
    using L = CDlgLayout;
    add(IDC_LINKS_GRID, L::kNoChange, L::kNoChange, L::kToBottom, L::kToRight);
    add(IDC_LINKS_TYPES_LABEL, L::kToBottom, L::kNoChange, L::kToBottom, L::kNoChange);
    add(IDC_LINKS_TYPES, L::kToBottom, L::kNoChange, L::kToBottom, L::kToRight);
    add(IDC_LINKS_GO_TO, L::kToBottom, L::kToCentre, L::kToBottom, L::kToCentre);
    add(IDCANCEL, L::kToBottom, L::kToCentre, L::kToBottom, L::kToCentre);
    KeepOpeningSizeAsMinimum();
}

void CRecordLinksDlg::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (m_layout.GetCount() > 0)
        m_layout.ApplyLayout(this, cx, cy);
}

void CRecordLinksDlg::OnDestroy()
{
    m_layout.DestroyLayout();
    CDialog::OnDestroy();
}

void CRecordLinksDlg::FillGrid()
{
    if (!m_grid.GetSafeHwnd() || !m_record)
        return;
    const CFieldDef* typeDef = nullptr;
    if (const auto* types = dynamic_cast<const CComboBox*>(GetDlgItem(IDC_LINKS_TYPES))) {
        const int index = types->GetCurSel();
        const int code = index >= 0 ? int(types->GetItemData(index)) : 0;
        if (code >= 1 && code < GetRecordTypeCount())
            typeDef = GetRecordTypeTable().Rows()[std::size_t(code)].m_topDef;
    }
    m_grid.ResetList();
    CGridRows rows(m_grid);
    FillLinksToGrid(rows, *m_record, typeDef);
    m_grid.GetBox().RedrawAll();
    UpdateGoTo();
}

void CRecordLinksDlg::UpdateGoTo()
{
    if (CWnd* goTo = GetDlgItem(IDC_LINKS_GO_TO))
        goTo->EnableWindow(m_grid.GetSafeHwnd() && m_grid.GetSelectedRecord(false) != nullptr);
}

void CRecordLinksDlg::OnGridSelChanged(CTagGrid*)
{
    UpdateGoTo();
}

BOOL CRecordLinksDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id == IDC_LINKS_TYPES && HIWORD(wParam) == CBN_SELCHANGE) {
        FillGrid();
        return TRUE;
    }
    if (id == IDC_LINKS_GO_TO && HIWORD(wParam) == BN_CLICKED) {
        m_goTo = m_grid.GetSelectedRecord(false);
        if (m_goTo)
            EndDialog(IDOK);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
