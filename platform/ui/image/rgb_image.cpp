// platform/ui/image/rgb_image.cpp: work on packed 24-bit pictures: resampling, cutting, the
// 256-colour palette, screen bitmaps, and drawing into a device context.
#include "platform/ui/image/rgb_image.h"

#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/image/image_source.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace image {

namespace {

/// For each target pixel along one axis, the source pixels it covers and how much of each:
/// target pixel i covers [i * source, (i + 1) * source) in units of 1/target of a source pixel,
/// so the weights are whole numbers and each target pixel's weights add up to source.
struct AxisWeights {
    std::vector<std::uint32_t> first;
    std::vector<std::uint32_t> start; // into taps
    std::vector<std::uint32_t> taps;
};

AxisWeights MakeWeights(std::uint32_t source, std::uint32_t target)
{
    AxisWeights axis;
    axis.first.resize(target);
    axis.start.resize(target + 1u);
    for (std::uint32_t i = 0; i < target; ++i) {
        const std::uint64_t low = std::uint64_t(i) * source;
        const std::uint64_t high = low + source;
        const std::uint64_t firstPixel = low / target;
        const std::uint64_t lastPixel = (high - 1) / target;
        axis.first[i] = static_cast<std::uint32_t>(firstPixel);
        axis.start[i] = static_cast<std::uint32_t>(axis.taps.size());
        for (std::uint64_t x = firstPixel; x <= lastPixel; ++x) {
            const std::uint64_t from = std::max(low, x * target);
            const std::uint64_t to = std::min(high, (x + 1) * target);
            axis.taps.push_back(static_cast<std::uint32_t>(to - from));
        }
    }
    axis.start[target] = static_cast<std::uint32_t>(axis.taps.size());
    return axis;
}

/// One source row resampled across: 3 weighted sums a target pixel.
void ResampleRow(const std::uint8_t* row, const AxisWeights& axis, std::uint32_t targetWidth,
                 std::uint32_t* sums)
{
    for (std::uint32_t i = 0; i < targetWidth; ++i) {
        const std::uint8_t* pixel = row + std::size_t(axis.first[i]) * 3;
        std::uint32_t red = 0;
        std::uint32_t green = 0;
        std::uint32_t blue = 0;
        for (std::uint32_t k = axis.start[i]; k < axis.start[i + 1]; ++k, pixel += 3) {
            const std::uint32_t weight = axis.taps[k];
            red += pixel[0] * weight;
            green += pixel[1] * weight;
            blue += pixel[2] * weight;
        }
        sums[i * 3] = red;
        sums[i * 3 + 1] = green;
        sums[i * 3 + 2] = blue;
    }
}

QImage WrapRgb(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height)
{
    return QImage(pixels, int(width), int(height), qsizetype(width) * 3, QImage::Format_RGB888);
}

bool DrawImagePart(CDC& dc, const QImage& picture, const QRect& target, const QRect& source)
{
    ui_detail::DcPainter painter(ui_detail::DcAccess::Of(dc));
    if (!painter.IsActive())
        return false;
    if (target.size() != source.size())
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(target, picture, source);
    return true;
}

// ---- Median cut ------------------------------------------------------------------------------

struct Bin {
    std::uint32_t colour; // 5 bits a channel: red << 10 | green << 5 | blue
    std::uint32_t count;
};

unsigned Channel(std::uint32_t colour, unsigned axis)
{
    return colour >> (10 - 5 * axis) & 31;
}

struct Box {
    std::size_t begin;
    std::size_t end;
    std::uint64_t population;
};

/// The channel with the widest range in the box, and that range.
std::pair<unsigned, unsigned> WidestAxis(const std::vector<Bin>& bins, const Box& box)
{
    unsigned best = 0;
    unsigned bestRange = 0;
    for (unsigned axis = 0; axis < 3; ++axis) {
        unsigned low = 31;
        unsigned high = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            low = std::min(low, Channel(bins[i].colour, axis));
            high = std::max(high, Channel(bins[i].colour, axis));
        }
        if (high - low >= bestRange) {
            bestRange = high - low;
            best = axis;
        }
    }
    return {best, bestRange};
}

} // namespace

