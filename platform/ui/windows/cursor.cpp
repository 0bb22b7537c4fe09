// platform/ui/windows/cursor.cpp: cursors read from the resources' images, and the desktop's arrow,
// cross and sizing cursors.
#include "platform/ui/windows/cursor.h"

#include "platform/ui/detail/cursor_data.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/resources/resources.h"

#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <map>
#include <memory>

HCURSOR LoadCursorResource(UINT id)
{
    // Kept for the run and never destroyed: a pixmap may not outlive the application object,
    // and cursors are asked for until the last window goes.
    static auto* loaded = new std::map<UINT, std::unique_ptr<CursorData>>;
    if (const auto found = loaded->find(id); found != loaded->end())
        return found->second.get();
    const ImageRecord* record = AppResources().FindImage(ResourceType::Cursor, id);
    if (!record)
        return nullptr;
    const QImage image(QString::fromStdString(record->path));
    if (image.isNull())
        return nullptr;
    QPoint hotSpot = image.rect().center();
    const QStringList parts = image.text("hotspot").split(',');
    if (parts.size() == 2) {
        bool xRead = false, yRead = false;
        const QPoint given(parts[0].trimmed().toInt(&xRead), parts[1].trimmed().toInt(&yRead));
        if (xRead && yRead && image.rect().contains(given))
            hotSpot = given;
    }
    auto data = std::make_unique<CursorData>(
        CursorData{id, QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y())});
    return loaded->emplace(id, std::move(data)).first->second.get();
}

HCURSOR LoadStandardCursor(UINT id)
{
    if (id == IDC_ARROW) {
        static const auto* arrow = new CursorData{0, QCursor(Qt::ArrowCursor)};
        return arrow;
    }
    static const std::map<UINT, Qt::CursorShape> shapes = {
        {IDC_CROSS, Qt::CrossCursor},        {IDC_SIZENWSE, Qt::SizeFDiagCursor},
        {IDC_SIZENESW, Qt::SizeBDiagCursor}, {IDC_SIZEWE, Qt::SizeHorCursor},
        {IDC_SIZENS, Qt::SizeVerCursor},
    };
    const auto shape = shapes.find(id);
    if (shape == shapes.end())
        return nullptr;
    // Kept for the run, as the resource cursors are.
    static auto* made = new std::map<UINT, std::unique_ptr<CursorData>>;
    auto& data = (*made)[id];
    if (!data)
        data = std::make_unique<CursorData>(CursorData{id, QCursor(shape->second)});
    return data.get();
}

UINT GetCursorResourceId(HCURSOR cursor)
{
    return cursor ? cursor->id : 0;
}

bool IsWaitCursorShown()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

namespace {

/// Puts the arrow over the wait cursor while the pointer is inside the widget it watches.
class WaitCursorExemption final : public QObject {
public:
    void Enter()
    {
        if (!m_arrow)
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
        m_arrow = true;
    }
    void Leave()
    {
        if (m_arrow)
            QGuiApplication::restoreOverrideCursor();
        m_arrow = false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Enter)
            Enter();
        else if (event->type() == QEvent::Leave)
            Leave();
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_arrow = false;
};

QPointer<QWidget> g_exempted;
WaitCursorExemption* g_exemption = nullptr;

} // namespace

void SetWaitCursorExemption(CWnd* wnd)
{
    if (g_exemption) {
        g_exemption->Leave();
        if (g_exempted)
            g_exempted->removeEventFilter(g_exemption);
        delete g_exemption;
        g_exemption = nullptr;
        g_exempted = nullptr;
    }
    QWidget* widget = wnd ? ui_detail::WidgetOf(wnd) : nullptr;
    if (!widget)
        return;
    g_exemption = new WaitCursorExemption;
    g_exempted = widget;
    widget->installEventFilter(g_exemption);
    if (widget->underMouse())
        g_exemption->Enter();
}
