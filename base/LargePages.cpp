#include "base/LargePages.h"

#include <cstdint>
#include <sys/mman.h>

namespace dialtally {

void AdviseLargePages(const void* data, std::size_t bytes)
{
    constexpr std::uintptr_t HugePage = std::uintptr_t{2} << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + HugePage - 1) & ~(HugePage - 1);
    const std::uintptr_t last = (start + bytes) & ~(HugePage - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

} // namespace dialtally
