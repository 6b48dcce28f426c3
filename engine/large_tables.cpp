#include "large_tables.h"

#ifdef __linux__
#include <cstdint>
#include <sys/mman.h>
#endif

namespace {

#ifdef __linux__
// A huge page, and the least table worth one.
constexpr std::size_t hugePage = std::size_t{2} << 20;
constexpr std::size_t largeTable = hugePage;

std::size_t roundedUp(std::size_t bytes) {
    return (bytes + hugePage - 1) / hugePage * hugePage;
}

// Whether a table of so many bytes is mapped on huge pages of its own.
bool onHugePages(std::size_t bytes) {
    return bytes >= largeTable && bytes <= SIZE_MAX - 2 * hugePage;
}
#endif

} // namespace

// The mapping is made a huge page larger than asked and cut down to whole huge pages, so that
// every page of the table can be a huge one.
void* allocateLargeTable(std::size_t bytes) {
#ifdef __linux__
    if (onHugePages(bytes)) {
        const std::size_t size = roundedUp(bytes);
        void* mapped = mmap(nullptr, size + hugePage, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            throw std::bad_alloc();
        const auto at = reinterpret_cast<std::uintptr_t>(mapped);
        const std::uintptr_t aligned = (at + hugePage - 1) / hugePage * hugePage;
        if (aligned > at)
            munmap(mapped, aligned - at);
        if (const std::uintptr_t end = at + size + hugePage; end > aligned + size)
            munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
        // A kernel without transparent huge pages refuses the advice, and the table is ordinary
        // memory.
        madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
        return reinterpret_cast<void*>(aligned);
    }
#endif
    return ::operator new(bytes);
}

void freeLargeTable(void* table, std::size_t bytes) {
#ifdef __linux__
    if (onHugePages(bytes)) {
        munmap(table, roundedUp(bytes));
        return;
    }
#endif
    ::operator delete(table);
}
