// platform/smoke/smoke_driver.cpp: built into the smoke build of the program beside its own main.
// It plays the steps that ARDENVEL_SMOKE_STEPS names, one after another, as a person would:
// mouse clicks on the menu bar, menus, buttons and close boxes, and typed keys, all handed to
// Qt as the window system hands it input, so they travel Qt's own event path. A step that
// cannot be carried out within its time ends the program with exit code 90 + its number.
//
// Steps, separated by "|":
//   menu <Title>/<Item>     opens the menu bar's pop-up and clicks the item ("File/Exit")
//   answer <Button>         clicks the button of the window asking (message box or dialog)
//   file <path>             types the path into the file dialog's name box and presses Enter
//   key <keys>              presses the keys in the active window ("Ctrl+S")
//   click <Button>          clicks the button (or check box) of a child window, none asking
//   closebox <Title>        clicks the close box in the title bar of the child window
//   maximize <Title>        clicks the maximise box in the title bar of the child window
//   resize <Title> <W>x<H>[-<H2>]  gives the child window that size; with a second height, each
//                           height from H to H2 in turn, as dragging its bottom border does
//   hidden <Title>          waits until the child window with that title is hidden
//   wmclose                 the window manager's request to close the main window (Alt+F4)
//   terminate               SIGTERM to the program, as a session's end or `kill` sends it
#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QKeySequence>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTimer>
#include <QWindow>
#include <QtTest/QTest>

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

constexpr int kTickMs = 50;
constexpr int kStepTimeoutMs = 20000;

struct Driver {
    QStringList steps;
    int next = 0;
    int waitedMs = 0;
};

Driver& State()
{
    static Driver driver;
    return driver;
}

/// The text a person reads on a menu item or button: no "&" marks, no shortcut after a tab.
QString Plain(QString text)
{
    text = text.section('\t', 0, 0);
    text.remove('&');
    return text.trimmed();
}

QMainWindow* MainWindow()
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<QMainWindow*>(top);
            main && main->isVisible() && main->menuBar())
            return main;
    return nullptr;
}

/// Clicks the widget at point (its own coordinates) through its window, as the window system
/// delivers a click.
void Click(QWidget* widget, QPoint point)
{
    QWidget* top = widget->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      widget->mapTo(top, point));
}

QAction* FindAction(const QList<QAction*>& actions, const QString& text)
{
    for (QAction* action : actions)
        if (!action->isSeparator() && action->isVisible() && Plain(action->text()) == text)
            return action;
    return nullptr;
}

/// The window waiting for an answer: a modal window, else none.
QWidget* AskingWindow()
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal->isVisible() ? modal : nullptr;
}

QMdiSubWindow* ChildWindow(const QString& title)
{
    QMainWindow* main = MainWindow();
    for (QMdiArea* area : main ? main->findChildren<QMdiArea*>() : QList<QMdiArea*>())
        for (QMdiSubWindow* child : area->subWindowList())
            if (child->windowTitle() == title)
                return child;
    return nullptr;
}

QPoint TitleBoxOf(QMdiSubWindow* child, QStyle::SubControl box)
{
    QStyleOptionTitleBar option;
    option.initFrom(child);
    option.subControls = QStyle::SC_All;
    option.titleBarFlags = child->windowFlags();
    option.titleBarState = child->windowState();
    option.text = child->windowTitle();
    const int border =
        child->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, child);
    const int height = child->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, child);
    option.rect = QRect(border, border, child->width() - 2 * border, height - border);
    return child->style()->subControlRect(QStyle::CC_TitleBar, &option, box, child).center();
}

