// platform/ui/windows/key_waiting.h: whether a key press waits for a window, asked without
// taking anything from the queue, so that a long drawing can stop for a key the user pressed.
#pragma once

#include "platform/base/types.h"

class CWnd;

/// Whether a key-down of the virtual key vk waits for wnd: posted to it and not yet delivered
/// (PostMessage of WM_KEYDOWN, the test hooks' PostKey). Key presses Qt has already read from
/// the display are not seen: Qt offers no look into its queue, and a key merely held down is no
/// press waiting (stopping for it could leave the last picture unfinished).
bool IsKeyDownWaiting(const CWnd& wnd, UINT vk);
