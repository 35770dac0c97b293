// The core values behind the Python classes LegendreBasis and
// LegendreBasisEvaluator, and the operations their methods run.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "piecewise_polynomials/legendre_basis.hpp"

namespace velm {

// Refuses n_t = 0 (no element exists, every evaluation would read outside the
// coefficients) with std::invalid_argument.
LegendreBasis make_legendre_basis(std::uint64_t degree, std::uint64_t n_t, double T);

double evaluate_at(const LegendreBasis& basis, double t, std::span<const double> legendre_vals);
std::vector<double> all_basis_functions(const LegendreBasis& basis, double t);
std::vector<double> all_basis_function_derivatives(const LegendreBasis& basis, double t);

// Stored coefficients, all zero until set_dofs replaces them whole.
struct LegendreBasisEvaluator {
  LegendreBasis basis;
  std::vector<double> dofs;
};

LegendreBasisEvaluator make_legendre_basis_evaluator(std::uint64_t degree, std::uint64_t n_t,
                                                     double T);
void set_dofs(LegendreBasisEvaluator& evaluator, std::vector<double> legendre_vals);
double evaluate_at(const LegendreBasisEvaluator& evaluator, double t);
double evaluate_derivative_at(const LegendreBasisEvaluator& evaluator, double t);

}  // namespace velm
