// The floor of the Python benchmark: FFTW's real-to-real transforms on plans made
// once and reused, timed from C++. Prints {"<kind>/<n>": seconds} as JSON.
#include <fftw3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double median_seconds(fftw_plan plan, std::vector<double>& input, std::vector<double>& buffer) {
  std::vector<double> times;
  const auto start = std::chrono::steady_clock::now();
  while (times.size() < 5 ||
         (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(200) && times.size() < 1000)) {
    const auto t0 = std::chrono::steady_clock::now();
    std::copy(input.begin(), input.end(), buffer.begin());
    fftw_execute_r2r(plan, buffer.data(), buffer.data());
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const std::pair<const char*, fftw_r2r_kind> kinds[] = {
      {"DctIV", FFTW_REDFT11}, {"DstIV", FFTW_RODFT11}, {"DstII", FFTW_RODFT10}, {"DstIII", FFTW_RODFT01}};
  std::printf("{");
  bool first = true;
  for (int a = 1; a < argc; ++a) {
    const int n = std::atoi(argv[a]);
    std::vector<double> input(n, 0.5), buffer(n);
    for (const auto& [name, kind] : kinds) {
      fftw_plan plan = fftw_plan_r2r_1d(n, buffer.data(), buffer.data(), kind,
                                        FFTW_ESTIMATE | FFTW_UNALIGNED);
      std::printf("%s\"%s/%d\": %.9g", first ? "" : ", ", name, n, median_seconds(plan, input, buffer));
      first = false;
      fftw_destroy_plan(plan);
    }
  }
  std::printf("}\n");
}
