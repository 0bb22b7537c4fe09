// media/window/file_type_icon.h: the picture that stands for a multimedia file the window cannot
// show itself (sound, video, document, anything else), by its kind.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/types.h"

class CDC;
class CMediaItem;

/// The 32 x 32 bitmaps (resources/media.rc).
inline constexpr UINT IDB_FILE_VIDEO = 440, IDB_FILE_SOUND = 441, IDB_FILE_DOCUMENT = 442,
                      IDB_FILE_OTHER = 443, IDB_FILE_PICTURE = 444;

/// The bitmap for the object's kind, by its type name (GetMediaTypeName); a GIF, or a file whose
/// extension names a picture format while its format word does not, is a picture that another
/// program shows.
UINT FileTypeIconId(const CMediaItem& item);
/// Draws that bitmap with its top left corner at point, and the file's name beside it.
void DrawFileTypeIcon(CDC& dc, CPoint point, const CMediaItem& item);
