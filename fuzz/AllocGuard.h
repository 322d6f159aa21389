#pragma once
// Watches the heap while one step of a fuzz input runs: the largest single
// allocation and the peak of live bytes. An input that makes the core ask for
// far more memory than its size justifies aborts the run, even when the
// machine could have served the request.
#include <cstddef>

namespace vefuzz {

struct AllocLimits {
    size_t maxSingle; // bytes in one allocation
    size_t maxPeak;   // live bytes above the level at Begin
};

// Limits for a step over an input of the given size: a fixed allowance for
// the tables of a full database (the service number index, the save buffer)
// plus a small multiple of the input.
AllocLimits LimitsFor(size_t inputSize, size_t fixedSingle, size_t fixedPeak);

void BeginWatch(const char* step, const AllocLimits& limits);
// Aborts with a report when a limit was passed since BeginWatch.
void EndWatch();

} // namespace vefuzz
