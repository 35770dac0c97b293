#include "transformations/degree_dependent_transformations.hpp"

#include <cmath>

#include "common/checks.hpp"

namespace velm {

HilbertBasisTransformForSeparateDegrees make_hilbert_basis_transform(std::size_t n_t,
                                                                     std::size_t degree,
                                                                     bool is_cosine) {
  return {FFTWwrapper{n_t, TransformKind::DstIV}, FFTWwrapper{n_t, TransformKind::DctIV}, n_t, degree,
          is_cosine};
}

Eigen::MatrixXd forward(const HilbertBasisTransformForSeparateDegrees& transform,
                        const ConstMatrixView& input) {
  check_equal(static_cast<std::uint64_t>(input.cols()), transform.degree + 1,
              "HilbertBasisTransformForSeparateDegrees: forward: Number of columns of input matrix "
              "does not match degree + 1");
  check_equal(static_cast<std::uint64_t>(input.rows()), transform.n_t,
              "HilbertBasisTransformForSeparateDegrees: forward: Number of rows of input matrix "
              "does not match n_t");
  const auto n_t = static_cast<Eigen::Index>(transform.n_t);
  Eigen::MatrixXd result(n_t, input.cols());  // every column is written whole below
  for (Eigen::Index i = 0; i < input.cols(); ++i) {
    // Sine basis: DST-IV for even degrees, DCT-IV for odd ones, signs + + − −;
    // cosine basis: the kernels swapped, signs + − − +.
    const std::size_t phase = static_cast<std::size_t>(i) % 4;
    const bool sine_kernel = (phase % 2 == 0) != transform.is_cosine;
    const bool negative = transform.is_cosine ? (phase == 1 || phase == 2) : (phase >= 2);
    const FFTWwrapper& wrapper = sine_kernel ? transform.dst_iv_wrapper : transform.dct_iv_wrapper;
    const std::span<const double> column(input.data() + i * input.outerStride(),
                                         static_cast<std::size_t>(n_t));
    const std::span<double> destination(result.col(i).data(), static_cast<std::size_t>(n_t));
    forward_into(wrapper, column, destination);
    if (negative)
      for (double& value : destination) value = -value;  // flips the sign bit, zeros included
  }
  return result;
}

}  // namespace velm
