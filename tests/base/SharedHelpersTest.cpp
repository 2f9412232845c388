// Number entry, the shared random generator, colours and the error table.
#include "base/Errors.h"
#include "base/NumberEntry.h"
#include "base/Random.h"
#include "canvas/Color.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace pictavo {

TEST(NumberEntry, ReadsTheLeadingNumberRoundedHalfToEven) {
  EXPECT_EQ(leadingInteger("12abc"), 12);
  EXPECT_EQ(leadingInteger(" 640"), 640);
  EXPECT_EQ(leadingInteger("2.5"), 2);
  EXPECT_EQ(leadingInteger("3.5"), 4);
  EXPECT_EQ(leadingInteger("0.4"), 0);
  EXPECT_EQ(leadingInteger("abc"), 0);
  EXPECT_EQ(leadingInteger(""), 0);
  EXPECT_EQ(leadingInteger("-7.5"), -8);
  EXPECT_EQ(leadingInteger("+.5"), 0);
  EXPECT_EQ(leadingInteger("1.5e3"), 2);  // no exponent: the number stops at 'e'
  EXPECT_EQ(leadingInteger("-"), 0);
  EXPECT_EQ(leadingInteger("."), 0);
  EXPECT_DOUBLE_EQ(leadingNumber("1.2xyz"), 1.2);
}

TEST(NumberEntry, HugeNumbersSaturateInsteadOfOverflowing) {
  EXPECT_EQ(leadingInteger("99999999999999999999"), INT_MAX);
  EXPECT_EQ(leadingInteger("-99999999999999999999"), INT_MIN);
  EXPECT_EQ(leadingInteger(std::string(5000, '9')), INT_MAX);
}

TEST(Random, IsDeterministicUniformAndShared) {
  Random& r = Random::shared();
  r.reset();
  const double first = r.next(), second = r.next();
  r.reset();
  EXPECT_EQ(r.next(), first);
  EXPECT_EQ(r.next(), second);
  double sum = 0, lo = 1, hi = 0;
  for (int i = 0; i < 100000; ++i) {
    const double v = r.next();
    ASSERT_GE(v, 0.0);
    ASSERT_LT(v, 1.0);
    sum += v;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  EXPECT_NEAR(sum / 100000, 0.5, 0.01);
  EXPECT_LT(lo, 0.001);
  EXPECT_GT(hi, 0.999);
}

TEST(Random, ConsecutivePairsFillTheSquareEvenly) {
  // The spray gun takes its offsets two at a time: pairs must not cluster.
  // Chi-squared over 8 x 8 cells has 63 degrees of freedom; a sound
  // generator stays far below 130.
  Random r;
  constexpr int kCells = 8, kPairs = 64000;
  std::vector<int> count(kCells * kCells, 0);
  for (int i = 0; i < kPairs; ++i) {
    const int cx = int(r.next() * kCells), cy = int(r.next() * kCells);
    ++count[std::size_t(cy * kCells + cx)];
  }
  const double expected = double(kPairs) / (kCells * kCells);
  double chi2 = 0;
  for (int c : count) chi2 += (c - expected) * (c - expected) / expected;
  EXPECT_LT(chi2, 130.0);
}

TEST(Color, ComposesWithClampingAndSplits) {
  EXPECT_EQ(composeColor(255, 0, 0), 0x000000FFu);
  EXPECT_EQ(composeColor(1, 2, 3), 0x00030201u);
  EXPECT_EQ(composeColor(300, 256, 999), 0x00FFFFFFu);
  EXPECT_EQ(composeColor(-5, 0, 0), 0u);
  const Color c = 0x00C0E0FFu;
  EXPECT_EQ(redOf(c), 0xFF);
  EXPECT_EQ(greenOf(c), 0xE0);
  EXPECT_EQ(blueOf(c), 0xC0);
  EXPECT_EQ(pixelFromColor(c), 0xFFFFE0C0u);
  EXPECT_EQ(colorFromPixel(pixelFromColor(c)), c);
}

TEST(Errors, TableGivesTheProgramsDescriptions) {
  EXPECT_EQ(Error(481).description(), "无效图片");
  EXPECT_EQ(Error(53).description(), "文件未找到");
  EXPECT_EQ(Error(76).description(), "路径未找到");
  EXPECT_EQ(Error(70).description(), "拒绝的权限");
  EXPECT_EQ(Error(75).description(), "路径/文件访问错误");
  EXPECT_EQ(Error(61).description(), "磁盘已满");
  EXPECT_EQ(Error(7).description(), "内存溢出");
  EXPECT_EQ(Error(6).description(), "溢出");
  EXPECT_EQ(Error(13).description(), "类型不匹配");
  EXPECT_EQ(Error(481).number(), 481);
}

}  // namespace pictavo
