#include "transformations/j_matrices.hpp"

#include "common/sizes.hpp"

namespace velm {
namespace {

constexpr double pi = 3.141592653589793;

}  // namespace

CsrMatrix get_compound_filter(std::uint64_t n_modes, std::uint64_t n_t, std::uint64_t degree) {
  using Index = CsrMatrix::StorageIndex;
  if (n_modes == 0) return CsrMatrix(0, 0);
  const std::uint64_t columns = check_allocatable(
      checked_product(degree_count(degree), n_modes, "(degree + 1)·n_modes"), 16, "(degree + 1)·n_modes filter entries");
  // Row k holds j_d(x_k) at column d·n_modes + k for d = 0 … degree: written
  // directly in storage order, one entry per (k, d), zeros included.
  CsrMatrix filter(static_cast<Index>(n_modes), static_cast<Index>(columns));
  filter.data().resize(static_cast<Index>(columns));
  const std::uint64_t per_row = degree + 1;
  const double r = 1.0 / static_cast<double>(n_t);
  Index* offsets = filter.outerIndexPtr();
  Index* cols = filter.innerIndexPtr();
  double* values = filter.valuePtr();
  for (std::uint64_t k = 0; k < n_modes; ++k) {
    offsets[k + 1] = static_cast<Index>((k + 1) * per_row);
    const double x = ((static_cast<double>(k) + 0.5) * pi) * r * 0.5;
    const std::uint64_t row = k * per_row;
    // All orders of one argument at once, straight into the row's values.
    spherical_bessel_j_up_to(static_cast<unsigned>(degree), x, values + row);
    for (std::uint64_t d = 0; d <= degree; ++d) cols[row + d] = static_cast<Index>(d * n_modes + k);
  }
  return filter;
}

}  // namespace velm
