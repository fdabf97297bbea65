#pragma once

#include <atomic>

namespace trommik2 {

// A value that the user-interface thread writes while the audio thread reads it
// (or the other way round) with nothing else to order: relaxed loads and stores,
// which compile to the plain moves of an ordinary member. Copies copy the value.
template <typename T>
class Relaxed {
  public:
    constexpr Relaxed() : value_(T{}) {}
    constexpr Relaxed(T value) : value_(value) {}
    Relaxed(const Relaxed& other) : value_(other.load()) {}
    Relaxed& operator=(const Relaxed& other) {
        store(other.load());
        return *this;
    }
    Relaxed& operator=(T value) {
        store(value);
        return *this;
    }
    operator T() const { return load(); }

    T load() const { return value_.load(std::memory_order_relaxed); }
    void store(T value) { value_.store(value, std::memory_order_relaxed); }

  private:
    std::atomic<T> value_;
};

} // namespace trommik2
