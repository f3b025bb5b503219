// An allocator for the few very large, fixed-size tables (the cross-section
// tables and the report books: several megabytes each, allocated once).
//
// Why: such a table is allocated at full size and every record is constructed
// at once, so each of its 4 KiB pages is touched right away. On a one-shot
// export the page faults alone (thousands of them) cost about a third of the
// run. Blocks of 2 MiB and more are therefore aligned to 2 MiB and, on Linux,
// marked with madvise(MADV_HUGEPAGE): where transparent huge pages are enabled
// ("always" or "madvise") the kernel backs them with 2 MiB pages, one fault for
// 512 small ones. Elsewhere, or when the kernel declines, the memory is
// ordinary memory and behaves exactly as before.
//
// Smaller blocks (small tables in tests, a book of a few stations) go to plain
// operator new: rounding them up to 2 MiB would only waste memory.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <limits>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif
#ifdef _WIN32
#include <malloc.h>
#endif

namespace corvane {

inline constexpr std::size_t kHugePageSize = std::size_t{2} * 1024 * 1024;

// Asks the kernel for huge pages on [block, block + bytes). Only a hint: a
// refusal changes nothing but speed, so its result is ignored.
inline void AdviseHugePages([[maybe_unused]] void* block, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    madvise(block, bytes, MADV_HUGEPAGE);
#endif
}

// The Windows C runtime has no std::aligned_alloc: its aligned blocks come from
// _aligned_malloc and must go back through _aligned_free, not std::free.
inline void* AllocateAligned(std::size_t alignment, std::size_t bytes) {
#ifdef _WIN32
    return _aligned_malloc(bytes, alignment);
#else
    return std::aligned_alloc(alignment, bytes);
#endif
}

inline void FreeAligned(void* block) {
#ifdef _WIN32
    _aligned_free(block);
#else
    std::free(block);
#endif
}

template <typename T>
class LargeTableAllocator {
  public:
    using value_type = T;

    // Small blocks come from operator new, which guarantees only this much.
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);

    LargeTableAllocator() noexcept = default;
    template <typename U>
    LargeTableAllocator(const LargeTableAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count > std::numeric_limits<std::size_t>::max() / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        const std::size_t bytes = count * sizeof(T);
        if (!IsLarge(bytes)) {
            return static_cast<T*>(::operator new(bytes));
        }
        if (bytes > std::numeric_limits<std::size_t>::max() - kHugePageSize) {
            throw std::bad_alloc();  // no room to round it up
        }
        // std::aligned_alloc wants the size to be a multiple of the alignment.
        const std::size_t rounded = RoundUpToHugePage(bytes);
        void* block = AllocateAligned(kHugePageSize, rounded);
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        // Only the whole huge pages inside the table: a huge page over its last,
        // partly used stretch would add up to 2 MiB of zeroed memory to the
        // resident size for nothing.
        AdviseHugePages(block, bytes / kHugePageSize * kHugePageSize);
        return static_cast<T*>(block);
    }

    void deallocate(T* block, std::size_t count) noexcept {
        if (IsLarge(count * sizeof(T))) {
            FreeAligned(block);
        } else {
            ::operator delete(block);
        }
    }

    // Stateless: memory from one instance may be released through any other.
    template <typename U>
    bool operator==(const LargeTableAllocator<U>&) const noexcept {
        return true;
    }

  private:
    static constexpr bool IsLarge(std::size_t bytes) { return bytes >= kHugePageSize; }

    static constexpr std::size_t RoundUpToHugePage(std::size_t bytes) {
        const std::size_t pages = bytes / kHugePageSize + (bytes % kHugePageSize != 0 ? 1 : 0);
        return pages * kHugePageSize;
    }
};

}  // namespace corvane
