// One-shot sine-basis coefficients of piecewise polynomials.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace velm {

// From the values at the Lagrange nodes of the mesh (degree·n_t + 1 values).
std::vector<double> compute_sine_base_coefficients(std::uint64_t n_modes,
                                                   std::span<const double> lagrange_dofs,
                                                   std::uint64_t n_t, std::uint64_t degree,
                                                   double T);

// From one value per element.
std::vector<double> compute_sine_base_coefficients_pw_constants(std::uint64_t n_modes,
                                                                std::span<const double> dofs,
                                                                std::uint64_t n_t);

}  // namespace velm
