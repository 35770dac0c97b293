#include <boost/math/special_functions/bessel.hpp>

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

}  // namespace

double spherical_bessel_j(unsigned order, double x) {
  return boost::math::sph_bessel(order, x, NoThrow());
}

}  // namespace velm
