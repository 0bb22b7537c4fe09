// platform/ui/windows/clipboard.h: the clipboard: plain text, and pictures drawn through a
// device context.
#pragma once

#include <functional>
#include <string>

class CDC;

/// Puts UTF-8 text on the desktop's clipboard in place of what it held; false when the
/// clipboard cannot be had (no application object).
bool SetClipboardText(const std::string& text);
/// The clipboard's plain text as UTF-8; empty when it holds none.
std::string GetClipboardText();
/// Puts a width x height picture on the clipboard (96 dots per inch, white before draw draws on
/// it); false when the clipboard cannot be had or the size is empty.
bool SetClipboardPicture(int width, int height, const std::function<void(CDC&)>& draw);
/// The size of the clipboard's picture; false, both 0, when it holds none.
bool GetClipboardPictureSize(int& width, int& height);
