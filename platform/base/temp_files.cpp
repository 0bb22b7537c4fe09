// platform/base/temp_files.cpp: the per-user temporary folder and exclusive file creation.
#include "platform/base/temp_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <set>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace temp_files {
namespace {

// Eight letters and digits; the generator is seeded once per process from the system's entropy.
std::string RandomPart()
{
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<int> pick(0, int(sizeof alphabet) - 2);
    std::string part(8, ' ');
    for (char& c : part)
        c = alphabet[pick(generator)];
    return part;
}

// The folder is ours alone: a real directory (not a link) of this user that others cannot enter.
bool IsPrivateFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool ok = fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
                    (info.st_mode & 077) == 0;
    close(fd);
    return ok;
}

constexpr std::string_view kRunPrefix = "run-";

// The process id a run folder is named after; 0 for any other name.
pid_t RunOf(const std::string& name)
{
    const std::string digits = name.substr(std::min(name.size(), kRunPrefix.size()));
    if (!name.starts_with(kRunPrefix) || digits.empty() || digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return pid_t(std::stol(digits));
}

// The run folders in base of runs that are no longer running go, with what they hold.
void RemoveFoldersOfEndedRuns(const std::string& base)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(base, error)) {
        const pid_t pid = RunOf(entry.path().filename().string());
        if (pid > 0 && pid != getpid() && kill(pid, 0) != 0 && errno == ESRCH)
            std::filesystem::remove_all(entry.path(), error);
    }
}

} // namespace

std::string Folder()
{
    const char* base = std::getenv("TMPDIR");
    const std::string root = base && base[0] == '/' ? base : "/tmp";
    const std::string folder =
        root + (root.back() == '/' ? "" : "/") + "ardenvel-" + std::to_string(geteuid());
    if ((mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) && IsPrivateFolder(folder))
        return folder;
    // Someone else holds the usual name (or it cannot be made): a new private folder of a
    // unique name serves this run instead, made once.
    static std::string s_fallback;
    if (s_fallback.empty() || !IsPrivateFolder(s_fallback)) {
        std::string pattern = folder + "-XXXXXX";
        s_fallback = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    return s_fallback;
}

std::string RunFolder()
{
    const std::string base = Folder();
    if (base.empty())
        return {};
    const std::string folder = base + "/" + std::string(kRunPrefix) + std::to_string(getpid());
    if ((mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) || !IsPrivateFolder(folder))
        return {};
    static std::set<std::string> s_swept;
    if (s_swept.insert(base).second)
        RemoveFoldersOfEndedRuns(base);
    return folder;
}

std::string CreateUnique(const std::string& folder, std::string_view prefix,
                         std::string_view extension)
{
    if (folder.empty())
        return {};
    const std::string start = folder + (folder.back() == '/' ? "" : "/") + std::string(prefix);
    const std::string end = extension.empty() ? std::string() : "." + std::string(extension);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = start + RandomPart() + end;
        const int fd =
            open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            close(fd);
            return path;
        }
        if (errno != EEXIST)
            return {};
    }
    return {};
}

int OpenNoFollow(const std::string& path)
{
    return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
}

} // namespace temp_files
