#include "piecewise_polynomials/lagrange_basis.hpp"

#include <Eigen/LU>
#include <stdexcept>
#include <string>

#include "common/checks.hpp"
#include "common/sizes.hpp"
#include "piecewise_polynomials/legendre_basis.hpp"

namespace velm {
namespace {

// n_t·degree + 1, refused before anything is allocated when it does not fit.
std::uint64_t dof_count(std::uint64_t degree, std::uint64_t n_t) {
  const std::uint64_t product = checked_product(n_t, degree, "n_t·degree");
  if (product == UINT64_MAX) throw std::overflow_error("n_t·degree + 1 does not fit in 64 bits");
  return product + 1;
}

// (k·(b − a))/degree + a: the product first, then the division, then the shift.
double equidistant_node(std::uint64_t k, double a, double b, std::uint64_t degree) {
  return (static_cast<double>(k) * (b - a)) / static_cast<double>(degree) + a;
}

Eigen::MatrixXd fixed_reference_matrix(std::uint64_t degree) {
  Eigen::MatrixXd m(degree + 1, degree + 1);
  if (degree == 1) {
    m << 0.5, -0.5,  //
        0.5, 0.5;
  } else {
    m << 1.0 / 6.0, -0.5, 1.0 / 3.0,  //
        2.0 / 3.0, 0.0, -2.0 / 3.0,   //
        1.0 / 6.0, 0.5, 1.0 / 3.0;
  }
  return m;
}

}  // namespace

LagrangeBasis make_lagrange_basis(std::uint64_t degree, std::uint64_t n_t, double T) {
  LagrangeBasis basis{{}, {}, degree, n_t, T};
  const double h = T / static_cast<double>(n_t);
  // Both sizes are checked before either list is allocated.
  const std::uint64_t node_count = check_allocatable(dof_count(degree, n_t), 8, "n_t·degree + 1 Lagrange nodes");
  basis.elements.reserve(check_allocatable(n_t, 16, "n_t mesh elements"));
  for (std::uint64_t i = 0; i < n_t; ++i) {
    const double start = static_cast<double>(i) * h;
    basis.elements.emplace_back(start, h + start);
  }
  basis.nodes.reserve(node_count);
  for (const auto& [a, b] : basis.elements)
    for (std::uint64_t k = 0; k < degree; ++k) basis.nodes.push_back(equidistant_node(k, a, b, degree));
  basis.nodes.push_back(T);
  return basis;
}

Eigen::MatrixXd lagrange_to_legendre_unit_interval(std::uint64_t degree) {
  if (degree == 0) fail("Lagrange to Legendre conversion not meaningful for degree 0");
  if (degree <= 2) return fixed_reference_matrix(degree);
  check_allocatable(checked_product(degree_count(degree), degree + 1, "(degree + 1)²"), 8,
                    "(degree + 1)² reference matrix entries");
  const auto n = static_cast<Eigen::Index>(degree + 1);
  Eigen::MatrixXd vandermonde(n, n);
  for (Eigen::Index i = 0; i < n; ++i) {
    const double xi = equidistant_node(static_cast<std::uint64_t>(i), -1.0, 1.0, degree);
    for (Eigen::Index k = 0; k < n; ++k)
      vandermonde(k, i) = legendre_polynomial(static_cast<std::uint64_t>(k), xi);
  }
  Eigen::FullPivLU<Eigen::MatrixXd> lu(vandermonde);
  // Only an exactly zero pivot means no inverse; Eigen's default rank
  // threshold would refuse the (ill-conditioned but invertible) high degrees.
  lu.setThreshold(0.0);
  if (!lu.isInvertible())
    fail("Failed to invert Vandermonde matrix for Lagrange to Legendre conversion.");
  return lu.inverse();
}

Eigen::MatrixXd to_legendre_basis_vals(const LagrangeBasis& basis,
                                       std::span<const double> lagrange_vals) {
  const std::uint64_t d = basis.degree;
  check_equal(lagrange_vals.size(), dof_count(d, basis.n_t),
              "Input lagrange_vals length does not match expected number of DOFs.");
  const Eigen::MatrixXd m = lagrange_to_legendre_unit_interval(d);
  Eigen::MatrixXd result = Eigen::MatrixXd::Zero(static_cast<Eigen::Index>(basis.n_t),
                                                 static_cast<Eigen::Index>(d + 1));
  for (std::uint64_t e = 0; e < basis.n_t; ++e) {
    const double* u = lagrange_vals.data() + e * d;
    for (Eigen::Index k = 0; k <= static_cast<Eigen::Index>(d); ++k) {
      double c = m(0, k) * u[0];
      for (std::uint64_t i = 1; i <= d; ++i) c = c + m(static_cast<Eigen::Index>(i), k) * u[i];
      result(static_cast<Eigen::Index>(e), k) = c;
    }
  }
  return result;
}

CsrMatrix to_legendre_basis_matrix_for_pol_degree(const LagrangeBasis& basis, std::uint64_t k) {
  const Eigen::MatrixXd m = lagrange_to_legendre_unit_interval(basis.degree);
  if (k >= static_cast<std::uint64_t>(m.cols())) fail("Matrix slicing out of bounds.");
  CoordinateList list = make_coordinate_list(basis.n_t, basis.nodes.size());
  const std::uint64_t entries = check_allocatable(
      checked_product(basis.n_t, basis.degree + 1, "n_t·(degree + 1)"), 24, "n_t·(degree + 1) matrix entries");
  list.rows.reserve(entries);
  list.cols.reserve(entries);
  list.values.reserve(entries);
  for (std::uint64_t e = 0; e < basis.n_t; ++e)
    for (std::uint64_t i = 0; i <= basis.degree; ++i)
      append(list, e, e * basis.degree + i, m(static_cast<Eigen::Index>(i), static_cast<Eigen::Index>(k)));
  return to_csr(list);
}

CsrMatrix get_transormation_matrix_to_legendre(const LagrangeBasis& basis) {
  std::vector<CsrMatrix> blocks;
  blocks.reserve(check_allocatable(degree_count(basis.degree), sizeof(CsrMatrix), "degree + 1 matrix blocks"));
  for (std::uint64_t k = 0; k <= basis.degree; ++k)
    blocks.push_back(to_legendre_basis_matrix_for_pol_degree(basis, k));
  BlockGrid grid{basis.degree + 1, 1, {}};
  for (const CsrMatrix& block : blocks) grid.blocks.push_back(&block);
  return csr_block_from_ndarray(grid);
}

}  // namespace velm
