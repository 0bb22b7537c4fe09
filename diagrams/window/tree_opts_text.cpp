// diagrams/window/tree_opts_text.cpp: the Text page and its scheme editing.
#include "diagrams/window/tree_opts_text.h"

#include "app/shell/save_message.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_observer.h"
#include "diagrams/diagram_options_target.h"
#include "diagrams/diagram_settings.h"
#include "diagrams/text_scheme_store.h"
#include "diagrams/window/diag_scheme_name_dlg.h"
#include "diagrams/window/tree_opts_dlg.h"
#include "diagrams/window/tree_opts_font.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/dialogs/list_box.h"
#include "templates/text_template.h"

#include <memory>

namespace {

constexpr const char* kDescriptions[kBoxTypeCount] = {
    "This template will be used for all box types that do not have their own template (the ones "
    "that do have an asterisk next to them in the list).",
    "Direct ancestors (parents, grandparents, great grandparents, etc) of the diagram root(s).",
    "Usually means direct descendants of the diagram root(s).  In the \"All Relatives\" "
    "diagram, it also includes any direct descendants of any ancestors of the diagram root(s) "
    "(e.g. cousins).",
    "Spouse of a 'descendant' (see above).",
    "'Descendants' (see above) with multiple spouses can optionally have a 'duplicate' box for "
    "each extra spouse.  See the \"General Options\" tab.",
    "Only applicable to the \"All Relatives\" diagram: 'proxy' boxes show where ancestors of "
    "the diagram root(s) fit into their parents' families.",
};

constexpr const char* kPictureMarkerNote =
    "A 'Picture Marker' consists of the text \"{picture}\" on a line of its own.  Picture "
    "Markers are used to indicate where in the text you want a picture to be displayed.  You "
    "cannot have more than one in a given template.  They are ignored if you are not "
    "displaying pictures, or if you are not displaying them within the body of the text.  See "
    "the 'Pictures' tab for more details";

bool IsBreak(char c)
{
    return c == '\r' || c == '\n';
}

/// The byte offset where line (0-based) of text starts, lines breaking at CR, LF, CR LF and
/// LF CR; text.size() when there are fewer lines.
std::size_t LineStart(const std::string& text, int line)
{
    std::size_t at = 0;
    for (int i = 0; i < line && at < text.size(); ++i) {
        while (at < text.size() && !IsBreak(text[at]))
            ++at;
        if (at >= text.size())
            break;
        const char first = text[at++];
        if (at < text.size() && IsBreak(text[at]) && text[at] != first)
            ++at;
    }
    return at;
}

/// The byte offset of character column from start, not beyond the line's end.
std::size_t ColumnOffset(const std::string& text, std::size_t start, int column)
{
    std::size_t at = start;
    for (int i = 0; i < column && at < text.size() && !IsBreak(text[at]); ++i) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            ++at;
    }
    return at;
}

} // namespace

CTreePageText::CTreePageText(CTreeOptsDlg& sheet)
    : CTreeOptsPage(kTemplate, sheet, {kSectionTextScheme})
{
}

BOOL CTreePageText::OnInitDialog()
{
    m_schemes.CopySchemeList(m_sheet.Target().GetTextSchemes());
    m_templateEdited = false;
    m_schemesChanged = false;
    CPropertyPage::OnInitDialog();
    if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(kTemplateId)))
        edit->LimitText(0);
    FillSchemes(Working().m_textScheme);
    SetModified(FALSE);
    return TRUE;
}

CTextScheme* CTreePageText::CurrentScheme() const
{
    return m_schemes.FindScheme(m_schemeName);
}

void CTreePageText::FillSchemes(const std::string& name)
{
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(kSchemeId));
    if (!combo)
        return;
    combo->ResetContent();
    for (const auto& scheme : m_schemes.Items())
        combo->AddString(scheme->Name().c_str());
    // No name stands for the default scheme, which the diagram then shows.
    const CTextScheme* fallback = m_schemes.GetDefaultScheme();
    const std::string wanted = name.empty() && fallback ? fallback->Name() : name;
    int chosen = combo->GetCount() > 0 ? 0 : -1;
    for (int i = 0; i < combo->GetCount(); ++i) {
        std::string shown;
        combo->GetLBText(i, shown);
        if (shown == wanted)
            chosen = i;
    }
    combo->SetCurSel(chosen);
    ShowScheme();
}

void CTreePageText::ShowScheme()
{
    const auto* combo = dynamic_cast<const CComboBox*>(GetDlgItem(kSchemeId));
    m_schemeName.clear();
    if (combo && combo->GetCurSel() >= 0)
        combo->GetLBText(combo->GetCurSel(), m_schemeName);
    const CTextScheme* scheme = CurrentScheme();
    if (CWnd* button = GetDlgItem(kDeleteId))
        button->EnableWindow(scheme && !scheme->IsSystem());
    if (CWnd* button = GetDlgItem(kResetId))
        button->EnableWindow(scheme && scheme->IsSystem());
    FillBoxTypes();
    ShowBoxType();
}

