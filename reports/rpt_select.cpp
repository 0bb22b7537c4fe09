// reports/rpt_select.cpp: the installed record and named-list selector of reports.
#include "reports/rpt_select.h"

namespace {

IRptSelector* g_selector = nullptr;

} // namespace

void SetRptSelector(IRptSelector* selector)
{
    g_selector = selector;
}

IRptSelector* GetRptSelector()
{
    return g_selector;
}
