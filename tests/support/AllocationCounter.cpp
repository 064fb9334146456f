#include "AllocationCounter.h"

#include <cstddef>

// JUCE's buffers allocate with malloc, not operator new, so the count is taken
// at malloc itself (glibc's entry points, which operator new also reaches).
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
 #define ONDREL_COUNT_ALLOCATIONS 0
#elif defined(__has_feature)
 #if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
  #define ONDREL_COUNT_ALLOCATIONS 0
 #endif
#endif

#ifndef ONDREL_COUNT_ALLOCATIONS
 #define ONDREL_COUNT_ALLOCATIONS 1
#endif

namespace
{
thread_local bool counting = false;
thread_local long allocations = 0;

inline void note() noexcept { allocations += counting ? 1 : 0; }
} // namespace

#if ONDREL_COUNT_ALLOCATIONS
extern "C"
{
void* __libc_malloc (size_t);
void* __libc_calloc (size_t, size_t);
void* __libc_realloc (void*, size_t);
void* __libc_memalign (size_t, size_t);

void* malloc (size_t n) { note(); return __libc_malloc (n); }
void* calloc (size_t count, size_t n) { note(); return __libc_calloc (count, n); }
void* realloc (void* p, size_t n) { note(); return __libc_realloc (p, n); }
void* memalign (size_t alignment, size_t n) { note(); return __libc_memalign (alignment, n); }
void* aligned_alloc (size_t alignment, size_t n) { note(); return __libc_memalign (alignment, n); }

int posix_memalign (void** p, size_t alignment, size_t n)
{
    note();
    *p = __libc_memalign (alignment, n);
    return *p != nullptr ? 0 : 12; // ENOMEM
}
}
#endif

AllocationCounter::AllocationCounter() { allocations = 0; counting = true; }
AllocationCounter::~AllocationCounter() { counting = false; }
long AllocationCounter::count() const { return allocations; }
bool AllocationCounter::available() { return ONDREL_COUNT_ALLOCATIONS != 0; }
