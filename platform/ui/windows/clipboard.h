// platform/ui/windows/clipboard.h: the text clipboard: putting plain text on it and reading it
// back.
#pragma once

#include <string>

/// Puts UTF-8 text on the desktop's clipboard in place of what it held; false when the
/// clipboard cannot be had (no application object).
bool SetClipboardText(const std::string& text);
/// The clipboard's plain text as UTF-8; empty when it holds none.
std::string GetClipboardText();
