#include "transformations/sine_base_coefficients.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "reference_math.hpp"

namespace velm {
namespace {

using testing_reference::failure_message;
using testing_reference::pi_ld;

// a = (k + ½)π, the frequency of mode k on [0, 1].
long double frequency(std::uint64_t k) { return (k + 0.5L) * pi_ld; }
long double alternating(std::uint64_t k) { return k % 2 == 0 ? 1.0L : -1.0L; }

// Values of g(s) at the n_t·degree + 1 equidistant nodes s = m/(n_t·degree) of [0, 1].
std::vector<double> nodal_values(std::uint64_t n_t, std::uint64_t degree,
                                 const std::function<double(double)>& g) {
  const std::uint64_t count = n_t * degree + 1;
  std::vector<double> values(count);
  for (std::uint64_t m = 0; m < count; ++m)
    values[m] = g(static_cast<double>(m) / static_cast<double>(count - 1));
  return values;
}

struct Polynomial {
  const char* name;
  std::uint64_t lowest_degree;  // interpolated exactly from this degree on
  std::function<double(double)> g;
  // 2·∫_0^1 g(s)·sin(a·s) ds, with cos a = 0 and sin a = (−1)^k
  std::function<long double(std::uint64_t)> coefficient;
};

const std::vector<Polynomial>& polynomials() {
  static const std::vector<Polynomial> all{
      {"one", 1, [](double) { return 1.0; }, [](std::uint64_t k) { return 2.0L / frequency(k); }},
      {"t/T", 1, [](double s) { return s; },
       [](std::uint64_t k) { return 2.0L * alternating(k) / (frequency(k) * frequency(k)); }},
      {"(t/T)^2", 2, [](double s) { return s * s; },
       [](std::uint64_t k) {
         const long double a = frequency(k);
         return 4.0L * alternating(k) / (a * a) - 4.0L / (a * a * a);
       }},
  };
  return all;
}

TEST(SineBaseCoefficients, ReproduceClosedFormsOfLowDegreePolynomials) {
  double worst = 0.0;
  for (const Polynomial& p : polynomials())
    for (std::uint64_t degree = p.lowest_degree; degree <= 4; ++degree)
      for (std::uint64_t n_t : {1u, 3u, 8u})
        for (std::uint64_t n_modes : {5u, 40u}) {
          const std::vector<double> got =
              compute_sine_base_coefficients(n_modes, nodal_values(n_t, degree, p.g), n_t, degree, 1.0);
          ASSERT_EQ(got.size(), n_modes);
          for (std::uint64_t k = 0; k < n_modes; ++k) {
            const double error = static_cast<double>(std::fabs(got[k] - p.coefficient(k)));
            worst = std::max(worst, error);
            EXPECT_LE(error, 4e-15) << p.name << ", degree " << degree << ", n_t " << n_t << ", mode " << k;
          }
        }
  std::printf("compute_sine_base_coefficients vs closed forms: largest error %.3g\n", worst);
}

// T only places the nodes, which the conversion does not use.
TEST(SineBaseCoefficients, DoNotDependOnTheIntervalLength) {
  std::mt19937_64 generator(11);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  std::vector<double> dofs(3 * 4 + 1);
  for (double& v : dofs) v = uniform(generator);
  const std::vector<double> reference = compute_sine_base_coefficients(17, dofs, 4, 3, 1.0);
  for (const double T :
       {3.7, 0.0, -2.0, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
    EXPECT_EQ(compute_sine_base_coefficients(17, dofs, 4, 3, T), reference) << T;
}

TEST(SineBaseCoefficients, NoModesGiveAnEmptyList) {
  EXPECT_TRUE(compute_sine_base_coefficients(0, std::vector<double>(7, 1.0), 3, 2, 1.0).empty());
}

TEST(SineBaseCoefficients, FailuresInTheirOrder) {
  const auto length_message = [](std::uint64_t left, std::uint64_t right) {
    return "assertion `left == right` failed: Input lagrange_vals length does not match expected number of "
           "DOFs.\n  left: " +
           std::to_string(left) + "\n right: " + std::to_string(right);
  };
  const std::vector<double> seven(7, 1.0), nine(9, 1.0), one{1.0}, two{1.0, 2.0};
  EXPECT_EQ(failure_message([&] { compute_sine_base_coefficients(4, seven, 4, 2, 1.0); }),
            length_message(7, 9));
  EXPECT_EQ(failure_message([&] { compute_sine_base_coefficients(4, nine, 2, 2, 1.0); }),
            length_message(9, 5));
  EXPECT_EQ(failure_message([&] { compute_sine_base_coefficients(4, one, 3, 0, 1.0); }),
            "Lagrange to Legendre conversion not meaningful for degree 0");
  // With degree 0 a wrong length is reported first.
  EXPECT_EQ(failure_message([&] { compute_sine_base_coefficients(4, two, 3, 0, 1.0); }),
            length_message(2, 1));
  EXPECT_EQ(failure_message([&] { compute_sine_base_coefficients(1, one, 0, 2, 1.0); }),
            "attempt to calculate the remainder with a divisor of zero");
}

// a_k = (2/n_t)·(sin x_k/x_k)·Σ_j c_j·sin((k + ½)(j + ½)π/n_t), x_k = (k + ½)π/(2n_t).
long double pw_constant_coefficient(const std::vector<double>& c, std::uint64_t k) {
  const std::uint64_t n_t = c.size();
  const long double x = frequency(k) / (2 * n_t);
  long double sum = 0.0L;
  for (std::uint64_t j = 0; j < n_t; ++j) sum += c[j] * std::sin(frequency(k) * (j + 0.5L) / n_t);
  return 2.0L / n_t * (std::sin(x) / x) * sum;
}

TEST(SineBaseCoefficientsPwConstants, MatchTheClosedForm) {
  std::mt19937_64 generator(23);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  for (std::uint64_t n_t : {1u, 2u, 4u, 9u, 16u})
    for (std::uint64_t n_modes : {std::uint64_t{1}, n_t, 3 * n_t + 2}) {
      std::vector<double> c(n_t);
      for (double& v : c) v = uniform(generator);
      const std::vector<double> got = compute_sine_base_coefficients_pw_constants(n_modes, c, n_t);
      ASSERT_EQ(got.size(), n_modes);
      for (std::uint64_t k = 0; k < n_modes; ++k)
        EXPECT_NEAR(got[k], static_cast<double>(pw_constant_coefficient(c, k)), 2e-16 * (n_t + 2))
            << "n_t " << n_t << ", mode " << k;
    }
}

TEST(SineBaseCoefficientsPwConstants, OnesAndSingleElementsHaveTheConstantCoefficients) {
  for (std::uint64_t n_t : {1u, 6u}) {
    const std::vector<double> got =
        compute_sine_base_coefficients_pw_constants(20, std::vector<double>(n_t, 1.0), n_t);
    for (std::uint64_t k = 0; k < got.size(); ++k)
      EXPECT_NEAR(got[k], static_cast<double>(2.0L / frequency(k)), 1e-15) << k;
  }
  const std::vector<double> single =
      compute_sine_base_coefficients_pw_constants(5, std::vector<double>{-2.5}, 1);
  for (std::uint64_t k = 0; k < single.size(); ++k)
    EXPECT_NEAR(single[k], static_cast<double>(-5.0L / frequency(k)), 2e-15) << k;
}

TEST(SineBaseCoefficientsPwConstants, EmptyAndFailingCases) {
  EXPECT_TRUE(compute_sine_base_coefficients_pw_constants(0, {}, 0).empty());
  EXPECT_EQ(failure_message([] { compute_sine_base_coefficients_pw_constants(1, {}, 0); }),
            "attempt to calculate the remainder with a divisor of zero");
  const auto rows_message = [](std::uint64_t left, std::uint64_t right) {
    return "assertion `left == right` failed: HilbertBasisTransformForSeparateDegrees: forward: Number of "
           "rows "
           "of input matrix does not match n_t\n  left: " +
           std::to_string(left) + "\n right: " + std::to_string(right);
  };
  EXPECT_EQ(
      failure_message([] { compute_sine_base_coefficients_pw_constants(3, std::vector<double>(5, 1.0), 4); }),
      rows_message(5, 4));
  EXPECT_EQ(
      failure_message([] { compute_sine_base_coefficients_pw_constants(3, std::vector<double>(3, 1.0), 4); }),
      rows_message(3, 4));
}

}  // namespace
}  // namespace velm
