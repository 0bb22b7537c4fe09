// platform/ui/dialogs/message_box.h: the prompt of the desktop: message boxes, the beep, and
// opening files and addresses with the programs the desktop chooses.
#pragma once

#include "platform/base/prompt.h"

/// AfxWinMain installs one. A box shows its text exactly as given, with the buttons, icon and
/// default button of its style, under the caption given or else the application's title.
/// Under the test hooks nothing is shown or launched: the hooks' script answers each box
/// (an answer the box has no button for fails the test and ends the box as Cancel would) and
/// records each opening.
class CMessageBox final : public IPrompt {
public:
    int MessageBox(const std::string& text, UINT style, const std::string& caption) override;
    void MessageBeep(UINT type) override;
    /// A web or mail address (a scheme before ":") or a file; 2 for a file that does not exist,
    /// 31 when nothing could open it, 42 when it was opened. verb is accepted and ignored: the
    /// desktop opens a file one way.
    int ShellOpen(const std::string& target, const std::string& verb) override;
};

/// Installs the report of operations abandoned for want of memory: a stop box with its message.
/// AfxWinMain installs it.
void InstallOutOfMemoryReport();
