// platform/ui/drawing/bitmap.h: a bitmap: an image in memory that a memory device context draws on
// and copies from.
#pragma once

#include "platform/ui/drawing/gdi_object.h"

#include <memory>

class CDC;
namespace ui_detail {
struct BitmapData;
class DcAccess;
} // namespace ui_detail

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 0;
};

class CBitmap final : public CGdiObject {
public:
    CBitmap();
    ~CBitmap() override;

    /// A colour bitmap of width x height pixels, black at first.
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    /// A bitmap from packed pixels; only monochrome ones (one plane, one bit a pixel, each row
    /// padded to a multiple of 16 bits, the leftmost pixel in the high bit): 1 bits white, 0
    /// bits black.
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    /// The BITMAP resource of that id; FALSE when there is none or its image cannot be read.
    BOOL LoadBitmap(UINT resourceId);
    /// FALSE when the bitmap is empty.
    BOOL GetBitmap(BITMAP* bitmap) const;

protected:
    void ReleaseContents() override;

private:
    friend class ui_detail::DcAccess;

    std::unique_ptr<ui_detail::BitmapData> m_data;
};
