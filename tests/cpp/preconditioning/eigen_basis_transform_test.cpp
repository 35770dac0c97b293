#include "preconditioning/eigen_basis_transform.hpp"

#include <gtest/gtest.h>
#include <tbb/global_control.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <thread>

namespace velm {
namespace {

TEST(EigenBasisTransform, LengthChecks) {
  const auto e = make_eigen_basis_transform(4, 1.0);
  try {
    forward_transform(e, std::vector<double>(3));
    FAIL();
  } catch (const std::invalid_argument& error) {
    EXPECT_STREQ(error.what(), "EigenBasisTransformLowestOrder: forward_transform: input length 3 does not match n_t 4");
  }
  try {
    inverse_transform(e, std::vector<double>(5));
    FAIL();
  } catch (const std::invalid_argument& error) {
    EXPECT_STREQ(error.what(), "EigenBasisTransformLowestOrder: inverse_transform: input length 5 does not match n_t 4");
  }
}

TEST(EigenBasisTransform, SmallCasesAndRoundTrips) {
  const auto two = make_eigen_basis_transform(2, 1.0);
  const auto y = forward_transform(two, std::vector<double>{0.7, -1.9});
  EXPECT_NEAR(y[0], (0.7 - 1.9) / std::sqrt(2.0), 1e-15);
  EXPECT_NEAR(y[1], 0.7 + 1.9, 1e-15);
  for (std::size_t n : {1, 2, 3, 8, 31, 256, 1000}) {
    const auto e = make_eigen_basis_transform(n, 2.0);
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i) x[i] = std::sin(1.3 * i) - 0.2;
    const auto back = inverse_transform(e, forward_transform(e, x));
    const auto there = forward_transform(e, inverse_transform(e, x));
    for (std::size_t i = 0; i < n; ++i) {
      EXPECT_NEAR(back[i], x[i], 1e-13 * std::sqrt(n));
      EXPECT_NEAR(there[i], x[i], 1e-13 * std::sqrt(n));
    }
  }
}

// λ_l from mpmath at 40 digits: the closed form with the exact series.
struct EigenCase {
  std::uint64_t l, n_terms, n_t;
  double T, value;
};

class Eigenvalue : public testing::TestWithParam<EigenCase> {};

TEST_P(Eigenvalue, MatchesMpmath) {
  const auto c = GetParam();
  const double value = get_generalized_eigenvalue(make_eigen_basis_transform(c.n_t, c.T), c.l, c.n_terms);
  EXPECT_NEAR(value, c.value, 1e-13 * std::abs(c.value));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Eigenvalue,
    testing::Values(EigenCase{0, 1, 1, 1.0, 1.6054097140081523505}, EigenCase{0, 50, 4, 1.0, 1.57168311338538942},
                    EigenCase{3, 100, 8, 2.5, 4.5055683372699062266},
                    EigenCase{15, 7, 16, 0.25, 207.33026070077946299},
                    EigenCase{99, 1000, 100, 10.0, 32.561899423299915747},
                    // l ≥ 2·n_t: the series with its negative integers, not wrapped ones
                    EigenCase{9, 3, 2, 1.0, -3.3016312562096870763}));

TEST(Eigenvalue, EdgeCases) {
  const double empty = get_generalized_eigenvalue(make_eigen_basis_transform(4, 1.0), 2, 0);
  EXPECT_EQ(empty, 0.0);
  EXPECT_TRUE(std::signbit(empty));
  EXPECT_TRUE(get_generalized_eigenvalues(make_eigen_basis_transform(0, 1.0), 5).empty());
  EXPECT_TRUE(std::isnan(get_generalized_eigenvalue(make_eigen_basis_transform(0, 1.0), 0, 5)));
  EXPECT_EQ(get_generalized_eigenvalue(make_eigen_basis_transform(4, 0.0), 1, 3),
            std::numeric_limits<double>::infinity());
  EXPECT_LT(get_generalized_eigenvalue(make_eigen_basis_transform(4, -1.0), 1, 3), 0.0);
}

TEST(Eigenvalue, ListIsBitIdenticalForAnyThreadCount) {
  const auto e = make_eigen_basis_transform(3001, 1.7);
  std::vector<double> single(e.n_t);
  for (std::uint64_t l = 0; l < e.n_t; ++l) single[l] = get_generalized_eigenvalue(e, l, 200);
  EXPECT_EQ(get_generalized_eigenvalues(e, 200), single);
  {
    tbb::global_control one_thread(tbb::global_control::max_allowed_parallelism, 1);
    EXPECT_EQ(get_generalized_eigenvalues(e, 200), single);
  }
  EXPECT_EQ(get_generalized_eigenvalues(e, 200), single);
}

// Several threads use the pool and the plan cache at once.
TEST(Eigenvalue, ConcurrentCallersShareThePoolAndThePlans) {
  const auto e = make_eigen_basis_transform(700, 1.3);
  const auto values = get_generalized_eigenvalues(e, 50);
  std::vector<double> x(700);
  for (std::size_t i = 0; i < x.size(); ++i) x[i] = std::cos(0.01 * i);
  const auto transformed = forward_transform(e, x);
  std::vector<int> mismatches(4, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      for (int round = 0; round < 10; ++round) {
        mismatches[t] += get_generalized_eigenvalues(e, 50) != values;
        mismatches[t] += forward_transform(e, x) != transformed;
      }
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace velm