void CTreePageText::FillBoxTypes()
{
    auto* list = dynamic_cast<CListBox*>(GetDlgItem(kBoxTypeId));
    if (!list)
        return;
    const CTextScheme* scheme = CurrentScheme();
    const int selected = list->GetCurSel() >= 0 ? list->GetCurSel() : m_boxType;
    list->ResetContent();
    for (int type = 0; type < kBoxTypeCount; ++type) {
        std::string name = GetBoxTypeName(type);
        if (scheme && scheme->GetSchemeTemplate(type, false))
            name += "*";
        list->AddString(name.c_str());
    }
    list->SetCurSel(selected >= 0 && selected < kBoxTypeCount ? selected : 0);
}

void CTreePageText::ShowBoxType()
{
    if (const auto* list = dynamic_cast<const CListBox*>(GetDlgItem(kBoxTypeId));
        list && list->GetCurSel() >= 0)
        m_boxType = list->GetCurSel();
    SetDlgItemText(kDescriptionId, kDescriptions[m_boxType]);
    const CTextScheme* scheme = CurrentScheme();
    const std::string* text = scheme ? scheme->GetSchemeTemplate(m_boxType, false) : nullptr;
    SetTemplateText(text ? *text : std::string());
    m_templateEdited = false;
}

void CTreePageText::SetTemplateText(const std::string& text)
{
    ShowText(kTemplateId, text); // shown, not typed: the template is not edited
}

BOOL CTreePageText::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (!lParam || HIWORD(wParam) != BN_CLICKED)
        return CTreeOptsPage::OnCommand(wParam, lParam);
    switch (LOWORD(wParam)) {
    case kNewId:
        OnNew();
        return TRUE;
    case kDeleteId:
        OnDelete();
        return TRUE;
    case kResetId:
        OnReset();
        return TRUE;
    case kResetTemplateId:
        OnResetTemplate();
        return TRUE;
    case kDataRefId:
        OnDataReference();
        return TRUE;
    case kPictureMarkerId:
        OnPictureMarker();
        return TRUE;
    case kFontId:
        OnFont();
        return TRUE;
    default:
        return CTreeOptsPage::OnCommand(wParam, lParam);
    }
}

void CTreePageText::OnControlChanged(int id, UINT code)
{
    if (id == kSchemeId && code == CBN_SELCHANGE) {
        OnSchemeChosen();
    } else if (id == kBoxTypeId && code == LBN_SELCHANGE) {
        OnBoxTypeChosen();
    } else if (id == kTemplateId && code == EN_CHANGE) {
        m_templateEdited = true;
        SetModified(TRUE);
    }
}

bool CTreePageText::CommitTemplateEdit(Fault& fault)
{
    if (!m_templateEdited)
        return true;
    CTextScheme* scheme = CurrentScheme();
    if (!scheme) {
        m_templateEdited = false;
        return true;
    }
    std::string text;
    GetDlgItemText(kTemplateId, text);
    std::size_t start = 0;
    while (start < text.size() && IsBreak(text[start]))
        ++start;
    std::optional<std::string> kept;
    if (start < text.size()) {
        CTextTemplate compiled;
        if (!compiled.CompileTemplate(std::string_view(text).substr(start), fault.message,
                                      &fault.line, &fault.column)) {
            return false;
        }
        kept = text.substr(start);
    }
    scheme->SetTemplate(std::move(kept), m_boxType);
    m_schemesChanged = true;
    m_templateEdited = false;
    FillBoxTypes();
    return true;
}

bool CTreePageText::CheckTemplateEdit(bool ask, bool keepPosition)
{
    Fault fault;
    if (CommitTemplateEdit(fault))
        return true;
    if (!ask) {
        MessageBox(fault.message, MB_OK | MB_ICONSTOP);
        return false;
    }
    const std::string question =
        fault.message + "\r\n\r\nText template changes will not be saved.  Continue anyway?";
    if (MessageBox(question, MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2) == IDYES) {
        m_templateEdited = false;
        return true;
    }
    m_sheet.SetActivePage(this);
    if (!keepPosition)
        SelectFault(fault);
    return false;
}

void CTreePageText::SelectFault(const Fault& fault)
{
    auto* edit = dynamic_cast<CEdit*>(GetDlgItem(kTemplateId));
    if (!edit)
        return;
    std::string text;
    edit->GetWindowText(text);
    std::size_t skipped = 0;
    while (skipped < text.size() && IsBreak(text[skipped]))
        ++skipped;
    const std::string body = text.substr(skipped);
    const std::size_t line = LineStart(body, std::max(0, fault.line));
    std::size_t end = line;
    while (end < body.size() && !IsBreak(body[end]))
        ++end;
    // A fault of the whole line (a second picture marker) selects all of it.
    const std::size_t from = fault.column < 0 ? line : ColumnOffset(body, line, fault.column);
    edit->SetFocus();
    edit->SetSel(int(skipped + from), int(skipped + end));
    edit->ScrollCaret();
}

