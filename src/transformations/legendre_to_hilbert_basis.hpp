// The Legendre-to-Hilbert-basis operator: per-degree transform, extension to
// n_modes modes and the compound filter, built once and applied many times.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "transformations/degree_dependent_transformations.hpp"
#include "transformations/sparse_matrix_tools.hpp"

namespace velm {

struct LegendreToHilbertBasis {
  CsrMatrix extension_matrix;
  CsrMatrix compound_filter;
  HilbertBasisTransformForSeparateDegrees transform;
  std::uint64_t n_modes;
  std::uint64_t n_t;
  std::uint64_t degree;
  bool is_cosine;
};

// basis_type must be exactly "sine" or "cosine"; checked before any matrix is
// built. The extension matrix is built before the filter.
LegendreToHilbertBasis make_legendre_to_hilbert_basis(std::uint64_t n_modes, std::uint64_t n_t,
                                                      std::uint64_t degree,
                                                      std::string_view basis_type);

// The first n_modes Hilbert-basis coefficients of the expansion whose first
// n_t·(degree + 1) values are `legendre_dofs` (degree-major).
std::vector<double> apply(const LegendreToHilbertBasis& op, std::span<const double> legendre_dofs);

// The per-degree transform alone, read column by column (degree-major). It is
// its own transpose, so it also serves as apply_ftt_transpose.
std::vector<double> apply_fft(const LegendreToHilbertBasis& op, std::span<const double> legendre_dofs);

}  // namespace velm
