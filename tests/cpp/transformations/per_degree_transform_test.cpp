#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "reference_math.hpp"
#include "transformations/degree_dependent_transformations.hpp"

namespace velm {
namespace {

using testing_reference::failure_message;
using testing_reference::pi_ld;

struct Kernel {
  bool sine;
  int sign;
};

// The kernel and sign of degree i, read off the identities
// ∫ P_i(x)·e^{i·a·x} dx = 2·iⁱ·j_i(a) for the sine and cosine parts.
Kernel kernel_of(std::uint64_t i, bool is_cosine) {
  // Sine basis: + + − − with sin, cos, sin, cos; cosine basis: + − − + with cos, sin, cos, sin.
  const bool even = i % 2 == 0;
  const std::uint64_t phase = i % 4;
  if (is_cosine) return Kernel{!even, (phase == 1 || phase == 2) ? -1 : 1};
  return Kernel{even, phase >= 2 ? -1 : 1};
}

// out(k, i) = s_i·2·Σ_j d_{j,i}·φ_i(π(j + ½)(k + ½)/n_t), summed directly in long double.
long double direct_sum(const std::vector<double>& d, std::uint64_t n_t, std::uint64_t k, std::uint64_t i,
                       bool is_cosine) {
  const Kernel kernel = kernel_of(i, is_cosine);
  long double sum = 0.0L;
  for (std::uint64_t j = 0; j < n_t; ++j) {
    const long double angle = pi_ld * (j + 0.5L) * (k + 0.5L) / n_t;
    sum += d[i * n_t + j] * (kernel.sine ? std::sin(angle) : std::cos(angle));
  }
  return kernel.sign * 2.0L * sum;
}

using test_support::random_coefficients;

Eigen::MatrixXd transform(const std::vector<double>& d, std::uint64_t n_t, std::uint64_t degree,
                          bool is_cosine) {
  return forward(make_hilbert_basis_transform(n_t, degree, is_cosine), matrix_view(d, n_t, degree + 1));
}

struct TransformCase {
  std::uint64_t n_t;
  std::uint64_t degree;
  bool is_cosine;
};

class PerDegreeTransform : public testing::TestWithParam<TransformCase> {};

TEST_P(PerDegreeTransform, MatchesTheDirectSum) {
  const auto [n_t, degree, is_cosine] = GetParam();
  const std::vector<double> d = random_coefficients(n_t * (degree + 1), 17 * n_t + degree);
  const Eigen::MatrixXd out = transform(d, n_t, degree, is_cosine);
  ASSERT_EQ(out.rows(), static_cast<Eigen::Index>(n_t));
  ASSERT_EQ(out.cols(), static_cast<Eigen::Index>(degree + 1));
  // Round-off of a length-n_t transform of values in [−1, 1].
  const double tolerance = 8e-16 * static_cast<double>(n_t);
  for (std::uint64_t i = 0; i <= degree; ++i)
    for (std::uint64_t k = 0; k < n_t; ++k)
      EXPECT_NEAR(out(k, i), static_cast<double>(direct_sum(d, n_t, k, i, is_cosine)), tolerance)
          << "k " << k << ", degree " << i;
}

std::vector<TransformCase> all_transform_cases() {
  std::vector<TransformCase> cases;
  for (std::uint64_t n_t : {1u, 2u, 3u, 7u, 16u})
    for (std::uint64_t degree = 0; degree <= 4; ++degree)
      for (const bool is_cosine : {false, true}) cases.push_back({n_t, degree, is_cosine});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(SizesDegreesAndBases, PerDegreeTransform, testing::ValuesIn(all_transform_cases()));

// Both kernels give 2·sin(π/4) = 2·cos(π/4) = √2 on a single element.
TEST(PerDegreeTransform, OneElementGivesSignedRootTwo) {
  const std::vector<int> sine_signs{1, 1, -1, -1, 1}, cosine_signs{1, -1, -1, 1, 1};
  const std::vector<double> d{0.5, -1.25, 2.0, 3.0, -0.75};
  for (const bool is_cosine : {false, true}) {
    const Eigen::MatrixXd out = transform(d, 1, 4, is_cosine);
    for (std::uint64_t i = 0; i <= 4; ++i)
      EXPECT_NEAR(out(0, i), (is_cosine ? cosine_signs : sine_signs)[i] * std::sqrt(2.0) * d[i], 1e-15);
  }
}

TEST(PerDegreeTransform, ZeroInputGivesZeros) {
  for (const bool is_cosine : {false, true}) {
    const Eigen::MatrixXd out = transform(std::vector<double>(5 * 4, 0.0), 5, 3, is_cosine);
    EXPECT_TRUE((out.array() == 0.0).all());
  }
}

// Columns with the same kernel and opposite signs hold negated values, zeros
// included: the negation flips the sign bit.
TEST(PerDegreeTransform, NegatedColumnsFlipTheSignBit) {
  const std::uint64_t n_t = 6;
  std::vector<double> column = random_coefficients(n_t, 5);
  for (const std::vector<double>& values : {column, std::vector<double>(n_t, 0.0)}) {
    std::vector<double> d;
    for (int i = 0; i < 4; ++i) d.insert(d.end(), values.begin(), values.end());
    for (const bool is_cosine : {false, true}) {
      const Eigen::MatrixXd out = transform(d, n_t, 3, is_cosine);
      // Degrees 0 and 2, and 1 and 3, share their kernel and differ in sign
      // in both bases.
      for (std::uint64_t k = 0; k < n_t; ++k)
        for (const auto& [a, b] : {std::pair{0, 2}, std::pair{1, 3}}) {
          EXPECT_EQ(out(k, a), -out(k, b));
          EXPECT_NE(std::signbit(out(k, a)), std::signbit(out(k, b)));
        }
    }
  }
}

TEST(PerDegreeTransform, ColumnsAreIndependent) {
  const std::uint64_t n_t = 5, degree = 2;
  std::vector<double> d = random_coefficients(n_t * (degree + 1), 9);
  const Eigen::MatrixXd before = transform(d, n_t, degree, false);
  d[1 * n_t + 3] += 1.0;
  const Eigen::MatrixXd after = transform(d, n_t, degree, false);
  EXPECT_EQ(after.col(0), before.col(0));
  EXPECT_NE(after.col(1), before.col(1));
  EXPECT_EQ(after.col(2), before.col(2));
}

TEST(PerDegreeTransform, RefusesWrongShapesColumnsFirst) {
  const auto transform_3_2 = make_hilbert_basis_transform(3, 2, false);
  const std::vector<double> data(20, 1.0);
  const std::string columns =
      "assertion `left == right` failed: HilbertBasisTransformForSeparateDegrees: forward: Number of columns "
      "of "
      "input matrix does not match degree + 1\n  left: 2\n right: 3";
  const std::string rows =
      "assertion `left == right` failed: HilbertBasisTransformForSeparateDegrees: forward: Number of rows of "
      "input matrix does not match n_t\n  left: 4\n right: 3";
  EXPECT_EQ(failure_message([&] { forward(transform_3_2, matrix_view(data, 3, 2)); }), columns);
  EXPECT_EQ(failure_message([&] { forward(transform_3_2, matrix_view(data, 4, 3)); }), rows);
  EXPECT_EQ(failure_message([&] { forward(transform_3_2, matrix_view(data, 4, 2)); }), columns);
}

}  // namespace
}  // namespace velm
