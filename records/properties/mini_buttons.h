// records/properties/mini_buttons.h: the row of small picture buttons under a page's list.
#pragma once

#include "controls/u_button.h"

#include <span>

/// One button of a row: its command id, the bitmap of its picture, its tooltip, how far the next
/// button's left edge stands from its own, and whether it stays down until clicked again.
struct MiniButtonSpec {
    UINT id;
    UINT bitmap;
    const char* tip;
    int step;
    bool latching = false;
};

/// Makes buttons[i] from specs[i] in a row from (left, top) in parent: 24 by 22 pixels with 16
/// by 15 pictures, each with its tooltip.
void CreateMiniButtons(CWnd* parent, CUButtonListener* listener,
                       std::span<const MiniButtonSpec> specs, std::span<CUButton> buttons, int left,
                       int top);
