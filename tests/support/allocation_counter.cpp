#include "tests/support/allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> gAllocations{0};
}  // namespace

// Kept out of line so that the compiler never pairs an inlined free() with
// the standard operator new.
[[gnu::noinline]] void* operator new(std::size_t size)
{
    ++gAllocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace vortest {

long AllocationCount()
{
    return gAllocations.load();
}

}  // namespace vortest