/// Carries the step out when the program is ready for it; false while it is not.
bool Try(const QString& step)
{
    const QString verb = step.section(' ', 0, 0);
    const QString argument = step.section(' ', 1);
    if (verb == "menu") {
        QMainWindow* main = MainWindow();
        if (!main || AskingWindow())
            return false;
        const QString title = argument.section('/', 0, 0), item = argument.section('/', 1);
        if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            QAction* action = FindAction(popup->actions(), item);
            // A menu filled as it opens may not have placed its items yet: click only where the
            // item stands now, else try again at the next tick.
            const QPoint point = action ? popup->actionGeometry(action).center() : QPoint();
            if (!action || !action->isEnabled() || !popup->isVisible() ||
                popup->actionAt(point) != action)
                return false;
            Click(popup, point);
            return true;
        }
        if (QAction* action = FindAction(main->menuBar()->actions(), title))
            Click(main->menuBar(), main->menuBar()->actionGeometry(action).center());
        return false; // the item is clicked once the pop-up shows
    }
    if (verb == "answer") {
        QWidget* asking = AskingWindow();
        for (QAbstractButton* button :
             asking ? asking->findChildren<QAbstractButton*>() : QList<QAbstractButton*>())
            if (button->isVisible() && button->isEnabled() && Plain(button->text()) == argument) {
                Click(button, button->rect().center());
                return true;
            }
        return false;
    }
    if (verb == "file") {
        auto* dialog = qobject_cast<QFileDialog*>(AskingWindow());
        auto* name = dialog ? qobject_cast<QLineEdit*>(QApplication::focusWidget()) : nullptr;
        if (!name || name->window() != dialog)
            return false;
        QTest::keyClick(dialog->windowHandle(), Qt::Key_A, Qt::ControlModifier);
        for (QChar c : argument)
            QTest::keyClick(dialog->windowHandle(), c.toLatin1());
        QTest::keyClick(dialog->windowHandle(), Qt::Key_Return);
        return true;
    }
    if (verb == "key") {
        QWindow* window = QGuiApplication::focusWindow();
        if (!window || AskingWindow() || QApplication::activePopupWidget())
            return false;
        QTest::keySequence(window, QKeySequence(argument));
        return true;
    }
    if (verb == "click") {
        QMainWindow* main = MainWindow();
        if (!main || AskingWindow())
            return false;
        for (QAbstractButton* button : main->findChildren<QAbstractButton*>())
            if (button->isVisible() && button->isEnabled() && Plain(button->text()) == argument) {
                Click(button, button->rect().center());
                return true;
            }
        return false;
    }
    if (verb == "closebox" || verb == "maximize") {
        QMdiSubWindow* child = ChildWindow(argument);
        if (!child || !child->isVisible() || AskingWindow())
            return false;
        Click(child, TitleBoxOf(child, verb == "closebox" ? QStyle::SC_TitleBarCloseButton
                                                          : QStyle::SC_TitleBarMaxButton));
        return true;
    }
    if (verb == "resize") {
        const QString title = argument.section(' ', 0, -2), size = argument.section(' ', -1);
        QMdiSubWindow* child = ChildWindow(title);
        const int width = size.section('x', 0, 0).toInt();
        const int from = size.section('x', 1).section('-', 0, 0).toInt();
        const QString last = size.section('x', 1).section('-', 1);
        const int to = last.isEmpty() ? from : last.toInt();
        if (!child || !child->isVisible() || AskingWindow() || width <= 0 || from <= 0 || to <= 0)
            return false;
        for (int height = from;; height += from <= to ? 1 : -1) {
            child->resize(width, height);
            if (height == to)
                break;
        }
        return true;
    }
    if (verb == "hidden") {
        QMdiSubWindow* child = ChildWindow(argument);
        return child && child->isHidden();
    }
    if (verb == "wmclose") {
        QMainWindow* main = MainWindow();
        if (!main || AskingWindow())
            return false;
        main->windowHandle()->close();
        return true;
    }
    if (verb == "terminate") {
        ::kill(::getpid(), SIGTERM);
        return true;
    }
    std::fprintf(stderr, "smoke: unknown step \"%s\"\n", qPrintable(step));
    std::_Exit(89);
}

void Tick()
{
    Driver& driver = State();
    // The next tick is due before the step runs: a step may open a modal window, whose own
    // loop then runs the steps that answer it.
    QTimer::singleShot(kTickMs, Tick);
    driver.waitedMs += kTickMs;
    if (driver.next >= driver.steps.size()) {
        if (driver.waitedMs > kStepTimeoutMs) {
            std::fprintf(stderr, "smoke: the program did not end after its last step\n");
            std::_Exit(88);
        }
        return;
    }
    const int number = driver.next;
    driver.next = number + 1; // what runs inside the step goes on with the next one
    const int waited = std::exchange(driver.waitedMs, 0);
    if (Try(driver.steps[number]))
        return;
    driver.next = number;
    driver.waitedMs = waited;
    if (waited > kStepTimeoutMs) {
        std::fprintf(stderr, "smoke: step %d \"%s\" could not be carried out\n", number + 1,
                     qPrintable(driver.steps[number]));
        std::_Exit(90 + number + 1);
    }
}

void StartDriver()
{
    const QString steps = qEnvironmentVariable("ARDENVEL_SMOKE_STEPS");
    if (steps.isEmpty())
        return;
    State().steps = steps.split('|', Qt::SkipEmptyParts);
    for (QString& step : State().steps)
        step = step.trimmed();
    QTimer::singleShot(kTickMs, Tick);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(StartDriver)
