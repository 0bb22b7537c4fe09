// reports/window/rpt_view_math.h: the arithmetic of the report window: positions of pages and
// spreads at a number of screen steps per page, zoom text and the Zoom In and Out steps.
#pragma once

#include <string_view>

inline constexpr int kRptZoomMin = 5, kRptZoomMax = 500;
/// Zoom modes: a fixed percent, the page width fitted, the whole page fitted.
inline constexpr int kRptZoomPercent = 0, kRptZoomPageWidth = 1, kRptZoomWholePage = 2;

/// How the positions of a report window count: pages, steps a page takes, facing pages.
struct RptPagePositions {
    int pageCount = 0;
    int steps = 1;
    bool facing = false;
    /// The first spread shows an empty left side.
    bool padded = false;

    /// The number of positions; 0 for a report without pages.
    int SlotCount() const;
    /// The left and right page (0-based) shown at position; -1 for an empty side, a right side
    /// without facing pages, or a page past the last.
    void SpreadPages(int position, int& left, int& right) const;
    /// The first position of page (0-based).
    int PositionOfPage(int page) const;
    /// The position the same page takes after facing pages are turned on or off, clamped to
    /// the positions the new mode has.
    int MapFacing(int position, bool facingOn) const;
};

/// Whether the first spread is padded: the mirrored-pages flag with an odd first page number,
/// or without it an even one.
bool IsFirstSpreadPadded(bool mirrored, int firstPageNumber);

/// The position of the same page at newSteps steps per page, at step newStep within it.
int RemapPosition(int position, int oldSteps, int newSteps, int newStep);

/// A typed zoom: mode and percent; false for text that is neither a keyword nor starts with a
/// digit. Numbers beyond the range are clamped to 5 .. 500.
bool ParseZoomText(std::string_view text, int& mode, int& percent);
/// Zoom In: up to the next multiple of ten; Zoom Out: down to the one below; within 5 .. 500.
int ZoomInPercent(int percent);
int ZoomOutPercent(int percent);
