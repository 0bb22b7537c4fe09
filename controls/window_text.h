// controls/window_text.h: the program's small helpers for window texts: setting a text only when
// it changes, filling dialog combos, reading the digits of an item, wrapping text to a width.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>

class CDC;
class CWnd;

/// Sets the window's text only when it differs from the text it has, so that an unchanged text
/// causes no repaint; a text of 257 characters or more is always set.
void SetWindowTextIfChanged(CWnd& wnd, const std::string& text);

/// Fills the combo boxes of dialog from (control id, text) pairs in order: the first pair of an
/// id empties its combo, and every pair adds its text. Ids without a combo are passed over.
void FillDialogCombos(CWnd& dialog, std::span<const std::pair<int, const char*>> pairs);

/// The number the leading decimal digits of the dialog item's text give; 0 when the text starts
/// with no digit or there is no such item.
long GetDlgItemDigits(const CWnd& dialog, int id);

/// Takes from position the next line of text that fits width as the device context measures it:
/// a line ends at CR or LF, and at most 2500 characters are looked at. A line too wide breaks
/// after its last blank that lets it fit, else after the last character that fits (always at
/// least one). position moves past the line, its blanks at the break and its line end; an empty
/// line moves it on to the next line that holds something other than blanks. False, with line
/// empty, when nothing but blanks remains.
bool WrapTextToWidth(CDC& dc, std::string_view text, std::size_t& position, int width,
                     std::string& line);
