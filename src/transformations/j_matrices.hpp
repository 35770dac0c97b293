// The compound filter: spherical Bessel weights per degree, summed over degrees.
#pragma once

#include <cstdint>

#include "transformations/sparse_matrix_tools.hpp"

namespace velm {

// n_modes × (degree + 1)·n_modes: block d is diag(j_d(x_k)),
// x_k = (((k + 0.5)·π)·(1/n_t))·0.5.
CsrMatrix get_compound_filter(std::uint64_t n_modes, std::uint64_t n_t, std::uint64_t degree);

// j_d(x) for d ≥ 0 and x > 0, accurate also where d exceeds x by far.
double spherical_bessel_j(unsigned order, double x);

// j_0(x) … j_max_order(x) into out[0 … max_order], all orders of one argument
// together.
void spherical_bessel_j_up_to(unsigned max_order, double x, double* out);

}  // namespace velm
