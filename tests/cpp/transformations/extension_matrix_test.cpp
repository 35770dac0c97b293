#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "reference_math.hpp"
#include "transformations/extension_matrices.hpp"

namespace velm {
namespace {

using testing_reference::Entry;
using testing_reference::failure_message;
using testing_reference::stored_entries;

// n_t = 2, n_modes = 5: the sine-column block E+ and the cosine-column block E−.
const std::vector<Entry> e_plus_2_5{{0, 0, 1}, {1, 1, 1}, {2, 1, 1}, {3, 0, 1}, {4, 0, -1}};
const std::vector<Entry> e_minus_2_5{{0, 0, 1}, {1, 1, 1}, {2, 1, -1}, {3, 0, -1}, {4, 0, -1}};

std::vector<Entry> shifted(const std::vector<Entry>& block, std::uint64_t rows, std::uint64_t cols) {
  std::vector<Entry> result;
  for (const Entry& e : block) result.push_back({e.row + rows, e.col + cols, e.value});
  return result;
}

std::vector<Entry> concatenated(std::vector<Entry> a, const std::vector<Entry>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(ExtensionMatrix, DegreeZeroIsEPlusForSineAndEMinusForCosine) {
  EXPECT_EQ(stored_entries(get_compound_extension_matrix(2, 5, 0, false)), e_plus_2_5);
  EXPECT_EQ(stored_entries(get_compound_extension_matrix(2, 5, 0, true)), e_minus_2_5);
}

TEST(ExtensionMatrix, DegreeOneStacksTheBlocksOnTheDiagonal) {
  const CsrMatrix sine = get_compound_extension_matrix(2, 5, 1, false);
  EXPECT_EQ(sine.rows(), 10);
  EXPECT_EQ(sine.cols(), 4);
  const std::vector<Entry> got = stored_entries(sine);
  ASSERT_EQ(got.size(), 10u);
  EXPECT_EQ(std::vector<Entry>(got.begin() + 5, got.end()),
            (std::vector<Entry>{{5, 2, 1}, {6, 3, 1}, {7, 3, -1}, {8, 2, -1}, {9, 2, -1}}));
  EXPECT_EQ(got, concatenated(e_plus_2_5, shifted(e_minus_2_5, 5, 2)));
  EXPECT_EQ(stored_entries(get_compound_extension_matrix(2, 5, 1, true)),
            concatenated(e_minus_2_5, shifted(e_plus_2_5, 5, 2)));
}

TEST(ExtensionMatrix, UpToNtModesIsTheIdentityForBothBases) {
  for (const bool is_cosine : {false, true})
    for (std::uint64_t n_modes : {1u, 3u, 4u}) {
      std::vector<Entry> identity;
      for (std::uint64_t i = 0; i < n_modes; ++i) identity.push_back({i, i, 1.0});
      EXPECT_EQ(stored_entries(get_compound_extension_matrix(4, n_modes, 0, is_cosine)), identity);
    }
}

TEST(ExtensionMatrix, TwoPeriodsRepeatWithTheOppositeSign) {
  const std::uint64_t n_t = 3;
  for (const bool is_cosine : {false, true}) {
    const std::vector<Entry> got = stored_entries(get_compound_extension_matrix(n_t, 4 * n_t, 0, is_cosine));
    ASSERT_EQ(got.size(), 4 * n_t);
    // Reflected half: columns n_t − 1 … 0, +1 for E+ and −1 for E−.
    for (std::uint64_t i = n_t; i < 2 * n_t; ++i) {
      EXPECT_EQ(got[i].col, 2 * n_t - 1 - i);
      EXPECT_EQ(got[i].value, is_cosine ? -1.0 : 1.0);
    }
    for (std::uint64_t i = 0; i < 2 * n_t; ++i) {
      EXPECT_EQ(got[i + 2 * n_t].col, got[i].col);
      EXPECT_EQ(got[i + 2 * n_t].value, -got[i].value);
    }
  }
}

// Each row copies one transform value with a sign: sin θ_i(j) = E+[i, c]·sin θ_c(j)
// and cos θ_i(j) = E−[i, c]·cos θ_c(j), θ_m(j) = (m + ½)(j + ½)π/n_t.
TEST(ExtensionMatrix, RowsContinueTheSineAndCosineKernels) {
  for (std::uint64_t n_t : {1u, 2u, 5u, 8u}) {
    const std::uint64_t n_modes = 5 * n_t + 3;
    for (const bool is_cosine : {false, true}) {
      const std::uint64_t degree = 3;
      const std::vector<Entry> got =
          stored_entries(get_compound_extension_matrix(n_t, n_modes, degree, is_cosine));
      ASSERT_EQ(got.size(), (degree + 1) * n_modes);
      for (std::uint64_t p = 0; p < got.size(); ++p) {
        const std::uint64_t d = got[p].row / n_modes, i = got[p].row % n_modes;
        ASSERT_EQ(got[p].row, p);  // exactly one entry per row
        ASSERT_GE(got[p].col, d * n_t);
        ASSERT_LT(got[p].col, (d + 1) * n_t);
        const std::uint64_t c = got[p].col - d * n_t;
        const bool sine_column = (d % 2 == 0) != is_cosine;
        for (std::uint64_t j = 0; j < n_t; ++j) {
          const long double scale = testing_reference::pi_ld * (j + 0.5L) / n_t;
          const long double target =
              sine_column ? std::sin((i + 0.5L) * scale) : std::cos((i + 0.5L) * scale);
          const long double source =
              sine_column ? std::sin((c + 0.5L) * scale) : std::cos((c + 0.5L) * scale);
          EXPECT_NEAR(static_cast<double>(got[p].value * source), static_cast<double>(target), 1e-12)
              << "n_t " << n_t << ", row " << p;
        }
      }
    }
  }
}

TEST(ExtensionMatrix, NoModesGiveNoEntries) {
  const CsrMatrix some_columns = get_compound_extension_matrix(3, 0, 2, false);
  EXPECT_EQ(some_columns.rows(), 0);
  EXPECT_EQ(some_columns.cols(), 9);
  EXPECT_EQ(some_columns.nonZeros(), 0);
  const CsrMatrix empty = get_compound_extension_matrix(0, 0, 0, true);
  EXPECT_EQ(empty.rows(), 0);
  EXPECT_EQ(empty.cols(), 0);
  EXPECT_EQ(empty.nonZeros(), 0);
}

TEST(ExtensionMatrix, ZeroElementsWithModesStopBeforeDividing) {
  for (const bool is_cosine : {false, true})
    EXPECT_EQ(failure_message([&] { get_compound_extension_matrix(0, 1, 0, is_cosine); }),
              "attempt to calculate the remainder with a divisor of zero");
}

}  // namespace
}  // namespace velm
