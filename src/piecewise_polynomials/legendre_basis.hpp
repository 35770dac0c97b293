// Piecewise Legendre expansions on the uniform mesh of [0, T].
//
// Coefficient layout (degree-major): entry k·n_t + j is the coefficient of
// P_k on element j, i.e. an n_t × (degree + 1) column-major matrix.
#pragma once

#include <cstdint>
#include <vector>

#include "common/matrix_view.hpp"

namespace velm {

struct LegendreBasis {
  std::uint64_t degree;
  std::uint64_t n_t;  // at least 1
  double T;
};

// P_k(ξ) by the three-term recurrence ((2k + 1)·ξ·P_k − k·P_{k−1})/(k + 1), in
// exactly that operation order.
double legendre_polynomial(std::uint64_t k, double xi);

double evaluate(const LegendreBasis& basis, const ConstMatrixView& coefficients, double t);
double evaluate_derivative(const LegendreBasis& basis, const ConstMatrixView& coefficients, double t);
std::vector<double> evaluate_all_basis_functions(const LegendreBasis& basis, double t);
std::vector<double> evaluate_all_basis_function_derivatives(const LegendreBasis& basis, double t);

}  // namespace velm
