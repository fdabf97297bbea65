#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {

thread_local bool counting = false;
thread_local bool gated = false;
thread_local size_t allocations = 0;
thread_local size_t bytes = 0;
thread_local size_t releases = 0;

void count(size_t size) {
    if (counting) {
        ++allocations;
        bytes += size;
    }
}

void* allocate(size_t size) {
    count(size);
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    return p;
}

void release(void* p) {
    if (p && counting)
        ++releases;
    std::free(p);
}

void resetCounts() {
    allocations = 0;
    bytes = 0;
    releases = 0;
}

} // namespace

namespace allocation {

void startCounting() {
    resetCounts();
    counting = true;
}

size_t stopCounting() {
    counting = false;
    return allocations;
}

size_t countedBytes() { return bytes; }

void startGatedCounting() {
    resetCounts();
    counting = false;
    gated = true;
}

void openGate(bool open) {
    if (gated)
        counting = open;
}

Counts stopGatedCounting() {
    gated = false;
    counting = false;
    return {allocations, releases};
}

} // namespace allocation

void* operator new(size_t size) { return allocate(size); }
void* operator new[](size_t size) { return allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    count(size);
    return std::malloc(size ? size : 1);
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, size_t) noexcept { release(p); }
void operator delete[](void* p, size_t) noexcept { release(p); }
