#include "transformations/sparse_matrix_tools.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

#include "common/checks.hpp"

namespace velm {
namespace {

CsrMatrix from_entries(std::uint64_t rows, std::uint64_t cols,
                       std::initializer_list<std::tuple<std::uint64_t, std::uint64_t, double>> entries) {
  CoordinateList list = make_coordinate_list(rows, cols);
  for (const auto& [i, j, v] : entries) append(list, i, j, v);
  return to_csr(list);
}

using test_support::failure_message;

TEST(CoordinateList, SortsRowsAndColumnsSumsDuplicatesAndKeepsZeros) {
  const CsrMatrix m = from_entries(3, 4, {{2, 3, 1.0}, {0, 2, 0.0}, {2, 0, 5.0}, {0, 1, 2.0}, {2, 3, 0.5}});
  const Triplets t = csr_to_triplets(m);
  EXPECT_EQ(t.rows, (std::vector<std::uint64_t>{0, 0, 2, 2}));
  EXPECT_EQ(t.cols, (std::vector<std::uint64_t>{1, 2, 0, 3}));
  EXPECT_EQ(t.values, (std::vector<double>{2.0, 0.0, 5.0, 1.5}));
  EXPECT_EQ(m.rows(), 3);
  EXPECT_EQ(m.cols(), 4);
}

TEST(CoordinateList, RefusesOutOfRangeIndices) {
  CoordinateList list = make_coordinate_list(2, 3);
  EXPECT_EQ(failure_message([&] { append(list, 2, 0, 1.0); }), "assertion failed: i < self.nrows");
  EXPECT_EQ(failure_message([&] { append(list, 0, 3, 1.0); }), "assertion failed: j < self.ncols");
  EXPECT_TRUE(list.rows.empty());
}

TEST(BlockAssembly, SingleBlockIsReturnedUnchanged) {
  const CsrMatrix a = from_entries(2, 2, {{0, 0, 1.0}, {1, 0, 0.0}, {1, 1, -3.0}});
  const CsrMatrix result = csr_block_from_ndarray(BlockGrid{1, 1, {&a}});
  const Triplets expected = csr_to_triplets(a), got = csr_to_triplets(result);
  EXPECT_EQ(got.rows, expected.rows);
  EXPECT_EQ(got.cols, expected.cols);
  EXPECT_EQ(got.values, expected.values);
  EXPECT_EQ(result.rows(), 2);
  EXPECT_EQ(result.cols(), 2);
}

TEST(BlockAssembly, ShiftsBlocksByTheirOffsets) {
  // [[A, Z], [Z', B]] with A 2×2, B 1×3.
  const CsrMatrix a = from_entries(2, 2, {{0, 1, 1.0}, {1, 0, 2.0}});
  const CsrMatrix b = from_entries(1, 3, {{0, 0, 3.0}, {0, 2, 4.0}});
  const CsrMatrix z(2, 3), z2(1, 2);
  const CsrMatrix result = csr_block_from_ndarray(BlockGrid{2, 2, {&a, &z, &z2, &b}});
  EXPECT_EQ(result.rows(), 3);
  EXPECT_EQ(result.cols(), 5);
  const Triplets t = csr_to_triplets(result);
  EXPECT_EQ(t.rows, (std::vector<std::uint64_t>{0, 1, 2, 2}));
  EXPECT_EQ(t.cols, (std::vector<std::uint64_t>{1, 0, 2, 4}));
  EXPECT_EQ(t.values, (std::vector<double>{1.0, 2.0, 3.0, 4.0}));
}

TEST(BlockAssembly, BlockRowsWithoutRowsAddNothing) {
  const CsrMatrix empty(0, 2), a = from_entries(1, 2, {{0, 1, 7.0}});
  const CsrMatrix result = csr_block_from_ndarray(BlockGrid{2, 1, {&empty, &a}});
  EXPECT_EQ(result.rows(), 1);
  EXPECT_EQ(csr_to_triplets(result).rows, (std::vector<std::uint64_t>{0}));
}

TEST(BlockAssembly, FailuresInTheirOrder) {
  const CsrMatrix two(2, 2), three(3, 2), wide(2, 5);
  EXPECT_EQ(failure_message([] { csr_block_from_ndarray(BlockGrid{0, 0, {}}); }), "empty block grid");
  EXPECT_EQ(failure_message([&] { csr_block_from_ndarray(BlockGrid{1, 2, {&two, &three}}); }),
            "assertion `left == right` failed: inconsistent block-row height at row 0\n  left: 3\n right: 2");
  // Both heights and widths inconsistent: the height is reported.
  EXPECT_EQ(failure_message([&] { csr_block_from_ndarray(BlockGrid{2, 2, {&two, &two, &wide, &three}}); }),
            "assertion `left == right` failed: inconsistent block-row height at row 1\n  left: 3\n right: 2");
  EXPECT_EQ(failure_message([&] { csr_block_from_ndarray(BlockGrid{2, 1, {&two, &wide}}); }),
            "assertion `left == right` failed: inconsistent block-col width at col 0\n  left: 5\n right: 2");
  EXPECT_EQ(failure_message([] { csr_block_diag({}); }), "empty block grid");
}

TEST(BlockDiag, LaysBlocksOnTheDiagonal) {
  const CsrMatrix a = from_entries(2, 3, {{0, 0, 1.0}, {1, 2, 2.0}});
  const CsrMatrix b = from_entries(1, 1, {{0, 0, 0.0}});
  const CsrMatrix result = csr_block_diag({a, b});
  EXPECT_EQ(result.rows(), 3);
  EXPECT_EQ(result.cols(), 4);
  const Triplets t = csr_to_triplets(result);
  EXPECT_EQ(t.rows, (std::vector<std::uint64_t>{0, 1, 2}));
  EXPECT_EQ(t.cols, (std::vector<std::uint64_t>{0, 2, 3}));
  EXPECT_EQ(t.values, (std::vector<double>{1.0, 2.0, 0.0}));
}

TEST(Multiply, SumsStoredEntriesOfEachRow) {
  const CsrMatrix m = from_entries(3, 3, {{0, 0, 2.0}, {0, 2, -1.0}, {2, 1, 4.0}});
  Eigen::VectorXd x(3);
  x << 1.0, 2.0, 3.0;
  const Eigen::VectorXd y = multiply(m, x);
  EXPECT_EQ(y[0], -1.0);
  EXPECT_EQ(y[1], 0.0);
  EXPECT_EQ(y[2], 8.0);
  EXPECT_THROW(multiply(m, Eigen::VectorXd(2)), CheckFailure);
}

TEST(Triplets, EmptyMatrixAndTrailingRows) {
  const Triplets t = csr_to_triplets(CsrMatrix(4, 4));
  EXPECT_TRUE(t.rows.empty() && t.cols.empty() && t.values.empty());
  const Triplets a = csr_to_triplets(from_entries(2, 2, {{0, 1, 1.0}}));
  const Triplets b = csr_to_triplets(from_entries(5, 2, {{0, 1, 1.0}}));
  EXPECT_EQ(a.rows, b.rows);
  EXPECT_EQ(a.cols, b.cols);
  EXPECT_EQ(a.values, b.values);
}

}  // namespace
}  // namespace velm
