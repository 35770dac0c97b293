// Per-object borrow flags: many shared borrows or one exclusive borrow.
//
// Updated atomically so they stay correct when a free-threaded interpreter
// runs with the GIL forced off. A conflict raises at once; nobody waits.
#pragma once

#include <atomic>
#include <cstdint>

#include "python/python.hpp"

namespace velm::python {

class BorrowFlag {
 public:
  // Both return false with RuntimeError set on a conflict.
  bool acquire_shared() noexcept {
    std::int64_t count = state_.load(std::memory_order_relaxed);
    do {
      if (count == kExclusive) {
        PyErr_SetString(PyExc_RuntimeError, "Already mutably borrowed");
        return false;
      }
    } while (!state_.compare_exchange_weak(count, count + 1, std::memory_order_acquire,
                                           std::memory_order_relaxed));
    return true;
  }
  void release_shared() noexcept { state_.fetch_sub(1, std::memory_order_release); }

  bool acquire_exclusive() noexcept {
    std::int64_t expected = 0;
    if (!state_.compare_exchange_strong(expected, kExclusive, std::memory_order_acquire,
                                        std::memory_order_relaxed)) {
      PyErr_SetString(PyExc_RuntimeError, "Already borrowed");
      return false;
    }
    return true;
  }
  void release_exclusive() noexcept { state_.store(0, std::memory_order_release); }

 private:
  static constexpr std::int64_t kExclusive = -1;
  std::atomic<std::int64_t> state_{0};
};

// Holds a borrow for one call and releases it on every path out.
template <bool Exclusive>
class BorrowGuard {
 public:
  explicit BorrowGuard(BorrowFlag& flag) noexcept
      : flag_(flag), held_(Exclusive ? flag.acquire_exclusive() : flag.acquire_shared()) {}
  ~BorrowGuard() {
    if (!held_) return;
    if constexpr (Exclusive) flag_.release_exclusive();
    else flag_.release_shared();
  }
  BorrowGuard(const BorrowGuard&) = delete;
  BorrowGuard& operator=(const BorrowGuard&) = delete;
  bool held() const noexcept { return held_; }

 private:
  BorrowFlag& flag_;
  bool held_;
};

}  // namespace velm::python
