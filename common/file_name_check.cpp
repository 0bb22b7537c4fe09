// common/file_name_check.cpp: names that cannot leave their folder as file names.
#include "common/file_name_check.h"

#include "platform/base/safe_file.h"
#include "platform/base/text.h"

FileNameFault FindFileNameFault(std::string_view name, std::string_view extension,
                                FileNameRules rules)
{
    if (name.empty())
        return FileNameFault::kEmpty;
    if (rules.textOnly && !text::IsValidUtf8(name))
        return FileNameFault::kNotText;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (rules.noControl && (byte < 0x20 || byte == 0x7F))
            return FileNameFault::kControl;
        if (rules.reserved.find(c) != std::string_view::npos)
            return FileNameFault::kReserved;
    }
    if (rules.noDotDot && name.find("..") != std::string_view::npos)
        return FileNameFault::kDotDot;
    if (rules.plainEnds &&
        (name.front() == ' ' || name.back() == ' ' || name.front() == '.' || name.back() == '.'))
        return FileNameFault::kEnds;
    if (name.size() + extension.size() > CSafeFile::LongestFileName())
        return FileNameFault::kTooLong;
    return FileNameFault::kNone;
}
