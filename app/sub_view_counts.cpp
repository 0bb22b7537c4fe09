// app/sub_view_counts.cpp: counting the records of each type and painting the counts.
#include "app/sub_view_counts.h"

#include "app/av_app.h"
#include "app/shell/app_ids.h"

#include "database/dictionary/record_type_table.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/gdi_object.h"
#include "platform/ui/windows/sys_metrics.h"

namespace {

constexpr int kMargin = 8;
/// The line height is the text height and this much more.
constexpr int kLineGap = 4;

} // namespace

CSubViewCounts::CSubViewCounts() = default;

CSubViewCounts::~CSubViewCounts() = default;

const CRuntimeClass* CSubViewCounts::GetRuntimeClass() const
{
    return RuntimeClassOf<CSubViewCounts>();
}

void CSubViewCounts::GetTitle(std::string& title) const
{
    title = "Records";
}

void CSubViewCounts::OnUpdate(CView* /*sender*/, LPARAM /*hint*/, CObject* /*object*/)
{
    CAvApp* app = GetAvApp();
    m_lines.clear();
    for (int listIndex = 0; listIndex < GetRecordTypeCount(); ++listIndex)
        m_lines.push_back(text::Format("%s: %ld", GetRecordTypePluralName(listIndex),
                                       app ? app->GetRecordCount(listIndex) : 0L));
    if (GetSafeHwnd())
        Invalidate();
}

int CSubViewCounts::FindTab(int listIndex) const
{
    return listIndex >= 0 && listIndex < GetRecordTypeCount() ? listIndex : -1;
}

void CSubViewCounts::SelectTab(int listIndex, bool focus)
{
    m_currentList = FindTab(listIndex);
    if (!GetSafeHwnd())
        return;
    Invalidate();
    if (focus)
        SetFocus();
}

void CSubViewCounts::ShowRecord(CRecordNode* record, bool focus)
{
    if (record)
        SelectTab(GetRecordTypeIndex(record->GetFieldDef()), focus);
}

BOOL CSubViewCounts::OnEraseBkgnd(CDC* /*dc*/)
{
    return TRUE;
}

void CSubViewCounts::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    dc.SetBkMode(TRANSPARENT);
    const int lineHeight = dc.GetTextExtent("Ay").cy + kLineGap;
    int y = kMargin;
    for (int i = 0; i < int(m_lines.size()); ++i) {
        const bool current = i == m_currentList;
        if (current) {
            const CRect band(0, y - kLineGap / 2, client.right, y + lineHeight - kLineGap / 2);
            dc.FillSolidRect(&band, GetSysColor(COLOR_HIGHLIGHT));
        }
        dc.SetTextColor(GetSysColor(current ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        dc.TextOut(kMargin, y, m_lines[std::size_t(i)]);
        y += lineHeight;
    }
}
