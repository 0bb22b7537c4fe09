// records/dialogs/date_dlg.cpp: the Date Entry Assistant's sheet and pages.
#include "records/dialogs/date_dlg.h"

#include "controls/digits_edit.h"
#include "database/dates/date_tables.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/control_factory.h"
#include "platform/ui/dialogs/edit.h"

namespace {

/// The ids of one set of value controls.
struct SetControls {
    int calendar, day, month, year, dual, slash, bc;
};
constexpr SetControls kSets[2] = {
    {IDC_DATE_CALENDAR, IDC_DATE_DAY, IDC_DATE_MONTH, IDC_DATE_YEAR, IDC_DATE_DUAL, IDC_DATE_SLASH,
     IDC_DATE_BC},
    {IDC_DATE2_CALENDAR, IDC_DATE2_DAY, IDC_DATE2_MONTH, IDC_DATE2_YEAR, IDC_DATE2_DUAL,
     IDC_DATE2_SLASH, IDC_DATE2_BC},
};
constexpr int kCalendarCount = 4;
constexpr const char* kMonthComboClass = "Av_MonthCombo";
constexpr int kPhraseLimit = 35;

class CMonthCombo final : public CComboBox {
protected:
    void OnKillFocus(CWnd* newWnd) override
    {
        CComboBox::OnKillFocus(newWnd);
        if (CWnd* parent = GetParent())
            parent->SendMessage(WM_COMMAND,
                                MAKEWPARAM(WORD(GetDlgCtrlID()), WORD(kMonthComboKillFocus)),
                                LPARAM(this));
    }
};

/// The set (0, 1) a control id belongs to and which of its controls it is; -1 when none.
int SetOf(int id)
{
    for (int set = 0; set < 2; ++set) {
        const SetControls& c = kSets[set];
        if (id == c.calendar || id == c.month)
            return set;
    }
    return -1;
}

} // namespace

void RegisterMonthComboClass()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    RegisterControlClass(kMonthComboClass,
                         [](const DialogItemTemplate& item, const CRect& rect,
                            CWnd& parent) -> std::unique_ptr<CWnd> {
                             auto combo = std::make_unique<CMonthCombo>();
                             if (!combo->Create(item.style, rect, &parent, UINT(item.id)))
                                 return nullptr;
                             return combo;
                         });
}

// ---- CDatePage ----------------------------------------------------------------------------

void CDatePage::InitSet(int set, const CDateValue* value, int defaultCalendar, bool enabled)
{
    const SetControls& c = kSets[set];
    const auto limit = [this](int id, int chars) {
        if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(id)))
            edit->LimitText(chars);
    };
    limit(c.day, 2);
    limit(c.year, 4);
    limit(c.dual, 2);
    if (auto* calendars = dynamic_cast<CComboBox*>(GetDlgItem(c.calendar))) {
        calendars->ResetContent();
        for (int calendar = 0; calendar < kCalendarCount; ++calendar)
            calendars->AddString(GetCalendarName(calendar));
    }
    ShowSet(set, value, defaultCalendar);
    EnableSet(set, enabled);
}

void CDatePage::ShowSet(int set, const CDateValue* value, int defaultCalendar)
{
    const SetControls& c = kSets[set];
    const DateSetView view = ShowDateValue(value, defaultCalendar);
    if (auto* calendars = dynamic_cast<CComboBox*>(GetDlgItem(c.calendar)))
        calendars->SetCurSel(view.calendar);
    FillMonths(set, view.calendar);
    if (auto* months = dynamic_cast<CComboBox*>(GetDlgItem(c.month)))
        months->SetCurSel(view.month);
    SetDlgItemText(c.day, view.day);
    SetDlgItemText(c.year, view.year);
    SetDlgItemText(c.dual, view.dualYear);
    CheckDlgButton(c.bc, view.bc ? BST_CHECKED : BST_UNCHECKED);
    ShowGregorianParts(set, view.gregorian);
}

