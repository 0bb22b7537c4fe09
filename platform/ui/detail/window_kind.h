// platform/ui/detail/window_kind.h: what a top-level window's style makes of its widget: the Qt
// window flags of a popup or tool window, and the frame line of a window with a border.
#pragma once

#include "platform/base/types.h"

class QWidget;

namespace ui_detail {

/// Gives a top-level widget the window flags and attributes of the style and extended style;
/// does nothing to a child.
void ApplyWindowKind(QWidget* widget, DWORD style, DWORD exStyle);
/// Whether the widget's top-level window is a popup that never activates.
bool InNonActivatingPopup(const QWidget* widget);

} // namespace ui_detail
