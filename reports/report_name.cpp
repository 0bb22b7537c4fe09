// reports/report_name.cpp: report names as file names that cannot leave their folder.
#include "reports/report_name.h"

#include "common/file_name_check.h"
#include "platform/base/text.h"

namespace {

constexpr std::string_view kExtension = ".avr";

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
    // A name that is not plain text is not shown back: "?" stands for it.
    switch (FindFileNameFault(name, kExtension)) {
    case FileNameFault::kNone:
        return true;
    case FileNameFault::kEmpty:
        return Refuse(message, name, "the name is empty");
    case FileNameFault::kNotText:
        return Refuse(message, "?", "it holds bytes that are not text");
    case FileNameFault::kControl:
        return Refuse(message, "?", "it holds control characters");
    case FileNameFault::kReserved:
        return Refuse(message, name, "names may not hold / \\ : * ? \" < > or |");
    case FileNameFault::kDotDot:
        return Refuse(message, name, "names may not hold \"..\"");
    case FileNameFault::kEnds:
        return Refuse(message, name, "names may not begin or end with a blank or a full stop");
    case FileNameFault::kTooLong:
        break;
    }
    return Refuse(message, name, "the name is too long");
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
