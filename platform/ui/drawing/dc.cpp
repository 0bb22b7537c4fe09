// platform/ui/drawing/dc.cpp: the device context's target (a window, a bitmap, an image or a
// printer), selected objects, colours, modes, saved states, clipping and device capabilities.
#include "platform/ui/drawing/dc.h"

#include "platform/ui/detail/colour.h"
#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/detail/font_mapper.h"
#include "platform/ui/detail/surface.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/drawing/region.h"
#include "platform/ui/windows/wnd.h"

#include <algorithm>
#include <utility>

namespace ui_detail {
namespace {

constexpr int kDotsPerInch = 96;

int RegionKind(const QRegion& region)
{
    if (region.isEmpty())
        return NULLREGION;
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

DcState FreshState()
{
    DcState state;
    state.penObject = static_cast<CPen*>(GetStockObject(BLACK_PEN));
    state.penObject->GetLogPen(&state.pen);
    state.brushObject = static_cast<CBrush*>(GetStockObject(WHITE_BRUSH));
    state.brushObject->GetLogBrush(&state.brush);
    state.fontObject = static_cast<CFont*>(GetStockObject(SYSTEM_FONT));
    state.fontObject->GetLogFont(&state.font);
    state.qfont = FontFromLogFont(state.font);
    return state;
}

} // namespace

DcImpl::DcImpl() : state(FreshState()) {}

DcImpl::~DcImpl()
{
    Finish();
}

Surface* DcImpl::WindowSurface() const
{
    return window ? surface : nullptr;
}

QImage* DcImpl::Target() const
{
    if (window) {
        Surface* surface = WindowSurface();
        return surface ? &surface->Canvas() : nullptr;
    }
    if (memory)
        return state.bitmap ? DcAccess::ImageOf(*state.bitmap) : nullptr;
    return image;
}

const QRegion& DcImpl::Clip() const
{
    const QImage* target = Target();
    const QRect bounds = printer  ? QRect(QPoint(0, 0), printer->printable)
                         : target ? target->rect()
                                  : QRect();
    ClipCache& cache = clipCache;
    if (cache.valid && cache.bounds == bounds && cache.paintRegion == paintRegion &&
        cache.clip == state.clip)
        return cache.region;
    QRegion region(bounds);
    if (paintRegion)
        region &= *paintRegion;
    if (state.clip)
        region &= *state.clip;
    cache = {true, bounds, paintRegion, state.clip, region, region.boundingRect()};
    return cache.region;
}

QRect DcImpl::ClipBounds() const
{
    Clip();
    return clipCache.regionBounds;
}

void DcImpl::Drawn() const
{
    if (!window)
        return;
    if (paintRegion)
        updatePending = true;
    else
        window->update();
}

void DcImpl::Finish()
{
    if (Surface* surface = WindowSurface(); surface && beganPainter)
        surface->EndPainting();
    beganPainter = false;
    if (window && updatePending)
        window->update();
    updatePending = false;
}

namespace {

/// Formats whose pixels an opaque colour sets as 0xFFrrggbb.
bool HoldsOpaqueRgb32(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

DcPainter::DcPainter(const DcImpl& dc) : m_dc(dc)
{
    if (dc.printer)
        return;
    m_target = dc.Target();
    if (!m_target || m_target->isNull()) {
        m_target = nullptr;
        return;
    }
    const QRegion& clip = dc.Clip();
    // An image shared with a copy would be parted from it first, as a painter's begin does;
    // one that is not shared can be written at once.
    if (clip.rectCount() == 1 && HoldsOpaqueRgb32(m_target->format()) && m_target->isDetached()) {
        m_direct = m_target;
        m_directClip = dc.ClipBounds();
    }
}

bool DcPainter::CanDraw() const
{
    if (m_dc.printer)
        return m_dc.pagePainter && m_dc.pagePainter->isActive();
    return m_target != nullptr;
}

bool DcPainter::IsActive()
{
    if (m_tried)
        return m_active && m_active->isActive();
    m_tried = true;
    const DcImpl& dc = m_dc;
    if (dc.printer) {
        if (!dc.pagePainter || !dc.pagePainter->isActive())
            return false;
        m_active = dc.pagePainter;
        m_active->save();
    } else if (dc.window) {
        m_surface = dc.WindowSurface();
        if (!m_surface || !m_target)
            return false;
        bool began = false;
        QPainter& shared = m_surface->Painter(&began);
        if (!shared.isActive())
            return false;
        dc.beganPainter = dc.beganPainter || began;
        m_active = &shared;
        // Only what a call may have changed is put back: setting the same clip again costs
        // as much as a small primitive.
        const QRegion& clip = dc.Clip();
        std::optional<QRegion>& set = m_surface->PainterClip();
        if (!set || *set != clip) {
            m_active->setClipRegion(clip);
            set = clip;
        }
        if (m_active->compositionMode() != QPainter::CompositionMode_SourceOver)
            m_active->setCompositionMode(QPainter::CompositionMode_SourceOver);
        if (m_active->testRenderHint(QPainter::SmoothPixmapTransform))
            m_active->setRenderHint(QPainter::SmoothPixmapTransform, false);
        return true;
    } else {
        if (!m_target)
            return false;
        m_own.emplace();
        if (!m_own->begin(m_target)) {
            m_own.reset();
            return false;
        }
        m_active = &*m_own;
    }
    m_active->setClipRegion(dc.Clip());
    m_active->setRenderHint(QPainter::Antialiasing, false);
    return true;
}

DcPainter::~DcPainter()
{
    if (m_active && m_dc.printer) {
        m_active->restore();
        return;
    }
    if (m_own)
        m_own->end();
    if (m_active || m_filled)
        m_dc.Drawn();
}

void DcPainter::Narrow(const QRegion& region)
{
    m_direct = nullptr;
    if (!IsActive())
        return;
    m_active->setClipRegion(region, Qt::IntersectClip);
    if (m_surface)
        m_surface->PainterClip().reset();
}

void DcPainter::Fill(const QRect& rect, const QColor& colour)
{
    if (m_direct && colour.alpha() == 255) {
        const QRect area = rect & m_directClip;
        if (area.isEmpty())
            return;
        const QRgb pixel = 0xFF000000u | colour.rgb();
        const qsizetype stride = m_direct->bytesPerLine();
        uchar* row = m_direct->bits() + area.top() * stride;
        for (int y = area.top(); y <= area.bottom(); ++y, row += stride)
            std::fill_n(reinterpret_cast<QRgb*>(row) + area.left(), area.width(), pixel);
        m_filled = true;
        return;
    }
    if (IsActive())
        m_active->fillRect(rect, colour);
}

QImage* DcAccess::ImageOf(CBitmap& bitmap)
{
    return bitmap.GetSafeHandle() && bitmap.m_data ? &bitmap.m_data->image : nullptr;
}

void DcAccess::AttachImage(CDC& dc, QImage* image)
{
    DcImpl& impl = Of(dc);
    impl.Finish();
    impl.image = image;
    impl.memory = false;
    impl.window = nullptr;
    impl.surface = nullptr;
}

void DcAccess::AttachWindow(CDC& dc, CWnd& wnd, std::optional<QRegion> region)
{
    DcImpl& impl = Of(dc);
    impl.Finish();
    impl.window = WidgetOf(&wnd);
    impl.surface = SurfaceOf(impl.window);
    impl.paintRegion = std::move(region);
    impl.memory = false;
    impl.image = nullptr;
}

void DcAccess::AttachPrinter(CDC& dc, const PrinterMetrics& metrics)
{
    DcImpl& impl = Of(dc);
    impl.Finish();
    impl = DcImpl();
    impl.printer = metrics;
}

void DcAccess::SetPagePainter(CDC& dc, QPainter* painter)
{
    Of(dc).pagePainter = painter;
}

QBrush FillBrush(const LOGBRUSH& brush, const DcState& state)
{
    if (brush.lbStyle == BS_NULL)
        return QBrush(Qt::NoBrush);
    if (brush.lbStyle != BS_PATTERN)
        return QBrush(ToQColor(brush.lbColor));
    QImage tile(8, 8, QImage::Format_RGB32);
    const QRgb zero = ToQColor(state.textColour).rgb(), one = ToQColor(state.bkColour).rgb();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            tile.setPixel(x, y, (brush.lbPattern[std::size_t(y)] & (0x80 >> x)) ? one : zero);
    return QBrush(tile);
}

QString ToQString(std::string_view text)
{
    // Drop a character cut off at the end, so a byte count never shows half a character.
    std::size_t start = text.size();
    while (start > 0 && text.size() - start < 3 &&
           (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80)
        --start;
    if (start > 0) {
        const auto lead = static_cast<unsigned char>(text[start - 1]);
        const std::size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (need > text.size() - (start - 1))
            text = text.substr(0, start - 1);
    }
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace ui_detail

using ui_detail::DcAccess;

CDC::CDC() : m_impl(std::make_unique<ui_detail::DcImpl>()) {}

CDC::~CDC() = default;

BOOL CDC::CreateCompatibleDC(CDC* /*dc*/)
{
    m_impl = std::make_unique<ui_detail::DcImpl>();
    m_impl->memory = true;
    return TRUE;
}

BOOL CDC::Attach(CWnd* wnd)
{
    if (!wnd || !wnd->GetSafeHwnd())
        return FALSE;
    m_impl = std::make_unique<ui_detail::DcImpl>();
    DcAccess::AttachWindow(*this, *wnd, std::nullopt);
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    m_impl = std::make_unique<ui_detail::DcImpl>();
    return TRUE;
}

CPen* CDC::SelectObject(CPen* pen)
{
    LOGPEN logPen;
    if (!pen || !pen->GetLogPen(&logPen))
        return nullptr;
    CPen* old = m_impl->state.penObject;
    m_impl->state.pen = logPen;
    m_impl->state.penObject = pen;
    return old;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    LOGBRUSH logBrush;
    if (!brush || !brush->GetLogBrush(&logBrush))
        return nullptr;
    CBrush* old = m_impl->state.brushObject;
    m_impl->state.brush = logBrush;
    m_impl->state.brushObject = brush;
    return old;
}

CFont* CDC::SelectObject(CFont* font)
{
    LOGFONT logFont;
    if (!font || !font->GetLogFont(&logFont))
        return nullptr;
    CFont* old = m_impl->state.fontObject;
    m_impl->state.font = logFont;
    m_impl->state.fontObject = font;
    m_impl->RealizeFont();
    return old;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    if (!m_impl->memory || !bitmap || !bitmap->GetSafeHandle())
        return nullptr;
    CBitmap* old = m_impl->state.bitmap;
    m_impl->state.bitmap = bitmap;
    return old;
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    if (auto* pen = dynamic_cast<CPen*>(object))
        return SelectObject(pen);
    if (auto* brush = dynamic_cast<CBrush*>(object))
        return SelectObject(brush);
    if (auto* font = dynamic_cast<CFont*>(object))
        return SelectObject(font);
    if (auto* bitmap = dynamic_cast<CBitmap*>(object))
        return SelectObject(bitmap);
    return nullptr;
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return SelectObject(GetStockObject(index));
}

COLORREF CDC::SetTextColor(COLORREF colour)
{
    return std::exchange(m_impl->state.textColour, colour);
}
COLORREF CDC::GetTextColor() const
{
    return m_impl->state.textColour;
}
COLORREF CDC::SetBkColor(COLORREF colour)
{
    return std::exchange(m_impl->state.bkColour, colour);
}
COLORREF CDC::GetBkColor() const
{
    return m_impl->state.bkColour;
}

int CDC::SetBkMode(int mode)
{
    if (mode != OPAQUE && mode != TRANSPARENT)
        return 0;
    return std::exchange(m_impl->state.bkMode, mode);
}

int CDC::GetBkMode() const
{
    return m_impl->state.bkMode;
}
UINT CDC::SetTextAlign(UINT align)
{
    return std::exchange(m_impl->state.textAlign, align);
}
UINT CDC::GetTextAlign() const
{
    return m_impl->state.textAlign;
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    const QPoint old = std::exchange(m_impl->state.brushOrg, QPoint(x, y));
    return {old.x(), old.y()};
}

CPoint CDC::GetBrushOrg() const
{
    return {m_impl->state.brushOrg.x(), m_impl->state.brushOrg.y()};
}

int CDC::SaveDC()
{
    m_impl->saved.push_back(m_impl->state);
    return int(m_impl->saved.size());
}

BOOL CDC::RestoreDC(int savedDC)
{
    const int count = int(m_impl->saved.size());
    const int level = savedDC < 0 ? count + 1 + savedDC : savedDC;
    if (level < 1 || level > count)
        return FALSE;
    m_impl->state = std::move(m_impl->saved[std::size_t(level - 1)]);
    m_impl->saved.resize(std::size_t(level - 1));
    return TRUE;
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    const QRegion rect(m_impl->ToDevice(CRect(left, top, right, bottom)));
    auto& clip = m_impl->state.clip;
    clip = clip ? (*clip & rect) : rect;
    return ui_detail::RegionKind(m_impl->Clip());
}

int CDC::IntersectClipRect(const RECT* rect)
{
    return rect ? IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom) : RGN_ERROR;
}

int CDC::ExcludeClipRect(int left, int top, int right, int bottom)
{
    const QRegion rect(m_impl->ToDevice(CRect(left, top, right, bottom)));
    auto& clip = m_impl->state.clip;
    // Without a clipping region everything could be drawn; the target's bounds stand for it.
    clip = (clip ? *clip : m_impl->Clip()) - rect;
    return ui_detail::RegionKind(m_impl->Clip());
}

int CDC::ExcludeClipRect(const RECT* rect)
{
    return rect ? ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom) : RGN_ERROR;
}

int CDC::SelectClipRgn(CRgn* region)
{
    auto& clip = m_impl->state.clip;
    CRect box;
    if (!region) {
        clip.reset();
    } else if (region->GetRgnBox(&box) == RGN_ERROR) {
        return RGN_ERROR;
    } else {
        clip = QRegion(ui_detail::ToQRect(box));
    }
    return ui_detail::RegionKind(m_impl->Clip());
}

int CDC::GetClipBox(RECT* rect) const
{
    const QRegion region = m_impl->Clip();
    // The device box's corners, as the mapping turns them: with y up, top lies above bottom.
    if (rect)
        *rect = m_impl->ToLogical(region.boundingRect());
    return ui_detail::RegionKind(region);
}

BOOL CDC::IsPrinting() const
{
    return m_impl->printing;
}

int CDC::GetDeviceCaps(int index) const
{
    const QImage* target = m_impl->Target();
    const auto& printer = m_impl->printer;
    const QSize size = printer ? printer->printable : target ? target->size() : QSize(0, 0);
    const QSize sheet = printer ? printer->physical : QSize(0, 0);
    const QPoint offset = printer ? printer->offset : QPoint(0, 0);
    const int dpi = printer ? printer->dotsPerInch : ui_detail::kDotsPerInch;
    switch (index) {
    case HORZRES:
        return size.width();
    case VERTRES:
        return size.height();
    case HORZSIZE:
        return MulDiv(size.width(), 254, dpi * 10);
    case VERTSIZE:
        return MulDiv(size.height(), 254, dpi * 10);
    case LOGPIXELSX:
    case LOGPIXELSY:
        return dpi;
    case BITSPIXEL:
        return printer ? 24 : 32;
    case PLANES:
        return 1;
    case PHYSICALWIDTH:
        return sheet.width();
    case PHYSICALHEIGHT:
        return sheet.height();
    case PHYSICALOFFSETX:
        return offset.x();
    case PHYSICALOFFSETY:
        return offset.y();
    default:
        return 0;
    }
}
