#pragma once

#include <cstddef>
#include <new>

// Memory for the large tables that a long list reads at random (the forecast's, a folder's
// listing). On Linux a table of a few megabytes or more lies in pages of 2 MB where the kernel
// grants them (transparent huge pages), so that a lookup misses the cache, not the cache and
// the TLB as well; elsewhere, and for smaller tables, it is ordinary memory.
void* allocateLargeTable(std::size_t bytes);
void freeLargeTable(void* table, std::size_t bytes);

// The allocator of a container that holds such a table.
template <typename T> struct LargeTable {
    using value_type = T;

    LargeTable() = default;
    template <typename U> LargeTable(const LargeTable<U>&) {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(allocateLargeTable(n * sizeof(T)));
    }
    void deallocate(T* table, std::size_t n) { freeLargeTable(table, n * sizeof(T)); }

    friend bool operator==(const LargeTable&, const LargeTable&) { return true; }
};
