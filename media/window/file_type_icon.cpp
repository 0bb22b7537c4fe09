// media/window/file_type_icon.cpp: choosing and drawing the picture of a file by its kind.
#include "media/window/file_type_icon.h"

#include "database/multimedia/media_item.h"
#include "database/multimedia/picture_format.h"
#include "platform/base/paths.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/dc.h"

namespace {

constexpr int kIconSize = 32;

} // namespace

UINT FileTypeIconId(const CMediaItem& item)
{
    const std::string name = item.GetMediaTypeName();
    if (name == "Video")
        return IDB_FILE_VIDEO;
    if (name == "Sound")
        return IDB_FILE_SOUND;
    if (name == "Document")
        return IDB_FILE_DOCUMENT;
    if (name == "GIF Picture" || PictureFormatFromExtension(item.GetFilePath()) != 0)
        return IDB_FILE_PICTURE;
    return IDB_FILE_OTHER;
}

void DrawFileTypeIcon(CDC& dc, CPoint point, const CMediaItem& item)
{
    CBitmap bitmap;
    if (bitmap.LoadBitmap(FileTypeIconId(item))) {
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        CBitmap* old = memory.SelectObject(&bitmap);
        dc.BitBlt(point.x, point.y, kIconSize, kIconSize, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(old);
    }
    const std::string path = item.GetFilePath();
    dc.TextOut(point.x + kIconSize + 8, point.y + 10,
               path.empty() ? item.GetMediaTypeName() : paths::FileName(path));
}
