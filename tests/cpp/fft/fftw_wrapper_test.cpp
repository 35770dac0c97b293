#include "transformations/fft/fftw_wrapper.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

#include <cmath>
#include <random>
#include <thread>

#include "common/checks.hpp"

namespace velm {
namespace {

constexpr long double pi_l = 3.141592653589793238462643383279502884L;

// The doubled sums, directly in long double. Every angle is π·m/(4N) for an
// integer m taken modulo 8N, so one table of sines serves all N² terms.
std::vector<long double> direct(TransformKind kind, const std::vector<double>& x) {
  const std::size_t n = x.size();
  const std::size_t period = 8 * n;
  std::vector<long double> sine(period);
  for (std::size_t m = 0; m < period; ++m) sine[m] = std::sin(pi_l * m / (4.0L * n));
  const auto sin_at = [&](std::size_t m) { return sine[m % period]; };
  const auto cos_at = [&](std::size_t m) { return sine[(m + 2 * n) % period]; };
  std::vector<long double> y(n, 0.0L);
  for (std::size_t k = 0; k < n; ++k) {
    long double sum = 0.0L;
    for (std::size_t j = 0; j < n; ++j) {
      switch (kind) {
        case TransformKind::DctIV: sum += x[j] * cos_at((2 * j + 1) * (2 * k + 1)); break;
        case TransformKind::DstIV: sum += x[j] * sin_at((2 * j + 1) * (2 * k + 1)); break;
        case TransformKind::DstII: sum += x[j] * sin_at((2 * j + 1) * (2 * k + 2)); break;
        case TransformKind::DstIII:
          if (j + 1 < n) sum += x[j] * sin_at((2 * j + 2) * (2 * k + 1));
          break;
      }
    }
    const long double last = kind == TransformKind::DstIII ? (k % 2 == 0 ? 1.0L : -1.0L) * x[n - 1] : 0.0L;
    y[k] = 2 * sum + last;
  }
  return y;
}

using test_support::random_values;

struct Case {
  TransformKind kind;
  std::size_t length;
};

class Transform : public testing::TestWithParam<Case> {};

TEST_P(Transform, MatchesTheDoubledSum) {
  const auto [kind, n] = GetParam();
  const std::vector<double> x = random_values(n, static_cast<unsigned>(n) + 7);
  const std::vector<double> copy = x;
  const std::vector<double> y = forward(FFTWwrapper{n, kind}, x);
  ASSERT_EQ(y.size(), n);
  EXPECT_EQ(x, copy);
  const std::vector<long double> reference = direct(kind, x);
  long double norm = 0, error = 0;
  for (std::size_t k = 0; k < n; ++k) {
    norm = std::max(norm, std::abs(reference[k]));
    error = std::max(error, std::abs(y[k] - reference[k]));
  }
  const double ulps = n ? static_cast<double>(error / norm) / 2.220446049250313e-16 : 0.0;
  EXPECT_LE(ulps, 4.0 * (1.0 + std::log2(static_cast<double>(n) + 1.0))) << "n=" << n;
  EXPECT_EQ(forward(FFTWwrapper{n, kind}, x), y);  // reused plan, same bits
}

std::vector<Case> all_cases() {
  std::vector<Case> cases;
  for (auto kind : {TransformKind::DctIV, TransformKind::DstIV, TransformKind::DstII, TransformKind::DstIII})
    for (std::size_t n : {0, 1, 2, 3, 17, 64, 1000, 10007}) cases.push_back({kind, n});
  return cases;
}
INSTANTIATE_TEST_SUITE_P(AllKinds, Transform, testing::ValuesIn(all_cases()));

TEST(Transform, WorkedValues) {
  const double r2 = std::sqrt(2.0);
  EXPECT_NEAR(forward({1, TransformKind::DctIV}, std::vector<double>{3.0})[0], 3 * r2, 1e-15);
  EXPECT_NEAR(forward({1, TransformKind::DstIV}, std::vector<double>{3.0})[0], 3 * r2, 1e-15);
  EXPECT_EQ(forward({1, TransformKind::DstII}, std::vector<double>{3.0})[0], 6.0);
  EXPECT_EQ(forward({1, TransformKind::DstIII}, std::vector<double>{3.0})[0], 3.0);
  const auto a = forward({2, TransformKind::DstII}, std::vector<double>{1.0, 0.0});
  EXPECT_NEAR(a[0], r2, 1e-15);
  EXPECT_NEAR(a[1], 2.0, 1e-15);
  const auto b = forward({2, TransformKind::DstIII}, std::vector<double>{0.0, 1.0});
  EXPECT_NEAR(b[0], 1.0, 1e-15);
  EXPECT_NEAR(b[1], -1.0, 1e-15);
  const auto c = forward({2, TransformKind::DstIII}, std::vector<double>{1.0, 0.0});
  EXPECT_NEAR(c[0], r2, 1e-15);
  EXPECT_NEAR(c[1], r2, 1e-15);
}

TEST(Transform, DoubleApplicationGivesTwoNTimesTheInput) {
  for (std::size_t n : {1, 2, 5, 16, 17, 64, 127}) {
    const auto x = random_values(n, 3);
    const auto check = [&](TransformKind first, TransformKind second) {
      const auto y = forward({n, second}, forward({n, first}, x));
      for (std::size_t k = 0; k < n; ++k) EXPECT_NEAR(y[k], 2.0 * n * x[k], 1e-13 * n * n) << n;
    };
    check(TransformKind::DctIV, TransformKind::DctIV);
    check(TransformKind::DstIV, TransformKind::DstIV);
    check(TransformKind::DstII, TransformKind::DstIII);
    check(TransformKind::DstIII, TransformKind::DstII);
  }
}

TEST(Transform, LengthMismatchStops) {
  try {
    forward({4, TransformKind::DstIV}, std::vector<double>(3));
    FAIL() << "no failure";
  } catch (const CheckFailure& failure) {
    EXPECT_EQ(failure.message(), "assertion `left == right` failed\n  left: 3\n right: 4");
  }
}

TEST(Transform, ConcurrentCallersAgreeWithOneThread) {
  // More lengths than the plan cache holds, so plans are made and evicted
  // while other threads execute theirs.
  std::vector<std::vector<double>> expected;
  for (std::size_t n = 1; n <= 100; ++n) expected.push_back(forward({n, TransformKind::DstIV}, random_values(n, 1)));
  std::vector<std::thread> threads;
  std::vector<int> mismatches(4, 0);
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      for (int round = 0; round < 5; ++round)
        for (std::size_t n = 1; n <= 100; ++n)
          mismatches[t] += forward({n, TransformKind::DstIV}, random_values(n, 1)) != expected[n - 1];
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace velm
