// controls/value_editor.cpp: the editors' common window, the factory, and the text, number and
// choice editors.
#include "controls/value_editor.h"

#include "controls/digits_edit.h"
#include "database/dictionary/field_def.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/control_factory.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/sys_metrics.h"

namespace {

constexpr const char* kMissingParameter = "Missing parameter value";
constexpr const char* kNotAMonthDay = "Enter a month and day as month/day, such as 12/25.";
constexpr const char* kNotASpan =
    "Enter a length of time in years, months and days, such as 2 years 6 months 0 days.";

/// The font a dialog parent was laid out with; else the template's own.
LOGFONT ParentFont(const CWnd* parent, const CDialogTemplate& own)
{
    const auto* dialog = dynamic_cast<const CDialog*>(parent);
    const CDialogTemplate* parentTemplate =
        dialog ? AppResources().FindDialog(dialog->GetTemplateId()) : nullptr;
    return parentTemplate ? parentTemplate->GetFont() : own.GetFont();
}

std::string TextOf(const CWnd& wnd)
{
    std::string text;
    wnd.GetWindowText(text);
    return text;
}

} // namespace

CValueEditor::~CValueEditor()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CValueEditor::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_3DFACE));
    return TRUE;
}

int CValueEditor::OnCreate(CREATESTRUCT* createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    const CDialogTemplate* dialog = AppResources().FindDialog(m_templateId);
    if (!dialog)
        return -1;
    m_font = ParentFont(GetParent(), *dialog);
    const CDlgTemplateBuilder builder(m_templateId, &m_font);
    CRect place;
    builder.GetTemplateRect(place);
    MoveWindow(0, 0, place.Width(), place.Height(), FALSE);
    if (!builder.CreateControls(*this, m_controls) || !OnControlsCreated(builder))
        return -1;
    // A drop-down list is as high as its font needs, which may pass the template's line: the
    // editor then grows so that its input shows whole.
    if (CWnd* input = GetInputControl()) {
        CRect inputRect;
        input->GetWindowRect(&inputRect);
        ScreenToClient(&inputRect);
        if (inputRect.bottom > place.Height())
            MoveWindow(0, 0, place.Width(), inputRect.bottom, FALSE);
    }
    return 0;
}

void CValueEditor::OnSetFocus(CWnd* /*oldWnd*/)
{
    if (CWnd* input = GetInputControl(); input && input->GetSafeHwnd())
        input->SetFocus();
}

void CValueEditor::SetLabel(const std::string& label)
{
    if (CWnd* static_ = GetDlgItem(VALUE_EDITOR_LABEL_ID))
        static_->SetWindowText(label + ":");
}

CRect CValueEditor::PlaceholderRect(const CDlgTemplateBuilder& builder) const
{
    const CDialogTemplate* dialog = AppResources().FindDialog(m_templateId);
    CRect rect;
    for (std::size_t index = 0; dialog && index < dialog->m_items.size(); ++index) {
        if (dialog->m_items[index].id == VALUE_EDITOR_PLACEHOLDER_ID)
            builder.GetItemRect(int(index), rect);
    }
    return rect;
}

bool CValueEditor::Refuse(const std::string& message, CWnd& control)
{
    MessageBox(message);
    control.SetFocus();
    return false;
}

// Text.

CWnd* CTextValueEditor::GetInputControl()
{
    return GetDlgItem(VALUE_EDITOR_EDIT_ID);
}

void CTextValueEditor::Init(int /*kind*/, const CFieldDef* /*def*/, const CTypedValue& value,
                            const std::string& label)
{
    SetLabel(label);
    if (value.GetType() == TV_TEXT)
        GetInputControl()->SetWindowText(value.GetText());
}

bool CTextValueEditor::Validate()
{
    CWnd& edit = *GetInputControl();
    return edit.GetWindowTextLength() > 0 || Refuse(kMissingParameter, edit);
}

void CTextValueEditor::GetValue(CTypedValue& value)
{
    value.SetText(TextOf(*GetInputControl()));
}

// Month and day, length of time.

CWnd* CFormValueEditor::GetInputControl()
{
    return GetDlgItem(VALUE_EDITOR_EDIT_ID);
}

