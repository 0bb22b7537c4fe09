// platform/base/open_file_lock.h: a small file beside an open file that tells other runs of the
// program that this one has it open.
#pragma once

#include <optional>
#include <string>

/// The mark is ".<name>.ardenvel-lock" in the file's folder and holds the process id and the
/// host name of the run that has the file open. It does not stop anyone: it lets a second run
/// say that the file is open elsewhere, and tells the runs' autosaved copies apart. A mark left
/// by a process that is no longer running (killed, crashed) counts as none.
class COpenFileLock final {
public:
    COpenFileLock() = default;
    ~COpenFileLock();
    COpenFileLock(const COpenFileLock&) = delete;
    COpenFileLock& operator=(const COpenFileLock&) = delete;

    static std::string MarkPathFor(const std::string& path);
    /// The process id of another run, still running, that has path open; nothing when no run
    /// does, its mark is stale, or the mark is this run's own.
    static std::optional<int> OtherHolder(const std::string& path);
    /// Whether process pid on this host is running.
    static bool IsRunning(int pid);

    /// Marks path as open in this run unless another running one has it marked (then nothing is
    /// written and the answer is false); the mark of a file held before is removed. A folder
    /// where no mark can be written leaves the file unmarked (false).
    bool Take(const std::string& path);
    /// Removes this run's mark, when it holds one.
    void Release();
    bool Holds() const { return !m_path.empty(); }
    /// The file this run holds the mark of; empty when none.
    const std::string& HeldPath() const { return m_path; }

private:
    std::string m_path;
};
