#include "transformations/legendre_to_hilbert_basis.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "reference_math.hpp"
#include "transformations/extension_matrices.hpp"
#include "transformations/j_matrices.hpp"

namespace velm {
namespace {

using testing_reference::failure_message;
using testing_reference::gauss_legendre;
using testing_reference::legendre_ld;
using testing_reference::pi_ld;
using testing_reference::stored_entries;

using test_support::random_coefficients;

// (2/T)·∫_0^T f(t)·sin(ω_k·t) dt (or cos), ω_k = (k + ½)π/T, by Gauss-Legendre
// quadrature on every element in long double, with enough nodes to resolve the
// highest frequency. T = 1: the coefficients do not depend on it.
std::vector<long double> quadrature_coefficients(const std::vector<double>& legendre_dofs, std::uint64_t n_t,
                                                 std::uint64_t degree, std::uint64_t n_modes,
                                                 bool is_cosine) {
  const long double h = 1.0L / n_t;
  const long double highest_local_frequency = (n_modes + 0.5L) * pi_ld * h / 2;
  const auto rule = gauss_legendre(40 + static_cast<unsigned>(1.5L * highest_local_frequency));
  const std::size_t n_nodes = rule.nodes.size();
  std::vector<long double> f(n_t * n_nodes, 0.0L);  // f at the nodes of each element
  for (std::uint64_t j = 0; j < n_t; ++j)
    for (std::size_t q = 0; q < n_nodes; ++q)
      for (std::uint64_t i = 0; i <= degree; ++i)
        f[j * n_nodes + q] +=
            legendre_dofs[i * n_t + j] * legendre_ld(static_cast<unsigned>(i), rule.nodes[q]).p;
  // e^{iω_k·t} for successive k by rotating with e^{iπt}: the rounding grows
  // only linearly in k, far below double precision for a thousand modes.
  std::vector<long double> coefficients(n_modes, 0.0L);
  for (std::uint64_t j = 0; j < n_t; ++j)
    for (std::size_t q = 0; q < n_nodes; ++q) {
      const long double t = (j + 0.5L) * h + rule.nodes[q] * h / 2;
      const long double weight = rule.weights[q] * f[j * n_nodes + q] * h;  // 2·(h/2)
      const std::complex<long double> step = std::polar(1.0L, pi_ld * t);
      std::complex<long double> mode = std::polar(1.0L, pi_ld * t / 2);
      for (std::uint64_t k = 0; k < n_modes; ++k, mode *= step)
        coefficients[k] += weight * (is_cosine ? mode.real() : mode.imag());
    }
  return coefficients;
}

struct ApplyCase {
  std::uint64_t n_modes;
  std::uint64_t n_t;
  std::uint64_t degree;
  bool is_cosine;
};

std::string_view basis_name(bool is_cosine) { return is_cosine ? "cosine" : "sine"; }

class ApplyAgainstQuadrature : public testing::TestWithParam<ApplyCase> {
 public:
  static double worst_error;
  static void TearDownTestSuite() { std::printf("apply vs quadrature: largest error %.3g\n", worst_error); }
};
double ApplyAgainstQuadrature::worst_error = 0.0;

TEST_P(ApplyAgainstQuadrature, GivesTheHilbertBasisCoefficients) {
  const auto [n_modes, n_t, degree, is_cosine] = GetParam();
  const std::vector<double> dofs = random_coefficients(n_t * (degree + 1), 31 * n_t + 7 * degree + is_cosine);
  const LegendreToHilbertBasis op =
      make_legendre_to_hilbert_basis(n_modes, n_t, degree, basis_name(is_cosine));
  const std::vector<double> got = velm::apply(op, dofs);
  const std::vector<long double> reference = quadrature_coefficients(dofs, n_t, degree, n_modes, is_cosine);
  ASSERT_EQ(got.size(), n_modes);
  for (std::uint64_t k = 0; k < n_modes; ++k) {
    const double error = static_cast<double>(std::fabs(got[k] - reference[k]));
    worst_error = std::max(worst_error, error);
    EXPECT_LE(error, 2e-15) << "mode " << k << ": " << got[k] << " vs " << static_cast<double>(reference[k]);
  }
}

std::vector<ApplyCase> all_apply_cases() {
  std::vector<ApplyCase> cases;
  // Fewer modes than elements, as many, more, and far more.
  for (const auto& [n_modes, n_t] :
       std::vector<std::pair<std::uint64_t, std::uint64_t>>{{3, 8}, {8, 8}, {23, 5}, {1000, 7}})
    for (std::uint64_t degree = 0; degree <= 4; ++degree)
      for (const bool is_cosine : {false, true}) cases.push_back({n_modes, n_t, degree, is_cosine});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(ModesElementsDegreesAndBases, ApplyAgainstQuadrature,
                         testing::ValuesIn(all_apply_cases()));

// f ≡ 1: b_k = 2/((k + ½)π) and c_k = 2·(−1)^k/((k + ½)π).
TEST(Apply, ConstantFunctionHasClosedFormCoefficients) {
  for (const auto& [n_modes, n_t, degree] :
       std::vector<std::tuple<std::uint64_t, std::uint64_t, std::uint64_t>>{{4, 4, 0}, {11, 3, 2}, {6, 1, 4}})
    for (const bool is_cosine : {false, true}) {
      std::vector<double> dofs(n_t * (degree + 1), 0.0);
      std::fill_n(dofs.begin(), n_t, 1.0);
      const std::vector<double> got =
          velm::apply(make_legendre_to_hilbert_basis(n_modes, n_t, degree, basis_name(is_cosine)), dofs);
      ASSERT_EQ(got.size(), n_modes);
      for (std::uint64_t k = 0; k < n_modes; ++k) {
        const long double sign = is_cosine && k % 2 == 1 ? -1.0L : 1.0L;
        EXPECT_NEAR(got[k], static_cast<double>(sign * 2.0L / ((k + 0.5L) * pi_ld)), 1e-15) << k;
      }
    }
}

TEST(Apply, NoModesGiveAnEmptyResult) {
  EXPECT_TRUE(
      velm::apply(make_legendre_to_hilbert_basis(0, 3, 1, "sine"), std::vector<double>(6, 1.0)).empty());
}

TEST(Apply, HoldsTheMatricesOfItsSizes) {
  const LegendreToHilbertBasis op = make_legendre_to_hilbert_basis(7, 3, 2, "cosine");
  EXPECT_EQ(stored_entries(op.extension_matrix),
            stored_entries(get_compound_extension_matrix(3, 7, 2, true)));
  EXPECT_EQ(stored_entries(op.compound_filter), stored_entries(get_compound_filter(7, 3, 2)));
  EXPECT_TRUE(op.is_cosine);
}

TEST(Apply, RefusesEveryOtherBasisType) {
  const std::string message = "LegendreToHilbertBasis: only 'sine' or 'cosine' basis types are supported";
  for (const std::string_view basis_type :
       {std::string_view("Sine"), std::string_view("sin"), std::string_view("sine "), std::string_view(""),
        std::string_view("COSINE"), std::string_view("cosine\0", 7)})
    EXPECT_EQ(failure_message([&] { make_legendre_to_hilbert_basis(3, 2, 1, basis_type); }), message)
        << basis_type;
}

TEST(Apply, ZeroElementsWithModesStopInTheExtensionMatrix) {
  EXPECT_EQ(failure_message([] { make_legendre_to_hilbert_basis(2, 0, 1, "sine"); }),
            "attempt to calculate the remainder with a divisor of zero");
}

TEST(Apply, RefusesTooShortInputAndIgnoresSurplus) {
  const std::uint64_t n_t = 4, degree = 2;
  const LegendreToHilbertBasis op = make_legendre_to_hilbert_basis(9, n_t, degree, "sine");
  std::vector<double> dofs = random_coefficients(n_t * (degree + 1) + 1, 3);
  const std::vector<double> exact(dofs.begin(), dofs.end() - 1), short_by_one(dofs.begin(), dofs.end() - 2);
  const std::string message = "Matrix view: input data buffer too small.";
  EXPECT_EQ(failure_message([&] { velm::apply(op, short_by_one); }), message);
  EXPECT_EQ(failure_message([&] { apply_fft(op, short_by_one); }), message);
  EXPECT_EQ(velm::apply(op, dofs), velm::apply(op, exact));
  EXPECT_EQ(apply_fft(op, dofs), apply_fft(op, exact));
}

TEST(ApplyFft, OneElementGivesSignedRootTwo) {
  const std::vector<double> d{0.5, -1.25, 2.0, 3.0, -0.75};
  const std::vector<int> sine_signs{1, 1, -1, -1, 1}, cosine_signs{1, -1, -1, 1, 1};
  for (const bool is_cosine : {false, true}) {
    const std::vector<double> got =
        apply_fft(make_legendre_to_hilbert_basis(2, 1, 4, basis_name(is_cosine)), d);
    ASSERT_EQ(got.size(), d.size());
    for (std::size_t i = 0; i < d.size(); ++i)
      EXPECT_NEAR(got[i], (is_cosine ? cosine_signs : sine_signs)[i] * std::sqrt(2.0) * d[i], 1e-15) << i;
  }
}

// The per-degree transform is symmetric: ⟨F·x, y⟩ = ⟨x, F·y⟩.
TEST(ApplyFft, IsItsOwnTranspose) {
  for (const auto& [n_t, degree] :
       std::vector<std::pair<std::uint64_t, std::uint64_t>>{{5, 3}, {16, 4}, {7, 0}})
    for (const bool is_cosine : {false, true}) {
      const LegendreToHilbertBasis op = make_legendre_to_hilbert_basis(3, n_t, degree, basis_name(is_cosine));
      const std::vector<double> x = random_coefficients(n_t * (degree + 1), 1),
                                y = random_coefficients(x.size(), 2);
      const std::vector<double> fx = apply_fft(op, x), fy = apply_fft(op, y);
      ASSERT_EQ(fx.size(), x.size());
      long double left = 0.0L, right = 0.0L;
      for (std::size_t p = 0; p < x.size(); ++p) {
        left += static_cast<long double>(fx[p]) * y[p];
        right += static_cast<long double>(x[p]) * fy[p];
      }
      EXPECT_NEAR(static_cast<double>(left), static_cast<double>(right),
                  1e-13 * static_cast<double>(x.size()));
    }
}

}  // namespace
}  // namespace velm
