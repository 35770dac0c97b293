#include "piecewise_polynomials/legendre_basis.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace velm {
namespace {

// P_k(x) from mpmath.legendre at 40 digits.
struct LegendreCase {
  std::uint64_t k;
  double x;
  double value;
};

class LegendreValues : public testing::TestWithParam<LegendreCase> {};

TEST_P(LegendreValues, MatchTheReference) {
  const auto [k, x, value] = GetParam();
  EXPECT_NEAR(legendre_polynomial(k, x), value, 1e-14 * std::max(1.0, std::abs(value)));
}

INSTANTIATE_TEST_SUITE_P(Mpmath, LegendreValues,
                         testing::Values(LegendreCase{0, 0.4, 1.0}, LegendreCase{1, -0.25, -0.25},
                                         LegendreCase{2, 0.3, -0.365}, LegendreCase{5, -0.7, 0.36519875},
                                         LegendreCase{10, 0.123, -0.066973473951059745132},
                                         LegendreCase{17, 0.99, -0.037087541336668164637},
                                         LegendreCase{25, -0.5, -0.12038111686933206101}));

TEST(LegendreValues, EndsAreExactlyPlusMinusOne) {
  for (std::uint64_t k = 0; k < 40; ++k) {
    EXPECT_EQ(legendre_polynomial(k, 1.0), 1.0);
    EXPECT_EQ(legendre_polynomial(k, -1.0), k % 2 == 0 ? 1.0 : -1.0);
  }
}

double evaluate_at(const LegendreBasis& basis, const std::vector<double>& c, double t) {
  return evaluate(basis, matrix_view(c, basis.n_t, basis.degree + 1), t);
}

double derivative_at(const LegendreBasis& basis, const std::vector<double>& c, double t) {
  return evaluate_derivative(basis, matrix_view(c, basis.n_t, basis.degree + 1), t);
}

TEST(Evaluate, PiecewiseLinearExample) {
  const LegendreBasis basis{1, 2, 1.0};
  const std::vector<double> c{1.0, 2.0, 10.0, 20.0};
  EXPECT_EQ(evaluate_at(basis, c, 0.25), 1.0);
  EXPECT_EQ(evaluate_at(basis, c, 0.75), 2.0);
  EXPECT_EQ(derivative_at(basis, c, 0.1), 40.0);
  EXPECT_EQ(derivative_at(basis, c, 0.0), 40.0);
  EXPECT_EQ(evaluate_all_basis_functions(basis, 0.75), (std::vector<double>{0.0, 1.0, 0.0, 0.0}));
}

TEST(Evaluate, DerivativeAtTheEndsUsesTheShiftedDenominator) {
  const LegendreBasis basis{2, 1, 2.0};
  const std::vector<double> c{0.0, 0.0, 1.0};  // u = P_2(t − 1)
  EXPECT_EQ(derivative_at(basis, c, 0.0), 0.0);
  EXPECT_NEAR(derivative_at(basis, c, 1.5), 1.5, 1e-14);
  EXPECT_NEAR(derivative_at(basis, c, 0.5), -1.5, 1e-14);
}

TEST(Evaluate, OutsideTheIntervalAndSpecialTimes) {
  const LegendreBasis basis{1, 2, 1.0};
  const std::vector<double> c{1.0, 2.0, 10.0, 20.0};
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(evaluate_at(basis, c, -3.0), -9.0);
  EXPECT_EQ(evaluate_at(basis, c, -inf), -9.0);
  EXPECT_EQ(evaluate_at(basis, c, 1.0), 22.0);
  EXPECT_EQ(evaluate_at(basis, c, 1e300), 22.0);
  EXPECT_EQ(evaluate_at(basis, c, inf), 22.0);
  EXPECT_TRUE(std::isnan(evaluate_at(basis, c, std::nan(""))));
  const LegendreBasis constant{0, 3, 1.0};
  EXPECT_EQ(evaluate_at(constant, {4.0, 5.0, 6.0}, std::nan("")), 4.0);
  EXPECT_EQ(derivative_at(constant, {4.0, 5.0, 6.0}, 0.5), 0.0);
}

TEST(Evaluate, AllBasisFunctionsReproduceTheExpansion) {
  const LegendreBasis basis{4, 3, 1.5};
  std::vector<double> c(15);
  for (std::size_t i = 0; i < c.size(); ++i) c[i] = std::sin(1.0 + static_cast<double>(i));
  for (double t : {0.01, 0.3, 0.5, 0.77, 1.2, 1.49}) {
    const auto values = evaluate_all_basis_functions(basis, t);
    const auto derivatives = evaluate_all_basis_function_derivatives(basis, t);
    long double value = 0, derivative = 0;
    for (std::size_t i = 0; i < c.size(); ++i) {
      value += static_cast<long double>(values[i]) * c[i];
      derivative += static_cast<long double>(derivatives[i]) * c[i];
    }
    EXPECT_NEAR(static_cast<double>(value), evaluate_at(basis, c, t), 1e-14);
    EXPECT_NEAR(static_cast<double>(derivative), derivative_at(basis, c, t), 1e-12);
  }
}

TEST(Evaluate, DerivativeAgainstFiniteDifferences) {
  const LegendreBasis basis{6, 4, 2.0};
  std::vector<double> c(28);
  for (std::size_t i = 0; i < c.size(); ++i) c[i] = std::cos(0.3 * static_cast<double>(i));
  for (double t : {0.2, 0.7, 1.1, 1.8}) {
    const double step = 1e-6;
    const double difference = (evaluate_at(basis, c, t + step) - evaluate_at(basis, c, t - step)) / (2 * step);
    EXPECT_NEAR(derivative_at(basis, c, t), difference, 1e-6 * std::max(1.0, std::abs(difference)));
  }
}

}  // namespace
}  // namespace velm
