// platform/testing/user_input.h: mouse input handed to Qt as the window system hands it, for the
// tests that depend on what Qt itself does with a person's input (which widget a click gives the
// focus to); the layer's test hooks post events, which Qt treats as the program's own.
#pragma once

#include "platform/base/geometry.h"

class CWnd;

namespace user_input {

/// Presses the left button at from (wnd's client coordinates), moves to to and releases there.
/// The window must be shown.
void Drag(CWnd& wnd, CPoint from, CPoint to);
/// Moves the pointer, no button held, to point (wnd's client coordinates). The window must be
/// shown.
void MovePointer(CWnd& wnd, CPoint point);

} // namespace user_input
