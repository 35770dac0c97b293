#include "piecewise_polynomials/lagrange_basis.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

#include <cmath>
#include <random>

#include "common/checks.hpp"
#include "piecewise_polynomials/legendre_basis.hpp"

namespace velm {
namespace {

using test_support::failure_message;

TEST(LagrangeNodes, WorkedExamples) {
  EXPECT_EQ(make_lagrange_basis(1, 2, 1.0).nodes, (std::vector<double>{0.0, 0.5, 1.0}));
  EXPECT_EQ(make_lagrange_basis(2, 2, 1.0).nodes, (std::vector<double>{0.0, 0.25, 0.5, 0.75, 1.0}));
  EXPECT_EQ(make_lagrange_basis(3, 1, 1.0).nodes, (std::vector<double>{0.0, 1.0 / 3.0, 2.0 / 3.0, 1.0}));
  const double h = 1.0 / 3.0;
  EXPECT_EQ(make_lagrange_basis(2, 3, 1.0).nodes,
            (std::vector<double>{0.0, (1.0 * h) / 2.0, h, (1.0 * ((h + h) - h)) / 2.0 + h, 2.0 * h,
                                 (1.0 * ((h + 2.0 * h) - 2.0 * h)) / 2.0 + 2.0 * h, 1.0}));
  EXPECT_EQ(make_lagrange_basis(0, 4, 2.0).nodes, (std::vector<double>{2.0}));
  EXPECT_EQ(make_lagrange_basis(3, 0, 2.0).nodes, (std::vector<double>{2.0}));
  const LagrangeBasis basis = make_lagrange_basis(4, 7, 3.3);
  EXPECT_EQ(basis.nodes.size(), 29u);
  EXPECT_EQ(basis.nodes.back(), 3.3);
  EXPECT_EQ(basis.elements[6].second, 3.3 / 7 + 6.0 * (3.3 / 7));
}

TEST(ReferenceMatrix, FixedForDegreesOneAndTwo) {
  const Eigen::MatrixXd one = lagrange_to_legendre_unit_interval(1);
  EXPECT_EQ(one(0, 0), 0.5);
  EXPECT_EQ(one(0, 1), -0.5);
  const Eigen::MatrixXd two = lagrange_to_legendre_unit_interval(2);
  EXPECT_EQ(two(1, 0), 2.0 / 3.0);
  EXPECT_EQ(two(1, 1), 0.0);
  EXPECT_EQ(two(2, 2), 1.0 / 3.0);
}

TEST(ReferenceMatrix, InvertsTheLegendreVandermondeMatrix) {
  for (std::uint64_t degree = 1; degree <= 10; ++degree) {
    const Eigen::MatrixXd m = lagrange_to_legendre_unit_interval(degree);
    const auto n = static_cast<Eigen::Index>(degree + 1);
    Eigen::MatrixXd v(n, n);
    for (Eigen::Index k = 0; k < n; ++k)
      for (Eigen::Index i = 0; i < n; ++i)
        v(k, i) = legendre_polynomial(static_cast<std::uint64_t>(k), -1.0 + 2.0 * static_cast<double>(i) / static_cast<double>(degree));
    EXPECT_LT((m * v - Eigen::MatrixXd::Identity(n, n)).cwiseAbs().maxCoeff(), 1e-12) << degree;
  }
  // Ill-conditioned but invertible: only an exactly zero pivot may refuse.
  for (std::uint64_t degree : {40, 60, 90, 120}) EXPECT_NO_THROW(lagrange_to_legendre_unit_interval(degree));
  EXPECT_THROW(lagrange_to_legendre_unit_interval(std::uint64_t{1} << 30), std::length_error);
  EXPECT_THROW(lagrange_to_legendre_unit_interval(std::uint64_t{1} << 40), std::overflow_error);
  EXPECT_EQ(failure_message([] { lagrange_to_legendre_unit_interval(0); }),
            "Lagrange to Legendre conversion not meaningful for degree 0");
}

TEST(Conversion, DegreeOneExample) {
  const LagrangeBasis basis = make_lagrange_basis(1, 2, 1.0);
  const std::vector<double> u{1.0, 3.0, 7.0};
  const Eigen::MatrixXd c = to_legendre_basis_vals(basis, u);
  EXPECT_EQ(std::vector<double>(c.data(), c.data() + c.size()), (std::vector<double>{2.0, 5.0, 1.0, 2.0}));
}

TEST(Conversion, RoundTripReproducesPolynomials) {
  std::mt19937_64 engine(11);
  std::normal_distribution<double> normal;
  for (std::uint64_t degree = 1; degree <= 8; ++degree) {
    const std::uint64_t n_t = 5;
    const double T = 1.7;
    std::vector<double> poly(degree + 1);
    for (double& a : poly) a = normal(engine);
    auto p = [&](double t) {
      double value = 0.0;
      for (std::size_t i = poly.size(); i-- > 0;) value = value * t + poly[i];
      return value;
    };
    const LagrangeBasis lagrange = make_lagrange_basis(degree, n_t, T);
    std::vector<double> u;
    for (double node : lagrange.nodes) u.push_back(p(node));
    const Eigen::MatrixXd c = to_legendre_basis_vals(lagrange, u);
    const LegendreBasis legendre{degree, n_t, T};
    const ConstMatrixView view(c.data(), c.rows(), c.cols(), Eigen::OuterStride<>(c.rows()));
    for (int s = 0; s <= 40; ++s) {
      const double t = T * s / 40.0;
      EXPECT_NEAR(evaluate(legendre, view, t), p(t), 1e-10 * std::max(1.0, std::abs(p(t)))) << degree;
    }
  }
}

TEST(Conversion, FailuresInTheirOrder) {
  EXPECT_EQ(failure_message([] { to_legendre_basis_vals(make_lagrange_basis(2, 3, 1.0), std::vector<double>(6)); }),
            "assertion `left == right` failed: Input lagrange_vals length does not match expected number of "
            "DOFs.\n  left: 6\n right: 7");
  EXPECT_EQ(failure_message([] { to_legendre_basis_vals(make_lagrange_basis(0, 3, 1.0), std::vector<double>(2)); }),
            "assertion `left == right` failed: Input lagrange_vals length does not match expected number of "
            "DOFs.\n  left: 2\n right: 1");
  EXPECT_EQ(failure_message([] { to_legendre_basis_vals(make_lagrange_basis(0, 3, 1.0), std::vector<double>(1)); }),
            "Lagrange to Legendre conversion not meaningful for degree 0");
  EXPECT_EQ(failure_message([] { to_legendre_basis_matrix_for_pol_degree(make_lagrange_basis(2, 1, 1.0), 3); }),
            "Matrix slicing out of bounds.");
  EXPECT_EQ(to_legendre_basis_vals(make_lagrange_basis(2, 0, 1.0), std::vector<double>(1)).rows(), 0);
}

TEST(ConversionMatrix, DegreeTwoKeepsItsStoredZero) {
  const Triplets t = csr_to_triplets(get_transormation_matrix_to_legendre(make_lagrange_basis(2, 1, 1.0)));
  EXPECT_EQ(t.rows, (std::vector<std::uint64_t>{0, 0, 0, 1, 1, 1, 2, 2, 2}));
  EXPECT_EQ(t.cols, (std::vector<std::uint64_t>{0, 1, 2, 0, 1, 2, 0, 1, 2}));
  EXPECT_EQ(t.values, (std::vector<double>{1.0 / 6.0, 2.0 / 3.0, 1.0 / 6.0, -0.5, 0.0, 0.5, 1.0 / 3.0,
                                           -2.0 / 3.0, 1.0 / 3.0}));
}

TEST(ConversionMatrix, ShapeAndCounts) {
  for (std::uint64_t degree = 1; degree <= 5; ++degree) {
    const CsrMatrix a = get_transormation_matrix_to_legendre(make_lagrange_basis(degree, 4, 1.0));
    EXPECT_EQ(a.rows(), static_cast<Eigen::Index>(4 * (degree + 1)));
    EXPECT_EQ(a.cols(), static_cast<Eigen::Index>(4 * degree + 1));
    EXPECT_EQ(a.nonZeros(), static_cast<Eigen::Index>((degree + 1) * (degree + 1) * 4));
  }
  EXPECT_EQ(get_transormation_matrix_to_legendre(make_lagrange_basis(3, 0, 1.0)).nonZeros(), 0);
}

}  // namespace
}  // namespace velm
