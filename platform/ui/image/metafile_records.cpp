// platform/ui/image/metafile_records.cpp: the placeable WMF and EMF headers, the drawing state
// and object table, the window and viewport mapping, and the records of the subset.
#include "platform/ui/image/metafile_records.h"

#include "platform/ui/image/byte_reader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace image {
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::uint32_t kEmfSignature = 0x464D4520;
/// SaveDC levels kept at most; a file that saves deeper is not a picture.
constexpr std::size_t kMaxSavedStates = 1024;
/// Picture coordinates are kept within this, whatever the mapping makes of them.
constexpr double kCoordinateLimit = 1 << 24;

enum WmfRecord : std::uint16_t {
    WMF_EOF = 0x0000,
    WMF_SAVEDC = 0x001E,
    WMF_SETBKMODE = 0x0102,
    WMF_RESTOREDC = 0x0127,
    WMF_SELECTOBJECT = 0x012D,
    WMF_SETTEXTALIGN = 0x012E,
    WMF_DELETEOBJECT = 0x01F0,
    WMF_SETBKCOLOR = 0x0201,
    WMF_SETTEXTCOLOR = 0x0209,
    WMF_SETWINDOWORG = 0x020B,
    WMF_SETWINDOWEXT = 0x020C,
    WMF_LINETO = 0x0213,
    WMF_MOVETO = 0x0214,
    WMF_CREATEPENINDIRECT = 0x02FA,
    WMF_CREATEFONTINDIRECT = 0x02FB,
    WMF_CREATEBRUSHINDIRECT = 0x02FC,
    WMF_POLYGON = 0x0324,
    WMF_POLYLINE = 0x0325,
    WMF_ELLIPSE = 0x0418,
    WMF_RECTANGLE = 0x041B,
    WMF_TEXTOUT = 0x0521,
    WMF_POLYPOLYGON = 0x0538,
    WMF_EXTTEXTOUT = 0x0A32,
    WMF_DIBSTRETCHBLT = 0x0B41,
    WMF_STRETCHDIB = 0x0F43,
    // Records that take a slot of the object table without being drawn with.
    WMF_CREATEPALETTE = 0x00F7,
    WMF_DIBCREATEPATTERNBRUSH = 0x0142,
    WMF_CREATEPATTERNBRUSH = 0x01F9,
    WMF_CREATEREGION = 0x06FF,
};

enum EmfRecord : std::uint32_t {
    EMR_HEADER = 1,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_SETWINDOWEXTEX = 9,
    EMR_SETWINDOWORGEX = 10,
    EMR_SETVIEWPORTEXTEX = 11,
    EMR_SETVIEWPORTORGEX = 12,
    EMR_EOF = 14,
    EMR_SETMAPMODE = 17,
    EMR_SETBKMODE = 18,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_MOVETOEX = 27,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_LINETO = 54,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_EXTCREATEPEN = 95,
};

constexpr int MM_TEXT = 1, MM_ISOTROPIC = 7, MM_ANISOTROPIC = 8;
constexpr std::uint32_t kStockObject = 0x80000000;

struct Pen {
    int style = 0;
    double width = 0;
    COLORREF colour = RGB(0, 0, 0);
};
struct Brush {
    int style = METAFILE_BRUSH_SOLID;
    COLORREF colour = RGB(255, 255, 255);
};

struct GdiObject {
    enum Kind { EMPTY, PEN, BRUSH, FONT, OTHER } kind = EMPTY;
    Pen pen;
    Brush brush;
    LOGFONT font;
};

/// Logical to picture coordinates: the window and viewport of the file, then the reference
/// device's pixels onto the picture.
struct Mapping {
    int mode = MM_ANISOTROPIC;
    double windowX = 0, windowY = 0, windowCx = 1, windowCy = 1;
    double viewportX = 0, viewportY = 0, viewportCx = 1, viewportCy = 1;
    double deviceX = 0, deviceY = 0, deviceScaleX = 1, deviceScaleY = 1;

    double ScaleX() const { return (mode == MM_TEXT ? 1.0 : viewportCx / windowCx) * deviceScaleX; }
    double ScaleY() const { return (mode == MM_TEXT ? 1.0 : viewportCy / windowCy) * deviceScaleY; }
    POINT Map(double x, double y) const
    {
        const double dx = (x - windowX) * ScaleX() + (viewportX - deviceX) * deviceScaleX;
        const double dy = (y - windowY) * ScaleY() + (viewportY - deviceY) * deviceScaleY;
        return {Clamp(dx), Clamp(dy)};
    }
    static LONG Clamp(double value)
    {
        if (!(value > -kCoordinateLimit))
            return static_cast<LONG>(-kCoordinateLimit);
        return static_cast<LONG>(std::lround(std::min(value, kCoordinateLimit)));
    }
};

