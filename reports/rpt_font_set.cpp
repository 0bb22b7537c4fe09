// reports/rpt_font_set.cpp: the rendering context's fonts, content and side column.
#include "reports/rpt_font_set.h"

#include "reports/rpt_page_settings.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace {

/// Measures of a slot when no canvas can tell them.
constexpr RptFontMetrics kFallbackMetrics{10, 9};

/// A size below one point is taken as ten points, so that no font has no height; a size read
/// from a file is held to a thousand points.
int PointSize(const LOGFONT& font)
{
    return font.lfHeight >= 1 ? int(std::min<LONG>(font.lfHeight, 1000)) : 10;
}

} // namespace

void CRptFontSet::Create(const RptPageSettings& settings, IRptCanvas* canvas)
{
    m_canvas = canvas;
    m_wraps.clear();
    m_wrapKeys.clear();
    for (int slot = 0; slot < kRptSlotCount; ++slot) {
        const LOGFONT& font = slot < kRptSlotHeader ? settings.fonts[std::size_t(slot)]
                              : slot < kRptSlotFooter
                                  ? settings.headerFonts[std::size_t(slot - kRptSlotHeader)]
                                  : settings.footerFonts[std::size_t(slot - kRptSlotFooter)];
        // Ten logical units to the point.
        m_metrics[std::size_t(slot)] =
            canvas ? canvas->CreateFont(slot, font, -10 * PointSize(font)) : kFallbackMetrics;
        if (m_metrics[std::size_t(slot)].lineHeight < 1)
            m_metrics[std::size_t(slot)] = kFallbackMetrics;
    }
}

int CRptFontSet::MinimumEntryHeight() const
{
    return m_metrics[0].lineHeight + m_metrics[std::size_t(RptFontSlot(1, 2))].lineHeight;
}

void CRptFontSet::SetContent(const CRect& content)
{
    m_content = content;
    columnLeft = content.left;
    columnRight = content.right;
}

void CRptFontSet::ClearSidePictures(int& atPage, int& atY)
{
    if (!pictures.sideOpen)
        return;
    const RptPosition bottom = pictures.sideBottom;
    if (atPage < bottom.page) {
        atPage = bottom.page;
        atY = bottom.y;
    } else if (atPage == bottom.page && atY < bottom.y) {
        atY = bottom.y;
    }
    pictures.sideOpen = false;
    columnLeft = m_content.left;
    columnRight = m_content.right;
}

const std::vector<RptLine>& CRptFontSet::Wrap(int slot, std::string_view text, int width)
{
    if (!m_canvas) {
        RptWrapText(nullptr, slot, text, width, m_unmeasured);
        return m_unmeasured;
    }
    // Enough places for the distinct lines of a long report's repeated branches.
    constexpr int kBits = 15;
    if (m_wraps.empty()) {
        m_wraps.resize(std::size_t(1) << kBits);
        m_wrapKeys.resize(m_wraps.size());
    }
    std::uint64_t hash = std::hash<std::string_view>{}(text);
    hash ^=
        (std::uint64_t(std::uint32_t(slot)) << 32 | std::uint32_t(width)) * 0x9E3779B97F4A7C15ULL;
    hash *= 0xFF51AFD7ED558CCDULL;
    const std::size_t index = std::size_t(hash >> (64 - kBits));
    WrapKey& key = m_wrapKeys[index];
    WrapPlace& place = m_wraps[index];
    // A pass that only counts pages never reads the lines' texts: they are not copied.
    const bool withText = !Counting();
    if (key.kept == hash && place.used && place.slot == slot && place.width == width &&
        (place.withText || !withText) && place.text == text)
        return place.lines;
    // A text is kept the second time it comes: most lines of a long report come once, and
    // are wrapped where the lines stay in the processor's cache.
    if (key.met != hash) {
        key.met = hash;
        RptWrapText(m_canvas, slot, text, width, m_unkept, withText);
        return m_unkept;
    }
    place.used = false;
    RptWrapText(m_canvas, slot, text, width, place.lines, withText);
    place.slot = slot;
    place.width = width;
    place.withText = withText;
    place.text.assign(text);
    place.used = true;
    key.kept = hash;
    return place.lines;
}
