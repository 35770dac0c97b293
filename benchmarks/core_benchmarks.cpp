// Google Benchmark timings of the core kernels.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "preconditioning/eigen_basis_transform.hpp"
#include "transformations/degree_dependent_transformations.hpp"
#include "transformations/extension_matrices.hpp"
#include "transformations/fft/fftw_wrapper.hpp"
#include "transformations/j_matrices.hpp"
#include "transformations/legendre_to_hilbert_basis.hpp"

namespace {

std::vector<double> random_values(std::size_t n) {
  std::mt19937_64 engine(42);
  std::normal_distribution<double> normal;
  std::vector<double> values(n);
  for (double& v : values) v = normal(engine);
  return values;
}

void transform_kind(benchmark::State& state, velm::TransformKind kind) {
  const auto n = static_cast<std::size_t>(state.range(0));
  const auto input = random_values(n);
  const velm::FFTWwrapper wrapper{n, kind};
  for (auto _ : state) benchmark::DoNotOptimize(velm::forward(wrapper, input));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK_CAPTURE(transform_kind, DctIV, velm::TransformKind::DctIV)->RangeMultiplier(16)->Range(16, 1 << 20);
BENCHMARK_CAPTURE(transform_kind, DstIV, velm::TransformKind::DstIV)->RangeMultiplier(16)->Range(16, 1 << 20);
BENCHMARK_CAPTURE(transform_kind, DstII, velm::TransformKind::DstII)->RangeMultiplier(16)->Range(16, 1 << 20);
BENCHMARK_CAPTURE(transform_kind, DstIII, velm::TransformKind::DstIII)->RangeMultiplier(16)->Range(16, 1 << 20);

void per_degree_transform(benchmark::State& state) {
  const auto n_t = static_cast<std::size_t>(state.range(0));
  const std::size_t degree = 3;
  const auto dofs = random_values(n_t * (degree + 1));
  const auto transform = velm::make_hilbert_basis_transform(n_t, degree, false);
  for (auto _ : state)
    benchmark::DoNotOptimize(velm::forward(transform, velm::matrix_view(dofs, n_t, degree + 1)));
}
BENCHMARK(per_degree_transform)->RangeMultiplier(16)->Range(16, 1 << 20);

void compound_filter(benchmark::State& state) {
  const auto n_t = static_cast<std::uint64_t>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(velm::get_compound_filter(2 * n_t, n_t, 3));
  state.SetItemsProcessed(state.iterations() * state.range(0) * 2 * 4);
}
BENCHMARK(compound_filter)->RangeMultiplier(16)->Range(16, 1 << 16);

void extension_matrix(benchmark::State& state) {
  const auto n_t = static_cast<std::uint64_t>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(velm::get_compound_extension_matrix(n_t, 2 * n_t, 3, false));
}
BENCHMARK(extension_matrix)->RangeMultiplier(16)->Range(16, 1 << 20);

void apply_pipeline(benchmark::State& state) {
  const auto n_t = static_cast<std::uint64_t>(state.range(0));
  const auto op = velm::make_legendre_to_hilbert_basis(2 * n_t, n_t, 3, "sine");
  const auto dofs = random_values(n_t * 4);
  for (auto _ : state) benchmark::DoNotOptimize(velm::apply(op, dofs));
}
BENCHMARK(apply_pipeline)->RangeMultiplier(16)->Range(16, 1 << 20);

void eigenvalues(benchmark::State& state) {
  const auto eig = velm::make_eigen_basis_transform(static_cast<std::uint64_t>(state.range(0)), 1.0);
  for (auto _ : state) benchmark::DoNotOptimize(velm::get_generalized_eigenvalues(eig, 1000));
}
BENCHMARK(eigenvalues)->Arg(1000)->Arg(10000)->UseRealTime();

void eigenvalues_serial(benchmark::State& state) {
  const auto eig = velm::make_eigen_basis_transform(static_cast<std::uint64_t>(state.range(0)), 1.0);
  for (auto _ : state) {
    std::vector<double> values(eig.n_t);
    for (std::uint64_t l = 0; l < eig.n_t; ++l) values[l] = velm::get_generalized_eigenvalue(eig, l, 1000);
    benchmark::DoNotOptimize(values);
  }
}
BENCHMARK(eigenvalues_serial)->Arg(1000)->Arg(10000)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
