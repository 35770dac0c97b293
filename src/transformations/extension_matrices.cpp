#include "transformations/extension_matrices.hpp"

#include <stdexcept>
#include <string>

#include "common/checks.hpp"
#include "common/sizes.hpp"

namespace velm {
namespace {

using Index = CsrMatrix::StorageIndex;

struct Fold {
  std::uint64_t column;  // c(i), in 0 … n_t − 1
  bool odd_period;       // q = ⌊i / 2n_t⌋ is odd
  bool reflected;        // i mod 2n_t ≥ n_t
};

// The fold of every mode index in turn. The remainder and quotient by 2·n_t
// are carried along instead of divided out at every row: one division per row
// and degree cost more than the rest of the matrix together.
class FoldSequence {
 public:
  explicit FoldSequence(std::uint64_t n_t) : n_t_(n_t) {}

  Fold next() {
    const bool reflected = l_ >= n_t_;
    const Fold fold{reflected ? 2 * n_t_ - 1 - l_ : l_, odd_period_, reflected};
    if (++l_ == 2 * n_t_) {
      l_ = 0;
      odd_period_ = !odd_period_;
    }
    return fold;
  }

 private:
  std::uint64_t n_t_;
  std::uint64_t l_ = 0;
  bool odd_period_ = false;
};

// E+ keeps the period's sign on the reflected half (sine columns); E− reverses
// it there (cosine columns).
double period_sign(const Fold& fold, bool reverse_reflected) {
  const bool negative = fold.odd_period != (reverse_reflected && fold.reflected);
  return negative ? -1.0 : 1.0;
}

}  // namespace

CsrMatrix get_compound_extension_matrix(std::uint64_t n_t, std::uint64_t n_modes,
                                        std::uint64_t degree, bool is_cosine) {
  // The remainder by 2·n_t below is undefined for n_t = 0: stop first.
  if (n_t == 0 && n_modes > 0) fail("attempt to calculate the remainder with a divisor of zero");
  if (degree == UINT64_MAX) throw std::overflow_error("degree + 1 does not fit in 64 bits");
  const std::uint64_t blocks = degree + 1;
  // Rows hold one entry each (an index, a column and a value); columns are
  // only counted, but they must fit the signed indices, and 2·n_t must not wrap.
  const std::uint64_t rows = check_allocatable(checked_product(blocks, n_modes, "(degree + 1)·n_modes"), 24,
                                               "(degree + 1)·n_modes matrix rows");
  const std::uint64_t cols = check_allocatable(checked_product(blocks, n_t, "(degree + 1)·n_t"), 1,
                                               "(degree + 1)·n_t matrix columns");

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
      // Sine: even degrees hold DST-IV columns (E+), odd ones DCT-IV (E−);
      // the cosine basis the other way round.
      const bool reverse_reflected = (d % 2 == 1) != is_cosine;
      const std::uint64_t row = d * n_modes + i;
      offsets[row + 1] = static_cast<Index>(row + 1);
      inner[row] = static_cast<Index>(d * n_t + fold.column);
      values[row] = period_sign(fold, reverse_reflected);
    }
  }
  return matrix;
}

}  // namespace velm
