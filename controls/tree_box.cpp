// controls/tree_box.cpp: creating and ending a tree box, its font, metrics and colours.
#include "controls/tree_box.h"

#include "controls/detail/tree_box_parts.h"
#include "platform/base/text.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>

namespace {

/// The system colour each colour setting stands for when left automatic.
constexpr int kSystemColours[TBC_COUNT] = {COLOR_WINDOW,  COLOR_3DFACE,     COLOR_HIGHLIGHT,
                                           COLOR_3DFACE,  COLOR_WINDOWTEXT, COLOR_HIGHLIGHTTEXT,
                                           COLOR_BTNTEXT, COLOR_WINDOWTEXT, COLOR_BTNSHADOW};

/// Settings at or above this value stand for the system colour.
constexpr COLORREF kFirstSystemSetting = 0xFFFFFFFE;

} // namespace

namespace tree_box_detail {

std::string_view TabField(std::string_view text, int column)
{
    if (column < 0)
        return text;
    std::size_t start = 0;
    for (int i = 0; i < column; ++i) {
        const std::size_t tab = text.find('\t', start);
        if (tab == std::string_view::npos)
            return {};
        start = tab + 1;
    }
    const std::size_t end = text.find('\t', start);
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

bool CellGreater(std::string_view first, std::string_view second)
{
    if (first.empty())
        return false;
    if (second.empty())
        return true;
    for (std::size_t i = 0;; ++i) {
        if (i == first.size())
            return false;
        if (i == second.size())
            return true;
        const auto a = static_cast<signed char>(first[i]), b = static_cast<signed char>(second[i]);
        if (a != b)
            return a > b;
    }
}

} // namespace tree_box_detail

CTreeBoxNode* CTreeBoxNode::FindItemByText(std::string_view text) const
{
    for (CTreeBoxNode* child = m_firstChild; child; child = child->m_nextSibling)
        if (text::EqualsNoCase(child->m_text.str(), text))
            return child;
    return nullptr;
}

CTreeBox::CTreeBox()
{
    m_settings.fill(-1);
    m_settings[TBM_INDENT_CHARS] = 4;
    m_colours.fill(TB_SYSTEM_COLOUR);
}

CTreeBox::~CTreeBox()
{
    if (GetCapture() == this)
        ReleaseCapture();
    // The owner may already be gone (it is often the object the box is part of).
    FreeAllNodes();
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CTreeBox::Create(DWORD flags, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                      CTreeBoxOwner* owner, int imageWidth, int imageHeight, CColumnHeader* header,
                      DWORD exStyle)
{
    if (!parent || GetSafeHwnd())
        return FALSE;
    m_mode = (flags & TBF_TREE) ? kTreeMode : (flags & TBF_GRID) ? kGridMode : kListMode;
    m_imageWidth = std::max(imageWidth, 0);
    m_imageHeightArg = std::max(imageHeight, 0);
    if (!CreateEx(exStyle, nullptr, "TreeBox", style | WS_CLIPCHILDREN, rect, parent, id)) {
        m_mode = 0;
        return FALSE;
    }
    m_ownFont = std::make_unique<CFont>();
    if (m_ownFont->CreateFont(8, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS,
                              "MS Sans Serif")) {
        m_font = m_ownFont.get();
    } else {
        m_ownFont.reset();
        m_font = static_cast<CFont*>(GetStockObject(SYSTEM_FONT));
    }
    ComputeMetrics();
    if (RowHeight() <= 0) {
        DestroyWindow();
        m_ownFont.reset();
        m_font = nullptr;
        m_mode = 0;
        return FALSE;
    }
    m_owner = owner;
    m_childrenOnDemand = flags & TBF_CHILDREN_ON_DEMAND;
    m_fullRow = m_mode == kListMode && (flags & TBF_FULL_ROW_SELECT);
    m_topLevelOnly = flags & TBF_TOP_LEVEL_SELECT;
    m_multiple = m_topLevelOnly || (flags & TBF_MULTI_SELECT);
    m_ownerText = owner && (flags & TBF_OWNER_TEXT);
    m_ownerDrawsText = owner && (flags & TBF_OWNER_DRAWS_TEXT);
    m_captureOnClick = flags & TBF_CAPTURE_ON_CLICK;
    m_emptyExpand = flags & TBF_EMPTY_EXPAND;
    m_ownerOrder = !(flags & TBF_TEXT_ORDER);
    m_header = m_mode == kTreeMode ? nullptr : header;
    RecalcLayout();
    return TRUE;
}

void CTreeBox::ComputeMetrics()
{
    if (!GetSafeHwnd() || !m_font)
        return;
    TEXTMETRIC tm;
    {
        CClientDC dc(this);
        dc.SelectObject(m_font);
        dc.GetTextMetrics(&tm);
        m_ellipsisWidth = dc.GetTextExtent("W...").cx;
    }
    const auto set = [this](int index) { return m_settings[std::size_t(index)]; };
    const auto pick = [&set](int index, int automatic) {
        return set(index) != -1 ? set(index) : automatic;
    };
    TreeBoxMetrics& m = m_metrics;
    const int averageWidth = int(tm.tmAveCharWidth);
    m[TBM_IMAGE_HEIGHT] = pick(TBM_IMAGE_HEIGHT, m_imageHeightArg);
    int rowHeight = pick(TBM_ROW_HEIGHT,
                         std::max(int(tm.tmHeight + tm.tmExternalLeading), m[TBM_IMAGE_HEIGHT]));
    if (rowHeight % 2)
        ++rowHeight;
    if (m_mode == kGridMode)
        rowHeight += 2;
    m[TBM_ROW_HEIGHT] = rowHeight;
    m[TBM_LEFT_MARGIN] = pick(TBM_LEFT_MARGIN, 2 * averageWidth);
    m[TBM_IMAGE_GAP] = pick(TBM_IMAGE_GAP, averageWidth + 1);
    m[TBM_HALF_TEXT] = pick(TBM_HALF_TEXT, int(tm.tmHeight) / 2);
    m[TBM_INDENT_CHARS] = pick(TBM_INDENT_CHARS, 4);
    m[TBM_BUTTON_HALF_WIDTH] = pick(TBM_BUTTON_HALF_WIDTH, rowHeight / 4);
    m[TBM_BUTTON_HALF_HEIGHT] = pick(TBM_BUTTON_HALF_HEIGHT, m[TBM_BUTTON_HALF_WIDTH]);
    int signHalf = rowHeight / 6;
    if (signHalf >= m[TBM_BUTTON_HALF_WIDTH] - 1)
        signHalf = m[TBM_BUTTON_HALF_WIDTH] - 2;
    m[TBM_SIGN_HALF_WIDTH] = pick(TBM_SIGN_HALF_WIDTH, std::max(signHalf, 1));
    m[TBM_SIGN_HALF_HEIGHT] = pick(TBM_SIGN_HALF_HEIGHT, m[TBM_SIGN_HALF_WIDTH]);
    m[TBM_UNUSED] = set(TBM_UNUSED);
    m[TBM_TEXT_INSET] = pick(TBM_TEXT_INSET, 3);
    int indent = m[TBM_INDENT_CHARS] * averageWidth;
    if (set(TBM_LEVEL_INDENT) != -1)
        indent = std::max(set(TBM_LEVEL_INDENT), (m_imageWidth + m[TBM_BUTTON_HALF_WIDTH]) / 2 + 2);
    m[TBM_LEVEL_INDENT] = indent;
}

void CTreeBox::SetMetrics(const TreeBoxMetrics& settings)
{
    m_settings = settings;
    ComputeMetrics();
}

bool CTreeBox::MeasureItemText(CFont* font, bool ownsFont, bool redraw)
{
    if (!GetSafeHwnd() || !font)
        return false;
    if (font != m_ownFont.get())
        m_ownFont.reset(ownsFont ? font : nullptr);
    m_font = font;
    ComputeMetrics();
    m_layoutDirty = true;
    if (redraw)
        Invalidate();
    return true;
}

COLORREF CTreeBox::Colour(int index) const
{
    const COLORREF setting = m_colours[std::size_t(index)];
    return setting >= kFirstSystemSetting || index == TBC_SIGNS ? GetSysColor(kSystemColours[index])
                                                                : setting;
}

void CTreeBox::SetColours(const TreeBoxColours& colours, bool redraw)
{
    if (!GetSafeHwnd())
        return;
    for (int i = 0; i < TBC_COUNT; ++i)
        if (i != TBC_SIGNS)
            m_colours[std::size_t(i)] = colours[std::size_t(i)];
    if (redraw)
        Invalidate();
}

void CTreeBox::ResolveHighlightColours()
{
    m_colours[TBC_SELECTION_NO_FOCUS] = Colour(TBC_SELECTION);
    m_colours[TBC_SELECTED_TEXT_NO_FOCUS] = Colour(TBC_SELECTED_TEXT);
    Invalidate();
}

TreeBoxColours CTreeBox::GetColours() const
{
    TreeBoxColours resolved{};
    for (int i = 0; i < TBC_COUNT; ++i)
        resolved[std::size_t(i)] = Colour(i);
    return resolved;
}

int CTreeBox::TopIndex() const
{
    return m_top ? GetItemRow(m_top) : 0;
}

CSize CTreeBox::ClientSize() const
{
    CRect client;
    GetClientRect(&client);
    return client.Size();
}

std::string CTreeBox::GetCellText(CTreeBoxNode* node, int column)
{
    if (!node)
        return {};
    if (m_ownerText && m_owner)
        return m_owner->GetItemText(this, node, node->m_data, column, false, nullptr, nullptr);
    return std::string(tree_box_detail::TabField(node->m_text.str(), column));
}

void CTreeBox::SetLayoutFrozen(bool frozen)
{
    m_frozen = frozen;
}

void CTreeBox::EnableExpansion(bool enable)
{
    m_expansionEnabled = enable;
}
