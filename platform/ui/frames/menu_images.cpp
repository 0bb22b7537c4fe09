// platform/ui/frames/menu_images.cpp: pictures from toolbar strips, and the picture beside a menu
// item.
#include "platform/ui/frames/menu_images.h"

#include "platform/ui/detail/colour.h"
#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/detail/menu_access.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/frames/menu.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/sys_metrics.h"

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <unordered_map>
#include <vector>

struct CMenuImages::Impl {
    QSize size;
    std::vector<QIcon> icons;
    std::unordered_map<UINT, int> commands;
};

namespace {

QAction* CommandItemAt(HMENU handle, int position)
{
    const QMenu* menu = ui_detail::QtMenu(handle);
    if (!menu || position < 0 || position >= int(menu->actions().size()))
        return nullptr;
    QAction* action = menu->actions()[qsizetype(position)];
    const UINT id = ui_detail::ItemCommand(action);
    return id == 0 || id == UINT(-1) ? nullptr : action;
}

} // namespace

CMenuImages::CMenuImages() : m_impl(std::make_unique<Impl>()) {}

CMenuImages::~CMenuImages() = default;

BOOL CMenuImages::AddToolBar(UINT resourceId)
{
    const ToolbarRecord* toolbar = AppResources().FindToolbar(resourceId);
    const ImageRecord* image = AppResources().FindImage(ResourceType::Bitmap, resourceId);
    if (!toolbar || !image || toolbar->buttonWidth <= 0 || toolbar->buttonHeight <= 0)
        return FALSE;
    const QSize size(toolbar->buttonWidth, toolbar->buttonHeight);
    if (!m_impl->icons.empty() && size != m_impl->size)
        return FALSE;
    const QImage strip(QString::fromStdString(image->path));
    if (strip.isNull())
        return FALSE;
    m_impl->size = size;
    const int first = int(m_impl->icons.size());
    const int pictures = strip.width() / size.width();
    for (int k = 0; k < pictures; ++k)
        m_impl->icons.emplace_back(
            QPixmap::fromImage(strip.copy(k * size.width(), 0, size.width(), size.height())));
    int k = 0;
    for (const UINT command : toolbar->buttons) {
        if (command == 0)
            continue;
        if (k < pictures)
            m_impl->commands.emplace(command, first + k); // a command keeps its first picture
        ++k;
    }
    return TRUE;
}

void CMenuImages::RemoveAll()
{
    m_impl = std::make_unique<Impl>();
}

int CMenuImages::GetImageCount() const
{
    return int(m_impl->icons.size());
}

CSize CMenuImages::GetImageSize() const
{
    return {m_impl->size.width(), m_impl->size.height()};
}

int CMenuImages::FindImage(UINT command) const
{
    const auto found = m_impl->commands.find(command);
    return found == m_impl->commands.end() ? -1 : found->second;
}

BOOL CMenu::SetMenuItemImage(int position, const CMenuImages* images, int index)
{
    QAction* action = CommandItemAt(m_hMenu, position);
    if (!action)
        return FALSE;
    const bool shown = images && index >= 0 && index < images->GetImageCount();
    action->setIcon(shown ? images->m_impl->icons[std::size_t(index)] : QIcon());
    return TRUE;
}

BOOL CMenu::GetMenuItemImage(int position, CBitmap& image) const
{
    const QAction* action = CommandItemAt(m_hMenu, position);
    if (!action || action->icon().isNull())
        return FALSE;
    const QList<QSize> sizes = action->icon().availableSizes();
    const QSize size = sizes.isEmpty() ? QSize(16, 16) : sizes.front();
    image.DeleteObject();
    if (!image.CreateCompatibleBitmap(nullptr, size.width(), size.height()))
        return FALSE;
    QImage* pixels = ui_detail::DcAccess::ImageOf(image);
    pixels->fill(ui_detail::ToQColor(GetSysColor(COLOR_MENU)));
    QPainter painter(pixels);
    painter.drawPixmap(0, 0, action->icon().pixmap(size));
    return TRUE;
}
