// diagrams/diag_elem_draw.cpp: measuring a box (its width from its lines, the margins, the
// minimum width and its picture) and drawing it (fill, lines, picture beside or within the
// text).
#include "database/kin/ind_rec.h"
#include "database/multimedia/obj_rec.h"
#include "diagrams/diag_elem.h"
#include "diagrams/diag_owner.h"
#include "diagrams/diagram_settings.h"

#include <algorithm>

namespace {

/// Picture layouts.
constexpr int kPictureLeft = 0, kPictureRight = 1, kPictureWithinText = 2;

/// A picture is fitted to a height; its width may be up to this many times the height.
constexpr int kWidestPicture = 100;

} // namespace

void CDiagElem::LoadPicture(int boxHeight)
{
    m_textBlock.reset();
    const CDiagramSettings& settings = m_owner.Settings();
    const CIndRec* individual = GetIndividual();
    if (!individual || settings.m_pictureIndex < 1)
        return;
    CDataNode* link = nullptr;
    CObjRec* found = nullptr;
    RECT frame{};
    for (int index = 0; index < settings.m_pictureIndex;) {
        found = individual->GetNextLinkedPicture(link, false, &frame);
        if (!found)
            return;
        const MediaKind kind = found->GetKind();
        if (kind == MEDIA_KIND_PICTURE || (kind == MEDIA_KIND_OLE && settings.m_includeOleObjects))
            ++index;
    }
    const int height =
        std::max(1, settings.m_useBoxHeight ? boxHeight : m_owner.Scaled(settings.m_pictureHeight));
    auto block = std::make_unique<CDiagTextBlock>();
    const CRect crop(frame);
    block->SetPicture(found, crop);
    block->m_record = found;
    const CSize size = found->GetFittedSize(CSize(height * kWidestPicture, height),
                                            crop.IsRectEmpty() ? nullptr : &frame);
    if (size.cx <= 0 || size.cy <= 0)
        return;
    block->m_pictureRect = CRect(0, 0, size.cx, size.cy);
    m_textBlock = std::move(block);
}

void CDiagElem::Measure(IBoxPainter* measurer, bool loadPicture, CRect* size)
{
    std::unique_ptr<IBoxPainter> own;
    if (!measurer) {
        own = m_owner.CreateMeasurer();
        measurer = own.get();
    }
    const CDiagramSettings& settings = m_owner.Settings();
    const CBoxText shown = ShownText();
    const auto lines = SplitBoxLines(shown.text);
    int widest = 0, lineHeight = 0;
    if (measurer) {
        for (std::string_view line : lines) {
            const CSize extent = measurer->MeasureText(line);
            widest = std::max<int>(widest, extent.cx);
            lineHeight = std::max<int>(lineHeight, extent.cy);
        }
        if (lines.empty())
            lineHeight = measurer->MeasureText(" ").cy;
    }
    m_lineCount = int(lines.size());
    m_lineHeight = lineHeight;
    int width = std::max(widest + 2 * m_owner.Scaled(settings.m_boxMarginSide), GetMinBoxWidth());
    const int boxHeight = m_owner.BoxHeight();
    if (loadPicture) {
        if (m_owner.ShowsPictures() && shown.picturesShown)
            LoadPicture(boxHeight);
        else
            m_textBlock.reset();
    }
    if (m_textBlock) {
        const int pictureWidth = m_textBlock->m_pictureRect.Width();
        width = settings.m_pictureLayout == kPictureWithinText ? std::max(width, pictureWidth)
                                                               : width + pictureWidth;
        m_textBlock->m_width = width;
        m_textBlock->m_text = shown.text;
    }
    const CRect box(-(width / 2), 0, width - width / 2, -boxHeight);
    if (size)
        *size = box;
    else
        m_rect = box;
}

int CDiagElem::GetContentBottom() const
{
    const CDiagramSettings& settings = m_owner.Settings();
    const bool picture = m_textBlock && m_textBlock->Picture();
    if (picture && settings.m_pictureLayout != kPictureWithinText)
        return m_rect.bottom;
    int bottom = m_rect.top - m_lineHeight * m_lineCount - m_owner.Scaled(settings.m_boxMarginTop) -
                 m_owner.Scaled(settings.m_boxMarginBottom);
    if (picture)
        bottom -=
            m_textBlock->m_pictureRect.Height() + 2 * m_owner.Scaled(settings.m_pictureMarginTop);
    return bottom;
}

void CDiagElem::Draw(IBoxPainter& painter)
{
    const CDiagramSettings& settings = m_owner.Settings();
    const bool readable = painter.TextReadable();
    const CBoxText shown = ShownText(readable);
    const int fill = HasFlag(kElemMarked) ? int(kBoxMarkedRow) : shown.fillRow;
    if (settings.m_showBoxes && fill >= 0)
        painter.DrawBox(m_rect, fill);
    const auto lines = SplitBoxLines(shown.text);
    CDiagTextBlock* block = m_textBlock && m_textBlock->Picture() ? m_textBlock.get() : nullptr;
    const int pictureWidth = block ? block->m_pictureRect.Width() : 0;
    const int pictureHeight = block ? block->m_pictureRect.Height() : 0;
    CRect area = m_rect;
    CRect picture;
    bool placed = false;
    if (block && settings.m_pictureLayout == kPictureLeft) {
        area.left += pictureWidth;
        picture = CRect(m_rect.left, m_rect.top, area.left, m_rect.top - pictureHeight);
        placed = true;
    } else if (block && settings.m_pictureLayout == kPictureRight) {
        area.right -= pictureWidth;
        picture = CRect(area.right, m_rect.top, m_rect.right, m_rect.top - pictureHeight);
        placed = true;
    }
    // The lines keep the side margins the measuring gave the box.
    CRect textArea = area;
    textArea.left += m_owner.Scaled(settings.m_boxMarginSide);
    textArea.right =
        std::max<LONG>(textArea.left, textArea.right - m_owner.Scaled(settings.m_boxMarginSide));
    const int lineHeight = m_lineHeight > 0 ? m_lineHeight : painter.MeasureText(" ").cy;
    const int gap = m_owner.Scaled(settings.m_pictureMarginTop);
    int y = m_rect.top - m_owner.Scaled(settings.m_boxMarginTop);
    const auto placeWithinText = [&] {
        const int left = (area.left + area.right - pictureWidth) / 2;
        picture = CRect(left, y - gap, left + pictureWidth, y - gap - pictureHeight);
        y -= pictureHeight + 2 * gap;
        placed = true;
    };
    const bool within = block && settings.m_pictureLayout == kPictureWithinText;
    painter.SetOverriddenText(HasText());
    if (!readable && m_lineCount > 0)
        painter.DrawTextMark(textArea, y, lineHeight * m_lineCount, shown.textColour);
    if (!readable && within)
        placeWithinText();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (within && int(i) == shown.pictureLine)
            placeWithinText();
        painter.DrawTextLine(textArea, y, lines[i], shown.textColour);
        y -= lineHeight;
    }
    if (within && shown.pictureLine == int(lines.size()))
        placeWithinText();
    if (placed) {
        const CRect crop = block->Crop();
        painter.DrawPicture(*block->Picture(), picture, crop.IsRectEmpty() ? nullptr : &crop);
    }
}
