#include "transformations/extension_matrices.hpp"

#include <stdexcept>
#include <string>

#include "common/checks.hpp"

namespace velm {
namespace {

using Index = CsrMatrix::StorageIndex;

struct Fold {
  std::uint64_t column;  // c(i), in 0 … n_t − 1
  bool odd_period;       // q = ⌊i / 2n_t⌋ is odd
  bool reflected;        // i mod 2n_t ≥ n_t
};

Fold fold_index(std::uint64_t i, std::uint64_t n_t) {
  const std::uint64_t period = 2 * n_t;
  const std::uint64_t l = i % period;
  const std::uint64_t q = i / period;
  const bool reflected = l >= n_t;
  return {reflected ? period - 1 - l : l, q % 2 == 1, reflected};
}

// E+ keeps the period's sign on the reflected half (sine columns); E− reverses
// it there (cosine columns).
double period_sign(const Fold& fold, bool reverse_reflected) {
  const bool negative = fold.odd_period != (reverse_reflected && fold.reflected);
  return negative ? -1.0 : 1.0;
}

std::uint64_t checked_product(std::uint64_t blocks, std::uint64_t size, const char* what) {
  std::uint64_t product = 0;
  if (__builtin_mul_overflow(blocks, size, &product))
    throw std::overflow_error(std::string("compound extension matrix: (degree + 1)·") + what +
                              " does not fit in 64 bits");
  return product;
}

}  // namespace

CsrMatrix get_compound_extension_matrix(std::uint64_t n_t, std::uint64_t n_modes,
                                        std::uint64_t degree, bool is_cosine) {
  // The remainder by 2·n_t below is undefined for n_t = 0: stop first.
  if (n_t == 0 && n_modes > 0) fail("attempt to calculate the remainder with a divisor of zero");
  if (degree == UINT64_MAX) throw std::overflow_error("compound extension matrix: degree + 1 overflows");
  if (n_t > UINT64_MAX / 2) throw std::overflow_error("compound extension matrix: 2·n_t overflows");
  const std::uint64_t blocks = degree + 1;
  const std::uint64_t rows = checked_product(blocks, n_modes, "n_modes");
  const std::uint64_t cols = checked_product(blocks, n_t, "n_t");

  // Block diagonal with one entry per row: row d·n_modes + i holds ±1 at
  // column d·n_t + c(i), written directly in storage order.
  CsrMatrix matrix(static_cast<Index>(rows), static_cast<Index>(cols));
  matrix.data().resize(static_cast<Index>(rows));
  Index* offsets = matrix.outerIndexPtr();
  Index* inner = matrix.innerIndexPtr();
  double* values = matrix.valuePtr();
  for (std::uint64_t d = 0; d < blocks; ++d) {
    // Sine: even degrees hold DST-IV columns (E+), odd ones DCT-IV (E−); the
    // cosine basis the other way round.
    const bool reverse_reflected = (d % 2 == 1) != is_cosine;
    for (std::uint64_t i = 0; i < n_modes; ++i) {
      const std::uint64_t row = d * n_modes + i;
      const Fold fold = fold_index(i, n_t);
      offsets[row + 1] = static_cast<Index>(row + 1);
      inner[row] = static_cast<Index>(d * n_t + fold.column);
      values[row] = period_sign(fold, reverse_reflected);
    }
  }
  return matrix;
}

}  // namespace velm
