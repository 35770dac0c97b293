// The compound extension matrix: continuation of n_t transform values to any
// number of modes by folding and period signs.
#pragma once

#include <cstdint>

#include "transformations/sparse_matrix_tools.hpp"

namespace velm {

struct Fold {
  std::uint64_t column;  // c(i), in 0 … n_t − 1
  bool odd_period;       // q = ⌊i / 2n_t⌋ is odd
  bool reflected;        // i mod 2n_t ≥ n_t
};

// The fold of every mode index in turn: the remainder and quotient by 2·n_t
// are carried along instead of divided out for every mode.
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

// The ±1 of E+ (keeps the period's sign on the reflected half, sine columns)
// or E− (reverses it there, cosine columns).
inline double period_sign(const Fold& fold, bool reverse_reflected) {
  const bool negative = fold.odd_period != (reverse_reflected && fold.reflected);
  return negative ? -1.0 : 1.0;
}

// Whether degree d uses E− (true) or E+: the sine basis puts DST-IV columns
// (E+) at even degrees and DCT-IV columns (E−) at odd ones, the cosine basis
// the other way round.
inline bool reverses_reflected(std::uint64_t d, bool is_cosine) { return (d % 2 == 1) != is_cosine; }

// The checks done before the matrix is built: n_t = 0 with modes stops
// before any division by 2·n_t, and sizes that overflow or could never be
// allocated are refused.
void check_extension_sizes(std::uint64_t n_t, std::uint64_t n_modes, std::uint64_t degree);

// (degree + 1)·n_modes × (degree + 1)·n_t, block diagonal with E+ or E− per
// degree. n_t = 0 with n_modes ≥ 1 stops before dividing by zero.
CsrMatrix get_compound_extension_matrix(std::uint64_t n_t, std::uint64_t n_modes,
                                        std::uint64_t degree, bool is_cosine);

}  // namespace velm
