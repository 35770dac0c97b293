#include "transformations/extension_matrices.hpp"

#include <stdexcept>
#include <string>

#include "common/checks.hpp"
#include "common/sizes.hpp"

namespace velm {
namespace {

using Index = CsrMatrix::StorageIndex;

}  // namespace

void check_extension_sizes(std::uint64_t n_t, std::uint64_t n_modes, std::uint64_t degree) {
  if (n_t == 0 && n_modes > 0) fail("attempt to calculate the remainder with a divisor of zero");
  const std::uint64_t blocks = degree_count(degree);
  // Rows hold one entry each (an index, a column and a value); columns are
  // only counted, but they must fit the signed indices, and 2·n_t must not wrap.
  check_allocatable(checked_product(blocks, n_modes, "(degree + 1)·n_modes"), 24,
                    "(degree + 1)·n_modes matrix rows");
  check_allocatable(checked_product(blocks, n_t, "(degree + 1)·n_t"), 1, "(degree + 1)·n_t matrix columns");
}

CsrMatrix get_compound_extension_matrix(std::uint64_t n_t, std::uint64_t n_modes,
                                        std::uint64_t degree, bool is_cosine) {
  check_extension_sizes(n_t, n_modes, degree);
  const std::uint64_t blocks = degree + 1;
  const std::uint64_t rows = blocks * n_modes;
  const std::uint64_t cols = blocks * n_t;

  // Block diagonal with one entry per row: row d·n_modes + i holds ±1 at
  // column d·n_t + c(i), written directly in storage order.
  CsrMatrix matrix(static_cast<Index>(rows), static_cast<Index>(cols));
  matrix.data().resize(static_cast<Index>(rows));
  Index* offsets = matrix.outerIndexPtr();
  Index* inner = matrix.innerIndexPtr();
  double* values = matrix.valuePtr();
  FoldSequence folds(n_t);
  for (std::uint64_t i = 0; i < n_modes; ++i) {
    const Fold fold = folds.next();
    for (std::uint64_t d = 0; d < blocks; ++d) {
      const std::uint64_t row = d * n_modes + i;
      offsets[row + 1] = static_cast<Index>(row + 1);
      inner[row] = static_cast<Index>(d * n_t + fold.column);
      values[row] = period_sign(fold, reverses_reflected(d, is_cosine));
    }
  }
  return matrix;
}

}  // namespace velm
