// platform/base/present_pages.cpp: MakePagesPresent over madvise.
#include "platform/base/present_pages.h"

#include <cstdint>

#include <sys/mman.h>

void MakePagesPresent(void* start, std::size_t bytes)
{
    constexpr std::size_t kLeast = std::size_t(1) << 20;
    constexpr std::uintptr_t kPage = 4096;
    const auto at = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t first = (at + kPage - 1) & ~(kPage - 1);
    const std::uintptr_t end = (at + bytes) & ~(kPage - 1);
    if (bytes >= kLeast && end > first)
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
}
