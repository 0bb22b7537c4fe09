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
#include <vector>

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
    const std::string temp = mark + ".new-" + std::to_string(::getpid());
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

std::string COpenFileLock::RunMarkPathFor(const std::string& path, int pid)
{
    return MarkPathFor(path) + "." + std::to_string(pid);
}

bool COpenFileLock::IsRunning(int pid)
{
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

std::optional<int> COpenFileLock::OtherHolder(const std::string& path)
{
    const std::string mark = MarkPathFor(path);
    std::vector<std::string> marks{mark};
    const std::string folder = paths::Folder(path);
    for (const std::string& name :
         paths::ListFolder(folder.empty() ? "." : folder, paths::FileName(mark) + ".*"))
        marks.push_back(paths::Join(folder, name));
    std::optional<int> holder;
    for (const std::string& each : marks) {
        const std::optional<MarkContent> content = ReadMark(each);
        if (!content || HeldMarks().count(each) != 0 ||
            (each != mark && RunMarkPathFor(path, content->pid) != each))
            continue;
        if (IsLive(each, *content))
            holder = holder.value_or(content->pid);
        else if (content->host.empty() || content->host == HostName())
            ::unlink(each.c_str()); // left by a run that was killed
    }
    return holder;
}

bool COpenFileLock::Take(const std::string& path)
{
    if (m_path == path)
        return m_first;
    Release();
    if (path.empty())
        return false;
    const std::string mark = MarkPathFor(path);
    // A run that marks the file at the same moment wins the first mark; this one leaves its own.
    m_first = !OtherHolder(path) && WriteMark(mark, ReadMark(mark) || paths::Exists(mark));
    m_mark = m_first ? mark : RunMarkPathFor(path, ::getpid());
    if (!m_first && !WriteMark(m_mark, true)) {
        m_mark.clear();
        return false;
    }
    HeldMarks().insert(m_mark);
    m_path = path;
    return m_first;
}

void COpenFileLock::Release()
{
    if (m_path.empty())
        return;
    // Only this run's own mark goes: one that another run wrote since stays.
    if (const std::optional<MarkContent> content = ReadMark(m_mark);
        content && content->pid == ::getpid())
        ::unlink(m_mark.c_str());
    HeldMarks().erase(m_mark);
    m_path.clear();
    m_mark.clear();
    m_first = false;
}
