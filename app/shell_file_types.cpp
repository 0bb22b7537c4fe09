// app/shell_file_types.cpp: the desktop entry and the MIME package of the program's file types.
#include "app/shell_file_types.h"

#include "platform/base/paths.h"
#include "platform/base/safe_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace {

constexpr const char* kTreeFileType = "application/x-ardenvel-treefile";
constexpr const char* kGedcomType = "application/x-gedcom";

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

/// Writes content to path unless the file holds it already.
bool WriteWhenChanged(const std::string& path, const std::string& content)
{
    if (paths::IsFile(path) && ReadWhole(path) == content)
        return true;
    return paths::MakeDirectories(paths::Folder(path)) && CSafeFile::WriteWhole(path, content);
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
std::string MimeType(const char* type, const char* comment, const char* pattern)
{
    return std::string("  <mime-type type=\"") + type + "\">\n" + "    <comment>" + comment +
           "</comment>\n" + "    <glob pattern=\"" + pattern + "\"/>\n" + "  </mime-type>\n";
}

std::string MimePackage()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n" +
           MimeType(kTreeFileType, "Ardenvel TreeFile", "*.av") +
           MimeType(kGedcomType, "Gedcom File", "*.ged") + "</mime-info>\n";
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
    return files;
}

bool RegisterShellFileTypes(const std::string& programPath, bool registerGedcom)
{
    const ShellFileTypeFiles files =
        MakeShellFileTypes(programPath, registerGedcom, paths::DataHome());
    const bool mimeWritten = WriteWhenChanged(files.mimePackagePath, files.mimePackage);
    const bool entryWritten = WriteWhenChanged(files.desktopEntryPath, files.desktopEntry);
    return mimeWritten && entryWritten;
}

std::string ProgramPath()
{
    std::error_code failed;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
    return failed ? std::string() : program.string();
}
