// platform/ui/windows/key_waiting.h: whether a key press waits for a window, asked without
// taking anything from the queue, so that a long drawing can stop for a key the user pressed.
#pragma once

#include "platform/base/types.h"

class CWnd;

/// Whether a key-down of the virtual key vk waits for wnd: posted to it and not yet delivered
/// (PostMessage of WM_KEYDOWN, the test hooks' PostKey), or, on an X11 display, the key held
/// down now. Key presses Qt has already read from the display are not seen: Qt offers no look
/// into its queue.
bool IsKeyDownWaiting(const CWnd& wnd, UINT vk);
