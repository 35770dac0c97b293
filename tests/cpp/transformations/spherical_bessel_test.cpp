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
