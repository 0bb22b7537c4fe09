// platform/base/file_window.cpp: CFileWindow over mmap, with a bus-error handler that turns a
// page the file cannot give into a page of zeros.
#include "platform/base/file_window.h"

#include "platform/base/file.h"

#include <atomic>
#include <csignal>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The mapped piece, for the handler: a fault outside it is not the window's.
std::atomic<std::uintptr_t> g_start{0};
std::atomic<std::size_t> g_length{0};
volatile std::sig_atomic_t g_failed = 0;
struct sigaction g_previous {};
bool g_guarding = false;

/// A bus error in the mapped piece: the page the file cannot give becomes a private page of
/// zeros and the read goes on. Any other bus error gets the handling it had before the window
/// was mapped, when the faulting instruction runs again.
void OnBusError(int, siginfo_t* info, void*)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    const std::uintptr_t start = g_start.load(std::memory_order_relaxed);
    if (address - start < g_length.load(std::memory_order_relaxed)) {
        const std::uintptr_t page = address & ~(std::uintptr_t(sysconf(_SC_PAGESIZE)) - 1);
        if (mmap(reinterpret_cast<void*>(page), std::size_t(sysconf(_SC_PAGESIZE)), PROT_READ,
                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
            g_failed = 1;
            return;
        }
    }
    sigaction(SIGBUS, &g_previous, nullptr);
}

void Guard()
{
    if (g_guarding)
        return;
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    g_guarding = sigaction(SIGBUS, &action, &g_previous) == 0;
}

void Unguard()
{
    if (g_guarding)
        sigaction(SIGBUS, &g_previous, nullptr);
    g_guarding = false;
}

} // namespace

CFileWindow::~CFileWindow()
{
    Unmap();
}

bool CFileWindow::Map(const CFile& file, std::int64_t offset, std::size_t length)
{
    Unmap();
    if (!file.IsOpen() || length == 0 || offset < 0 || offset % std::int64_t(PageSize()) != 0)
        return false;
    void* data = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, file.m_fd, off_t(offset));
    if (data == MAP_FAILED)
        return false;
    m_data = static_cast<char*>(data);
    m_length = length;
    g_failed = 0;
    g_start.store(reinterpret_cast<std::uintptr_t>(m_data), std::memory_order_relaxed);
    g_length.store(length, std::memory_order_relaxed);
    Guard();
    return true;
}

void CFileWindow::Unmap() noexcept
{
    if (!m_data)
        return;
    Unguard();
    g_length.store(0, std::memory_order_relaxed);
    munmap(m_data, m_length);
    m_data = nullptr;
    m_length = 0;
}

bool CFileWindow::Failed() const
{
    return m_data && g_failed != 0;
}

std::size_t CFileWindow::PageSize()
{
    static const std::size_t size = std::size_t(sysconf(_SC_PAGESIZE));
    return size;
}
