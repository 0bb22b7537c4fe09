// common/rename_rules.cpp: the forms of drive, folder and file names.
#include "common/rename_rules.h"

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

bool IsValidDriveName(std::string_view name)
{
    if (name.size() == 2)
        return IsAsciiLetter(name[0]) && name[1] == ':';
    if (name.substr(0, 2) != "\\\\")
        return false;
    const std::string_view rest = name.substr(2);
    const size_t split = rest.find('\\');
    if (split == std::string_view::npos || split == 0)
        return false;
    const std::string_view share = rest.substr(split + 1);
    return !share.empty() && share.find('\\') == std::string_view::npos;
}

bool HasForbiddenNameChar(std::string_view name)
{
    return name.find_first_of(kForbiddenNameChars) != std::string_view::npos;
}
