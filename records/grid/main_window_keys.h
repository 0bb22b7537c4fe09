// records/grid/main_window_keys.h: the main window's keyboard accelerators as the record editors
// meet them: a key that will run a main-window command lets an editor store what was typed first.
#pragma once

#include "platform/ui/windows/message.h"

/// The main window's command for the key press msg (WM_KEYDOWN or WM_SYSKEYDOWN, with the
/// modifier keys now held); 0 when it is none of the main window's keys or there is no main
/// window.
UINT MainWindowKeyCommand(const MSG& msg);
/// Runs the main window's command for msg as its accelerators do; FALSE when msg is none of its
/// keys.
BOOL TranslateMainWindowKey(const MSG& msg);
