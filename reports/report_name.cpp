// reports/report_name.cpp: report names as file names that cannot leave their folder.
#include "reports/report_name.h"

#include "platform/base/safe_file.h"
#include "platform/base/text.h"

namespace {

constexpr std::string_view kExtension = ".avr";
constexpr std::string_view kInvalidCharacters = "/\\:*?\"<>|";

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x06 ? 2
                                   : (lead >> 4) == 0x0E ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

bool Refuse(std::string* message, std::string_view name, std::string_view reason)
{
    constexpr std::size_t kLongestShown = 64;
    if (message && name.size() <= kLongestShown) {
        *message = text::Format("\"%s\" cannot be used as a report name: %s.", std::string(name),
                                std::string(reason));
    } else if (message) {
        *message = text::Format("This cannot be used as a report name: %s.", std::string(reason));
    }
    return false;
}

} // namespace

bool CheckReportName(std::string_view name, std::string* message)
{
    if (name.empty())
        return Refuse(message, name, "the name is empty");
    if (!IsValidUtf8(name))
        return Refuse(message, "?", "it holds bytes that are not text");
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return Refuse(message, "?", "it holds control characters");
        if (kInvalidCharacters.find(c) != std::string_view::npos)
            return Refuse(message, name, "names may not hold / \\ : * ? \" < > or |");
    }
    if (name.find("..") != std::string_view::npos)
        return Refuse(message, name, "names may not hold \"..\"");
    if (name.front() == ' ' || name.back() == ' ' || name.front() == '.' || name.back() == '.')
        return Refuse(message, name, "names may not begin or end with a blank or a full stop");
    if (name.size() + kExtension.size() > CSafeFile::LongestFileName())
        return Refuse(message, name, "the name is too long");
    return true;
}

std::string ReportFilePath(std::string_view folder, std::string_view name)
{
    if (folder.empty() || !CheckReportName(name))
        return {};
    std::string path(folder);
    if (path.back() != '/')
        path += '/';
    path += name;
    path += kExtension;
    return path;
}