void CFormValueEditor::Init(int kind, const CFieldDef* def, const CTypedValue& value,
                            const std::string& label)
{
    m_kind = kind;
    SetLabel(label);
    if (value.GetType() != kind)
        return;
    std::string text;
    value.Format(text, def);
    GetInputControl()->SetWindowText(text);
}

bool CFormValueEditor::Read(CTypedValue& value)
{
    const std::string text = TextOf(*GetInputControl());
    const bool read = m_kind == TV_MMDD ? ReadMonthDayText(text, value) : ReadSpanText(text, value);
    if (!read)
        value.Clear();
    return read;
}

bool CFormValueEditor::Validate()
{
    CWnd& edit = *GetInputControl();
    if (edit.GetWindowTextLength() == 0)
        return Refuse(kMissingParameter, edit);
    CTypedValue value;
    return Read(value) || Refuse(m_kind == TV_MMDD ? kNotAMonthDay : kNotASpan, edit);
}

void CFormValueEditor::GetValue(CTypedValue& value)
{
    Read(value);
}

// Number.

CWnd* CNumberValueEditor::GetInputControl()
{
    return GetDlgItem(VALUE_EDITOR_EDIT_ID);
}

void CNumberValueEditor::Init(int /*kind*/, const CFieldDef* def, const CTypedValue& value,
                              const std::string& label)
{
    SetLabel(label);
    if (value.GetType() != TV_NUMBER)
        return;
    std::string text;
    value.Format(text, def);
    GetInputControl()->SetWindowText(text);
}

bool CNumberValueEditor::Validate()
{
    CWnd& edit = *GetInputControl();
    return edit.GetWindowTextLength() > 0 || Refuse(kMissingParameter, edit);
}

void CNumberValueEditor::GetValue(CTypedValue& value)
{
    const std::string text = TextOf(*GetInputControl());
    std::size_t position = 0;
    value.SetNumber(ReadLeadingNumber(text, position));
}

// Choice.

CWnd* CChoiceValueEditor::GetInputControl()
{
    return GetDlgItem(VALUE_EDITOR_COMBO_ID);
}

void CChoiceValueEditor::Init(int /*kind*/, const CFieldDef* def, const CTypedValue& value,
                              const std::string& label)
{
    SetLabel(label);
    auto& combo = static_cast<CComboBox&>(*GetInputControl());
    combo.ResetContent();
    const int count = def ? def->GetEnumValueCount() : 0;
    for (int index = 0; index < count; ++index) {
        const std::string& text = def->GetEnumValue(index, true);
        if (text.empty())
            break;
        combo.AddString(text.c_str());
    }
    combo.SetCurSel(value.GetType() == TV_ENUM ? value.GetEnum() : -1);
}

bool CChoiceValueEditor::Validate()
{
    auto& combo = static_cast<CComboBox&>(*GetInputControl());
    return combo.GetCurSel() >= 0 || Refuse(kMissingParameter, combo);
}

void CChoiceValueEditor::GetValue(CTypedValue& value)
{
    value.SetEnum(static_cast<CComboBox*>(GetInputControl())->GetCurSel());
}

// The factory.

std::unique_ptr<CValueEditor> CreateValueEditor(CWnd* parent, int kind, const CFieldDef* def,
                                                const CTypedValue& value, const std::string& label)
{
    std::unique_ptr<CValueEditor> editor;
    switch (kind) {
    case TV_TEXT:
        editor = std::make_unique<CTextValueEditor>();
        break;
    case TV_DATE:
        editor = std::make_unique<CDateValueEditor>();
        break;
    case TV_NUMBER:
        RegisterDigitsEditClass();
        editor = std::make_unique<CNumberValueEditor>();
        break;
    case TV_RECORD:
        editor = std::make_unique<CRecordValueEditor>();
        break;
    case TV_ENUM:
        editor = std::make_unique<CChoiceValueEditor>();
        break;
    case TV_MMDD:
    case TV_SPAN:
        editor = std::make_unique<CFormValueEditor>();
        break;
    default:
        return nullptr;
    }
    const DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_GROUP | WS_TABSTOP;
    if (!parent || !editor->CreateEx(WS_EX_CONTROLPARENT, nullptr, "Editor", style, CRect(), parent,
                                     VALUE_EDITOR_ID))
        return nullptr;
    editor->Init(kind, def, value, label);
    return editor;
}
