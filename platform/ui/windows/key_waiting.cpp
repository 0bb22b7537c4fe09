// platform/ui/windows/key_waiting.cpp: whether a key press waits, from the layer's count of the
// presses posted through it.
#include "platform/ui/windows/key_waiting.h"

#include "platform/ui/detail/waiting_keys.h"
#include "platform/ui/detail/window_widget.h"

bool IsKeyDownWaiting(const CWnd& wnd, UINT vk)
{
    const QWidget* widget = ui_detail::WidgetOf(&wnd);
    return widget && ui_detail::PostedKeyWaiting(widget, vk);
}
