// reports/rpt_page_pictures.cpp: the pictures of one subject placed as a block: in rows, above
// the text, or in a column to the right of the text.
#include "reports/rpt_page_layout.h"

#include "common/fit_rect.h"

#include <algorithm>

namespace {

/// A picture's own size in logical units, taking its pixels at 96 to the inch; a size read from
/// a file is held to a thousand inches.
int PixelsToUnits(int pixels)
{
    return int(std::min<long long>(720LL * pixels / 96, 720000));
}

bool After(const RptPosition& a, const RptPosition& b)
{
    return a.page > b.page || (a.page == b.page && a.y > b.y);
}

} // namespace

void CRptPageLayout::BeginPictures(CRptFontSet& ctx, int level)
{
    if (!ctx.Canvas())
        return;
    ctx.ClearSidePictures();
    RptPictureBlock& block = ctx.pictures;
    block.text = block.picture = {ctx.page, ctx.y};
    block.rowWidth = block.rowHeight = block.sideWidth = 0;
    block.previous = RptPlacement::None;
    block.level = std::clamp(level, 0, 2);
    block.open = true;
}

void CRptPageLayout::PlacePicture(CRptFontSet& ctx, const RptPicture& picture,
                                  RptPlacement placement, int maxWidth, int maxHeight,
                                  const RptPictureGaps* ownGaps)
{
    IRptCanvas* canvas = ctx.Canvas();
    if (!canvas || picture.widthPixels < 1 || picture.heightPixels < 1 ||
        placement == RptPlacement::None)
        return;
    if (!ctx.pictures.open)
        BeginPictures(ctx, 2);
    RptPictureBlock& block = ctx.pictures;
    RptPictureGaps converted;
    if (ownGaps)
        converted = {ToUnits(std::max(0, ownGaps->left)), ToUnits(std::max(0, ownGaps->top)),
                     ToUnits(std::max(0, ownGaps->right)), ToUnits(std::max(0, ownGaps->bottom)),
                     ToUnits(std::max(0, ownGaps->caption))};
    const RptPictureGaps& gaps = ownGaps ? converted : m_metrics.pictureGaps;
    const CRect& content = ctx.Content();
    const int pageHeight = ctx.ContentHeight();

    int frameWidth = std::max(1, content.Width() - gaps.left - gaps.right);
    int frameHeight = std::max(1, pageHeight - gaps.top - gaps.bottom);
    if (maxWidth > 0)
        frameWidth = std::min(frameWidth, ToUnits(maxWidth));
    if (maxHeight > 0)
        frameHeight = std::min(frameHeight, ToUnits(maxHeight));
    int width = PixelsToUnits(picture.widthPixels), height = PixelsToUnits(picture.heightPixels);
    FitRect(width, height, CRect(0, 0, frameWidth, frameHeight),
            placement == RptPlacement::RightOfText);
    width = std::max(1, width);
    height = std::max(1, height);
    const std::vector<RptLine> caption =
        RptWrapText(canvas, kRptSlotCaption, picture.caption, width);
    const int captionLine = ctx.Metrics(kRptSlotCaption).lineHeight;
    const int cellHeight =
        gaps.top + height + gaps.caption + int(caption.size()) * captionLine + gaps.bottom;
    const int fitHeight = cellHeight - gaps.bottom;
    const int cellWidth = gaps.left + width + gaps.right;
    const auto toNextPage = [](RptPosition& at) {
        ++at.page;
        at.y = 0;
    };

    if (ctx.pending.waiting) {
        const int headingHeight = ctx.pending.Height();
        if (block.text.y != 0 && headingHeight + fitHeight > pageHeight - block.text.y)
            toNextPage(block.text);
        DrawHeading(ctx, ctx.pending, block.text.page, block.text.y);
        block.text.y += headingHeight;
        block.picture = block.text;
        ctx.pending = {};
    }
    if (block.previous == RptPlacement::RowsLeft && placement != RptPlacement::RowsLeft) {
        block.picture.y += block.rowHeight;
        block.rowWidth = block.rowHeight = 0;
        block.text = block.picture;
    }
    if (block.previous == RptPlacement::RightOfText && placement != RptPlacement::RightOfText) {
        block.sideWidth = 0;
        block.text = block.picture;
    }

    int left = 0;
    if (placement == RptPlacement::RowsLeft) {
        if (block.rowWidth + cellWidth > content.Width()) {
            const int below = block.picture.y + block.rowHeight;
            if (below + fitHeight <= pageHeight)
                block.picture.y = below;
            else
                toNextPage(block.picture);
            block.rowWidth = 0;
            block.rowHeight = cellHeight;
        } else if (block.picture.y != 0 && block.picture.y + fitHeight > pageHeight) {
            toNextPage(block.picture);
            block.rowWidth = 0;
            block.rowHeight = cellHeight;
        } else {
            block.rowHeight = std::max(block.rowHeight, cellHeight);
        }
        left = content.left + block.rowWidth + gaps.left;
    } else {
        if (block.picture.y != 0 && block.picture.y + fitHeight > pageHeight)
            toNextPage(block.picture);
        switch (placement) {
        case RptPlacement::AboveLeft:
            left = content.left + gaps.left;
            break;
        case RptPlacement::AboveCentre:
            left = content.left + (content.Width() - width) / 2;
            break;
        default:
            left = content.right - gaps.right - width;
            break;
        }
    }

    if (ctx.Draws(block.picture.page)) {
        const int top = content.top + block.picture.y + gaps.top;
        canvas->DrawPicture(CRect(left, top, left + width, top + height), picture);
        const RptFontMetrics& font = ctx.Metrics(kRptSlotCaption);
        canvas->SelectFont(kRptSlotCaption);
        int lineTop = top + height + gaps.caption;
        for (const RptLine& line : caption) {
            canvas->DrawTextRun(CRect(left, lineTop, left + width, lineTop + font.lineHeight),
                                RptAlign::Centre, left + width / 2, lineTop + font.ascent,
                                line.text, false);
            lineTop += font.lineHeight;
        }
    }

    switch (placement) {
    case RptPlacement::RowsLeft:
        block.rowWidth += cellWidth;
        break;
    case RptPlacement::RightOfText:
        block.sideWidth = std::max(block.sideWidth, cellWidth);
        block.picture.y += cellHeight;
        break;
    default:
        block.picture.y += cellHeight;
        block.text = block.picture;
        break;
    }
    block.previous = placement;
}

