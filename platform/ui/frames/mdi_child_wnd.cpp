// platform/ui/frames/mdi_child_wnd.cpp: child frames inside the MDI area: creation, activation, the
// menu they show, and their titles.
#include "platform/ui/frames/mdi_child_wnd.h"

#include "platform/ui/detail/widget_windows.h"
#include "platform/ui/frames/doc_template.h"
#include "platform/ui/frames/mdi_frame_wnd.h"
#include "platform/ui/frames/view.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/app.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

namespace {

/// The least size of a child frame made without a rectangle.
constexpr int kLeastWidth = 200;
constexpr int kLeastHeight = 150;

} // namespace

CMDIChildWnd::CMDIChildWnd() = default;

CMDIChildWnd::~CMDIChildWnd() = default;

BOOL CMDIChildWnd::Create(const char* className, const char* title, DWORD style, const RECT& rect,
                          CMDIFrameWnd* parent, CCreateContext* context)
{
    if (!parent)
        parent = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    QMdiArea* area = ui_detail::MdiAreaOf(parent);
    if (!area || GetSafeHwnd())
        return FALSE;
    CREATESTRUCT cs;
    cs.lpCreateParams = context;
    cs.hwndParent = parent;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.style = style | WS_CHILD;
    cs.lpszName = title;
    cs.lpszClass = className;
    if (!PreCreateWindow(cs))
        return FALSE;
    SetTitle(cs.lpszName ? cs.lpszName : "");

    auto* widget = new ui_detail::MdiChildWidget();
    area->addSubWindow(widget);
    widget->hide();
    const CRect place(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy);
    ui_detail::CreateArgs args;
    args.style = cs.style & ~WS_VISIBLE;
    args.exStyle = cs.dwExStyle;
    args.className = cs.lpszClass;
    args.windowName = cs.lpszName;
    args.parent = parent;
    args.createParam = context;
    args.rect = place.IsRectNull() ? nullptr : &place;
    if (!args.rect) {
        // Two thirds of the room, one title bar lower and further right than the last window
        // placed, as cascading steps them, from the corner again when the room ends; the MDI
        // area's own placement beside the other windows would leave a window that grows later
        // partly out of sight.
        const QSize room = area->isVisible() ? area->viewport()->size() : area->window()->size();
        widget->resize(std::max(room.width() * 2 / 3, kLeastWidth),
                       std::max(room.height() * 2 / 3, kLeastHeight));
        const int step = widget->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, widget);
        int others = 0;
        for (const QMdiSubWindow* other : area->subWindowList())
            others += other != widget && other->isVisible() ? 1 : 0;
        QPoint at(step * others, step * others);
        if (at.x() + widget->width() > room.width() || at.y() + widget->height() > room.height())
            at = QPoint(0, 0);
        widget->move(at);
    }
    const std::weak_ptr<int> life = ui_detail::WndBridge::ImplOf(*this).life;
    if (!ui_detail::CreateOver(*this, widget, args))
        return FALSE;
    if (!life.expired() && (cs.style & WS_VISIBLE))
        ActivateFrame();
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context)
{
    std::string title;
    if (AppResources().LoadString(resourceId, title))
        title = title.substr(0, title.find('\n'));
    if (context && context->m_pNewDocTemplate)
        m_pMenuShared = context->m_pNewDocTemplate->GetSharedMenu();
    return Create(nullptr, title.c_str(), (style & ~WS_VISIBLE) | WS_CHILD, RECT{},
                  dynamic_cast<CMDIFrameWnd*>(parent), context);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    return dynamic_cast<CMDIFrameWnd*>(GetParent());
}

void CMDIChildWnd::MDIActivate()
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->MDIActivate(this);
}

void CMDIChildWnd::MDIDestroy()
{
    DestroyWindow();
}

void CMDIChildWnd::MDIMaximize()
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->MDIMaximize(this);
}

void CMDIChildWnd::MDIRestore()
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->MDIRestore(this);
}

void CMDIChildWnd::ActivateFrame(int cmdShow)
{
    QWidget* widget = ui_detail::WidgetOf(this);
    if (!widget)
        return;
    if (cmdShow == -1 && widget->isHidden())
        cmdShow = SW_SHOWNORMAL;
    if (cmdShow != -1)
        ShowWindow(cmdShow);
    MDIActivate();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL addToTitle)
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->OnUpdateFrameTitle(addToTitle);
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* doc = GetActiveDocument();
    if (!addToTitle || !doc)
        return UpdateFrameTitleForDocument(nullptr);
    // A document shown in several frames numbers them.
    std::vector<CFrameWnd*> frames;
    for (CView* view : doc->GetViews())
        if (CFrameWnd* frame = view->GetParentFrame();
            frame && std::find(frames.begin(), frames.end(), frame) == frames.end())
            frames.push_back(frame);
    std::string text = doc->GetTitle();
    if (frames.size() > 1)
        text += ":" +
                std::to_string(std::find(frames.begin(), frames.end(), this) - frames.begin() + 1);
    std::string current;
    GetWindowText(current);
    if (current != text)
        SetWindowText(text);
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->MDIRefreshMenu();
}

BOOL CMDIChildWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CView* view = GetActiveView(); view && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL activate, CWnd* activateWnd, CMenu* menuAlt)
{
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame)
        return;
    if (!menuAlt && activate)
        if (CDocument* doc = GetActiveDocument())
            menuAlt = doc->GetDefaultMenu();
    if (!menuAlt)
        menuAlt = m_pMenuShared;
    if (menuAlt && activate)
        frame->MDISetMenu(menuAlt, nullptr);
    else if (menuAlt && !activateWnd)
        frame->MDISetMenu(nullptr, nullptr); // the last child went: the frame's own menu
    else
        frame->MDIRefreshMenu();
}

void CMDIChildWnd::OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* /*deactivateWnd*/)
{
    if (activate || !activateWnd)
        OnUpdateFrameMenu(activate, activateWnd, nullptr);
    if (CView* view = GetActiveView())
        view->OnActivateView(activate, view, view);
    if (activate)
        OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::PlaceClient(CWnd* client)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(ui_detail::WidgetOf(this)))
        sub->setWidget(ui_detail::WidgetOf(client));
}

void CMDIChildWnd::OnDestroy()
{
    // The frame activates another child and drops this one from its Window menu.
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->OnChildDestroyed(this);
    CFrameWnd::OnDestroy();
}
