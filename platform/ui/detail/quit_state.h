// platform/ui/detail/quit_state.h: whether the program was asked to quit, for the loops that
// must not start or must stop.
#pragma once

namespace ui_detail {

bool QuitPosted();
/// The exit code PostQuitMessage was given.
int QuitCode();
/// The message loop ended: the request was carried out.
void ForgetQuit();

} // namespace ui_detail
