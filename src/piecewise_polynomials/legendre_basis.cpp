#include "piecewise_polynomials/legendre_basis.hpp"

#include <cmath>

namespace velm {
namespace {

struct Location {
  std::uint64_t element;
  double xi;  // reference coordinate in [−1, 1] (NaN stays NaN)
  double h;
};

// floor(t/h) as an element index: NaN and negatives give 0, values beyond the
// 64-bit range saturate, and everything past the end falls in the last element.
std::uint64_t element_index(double quotient, std::uint64_t n_t) {
  std::uint64_t index = 0;
  if (quotient >= 18446744073709551616.0) index = UINT64_MAX;
  else if (quotient > 0.0) index = static_cast<std::uint64_t>(quotient);
  return index < n_t ? index : n_t - 1;
}

Location locate(const LegendreBasis& basis, double t) {
  const double h = basis.T / static_cast<double>(basis.n_t);
  const std::uint64_t j = element_index(std::floor(t / h), basis.n_t);
  const double a = static_cast<double>(j) * h;
  const double b = h + a;
  double xi = ((a + b) * -0.5 + t) * 2.0 / (b - a);
  if (xi < -1.0) xi = -1.0;
  else if (xi > 1.0) xi = 1.0;
  return {j, xi, h};
}

// P_0 … P_degree at xi, each from the two before it.
template <class Visit>
void for_each_legendre(std::uint64_t degree, double xi, Visit&& visit) {
  double previous = 1.0;
  double current = xi;
  visit(0, 1.0, 0.0);
  if (degree >= 1) visit(1, xi, 1.0);
  for (std::uint64_t k = 1; k < degree; ++k) {
    const double kd = static_cast<double>(k);
    const double next = (((kd + kd) + 1.0) * xi * current - previous * kd) / (kd + 1.0);
    previous = current;
    current = next;
    visit(k + 1, current, previous);
  }
}

// The ξ-derivative of P_k from P_k and P_{k−1}; v is shifted by 1e-15 so that
// the ends ξ = ±1 divide a zero numerator instead of a zero.
double reference_derivative(std::uint64_t k, double p_k, double p_previous, double xi) {
  if (k == 0) return 0.0;
  if (k == 1) return 1.0;
  const double v = (xi * xi + -1.0) + 1e-15;
  return (static_cast<double>(k) * (xi * p_k - p_previous)) / v;
}

}  // namespace

double legendre_polynomial(std::uint64_t k, double xi) {
  double value = 1.0;
  for_each_legendre(k, xi, [&](std::uint64_t i, double p, double) {
    if (i == k) value = p;
  });
  return value;
}

double evaluate(const LegendreBasis& basis, const ConstMatrixView& coefficients, double t) {
  const Location at = locate(basis, t);
  double sum = -0.0;
  for_each_legendre(basis.degree, at.xi, [&](std::uint64_t k, double p, double) {
    sum = sum + p * coefficients(static_cast<Eigen::Index>(at.element), static_cast<Eigen::Index>(k));
  });
  return sum;
}

double evaluate_derivative(const LegendreBasis& basis, const ConstMatrixView& coefficients, double t) {
  const Location at = locate(basis, t);
  double sum = -0.0;
  for_each_legendre(basis.degree, at.xi, [&](std::uint64_t k, double p, double p_previous) {
    sum = sum + reference_derivative(k, p, p_previous, at.xi) *
                    coefficients(static_cast<Eigen::Index>(at.element), static_cast<Eigen::Index>(k));
  });
  return (sum + sum) / at.h;
}

std::vector<double> evaluate_all_basis_functions(const LegendreBasis& basis, double t) {
  std::vector<double> values(basis.n_t * (basis.degree + 1), 0.0);
  const Location at = locate(basis, t);
  for_each_legendre(basis.degree, at.xi, [&](std::uint64_t k, double p, double) {
    values[k * basis.n_t + at.element] = p;
  });
  return values;
}

std::vector<double> evaluate_all_basis_function_derivatives(const LegendreBasis& basis, double t) {
  std::vector<double> values(basis.n_t * (basis.degree + 1), 0.0);
  const Location at = locate(basis, t);
  for_each_legendre(basis.degree, at.xi, [&](std::uint64_t k, double p, double p_previous) {
    const double e = k == 0 ? 0.0 : k == 1 ? 2.0 : reference_derivative(k, p, p_previous, at.xi) * 2.0;
    values[k * basis.n_t + at.element] = e / at.h;
  });
  return values;
}

}  // namespace velm
