// platform/ui/windows/key_waiting.cpp: posted key presses from the layer's count; held keys from
// the X server's keymap.
#include "platform/ui/windows/key_waiting.h"

#include "platform/ui/detail/waiting_keys.h"
#include "platform/ui/detail/window_widget.h"

bool IsKeyDownWaiting(const CWnd& wnd, UINT vk)
{
    const QWidget* widget = ui_detail::WidgetOf(&wnd);
    return widget && ui_detail::PostedKeyWaiting(widget, vk);
}
