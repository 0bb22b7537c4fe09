// records/properties/record_page_build.cpp: turning a page template's placeholder statics into data
// controls, the record grid and the picture area.
#include "records/properties/record_page.h"

#include "records/properties/properties_dlg.h"

#include "common/abort.h"
#include "database/dictionary/field_def.h"
#include "database/dictionary/record_type_table.h"
#include "database/paths/data_path.h"
#include "database/records/record_id_state.h"

#include <algorithm>
#include <memory>

namespace {

struct PrefixRow {
    std::string_view prefix;
    PlaceholderKind kind;
};

constexpr PrefixRow kPrefixes[] = {
    {"~", PlaceholderKind::Field},         {"F~", PlaceholderKind::Compact},
    {"G~", PlaceholderKind::Growing},      {"L~", PlaceholderKind::Large},
    {"M~", PlaceholderKind::LargeCompact},
};

/// The data control flags of a kind: the compact form for "F~", "G~" and "M~".
UINT ControlFlags(PlaceholderKind kind)
{
    return kind == PlaceholderKind::Field || kind == PlaceholderKind::Large ? 1 : 2;
}

/// A control id that templates give the controls they never address.
bool IsAddressedId(int id)
{
    return id != -1 && id != 0xFFFF;
}

} // namespace

Placeholder ParsePlaceholder(std::string_view text)
{
    if (text.size() < 2)
        return {};
    if (text == "<TAGGRID>")
        return {PlaceholderKind::Grid, {}};
    if (text == "<PICTURE>")
        return {PlaceholderKind::Picture, {}};
    for (const PrefixRow& row : kPrefixes) {
        if (text.starts_with(row.prefix))
            return {row.kind, std::string(text.substr(row.prefix.size()))};
    }
    return {};
}

void CRecordPage::BuildControls()
{
    int highest = 0;
    for (std::size_t i = 0; i < GetTemplateItemCount(); ++i) {
        const CWnd* child = GetTemplateItem(i);
        if (child && child->GetSafeHwnd() && IsAddressedId(child->GetDlgCtrlID()))
            highest = std::max(highest, child->GetDlgCtrlID());
    }
    m_nextId = UINT(highest + 1);
    for (std::size_t i = 0; i < GetTemplateItemCount(); ++i) {
        CWnd* child = GetTemplateItem(i);
        if (!child || !child->GetSafeHwnd())
            continue;
        std::string text;
        child->GetWindowText(text);
        const Placeholder what = ParsePlaceholder(text);
        switch (what.kind) {
        case PlaceholderKind::None:
            break;
        case PlaceholderKind::Grid:
            if (!m_grid)
                MakeGrid(*child);
            break;
        case PlaceholderKind::Picture:
            if (!m_hasPicture) {
                m_hasPicture = true;
                m_pictureRect = ChildRect(*child);
                m_pictureGap = (m_box ? m_box->GetSmallPageBottom() : 0) - m_pictureRect.bottom;
                child->DestroyWindow();
            }
            break;
        default:
            if (MakeDataControl(*child, what))
                child->DestroyWindow();
            break;
        }
    }
    m_built = true;
    if (m_loadEnabled && GetRecord())
        LoadFromRecord({});
}

bool CRecordPage::MakeDataControl(CWnd& placeholder, const Placeholder& what)
{
    auto path = std::make_unique<CDataPath>();
    if (!path->ParseText(what.path))
        return false;
    const CFieldDef* last = path->GetLastField();
    const CControlClass* controlClass = last ? last->GetControlClass() : nullptr;
    CDataCtl* control = controlClass ? controlClass->Create() : nullptr;
    if (!control)
        return false;
    const CRect rect = ChildRect(placeholder);
    if (!control->CreateCtl(FALSE, rect, this, nullptr, m_nextId++, this, std::move(path),
                            ControlFlags(what.kind))) {
        control->DestroyCtl(FALSE);
        return false;
    }
    control->Clear();
    CWnd& wnd = control->GetWnd();
    wnd.SetTabOrderAfter(&placeholder);
    wnd.ShowWindow(SW_SHOW);
    m_controls.push_back(control);
    if (what.kind == PlaceholderKind::Large || what.kind == PlaceholderKind::LargeCompact)
        m_largeOnly.push_back(control);
    if (what.kind == PlaceholderKind::Growing) {
        m_growing = control;
        const int largeBottom =
            m_box ? m_box->GetSmallPageBottom() + m_box->GetLargeDifference() : rect.bottom;
        m_growingGap = largeBottom - rect.bottom;
    }
    return true;
}

void CRecordPage::MakeGrid(CWnd& placeholder)
{
    CRect client;
    GetClientRect(&client);
    CRect rect = ChildRect(placeholder);
    rect.bottom = std::max(rect.top, client.bottom - 1);
    auto grid = std::make_unique<CTagGrid>();
    if (!grid->Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_GROUP | WS_TABSTOP | WS_BORDER,
                      rect, this, m_nextId++, nullptr, 0))
        ThrowAbort();
    grid->SetTabOrderAfter(&placeholder);
    placeholder.DestroyWindow();
    grid->SetRecordPageColumns(m_box && GetRecordTypeIndex(m_box->GetType()) == RECORD_LIST_HEAD);
    m_grid = std::move(grid);
    m_grid->SetRecord(GetRecord());
}
