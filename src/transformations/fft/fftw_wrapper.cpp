#include "transformations/fft/fftw_wrapper.hpp"

#include <fftw3.h>

#include <algorithm>

#include "common/checks.hpp"
#include "transformations/fft/plan_cache.hpp"

namespace velm {
namespace {

// FFTW's unnormalised r2r kinds are exactly the doubled sums: REDFT11 and
// RODFT11 are 2·Σ x_n·cos/sin(π(n + ½)(k + ½)/N), RODFT10 is 2·Σ x_n·sin(π(n + ½)(k + 1)/N)
// and RODFT01 is (−1)^k·x_{N−1} + 2·Σ_{n<N−1} x_n·sin(π(n + 1)(k + ½)/N). No scaling.
fftw_r2r_kind fftw_kind(TransformKind kind) {
  switch (kind) {
    case TransformKind::DctIV: return FFTW_REDFT11;
    case TransformKind::DstIV: return FFTW_RODFT11;
    case TransformKind::DstII: return FFTW_RODFT10;
    case TransformKind::DstIII: return FFTW_RODFT01;
  }
  fail("unknown transform kind");
}

}  // namespace

void forward_into(const FFTWwrapper& wrapper, std::span<const double> input, std::span<double> output) {
  check_equal(input.size(), wrapper.length);
  check_equal(output.size(), wrapper.length);
  if (output.empty()) return;  // FFTW cannot plan length 0
  if (output.data() != input.data()) std::copy(input.begin(), input.end(), output.begin());
  const SharedPlan plan = cached_plan(fftw_kind(wrapper.kind), wrapper.length);
  fftw_execute_r2r(plan.get(), output.data(), output.data());
}

std::vector<double> forward(const FFTWwrapper& wrapper, std::span<const double> input) {
  check_equal(input.size(), wrapper.length);
  std::vector<double> result(input.size());
  forward_into(wrapper, input, result);
  return result;
}

}  // namespace velm
