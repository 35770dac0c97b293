#include <boost/math/special_functions/bessel.hpp>

#include <cmath>
#include <iterator>
#include <vector>

#include "transformations/j_matrices.hpp"

namespace velm {
namespace {

// Never throw from inside the library: a value it cannot represent comes back
// as the library's best (0, ±inf or NaN) and is stored as it comes.
using NoThrow = boost::math::policies::policy<
    boost::math::policies::domain_error<boost::math::policies::errno_on_error>,
    boost::math::policies::pole_error<boost::math::policies::errno_on_error>,
    boost::math::policies::overflow_error<boost::math::policies::errno_on_error>,
    boost::math::policies::underflow_error<boost::math::policies::ignore_error>,
    boost::math::policies::denorm_error<boost::math::policies::ignore_error>,
    boost::math::policies::evaluation_error<boost::math::policies::errno_on_error>,
    boost::math::policies::rounding_error<boost::math::policies::errno_on_error>,
    boost::math::policies::indeterminate_result_error<boost::math::policies::errno_on_error>>;

// Orders up to the argument: the upward recurrence j_{n+1} = (2n + 1)/x·j_n − j_{n−1}
// is stable there (errors stay small against the oscillation amplitude).
// Long double keeps the result within half an ulp or so once rounded.
void upward(unsigned max_order, double x_double, double* out) {
  // The double sine and cosine are within half an ulp of the amplitude;
  // long double trigonometry would cost fifteen times as much.
  const long double x = x_double;
  const long double sine = std::sin(x_double), cosine = std::cos(x_double);
  long double previous = sine / x;
  out[0] = static_cast<double>(previous);
  if (max_order == 0) return;
  long double current = previous / x - cosine / x;
  out[1] = static_cast<double>(current);
  for (unsigned n = 1; n < max_order; ++n) {
    const long double next = (2.0L * n + 1.0L) / x * current - previous;
    previous = current;
    current = next;
    out[n + 1] = static_cast<double>(current);
  }
}

// Orders above the argument, where j_n decays and the upward recurrence loses
// everything: Miller's downward recurrence from well beyond the highest order,
// normalised by Σ (2n + 1)·j_n² = 1 (no zero of j_0 or j_1 can spoil it) and
// signed by whichever of j_0, j_1 is larger.
void downward(unsigned max_order, double x_double, double* out) {
  const long double x = x_double;
  // Start where the neglected dominant solution has fallen below 1e-22 of the
  // wanted one: (x/(2m + 1))² per order beyond the argument, so a few orders
  // at small arguments and more where the argument approaches the orders.
  unsigned start = max_order;
  for (long double neglected = 1.0L; neglected > 1e-22L || start < x + 4;) {
    ++start;
    const long double ratio = x / (2.0L * start + 1.0L);
    neglected *= ratio * ratio;
  }
  const long double inverse_x = 1.0L / x;
  // A stack buffer covers the usual orders; no allocation per argument.
  long double small[160];
  std::vector<long double> large;
  long double* f = small;
  if (start + 2 > std::size(small)) {
    large.resize(start + 2);
    f = large.data();
  }
  f[start + 1] = 0.0L;
  f[start] = 1e-300L;
  long double norm = (2.0L * start + 1.0L) * f[start] * f[start];
  for (unsigned n = start; n-- > 0;) {
    f[n] = (2.0L * n + 3.0L) * inverse_x * f[n + 1] - f[n + 2];
    if (std::fabs(f[n]) > 1e1000L) {  // high orders at small x: keep the squares finite
      for (unsigned m = n; m <= start; ++m) f[m] *= 1e-1000L;
      norm *= 1e-2000L;
    }
    norm += (2.0L * n + 1.0L) * f[n] * f[n];
  }
  // Only the sign is taken from the closed forms: double trigonometry serves.
  const double j0 = std::sin(x_double) / x_double;
  const double j1 = j0 / x_double - std::cos(x_double) / x_double;
  const bool use_j0 = std::fabs(j0) >= std::fabs(j1);
  const double reference = use_j0 ? j0 : j1;
  const long double computed = use_j0 ? f[0] : f[1];
  long double scale = 1.0L / std::sqrt(norm);
  if ((reference < 0) != (computed < 0)) scale = -scale;
  for (unsigned n = 0; n <= max_order; ++n) out[n] = static_cast<double>(f[n] * scale);
}

}  // namespace

void spherical_bessel_j_up_to(unsigned max_order, double x, double* out) {
  if (!(x > 0.0) || !std::isfinite(x)) {
    for (unsigned n = 0; n <= max_order; ++n) out[n] = boost::math::sph_bessel(n, x, NoThrow());
    return;
  }
  if (x > static_cast<double>(max_order)) upward(max_order, x, out);
  else downward(max_order, x, out);
}

double spherical_bessel_j(unsigned order, double x) {
  std::vector<double> values(order + 1);
  spherical_bessel_j_up_to(order, x, values.data());
  return values[order];
}

}  // namespace velm
