// platform/testing/user_input.cpp: mouse input through Qt's test library, which hands it to Qt
// as the window system does.
#include "platform/testing/user_input.h"

#include "platform/ui/detail/window_widget.h"

#include <QWidget>
#include <QWindow>
#include <QtTest/QTest>

namespace user_input {

void Drag(CWnd& wnd, CPoint from, CPoint to)
{
    QWidget* widget = ui_detail::WidgetOf(&wnd);
    QWidget* top = widget ? widget->window() : nullptr;
    QWindow* window = top ? top->windowHandle() : nullptr;
    if (!window)
        return;
    const QPoint start = widget->mapTo(top, QPoint(from.x, from.y));
    const QPoint end = widget->mapTo(top, QPoint(to.x, to.y));
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, start);
    QTest::mouseMove(window, (start + end) / 2);
    QTest::mouseMove(window, end);
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, end);
}

void MovePointer(CWnd& wnd, CPoint point)
{
    QWidget* widget = ui_detail::WidgetOf(&wnd);
    QWidget* top = widget ? widget->window() : nullptr;
    QWindow* window = top ? top->windowHandle() : nullptr;
    if (window)
        QTest::mouseMove(window, widget->mapTo(top, QPoint(point.x, point.y)));
}

} // namespace user_input
