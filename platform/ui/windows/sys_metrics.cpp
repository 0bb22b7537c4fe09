// platform/ui/windows/sys_metrics.cpp: the fixed colour table and metrics from the screen and
// style.
#include "platform/ui/windows/sys_metrics.h"

#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

#include <array>

namespace {

// A light desktop scheme: white windows, light grey faces, blue selection.
constexpr std::array<COLORREF, 31> kSysColours = {
    RGB(200, 200, 200), // scroll bar
    RGB(58, 110, 165),  // desktop
    RGB(153, 180, 209), // active caption
    RGB(191, 205, 219), // inactive caption
    RGB(240, 240, 240), // menu
    RGB(255, 255, 255), // window
    RGB(100, 100, 100), // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(0, 0, 0),       // caption text
    RGB(180, 180, 180), // active border
    RGB(244, 247, 252), // inactive border
    RGB(171, 171, 171), // application workspace
    RGB(51, 153, 255),  // highlight
    RGB(255, 255, 255), // highlight text
    RGB(240, 240, 240), // button face
    RGB(160, 160, 160), // button shadow
    RGB(109, 109, 109), // grey text
    RGB(0, 0, 0),       // button text
    RGB(67, 78, 84),    // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(105, 105, 105), // 3D dark shadow
    RGB(227, 227, 227), // 3D light
    RGB(0, 0, 0),       // tooltip text
    RGB(255, 255, 225), // tooltip background
    RGB(0, 0, 0),       // (unused index 25)
    RGB(0, 102, 204),   // hot-tracked item
    RGB(185, 209, 234), // active caption gradient
    RGB(215, 228, 242), // inactive caption gradient
    RGB(51, 153, 255),  // menu highlight
    RGB(240, 240, 240), // menu bar
};

int StyleMetric(QStyle::PixelMetric metric)
{
    return QApplication::style()->pixelMetric(metric);
}

QRect ScreenRect(bool available)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return available ? screen->availableGeometry() : screen->geometry();
}

/// The height of a one-line menu bar as the style lays it out.
int MenuHeight()
{
    QMenuBar bar;
    bar.addAction(QStringLiteral("File"));
    return bar.sizeHint().height();
}

} // namespace

COLORREF GetSysColor(int index)
{
    if (index < 0 || index >= int(kSysColours.size()))
        return RGB(0, 0, 0);
    return kSysColours[std::size_t(index)];
}

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN:
        return ScreenRect(false).width();
    case SM_CYSCREEN:
        return ScreenRect(false).height();
    case SM_CXFULLSCREEN:
        return ScreenRect(true).width();
    case SM_CYFULLSCREEN:
        return ScreenRect(true).height() - StyleMetric(QStyle::PM_TitleBarHeight);
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return StyleMetric(QStyle::PM_ScrollBarExtent);
    case SM_CYCAPTION:
        return StyleMetric(QStyle::PM_TitleBarHeight);
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYMENU:
        return MenuHeight();
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        return StyleMetric(QStyle::PM_IndicatorWidth);
    default:
        return 0;
    }
}

void GetWorkArea(POINT point, RECT* area)
{
    const QScreen* screen = QGuiApplication::screenAt(QPoint(point.x, point.y));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect();
    *area = CRect(work.left(), work.top(), work.left() + work.width(), work.top() + work.height());
}
