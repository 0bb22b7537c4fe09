// platform/base/open_file_lock.cpp: writing, reading and removing the mark of an open file.
#include "platform/base/open_file_lock.h"

#include "platform/base/paths.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <set>
#include <sstream>

namespace {

std::string HostName()
{
    std::array<char, 256> name{};
    if (::gethostname(name.data(), name.size() - 1) != 0)
        return {};
    return name.data();
}

/// The marks this process holds now: a mark with this process's id that is not among them was
/// left by an earlier run of the program in this process (only tests start it twice).
std::set<std::string>& HeldMarks()
{
    static std::set<std::string> held;
    return held;
}

struct MarkContent {
    int pid = 0;
    std::string host;
};

std::optional<MarkContent> ReadMark(const std::string& mark)
{
    const int fd = ::open(mark.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return std::nullopt;
    std::array<char, 512> buffer{};
    const ssize_t got = ::read(fd, buffer.data(), buffer.size() - 1);
    ::close(fd);
    if (got <= 0)
        return std::nullopt;
    std::istringstream in(std::string(buffer.data(), std::size_t(got)));
    MarkContent content;
    if (!(in >> content.pid) || content.pid <= 0)
        return std::nullopt;
    in >> content.host;
    return content;
}

/// Whether the mark stands for a run that still has the file open.
bool IsLive(const std::string& mark, const MarkContent& content)
{
    // A run on another host cannot be asked; its mark is taken at its word.
    if (!content.host.empty() && content.host != HostName())
        return true;
    if (content.pid == ::getpid())
        return HeldMarks().count(mark) != 0;
    return COpenFileLock::IsRunning(content.pid);
}

bool WriteMark(const std::string& mark, bool replace)
{
    const std::string temp = mark + "." + std::to_string(::getpid());
    const int fd =
        ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0)
        return false;
    const std::string text = std::to_string(::getpid()) + " " + HostName() + "\n";
    const bool written = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    ::close(fd);
    // link() fails when a mark is there, so two runs that open the file at once do not both
    // take it; a stale mark is replaced by rename().
    const bool placed = written && (replace ? ::rename(temp.c_str(), mark.c_str()) == 0
                                            : ::link(temp.c_str(), mark.c_str()) == 0);
    ::unlink(temp.c_str());
    return placed;
}

} // namespace

COpenFileLock::~COpenFileLock()
{
    Release();
}

std::string COpenFileLock::MarkPathFor(const std::string& path)
{
    return paths::Join(paths::Folder(path), "." + paths::FileName(path) + ".ardenvel-lock");
}

bool COpenFileLock::IsRunning(int pid)
{
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

std::optional<int> COpenFileLock::OtherHolder(const std::string& path)
{
    const std::string mark = MarkPathFor(path);
    const std::optional<MarkContent> content = ReadMark(mark);
    if (!content || !IsLive(mark, *content) || HeldMarks().count(mark) != 0)
        return std::nullopt;
    return content->pid;
}

bool COpenFileLock::Take(const std::string& path)
{
    const std::string mark = MarkPathFor(path);
    if (m_path == path)
        return true;
    Release();
    if (path.empty() || OtherHolder(path))
        return false;
    const bool stale = ReadMark(mark).has_value() || paths::Exists(mark);
    if (!WriteMark(mark, stale))
        return false;
    HeldMarks().insert(mark);
    m_path = path;
    return true;
}

void COpenFileLock::Release()
{
    if (m_path.empty())
        return;
    const std::string mark = MarkPathFor(m_path);
    // Only this run's own mark goes: one that another run wrote since stays.
    if (const std::optional<MarkContent> content = ReadMark(mark);
        content && content->pid == ::getpid())
        ::unlink(mark.c_str());
    HeldMarks().erase(mark);
    m_path.clear();
}
