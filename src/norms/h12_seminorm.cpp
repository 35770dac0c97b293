#include "norms/h12_seminorm.hpp"

#include <cmath>

#include "transformations/fft/fftw_wrapper.hpp"

namespace velm {

double h12_seminorm(std::span<const double> f_samples) {
  constexpr double pi = 3.141592653589793;
  const std::size_t n = f_samples.size();
  const std::vector<double> s = forward(FFTWwrapper{n, TransformKind::DstIV}, f_samples);
  double sum = -0.0;
  for (std::size_t k = 0; k < n; ++k) {
    const double weight = (static_cast<double>(k) + 0.5) * pi;
    sum = sum + (weight * s[k]) * s[k];
  }
  const double c = 1.0 / static_cast<double>(n);
  const double factor = (0.5 * c) * c;
  return std::sqrt(factor * sum);  // no samples: +inf · −0.0 is NaN
}

}  // namespace velm
