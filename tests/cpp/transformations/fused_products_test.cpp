// The fused paths give the bits of building both sparse matrices and
// multiplying twice.
#include <gtest/gtest.h>

#include "test_support.hpp"

#include <bit>
#include <cmath>
#include <random>

#include "piecewise_polynomials/lagrange_basis.hpp"
#include "transformations/degree_dependent_transformations.hpp"
#include "transformations/extension_matrices.hpp"
#include "transformations/j_matrices.hpp"
#include "transformations/legendre_to_hilbert_basis.hpp"
#include "transformations/sine_base_coefficients.hpp"

namespace velm {
namespace {

using test_support::random_values;

// The pipeline written out with the matrices, as the reference.
std::vector<double> through_matrices(const Eigen::MatrixXd& transformed, std::uint64_t n_modes,
                                     std::uint64_t n_t, std::uint64_t degree, bool is_cosine) {
  const Eigen::Map<const Eigen::VectorXd> x(transformed.data(), transformed.size());
  const Eigen::VectorXd y = multiply(get_compound_extension_matrix(n_t, n_modes, degree, is_cosine), x);
  const Eigen::VectorXd z = multiply(get_compound_filter(n_modes, n_t, degree), y);
  const double s = 1.0 / static_cast<double>(n_t);
  std::vector<double> result(static_cast<std::size_t>(z.size()));
  for (std::size_t k = 0; k < result.size(); ++k) result[k] = z[static_cast<Eigen::Index>(k)] * s;
  return result;
}

struct Sizes {
  std::uint64_t n_t, n_modes, degree;
};

class Fused : public testing::TestWithParam<Sizes> {};

TEST_P(Fused, ApplyMatchesTheTwoProducts) {
  const auto [n_t, n_modes, degree] = GetParam();
  for (const char* basis : {"sine", "cosine"}) {
    const auto op = make_legendre_to_hilbert_basis(n_modes, n_t, degree, basis);
    std::vector<double> dofs = random_values(n_t * (degree + 1), 5);
    dofs[0] = -0.0;  // signed zeros must survive as they would through the products
    const Eigen::MatrixXd transformed = forward(op.transform, matrix_view(dofs, n_t, degree + 1));
    EXPECT_EQ(velm::apply(op, dofs), through_matrices(transformed, n_modes, n_t, degree, op.is_cosine));
  }
}

TEST_P(Fused, OneShotFunctionsMatchTheTwoProducts) {
  const auto [n_t, n_modes, degree] = GetParam();
  const std::uint64_t d = std::max<std::uint64_t>(degree, 1);
  const std::vector<double> lagrange = random_values(n_t * d + 1, 9);
  const Eigen::MatrixXd legendre = to_legendre_basis_vals(make_lagrange_basis(d, n_t, 1.0), lagrange);
  const ConstMatrixView view(legendre.data(), legendre.rows(), legendre.cols(), Eigen::OuterStride<>(legendre.rows()));
  EXPECT_EQ(compute_sine_base_coefficients(n_modes, lagrange, n_t, d, 1.0),
            through_matrices(forward(make_hilbert_basis_transform(n_t, d, false), view), n_modes, n_t, d, false));
  const std::vector<double> constants = random_values(n_t, 13);
  EXPECT_EQ(compute_sine_base_coefficients_pw_constants(n_modes, constants, n_t),
            through_matrices(forward(make_hilbert_basis_transform(n_t, 0, false), matrix_view(constants, n_t, 1)),
                             n_modes, n_t, 0, false));
}

INSTANTIATE_TEST_SUITE_P(Sizes, Fused,
                         testing::Values(Sizes{1, 1, 0}, Sizes{3, 2, 1}, Sizes{5, 23, 3}, Sizes{7, 1000, 4},
                                         Sizes{64, 256, 2}, Sizes{16, 0, 1}));

TEST(Fused, MultiplyChainMatchesTwoMultiplies) {
  CoordinateList a = make_coordinate_list(4, 6), b = make_coordinate_list(6, 5);
  const auto values = random_values(40, 2);
  std::size_t v = 0;
  for (std::uint64_t i = 0; i < 4; ++i)
    for (std::uint64_t j = 0; j < 6; j += 1 + i) append(a, i, j, values[v++]);
  for (std::uint64_t i = 0; i < 6; ++i)
    for (std::uint64_t j = i % 2; j < 5; j += 2) append(b, i, j, values[v++]);
  const CsrMatrix outer = to_csr(a), inner = to_csr(b);
  const Eigen::VectorXd x = Eigen::Map<const Eigen::VectorXd>(random_values(5, 3).data(), 5);
  const Eigen::VectorXd chained = multiply_chain(outer, inner, x);
  const Eigen::VectorXd twice = multiply(outer, multiply(inner, x));
  for (Eigen::Index r = 0; r < 4; ++r) EXPECT_EQ(std::bit_cast<std::uint64_t>(chained[r]), std::bit_cast<std::uint64_t>(twice[r]));
}

}  // namespace
}  // namespace velm
