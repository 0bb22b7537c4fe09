// records/datactl/data_ctl_date.cpp: the date and age data controls.
#include "records/datactl/data_ctl_date.h"

#include "common/abort.h"
#include "database/dates/date_node.h"
#include "platform/base/prompt.h"
#include "records/dialogs/age_entry_dlg.h"
#include "records/dialogs/age_entry_logic.h"
#include "records/dialogs/date_dlg.h"

#include <utility>

namespace {

constexpr DWORD kBoxStyle = WS_BORDER | WS_GROUP | WS_TABSTOP;
constexpr DWORD kEditStyle = ES_AUTOHSCROLL | WS_TABSTOP;
/// Edit id+2 beside the assistant button id+1.
constexpr CDataCtlBox::BoxSpec kDateBox{"AV_DataCtlDate", kBoxStyle, 2,
                                        kEditStyle,       1,         {{1, kDataCtlMoreBitmap, 10}}};
constexpr CDataCtlBox::BoxSpec kAgeBox{"AV_DataCtlAge", kBoxStyle, 2,
                                       kEditStyle,      1,         {{1, kDataCtlMoreBitmap, 10}}};

} // namespace

// ---- CDataCtlDate -------------------------------------------------------------------------

BOOL CDataCtlDate::CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                             IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags)
{
    m_dateFlags = flags ? kCompactForm : 0;
    return CreateBox(kDateBox, held, rect, parent, node, id, owner, std::move(path), flags);
}

bool CDataCtlDate::ParseText()
{
    std::string text;
    GetValueText(text);
    return m_scratch.SetFromText(text, false, m_singleDate, GetDateParseOptions());
}

void CDataCtlDate::ShowScratch()
{
    const std::string shown =
        m_scratch.IsEmpty()
            ? std::string()
            : m_scratch.FormatText(UsesCompactDates() ? DF_COMPACT : DF_LONG, GetDateLocale());
    std::string current;
    GetValueText(current);
    if (shown != current)
        SetValueText(shown);
}

void CDataCtlDate::SetDate(const CDateValue* value)
{
    if (value)
        m_scratch.SetSimpleDate(*value);
    else
        m_scratch.Clear();
    ShowScratch();
}

std::optional<CDateValue> CDataCtlDate::Reformat()
{
    if (!ParseText())
        return std::nullopt;
    ShowScratch();
    if (const CDateValue* single = m_scratch.GetSimpleValue())
        return *single;
    return std::nullopt;
}

bool CDataCtlDate::ReformatDate(CDateValue* single)
{
    const std::optional<CDateValue> value = Reformat();
    if (value && single)
        *single = *value;
    return value.has_value();
}

void CDataCtlDate::ApplyAssistantResult(const CDateData& date)
{
    m_scratch = date;
    ShowScratch();
}

void CDataCtlDate::NormalizeText()
{
    if (ParseText())
        ShowScratch();
}

void CDataCtlDate::OnEditKillFocus(CWnd* next)
{
    NormalizeText();
    NotifyKillFocus(next);
}

void CDataCtlDate::OnDateAssistant()
{
    try {
        CDateDlg dialog(kDateAssistantCaption, this, m_singleDate ? kDateDlgPlainOnly : 0);
        std::string text;
        GetValueText(text);
        dialog.m_input.SetFromText(text, false, false, GetDateParseOptions());
        dialog.SetStartPage(StartPageForKind(dialog.m_input.GetKind()));
        if (!RunDialog(dialog))
            return;
        ApplyAssistantResult(dialog.m_output);
        CommitDialogValue(true);
    } catch (...) {
        EndAbandonedOperation();
    }
}

std::unique_ptr<IDateInput> MakeDateInput(CWnd& parent, const RECT& rect, UINT id)
{
    auto control = std::make_unique<CDataCtlDate>();
    control->SetSingleDateMode(true);
    if (!control->CreateCtl(TRUE, rect, &parent, nullptr, id, nullptr, nullptr, 0))
        return nullptr;
    return control;
}

// ---- CDataCtlAge --------------------------------------------------------------------------

BOOL CDataCtlAge::CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                            IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags)
{
    return CreateBox(kAgeBox, held, rect, parent, node, id, owner, std::move(path), flags);
}

void CDataCtlAge::SetAge(const CAgeValue& age)
{
    m_scratch.Clear();
    m_scratch.SetFromText(AgeValueText(age));
    std::string text;
    m_scratch.GetText(text, 0);
    SetValueText(text);
}

void CDataCtlAge::OnEditKillFocus(CWnd* next)
{
    std::string typed;
    GetValueText(typed);
    m_scratch.Clear();
    m_scratch.SetFromText(typed);
    std::string shown;
    m_scratch.GetText(shown, 0);
    if (shown != typed)
        SetValueText(shown);
    NotifyKillFocus(next);
}

void CDataCtlAge::OnAgeAssistant()
{
    try {
        CAgeEntryDlg dialog(this);
        std::string typed;
        GetValueText(typed);
        m_scratch.Clear();
        m_scratch.SetFromText(typed);
        dialog.m_age = m_scratch.GetAge();
        if (!RunDialog(dialog))
            return;
        SetAge(dialog.m_age);
        CommitDialogValue(true);
    } catch (...) {
        EndAbandonedOperation();
    }
}