/// Everything SaveDC keeps, in the file's logical units.
struct DcState {
    Pen pen;
    Brush brush;
    LOGFONT font;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF bkColour = RGB(255, 255, 255);
    int bkMode = 2;
    UINT textAlign = 0;
    Mapping mapping;
    double x = 0, y = 0;
};

std::string Latin1ToUtf8(std::span<const std::uint8_t> bytes)
{
    std::string text;
    for (const std::uint8_t byte : bytes) {
        if (byte == 0)
            break;
        if (byte < 0x80) {
            text += static_cast<char>(byte);
        } else {
            text += static_cast<char>(0xC0 | byte >> 6);
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

void Utf16ToUtf8(ByteReader& reader, std::uint32_t count, std::string& text)
{
    for (std::uint32_t i = 0; i < count && !reader.Failed(); ++i) {
        std::uint32_t code = reader.U16LE();
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < count) {
            const std::uint32_t low = reader.U16LE();
            ++i;
            code = low >= 0xDC00 && low < 0xE000
                       ? 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00)
                       : 0xFFFD;
        } else if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            text += static_cast<char>(code);
        } else if (code < 0x800) {
            text += static_cast<char>(0xC0 | code >> 6);
            text += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            text += static_cast<char>(0xE0 | code >> 12);
            text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            text += static_cast<char>(0xF0 | code >> 18);
            text += static_cast<char>(0x80 | (code >> 12 & 0x3F));
            text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
}

/// Reads a device-independent bitmap (an info header, its colour table and the rows) into
/// packed pixels. False for a layout outside the subset or one that does not fit its bytes.
bool ReadDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits,
             RgbImage& bitmap)
{
    ByteReader header(info);
    const std::uint32_t headerSize = header.U32LE();
    const std::int32_t width = static_cast<std::int32_t>(header.U32LE());
    const std::int32_t height = static_cast<std::int32_t>(header.U32LE());
    header.U16LE();
    const std::uint16_t bitCount = header.U16LE();
    const std::uint32_t compression = header.U32LE();
    header.Skip(12);
    std::uint32_t colours = header.U32LE();
    if (header.Failed() || headerSize < 40 || headerSize > info.size() || compression != 0 ||
        width <= 0 || height == 0 || height == INT32_MIN)
        return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return false;
    const std::uint64_t rows =
        static_cast<std::uint64_t>(height < 0 ? -std::int64_t(height) : height);
    if (std::uint64_t(width) > kMaxImageSide || rows > kMaxImageSide ||
        std::uint64_t(width) * rows > kMaxImagePixels)
        return false;
    if (bitCount <= 8 && (colours == 0 || colours > (1u << bitCount)))
        colours = 1u << bitCount;
    if (bitCount > 8)
        colours = 0;
    ByteReader table(info, headerSize);
    std::span<const std::uint8_t> palette = table.Take(std::size_t(colours) * 4);
    if (table.Failed())
        return false;
    const std::uint64_t stride = (std::uint64_t(width) * bitCount + 31) / 32 * 4;
    if (stride * rows > bits.size())
        return false;
    if (!AllocateRgb(bitmap, std::uint64_t(width), rows))
        return false;
    for (std::uint64_t row = 0; row < rows; ++row) {
        const std::uint8_t* in = bits.data() + stride * (height < 0 ? row : rows - 1 - row);
        std::uint8_t* out = bitmap.pixels.data() + row * std::uint64_t(width) * 3;
        for (std::int32_t x = 0; x < width; ++x, out += 3) {
            if (bitCount >= 24) {
                const std::uint8_t* pixel = in + std::size_t(x) * (bitCount / 8);
                out[0] = pixel[2];
                out[1] = pixel[1];
                out[2] = pixel[0];
                continue;
            }
            const std::uint32_t bit = std::uint32_t(x) * bitCount;
            const unsigned index =
                (in[bit / 8] >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
            if (index < colours) {
                out[0] = palette[index * 4 + 2];
                out[1] = palette[index * 4 + 1];
                out[2] = palette[index * 4];
            }
        }
    }
    return true;
}

/// The font fields before the face name, up to its start; readSigned reads a signed number of the
/// file's width (16 bits in a WMF, 32 in an EMF).
template <typename ReadSigned>
void ReadFontHead(ByteReader& record, ReadSigned&& readSigned, LOGFONT& font)
{
    font.lfHeight = readSigned();
    font.lfWidth = readSigned();
    font.lfEscapement = readSigned();
    font.lfOrientation = readSigned();
    font.lfWeight = readSigned();
    font.lfItalic = record.U8();
    font.lfUnderline = record.U8();
    font.lfStrikeOut = record.U8();
    font.lfCharSet = record.U8();
    record.Skip(4);
}

class Player {
public:
    Player(std::span<const std::uint8_t> bytes, MetafileCanvas& canvas)
        : m_bytes(bytes), m_canvas(canvas)
    {
        m_state.font.lfHeight = -12;
    }

    bool PlayWmf(int dpiX, int dpiY);
    bool PlayEmf(int dpiX, int dpiY);

private:
    bool Begin(double width, double height);
    bool PlayWmfRecord(std::uint16_t function, ByteReader& record);
    bool PlayEmfRecord(std::uint32_t type, std::span<const std::uint8_t> bytes);

    /// The slot a new object of the WMF goes to: the lowest free one.
    GdiObject* FreeSlot();
    GdiObject* Slot(std::uint32_t index)
    {
        return index < m_objects.size() ? &m_objects[index] : nullptr;
    }
    void Select(const GdiObject& object);
    void SelectStock(std::uint32_t index);
    bool Save();
    void Restore(std::int32_t level);

    MetafileState Drawing() const;
    POINT Map(double x, double y) const { return m_state.mapping.Map(x, y); }
    /// Moves the current position, drawing a line to it when asked.
    void MoveOrLine(bool line, double x, double y);
    /// A rectangle or an ellipse in the box.
    void Shape(bool rectangle, double left, double top, double right, double bottom);
    void Polyline(std::span<const POINT> points)
    {
        if (points.size() >= 2)
            m_canvas.Polyline(Drawing(), points);
    }
    void Polygon(std::span<const POINT> points)
    {
        if (points.size() >= 2)
            m_canvas.Polygon(Drawing(), points);
    }
    void Text(double x, double y, const std::string& text)
    {
        if (!text.empty())
            m_canvas.Text(Drawing(), Map(x, y), text);
    }
    /// Draws the part of a device-independent bitmap (info header and colour table, rows) in the
    /// source box into the destination box; a bitmap outside the subset is passed over.
    void Bitmap(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits, double sx,
                double sy, double scx, double scy, double dx, double dy, double dcx, double dcy);

    std::span<const std::uint8_t> m_bytes;
    MetafileCanvas& m_canvas;
    DcState m_state;
    std::vector<DcState> m_saved;
    std::vector<GdiObject> m_objects;
    std::vector<POINT> m_points;
};

bool Player::Begin(double width, double height)
{
    const double w = std::ceil(width), h = std::ceil(height);
    if (!(w >= 1 && h >= 1))
        return Fail(IMAGE_ERROR_FORMAT);
    if (w > double(kMaxImageSide) || h > double(kMaxImageSide) || w * h > double(kMaxImagePixels))
        return Fail(IMAGE_ERROR_MEMORY);
    return m_canvas.Begin(static_cast<std::uint32_t>(w), static_cast<std::uint32_t>(h));
}

GdiObject* Player::FreeSlot()
{
    for (GdiObject& object : m_objects)
        if (object.kind == GdiObject::EMPTY)
            return &object;
    return nullptr;
}

void Player::Select(const GdiObject& object)
{
    switch (object.kind) {
    case GdiObject::PEN:
        m_state.pen = object.pen;
        break;
    case GdiObject::BRUSH:
        m_state.brush = object.brush;
        break;
    case GdiObject::FONT:
        m_state.font = object.font;
        break;
    default:
        break;
    }
}

void Player::SelectStock(std::uint32_t index)
{
    static constexpr std::uint8_t kGreys[] = {255, 192, 128, 64, 0};
    if (index <= 4) {
        m_state.brush = {METAFILE_BRUSH_SOLID, RGB(kGreys[index], kGreys[index], kGreys[index])};
    } else if (index == 5) {
        m_state.brush.style = METAFILE_BRUSH_NULL;
    } else if (index == 6 || index == 7) {
        m_state.pen = {0, 0, index == 6 ? RGB(255, 255, 255) : RGB(0, 0, 0)};
    } else if (index == 8) {
        m_state.pen.style = METAFILE_PEN_NULL;
    } else if (index >= 10 && index <= 17) {
        m_state.font = LOGFONT();
        m_state.font.lfHeight = -12;
    }
}

bool Player::Save()
{
    if (m_saved.size() >= kMaxSavedStates)
        return Fail(IMAGE_ERROR_FORMAT);
    m_saved.push_back(m_state);
    return true;
}

void Player::Restore(std::int32_t level)
{
    // A negative level counts back from the newest save; a positive one names a level.
    std::int64_t keep = level < 0 ? std::int64_t(m_saved.size()) + level : std::int64_t(level) - 1;
    if (keep < 0 || keep >= std::int64_t(m_saved.size()))
        return;
    m_state = m_saved[static_cast<std::size_t>(keep)];
    m_saved.resize(static_cast<std::size_t>(keep));
}

MetafileState Player::Drawing() const
{
    const Mapping& map = m_state.mapping;
    MetafileState drawing;
    drawing.penStyle = m_state.pen.style;
    drawing.penWidth = static_cast<int>(
        std::lround(std::clamp(m_state.pen.width * std::fabs(map.ScaleX()), 1.0, 1000.0)));
    drawing.penColour = m_state.pen.colour & 0xFFFFFF;
    drawing.brushStyle = m_state.brush.style;
    drawing.brushColour = m_state.brush.colour & 0xFFFFFF;
    drawing.font = m_state.font;
    const double height =
        std::clamp(m_state.font.lfHeight * std::fabs(map.ScaleY()), -4096.0, 4096.0);
    drawing.font.lfHeight = static_cast<LONG>(std::lround(height));
    if (drawing.font.lfHeight == 0)
        drawing.font.lfHeight = m_state.font.lfHeight < 0 ? -1 : 1;
    drawing.font.lfWidth = 0;
    drawing.textColour = m_state.textColour & 0xFFFFFF;
    drawing.bkColour = m_state.bkColour & 0xFFFFFF;
    drawing.bkMode = m_state.bkMode;
    drawing.textAlign = m_state.textAlign & ~UINT(1);
    return drawing;
}

void Player::MoveOrLine(bool line, double x, double y)
{
    if (line) {
        const POINT points[] = {Map(m_state.x, m_state.y), Map(x, y)};
        Polyline(points);
    }
    m_state.x = x;
    m_state.y = y;
}

void Player::Shape(bool rectangle, double left, double top, double right, double bottom)
{
    const POINT a = Map(left, top), b = Map(right, bottom);
    const RECT box{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    if (rectangle)
        m_canvas.Rectangle(Drawing(), box);
    else
        m_canvas.Ellipse(Drawing(), box);
}

void Player::Bitmap(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits,
                    double sx, double sy, double scx, double scy, double dx, double dy, double dcx,
                    double dcy)
{
    RgbImage bitmap;
    if (!ReadDib(info, bits, bitmap)) {
        SetLastError(IMAGE_OK);
        return;
    }
    const RECT source{Mapping::Clamp(sx), Mapping::Clamp(sy), Mapping::Clamp(sx + scx),
                      Mapping::Clamp(sy + scy)};
    const POINT a = Map(dx, dy), b = Map(dx + dcx, dy + dcy);
    if (source.right <= source.left || source.bottom <= source.top || a.x == b.x || a.y == b.y)
        return;
    m_canvas.Bitmap(bitmap, source, {a.x, a.y, b.x, b.y});
}

// ---------------------------------------------------------------------------------------------
// Windows metafiles

bool Player::PlayWmf(int dpiX, int dpiY)
{
    ByteReader header(m_bytes);
    const std::uint32_t key = header.U32LE();
    header.U16LE();
    const auto left = static_cast<std::int16_t>(header.U16LE());
    const auto top = static_cast<std::int16_t>(header.U16LE());
    const auto right = static_cast<std::int16_t>(header.U16LE());
    const auto bottom = static_cast<std::int16_t>(header.U16LE());
    const std::uint16_t inch = header.U16LE();
    header.U32LE();
    const std::uint16_t checksum = header.U16LE();
    if (header.Failed())
        return Fail(key == kPlaceableKey ? IMAGE_ERROR_READ : IMAGE_ERROR_UNSUPPORTED);
    if (key != kPlaceableKey)
        return Fail(IMAGE_ERROR_UNSUPPORTED);
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        sum ^= static_cast<std::uint16_t>(m_bytes[i] | m_bytes[i + 1] << 8);
    if (sum != checksum || inch == 0 || right <= left || bottom <= top)
        return Fail(IMAGE_ERROR_FORMAT);

    const std::uint16_t type = header.U16LE();
    const std::uint16_t headerWords = header.U16LE();
    const std::uint16_t version = header.U16LE();
    header.U32LE();
    const std::uint16_t objects = header.U16LE();
    header.Skip(6);
    if (header.Failed())
        return Fail(IMAGE_ERROR_READ);
    if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x100 && version != 0x300))
        return Fail(IMAGE_ERROR_FORMAT);

    Mapping& map = m_state.mapping;
    map.windowX = left;
    map.windowY = top;
    map.windowCx = right - left;
    map.windowCy = bottom - top;
    map.viewportCx = double(right - left) * dpiX / inch;
    map.viewportCy = double(bottom - top) * dpiY / inch;
    if (!Begin(map.viewportCx, map.viewportCy))
        return false;
    m_objects.resize(objects);

    while (true) {
        const std::size_t start = header.Position();
        const std::uint32_t words = header.U32LE();
        const std::uint16_t function = header.U16LE();
        if (header.Failed())
            return Fail(IMAGE_ERROR_READ);
        if (words < 3)
            return Fail(IMAGE_ERROR_FORMAT);
        if (std::uint64_t(words) * 2 > m_bytes.size() - start)
            return Fail(IMAGE_ERROR_READ);
        if (function == WMF_EOF)
            return true;
        ByteReader record(m_bytes.subspan(start + 6, std::size_t(words) * 2 - 6));
        if (!PlayWmfRecord(function, record))
            return false;
        header.Seek(start + std::size_t(words) * 2);
    }
}

bool Player::PlayWmfRecord(std::uint16_t function, ByteReader& record)
{
    auto s16 = [&record]() { return static_cast<std::int16_t>(record.U16LE()); };
    auto points = [&](std::uint32_t count) {
        m_points.clear();
        if (std::uint64_t(count) * 4 > record.Remaining())
            return false;
        for (std::uint32_t i = 0; i < count; ++i) {
            const double x = s16();
            m_points.push_back(Map(x, s16()));
        }
        return true;
    };
    auto tooShort = [&record]() { return record.Failed() ? Fail(IMAGE_ERROR_FORMAT) : true; };
    switch (function) {
    case WMF_SAVEDC:
        return Save();
    case WMF_RESTOREDC:
        Restore(s16());
        return tooShort();
    case WMF_SETBKMODE:
        m_state.bkMode = record.U16LE();
        return tooShort();
    case WMF_SETTEXTALIGN:
        m_state.textAlign = record.U16LE();
        return tooShort();
    case WMF_SETBKCOLOR:
        m_state.bkColour = record.U32LE();
        return tooShort();
    case WMF_SETTEXTCOLOR:
        m_state.textColour = record.U32LE();
        return tooShort();
    case WMF_SETWINDOWORG: {
        const double y = s16();
        const double x = s16();
        if (record.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        m_state.mapping.windowX = x;
        m_state.mapping.windowY = y;
        return true;
    }
    case WMF_SETWINDOWEXT: {
        const double cy = s16();
        const double cx = s16();
        if (record.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        if (cx != 0 && cy != 0) {
            m_state.mapping.windowCx = cx;
            m_state.mapping.windowCy = cy;
        }
        return true;
    }
    case WMF_MOVETO:
    case WMF_LINETO: {
        const double y = s16();
        const double x = s16();
        if (record.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        MoveOrLine(function == WMF_LINETO, x, y);
        return true;
    }
    case WMF_POLYLINE:
    case WMF_POLYGON: {
        const std::uint16_t count = record.U16LE();
        if (record.Failed() || !points(count))
            return Fail(IMAGE_ERROR_FORMAT);
        if (function == WMF_POLYLINE)
            Polyline(m_points);
        else
            Polygon(m_points);
        return true;
    }
    case WMF_POLYPOLYGON: {
        const std::uint16_t polygons = record.U16LE();
        std::vector<std::uint16_t> counts(polygons);
        for (std::uint16_t& count : counts)
            count = record.U16LE();
        if (record.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        for (const std::uint16_t count : counts) {
            if (!points(count))
                return Fail(IMAGE_ERROR_FORMAT);
            Polygon(m_points);
        }
        return true;
    }
    case WMF_RECTANGLE:
    case WMF_ELLIPSE: {
        const double bottom = s16();
        const double right = s16();
        const double top = s16();
        const double left = s16();
        if (record.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        Shape(function == WMF_RECTANGLE, left, top, right, bottom);
        return true;
    }
    case WMF_TEXTOUT: {
        const std::uint16_t length = record.U16LE();
        const std::span<const std::uint8_t> bytes = record.Take(length);
        record.Skip(length % 2);
        const double y = s16();
        const double x = s16();
        if (record.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        Text(x, y, Latin1ToUtf8(bytes));
        return true;
    }
    case WMF_EXTTEXTOUT: {
        const double y = s16();
        const double x = s16();
        const std::uint16_t length = record.U16LE();
        const std::uint16_t options = record.U16LE();
        if (options & 0x0006)
            record.Skip(8);
        const std::span<const std::uint8_t> bytes = record.Take(length);
        if (record.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        Text(x, y, Latin1ToUtf8(bytes));
        return true;
    }
    case WMF_CREATEPENINDIRECT:
    case WMF_CREATEBRUSHINDIRECT:
    case WMF_CREATEFONTINDIRECT:
    case WMF_CREATEPALETTE:
    case WMF_CREATEPATTERNBRUSH:
    case WMF_DIBCREATEPATTERNBRUSH:
    case WMF_CREATEREGION: {
        GdiObject* slot = FreeSlot();
        if (!slot)
            return Fail(IMAGE_ERROR_FORMAT);
        GdiObject object;
        object.kind = GdiObject::OTHER;
        if (function == WMF_CREATEPENINDIRECT) {
            object.kind = GdiObject::PEN;
            object.pen.style = record.U16LE() & 0x0F;
            object.pen.width = s16();
            record.U16LE();
            object.pen.colour = record.U32LE();
        } else if (function == WMF_CREATEBRUSHINDIRECT) {
            object.kind = GdiObject::BRUSH;
            object.brush.style = record.U16LE();
            object.brush.colour = record.U32LE();
        } else if (function == WMF_CREATEFONTINDIRECT) {
            object.kind = GdiObject::FONT;
            LOGFONT& font = object.font;
            ReadFontHead(record, s16, font);
            const std::span<const std::uint8_t> face =
                record.Take(std::min<std::size_t>(record.Remaining(), LF_FACESIZE - 1));
            const std::size_t end = std::find(face.begin(), face.end(), 0) - face.begin();
            std::memcpy(font.lfFaceName, face.data(), end);
        }
        if (record.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        *slot = object;
        return true;
    }
    case WMF_SELECTOBJECT:
    case WMF_DELETEOBJECT: {
        GdiObject* object = Slot(record.U16LE());
        if (record.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        if (object && function == WMF_SELECTOBJECT)
            Select(*object);
        else if (object)
            object->kind = GdiObject::EMPTY;
        return true;
    }
    case WMF_STRETCHDIB:
    case WMF_DIBSTRETCHBLT: {
        // A blit without a bitmap is a plain raster operation: not drawn.
        if (function == WMF_DIBSTRETCHBLT && record.Remaining() < 4 + 16 + 40)
            return true;
        record.U32LE();
        if (function == WMF_STRETCHDIB && record.U16LE() != 0)
            return true; // colours as palette indices: no palette is kept
        const double scy = s16(), scx = s16(), sy = s16(), sx = s16();
        const double dcy = s16(), dcx = s16(), dy = s16(), dx = s16();
        if (record.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        const std::span<const std::uint8_t> dib = record.Take(record.Remaining());
        ByteReader info(dib);
        const std::uint32_t infoSize = info.U32LE();
        info.Skip(10);
        const std::uint16_t bitCount = info.U16LE();
        info.Skip(16);
        std::uint32_t colours = info.U32LE();
        if (info.Failed() || infoSize < 40 || infoSize > dib.size())
            return true; // no bitmap (a plain raster operation) or none we read
        if (bitCount <= 8 && (colours == 0 || colours > (1u << bitCount)))
            colours = 1u << bitCount;
        const std::uint64_t tableEnd = infoSize + (bitCount <= 8 ? std::uint64_t(colours) * 4 : 0);
        if (tableEnd > dib.size())
            return Fail(IMAGE_ERROR_FORMAT);
        Bitmap(dib, dib.subspan(static_cast<std::size_t>(tableEnd)), sx, sy, scx, scy, dx, dy, dcx,
               dcy);
        return true;
    }
    default:
        return true;
    }
}

// ---------------------------------------------------------------------------------------------
// Enhanced metafiles

bool Player::PlayEmf(int dpiX, int dpiY)
{
    ByteReader header(m_bytes);
    const std::uint32_t type = header.U32LE();
    const std::uint32_t size = header.U32LE();
    header.Skip(16);
    std::int32_t frame[4];
    for (std::int32_t& side : frame)
        side = static_cast<std::int32_t>(header.U32LE());
    const std::uint32_t signature = header.U32LE();
    header.Skip(8);
    header.U32LE();
    const std::uint16_t handles = header.U16LE();
    header.Skip(14);
    const auto deviceCx = static_cast<std::int32_t>(header.U32LE());
    const auto deviceCy = static_cast<std::int32_t>(header.U32LE());
    const auto millimetresCx = static_cast<std::int32_t>(header.U32LE());
    const auto millimetresCy = static_cast<std::int32_t>(header.U32LE());
    if (type != EMR_HEADER || (!header.Failed() && signature != kEmfSignature))
        return Fail(IMAGE_ERROR_UNSUPPORTED);
    if (header.Failed())
        return Fail(IMAGE_ERROR_READ);
    if (size < 88 || size % 4 != 0 || handles == 0 || deviceCx <= 0 || deviceCy <= 0 ||
        millimetresCx <= 0 || millimetresCy <= 0 || frame[2] <= frame[0] || frame[3] <= frame[1])
        return Fail(IMAGE_ERROR_FORMAT);
    if (size > m_bytes.size())
        return Fail(IMAGE_ERROR_READ);

    // The frame is in hundredths of a millimetre; the records are in the reference device's
    // pixels, deviceCx of them to millimetresCx millimetres.
    const double frameCx = double(frame[2]) - frame[0], frameCy = double(frame[3]) - frame[1];
    const double pixelsPerUnitX = double(deviceCx) / (millimetresCx * 100.0);
    const double pixelsPerUnitY = double(deviceCy) / (millimetresCy * 100.0);
    if (!Begin(frameCx * dpiX / 2540.0, frameCy * dpiY / 2540.0))
        return false;
    Mapping& map = m_state.mapping;
    map.mode = MM_TEXT;
    map.deviceX = frame[0] * pixelsPerUnitX;
    map.deviceY = frame[1] * pixelsPerUnitY;
    map.deviceScaleX = dpiX / 2540.0 / pixelsPerUnitX;
    map.deviceScaleY = dpiY / 2540.0 / pixelsPerUnitY;
    m_objects.resize(handles);

    std::size_t start = size;
    while (true) {
        ByteReader next(m_bytes, start);
        const std::uint32_t recordType = next.U32LE();
        const std::uint32_t recordSize = next.U32LE();
        if (next.Failed())
            return Fail(IMAGE_ERROR_READ);
        if (recordSize < 8 || recordSize % 4 != 0)
            return Fail(IMAGE_ERROR_FORMAT);
        if (recordSize > m_bytes.size() - start)
            return Fail(IMAGE_ERROR_READ);
        if (recordType == EMR_EOF)
            return true;
        if (!PlayEmfRecord(recordType, m_bytes.subspan(start, recordSize)))
            return false;
        start += recordSize;
    }
}

bool Player::PlayEmfRecord(std::uint32_t type, std::span<const std::uint8_t> bytes)
{
    ByteReader record(bytes, 8);
    auto s32 = [&record]() { return static_cast<std::int32_t>(record.U32LE()); };
    auto tooShort = [&record]() { return record.Failed() ? Fail(IMAGE_ERROR_FORMAT) : true; };
    Mapping& map = m_state.mapping;
    switch (type) {
    case EMR_SAVEDC:
        return Save();
    case EMR_RESTOREDC:
        Restore(s32());
        return tooShort();
    case EMR_SETMAPMODE: {
        const std::uint32_t mode = record.U32LE();
        map.mode = mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC ? MM_ANISOTROPIC : MM_TEXT;
        return tooShort();
    }
    case EMR_SETBKMODE:
        m_state.bkMode = static_cast<int>(record.U32LE() & 0xFF);
        return tooShort();
    case EMR_SETTEXTALIGN:
        m_state.textAlign = record.U32LE() & 0xFF;
        return tooShort();
    case EMR_SETTEXTCOLOR:
        m_state.textColour = record.U32LE();
        return tooShort();
    case EMR_SETBKCOLOR:
        m_state.bkColour = record.U32LE();
        return tooShort();
    case EMR_SETWINDOWEXTEX:
    case EMR_SETWINDOWORGEX:
    case EMR_SETVIEWPORTEXTEX:
    case EMR_SETVIEWPORTORGEX: {
        const double x = s32();
        const double y = s32();
        if (record.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        if (type == EMR_SETWINDOWORGEX) {
            map.windowX = x;
            map.windowY = y;
        } else if (type == EMR_SETVIEWPORTORGEX) {
            map.viewportX = x;
            map.viewportY = y;
        } else if (x != 0 && y != 0) {
            (type == EMR_SETWINDOWEXTEX ? map.windowCx : map.viewportCx) = x;
            (type == EMR_SETWINDOWEXTEX ? map.windowCy : map.viewportCy) = y;
        }
        return true;
    }
    case EMR_MOVETOEX:
    case EMR_LINETO: {
        const double x = s32();
        const double y = s32();
        if (record.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        MoveOrLine(type == EMR_LINETO, x, y);
        return true;
    }
    case EMR_POLYLINE:
    case EMR_POLYGON:
    case EMR_POLYLINE16:
    case EMR_POLYGON16: {
        record.Skip(16);
        const std::uint32_t count = record.U32LE();
        const bool small = type == EMR_POLYLINE16 || type == EMR_POLYGON16;
        if (record.Failed() || std::uint64_t(count) * (small ? 4 : 8) > record.Remaining())
            return Fail(IMAGE_ERROR_FORMAT);
        m_points.clear();
        for (std::uint32_t i = 0; i < count; ++i) {
            const double x = small ? static_cast<std::int16_t>(record.U16LE()) : s32();
            const double y = small ? static_cast<std::int16_t>(record.U16LE()) : s32();
            m_points.push_back(Map(x, y));
        }
        if (type == EMR_POLYLINE || type == EMR_POLYLINE16)
            Polyline(m_points);
        else
            Polygon(m_points);
        return true;
    }
    case EMR_RECTANGLE:
    case EMR_ELLIPSE: {
        const double left = s32(), top = s32(), right = s32(), bottom = s32();
        if (record.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        Shape(type == EMR_RECTANGLE, left, top, right, bottom);
        return true;
    }
    case EMR_EXTTEXTOUTW: {
        record.Skip(16 + 12);
        const double x = s32();
        const double y = s32();
        const std::uint32_t count = record.U32LE();
        const std::uint32_t offset = record.U32LE();
        if (record.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        ByteReader chars(bytes, offset);
        if (std::uint64_t(count) * 2 > chars.Remaining())
            return Fail(IMAGE_ERROR_FORMAT);
        std::string text;
        Utf16ToUtf8(chars, count, text);
        Text(x, y, text);
        return true;
    }
    case EMR_CREATEPEN:
    case EMR_EXTCREATEPEN:
    case EMR_CREATEBRUSHINDIRECT:
    case EMR_EXTCREATEFONTINDIRECTW: {
        GdiObject* slot = Slot(record.U32LE());
        GdiObject object;
        if (type == EMR_CREATEPEN) {
            object.kind = GdiObject::PEN;
            object.pen.style = static_cast<int>(record.U32LE() & 0x0F);
            object.pen.width = s32();
            record.U32LE();
            object.pen.colour = record.U32LE();
        } else if (type == EMR_EXTCREATEPEN) {
            object.kind = GdiObject::PEN;
            record.Skip(16);
            object.pen.style = static_cast<int>(record.U32LE() & 0x0F);
            object.pen.width = static_cast<double>(record.U32LE());
            record.U32LE();
            object.pen.colour = record.U32LE();
        } else if (type == EMR_CREATEBRUSHINDIRECT) {
            object.kind = GdiObject::BRUSH;
            object.brush.style = static_cast<int>(record.U32LE());
            object.brush.colour = record.U32LE();
        } else {
            object.kind = GdiObject::FONT;
            LOGFONT& font = object.font;
            ReadFontHead(record, s32, font);
            std::string face;
            Utf16ToUtf8(record, LF_FACESIZE, face);
            face = face.substr(0, face.find('\0')).substr(0, LF_FACESIZE - 1);
            std::memcpy(font.lfFaceName, face.data(), face.size());
        }
        if (record.Failed() || !slot || slot == &m_objects[0])
            return Fail(IMAGE_ERROR_FORMAT);
        *slot = object;
        return true;
    }
    case EMR_SELECTOBJECT:
    case EMR_DELETEOBJECT: {
        const std::uint32_t index = record.U32LE();
        if (record.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        if (index & kStockObject) {
            if (type == EMR_SELECTOBJECT)
                SelectStock(index & ~kStockObject);
        } else if (GdiObject* object = Slot(index)) {
            if (type == EMR_SELECTOBJECT)
                Select(*object);
            else
                object->kind = GdiObject::EMPTY;
        }
        return true;
    }
    case EMR_STRETCHDIBITS: {
        record.Skip(16);
        const double dx = s32(), dy = s32(), sx = s32(), sy = s32(), scx = s32(), scy = s32();
        const std::uint32_t infoOffset = record.U32LE(), infoSize = record.U32LE();
        const std::uint32_t bitsOffset = record.U32LE(), bitsSize = record.U32LE();
        record.Skip(8);
        const double dcx = s32(), dcy = s32();
        if (record.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        if (infoSize == 0)
            return true;
        ByteReader info(bytes, infoOffset), bits(bytes, bitsOffset);
        const std::span<const std::uint8_t> infoBytes = info.Take(infoSize);
        const std::span<const std::uint8_t> bitBytes = bits.Take(bitsSize);
        if (info.Failed() || bits.Failed())
            return Fail(IMAGE_ERROR_FORMAT);
        Bitmap(infoBytes, bitBytes, sx, sy, scx, scy, dx, dy, dcx, dcy);
        return true;
    }
    default:
        return true;
    }
}

} // namespace

bool PlayMetafile(std::span<const std::uint8_t> bytes, int dpiX, int dpiY, MetafileCanvas& canvas)
{
    SetLastError(IMAGE_OK);
    if (dpiX <= 0 || dpiY <= 0)
        return Fail(IMAGE_ERROR_FORMAT);
    Player player(bytes, canvas);
    ByteReader first(bytes);
    const std::uint32_t key = first.U32LE();
    if (key == kPlaceableKey)
        return player.PlayWmf(dpiX, dpiY);
    if (key == EMR_HEADER)
        return player.PlayEmf(dpiX, dpiY);
    return Fail(IMAGE_ERROR_UNSUPPORTED);
}

} // namespace image
