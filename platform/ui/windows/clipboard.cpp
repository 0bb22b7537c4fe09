// platform/ui/windows/clipboard.cpp: the text and picture clipboard over Qt's.
#include "platform/ui/windows/clipboard.h"

#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/drawing/dc.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace {

QClipboard* Clipboard()
{
    return QGuiApplication::instance() ? QGuiApplication::clipboard() : nullptr;
}

} // namespace

bool SetClipboardText(const std::string& text)
{
    QClipboard* clipboard = Clipboard();
    if (!clipboard)
        return false;
    clipboard->setText(QString::fromStdString(text));
    return true;
}

std::string GetClipboardText()
{
    QClipboard* clipboard = Clipboard();
    return clipboard ? clipboard->text().toStdString() : std::string();
}

bool SetClipboardPicture(int width, int height, const std::function<void(CDC&)>& draw)
{
    QClipboard* clipboard = Clipboard();
    if (!clipboard || width <= 0 || height <= 0)
        return false;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    image.fill(Qt::white);
    image.setDotsPerMeterX(3780); // 96 dots per inch
    image.setDotsPerMeterY(3780);
    {
        CDC dc;
        ui_detail::DcAccess::AttachImage(dc, &image);
        draw(dc);
    }
    clipboard->setImage(image);
    return true;
}

bool GetClipboardPictureSize(int& width, int& height)
{
    QClipboard* clipboard = Clipboard();
    const QImage image = clipboard ? clipboard->image() : QImage();
    width = image.isNull() ? 0 : image.width();
    height = image.isNull() ? 0 : image.height();
    return !image.isNull();
}
