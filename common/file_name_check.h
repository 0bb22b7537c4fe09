// common/file_name_check.h: the one check that a name the user gives (a custom report's or
// diagram's) stays a single plain file name inside its folder once its extension is added.
#pragma once

#include <string_view>

/// Why a name cannot name a file in its folder.
enum class FileNameFault {
    kNone,
    kEmpty,
    kNotText,  // bytes that are not UTF-8 text
    kControl,  // a control character: below 0x20, or DEL
    kReserved, // one of kReservedFileNameChars
    kDotDot,   // ".." anywhere, which could climb out of the folder
    kEnds,     // a blank or a full stop at either end
    kTooLong,  // with the extension, longer than a safe save can name a file
};

/// Characters no file name may hold on any system the files travel to.
inline constexpr std::string_view kReservedFileNameChars = "/\\:*?\"<>|";

/// Which of the checks beyond those every name passes apply.
struct FileNameRules {
    bool textOnly = true;  // kNotText
    bool noControl = true; // kControl
    bool noDotDot = true;  // kDotDot
    bool plainEnds = true; // kEnds
    /// The characters refused as kReserved.
    std::string_view reserved = kReservedFileNameChars;
};

/// The first fault of name as a file name with extension added, in the order of FileNameFault;
/// of control and reserved characters, the one met first. kNone when name can be used.
FileNameFault FindFileNameFault(std::string_view name, std::string_view extension,
                                FileNameRules rules = {});