void CDatePage::EnableSet(int set, bool enabled)
{
    const SetControls& c = kSets[set];
    for (const int id : {c.calendar, c.day, c.month, c.year, c.dual, c.slash, c.bc}) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(enabled);
    }
}

DateSetInput CDatePage::ReadSet(int set) const
{
    const_cast<CDatePage*>(this)->ApplyTypedMonth(set);
    const SetControls& c = kSets[set];
    DateSetInput input;
    const auto* calendars = dynamic_cast<const CComboBox*>(GetDlgItem(c.calendar));
    input.calendar = calendars ? calendars->GetCurSel() : -1;
    GetDlgItemText(c.day, input.day);
    const auto* months = dynamic_cast<const CComboBox*>(GetDlgItem(c.month));
    input.month = months ? months->GetCurSel() : -1;
    GetDlgItemText(c.year, input.year);
    GetDlgItemText(c.dual, input.dualYear);
    input.bc = IsDlgButtonChecked(c.bc) == BST_CHECKED;
    return input;
}

void CDatePage::ShowGregorianParts(int set, bool show)
{
    const SetControls& c = kSets[set];
    for (const int id : {c.dual, c.slash, c.bc}) {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(show ? SW_SHOW : SW_HIDE);
    }
}

bool CDatePage::IsGregorian(int set) const
{
    const auto* calendars = dynamic_cast<const CComboBox*>(GetDlgItem(kSets[set].calendar));
    return calendars && calendars->GetCurSel() == CALENDAR_GREGORIAN;
}

void CDatePage::FillMonths(int set, int calendar)
{
    auto* months = dynamic_cast<CComboBox*>(GetDlgItem(kSets[set].month));
    if (!months)
        return;
    months->ResetContent();
    for (const std::string& name : MonthNamesOf(calendar))
        months->AddString(name.c_str());
    months->SetCurSel(-1);
}

void CDatePage::ApplyTypedMonth(int set)
{
    auto* months = dynamic_cast<CComboBox*>(GetDlgItem(kSets[set].month));
    if (!months)
        return;
    std::string typed;
    months->GetWindowText(typed);
    std::string selected;
    if (months->GetCurSel() >= 0)
        months->GetLBText(months->GetCurSel(), selected);
    // A selection whose name is still shown stands; anything typed over it is looked up.
    if (months->GetCurSel() >= 0 && typed == selected)
        return;
    std::vector<std::string> names;
    for (int i = 0; i < months->GetCount(); ++i) {
        std::string name;
        months->GetLBText(i, name);
        names.push_back(name);
    }
    months->SetCurSel(MatchTypedMonth(names, typed));
}

BOOL CDatePage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const int set = lParam ? SetOf(id) : -1;
    if (set >= 0) {
        const UINT code = HIWORD(wParam);
        if (id == kSets[set].calendar && code == CBN_SELCHANGE) {
            const auto* calendars = dynamic_cast<const CComboBox*>(GetDlgItem(id));
            const int calendar = calendars ? calendars->GetCurSel() : CALENDAR_GREGORIAN;
            FillMonths(set, calendar);
            ShowGregorianParts(set, calendar == CALENDAR_GREGORIAN);
            return TRUE;
        }
        if (id == kSets[set].month && code == kMonthComboKillFocus) {
            ApplyTypedMonth(set);
            return TRUE;
        }
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

// ---- The four pages -----------------------------------------------------------------------

BOOL CDatePageDate::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    const CDateData& input = m_dateSheet.m_input;
    InitSet(0, &input.GetFirstValue(), CALENDAR_GREGORIAN, true);
    int radio = IDC_DATE_NONE;
    if (!m_dateSheet.IsPlainOnly() && input.GetKind() == DATE_APPROXIMATE) {
        if (input.GetQualifier() == DQ_ABT)
            radio = IDC_DATE_APPROX;
        else if (input.GetQualifier() == DQ_CAL)
            radio = IDC_DATE_CALC;
        else if (input.GetQualifier() == DQ_EST)
            radio = IDC_DATE_EST;
    }
    CheckRadioButton(IDC_DATE_NONE, IDC_DATE_EST, radio);
    if (m_dateSheet.IsPlainOnly()) {
        for (const int id : {IDC_DATE_APPROX, IDC_DATE_CALC, IDC_DATE_EST})
            GetDlgItem(id)->EnableWindow(FALSE);
    }
    return TRUE;
}

