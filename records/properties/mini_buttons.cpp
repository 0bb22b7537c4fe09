// records/properties/mini_buttons.cpp: the row of small picture buttons under a page's list.
#include "records/properties/mini_buttons.h"

#include <algorithm>

void CreateMiniButtons(CWnd* parent, CUButtonListener* listener,
                       std::span<const MiniButtonSpec> specs, std::span<CUButton> buttons, int left,
                       int top)
{
    constexpr int kWidth = 24, kHeight = 22, kImageWidth = 16, kImageHeight = 15;
    const std::size_t count = std::min(specs.size(), buttons.size());
    for (std::size_t i = 0; i < count; ++i) {
        const MiniButtonSpec& spec = specs[i];
        const CRect rect(left, top, left + kWidth, top + kHeight);
        if (buttons[i].CreateButton(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, parent, spec.id,
                                    listener, kImageWidth, kImageHeight, spec.bitmap, 4,
                                    spec.latching ? CUButton::kLatchable : 0, 0))
            buttons[i].SetToolTipText(spec.tip);
        left += spec.step;
    }
}
