#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "reference_math.hpp"
#include "spherical_bessel_table.hpp"
#include "transformations/j_matrices.hpp"

namespace velm {
namespace {

using testing_reference::spherical_bessel_table;
using testing_reference::ulps_off;

// Every order 0 … 30 at arguments from 1e-7 to 1e5, orders far above the
// argument included: within 2 ulp of the value, or of the oscillation
// amplitude where the function oscillates.
TEST(SphericalBessel, MatchesMpmathWithinTwoUlp) {
  double worst = 0.0;
  for (const auto& c : spherical_bessel_table) {
    const double got = spherical_bessel_j(c.order, c.x);
    const double ulps = ulps_off(got, c.value, c.envelope);
    worst = std::max(worst, ulps);
    EXPECT_LE(ulps, 2.0) << "j_" << c.order << "(" << c.x << ") = " << got << ", reference "
                         << static_cast<double>(c.value);
  }
  RecordProperty("max_ulps", std::to_string(worst));
  std::printf("spherical_bessel_j: largest error %.3f ulp\n", worst);
}

TEST(SphericalBessel, LowOrdersAgreeWithTheirClosedForms) {
  for (const double x : {0.2, 0.785, 3.0, 42.0}) {
    const long double X = x;
    const long double j0 = std::sin(X) / X;
    const long double j1 = std::sin(X) / (X * X) - std::cos(X) / X;
    EXPECT_LE(ulps_off(spherical_bessel_j(0, x), j0, std::max(std::fabs(j0), 1.0L / X)), 2.0) << x;
    EXPECT_LE(ulps_off(spherical_bessel_j(1, x), j1, std::max(std::fabs(j1), 1.0L / X)), 2.0) << x;
  }
}

}  // namespace
}  // namespace velm

namespace velm {
namespace {

// All orders of one argument together agree with the single values, also for
// orders far beyond the table, where the downward recurrence must rescale.
TEST(SphericalBessel, AllOrdersOfOneArgument) {
  for (const double x : {3e-15, 1e-7, 0.3, 7.5, 29.0, 31.0, 1e3}) {
    std::vector<double> all(31);
    spherical_bessel_j_up_to(30, x, all.data());
    for (unsigned d = 0; d <= 30; ++d) {
      const double single = spherical_bessel_j(d, x);
      EXPECT_LE(std::fabs(all[d] - single), 2.3e-16 * std::max(std::fabs(single), std::min(1.0, 1.0 / x))) << d << " " << x;
    }
  }
  std::vector<double> high(1201);
  spherical_bessel_j_up_to(1200, 0.01, high.data());
  EXPECT_TRUE(std::isfinite(high[0]) && std::isfinite(high[1200]));
  EXPECT_NEAR(high[0], std::sin(0.01) / 0.01, 1e-16);
  EXPECT_EQ(high[1200], 0.0);  // far below the smallest double
  EXPECT_GT(high[40], 0.0);
}

}  // namespace
}  // namespace velm
