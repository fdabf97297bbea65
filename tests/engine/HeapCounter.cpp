#include "HeapCounter.h"

#include <cstdlib>
#include <new>

namespace {

thread_local bool counting = false;
thread_local size_t counted = 0;
thread_local size_t countedBytes = 0;

void* allocate(size_t size) {
    if (counting) {
        ++counted;
        countedBytes += size;
    }
    return std::malloc(size ? size : 1);
}

void* allocateOrThrow(size_t size) {
    void* p = allocate(size);
    if (!p)
        throw std::bad_alloc();
    return p;
}

} // namespace

namespace trommik2::test {

HeapCounter::HeapCounter() {
    counted = 0;
    countedBytes = 0;
    counting = true;
}

HeapCounter::~HeapCounter() { counting = false; }

size_t HeapCounter::allocations() const { return counted; }

size_t HeapCounter::bytes() const { return countedBytes; }

} // namespace trommik2::test

void* operator new(size_t size) { return allocateOrThrow(size); }
void* operator new[](size_t size) { return allocateOrThrow(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
