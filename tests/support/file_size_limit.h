// tests/support/file_size_limit.h: makes writes beyond a file size fail, as on a full disk.
#pragma once

#include <csignal>
#include <sys/resource.h>

/// While it lives, writing past limit bytes into any file fails with EFBIG (the signal that
/// would end the process is ignored).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lowered = m_old;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};
