// platform/ui/windows/clipboard.cpp: the text clipboard over Qt's.
#include "platform/ui/windows/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

bool SetClipboardText(const std::string& text)
{
    QClipboard* clipboard = QGuiApplication::instance() ? QGuiApplication::clipboard() : nullptr;
    if (!clipboard)
        return false;
    clipboard->setText(QString::fromStdString(text));
    return true;
}

std::string GetClipboardText()
{
    QClipboard* clipboard = QGuiApplication::instance() ? QGuiApplication::clipboard() : nullptr;
    return clipboard ? clipboard->text().toStdString() : std::string();
}
