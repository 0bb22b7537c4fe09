// queries/window/qry_filter_list_wnd.cpp: the list filter editor: the named lists offered, a row
// shown and a row made.
#include "queries/window/qry_filter_list_wnd.h"

#include "platform/base/flag_guard.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/combo_box.h"
#include "queries/named_list.h"
#include "queries/query_filter.h"

namespace {

constexpr const char* kListNameNotWritable =
    "This filter cannot be kept in the query file. Check that the list name has no line breaks.";

} // namespace

CQryFilterListWnd::CQryFilterListWnd(IQryRowsPane& pane) : CQryFilterWnd(pane, 399, "FilterWndList")
{
}

void CQryFilterListWnd::FillListNames()
{
    CComboBox* combo = GetCombo(kFilterListNameCombo);
    if (!combo)
        return;
    combo->ResetContent();
    for (const CNamedList* list = CNamedList::GetFirst(); list; list = list->GetNext())
        combo->AddString(list->GetName().c_str());
    combo->SetWindowText("");
}

void CQryFilterListWnd::LoadFilter()
{
    FillListNames();
    const auto* row = dynamic_cast<const CAvFilterList*>(GetPane().GetCurrentFilter());
    SetCondition(row && row->IsExclude(), row && row->IsUnless());
    if (CComboBox* combo = GetCombo(kFilterListNameCombo); combo && row)
        combo->SetWindowText(row->GetListName());
    SetChanged(false);
    EnableForQuery();
}

std::string CQryFilterListWnd::ListName() const
{
    const CComboBox* combo = GetCombo(kFilterListNameCombo);
    if (!combo)
        return {};
    std::string name;
    if (m_selChanging && combo->GetCurSel() >= 0)
        combo->GetLBText(combo->GetCurSel(), name);
    else
        combo->GetWindowText(name);
    return name;
}

bool CQryFilterListWnd::IsComplete() const
{
    return !text::Trim(ListName()).empty();
}

bool CQryFilterListWnd::SaveFilter(CAvFilter* row, std::unique_ptr<CAvFilter>& result)
{
    bool exclude = false, unless = false;
    GetCondition(exclude, unless);
    const auto fill = [&](CAvFilterList& target) {
        target.SetExclude(exclude);
        target.SetUnless(unless);
        target.SetParameterFlag(false);
        target.SetParameterLabel({});
        target.SetListName(ListName());
    };
    // The row is made aside first: one that the query file cannot hold leaves row as it was.
    auto made = std::make_unique<CAvFilterList>(GetPane().GetCurrentQuery());
    fill(*made);
    if (std::string line; !made->Save(line)) {
        MessageBox(kListNameNotWritable);
        if (CWnd* combo = GetDlgItem(kFilterListNameCombo))
            combo->SetFocus();
        return false;
    }
    if (auto* list = dynamic_cast<CAvFilterList*>(row))
        fill(*list);
    else
        result = std::move(made);
    return true;
}

BOOL CQryFilterListWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) != kFilterListNameCombo)
        return CQryFilterWnd::OnCommand(wParam, lParam);
    if (HIWORD(wParam) == CBN_SELCHANGE) {
        const CFlagGuard changing(m_selChanging);
        OnEdited();
    } else if (HIWORD(wParam) == CBN_EDITCHANGE) {
        OnEdited();
    }
    return TRUE;
}
