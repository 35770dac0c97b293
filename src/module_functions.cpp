#include "module_functions.hpp"

#include "piecewise_polynomials/lagrange_basis.hpp"

namespace velm {

std::string sum_as_string(std::uint64_t a, std::uint64_t b) { return std::to_string(a + b); }

std::vector<double> get_lagrange_points(std::uint64_t degree, std::uint64_t n_t, double T) {
  return make_lagrange_basis(degree, n_t, T).nodes;
}

Triplets lagrange_to_legendre_basis_transformation(std::uint64_t degree, std::uint64_t n_t) {
  const LagrangeBasis basis = make_lagrange_basis(degree, n_t, 1.0);
  return csr_to_triplets(get_transormation_matrix_to_legendre(basis));
}

Triplets extension_matrix_triplets(const LegendreToHilbertBasis& op) {
  return csr_to_triplets(op.extension_matrix);
}

Triplets compound_filter_triplets(const LegendreToHilbertBasis& op) {
  return csr_to_triplets(op.compound_filter);
}

}  // namespace velm
