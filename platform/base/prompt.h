// platform/base/prompt.h: how code without a window asks the user something: message boxes,
// beeps and opening a document or address through the desktop.
#pragma once

#include "platform/base/types.h"

#include <functional>
#include <string>

inline constexpr UINT MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2,
                      MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4, MB_RETRYCANCEL = 0x5, MB_TYPEMASK = 0xF;
inline constexpr UINT MB_ICONHAND = 0x10, MB_ICONSTOP = 0x10, MB_ICONERROR = 0x10,
                      MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30, MB_ICONWARNING = 0x30,
                      MB_ICONASTERISK = 0x40, MB_ICONINFORMATION = 0x40, MB_ICONMASK = 0xF0;
inline constexpr UINT MB_DEFBUTTON1 = 0x000, MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200,
                      MB_DEFMASK = 0xF00;
inline constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6,
                     IDNO = 7;

/// The answer a box gives when answered with its default button.
int DefaultAnswer(UINT style);

class IPrompt {
public:
    virtual ~IPrompt() = default;
    /// Shows text exactly as given; returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int MessageBox(const std::string& text, UINT style, const std::string& caption) = 0;
    virtual void MessageBeep(UINT type) = 0;
    /// Opens a file or web address with the desktop's handler; above 32 on success, 2 when the
    /// file is missing, 31 when nothing opens that type.
    virtual int ShellOpen(const std::string& target, const std::string& verb) = 0;
};

/// The installed prompt; the window layer installs the real one, tests a script. Without one,
/// boxes answer with their default button and nothing is opened.
void SetPrompt(IPrompt* prompt);
IPrompt* GetPrompt();

/// Sets what runs, on the thread that asks, each time a message box or a modal dialog or sheet
/// of the window layer is about to show (the start-up picture steps aside for the first
/// question). Empty: nothing runs.
void SetModalStartHandler(std::function<void()> handler);
/// Runs that handler; MessageBox calls it, and the window layer before a modal dialog shows.
void NotifyModalStart();

/// The application's caption for boxes that name none.
void SetPromptCaption(std::string caption);
int MessageBox(const std::string& text, UINT style = MB_OK, const std::string& caption = {});
void MessageBeep(UINT type = 0);
int ShellOpen(const std::string& target, const std::string& verb = "open");
