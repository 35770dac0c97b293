// Column-major views over flat coefficient vectors.
#pragma once

#include <Eigen/Core>
#include <cstdint>
#include <span>

#include "common/checks.hpp"

namespace velm {

// A read-only column-major matrix over borrowed storage: rows are contiguous,
// consecutive columns lie `outerStride()` apart.
using ConstMatrixView = Eigen::Map<const Eigen::MatrixXd, Eigen::Unaligned, Eigen::OuterStride<>>;

// Views the first rows·cols values of `data` as a rows × cols matrix (column
// stride `rows`); surplus values are ignored. Refuses a buffer that is too
// short, also when rows·cols does not fit in 64 bits.
inline ConstMatrixView matrix_view(std::span<const double> data, std::uint64_t rows,
                                   std::uint64_t cols) {
  std::uint64_t needed = 0;
  if (__builtin_mul_overflow(rows, cols, &needed) || data.size() < needed)
    fail("Matrix view: input data buffer too small.");
  return ConstMatrixView(data.data(), static_cast<Eigen::Index>(rows),
                         static_cast<Eigen::Index>(cols),
                         Eigen::OuterStride<>(static_cast<Eigen::Index>(rows)));
}

}  // namespace velm
