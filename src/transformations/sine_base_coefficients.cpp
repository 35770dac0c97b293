#include "transformations/sine_base_coefficients.hpp"

#include "piecewise_polynomials/lagrange_basis.hpp"
#include "transformations/degree_dependent_transformations.hpp"
#include "transformations/extension_matrices.hpp"
#include "transformations/j_matrices.hpp"

namespace velm {
namespace {

constexpr double pi = 3.141592653589793;

// Extension to n_modes modes, the Bessel filter and the 1/n_t scaling of the
// per-degree transform values, fused: entry k is the sum over degrees of
// j_d(x_k)·(0.0 + sign·value at the fold of k), added in the order of the two
// sparse products (the extension row first, then the filter row by degree),
// so the result is that of building both matrices and multiplying, bit for
// bit, without the matrices. The extension's checks come first, so n_t = 0
// stops before any Bessel value.
std::vector<double> extend_filter_scale(const Eigen::MatrixXd& transformed, std::uint64_t n_modes,
                                        std::uint64_t n_t, std::uint64_t degree) {
  check_extension_sizes(n_t, n_modes, degree);
  std::vector<double> result(n_modes);
  std::vector<double> weights(degree + 1);  // j_0 … j_degree of one argument
  const double r = 1.0 / static_cast<double>(n_t);
  const double s = 1.0 / static_cast<double>(n_t);
  FoldSequence folds(n_t);
  for (std::uint64_t k = 0; k < n_modes; ++k) {
    const Fold fold = folds.next();
    const double x = ((static_cast<double>(k) + 0.5) * pi) * r * 0.5;
    spherical_bessel_j_up_to(static_cast<unsigned>(degree), x, weights.data());
    double z = 0.0;
    for (std::uint64_t d = 0; d <= degree; ++d) {
      const double extended = 0.0 + period_sign(fold, reverses_reflected(d, false)) *
                                        transformed(static_cast<Eigen::Index>(fold.column), static_cast<Eigen::Index>(d));
      z += weights[d] * extended;
    }
    result[k] = z * s;
  }
  return result;
}

}  // namespace

std::vector<double> compute_sine_base_coefficients(std::uint64_t n_modes,
                                                   std::span<const double> lagrange_dofs,
                                                   std::uint64_t n_t, std::uint64_t degree,
                                                   double T) {
  const LagrangeBasis basis = make_lagrange_basis(degree, n_t, T);
  const Eigen::MatrixXd legendre = to_legendre_basis_vals(basis, lagrange_dofs);
  const ConstMatrixView view(legendre.data(), legendre.rows(), legendre.cols(),
                             Eigen::OuterStride<>(legendre.rows()));
  const Eigen::MatrixXd transformed = forward(make_hilbert_basis_transform(n_t, degree, false), view);
  return extend_filter_scale(transformed, n_modes, n_t, degree);
}

std::vector<double> compute_sine_base_coefficients_pw_constants(std::uint64_t n_modes,
                                                                std::span<const double> dofs,
                                                                std::uint64_t n_t) {
  // One column of |dofs| rows: a length other than n_t is refused by the
  // transform's row check.
  const auto rows = static_cast<Eigen::Index>(dofs.size());
  const ConstMatrixView view(dofs.data(), rows, 1, Eigen::OuterStride<>(rows));
  const Eigen::MatrixXd transformed = forward(make_hilbert_basis_transform(n_t, 0, false), view);
  return extend_filter_scale(transformed, n_modes, n_t, 0);
}

}  // namespace velm
