// controls/static_link.cpp: the hyperlink control.
#include "controls/static_link.h"

#include "platform/base/prompt.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/static.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/sys_metrics.h"

#include <cstring>

namespace {

constexpr const char* kClassName = "Av_StaticLink";
/// ShellOpen answers above this on success.
constexpr int kShellOpenFailed = 32;

/// The font the dialog around the control was laid out with; the dialogs' usual font when the
/// parent is no dialog made from a template.
LOGFONT DialogFont(const CWnd* parent)
{
    const auto* dialog = dynamic_cast<const CDialog*>(parent);
    const CDialogTemplate* layout =
        dialog ? AppResources().FindDialog(dialog->GetTemplateId()) : nullptr;
    if (layout)
        return layout->GetFont();
    LOGFONT font;
    font.lfHeight = -MulDiv(8, 96, 72);
    font.lfWeight = FW_NORMAL;
    std::strncpy(font.lfFaceName, "MS Sans Serif", LF_FACESIZE - 1);
    return font;
}

} // namespace

CStaticLink::CStaticLink(const char* link, BOOL autoDelete)
    : m_link(link ? link : ""), m_autoDelete(autoDelete)
{
}

CStaticLink::~CStaticLink() = default;

BOOL CStaticLink::SubclassDlgItem(UINT id, CWnd* parent)
{
    CWnd* original = parent ? parent->GetDlgItem(int(id)) : nullptr;
    if (!original || GetSafeHwnd())
        return FALSE;
    std::string text;
    original->GetWindowText(text);
    CRect rect;
    original->GetWindowRect(&rect);
    parent->ScreenToClient(&rect);
    const DWORD style = original->GetStyle() | WS_CHILD | WS_VISIBLE;
    m_logFont = DialogFont(parent);
    original->ShowWindow(SW_HIDE);
    original->SetDlgCtrlID(0xFFFF);
    if (!CreateEx(0, kClassName, text.c_str(), style, rect, parent, id))
        return FALSE;
    // The hand, or the default cursor when the resources have none.
    SetWindowCursor(LoadCursorResource(kHandCursorId));
    return TRUE;
}

bool CStaticLink::HasLinkStyle() const
{
    const DWORD type = GetStyle() & SS_TYPEMASK;
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
}

void CStaticLink::CreateFonts()
{
    if (m_font.GetSafeHandle())
        return;
    m_plainFont.CreateFontIndirect(&m_logFont);
    LOGFONT underlined = m_logFont;
    underlined.lfUnderline = TRUE;
    m_font.CreateFontIndirect(&underlined);
}

BOOL CStaticLink::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_3DFACE));
    return TRUE;
}

void CStaticLink::OnPaint()
{
    CPaintDC dc(this);
    CreateFonts();
    const DWORD style = GetStyle();
    const DWORD type = style & SS_TYPEMASK;
    const bool link = HasLinkStyle();
    CFont* old = dc.SelectObject(link ? &m_font : &m_plainFont);
    dc.SetTextColor(link ? m_colour : GetSysColor(COLOR_WINDOWTEXT));
    dc.SetBkMode(TRANSPARENT);
    UINT format = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    if (type == SS_CENTER)
        format |= DT_CENTER | DT_WORDBREAK;
    else if (type == SS_RIGHT)
        format |= DT_RIGHT | DT_WORDBREAK;
    else if (type == SS_LEFT)
        format |= DT_LEFT | DT_WORDBREAK;
    else
        format |= DT_LEFT | DT_SINGLELINE;
    std::string text;
    GetWindowText(text);
    CRect client;
    GetClientRect(&client);
    dc.DrawText(text, &client, format);
    dc.SelectObject(old);
}

void CStaticLink::OnLButtonDown(UINT /*flags*/, CPoint /*point*/)
{
    if (m_link.empty())
        GetWindowText(m_link);
    if (m_link.empty())
        return;
    if (ShellOpen(m_link, "open") > kShellOpenFailed) {
        m_colour = kVisitedColour;
        Invalidate();
    } else {
        MessageBeep(0);
    }
}

void CStaticLink::PostNcDestroy()
{
    if (m_autoDelete)
        delete this;
}
