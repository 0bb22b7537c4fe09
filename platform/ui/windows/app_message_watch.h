// platform/ui/windows/app_message_watch.h: an application-wide look at the messages that end a
// drop-down: a button pressed anywhere, a command, a top-level window resized or moved.
#pragma once

#include "platform/ui/windows/message.h"

/// Told of every watched message anywhere in the program while it is installed. It only
/// looks: each message then goes on to its window as usual. A watch must not end windows from
/// inside OnAppMessage; it posts itself what it wants done.
class IAppMessageWatch {
public:
    virtual ~IAppMessageWatch() = default;
    /// What is watched: a mouse-button press or double click (hwnd the window under the
    /// pointer, pt the screen point); WM_COMMAND with lParam 0 (a menu, an accelerator, a
    /// toolbar button) and WM_SYSCOMMAND, with hwnd the window they are sent to; WM_SIZE and
    /// WM_MOVE of a top-level window (hwnd that window).
    virtual void OnAppMessage(const MSG& msg) = 0;
};

/// Installs the watch; installing it again changes nothing. The watches installed are told in
/// the order installed.
void InstallAppMessageWatch(IAppMessageWatch* watch);
/// Removes the watch; a watch not installed is ignored. Safe from inside OnAppMessage.
void RemoveAppMessageWatch(IAppMessageWatch* watch);
