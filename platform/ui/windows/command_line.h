// platform/ui/windows/command_line.h: what the program's arguments ask for: the splash panel or
// not, and the file to open.
#pragma once

#include <string>
#include <vector>

/// An argument that begins with "-" is a switch: the known ones are taken out, the others
/// ignored, and none is ever taken for a file. The remaining arguments, joined by blanks, are
/// the file to open, so a name with blanks arrives whole even when a launcher split it; a pair
/// of double quotes around the whole name is removed. After "--" every argument is part of the
/// name, so a file whose name begins with "-" can still be given.
class CCommandLineInfo {
public:
    virtual ~CCommandLineInfo() = default;

    /// Reads the arguments after the program's name.
    void Parse(const std::vector<std::string>& arguments);

    /// Cleared by the switch "-nosplash" (or "--nosplash", in any case).
    bool m_bShowSplash = true;
    /// The file to open; empty when the arguments name none.
    std::string m_strFileName;
};