bool ResizeRgb(const std::uint8_t* source, std::uint32_t sw, std::uint32_t sh, std::uint8_t* target,
               std::uint32_t tw, std::uint32_t th)
{
    if (!source || !target || sw == 0 || sh == 0 || tw == 0 || th == 0)
        return Fail(IMAGE_ERROR_NO_PIXELS);
    if (sw == tw && sh == th) {
        std::memcpy(target, source, std::size_t(sw) * sh * 3);
        SetLastError(IMAGE_OK);
        return true;
    }
    try {
        const AxisWeights across = MakeWeights(sw, tw);
        const AxisWeights down = MakeWeights(sh, th);
        std::vector<std::uint32_t> sums(std::size_t(tw) * 3);
        std::vector<std::uint64_t> totals(std::size_t(tw) * 3);
        const double scale = 1.0 / (double(sw) * double(sh));
        for (std::uint32_t j = 0; j < th; ++j) {
            std::fill(totals.begin(), totals.end(), 0);
            const std::uint8_t* row = source + std::size_t(down.first[j]) * sw * 3;
            for (std::uint32_t k = down.start[j]; k < down.start[j + 1]; ++k, row += sw * 3) {
                ResampleRow(row, across, tw, sums.data());
                const std::uint64_t weight = down.taps[k];
                for (std::size_t v = 0; v < sums.size(); ++v)
                    totals[v] += sums[v] * weight;
            }
            std::uint8_t* out = target + std::size_t(j) * tw * 3;
            for (std::size_t v = 0; v < totals.size(); ++v)
                out[v] = static_cast<std::uint8_t>(double(totals[v]) * scale + 0.5);
        }
    } catch (const std::bad_alloc&) {
        return Fail(IMAGE_ERROR_MEMORY);
    }
    SetLastError(IMAGE_OK);
    return true;
}

bool CropRgb(const std::uint8_t* source, std::uint32_t sw, std::uint32_t sh, std::uint8_t* target,
             LONG left, LONG top, LONG right, LONG bottom)
{
    if (!source || !target)
        return Fail(IMAGE_ERROR_NO_PIXELS);
    if (left < 0 || top < 0 || right <= left || bottom <= top || std::uint32_t(right) > sw ||
        std::uint32_t(bottom) > sh)
        return Fail(IMAGE_ERROR_FORMAT);
    const std::size_t rowBytes = std::size_t(right - left) * 3;
    for (LONG y = top; y < bottom; ++y)
        std::memcpy(target + std::size_t(y - top) * rowBytes,
                    source + (std::size_t(y) * sw + std::size_t(left)) * 3, rowBytes);
    SetLastError(IMAGE_OK);
    return true;
}

bool Palette256(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height,
                unsigned count, PaletteQuad* entries)
{
    if (!pixels || width == 0 || height == 0 || !entries)
        return Fail(IMAGE_ERROR_NO_PIXELS);
    count = std::min(count, 256u);
    std::fill(entries, entries + count, PaletteQuad());
    std::vector<std::uint32_t> histogram(32768);
    const std::size_t total = std::size_t(width) * height;
    for (std::size_t i = 0; i < total; ++i) {
        const std::uint8_t* p = pixels + i * 3;
        ++histogram[(p[0] >> 3) << 10 | (p[1] >> 3) << 5 | p[2] >> 3];
    }
    std::vector<Bin> bins;
    for (std::uint32_t colour = 0; colour < histogram.size(); ++colour) {
        if (histogram[colour])
            bins.push_back({colour, histogram[colour]});
    }
    std::vector<Box> boxes{{0, bins.size(), total}};
    while (boxes.size() < count) {
        // Split the most populous box that holds more than one colour.
        auto splittable = boxes.end();
        for (auto box = boxes.begin(); box != boxes.end(); ++box) {
            if (box->end - box->begin > 1 &&
                (splittable == boxes.end() || box->population > splittable->population))
                splittable = box;
        }
        if (splittable == boxes.end())
            break;
        Box box = *splittable;
        const unsigned axis = WidestAxis(bins, box).first;
        std::sort(bins.begin() + std::ptrdiff_t(box.begin), bins.begin() + std::ptrdiff_t(box.end),
                  [axis](const Bin& a, const Bin& b) {
                      return Channel(a.colour, axis) < Channel(b.colour, axis);
                  });
        std::uint64_t below = 0;
        std::size_t middle = box.begin;
        while (middle < box.end - 1 && (below + bins[middle].count) * 2 <= box.population)
            below += bins[middle++].count;
        if (middle == box.begin)
            below += bins[middle++].count;
        *splittable = {box.begin, middle, below};
        boxes.push_back({middle, box.end, box.population - below});
    }
    for (std::size_t b = 0; b < boxes.size(); ++b) {
        std::uint64_t sum[3] = {0, 0, 0};
        std::uint64_t weight = 0;
        for (std::size_t i = boxes[b].begin; i < boxes[b].end; ++i) {
            for (unsigned axis = 0; axis < 3; ++axis)
                sum[axis] += std::uint64_t(Channel(bins[i].colour, axis) * 8 + 4) * bins[i].count;
            weight += bins[i].count;
        }
        if (weight == 0)
            continue;
        entries[b].red = static_cast<std::uint8_t>(sum[0] / weight);
        entries[b].green = static_cast<std::uint8_t>(sum[1] / weight);
        entries[b].blue = static_cast<std::uint8_t>(sum[2] / weight);
    }
    SetLastError(IMAGE_OK);
    return true;
}

