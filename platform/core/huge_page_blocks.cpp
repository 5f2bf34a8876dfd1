// SPDX-License-Identifier: GPL-3.0-or-later
// Large blocks on huge pages, for a program that passes whole game executables (17 MB) through
// memory: each fresh block of that size otherwise costs thousands of page faults, which on
// some virtual machines take longer than reading and writing the file. Linked into a program
// (not a library) it replaces that program's operator new and delete; smaller blocks are left as
// they are.
#include <cstdint>
#include <cstdlib>
#include <new>

#if defined(__linux__) && defined(__GLIBC__)
#include <sys/mman.h>

void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    // glibc maps blocks this large on their own; the whole huge pages inside one are offered
    // to the system before anything touches them. Only advice: refused, the block is as it was.
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    if (size >= 2 * kHugePage) {
        const auto first = reinterpret_cast<std::uintptr_t>(block);
        const std::uintptr_t start = (first + kHugePage - 1) & ~(kHugePage - 1);
        const std::uintptr_t end = (first + size) & ~(kHugePage - 1);
        ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    }
    return block;
}

// The blocks come from malloc, so they go back to free (the library's delete need not).
void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
#endif