DatePageInput CDatePageDate::CollectInput()
{
    DatePageInput input;
    input.page = DPI_DATE;
    const int checked = GetCheckedRadioButton(IDC_DATE_NONE, IDC_DATE_EST);
    input.qualifier = checked ? checked : IDC_DATE_NONE;
    input.first = ReadSet(0);
    return input;
}

BOOL CDatePagePeriod::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    const CDateData& input = m_dateSheet.m_input;
    const DateQualifier qualifier = input.GetKind() == DATE_PERIOD ? input.GetQualifier() : DQ_NONE;
    const bool from = qualifier == DQ_FROM || qualifier == DQ_FROM_TO;
    const bool to = qualifier == DQ_TO || qualifier == DQ_FROM_TO;
    CheckDlgButton(IDC_PERIOD_FROM, from ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_PERIOD_TO, to ? BST_CHECKED : BST_UNCHECKED);
    const CDateValue& first = input.GetFirstValue();
    InitSet(0, &first, CALENDAR_GREGORIAN, from);
    const CDateValue* second = nullptr;
    if (to)
        second = from ? input.GetSecondValue() : &first;
    InitSet(1, second, first.IsValid() ? first.GetCalendar() : CALENDAR_GREGORIAN, to);
    return TRUE;
}

BOOL CDatePagePeriod::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (lParam && HIWORD(wParam) == BN_CLICKED && (id == IDC_PERIOD_FROM || id == IDC_PERIOD_TO)) {
        EnableSet(id == IDC_PERIOD_FROM ? 0 : 1, IsDlgButtonChecked(id) == BST_CHECKED);
        return TRUE;
    }
    return CDatePage::OnCommand(wParam, lParam);
}

DatePageInput CDatePagePeriod::CollectInput()
{
    DatePageInput input;
    input.page = DPI_PERIOD;
    input.from = IsDlgButtonChecked(IDC_PERIOD_FROM) == BST_CHECKED;
    input.to = IsDlgButtonChecked(IDC_PERIOD_TO) == BST_CHECKED;
    input.first = ReadSet(0);
    input.second = ReadSet(1);
    return input;
}

BOOL CDatePagePhrase::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    const CDateData& input = m_dateSheet.m_input;
    const bool interpreted = input.GetKind() == DATE_INTERPRETED;
    InitSet(0, interpreted ? &input.GetFirstValue() : nullptr, CALENDAR_GREGORIAN, interpreted);
    CheckDlgButton(IDC_PHRASE_INTERPRETED, interpreted ? BST_CHECKED : BST_UNCHECKED);
    if (auto* phrase = dynamic_cast<CEdit*>(GetDlgItem(IDC_PHRASE_TEXT))) {
        phrase->LimitText(kPhraseLimit);
        phrase->SetWindowText(input.GetPhrase() ? *input.GetPhrase() : std::string());
    }
    return TRUE;
}

BOOL CDatePagePhrase::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_PHRASE_INTERPRETED) {
        EnableSet(0, IsDlgButtonChecked(IDC_PHRASE_INTERPRETED) == BST_CHECKED);
        return TRUE;
    }
    return CDatePage::OnCommand(wParam, lParam);
}

DatePageInput CDatePagePhrase::CollectInput()
{
    DatePageInput input;
    input.page = DPI_PHRASE;
    input.interpreted = IsDlgButtonChecked(IDC_PHRASE_INTERPRETED) == BST_CHECKED;
    GetDlgItemText(IDC_PHRASE_TEXT, input.phrase);
    input.first = ReadSet(0);
    return input;
}

