// app/shell_file_types.cpp: the desktop entry, the MIME package and icons of the program's file
// types, and the default application of GEDCOM files.
#include "app/shell_file_types.h"

#include "platform/base/paths.h"
#include "platform/base/safe_file.h"
#include "platform/base/text.h"
#include "platform/ui/resources/resources.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

extern char** environ;

namespace {

constexpr const char* kTreeFileType = "application/x-ardenvel-treefile";
constexpr const char* kGedcomType = "application/x-gedcom";
constexpr const char* kDesktopId = "ardenvel.desktop";
constexpr const char* kDefaultGroup = "[Default Applications]";

/// A file type's icon: its resource number and its name in the icon theme.
struct TypeIcon {
    unsigned resource;
    const char* name;
};

constexpr TypeIcon kTreeFileIcon = {6, "ardenvel-treefile"};
constexpr TypeIcon kGedcomIcon = {7, "ardenvel-gedcom"};

/// The characters that make an Exec argument need quotes, and those escaped inside them.
constexpr const char* kReservedInExec = " \t\n\"'\\><~|&;$*?#()`";
constexpr const char* kEscapedInQuotes = "\"`$\\";

std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

/// Writes content to path unless the file holds it already; changed tells whether it wrote.
bool WriteWhenChanged(const std::string& path, const std::string& content, bool& changed)
{
    if (paths::IsFile(path) && ReadWhole(path) == content)
        return true;
    changed = true;
    return paths::MakeDirectories(paths::Folder(path)) && CSafeFile::WriteWhole(path, content);
}

/// Runs a tool found on the PATH with one argument, quietly, and waits for it; a tool that is
/// not installed is passed over.
void RunTool(const char* tool, const std::string& argument)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string name = tool;
    std::string value = argument;
    char* argv[] = {name.data(), value.data(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, tool, &actions, nullptr, argv, environ) == 0) {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

/// A desktop entry's string value: backslashes and control characters escaped.
std::string EscapeDesktopString(const std::string& value)
{
    std::string out;
    for (const char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string DesktopEntry(const std::string& programPath, bool registerGedcom)
{
    std::string entry = "[Desktop Entry]\n"
                        "Type=Application\n"
                        "Name=Ardenvel\n"
                        "GenericName=Family Tree\n"
                        "Comment=Keep a family tree in a GEDCOM file\n";
    entry += "Exec=" + DesktopExecArgument(programPath) + " %f\n";
    entry += "Terminal=false\n"
             "Categories=Office;\n";
    entry += std::string("MimeType=") + kTreeFileType + ";";
    if (registerGedcom)
        entry += std::string(kGedcomType) + ";";
    return entry + "\n";
}

/// One MIME type of the package.
std::string MimeType(const char* type, const char* comment, const char* pattern, const char* icon)
{
    return std::string("  <mime-type type=\"") + type + "\">\n" + "    <comment>" + comment +
           "</comment>\n" + "    <icon name=\"" + icon + "\"/>\n" + "    <glob pattern=\"" +
           pattern + "\"/>\n" + "  </mime-type>\n";
}

std::string MimePackage()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n" +
           MimeType(kTreeFileType, "Ardenvel TreeFile", "*.av", kTreeFileIcon.name) +
           MimeType(kGedcomType, "Gedcom File", "*.ged", kGedcomIcon.name) + "</mime-info>\n";
}

/// The key of a "key=value" line, trimmed; empty for any other line.
std::string KeyOf(const std::string& line)
{
    const std::size_t equals = line.find('=');
    return equals == std::string::npos ? std::string() : text::Trim(line.substr(0, equals));
}

} // namespace

std::string DesktopExecArgument(const std::string& path)
{
    std::string argument;
    for (const char c : path)
        argument += c == '%' ? std::string("%%") : std::string(1, c);
    if (argument.find_first_of(kReservedInExec) != std::string::npos) {
        std::string quoted = "\"";
        for (const char c : argument) {
            if (std::string_view(kEscapedInQuotes).find(c) != std::string_view::npos)
                quoted += '\\';
            quoted += c;
        }
        argument = quoted + "\"";
    }
    return EscapeDesktopString(argument);
}

ShellFileTypeFiles MakeShellFileTypes(const std::string& programPath, bool registerGedcom,
                                      const std::string& dataHome)
{
    ShellFileTypeFiles files;
    files.desktopEntryPath = paths::Join(dataHome, "applications/ardenvel.desktop");
    files.desktopEntry = DesktopEntry(programPath, registerGedcom);
    files.mimePackagePath = paths::Join(dataHome, "mime/packages/ardenvel.xml");
    files.mimePackage = MimePackage();
    for (const TypeIcon& icon : {kTreeFileIcon, kGedcomIcon}) {
        std::string bytes = ResourceImageBytes(ResourceType::Icon, icon.resource);
        if (!bytes.empty())
            files.icons.push_back(
                {paths::Join(dataHome,
                             std::string("icons/hicolor/32x32/mimetypes/") + icon.name + ".png"),
                 std::move(bytes)});
    }
    return files;
}

std::string WithDefaultApplication(const std::string& list, const std::string& type,
                                   const std::string& desktopId)
{
    const std::string entry = type + "=" + desktopId;
    std::vector<std::string> lines;
    std::istringstream in(list);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    bool inGroup = false;
    bool found = false;
    bool replaced = false;
    std::size_t groupEnd = 0; // after the group's last line that is not blank
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string trimmed = text::Trim(lines[i]);
        if (trimmed.starts_with("[")) {
            inGroup = trimmed == kDefaultGroup && !found;
            if (inGroup) {
                found = true;
                groupEnd = i + 1;
            }
        } else if (inGroup && KeyOf(trimmed) == type && !replaced) {
            lines[i] = entry;
            replaced = true;
        } else if (inGroup && !trimmed.empty()) {
            groupEnd = i + 1;
        }
    }
    if (!found) {
        if (!lines.empty() && !text::Trim(lines.back()).empty())
            lines.emplace_back();
        lines.emplace_back(kDefaultGroup);
        lines.push_back(entry);
    } else if (!replaced) {
        lines.insert(lines.begin() + std::ptrdiff_t(groupEnd), entry);
    }
    std::string out;
    for (const std::string& line : lines)
        out += line + "\n";
    return out;
}

bool RegisterShellFileTypes(const std::string& programPath, bool registerGedcom, bool rebuild)
{
    const std::string dataHome = paths::DataHome();
    const ShellFileTypeFiles files = MakeShellFileTypes(programPath, registerGedcom, dataHome);
    bool mimeChanged = false;
    bool entryChanged = false;
    bool written = WriteWhenChanged(files.mimePackagePath, files.mimePackage, mimeChanged);
    for (const ShellFileTypeIcon& icon : files.icons)
        written = WriteWhenChanged(icon.path, icon.bytes, mimeChanged) && written;
    written = WriteWhenChanged(files.desktopEntryPath, files.desktopEntry, entryChanged) && written;
    if (registerGedcom) {
        const std::string listPath =
            paths::Join(paths::Folder(paths::ConfigFolder()), "mimeapps.list");
        const std::string list = paths::IsFile(listPath) ? ReadWhole(listPath) : std::string();
        bool listChanged = false;
        written = WriteWhenChanged(listPath, WithDefaultApplication(list, kGedcomType, kDesktopId),
                                   listChanged) &&
                  written;
    }
    // The desktop reads its databases, not the packages: rebuild them after a change.
    if (!rebuild)
        return written;
    if (mimeChanged || !paths::IsFile(paths::Join(dataHome, "mime/mime.cache")))
        RunTool("update-mime-database", paths::Join(dataHome, "mime"));
    if (entryChanged)
        RunTool("update-desktop-database", paths::Join(dataHome, "applications"));
    return written;
}

std::string ProgramPath()
{
    std::error_code failed;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
    return failed ? std::string() : program.string();
}
