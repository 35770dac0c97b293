// Lowest-order eigenbasis transform: fast sine transforms between mesh values
// and half-integer sine modes, and the generalized eigenvalue of each mode.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "transformations/fft/fftw_wrapper.hpp"

namespace velm {

struct EigenBasisTransformLowestOrder {
  std::uint64_t n_t;
  double T;
  FFTWwrapper forward_wrapper;  // DstII
  FFTWwrapper inverse_wrapper;  // DstIII
};

EigenBasisTransformLowestOrder make_eigen_basis_transform(std::uint64_t n_t, double T);

// Both throw std::invalid_argument (a ValueError in Python) when the input
// length differs from n_t.
std::vector<double> forward_transform(const EigenBasisTransformLowestOrder& e,
                                      std::span<const double> input);
std::vector<double> inverse_transform(const EigenBasisTransformLowestOrder& e,
                                      std::span<const double> input);

double get_generalized_eigenvalue(const EigenBasisTransformLowestOrder& e, std::uint64_t l,
                                  std::uint64_t n_terms);

// λ_0 … λ_{n_t − 1} on the process-wide data-parallel pool, each bit-identical
// to get_generalized_eigenvalue.
std::vector<double> get_generalized_eigenvalues(const EigenBasisTransformLowestOrder& e,
                                                std::uint64_t n_terms);

}  // namespace velm
