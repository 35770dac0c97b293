// Discrete H^{1/2} seminorm of equidistant samples.
#pragma once

#include <span>

namespace velm {

// sqrt((1/(2N²))·Σ_k (k + ½)·π·s_k²) with s the doubled DST-IV of the
// samples; NaN for no samples.
double h12_seminorm(std::span<const double> f_samples);

}  // namespace velm
