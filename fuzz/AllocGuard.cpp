#include "AllocGuard.h"

#include <sanitizer/allocator_interface.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace vefuzz {
namespace {

std::atomic<bool> g_active{false};
const char* g_step = "";
AllocLimits g_limits{};
size_t g_base = 0;
std::atomic<size_t> g_largest{0};
std::atomic<size_t> g_peak{0};

void OnMalloc(const volatile void*, size_t size)
{
    if (!g_active.load(std::memory_order_relaxed)) {
        return;
    }
    if (size > g_largest.load(std::memory_order_relaxed)) {
        g_largest.store(size, std::memory_order_relaxed);
    }
    const size_t now = __sanitizer_get_current_allocated_bytes();
    if (now > g_peak.load(std::memory_order_relaxed)) {
        g_peak.store(now, std::memory_order_relaxed);
    }
    if (size > g_limits.maxSingle) {
        // Report at the allocation itself, so the stack shows who asked.
        g_active = false;
        std::fprintf(stderr, "==vefuzz== %s: one allocation of %zu bytes, limit %zu\n", g_step, size,
                     g_limits.maxSingle);
        __builtin_trap();
    }
}

void OnFree(const volatile void*) {}

struct Installer {
    Installer() { __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree); }
} g_installer;

} // namespace

AllocLimits LimitsFor(size_t inputSize, size_t fixedSingle, size_t fixedPeak)
{
    return {fixedSingle + 2 * inputSize, fixedPeak + 8 * inputSize};
}

void BeginWatch(const char* step, const AllocLimits& limits)
{
    g_step = step;
    g_limits = limits;
    g_base = __sanitizer_get_current_allocated_bytes();
    g_largest = 0;
    g_peak = g_base;
    g_active = true;
}

void EndWatch()
{
    g_active = false;
    const size_t peak = g_peak.load() > g_base ? g_peak.load() - g_base : 0;
    if (peak > g_limits.maxPeak) {
        std::fprintf(stderr, "==vefuzz== %s: %zu live bytes at the peak, limit %zu\n", g_step, peak,
                     g_limits.maxPeak);
        __builtin_trap();
    }
}

} // namespace vefuzz
