// Heap allocation counters for the benchmark and the allocation test. Linking
// alloc_count.cpp replaces operator new/delete and, where the C library allows
// it, interposes malloc, calloc, realloc and the aligned allocators; the game
// itself never links it.
#pragma once
#include <cstdint>

namespace perf {

struct AllocationCounts {
  uint64_t news;     // operator new (every form funnels into the plain one)
  uint64_t mallocs;  // malloc, calloc, realloc, aligned allocators (0 when not interposed)
  uint64_t total() const { return news + mallocs; }
};

// Allocations made so far by the thread that called WatchThisThread (the
// game's thread); others are counted apart (SDL's audio thread, for one).
void WatchThisThread();
AllocationCounts WatchedAllocations();
AllocationCounts OtherAllocations();
// False when malloc could not be interposed (sanitizer builds): only operator
// new is counted then.
bool MallocCounted();

}  // namespace perf
