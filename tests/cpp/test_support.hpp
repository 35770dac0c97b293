// Small helpers shared by the C++ test suites.
#pragma once

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "common/checks.hpp"

namespace velm::test_support {

// The message of the CheckFailure that `call` stops with.
inline std::string failure_message(const std::function<void()>& call) {
  try {
    call();
  } catch (const CheckFailure& failure) {
    return failure.message();
  }
  return "<no failure>";
}

// Reproducible standard-normal values.
inline std::vector<double> random_values(std::size_t n, unsigned seed) {
  std::mt19937_64 engine(seed);
  std::normal_distribution<double> normal;
  std::vector<double> values(n);
  for (double& v : values) v = normal(engine);
  return values;
}

// Reproducible values uniform in [−1, 1].
inline std::vector<double> random_coefficients(std::size_t n, unsigned seed) {
  std::mt19937_64 engine(seed);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  std::vector<double> values(n);
  for (double& v : values) v = uniform(engine);
  return values;
}

}  // namespace velm::test_support
