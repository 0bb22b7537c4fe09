// records/dialogs/auto_citation_dlg.cpp: filling, checking and reading the automatic citation
// dialog.
#include "records/dialogs/auto_citation_dlg.h"

#include "records/datactl/data_ctl_date.h"
#include "records/dialogs/select_record_dlg.h"

#include "database/dates/date_data.h"
#include "database/dates/date_node.h"
#include "database/dictionary/field_def.h"
#include "database/dictionary/field_dictionary.h"
#include "database/dictionary/field_ids.h"
#include "database/dictionary/record_type_table.h"
#include "database/paths/data_path.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"

#include <algorithm>
#include <memory>

namespace {

constexpr const char* kQualities[] = {"Unreliable", "Questionable", "Secondary Evidence",
                                      "Primary Evidence", "<clear assessment>"};
constexpr int kClearQuality = 4;

} // namespace

std::string TypedDateToGedcom(const std::string& typed)
{
    CDateData date;
    date.SetFromText(typed, false, false, GetDateParseOptions());
    return date.IsEmpty() ? std::string()
                          : date.GetGedcomLineText() + date.GetGedcomValueText().value_or("");
}

CAutoCitationDlg::CAutoCitationDlg(CWnd* parent) : CDialog(kAutoCitationTemplate, parent) {}

BOOL CAutoCitationDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    int highest = 0;
    for (std::size_t i = 0; i < GetTemplateItemCount(); ++i)
        if (const CWnd* child = GetTemplateItem(i); child && child->GetDlgCtrlID() != 0xFFFF)
            highest = std::max(highest, child->GetDlgCtrlID());
    if (CWnd* placeholder = GetDlgItem(IDC_CITE_DATE)) {
        std::string text;
        placeholder->GetWindowText(text);
        auto path = std::make_unique<CDataPath>();
        const CFieldDef* last = nullptr;
        if (text.starts_with('~') &&
            path->ParseText(text.substr(1), FindStructDefById(STRUCT_SOURCE_CITATION)))
            last = path->GetLastField();
        CDataCtl* control =
            last && last->GetControlClass() ? last->GetControlClass()->Create() : nullptr;
        if (control) {
            CRect rect;
            placeholder->GetWindowRect(&rect);
            ScreenToClient(&rect);
            if (control->CreateCtl(FALSE, rect, this, nullptr, UINT(highest + 1), this,
                                   std::move(path), 0)) {
                control->Clear();
                control->GetWnd().SetTabOrderAfter(placeholder);
                control->GetWnd().ShowWindow(SW_SHOW);
                placeholder->ShowWindow(SW_HIDE);
                m_dateControl = control;
            } else {
                control->DestroyCtl(FALSE);
            }
        }
    }
    if (auto* quality = dynamic_cast<CComboBox*>(GetDlgItem(IDC_CITE_QUALITY)))
        for (const char* item : kQualities)
            quality->AddString(item);
    if (!m_value.m_source) {
        CheckDlgButton(IDC_CITE_NEW_RECORDS, BST_CHECKED);
        CheckDlgButton(IDC_CITE_NEW_FIELDS, BST_CHECKED);
    } else {
        Fill(m_value);
        CheckDlgButton(IDC_CITE_NEW_RECORDS, m_newRecords ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(IDC_CITE_NEW_FIELDS, m_newFields ? BST_CHECKED : BST_UNCHECKED);
    }
    if (CWnd* paste = GetDlgItem(IDC_CITE_PASTE))
        paste->EnableWindow(GetLastCitation() != nullptr);
    return TRUE;
}

void CAutoCitationDlg::Fill(const CAutoCitation& value)
{
    m_value.m_source = value.m_source;
    SetDlgItemText(IDC_CITE_SOURCE, NodeText(value.m_source));
    if (auto* date = dynamic_cast<CDataCtlDate*>(m_dateControl)) {
        CDateData data;
        data.SetFromText(value.m_date, true, false, GetDateParseOptions());
        date->ApplyAssistantResult(data);
    }
    if (auto* quality = dynamic_cast<CComboBox*>(GetDlgItem(IDC_CITE_QUALITY)))
        quality->SetCurSel(value.m_quality >= 0 && value.m_quality <= 3 ? value.m_quality : -1);
    SetDlgItemText(IDC_CITE_PAGE, value.m_page);
    SetDlgItemText(IDC_CITE_TEXT, ToCrLfLines(value.m_text));
    SetDlgItemText(IDC_CITE_NOTE, ToCrLfLines(value.m_note));
}

void CAutoCitationDlg::OnSelectSource()
{
    CRecordNode* source = SelectRecordOfList(this, "Select source...", RECORD_LIST_SOUR, true);
    if (!source)
        return;
    m_value.m_source = source;
    SetDlgItemText(IDC_CITE_SOURCE, NodeText(source));
}

BOOL CAutoCitationDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDC_CITE_SELECT:
        OnSelectSource();
        return TRUE;
    case IDC_CITE_PASTE:
        if (const CAutoCitation* last = GetLastCitation())
            Fill(*last);
        return TRUE;
    case IDC_CITE_CANCEL:
        EndDialog(IDCANCEL);
        return TRUE;
    case IDC_CITE_QUALITY:
        if (HIWORD(wParam) == CBN_SELCHANGE)
            if (auto* quality = dynamic_cast<CComboBox*>(GetDlgItem(IDC_CITE_QUALITY));
                quality && quality->GetCurSel() == kClearQuality)
                quality->SetCurSel(-1);
        return CDialog::OnCommand(wParam, lParam);
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

void CAutoCitationDlg::OnOK()
{
    if (!m_value.m_source) {
        MessageBox("You must specify a source record.", MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(GetDlgItem(IDC_CITE_SELECT));
        return;
    }
    const bool newRecords = IsDlgButtonChecked(IDC_CITE_NEW_RECORDS) == BST_CHECKED;
    const bool newFields = IsDlgButtonChecked(IDC_CITE_NEW_FIELDS) == BST_CHECKED;
    if (!newRecords && !newFields) {
        MessageBox("You must check one or both of the 2 check boxes", MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(GetDlgItem(IDC_CITE_NEW_RECORDS));
        return;
    }
    m_newRecords = newRecords;
    m_newFields = newFields;
    std::string typed;
    m_value.m_date = m_dateControl && m_dateControl->GetValueText(typed) ? TypedDateToGedcom(typed)
                                                                         : std::string();
    const auto* quality = dynamic_cast<const CComboBox*>(GetDlgItem(IDC_CITE_QUALITY));
    const int chosen = quality ? quality->GetCurSel() : -1;
    m_value.m_quality = chosen >= 0 && chosen <= 3 ? chosen : -1;
    GetDlgItemText(IDC_CITE_PAGE, m_value.m_page);
    std::string text;
    GetDlgItemText(IDC_CITE_TEXT, text);
    m_value.m_text = ToLfLines(text);
    GetDlgItemText(IDC_CITE_NOTE, text);
    m_value.m_note = ToLfLines(text);
    EndDialog(IDOK);
}
