#include "transformations/sparse_matrix_tools.hpp"

#include <algorithm>
#include <string>

#include "common/checks.hpp"

namespace velm {
namespace {

using Index = CsrMatrix::StorageIndex;

// A compressed matrix whose arrays are filled directly: rows by `row_sizes`,
// then entries in storage order by the caller.
CsrMatrix with_row_sizes(std::uint64_t nrows, std::uint64_t ncols,
                         const std::vector<Index>& row_sizes) {
  CsrMatrix matrix(static_cast<Index>(nrows), static_cast<Index>(ncols));
  Index nnz = 0;
  Index* offsets = matrix.outerIndexPtr();
  offsets[0] = 0;
  for (std::uint64_t r = 0; r < nrows; ++r) offsets[r + 1] = (nnz += row_sizes[r]);
  matrix.data().resize(nnz);
  return matrix;
}

}  // namespace

CoordinateList make_coordinate_list(std::uint64_t nrows, std::uint64_t ncols) {
  return CoordinateList{nrows, ncols, {}, {}, {}};
}

void append(CoordinateList& list, std::uint64_t i, std::uint64_t j, double v) {
  if (!(i < list.nrows)) fail("assertion failed: i < self.nrows");
  if (!(j < list.ncols)) fail("assertion failed: j < self.ncols");
  list.rows.push_back(i);
  list.cols.push_back(j);
  list.values.push_back(v);
}

CsrMatrix to_csr(const CoordinateList& list) {
  // Counting sort by row keeps the appended order within a row; a stable sort
  // by column then merges duplicates. Nothing is pruned: appended zeros stay.
  std::vector<Index> row_sizes(list.nrows, 0);
  for (std::uint64_t r : list.rows) ++row_sizes[r];
  std::vector<std::uint64_t> order(list.rows.size());
  std::vector<Index> next(list.nrows + 1, 0);
  for (std::uint64_t r = 0; r < list.nrows; ++r) next[r + 1] = next[r] + row_sizes[r];
  for (std::size_t e = 0; e < list.rows.size(); ++e) order[next[list.rows[e]]++] = e;

  std::vector<Index> merged_sizes(list.nrows, 0);
  std::vector<std::uint64_t> cols;
  std::vector<double> values;
  cols.reserve(order.size());
  values.reserve(order.size());
  std::size_t begin = 0;
  for (std::uint64_t r = 0; r < list.nrows; ++r) {
    const std::size_t end = begin + static_cast<std::size_t>(row_sizes[r]);
    std::stable_sort(order.begin() + static_cast<std::ptrdiff_t>(begin),
                     order.begin() + static_cast<std::ptrdiff_t>(end),
                     [&](std::uint64_t a, std::uint64_t b) { return list.cols[a] < list.cols[b]; });
    for (std::size_t p = begin; p < end; ++p) {
      const std::uint64_t e = order[p];
      if (p > begin && list.cols[e] == cols.back()) {
        values.back() += list.values[e];
      } else {
        cols.push_back(list.cols[e]);
        values.push_back(list.values[e]);
        ++merged_sizes[r];
      }
    }
    begin = end;
  }
  CsrMatrix matrix = with_row_sizes(list.nrows, list.ncols, merged_sizes);
  for (std::size_t p = 0; p < cols.size(); ++p) {
    matrix.innerIndexPtr()[p] = static_cast<Index>(cols[p]);
    matrix.valuePtr()[p] = values[p];
  }
  return matrix;
}

CsrMatrix csr_block_from_ndarray(const BlockGrid& grid) {
  if (grid.block_rows == 0 || grid.block_cols == 0) fail("empty block grid");
  std::vector<std::uint64_t> heights(grid.block_rows), widths(grid.block_cols);
  for (std::uint64_t r = 0; r < grid.block_rows; ++r) {
    heights[r] = static_cast<std::uint64_t>(grid.at(r, 0).rows());
    for (std::uint64_t c = 1; c < grid.block_cols; ++c)
      check_equal(static_cast<std::uint64_t>(grid.at(r, c).rows()), heights[r],
                  "inconsistent block-row height at row " + std::to_string(r));
  }
  for (std::uint64_t c = 0; c < grid.block_cols; ++c) {
    widths[c] = static_cast<std::uint64_t>(grid.at(0, c).cols());
    for (std::uint64_t r = 1; r < grid.block_rows; ++r)
      check_equal(static_cast<std::uint64_t>(grid.at(r, c).cols()), widths[c],
                  "inconsistent block-col width at col " + std::to_string(c));
  }
  std::vector<std::uint64_t> col_offsets(grid.block_cols + 1, 0);
  for (std::uint64_t c = 0; c < grid.block_cols; ++c) col_offsets[c + 1] = col_offsets[c] + widths[c];
  std::uint64_t nrows = 0;
  for (std::uint64_t h : heights) nrows += h;

  // Blocks occupy disjoint ranges, so the result's rows are the blocks' rows
  // laid side by side: written directly in storage order.
  std::vector<Index> row_sizes(nrows, 0);
  std::uint64_t row = 0;
  for (std::uint64_t r = 0; r < grid.block_rows; ++r) {
    for (std::uint64_t c = 0; c < grid.block_cols; ++c) {
      const Index* offsets = grid.at(r, c).outerIndexPtr();
      for (std::uint64_t i = 0; i < heights[r]; ++i) row_sizes[row + i] += offsets[i + 1] - offsets[i];
    }
    row += heights[r];
  }
  CsrMatrix result = with_row_sizes(nrows, col_offsets.back(), row_sizes);
  Index* cols = result.innerIndexPtr();
  double* values = result.valuePtr();
  row = 0;
  for (std::uint64_t r = 0; r < grid.block_rows; ++r) {
    for (std::uint64_t i = 0; i < heights[r]; ++i) {
      Index p = result.outerIndexPtr()[row + i];
      for (std::uint64_t c = 0; c < grid.block_cols; ++c) {
        const CsrMatrix& block = grid.at(r, c);
        for (Index q = block.outerIndexPtr()[i]; q < block.outerIndexPtr()[i + 1]; ++q, ++p) {
          cols[p] = block.innerIndexPtr()[q] + static_cast<Index>(col_offsets[c]);
          values[p] = block.valuePtr()[q];
        }
      }
    }
    row += heights[r];
  }
  return result;
}

CsrMatrix csr_block_diag(const std::vector<CsrMatrix>& blocks) {
  const std::uint64_t n = blocks.size();
  std::vector<CsrMatrix> empties;  // off-diagonal (i, j) has block i's rows and block j's columns
  empties.reserve(n * n);
  BlockGrid grid{n, n, std::vector<const CsrMatrix*>(n * n, nullptr)};
  for (std::uint64_t i = 0; i < n; ++i)
    for (std::uint64_t j = 0; j < n; ++j) {
      if (i == j) {
        grid.blocks[i * n + j] = &blocks[i];
      } else {
        empties.emplace_back(blocks[i].rows(), blocks[j].cols());
        grid.blocks[i * n + j] = &empties.back();
      }
    }
  return csr_block_from_ndarray(grid);
}

Triplets csr_to_triplets(const CsrMatrix& matrix) {
  const auto nnz = static_cast<std::size_t>(matrix.nonZeros());
  Triplets triplets;
  triplets.rows.resize(nnz);
  triplets.cols.resize(nnz);
  triplets.values.resize(nnz);
  std::size_t p = 0;
  for (Index r = 0; r < matrix.outerSize(); ++r)
    for (CsrMatrix::InnerIterator it(matrix, r); it; ++it, ++p) {
      triplets.rows[p] = static_cast<std::uint64_t>(r);
      triplets.cols[p] = static_cast<std::uint64_t>(it.col());
      triplets.values[p] = it.value();
    }
  return triplets;
}

Eigen::VectorXd multiply(const CsrMatrix& matrix, const Eigen::Ref<const Eigen::VectorXd>& x) {
  check_equal(static_cast<std::uint64_t>(x.size()), static_cast<std::uint64_t>(matrix.cols()));
  Eigen::VectorXd result(matrix.rows());
  const Index* offsets = matrix.outerIndexPtr();
  const Index* cols = matrix.innerIndexPtr();
  const double* values = matrix.valuePtr();
  for (Index r = 0; r < matrix.rows(); ++r) {
    double sum = 0.0;
    for (Index p = offsets[r]; p < offsets[r + 1]; ++p) sum += values[p] * x[cols[p]];
    result[r] = sum;
  }
  return result;
}

Eigen::VectorXd multiply_chain(const CsrMatrix& outer, const CsrMatrix& inner,
                               const Eigen::Ref<const Eigen::VectorXd>& x) {
  check_equal(static_cast<std::uint64_t>(x.size()), static_cast<std::uint64_t>(inner.cols()));
  check_equal(static_cast<std::uint64_t>(outer.cols()), static_cast<std::uint64_t>(inner.rows()));
  const auto inner_row = [&](Index r) {
    double sum = 0.0;
    for (Index p = inner.outerIndexPtr()[r]; p < inner.outerIndexPtr()[r + 1]; ++p)
      sum += inner.valuePtr()[p] * x[inner.innerIndexPtr()[p]];
    return sum;
  };
  Eigen::VectorXd result(outer.rows());
  for (Index r = 0; r < outer.rows(); ++r) {
    double sum = 0.0;
    for (Index p = outer.outerIndexPtr()[r]; p < outer.outerIndexPtr()[r + 1]; ++p)
      sum += outer.valuePtr()[p] * inner_row(outer.innerIndexPtr()[p]);
    result[r] = sum;
  }
  return result;
}

}  // namespace velm
