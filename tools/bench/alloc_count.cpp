#include "tools/bench/alloc_count.h"

#include <pthread.h>

#include <atomic>
#include <cstdlib>
#include <new>

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define SKYWARD_INTERPOSE_MALLOC 1
#else
#define SKYWARD_INTERPOSE_MALLOC 0
#endif

namespace {

std::atomic<uint64_t> watchedNews{0};
std::atomic<uint64_t> watchedMallocs{0};
std::atomic<uint64_t> otherNews{0};
std::atomic<uint64_t> otherMallocs{0};
std::atomic<bool> watching{false};
pthread_t watched;

inline bool OnWatchedThread() {
  return watching.load(std::memory_order_relaxed) && pthread_equal(pthread_self(), watched);
}

inline void CountMalloc() {
  if (OnWatchedThread()) {
    watchedMallocs.fetch_add(1, std::memory_order_relaxed);
  } else {
    otherMallocs.fetch_add(1, std::memory_order_relaxed);
  }
}

inline void CountNew() {
  if (OnWatchedThread()) {
    watchedNews.fetch_add(1, std::memory_order_relaxed);
  } else {
    otherNews.fetch_add(1, std::memory_order_relaxed);
  }
}

}  // namespace

#if SKYWARD_INTERPOSE_MALLOC
// glibc lets a program replace its allocator by defining these; here they only
// count and hand over to glibc's own.
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);

void* malloc(size_t size) {
  CountMalloc();
  return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
  CountMalloc();
  return __libc_calloc(count, size);
}
void* realloc(void* block, size_t size) {
  CountMalloc();
  return __libc_realloc(block, size);
}
void free(void* block) { __libc_free(block); }
void* memalign(size_t alignment, size_t size) {
  CountMalloc();
  return __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size) {
  CountMalloc();
  return __libc_memalign(alignment, size);
}
int posix_memalign(void** out, size_t alignment, size_t size) {
  CountMalloc();
  if (alignment < sizeof(void*) || (alignment & (alignment - 1)) != 0) return 22;  // EINVAL
  void* p = __libc_memalign(alignment, size);
  if (p == nullptr) return 12;  // ENOMEM
  *out = p;
  return 0;
}
}

namespace {
inline void* RawAllocate(size_t size) { return __libc_malloc(size == 0 ? 1 : size); }
inline void RawFree(void* block) { __libc_free(block); }
}  // namespace
#else
namespace {
inline void* RawAllocate(size_t size) { return std::malloc(size == 0 ? 1 : size); }
inline void RawFree(void* block) { std::free(block); }
}  // namespace
#endif

void* operator new(size_t size) {
  CountNew();
  void* p = RawAllocate(size);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  CountNew();
  return RawAllocate(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
  CountNew();
  return RawAllocate(size);
}
void operator delete(void* block) noexcept { RawFree(block); }
void operator delete[](void* block) noexcept { RawFree(block); }
void operator delete(void* block, size_t) noexcept { RawFree(block); }
void operator delete[](void* block, size_t) noexcept { RawFree(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { RawFree(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { RawFree(block); }

namespace perf {

void WatchThisThread() {
  watched = pthread_self();
  watching.store(true, std::memory_order_release);
}

AllocationCounts WatchedAllocations() {
  return {watchedNews.load(std::memory_order_relaxed), watchedMallocs.load(std::memory_order_relaxed)};
}

AllocationCounts OtherAllocations() {
  return {otherNews.load(std::memory_order_relaxed), otherMallocs.load(std::memory_order_relaxed)};
}

bool MallocCounted() { return SKYWARD_INTERPOSE_MALLOC != 0; }

}  // namespace perf
