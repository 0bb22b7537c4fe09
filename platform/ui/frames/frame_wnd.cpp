// platform/ui/frames/frame_wnd.cpp: making frames and their views, the title, command routing,
// closing, and the handlers that only frames receive.
#include "platform/ui/frames/frame_wnd.h"

#include "platform/ui/detail/widget_windows.h"
#include "platform/ui/frames/doc_template.h"
#include "platform/ui/frames/mdi_child_wnd.h"
#include "platform/ui/frames/menu.h"
#include "platform/ui/frames/status_bar.h"
#include "platform/ui/frames/view.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/accelerator_table.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/message_pump.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

#include <algorithm>
#include <utility>

namespace {

/// The size a desktop gives a new window that asks for none: most of the screen's free area
/// (640 x 480 without a screen).
CSize DefaultFrameSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || screen->availableGeometry().isEmpty())
        return {640, 480};
    const QRect area = screen->availableGeometry();
    return {area.width() * 4 / 5, area.height() * 4 / 5};
}

/// The first line of a string resource.
std::string FirstLine(UINT id)
{
    std::string text;
    if (!AppResources().LoadString(id, text))
        return {};
    return text.substr(0, text.find('\n'));
}

bool IsMainWindow(const CWnd* wnd)
{
    const CWinApp* app = AfxGetApp();
    return app && app->m_pMainWnd == wnd;
}

} // namespace

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::Create(const char* className, const char* title, DWORD style, const RECT& rect,
                       CWnd* parent, UINT menuId, DWORD exStyle, CCreateContext* context)
{
    if (GetSafeHwnd())
        return FALSE;
    CRect place = rect;
    // A top-level frame made with an empty rectangle is sized as the desktop sizes a new window,
    // and placed by the window manager unless PreCreateWindow places it.
    const bool desktopPlaces = place.IsRectNull() && !parent;
    if (place.IsRectNull())
        place = CRect(CPoint(0, 0), DefaultFrameSize());
    CREATESTRUCT cs;
    cs.lpCreateParams = context;
    cs.hwndParent = parent;
    cs.x = place.left;
    cs.y = place.top;
    cs.cx = place.Width();
    cs.cy = place.Height();
    cs.style = style & ~WS_CHILD;
    cs.lpszName = title;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    if (!PreCreateWindow(cs))
        return FALSE;
    m_strTitle = cs.lpszName ? cs.lpszName : "";

    auto* widget = new ui_detail::FrameWidget();
    if (QWidget* owner = ui_detail::WidgetOf(parent))
        widget->setParent(owner, widget->windowFlags()); // an owned window stays above its owner
    if (menuId) {
        auto menu = std::make_unique<CMenu>();
        if (menu->LoadMenu(menuId)) {
            m_ownedMenu = std::move(menu);
            m_pMenu = m_ownedMenu.get(); // shown once the window exists, in OnCreate
        }
    }
    const CRect finalPlace(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy);
    const bool placed = !desktopPlaces || cs.x != place.left || cs.y != place.top;
    if (!placed)
        widget->resize(std::max(0, int(cs.cx)), std::max(0, int(cs.cy)));
    ui_detail::CreateArgs args;
    args.style = cs.style;
    args.exStyle = cs.dwExStyle;
    args.className = cs.lpszClass;
    args.windowName = cs.lpszName;
    args.parent = parent;
    args.createParam = cs.lpCreateParams;
    args.rect = placed ? &finalPlace : nullptr;
    return ui_detail::CreateOver(*this, widget, args);
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context)
{
    const std::string title = FirstLine(resourceId);
    if (!Create(nullptr, title.c_str(), style, RECT{}, parent, resourceId, 0, context))
        return FALSE;
    if (const ImageRecord* icon = AppResources().FindImage(ResourceType::Icon, resourceId))
        ui_detail::WidgetOf(this)->setWindowIcon(QIcon(QString::fromStdString(icon->path)));
    if (AppResources().FindAccelerators(resourceId)) {
        m_accelerators = std::make_unique<CAcceleratorTable>();
        m_accelerators->LoadAccelTable(resourceId);
        m_accelerators->Install(this);
    }
    return TRUE;
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify)
{
    CView* old = m_pViewActive;
    if (view == old)
        return;
    m_pViewActive = view;
    if (notify && old)
        old->OnActivateView(FALSE, view, old);
    if (notify && view)
        view->OnActivateView(TRUE, view, old);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CFrameWnd* frame = GetActiveFrame();
    CView* view = frame ? frame->m_pViewActive : nullptr;
    return view ? view->GetDocument() : nullptr;
}

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id)
{
    if (!context || !context->m_pNewViewClass)
        return nullptr;
    CObject* object = context->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CWnd*>(object);
    if (!view) {
        delete object;
        return nullptr;
    }
    const std::weak_ptr<int> life = ui_detail::WndBridge::ImplOf(*view).life;
    if (!view->CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(), this, id, context)) {
        // A view deletes itself when its window ends; a window that never was is deleted here.
        if (!life.expired())
            delete view;
        return nullptr;
    }
    PlaceClient(view);
    return view;
}

