// Independent long-double references for the transformation tests: Legendre
// polynomials, Gauss-Legendre rules, ulp distances and failure capture.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "common/checks.hpp"
#include "test_support.hpp"
#include "transformations/sparse_matrix_tools.hpp"

namespace velm::testing_reference {

inline constexpr long double pi_ld = 3.141592653589793238462643383279502884L;

using test_support::failure_message;

// A stored entry of a sparse matrix, in the order csr_to_triplets gives them.
struct Entry {
  std::uint64_t row;
  std::uint64_t col;
  double value;
  bool operator==(const Entry&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Entry& e) {
  return out << "(" << e.row << ", " << e.col << ", " << e.value << ")";
}

inline std::vector<Entry> stored_entries(const CsrMatrix& matrix) {
  const Triplets t = csr_to_triplets(matrix);
  std::vector<Entry> entries;
  for (std::size_t p = 0; p < t.rows.size(); ++p) entries.push_back({t.rows[p], t.cols[p], t.values[p]});
  return entries;
}

// P_n(x) and P_n'(x) by the three-term recurrence in long double.
struct LegendreValue {
  long double p;
  long double dp;
};

inline LegendreValue legendre_ld(unsigned n, long double x) {
  long double previous = 1.0L, current = x;
  if (n == 0) return {1.0L, 0.0L};
  for (unsigned k = 1; k < n; ++k) {
    const long double next = ((2 * k + 1) * x * current - k * previous) / (k + 1);
    previous = current;
    current = next;
  }
  // P_n' = n·(x·P_n − P_{n−1})/(x² − 1), valid away from ±1 where it is used.
  return {current, n * (x * current - previous) / (x * x - 1.0L)};
}

struct QuadratureRule {
  std::vector<long double> nodes;
  std::vector<long double> weights;
};

// The n-point Gauss-Legendre rule on [−1, 1], nodes by Newton's method.
inline QuadratureRule gauss_legendre(unsigned n) {
  QuadratureRule rule{std::vector<long double>(n), std::vector<long double>(n)};
  for (unsigned i = 0; i < n; ++i) {
    long double x = std::cos(pi_ld * (i + 0.75L) / (n + 0.5L));
    for (int iteration = 0; iteration < 100; ++iteration) {
      const LegendreValue v = legendre_ld(n, x);
      const long double step = v.p / v.dp;
      x -= step;
      if (std::fabs(step) < 1e-19L) break;
    }
    const LegendreValue v = legendre_ld(n, x);
    rule.nodes[i] = x;
    rule.weights[i] = 2.0L / ((1.0L - x * x) * v.dp * v.dp);
  }
  return rule;
}

// Distance between `got` and `reference` in units of the double spacing at `scale`.
inline double ulps_off(double got, long double reference, long double scale) {
  const double s = static_cast<double>(std::fabs(scale));
  const double spacing = std::nextafter(s, std::numeric_limits<double>::infinity()) - s;
  return static_cast<double>(std::fabs(static_cast<long double>(got) - reference) / spacing);
}

}  // namespace velm::testing_reference