void CRptPageLayout::EndPictures(CRptFontSet& ctx, int minRight)
{
    RptPictureBlock& block = ctx.pictures;
    if (!block.open)
        return;
    if (ctx.pending.waiting) {
        const int headingHeight = ctx.pending.Height();
        if (block.text.y != 0 && headingHeight > ctx.ContentHeight() - block.text.y) {
            ++block.text.page;
            block.text.y = 0;
        }
        DrawHeading(ctx, ctx.pending, block.text.page, block.text.y);
        block.text.y += headingHeight;
        if (After(block.text, block.picture) || block.previous == RptPlacement::None)
            block.picture = block.text;
        ctx.pending = {};
    }
    if (block.previous == RptPlacement::RowsLeft) {
        block.picture.y += block.rowHeight;
        block.rowWidth = block.rowHeight = 0;
    }
    const CRect& content = ctx.Content();
    if (block.previous == RptPlacement::RightOfText) {
        ctx.page = block.text.page;
        ctx.y = block.text.y;
        ctx.columnLeft = content.left;
        ctx.columnRight =
            std::max<int>(content.right - block.sideWidth, std::min<int>(minRight, content.right));
        block.sideBottom = block.picture;
        block.sideOpen = true;
    } else {
        ctx.page = block.picture.page;
        ctx.y = block.picture.y;
        ctx.columnLeft = content.left;
        ctx.columnRight = content.right;
        block.sideOpen = false;
    }
    block.open = false;
}
