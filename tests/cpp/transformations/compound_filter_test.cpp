#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "reference_math.hpp"
#include "transformations/j_matrices.hpp"

namespace velm {
namespace {

using testing_reference::Entry;
using testing_reference::stored_entries;
using testing_reference::ulps_off;

struct ExpectedEntry {
  std::uint64_t row;
  std::uint64_t col;
  long double value;  // j_d(x_k), mpmath at 50 digits at the double x_k
};

struct FilterCase {
  std::uint64_t n_modes;
  std::uint64_t n_t;
  std::uint64_t degree;
  std::vector<ExpectedEntry> entries;  // all of them, in storage order
};

class CompoundFilterValues : public testing::TestWithParam<FilterCase> {};

TEST_P(CompoundFilterValues, HoldTheBesselWeightsRowByRow) {
  const FilterCase& c = GetParam();
  const CsrMatrix filter = get_compound_filter(c.n_modes, c.n_t, c.degree);
  EXPECT_EQ(filter.rows(), static_cast<Eigen::Index>(c.n_modes));
  EXPECT_EQ(filter.cols(), static_cast<Eigen::Index>((c.degree + 1) * c.n_modes));
  const std::vector<Entry> got = stored_entries(filter);
  ASSERT_EQ(got.size(), c.entries.size());
  for (std::size_t p = 0; p < got.size(); ++p) {
    EXPECT_EQ(got[p].row, c.entries[p].row) << p;
    EXPECT_EQ(got[p].col, c.entries[p].col) << p;
    EXPECT_LE(ulps_off(got[p].value, c.entries[p].value, c.entries[p].value), 2.0) << got[p];
  }
}

// x_k = (k + ½)·π/(2·n_t): π/4 for the first case; π/8, 3π/8, 5π/8 for the second.
INSTANTIATE_TEST_SUITE_P(WorkedExamples, CompoundFilterValues,
                         testing::Values(FilterCase{1,
                                                    1,
                                                    1,
                                                    {{0, 0, 9.00316316157106077087e-1L},  // 2·√2/π
                                                     {0, 1, 2.46002020344406447792e-1L}}},
                                         FilterCase{3,
                                                    2,
                                                    2,
                                                    {{0, 0, 9.74495358404432647088e-1L},
                                                     {0, 3, 1.28892142233166657021e-1L},
                                                     {0, 6, 1.01680765769490887095e-2L},
                                                     {1, 1, 7.8421330357653713767e-1L},
                                                     {1, 4, 3.40829140279221144259e-1L},
                                                     {1, 7, 8.37009752266477535188e-2L},
                                                     {2, 2, 4.7052798214592230647e-1L},
                                                     {2, 5, 4.34537005189938059633e-1L},
                                                     {2, 8, 1.93395656244419031894e-1L}}}));

TEST(CompoundFilter, DegreeZeroIsTheDiagonalOfSinXOverX) {
  const std::uint64_t n_modes = 9, n_t = 4;
  const std::vector<Entry> got = stored_entries(get_compound_filter(n_modes, n_t, 0));
  ASSERT_EQ(got.size(), n_modes);
  for (std::uint64_t k = 0; k < n_modes; ++k) {
    const long double x = (k + 0.5L) * testing_reference::pi_ld / (2 * n_t);
    EXPECT_EQ(got[k].row, k);
    EXPECT_EQ(got[k].col, k);
    EXPECT_NEAR(got[k].value, static_cast<double>(std::sin(x) / x), 4e-16);
  }
}

TEST(CompoundFilter, NoModesGiveAnEmptyMatrixForAnyDegree) {
  for (std::uint64_t degree : {0u, 1u, 3u, 10u}) {
    const CsrMatrix filter = get_compound_filter(0, 5, degree);
    EXPECT_EQ(filter.rows(), 0);
    EXPECT_EQ(filter.cols(), 0);
    EXPECT_EQ(filter.nonZeros(), 0);
  }
}

// Every (k, d) pair keeps its entry, also where j_d(x_k) underflows to 0.0.
TEST(CompoundFilter, StoresOneEntryPerModeAndDegreeEvenWhenItUnderflows) {
  const std::uint64_t n_modes = 3, n_t = 1000000, degree = 200;
  const std::vector<Entry> got = stored_entries(get_compound_filter(n_modes, n_t, degree));
  ASSERT_EQ(got.size(), n_modes * (degree + 1));
  std::size_t zeros = 0;
  for (std::uint64_t k = 0, p = 0; k < n_modes; ++k)
    for (std::uint64_t d = 0; d <= degree; ++d, ++p) {
      EXPECT_EQ(got[p].row, k);
      EXPECT_EQ(got[p].col, d * n_modes + k);
      zeros += got[p].value == 0.0;
    }
  EXPECT_GT(zeros, 0u);
  EXPECT_NEAR(got[0].value, 1.0, 1e-12);  // j_0 at x_0 ≈ 7.9e-7
}

}  // namespace
}  // namespace velm
