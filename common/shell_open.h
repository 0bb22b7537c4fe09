// common/shell_open.h: opening files and web addresses through the desktop, and the program's
// messages when that fails; the window that asked shows them.
#pragma once

#include <string>

/// What an opening came to: opened, or the message that tells the user why not.
struct ShellOpenOutcome {
    std::string failure; // empty: opened

    bool Opened() const { return failure.empty(); }
    explicit operator bool() const { return Opened(); }
};

/// The message for a failed opening's result code (32 or less).
std::string ShellErrorText(int code);
/// Opens file with the desktop's handler for verb; a result of 32 or less fails with its
/// ShellErrorText, which the caller shows in a stop box.
ShellOpenOutcome ShellOpenFile(const std::string& verb, const std::string& file);
/// Opens a web address; on failure the message is "Could not locate, or failed to open, an
/// Internet browser.", which the caller shows as a warning.
ShellOpenOutcome OpenInBrowser(const std::string& address);
