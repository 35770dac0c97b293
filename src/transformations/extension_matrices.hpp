// The compound extension matrix: continuation of n_t transform values to any
// number of modes by folding and period signs.
#pragma once

#include <cstdint>

#include "transformations/sparse_matrix_tools.hpp"

namespace velm {

// (degree + 1)·n_modes × (degree + 1)·n_t, block diagonal with E+ or E− per
// degree. n_t = 0 with n_modes ≥ 1 stops before dividing by zero.
CsrMatrix get_compound_extension_matrix(std::uint64_t n_t, std::uint64_t n_modes,
                                        std::uint64_t degree, bool is_cosine);

}  // namespace velm
