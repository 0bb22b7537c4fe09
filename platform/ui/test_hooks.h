// platform/ui/test_hooks.h: lets a test drive the window layer without a person: every modal
// question is answered from a script, and a question with no answer fails the test, never hangs.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/prompt_script.h"

#include <functional>
#include <string>
#include <vector>

class CDC;
class CWnd;

namespace TestHooks {

/// Starts the application object on the offscreen platform when none exists and turns the hooks
/// on: from then on no real modal loop starts, and timers run on a clock that only the test
/// moves. onFailure is told of every unanswered question.
void Enable(std::function<void(std::string)> onFailure);
bool IsEnabled();

/// Answers the next message box (IDOK, IDYES, IDNO, IDCANCEL); answers are used in order.
void AnswerMessageBox(int answer);
/// The boxes shown since the last call, with their texts, captions, styles and answers.
std::vector<CPromptScript::Shown> TakeMessages();
/// The documents and addresses that would have been opened through the desktop.
std::vector<std::string> TakeShellOpens();
int BeepCount();

// Input. Events are queued as the desktop would queue them; DeliverPosted (or a loop that
// pumps messages) delivers them in order.
enum class MouseEvent {
    Move,
    LeftDown, LeftUp, LeftDoubleClick,
    RightDown, RightUp, RightDoubleClick,
    MiddleDown, MiddleUp, MiddleDoubleClick,
};
/// A mouse event at point (client coordinates) with the MK_ flags held after it.
void PostMouse(CWnd& wnd, MouseEvent event, CPoint point, UINT mk);
/// A wheel turn of delta (120 per notch, positive away from the user) at point.
void PostWheel(CWnd& wnd, int delta, CPoint point, UINT mk);
/// A key pressed and released on wnd, with MK_SHIFT, MK_CONTROL and MK_ALT held; it types what
/// the key types on a US keyboard.
void PostKey(CWnd& wnd, UINT vk, UINT mk);
/// Delivers what was posted, then carries out deferred deletions.
void DeliverPosted();

// Time. Under the hooks GetTickCount stands still until the test moves it.
/// Moves GetTickCount on by ms and fires due timers, the earliest first.
void AdvanceClock(DWORD ms);

// Rendering.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // row after row, top first

    /// The pixel at (x, y); 0xFFFFFFFF outside the image.
    COLORREF Pixel(int x, int y) const;
    bool SavePng(const std::string& path) const;
};
/// The window with its children, as it shows on screen, after pending painting.
Image RenderWindow(CWnd& wnd);
/// What draw draws through a device context on a white image of that size.
Image RenderDC(int width, int height, const std::function<void(CDC&)>& draw);

}  // namespace TestHooks
