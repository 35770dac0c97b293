#include "legendre_basis_classes.hpp"

#include "common/sizes.hpp"

#include <stdexcept>
#include <string>

namespace velm {
namespace {

// n_t·(degree + 1), refused when it does not fit in 64 bits: a wrapped count
// would size the vectors too small for the element index.
std::uint64_t coefficient_count(const LegendreBasis& basis) {
  return check_allocatable(checked_product(basis.n_t, degree_count(basis.degree), "n_t·(degree + 1)"), 8,
                           "n_t·(degree + 1) coefficients");
}

}  // namespace

LegendreBasis make_legendre_basis(std::uint64_t degree, std::uint64_t n_t, double T) {
  if (n_t == 0) throw std::invalid_argument("LegendreBasis: n_t must be at least 1, got 0");
  return LegendreBasis{degree, n_t, T};
}

double evaluate_at(const LegendreBasis& basis, double t, std::span<const double> legendre_vals) {
  return evaluate(basis, matrix_view(legendre_vals, basis.n_t, basis.degree + 1), t);
}

std::vector<double> all_basis_functions(const LegendreBasis& basis, double t) {
  coefficient_count(basis);
  return evaluate_all_basis_functions(basis, t);
}

std::vector<double> all_basis_function_derivatives(const LegendreBasis& basis, double t) {
  coefficient_count(basis);
  return evaluate_all_basis_function_derivatives(basis, t);
}

LegendreBasisEvaluator make_legendre_basis_evaluator(std::uint64_t degree, std::uint64_t n_t,
                                                     double T) {
  if (n_t == 0)
    throw std::invalid_argument("LegendreBasisEvaluator: n_t must be at least 1, got 0");
  LegendreBasis basis{degree, n_t, T};
  return LegendreBasisEvaluator{basis, std::vector<double>(coefficient_count(basis), 0.0)};
}

void set_dofs(LegendreBasisEvaluator& evaluator, std::vector<double> legendre_vals) {
  check_equal(legendre_vals.size(), evaluator.dofs.size(),
              "LegendreBasisEvaluator: set_dofs: input vector has wrong length");
  evaluator.dofs = std::move(legendre_vals);
}

double evaluate_at(const LegendreBasisEvaluator& evaluator, double t) {
  const LegendreBasis& basis = evaluator.basis;
  return evaluate(basis, matrix_view(evaluator.dofs, basis.n_t, basis.degree + 1), t);
}

double evaluate_derivative_at(const LegendreBasisEvaluator& evaluator, double t) {
  const LegendreBasis& basis = evaluator.basis;
  return evaluate_derivative(basis, matrix_view(evaluator.dofs, basis.n_t, basis.degree + 1), t);
}

}  // namespace velm
