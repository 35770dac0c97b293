#include "norms/h12_seminorm.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace velm {
namespace {

constexpr long double pi_l = 3.141592653589793238462643383279502884L;

double direct(const std::vector<double>& v) {
  const std::size_t n = v.size();
  long double total = 0;
  for (std::size_t k = 0; k < n; ++k) {
    long double s = 0;
    for (std::size_t j = 0; j < n; ++j) s += 2 * v[j] * std::sin(pi_l * (j + 0.5L) * (k + 0.5L) / n);
    total += (k + 0.5L) * pi_l * s * s;
  }
  return static_cast<double>(std::sqrt(total / (2.0L * n * n)));
}

TEST(H12Seminorm, ClosedForms) {
  EXPECT_TRUE(std::isnan(h12_seminorm({})));
  EXPECT_NEAR(h12_seminorm(std::vector<double>{-3.0}), 3.0 * std::sqrt(M_PI / 2), 1e-15);
  const double zero = h12_seminorm(std::vector<double>(8, 0.0));
  EXPECT_EQ(zero, 0.0);
  EXPECT_FALSE(std::signbit(zero));
  const std::size_t n = 12, m = 5;
  std::vector<double> mode(n);
  for (std::size_t i = 0; i < n; ++i) mode[i] = std::sin(M_PI * (i + 0.5) * (m + 0.5) / n);
  EXPECT_NEAR(h12_seminorm(mode), std::sqrt((m + 0.5) * M_PI / 2), 1e-13);
}

TEST(H12Seminorm, AgainstTheDirectSum) {
  for (std::size_t n : {1, 2, 3, 17, 64, 300}) {
    std::vector<double> v(n);
    for (std::size_t i = 0; i < n; ++i) v[i] = std::cos(0.7 * i) + 0.1 * i;
    EXPECT_NEAR(h12_seminorm(v), direct(v), 1e-12 * direct(v)) << n;
  }
}

}  // namespace
}  // namespace velm
