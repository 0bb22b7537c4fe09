// platform/ui/detail/key_map.h: Qt keys and virtual-key codes, the characters a key types, and
// the key state behind GetKeyState.
#pragma once

#include "platform/base/types.h"

#include <QString>
#include <Qt>

namespace ui_detail {

/// The virtual-key code of a Qt key; keypad keys (KeypadModifier) give the numeric-pad codes.
/// Shifted digits and punctuation give their key's code, as on a US keyboard. 0 when none.
UINT VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);

struct QtKeyStroke {
    int key = Qt::Key_unknown;
    Qt::KeyboardModifiers keypad;
};
/// The Qt key that a virtual-key code stands for (Key_unknown when none), with KeypadModifier
/// for the numeric-pad codes.
QtKeyStroke QtKeyFromVirtualKey(UINT vk);

/// The text a key types on a US keyboard with the given shift and control state: letters,
/// digits, punctuation, space, Enter ("\r"), Tab, Backspace, Escape, control characters for
/// Ctrl with a letter; empty for keys that type nothing.
QString TextForVirtualKey(UINT vk, bool shift, bool control);

/// Keeps the state that GetKeyState reports: a key goes down or up.
void NoteKey(UINT vk, bool down);
/// The modifier keys and mouse buttons held, as an input event reports them.
void NoteInputState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

} // namespace ui_detail
