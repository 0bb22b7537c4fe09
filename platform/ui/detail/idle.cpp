// platform/ui/detail/idle.cpp: the idle periods, the update pass, and the driver that runs a
// step each time the outermost loop is about to wait.
#include "platform/ui/detail/idle.h"

#include "platform/ui/detail/window_widget.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QPointer>
#include <QThread>

#include <memory>
#include <utility>
#include <vector>

namespace ui_detail {
namespace {

/// Idle work is running; it never runs inside itself.
bool g_inIdle = false;
/// The number of AutomaticIdleOff alive.
int g_automaticOff = 0;

class IdleScope {
public:
    IdleScope() { g_inIdle = true; }
    ~IdleScope() { g_inIdle = false; }
    IdleScope(const IdleScope&) = delete;
    IdleScope& operator=(const IdleScope&) = delete;
};

using WindowList = std::vector<std::pair<CWnd*, std::weak_ptr<int>>>;

void CollectWindows(QWidget* widget, WindowList& out)
{
    if (CWnd* wnd = WndFromWidget(widget))
        out.emplace_back(wnd, WndBridge::ImplOf(*wnd).life);
    for (QObject* child : widget->children())
        if (auto* childWidget = qobject_cast<QWidget*>(child))
            CollectWindows(childWidget, out);
}

/// Sends WM_IDLEUPDATECMDUI to the windows of every shown top-level window, parents first;
/// a window a handler destroyed on the way is skipped.
void UpdatePass()
{
    WindowList windows;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible())
            CollectWindows(top, windows);
    for (const auto& [wnd, life] : windows)
        if (!life.expired() && wnd->GetSafeHwnd())
            wnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
}

BOOL AppIdle(LONG count)
{
    CWinApp* app = AfxGetApp();
    return app ? app->OnIdle(count) : BaseIdle(count);
}

/// Runs one idle step each time the outermost loop is about to wait, carrying the count on
/// while the application wants more and input has not come in between.
class IdleDriver final : public QObject {
public:
    explicit IdleDriver(QObject* parent) : QObject(parent) {}

    void AboutToBlock()
    {
        // Nested loops (modal dialogs, waits) run no idle work of the application.
        if (g_inIdle || g_automaticOff > 0 || TestHooks::IsEnabled() ||
            QThread::currentThread()->loopLevel() > 1)
            return;
        if (!m_inPeriod || m_restart)
            m_count = 0;
        m_restart = false;
        BOOL more = FALSE;
        {
            const IdleScope scope;
            more = AppIdle(m_count);
        }
        ++m_count;
        m_inPeriod = more != FALSE;
        // Keeps the loop from waiting, so the next step runs once waiting events are handled.
        if (m_inPeriod)
            if (auto* dispatcher = QAbstractEventDispatcher::instance())
                dispatcher->wakeUp();
    }

    void NoteInput() { m_restart = true; }

private:
    LONG m_count = 0;
    bool m_inPeriod = false;
    bool m_restart = false;
};

QPointer<IdleDriver> g_driver;

} // namespace

BOOL BaseIdle(LONG count)
{
    if (count > 0)
        return FALSE;
    UpdatePass();
    return TRUE;
}

void RunApplicationIdle()
{
    if (g_inIdle)
        return;
    const IdleScope scope;
    for (LONG count = 0; AppIdle(count); ++count) {
    }
}

void RunBaseIdle()
{
    if (g_inIdle)
        return;
    const IdleScope scope;
    for (LONG count = 0; BaseIdle(count); ++count) {
    }
}

void StartIdleDriver()
{
    auto* dispatcher = QAbstractEventDispatcher::instance();
    if (g_driver || !dispatcher || !QCoreApplication::instance())
        return;
    g_driver = new IdleDriver(QCoreApplication::instance());
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, g_driver,
                     [driver = g_driver.data()] { driver->AboutToBlock(); });
}

void NoteInputForIdle()
{
    if (g_driver)
        g_driver->NoteInput();
}

AutomaticIdleOff::AutomaticIdleOff()
{
    ++g_automaticOff;
}

AutomaticIdleOff::~AutomaticIdleOff()
{
    --g_automaticOff;
}

} // namespace ui_detail
