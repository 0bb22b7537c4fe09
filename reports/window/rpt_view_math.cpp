// reports/window/rpt_view_math.cpp: page positions, zoom text and zoom steps.
#include "reports/window/rpt_view_math.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <strings.h>

int RptPagePositions::SlotCount() const
{
    if (pageCount <= 0)
        return 0;
    const int units = facing ? (padded ? (pageCount + 2) / 2 : (pageCount + 1) / 2) : pageCount;
    return units * std::max(1, steps);
}

void RptPagePositions::SpreadPages(int position, int& left, int& right) const
{
    left = right = -1;
    if (position < 0 || pageCount <= 0)
        return;
    const int unit = position / std::max(1, steps);
    if (!facing) {
        left = unit < pageCount ? unit : -1;
        return;
    }
    const int first = padded ? unit * 2 - 1 : unit * 2;
    left = first >= 0 && first < pageCount ? first : -1;
    right = first + 1 < pageCount ? first + 1 : -1;
}

int RptPagePositions::PositionOfPage(int page) const
{
    const int unit = facing ? (padded ? (page + 1) / 2 : page / 2) : page;
    return unit * std::max(1, steps);
}

int RptPagePositions::MapFacing(int position, bool facingOn) const
{
    int mapped = position;
    if (facingOn && !facing)
        mapped = padded ? (position + 1) / 2 : position / 2;
    else if (!facingOn && facing)
        mapped = padded ? 2 * position - 1 : 2 * position;
    RptPagePositions next = *this;
    next.facing = facingOn;
    return std::clamp(mapped, 0, std::max(0, next.SlotCount() - 1));
}

bool IsFirstSpreadPadded(bool mirrored, int firstPageNumber)
{
    const bool odd = firstPageNumber % 2 != 0;
    return mirrored ? odd : !odd;
}

int RemapPosition(int position, int oldSteps, int newSteps, int newStep)
{
    return position / std::max(1, oldSteps) * std::max(1, newSteps) + newStep;
}

bool ParseZoomText(std::string_view text, int& mode, int& percent)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    const std::string word(text);
    if (strcasecmp(word.c_str(), "Page Width") == 0) {
        mode = kRptZoomPageWidth;
        return true;
    }
    if (strcasecmp(word.c_str(), "Whole Page") == 0) {
        mode = kRptZoomWholePage;
        return true;
    }
    if (word.empty() || !std::isdigit(static_cast<unsigned char>(word.front())))
        return false;
    // Digits beyond what an int holds only make the number larger than the range.
    long long value = 0;
    for (const char c : word) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        value = std::min<long long>(value * 10 + (c - '0'), kRptZoomMax + 1);
    }
    mode = kRptZoomPercent;
    percent = int(std::clamp<long long>(value, kRptZoomMin, kRptZoomMax));
    return true;
}

int ZoomInPercent(int percent)
{
    return std::clamp((percent / 10 + 1) * 10, kRptZoomMin, kRptZoomMax);
}

int ZoomOutPercent(int percent)
{
    const int down = percent % 10 == 0 ? percent - 10 : percent / 10 * 10;
    return std::clamp(down, kRptZoomMin, kRptZoomMax);
}