void CTreePageText::OnSchemeChosen()
{
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(kSchemeId));
    if (!combo)
        return;
    if (!CheckTemplateEdit(true)) {
        const int previous = combo->FindStringExact(-1, m_schemeName.c_str());
        combo->SetCurSel(previous);
        return;
    }
    ShowScheme();
}

void CTreePageText::OnBoxTypeChosen()
{
    if (IsFilling())
        return;
    if (!CheckTemplateEdit(true)) {
        if (auto* list = dynamic_cast<CListBox*>(GetDlgItem(kBoxTypeId)))
            list->SetCurSel(m_boxType);
        return;
    }
    ShowBoxType();
}

void CTreePageText::OnNew()
{
    if (!CheckTemplateEdit(true))
        return;
    CSchemeNameDlg dialog(m_schemes, this);
    if (dialog.DoModal() != IDOK)
        return;
    auto scheme = dialog.m_baseScheme ? std::make_unique<CTextScheme>(*dialog.m_baseScheme)
                                      : std::make_unique<CTextScheme>();
    scheme->SetName(dialog.m_name);
    scheme->SetSystem(false);
    m_schemes.Add(std::move(scheme));
    m_schemesChanged = true;
    SetModified(TRUE);
    FillSchemes(dialog.m_name);
}

void CTreePageText::OnDelete()
{
    const CTextScheme* scheme = CurrentScheme();
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(kSchemeId));
    if (!scheme || scheme->IsSystem() || !combo)
        return;
    const int position = combo->GetCurSel();
    combo->DeleteString(UINT(position));
    combo->SetCurSel(position < combo->GetCount() ? position : combo->GetCount() - 1);
    m_schemes.Remove(scheme);
    m_schemesChanged = true;
    m_templateEdited = false;
    SetModified(TRUE);
    ShowScheme();
}

void CTreePageText::OnReset()
{
    CTextScheme* scheme = CurrentScheme();
    if (!scheme || !scheme->IsSystem())
        return;
    if (MessageBox("Reset the current system-supplied Scheme to its original state, at the time "
                   "the application was installed?",
                   MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    scheme->ResetSystemScheme();
    m_templateEdited = false;
    m_schemesChanged = true;
    SetModified(TRUE);
    FillBoxTypes();
    ShowBoxType();
}

void CTreePageText::OnResetTemplate()
{
    const CTextScheme* scheme = CurrentScheme();
    const std::string* text = scheme ? scheme->GetSchemeTemplate(m_boxType, false) : nullptr;
    SetTemplateText(text ? *text : std::string());
    m_templateEdited = false;
    m_schemesChanged = true;
    SetModified(TRUE);
}

void CTreePageText::OnDataReference()
{
    if (!CurrentScheme())
        return;
    CDataRefDlg dialog(this, RecordTypeIndexToMask(0) | RecordTypeIndexToMask(1),
                       CDataRefDlg::kModeInsert, this);
    dialog.DoModal();
}

void CTreePageText::InsertDataRef(CDataRefDlg& /*dialog*/, const std::string& text)
{
    if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(kTemplateId)))
        edit->ReplaceSel(text.c_str(), TRUE);
}

void CTreePageText::OnPictureMarker()
{
    if (MessageBox(kPictureMarkerNote, MB_OKCANCEL | MB_ICONINFORMATION, "Insert Picture Marker") !=
        IDOK)
        return;
    auto* edit = dynamic_cast<CEdit*>(GetDlgItem(kTemplateId));
    if (!edit)
        return;
    edit->ReplaceSel("{picture}\r\n", TRUE);
    edit->SetFocus();
}

void CTreePageText::OnFont()
{
    CDiagramSettings& s = Working();
    if (!ChooseDiagramFont(this, s.m_boxFont, s, true))
        return;
    for (const int section : {kSectionFonts, kSectionPrinting}) {
        m_sheet.Target().TakeSettings(s, section);
        m_sheet.Applied().CopySettings(s, section);
    }
    m_sheet.Target().RefreshDiagram();
}

BOOL CTreePageText::OnApply()
{
    if (!CheckTemplateEdit(true))
        return FALSE;
    if (m_schemesChanged) {
        m_sheet.Target().ReplaceTextSchemes(m_schemes);
        m_schemesChanged = false;
        if (IDataObserver* observer = GetDataObserver())
            observer->OnDataChanged(nullptr, kHintDiagramTextApplied, nullptr, false);
    }
    return CPropertyPage::OnApply();
}

void CTreePageText::OnOK()
{
    Working().m_textScheme = m_schemeName;
    m_sheet.ApplySections({kSectionTextScheme}, {kSectionTextScheme});
    CheckSaved(SaveTextSchemes(m_sheet.Target().GetTextSchemes()));
    m_sheet.Target().RefreshDiagram();
}
