// Splitting passes over rows between the cores.
#include "canvas/RowBands.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

namespace pictavo {
namespace {

TEST(RowBands, CoverTheRowsExactlyInOrder) {
  for (auto [first, last, width] : {std::tuple{0, 1, 1}, std::tuple{5, 6, 100000000}, std::tuple{3, 8003, 8000},
                                    std::tuple{0, 2, 1 << 30}}) {
    const std::vector<RowBand> bands = rowBands(first, last, width);
    ASSERT_FALSE(bands.empty());
    EXPECT_EQ(bands.front().first, first);
    EXPECT_EQ(bands.back().last, last);
    for (std::size_t i = 0; i < bands.size(); ++i) {
      EXPECT_LT(bands[i].first, bands[i].last);
      if (i > 0) {
        EXPECT_EQ(bands[i].first, bands[i - 1].last);
      }
    }
  }
  EXPECT_TRUE(rowBands(4, 4, 100).empty());
  EXPECT_EQ(rowBands(0, 100, 10).size(), 1u);  // small: not worth a thread
}

TEST(RowBands, AFailingBandLetsTheOthersFinishAndIsReportedAfterwards) {
  const std::vector<RowBand> bands = {{0, 1}, {1, 2}, {2, 3}};
  std::atomic<int> finished = 0;
  EXPECT_THROW(runBands(bands,
                        [&](std::size_t b) {
                          if (b == 1) throw std::runtime_error("band 1");
                          ++finished;
                        }),
               std::runtime_error);
  EXPECT_EQ(finished, 2);
}

}  // namespace
}  // namespace pictavo
