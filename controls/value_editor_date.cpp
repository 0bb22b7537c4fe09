// controls/value_editor_date.cpp: the date editor: one date typed in any form the date grammar
// reads, shown again in standard form.
#include "controls/value_editor.h"

#include "database/dates/date_data.h"
#include "database/dates/date_node.h"

namespace {

constexpr const char* kMissingValue = "Missing value";
constexpr const char* kNotADate =
    "The data entered is not recognised as a valid date.\n\nVarious formats can be used for "
    "entering dates, and you don't need to specify the month or day if you don't wish to.  For "
    "example, \"1958\", \"May 1958\", or \"22 May 1958\" would all be valid (don't type the "
    "quotes, and don't forget to specify all 4 digits for years).\n\nThe usual options of "
    "specifying date ranges, date phrases, etc, are not applicable in this context.  Click on "
    "the button ('...') to bring up the Date Entry Assistant dialog, which will help you "
    "construct valid dates for the given context.";

} // namespace

bool CDateValueEditor::OnControlsCreated(const CDlgTemplateBuilder& builder)
{
    if (!MakeInstalledInput(builder, m_dateInput))
        return false;
    if (m_dateInput)
        return true;
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
    return m_input.Create(style, PlaceholderRect(builder), this, VALUE_EDITOR_INPUT_ID) != FALSE;
}

void CDateValueEditor::Init(int /*kind*/, const CFieldDef* /*def*/, const CTypedValue& value,
                            const std::string& label)
{
    SetLabel(label);
    if (m_dateInput) {
        m_dateInput->SetDateValue(value.GetType() == TV_DATE ? &value.GetDate() : nullptr);
        return;
    }
    CDateData date;
    if (value.GetType() == TV_DATE)
        date.SetSimpleDate(value.GetDate());
    m_input.SetWindowText(date.FormatText(DF_LONG, GetDateLocale()));
}

CWnd* CDateValueEditor::GetInputControl()
{
    return m_dateInput ? &m_dateInput->GetInputWnd() : &m_input;
}

bool CDateValueEditor::Reformat(CDateValue* single)
{
    if (m_dateInput)
        return m_dateInput->ReformatDate(single);
    std::string text;
    m_input.GetWindowText(text);
    // Here a date is a date: text that no grammar reads stays as typed instead of becoming a
    // phrase.
    CDateData date;
    if (!date.SetFromText(text, false, true, GetDateParseOptions()))
        return false;
    const std::string shown = date.FormatText(DF_LONG, GetDateLocale());
    if (shown != text)
        m_input.SetWindowText(shown);
    const CDateValue* value = date.GetSimpleValue();
    if (!value)
        return false;
    if (single)
        *single = *value;
    return true;
}

bool CDateValueEditor::Validate()
{
    CWnd& input = *GetInputControl();
    const bool empty =
        m_dateInput ? m_dateInput->IsInputEmpty() : m_input.GetWindowTextLength() == 0;
    if (empty)
        return Refuse(kMissingValue, input);
    return Reformat(nullptr) || Refuse(kNotADate, input);
}

void CDateValueEditor::GetValue(CTypedValue& value)
{
    CDateValue date;
    if (Reformat(&date))
        value.SetDate(date);
    else
        value.Clear();
}

BOOL CDateValueEditor::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (!m_dateInput && lParam && LOWORD(wParam) == VALUE_EDITOR_INPUT_ID &&
        HIWORD(wParam) == EN_KILLFOCUS) {
        Reformat(nullptr);
        return TRUE;
    }
    return CValueEditor::OnCommand(wParam, lParam);
}