void CFrameWnd::PlaceClient(CWnd* client)
{
    if (auto* frame = qobject_cast<QMainWindow*>(ui_detail::WidgetOf(this)))
        ui_detail::BodyOf(frame)->SetClient(ui_detail::WidgetOf(client));
}

void CFrameWnd::InitialUpdateFrame(CDocument* /*doc*/, BOOL makeVisible)
{
    CView* view = m_pViewActive;
    if (!view) {
        view = dynamic_cast<CView*>(GetDlgItem(int(AFX_IDW_PANE_FIRST)));
        if (view)
            SetActiveView(view, FALSE);
    }
    if (QWidget* widget = ui_detail::WidgetOf(this)) {
        for (QWidget* child : widget->findChildren<QWidget*>())
            if (auto* childView = dynamic_cast<CView*>(ui_detail::WndFromWidget(child)))
                if (childView->GetParentFrame() == this)
                    childView->OnInitialUpdate();
    }
    if (makeVisible && GetSafeHwnd()) {
        // An MDI child tells its view when the MDI frame activates it.
        const bool activationTells = dynamic_cast<CMDIChildWnd*>(this) != nullptr;
        ActivateFrame();
        if (view && m_pViewActive == view && !activationTells)
            view->OnActivateView(TRUE, view, view);
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int cmdShow)
{
    QWidget* widget = ui_detail::WidgetOf(this);
    if (!widget)
        return;
    if (cmdShow == -1)
        cmdShow = widget->isHidden() ? SW_SHOWNORMAL : widget->isMinimized() ? SW_RESTORE : -1;
    if (cmdShow != -1)
        ShowWindow(cmdShow);
    if (widget->isWindow())
        widget->activateWindow(); // the desktop brings an activated window to the front
    else
        widget->raise();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* doc = addToTitle ? GetActiveDocument() : nullptr;
    UpdateFrameTitleForDocument(doc ? doc->GetTitle().c_str() : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(const char* docName)
{
    std::string text = m_strTitle;
    if (docName && *docName)
        text = (GetStyle() & FWS_PREFIXTITLE) ? docName + (" - " + m_strTitle)
                                              : m_strTitle + " - " + docName;
    std::string current;
    GetWindowText(current);
    if (current != text)
        SetWindowText(text);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWinApp* app = AfxGetApp(); app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::GetMessageString(UINT id, std::string& message) const
{
    message = FirstLine(id);
}

void CFrameWnd::WriteMessage(CWnd* bar, const std::string& text)
{
    if (auto* status = dynamic_cast<CStatusBar*>(bar))
        status->SetPaneText(0, text);
    else if (bar)
        bar->SetWindowText(text);
}

void CFrameWnd::SetMessageText(const std::string& text)
{
    WriteMessage(GetMessageBar(), text);
}

void CFrameWnd::ShowFlyByPrompt(UINT id)
{
    if (id != 0) {
        SetMessageText(id);
        m_flyByBar = GetMessageBar();
        return;
    }
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    // A window that became active under the pointer may have put up another message bar: the
    // prompt must not wait on the one hidden until it shows again.
    CWnd* shown = std::exchange(m_flyByBar, nullptr);
    if (shown && shown != GetMessageBar() &&
        std::find(m_bars.begin(), m_bars.end(), shown) != m_bars.end()) {
        std::string idle;
        GetMessageString(AFX_IDS_IDLEMESSAGE, idle);
        WriteMessage(shown, idle);
    }
}

void CFrameWnd::SetMessageText(UINT id)
{
    std::string text;
    GetMessageString(id, text);
    SetMessageText(text);
}

CWnd* CFrameWnd::GetMessageBar()
{
    return GetControlBar(AFX_IDW_STATUS_BAR);
}

void CFrameWnd::UpdateMenuCmdUI(CMenu* popup)
{
    if (popup)
        popup->UpdateCmdUI(this, m_bAutoMenuEnable);
}

void CFrameWnd::DragAcceptFiles(BOOL accept)
{
    if (QWidget* widget = ui_detail::WidgetOf(this))
        widget->setAcceptDrops(accept != FALSE);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& /*cs*/)
{
    return TRUE;
}

BOOL CFrameWnd::OnCreateClient(CREATESTRUCT* /*cs*/, CCreateContext* context)
{
    if (context && context->m_pNewViewClass)
        return CreateView(context, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // While another thread is waited for, nothing may change what it works on.
    if (IsInModalWait() && (message == WM_CLOSE || message == WM_DROPFILES ||
                            message == WM_COMMAND || message == WM_SYSCOMMAND))
        return 0;
    switch (message) {
    case WM_SYSCOMMAND:
        OnSysCommand(UINT(wParam), lParam);
        return 0;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)),
                        LOWORD(std::uintptr_t(lParam)), HIWORD(std::uintptr_t(lParam)));
        return 0;
    case WM_DROPFILES:
        OnDropFiles(*reinterpret_cast<const std::vector<std::string>*>(wParam));
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

LRESULT CFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_SYSCOMMAND)
        return CWnd::DefWindowProc(message, wParam, lParam);
    switch (UINT(wParam) & 0xFFF0) {
    case SC_CLOSE:
        SendMessage(WM_CLOSE);
        break;
    case SC_MINIMIZE:
        ShowWindow(SW_MINIMIZE);
        break;
    case SC_MAXIMIZE:
        ShowWindow(SW_SHOWMAXIMIZED);
        break;
    case SC_RESTORE:
        ShowWindow(SW_RESTORE);
        break;
    default:
        break;
    }
    return 0;
}

void CFrameWnd::OnSysCommand(UINT /*id*/, LPARAM /*lParam*/)
{
    Default();
}

void CFrameWnd::OnGetMinMaxInfo(MINMAXINFO* /*info*/)
{
    Default();
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT /*index*/, BOOL sysMenu)
{
    if (!sysMenu)
        UpdateMenuCmdUI(popup);
}

void CFrameWnd::OnDropFiles(const std::vector<std::string>& paths)
{
    ActivateFrame();
    CWinApp* app = AfxGetApp();
    for (const std::string& path : paths)
        if (app)
            app->OpenDocumentFile(path.c_str());
}

int CFrameWnd::OnCreate(CREATESTRUCT* createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    if (m_pMenu)
        DrawMenuBar();
    return OnCreateClient(createStruct, static_cast<CCreateContext*>(createStruct->lpCreateParams))
               ? 0
               : -1;
}

void CFrameWnd::OnClose()
{
    if (IsMainWindow(this)) {
        if (!SaveAllModified())
            return;
        CloseAllDocuments();
        DestroyWindow();
        return;
    }
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this))
        return;
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    if (m_accelerators)
        m_accelerators->Uninstall();
    m_bars.clear();
    m_pViewActive = nullptr;
    CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy()
{
    // The application must not keep a main window that is gone.
    if (IsMainWindow(this))
        AfxGetApp()->m_pMainWnd = nullptr;
    delete this;
}

CFrameWnd* GetParentFrame(const CWnd* wnd)
{
    for (CWnd* parent = wnd ? wnd->GetParent() : nullptr; parent; parent = parent->GetParent())
        if (auto* frame = dynamic_cast<CFrameWnd*>(parent))
            return frame;
    return nullptr;
}

CFrameWnd* GetTopLevelFrame(const CWnd* wnd)
{
    CFrameWnd* found = nullptr;
    for (QWidget* widget = ui_detail::WidgetOf(wnd); widget; widget = widget->parentWidget()) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(ui_detail::WndFromWidget(widget)))
            found = frame;
        if (widget->isWindow())
            break;
    }
    return found;
}
