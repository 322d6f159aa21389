// ndbtool runs one command and exits. A full database means a few megabytes
// allocated once (the file, some twenty thousand records, the saved image) and
// freed at the end; touching that many fresh 4 KB pages costs thousands of page
// faults, more than the load and the save themselves. So the program's
// allocations come from one region that the kernel backs with 2 MB pages.
// Freed blocks are not reused: nothing is allocated twice over in one run.
// Requests the region cannot hold, and any build with a sanitizer (which must
// see every allocation), go to malloc. The tool has no threads.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

#if defined(__linux__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer) || __has_feature(thread_sanitizer)
#define VE_ARENA_OFF 1
#endif
#endif
#else
#define VE_ARENA_OFF 1
#endif

#ifndef VE_ARENA_OFF
#include <sys/mman.h>

namespace {
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kArenaSize = size_t(128) << 20; // address space only; pages come on use

struct Arena {
    uintptr_t begin = 0;
    uintptr_t end = 0;
    uintptr_t next = 0;
    bool tried = false;
};
Arena g_arena;

void OpenArena()
{
    g_arena.tried = true;
    void* raw = mmap(nullptr, kArenaSize + kHugePage, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (raw == MAP_FAILED) {
        return;
    }
    const uintptr_t aligned = (reinterpret_cast<uintptr_t>(raw) + kHugePage - 1) & ~(kHugePage - 1);
    madvise(reinterpret_cast<void*>(aligned), kArenaSize, MADV_HUGEPAGE);
    g_arena.begin = g_arena.next = aligned;
    g_arena.end = aligned + kArenaSize;
}

bool InArena(const void* p)
{
    const auto a = reinterpret_cast<uintptr_t>(p);
    return a >= g_arena.begin && a < g_arena.end;
}

void* Allocate(size_t size, size_t alignment)
{
    if (!g_arena.tried) {
        OpenArena();
    }
    if (size == 0) {
        size = 1;
    }
    if (g_arena.begin != 0) {
        const uintptr_t at = (g_arena.next + alignment - 1) & ~(alignment - 1);
        if (at <= g_arena.end && size <= g_arena.end - at) {
            g_arena.next = at + size;
            return reinterpret_cast<void*>(at);
        }
    }
    void* p = alignment <= alignof(std::max_align_t) ? std::malloc(size) : std::aligned_alloc(alignment, (size + alignment - 1) & ~(alignment - 1));
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    return p;
}

void Release(void* p) noexcept
{
    if (p != nullptr && !InArena(p)) {
        std::free(p);
    }
}
} // namespace

void* operator new(size_t size)
{
    return Allocate(size, alignof(std::max_align_t));
}
void* operator new[](size_t size)
{
    return Allocate(size, alignof(std::max_align_t));
}
void* operator new(size_t size, std::align_val_t alignment)
{
    return Allocate(size, static_cast<size_t>(alignment));
}
void* operator new[](size_t size, std::align_val_t alignment)
{
    return Allocate(size, static_cast<size_t>(alignment));
}
void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size, alignof(std::max_align_t));
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size, alignof(std::max_align_t));
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept
{
    Release(p);
}
void operator delete[](void* p) noexcept
{
    Release(p);
}
void operator delete(void* p, size_t) noexcept
{
    Release(p);
}
void operator delete[](void* p, size_t) noexcept
{
    Release(p);
}
void operator delete(void* p, std::align_val_t) noexcept
{
    Release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept
{
    Release(p);
}
void operator delete(void* p, size_t, std::align_val_t) noexcept
{
    Release(p);
}
void operator delete[](void* p, size_t, std::align_val_t) noexcept
{
    Release(p);
}
#endif
