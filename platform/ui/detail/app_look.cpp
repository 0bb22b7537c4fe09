// platform/ui/detail/app_look.cpp: the application's style, palette and fonts.
#include "platform/ui/detail/app_look.h"

#include "platform/ui/detail/colour.h"
#include "platform/ui/windows/sys_metrics.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QPalette>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>

namespace ui_detail {
namespace {

/// Where the Liberation and DejaVu packages put their files.
const char* const kFontFolders[] = {
    "/usr/share/fonts/truetype/liberation2",
    "/usr/share/fonts/truetype/liberation",
    "/usr/share/fonts/truetype/dejavu",
};

/// The Fusion style, with a tool window active whenever the window that owns it is: the keyboard
/// focus can then go into a popup while its owner stays the active window.
class SharedActivationStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_Widget_ShareActivation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QPalette SystemPalette()
{
    const auto colour = [](int index) { return ToQColor(GetSysColor(index)); };
    QPalette palette;
    palette.setColor(QPalette::Window, colour(COLOR_3DFACE));
    palette.setColor(QPalette::WindowText, colour(COLOR_WINDOWTEXT));
    palette.setColor(QPalette::Base, colour(COLOR_WINDOW));
    palette.setColor(QPalette::AlternateBase, colour(COLOR_3DLIGHT));
    palette.setColor(QPalette::Text, colour(COLOR_WINDOWTEXT));
    palette.setColor(QPalette::Button, colour(COLOR_BTNFACE));
    palette.setColor(QPalette::ButtonText, colour(COLOR_BTNTEXT));
    palette.setColor(QPalette::Light, colour(COLOR_3DHIGHLIGHT));
    palette.setColor(QPalette::Midlight, colour(COLOR_3DLIGHT));
    palette.setColor(QPalette::Mid, colour(COLOR_3DSHADOW));
    palette.setColor(QPalette::Dark, colour(COLOR_3DSHADOW));
    palette.setColor(QPalette::Shadow, colour(COLOR_3DDKSHADOW));
    palette.setColor(QPalette::Highlight, colour(COLOR_HIGHLIGHT));
    palette.setColor(QPalette::HighlightedText, colour(COLOR_HIGHLIGHTTEXT));
    palette.setColor(QPalette::ToolTipBase, colour(COLOR_INFOBK));
    palette.setColor(QPalette::ToolTipText, colour(COLOR_INFOTEXT));
    palette.setColor(QPalette::Link, colour(COLOR_HOTLIGHT));
    palette.setColor(QPalette::PlaceholderText, colour(COLOR_GRAYTEXT));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, colour(COLOR_GRAYTEXT));
    return palette;
}

} // namespace

void RegisterFontFiles()
{
    for (const char* folder : kFontFolders) {
        const QDir dir(QString::fromLatin1(folder));
        for (const QString& name :
             dir.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name))
            QFontDatabase::addApplicationFont(dir.filePath(name));
    }
}

void SetUpApplicationLook()
{
    static QPointer<QCoreApplication> done;
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app || done == app)
        return;
    done = app;
    QApplication::setStyle(
        new SharedActivationStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    QApplication::setPalette(SystemPalette());
}

} // namespace ui_detail
