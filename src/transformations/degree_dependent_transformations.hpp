// Per-degree transform of piecewise Legendre coefficients towards the
// half-integer sine or cosine basis.
#pragma once

#include <Eigen/Core>
#include <cstddef>

#include "common/matrix_view.hpp"
#include "transformations/fft/fftw_wrapper.hpp"

namespace velm {

struct HilbertBasisTransformForSeparateDegrees {
  FFTWwrapper dst_iv_wrapper;
  FFTWwrapper dct_iv_wrapper;
  std::size_t n_t;
  std::size_t degree;
  bool is_cosine;
};

HilbertBasisTransformForSeparateDegrees make_hilbert_basis_transform(std::size_t n_t,
                                                                     std::size_t degree,
                                                                     bool is_cosine);

// n_t × (degree + 1) result, column i the signed doubled DST-IV or DCT-IV of
// input column i. Checks the column count before the row count.
Eigen::MatrixXd forward(const HilbertBasisTransformForSeparateDegrees& transform,
                        const ConstMatrixView& input);

}  // namespace velm
