#include "LockCounter.h"

#include "AllocationCounter.h"

#include <dlfcn.h>

#include <atomic>

namespace {

thread_local bool counting = false;
thread_local size_t acquisitions = 0;
thread_local const void* excludedLock = nullptr;
thread_local const void* gateLock = nullptr;
thread_local int gateDepth = 0;

void note(const void* lock) {
    if (counting && lock != excludedLock)
        ++acquisitions;
}

// The next definition of a pthread function after ours, found once.
template <typename Function>
Function real(const char* name, std::atomic<Function>& cache) {
    Function f = cache.load(std::memory_order_acquire);
    if (!f) {
        f = reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
        cache.store(f, std::memory_order_release);
    }
    return f;
}

// After a successful lock of the gate's mutex.
void held(const void* lock) {
    if (lock == gateLock && gateDepth++ == 0)
        allocation::openGate(true);
}

using MutexFunction = int (*)(pthread_mutex_t*);
using RwLockFunction = int (*)(pthread_rwlock_t*);
std::atomic<MutexFunction> realLock{nullptr};
std::atomic<MutexFunction> realTryLock{nullptr};
std::atomic<MutexFunction> realUnlock{nullptr};
std::atomic<RwLockFunction> realReadLock{nullptr};
std::atomic<RwLockFunction> realWriteLock{nullptr};

} // namespace

namespace locks {

void startCounting(const pthread_mutex_t* excluded) {
    excludedLock = excluded;
    acquisitions = 0;
    counting = true;
}

size_t stopCounting() {
    counting = false;
    return acquisitions;
}

void gateAllocationsOn(const pthread_mutex_t* mutex) {
    gateLock = mutex;
    gateDepth = 0;
}

} // namespace locks

extern "C" {

int pthread_mutex_lock(pthread_mutex_t* mutex) {
    note(mutex);
    const int result = real("pthread_mutex_lock", realLock)(mutex);
    if (result == 0)
        held(mutex);
    return result;
}

int pthread_mutex_trylock(pthread_mutex_t* mutex) {
    note(mutex);
    const int result = real("pthread_mutex_trylock", realTryLock)(mutex);
    if (result == 0)
        held(mutex);
    return result;
}

int pthread_mutex_unlock(pthread_mutex_t* mutex) {
    if (mutex == gateLock && gateDepth > 0 && --gateDepth == 0)
        allocation::openGate(false);
    return real("pthread_mutex_unlock", realUnlock)(mutex);
}

int pthread_rwlock_rdlock(pthread_rwlock_t* lock) {
    note(lock);
    return real("pthread_rwlock_rdlock", realReadLock)(lock);
}

int pthread_rwlock_wrlock(pthread_rwlock_t* lock) {
    note(lock);
    return real("pthread_rwlock_wrlock", realWriteLock)(lock);
}

} // extern "C"
