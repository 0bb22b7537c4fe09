// queries/window/qry_filter_list_wnd.cpp: the list filter editor: the named lists offered, a row
// shown and a row made.
#include "queries/window/qry_filter_list_wnd.h"

#include "platform/base/text.h"
#include "platform/ui/dialogs/combo_box.h"
#include "queries/named_list.h"
#include "queries/query_filter.h"

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
    auto* list = dynamic_cast<CAvFilterList*>(row);
    if (!list) {
        result = std::make_unique<CAvFilterList>(GetPane().GetCurrentQuery());
        list = static_cast<CAvFilterList*>(result.get());
    }
    bool exclude = false, unless = false;
    GetCondition(exclude, unless);
    list->SetExclude(exclude);
    list->SetUnless(unless);
    list->SetParameterFlag(false);
    list->SetParameterLabel({});
    list->SetListName(ListName());
    return true;
}

BOOL CQryFilterListWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) != kFilterListNameCombo)
        return CQryFilterWnd::OnCommand(wParam, lParam);
    if (HIWORD(wParam) == CBN_SELCHANGE) {
        m_selChanging = true;
        OnEdited();
        m_selChanging = false;
    } else if (HIWORD(wParam) == CBN_EDITCHANGE) {
        OnEdited();
    }
    return TRUE;
}