bool RgbToBitmap(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height,
                 CBitmap& bitmap)
{
    if (!pixels || width == 0 || height == 0)
        return Fail(IMAGE_ERROR_NO_PIXELS);
    // A bitmap that already holds a screen image of this size is written over in place (the
    // picture window makes its bitmap again for the same picture), which spares fresh memory.
    QImage* held = bitmap.GetSafeHandle() ? ui_detail::DcAccess::ImageOf(bitmap) : nullptr;
    if (held && held->format() == QImage::Format_RGB32 &&
        held->size() == QSize(int(width), int(height))) {
        for (std::uint32_t y = 0; y < height; ++y) {
            const std::uint8_t* in = pixels + std::size_t(y) * width * 3;
            auto* out = reinterpret_cast<QRgb*>(held->scanLine(int(y)));
            for (std::uint32_t x = 0; x < width; ++x, in += 3)
                out[x] =
                    0xFF000000u | std::uint32_t(in[0]) << 16 | std::uint32_t(in[1]) << 8 | in[2];
        }
        SetLastError(IMAGE_OK);
        return true;
    }
    // Otherwise Qt's own conversion of 24-bit rows to screen pixels; the bitmap is made small
    // and then takes the converted image, so no full-size image is filled first.
    QImage screen = WrapRgb(pixels, width, height).convertToFormat(QImage::Format_RGB32);
    bitmap.DeleteObject();
    if (screen.isNull() || !bitmap.CreateCompatibleBitmap(nullptr, 1, 1))
        return Fail(IMAGE_ERROR_MEMORY);
    QImage* target = ui_detail::DcAccess::ImageOf(bitmap);
    screen.setDotsPerMeterX(target->dotsPerMeterX());
    screen.setDotsPerMeterY(target->dotsPerMeterY());
    *target = std::move(screen);
    SetLastError(IMAGE_OK);
    return true;
}

bool DrawRgb(CDC& dc, const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, int x,
             int y, int cx, int cy)
{
    if (!pixels || width == 0 || height == 0)
        return Fail(IMAGE_ERROR_NO_PIXELS);
    const QImage picture = WrapRgb(pixels, width, height);
    return DrawImagePart(dc, picture, QRect(x, y, cx, cy), picture.rect());
}

bool DrawRgbCrop(CDC& dc, const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height,
                 int x, int y, int left, int top, int cw, int ch)
{
    if (!pixels || width == 0 || height == 0)
        return Fail(IMAGE_ERROR_NO_PIXELS);
    const QImage picture = WrapRgb(pixels, width, height);
    const QRect part = QRect(left, top, cw, ch).intersected(picture.rect());
    if (part.isEmpty())
        return true;
    return DrawImagePart(dc, picture,
                         QRect(QPoint(x + part.left() - left, y + part.top() - top), part.size()),
                         part);
}

bool DrawRgbPart(CDC& dc, const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height,
                 const RECT& target, const RECT& source)
{
    if (!pixels || width == 0 || height == 0)
        return Fail(IMAGE_ERROR_NO_PIXELS);
    const QImage picture = WrapRgb(pixels, width, height);
    const QRect part = ui_detail::ToQRect(source).intersected(picture.rect());
    if (part.isEmpty())
        return false;
    // The target is in logical units, as every other drawing call takes it: under a mapping
    // (a report page on a printer or on the screen) the picture lands where the text around
    // it does.
    return DrawImagePart(dc, picture, ui_detail::DcAccess::Of(dc).ToDevice(target), part);
}

bool DrawBitmapCropped(CDC& dc, CBitmap& bitmap, int x, int y, int left, int top, int cw, int ch)
{
    const QImage* screen = ui_detail::DcAccess::ImageOf(bitmap);
    if (!screen)
        return Fail(IMAGE_ERROR_NO_PIXELS);
    const QRect part = QRect(left, top, cw, ch).intersected(screen->rect());
    if (part.isEmpty())
        return true;
    return DrawImagePart(dc, *screen,
                         QRect(QPoint(x + part.left() - left, y + part.top() - top), part.size()),
                         part);
}

} // namespace image
