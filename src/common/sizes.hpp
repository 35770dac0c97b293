// Size checks done before allocating, so that hostile sizes end in a clear
// error instead of wrapping around or reaching the allocator.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velm {

// a·b, refused with std::overflow_error naming the product when it does not fit in 64 bits.
inline std::uint64_t checked_product(std::uint64_t a, std::uint64_t b, std::string_view what) {
  std::uint64_t product = 0;
  if (__builtin_mul_overflow(a, b, &product))
    throw std::overflow_error(std::string(what) + " = " + std::to_string(a) + "·" + std::to_string(b) +
                              " does not fit in 64 bits");
  return product;
}

// degree + 1, refused with std::overflow_error when degree is the largest 64-bit value.
inline std::uint64_t degree_count(std::uint64_t degree) {
  if (degree == UINT64_MAX) throw std::overflow_error("degree + 1 does not fit in 64 bits");
  return degree + 1;
}

// Refuses `count` elements of `bytes_each` bytes beyond 1 TiB in one buffer
// (far past the signed 64-bit indices of the sparse matrices too), before the
// allocator is asked: the answer is then the same on every machine, whatever
// its memory overcommit does. std::length_error becomes MemoryError.
inline std::uint64_t check_allocatable(std::uint64_t count, std::uint64_t bytes_each, std::string_view what) {
  constexpr std::uint64_t largest_buffer = std::uint64_t{1} << 40;
  if (count > largest_buffer / bytes_each)
    throw std::length_error(std::string("cannot allocate ") + std::string(what) + " = " +
                            std::to_string(count) + " elements");
  return count;
}

}  // namespace velm
