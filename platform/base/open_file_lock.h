// platform/base/open_file_lock.h: a small file beside an open file that tells other runs of the
// program that this one has it open.
#pragma once

#include <optional>
#include <string>

/// The mark is ".<name>.ardenvel-lock" in the file's folder and holds the process id and the
/// host name of the run that has the file open. It does not stop anyone: it lets a second run
/// say that the file is open elsewhere, and tells the runs' autosaved copies apart. A run that
/// opens a file another run has marked leaves a mark of its own beside it,
/// ".<name>.ardenvel-lock.<pid>", so that the file counts as open for as long as any run has it
/// open, whichever lets it go first. A mark left by a process that is no longer running
/// (killed, crashed) counts as none, and the first look at it on the same host removes it.
class COpenFileLock final {
public:
    COpenFileLock() = default;
    ~COpenFileLock();
    COpenFileLock(const COpenFileLock&) = delete;
    COpenFileLock& operator=(const COpenFileLock&) = delete;

    static std::string MarkPathFor(const std::string& path);
    /// The mark of process pid when it opened path while another run had it marked.
    static std::string RunMarkPathFor(const std::string& path, int pid);
    /// The process id of another run, still running, that has path open (the one of the first
    /// mark, else one of the runs' own marks); nothing when no run does, its marks are stale
    /// (they are removed), or they are this run's own.
    static std::optional<int> OtherHolder(const std::string& path);
    /// Whether process pid on this host is running.
    static bool IsRunning(int pid);

    /// Marks path as open in this run, and answers whether this run has the first mark: false
    /// when another running one had it marked, and this run then leaves its own mark. The mark
    /// of a file held before is removed. A folder where no mark can be written leaves the file
    /// unmarked (false).
    bool Take(const std::string& path);
    /// Removes this run's mark, when it holds one.
    void Release();
    /// Whether this run has the first mark of the file it holds.
    bool Holds() const { return m_first; }
    /// The file this run has marked, with the first mark or its own; empty when none.
    const std::string& HeldPath() const { return m_path; }

private:
    std::string m_path;
    /// The mark written: the first mark or this run's own.
    std::string m_mark;
    bool m_first = false;
};
