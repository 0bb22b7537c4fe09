// platform/base/paths.cpp: path pieces, case-blind lookup, the program's folders and the file
// operations the program makes, over POSIX calls.
#include "platform/base/paths.h"

#include "platform/base/temp_files.h"
#include "platform/base/text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace paths {
namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool HasDrive(std::string_view path)
{
    const char c = path.size() >= 2 ? path[0] : 0;
    return path.size() >= 2 && path[1] == ':' && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
}

std::size_t LastSeparator(std::string_view path)
{
    return path.find_last_of("/\\");
}

std::vector<std::string> EntryNames(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            names.emplace_back(name);
    }
    closedir(dir);
    return names;
}

// Sorted case-blind, ties in byte order, so a listing is the same on every run.
void SortNames(std::vector<std::string>& names)
{
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int c = text::CompareNoCase(a, b);
        return c != 0 ? c < 0 : a < b;
    });
}

bool WildcardMatch(std::string_view name, std::string_view pattern)
{
    std::size_t n = 0, p = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        std::size_t nextN = n, nextP = p;
        const char32_t cn = n < name.size() ? text::FoldCase(text::DecodeUtf8(name, nextN)) : 0;
        const char32_t cp =
            p < pattern.size() ? text::FoldCase(text::DecodeUtf8(pattern, nextP)) : 0;
        if (p < pattern.size() && cp == '*') {
            starP = p = nextP;
            starN = n;
        } else if (p < pattern.size() && (cp == '?' || cp == cn)) {
            n = nextN;
            p = nextP;
        } else if (starP != std::string_view::npos) {
            text::DecodeUtf8(name, starN);
            n = starN;
            p = starP;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

// An XDG variable counts only when it holds an absolute path.
std::string XdgFolder(const char* variable, const char* fallback)
{
    if (const char* value = std::getenv(variable); value && value[0] == '/')
        return value;
    return Join(HomeFolder(), fallback);
}

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

bool CopyBytes(int from, int to)
{
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!WriteAll(to, buffer, std::size_t(got)))
            return false;
    }
}

} // namespace

std::string ToNative(std::string_view path)
{
    std::string native(path);
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

std::string Folder(std::string_view path)
{
    const std::size_t at = LastSeparator(path);
    if (at == std::string_view::npos)
        return {};
    const bool rootOnly = at == 0 || (at == 2 && HasDrive(path));
    return std::string(path.substr(0, rootOnly ? at + 1 : at));
}

std::string FileName(std::string_view path)
{
    std::size_t at = LastSeparator(path);
    if (at == std::string_view::npos && HasDrive(path))
        at = 1;
    return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

std::string Extension(std::string_view path)
{
    const std::string name = FileName(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string Join(std::string_view folder, std::string_view name)
{
    if (folder.empty())
        return std::string(name);
    while (!name.empty() && IsSeparator(name.front()))
        name.remove_prefix(1);
    std::string joined(folder);
    if (!IsSeparator(joined.back()))
        joined.push_back('/');
    return joined + std::string(name);
}

std::string FindExistingNoCase(std::string_view path)
{
    const std::string native = ToNative(path);
    if (native.empty() || Exists(native))
        return native;
    std::string found = native[0] == '/' ? "/" : "";
    std::size_t pos = 0;
    while (pos < native.size()) {
        std::size_t end = native.find('/', pos);
        if (end == std::string::npos)
            end = native.size();
        const std::string part = native.substr(pos, end - pos);
        pos = end + 1;
        if (part.empty() || part == "." || part == "..") {
            if (!part.empty())
                found = found.empty() ? part : Join(found, part);
            continue;
        }
        std::string exact = found.empty() ? part : Join(found, part);
        if (!Exists(exact)) {
            std::vector<std::string> names = EntryNames(found);
            SortNames(names);
            const auto match = std::find_if(names.begin(), names.end(), [&](const std::string& n) {
                return text::EqualsNoCase(n, part);
            });
            if (match == names.end())
                return native;
            exact = found.empty() ? *match : Join(found, *match);
        }
        found = exact;
    }
    return found;
}

bool Exists(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

bool IsFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsDirectory(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeDirectories(const std::string& folder, unsigned mode)
{
    if (folder.empty())
        return false;
    for (std::size_t pos = folder.find('/', 1);; pos = folder.find('/', pos + 1)) {
        const std::string part = folder.substr(0, pos);
        if (mkdir(part.c_str(), mode) != 0 && errno != EEXIST)
            return false;
        if (pos == std::string::npos)
            break;
    }
    return IsDirectory(folder);
}

bool RemoveFile(const std::string& path)
{
    return unlink(path.c_str()) == 0;
}

bool RenameFile(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}

// The copy is written beside the target and renamed over it, so a failure never leaves a
// damaged target behind; with failIfExists the target is created exclusively instead.
bool CopyFile(const std::string& from, const std::string& to, bool failIfExists)
{
    // Opened without waiting: a pipe with nobody at its other end is refused below at once.
    const int in = open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat info {};
    if (fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(in);
        return false;
    }
    std::string written = to;
    if (!failIfExists) {
        const std::string folder = Folder(to);
        written = temp_files::CreateUnique(folder.empty() ? "." : folder, "." + FileName(to) + ".",
                                           "tmp");
    }
    const int out = written.empty() ? -1
                    : failIfExists ? open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)
                                   : open(written.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    const bool created = !failIfExists ? !written.empty() : out >= 0;
    bool ok = out >= 0 && CopyBytes(in, out) && fchmod(out, info.st_mode & 0777) == 0;
    close(in);
    if (out >= 0)
        ok = close(out) == 0 && ok;
    if (ok && !failIfExists)
        ok = RenameFile(written, to);
    if (!ok && created)
        unlink(written.c_str());
    return ok;
}

std::vector<std::string> ListFolder(const std::string& folder, std::string_view pattern)
{
    std::vector<std::string> names = EntryNames(folder);
    // "*.*" matches every name, with or without a dot, as such listings expect.
    if (pattern != "*.*")
        std::erase_if(names,
                      [&](const std::string& name) { return !WildcardMatch(name, pattern); });
    SortNames(names);
    return names;
}

std::string ProgramFolder()
{
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return {};
    return Folder(std::string_view(buffer, std::size_t(length)));
}

std::string ConfigFolder()
{
    return Join(XdgFolder("XDG_CONFIG_HOME", ".config"), "ardenvel");
}

std::string DataHome()
{
    return XdgFolder("XDG_DATA_HOME", ".local/share");
}

} // namespace paths
