// platform/ui/detail/key_map.cpp: the key tables and the key state.
#include "platform/ui/detail/key_map.h"

#include "platform/ui/windows/message.h"

#include <array>
#include <string_view>

namespace ui_detail {
namespace {

struct KeyPair {
    int qt;
    UINT vk;
};

// The first pair of a virtual-key code is the Qt key it stands for.
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Select, VK_SELECT},
    {Qt::Key_Printer, VK_PRINT},
    {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},
    {Qt::Key_Meta, VK_LWIN},
    {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
    // Punctuation, unshifted and shifted, as placed on a US keyboard.
    {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
    // Shifted digits.
    {Qt::Key_ParenRight, '0'},
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
};

// Keypad keys other than digits.
constexpr KeyPair kKeypad[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},     {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Slash, VK_DIVIDE},
};

// What an unshifted and a shifted punctuation key types.
struct Typed {
    UINT vk;
    char plain;
    char shifted;
};
constexpr Typed kPunctuation[] = {
    {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
    {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},
    {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},     {VK_MULTIPLY, '*', '*'},
    {VK_ADD, '+', '+'},       {VK_SUBTRACT, '-', '-'},   {VK_DECIMAL, '.', '.'},
    {VK_DIVIDE, '/', '/'},
};
constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";

/// Down in bit 15, the press toggle in bit 0.
std::array<SHORT, 256> g_keyState{};

void SetDown(UINT vk, bool down)
{
    if (vk >= g_keyState.size())
        return;
    SHORT& state = g_keyState[vk];
    const bool wasDown = state < 0;
    if (down && !wasDown)
        state = SHORT((state & 1) ^ 1);
    state = SHORT(down ? (state | 0x8000) : (state & 1));
}

bool InRange(int key, int first, int last)
{
    return key >= first && key <= last;
}

} // namespace

UINT VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        if (InRange(qtKey, Qt::Key_0, Qt::Key_9))
            return VK_NUMPAD0 + UINT(qtKey - Qt::Key_0);
        for (const KeyPair& pair : kKeypad)
            if (pair.qt == qtKey)
                return pair.vk;
    }
    if (InRange(qtKey, Qt::Key_0, Qt::Key_9) || InRange(qtKey, Qt::Key_A, Qt::Key_Z))
        return UINT(qtKey);
    if (InRange(qtKey, Qt::Key_F1, Qt::Key_F24))
        return VK_F1 + UINT(qtKey - Qt::Key_F1);
    for (const KeyPair& pair : kKeys)
        if (pair.qt == qtKey)
            return pair.vk;
    return 0;
}

QtKeyStroke QtKeyFromVirtualKey(UINT vk)
{
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return {int(Qt::Key_0 + (vk - VK_NUMPAD0)), Qt::KeypadModifier};
    for (const KeyPair& pair : kKeypad)
        if (pair.vk == vk)
            return {pair.qt, Qt::KeypadModifier};
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return {int(vk), {}};
    if (vk >= VK_F1 && vk <= VK_F24)
        return {int(Qt::Key_F1 + (vk - VK_F1)), {}};
    for (const KeyPair& pair : kKeys)
        if (pair.vk == vk)
            return {pair.qt, {}};
    return {};
}

QString TextForVirtualKey(UINT vk, bool shift, bool control)
{
    if (vk >= 'A' && vk <= 'Z') {
        if (control)
            return QString(QChar(char16_t(vk - 'A' + 1)));
        return QString(QChar(char16_t(shift ? vk : vk - 'A' + 'a')));
    }
    if (control)
        return {};
    if (vk >= '0' && vk <= '9')
        return QString(QChar(shift ? kShiftedDigits[vk - '0'] : char(vk)));
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return QString(QChar(char('0' + (vk - VK_NUMPAD0))));
    for (const Typed& typed : kPunctuation)
        if (typed.vk == vk)
            return QString(QChar(shift ? typed.shifted : typed.plain));
    switch (vk) {
    case VK_SPACE:
        return QStringLiteral(" ");
    case VK_RETURN:
        return QStringLiteral("\r");
    case VK_TAB:
        return QStringLiteral("\t");
    case VK_BACK:
        return QStringLiteral("\b");
    case VK_ESCAPE:
        return QStringLiteral("\x1b");
    default:
        return {};
    }
}

void NoteKey(UINT vk, bool down)
{
    SetDown(vk, down);
}

void NoteInputState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    SetDown(VK_SHIFT, modifiers & Qt::ShiftModifier);
    SetDown(VK_CONTROL, modifiers & Qt::ControlModifier);
    SetDown(VK_MENU, modifiers & Qt::AltModifier);
    SetDown(VK_LBUTTON, buttons & Qt::LeftButton);
    SetDown(VK_RBUTTON, buttons & Qt::RightButton);
    SetDown(VK_MBUTTON, buttons & Qt::MiddleButton);
}

} // namespace ui_detail

SHORT GetKeyState(int virtKey)
{
    if (virtKey < 0 || virtKey >= int(ui_detail::g_keyState.size()))
        return 0;
    return ui_detail::g_keyState[std::size_t(virtKey)];
}
