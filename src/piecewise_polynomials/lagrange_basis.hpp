// Lagrange nodes of the uniform mesh and the conversion of values at them to
// Legendre coefficients.
#pragma once

#include <Eigen/Core>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "transformations/sparse_matrix_tools.hpp"

namespace velm {

struct LagrangeBasis {
  std::vector<std::pair<double, double>> elements;  // (i·h, h + i·h)
  std::vector<double> nodes;                         // n_t·degree + 1 nodes, the last exactly T
  std::uint64_t degree;
  std::uint64_t n_t;
  double T;
};

LagrangeBasis make_lagrange_basis(std::uint64_t degree, std::uint64_t n_t, double T);

// M with c = Mᵀ·u on the reference element [−1, 1]; (degree + 1)².
Eigen::MatrixXd lagrange_to_legendre_unit_interval(std::uint64_t degree);

// n_t × (degree + 1) Legendre coefficient matrix of the Lagrange values.
Eigen::MatrixXd to_legendre_basis_vals(const LagrangeBasis& basis,
                                       std::span<const double> lagrange_vals);

// The n_t × N rows of the global conversion matrix that belong to degree k.
CsrMatrix to_legendre_basis_matrix_for_pol_degree(const LagrangeBasis& basis, std::uint64_t k);

// The global conversion matrix A: n_t·(degree + 1) × N, stored zeros kept.
CsrMatrix get_transormation_matrix_to_legendre(const LagrangeBasis& basis);

}  // namespace velm