BOOL CDatePageRange::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    const CDateData& input = m_dateSheet.m_input;
    const CDateValue& first = input.GetFirstValue();
    InitSet(0, &first, CALENDAR_GREGORIAN, true);
    InitSet(1, input.GetSecondValue(), first.IsValid() ? first.GetCalendar() : CALENDAR_GREGORIAN,
            true);
    const DateQualifier qualifier = input.GetKind() == DATE_RANGE ? input.GetQualifier() : DQ_NONE;
    int radio = IDC_RANGE_BEFORE;
    if (qualifier == DQ_AFT)
        radio = IDC_RANGE_AFTER;
    else if (qualifier == DQ_BET_AND)
        radio = IDC_RANGE_BETWEEN;
    CheckRadioButton(IDC_RANGE_BEFORE, IDC_RANGE_BETWEEN, radio);
    ShowSecondSet();
    return TRUE;
}

void CDatePageRange::ShowSecondSet()
{
    const bool between = IsDlgButtonChecked(IDC_RANGE_BETWEEN) == BST_CHECKED;
    const SetControls& c = kSets[1];
    for (const int id : {IDC_RANGE_AND, c.calendar, c.day, c.month, c.year}) {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(between ? SW_SHOW : SW_HIDE);
    }
    ShowGregorianParts(1, between && IsGregorian(1));
}

BOOL CDatePageRange::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (lParam && HIWORD(wParam) == BN_CLICKED && id >= IDC_RANGE_BEFORE &&
        id <= IDC_RANGE_BETWEEN) {
        ShowSecondSet();
        return TRUE;
    }
    const BOOL handled = CDatePage::OnCommand(wParam, lParam);
    if (lParam && id == IDC_DATE2_CALENDAR && HIWORD(wParam) == CBN_SELCHANGE)
        ShowSecondSet();
    return handled;
}

DatePageInput CDatePageRange::CollectInput()
{
    DatePageInput input;
    input.page = DPI_RANGE;
    const int checked = GetCheckedRadioButton(IDC_RANGE_BEFORE, IDC_RANGE_BETWEEN);
    input.range = checked ? checked : IDC_RANGE_BEFORE;
    input.first = ReadSet(0);
    input.second = ReadSet(1);
    return input;
}

// ---- CDateDlg -----------------------------------------------------------------------------

CDateDlg::CDateDlg(const char* caption, CWnd* parent, DWORD flags)
    : CPropertySheet(caption, parent), m_flags(flags)
{
    RegisterDigitsEditClass();
    RegisterMonthComboClass();
    m_pages.push_back(std::make_unique<CDatePageDate>(*this));
    if (!IsPlainOnly()) {
        m_pages.push_back(std::make_unique<CDatePagePeriod>(*this));
        m_pages.push_back(std::make_unique<CDatePagePhrase>(*this));
        m_pages.push_back(std::make_unique<CDatePageRange>(*this));
    }
    for (const auto& page : m_pages)
        AddPage(page.get());
}

CDateDlg::~CDateDlg()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

void CDateDlg::SetStartPage(int index)
{
    SetActivePage(index >= 0 && index < GetPageCount() ? index : 0);
}

BOOL CDateDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDOK) {
        if (BuildOutput())
            EndDialog(IDOK);
        return TRUE;
    }
    return CPropertySheet::OnCommand(wParam, lParam);
}

bool CDateDlg::BuildOutput()
{
    m_output.Clear();
    auto* page = dynamic_cast<CDatePage*>(GetActivePage());
    if (!page)
        return false;
    DateBuildResult result = BuildDate(page->CollectInput());
    if (result.error == DateEntryError::None) {
        m_output = std::move(result.date);
        return true;
    }
    const std::string message = DateBuildMessage(result, IsPlainOnly());
    if (!message.empty())
        MessageBox(message, MB_OK);
    if (CWnd* control = result.focusId ? page->GetDlgItem(result.focusId) : nullptr)
        page->GotoDlgCtrl(control);
    return false;
}
