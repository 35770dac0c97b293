// Module-level operations as Python calls them, each a thin adapter over the
// core, and the triplet getters of LegendreToHilbertBasis.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "transformations/legendre_to_hilbert_basis.hpp"
#include "transformations/sparse_matrix_tools.hpp"

namespace velm {

// Decimal text of a + b, wrapping modulo 2^64.
std::string sum_as_string(std::uint64_t a, std::uint64_t b);

std::vector<double> get_lagrange_points(std::uint64_t degree, std::uint64_t n_t, double T);

// The global Lagrange-to-Legendre conversion matrix (T does not enter it).
Triplets lagrange_to_legendre_basis_transformation(std::uint64_t degree, std::uint64_t n_t);

Triplets extension_matrix_triplets(const LegendreToHilbertBasis& op);
Triplets compound_filter_triplets(const LegendreToHilbertBasis& op);

}  // namespace velm
