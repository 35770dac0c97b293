// Compressed-row sparse matrices, coordinate lists, block assembly and the
// triplet form in which sparse matrices reach Python.
#pragma once

#include <Eigen/SparseCore>
#include <cstdint>
#include <vector>

namespace velm {

// 64-bit indices: Eigen's default `int` index silently overflows past 2^31
// stored entries.
using CsrMatrix = Eigen::SparseMatrix<double, Eigen::RowMajor, std::int64_t>;

// Entries appended in any order; duplicates are summed by `to_csr`, and every
// appended (row, col) pair stays a stored entry even when its value is 0.0.
struct CoordinateList {
  std::uint64_t nrows = 0;
  std::uint64_t ncols = 0;
  std::vector<std::uint64_t> rows;
  std::vector<std::uint64_t> cols;
  std::vector<double> values;
};

CoordinateList make_coordinate_list(std::uint64_t nrows, std::uint64_t ncols);
// Refuses out-of-range indices ("assertion failed: i < self.nrows" /
// "assertion failed: j < self.ncols").
void append(CoordinateList& list, std::uint64_t i, std::uint64_t j, double v);
CsrMatrix to_csr(const CoordinateList& list);

// R × C non-owning references to blocks, stored row by row.
struct BlockGrid {
  std::uint64_t block_rows = 0;
  std::uint64_t block_cols = 0;
  std::vector<const CsrMatrix*> blocks;  // element (r, c) at r·block_cols + c

  const CsrMatrix& at(std::uint64_t r, std::uint64_t c) const { return *blocks[r * block_cols + c]; }
};

struct Triplets {
  std::vector<std::uint64_t> rows;
  std::vector<std::uint64_t> cols;
  std::vector<double> values;
};

CsrMatrix csr_block_from_ndarray(const BlockGrid& grid);
CsrMatrix csr_block_diag(const std::vector<CsrMatrix>& blocks);
Triplets csr_to_triplets(const CsrMatrix& matrix);

// result[r] = sum over the stored entries (r, c, v) of row r, in storage
// order and starting from 0.0, of v·x[c]. Checks x against the column count.
Eigen::VectorXd multiply(const CsrMatrix& matrix, const Eigen::Ref<const Eigen::VectorXd>& x);

// outer·(inner·x) with the terms of both products added in the same order as
// `multiply` twice, without forming inner·x: each entry of it is summed where
// the outer row needs it.
Eigen::VectorXd multiply_chain(const CsrMatrix& outer, const CsrMatrix& inner,
                               const Eigen::Ref<const Eigen::VectorXd>& x);

}  // namespace velm
