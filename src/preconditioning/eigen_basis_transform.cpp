#include "preconditioning/eigen_basis_transform.hpp"

#include <cmath>
#include <stdexcept>
#include <string>

#include "common/sizes.hpp"
#include "preconditioning/parallel_map.hpp"

namespace velm {
namespace {

constexpr double pi = 3.141592653589793;

void check_length(const char* operation, std::size_t length, std::uint64_t n_t) {
  if (length != n_t)
    throw std::invalid_argument(std::string("EigenBasisTransformLowestOrder: ") + operation +
                                ": input length " + std::to_string(length) + " does not match n_t " +
                                std::to_string(n_t));
}

double cube(double v) { return (v * v) * v; }

// Σ_{i<n_terms} 1/e_i³ + 1/f_i³ from the largest integers down. The integers
// are formed exactly in 128 bits: for l ≥ 2·n_t some are negative, and for
// huge sizes the products pass 2^64; both would wrap in unsigned arithmetic.
double series(std::uint64_t l, std::uint64_t n_terms, std::uint64_t n_t) {
  const __int128 m = static_cast<__int128>(l) * 2 + 1;
  const __int128 big_m = static_cast<__int128>(n_t) * 4;
  __int128 e = big_m * n_terms - m;
  __int128 f = big_m * (static_cast<__int128>(n_terms) - 1) + m;
  double sum = -0.0;
  for (std::uint64_t i = 0; i < n_terms; ++i, e -= big_m, f -= big_m)
    sum = sum + (1.0 / cube(static_cast<double>(e)) + 1.0 / cube(static_cast<double>(f)));
  return sum;
}

}  // namespace

EigenBasisTransformLowestOrder make_eigen_basis_transform(std::uint64_t n_t, double T) {
  return {n_t, T, FFTWwrapper{n_t, TransformKind::DstII}, FFTWwrapper{n_t, TransformKind::DstIII}};
}

std::vector<double> forward_transform(const EigenBasisTransformLowestOrder& e,
                                      std::span<const double> input) {
  check_length("forward_transform", input.size(), e.n_t);
  std::vector<double> y = forward(e.forward_wrapper, input);
  for (double& v : y) v *= 0.5;
  return y;
}

std::vector<double> inverse_transform(const EigenBasisTransformLowestOrder& e,
                                      std::span<const double> input) {
  check_length("inverse_transform", input.size(), e.n_t);
  std::vector<double> y = forward(e.inverse_wrapper, input);
  const double c = 1.0 / static_cast<double>(e.n_t);
  for (double& v : y) v *= c;
  return y;
}

double get_generalized_eigenvalue(const EigenBasisTransformLowestOrder& e, std::uint64_t l,
                                  std::uint64_t n_terms) {
  const double s = series(l, n_terms, e.n_t);
  const double a = 4.71238898038469 / e.T;
  // 2·n_t as an exact integer before the conversion (it may pass 2^64).
  const double x = ((static_cast<double>(l) + 0.5) * pi) / static_cast<double>(static_cast<__int128>(e.n_t) * 2);
  const double sinc = std::sin(x) / x;
  const double d = (sinc * sinc) * (sinc * sinc);
  const double da = d * a;
  const double c = 1.0 / (std::cos(2.0 * x) + 2.0);
  const double cda = c * da;
  const double m = static_cast<double>(l) + static_cast<double>(l) + 1.0;
  const double m4 = (m * m) * (m * m);
  return (m4 * cda) * s;
}

std::vector<double> get_generalized_eigenvalues(const EigenBasisTransformLowestOrder& e,
                                                std::uint64_t n_terms) {
  check_allocatable(e.n_t, sizeof(double), "n_t eigenvalues");
  return parallel_map(e.n_t, [&](std::size_t l) { return get_generalized_eigenvalue(e, l, n_terms); });
}

}  // namespace velm
