// common/file_names.cpp: folder, name and extension of a path.
#include "common/file_names.h"

namespace {

constexpr std::string_view kSeparators = "/\\";

} // namespace

std::string GetPathFolder(std::string_view path, bool withSeparator)
{
    const std::size_t separator = path.find_last_of(kSeparators);
    if (separator != std::string_view::npos)
        return std::string(path.substr(0, withSeparator ? separator + 1 : separator));
    const std::size_t colon = path.rfind(':');
    if (colon == std::string_view::npos)
        return {};
    std::string drive(path.substr(0, colon + 1));
    if (withSeparator)
        drive += '\\';
    return drive;
}

std::string GetPathFileName(std::string_view path, bool withoutExtension)
{
    std::size_t start = path.find_last_of(kSeparators);
    if (start == std::string_view::npos)
        start = path.rfind(':');
    std::string_view name = start == std::string_view::npos ? path : path.substr(start + 1);
    if (withoutExtension) {
        const std::size_t dot = name.rfind('.');
        if (dot != std::string_view::npos)
            name = name.substr(0, dot);
    }
    return std::string(name);
}

std::string GetPathExtension(std::string_view path)
{
    const std::string name = GetPathFileName(path, false);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}
