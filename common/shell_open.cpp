// common/shell_open.cpp: shell opening and its error texts.
#include "common/shell_open.h"

#include "platform/base/prompt.h"

std::string ShellErrorText(int code)
{
    switch (code) {
    case 0:
    case 8:
        return "Error - out of memory";
    case 2:
        return "The specified file was not found";
    case 3:
        return "The specified path was not found";
    case 5:
        return "The operating system denied access to the specified file";
    case 11:
        return "The .EXE file is in an invalid format";
    case 26:
        return "A sharing violation occurred.";
    case 27:
        return "The filename association is incomplete or invalid";
    case 31:
        return "No application is registered as the default application for files of this type";
    default:
        return "Error - cannot execute or open file";
    }
}

ShellOpenOutcome ShellOpenFile(const std::string& verb, const std::string& file)
{
    const int result = ShellOpen(file, verb);
    if (result > 32)
        return {};
    return {ShellErrorText(result)};
}

ShellOpenOutcome OpenInBrowser(const std::string& address)
{
    if (ShellOpen(address, "open") > 32)
        return {};
    return {"Could not locate, or failed to open, an Internet browser."};
}
