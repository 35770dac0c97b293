#include "transformations/sine_base_coefficients.hpp"

#include "piecewise_polynomials/lagrange_basis.hpp"
#include "transformations/degree_dependent_transformations.hpp"
#include "transformations/extension_matrices.hpp"
#include "transformations/j_matrices.hpp"

namespace velm {
namespace {

// Extension to n_modes modes, the Bessel filter, and the 1/n_t scaling of the
// per-degree transform values (degree-major). The extension matrix is built
// and applied before the filter is built, so n_t = 0 stops before any Bessel
// value is computed.
std::vector<double> extend_filter_scale(const Eigen::MatrixXd& transformed, std::uint64_t n_modes,
                                        std::uint64_t n_t, std::uint64_t degree) {
  const Eigen::Map<const Eigen::VectorXd> x(transformed.data(), transformed.size());
  const Eigen::VectorXd y = multiply(get_compound_extension_matrix(n_t, n_modes, degree, false), x);
  const Eigen::VectorXd z = multiply(get_compound_filter(n_modes, n_t, degree), y);
  const double s = 1.0 / static_cast<double>(n_t);
  std::vector<double> result(static_cast<std::size_t>(z.size()));
  for (std::size_t k = 0; k < result.size(); ++k) result[k] = z[static_cast<Eigen::Index>(k)] * s;
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
