// common/shell_open.h: opening files and web addresses through the desktop, with the
// program's messages when that fails.
#pragma once

#include <string>

/// The message for a failed opening's result code (32 or less).
std::string ShellErrorText(int code);
/// Opens file with the desktop's handler for verb; a result of 32 or less is reported in a stop
/// box with its ShellErrorText. True when the file was opened.
bool ShellOpenFile(const std::string& verb, const std::string& file);
/// Opens a web address; on failure says "Could not locate, or failed to open, an Internet
/// browser.". True when it was opened.
bool OpenInBrowser(const std::string& address);
