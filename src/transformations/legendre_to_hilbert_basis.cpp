#include "transformations/legendre_to_hilbert_basis.hpp"

#include "common/checks.hpp"
#include "transformations/extension_matrices.hpp"
#include "transformations/j_matrices.hpp"

namespace velm {

LegendreToHilbertBasis make_legendre_to_hilbert_basis(std::uint64_t n_modes, std::uint64_t n_t,
                                                      std::uint64_t degree,
                                                      std::string_view basis_type) {
  if (basis_type != "sine" && basis_type != "cosine")
    fail("LegendreToHilbertBasis: only 'sine' or 'cosine' basis types are supported");
  const bool is_cosine = basis_type == "cosine";
  // The extension matrix first: it refuses n_t = 0 before any Bessel value.
  CsrMatrix extension = get_compound_extension_matrix(n_t, n_modes, degree, is_cosine);
  CsrMatrix filter = get_compound_filter(n_modes, n_t, degree);
  return LegendreToHilbertBasis{std::move(extension),
                                std::move(filter),
                                make_hilbert_basis_transform(n_t, degree, is_cosine),
                                n_modes,
                                n_t,
                                degree,
                                is_cosine};
}

std::vector<double> apply_fft(const LegendreToHilbertBasis& op, std::span<const double> legendre_dofs) {
  const Eigen::MatrixXd transformed = forward(op.transform, matrix_view(legendre_dofs, op.n_t, op.degree + 1));
  // Column-major storage is already the degree-major vector.
  return std::vector<double>(transformed.data(), transformed.data() + transformed.size());
}

std::vector<double> apply(const LegendreToHilbertBasis& op, std::span<const double> legendre_dofs) {
  const Eigen::MatrixXd transformed = forward(op.transform, matrix_view(legendre_dofs, op.n_t, op.degree + 1));
  const Eigen::Map<const Eigen::VectorXd> v(transformed.data(), transformed.size());
  const Eigen::VectorXd w = multiply_chain(op.compound_filter, op.extension_matrix, v);
  const double c = 1.0 / static_cast<double>(op.n_t);
  std::vector<double> result(static_cast<std::size_t>(w.size()));
  for (std::size_t k = 0; k < result.size(); ++k) result[k] = w[static_cast<Eigen::Index>(k)] * c;
  return result;
}

}  // namespace velm
