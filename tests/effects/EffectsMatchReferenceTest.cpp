// Every fast effect against its pixel-by-pixel reference, on pictures of
// random colours from 1 x 1 up to one large enough to be split between
// threads: same pixels, same numbers drawn from the shared generator.

#include "EffectTestSupport.h"
#include "ReferenceEffects.h"

#include "base/Random.h"
#include "effects/Bitmap.h"

#include <gtest/gtest.h>

#include <functional>

namespace pictavo {
namespace {

using Effect = std::function<void(Surface&)>;

struct Case {
  const char* name;
  Effect fast, slow;
};

std::ostream& operator<<(std::ostream& os, const Case& c) { return os << c.name; }

const std::pair<int, int> kSizes[] = {{1, 1}, {1, 9},  {9, 1},   {2, 2},   {3, 3},   {4, 4},   {5, 5},
                                      {6, 5}, {5, 6},  {7, 3},   {3, 7},   {31, 17}, {64, 33}, {2, 300},
                                      {300, 2}, {1203, 1801}};  // the last is split in two bands of rows

class FastEqualsReference : public ::testing::TestWithParam<Case> {};

TEST_P(FastEqualsReference, OnRandomPicturesOfManySizes) {
  const Case& c = GetParam();
  std::uint32_t seed = 1;
  for (const auto& [w, h] : kSizes) {
    SCOPED_TRACE(testing::Message() << w << " x " << h);
    Surface fast = test::randomSurface(w, h, seed), slow = test::randomSurface(w, h, seed);
    ++seed;
    Random::shared().reset();
    Random::shared().discard(seed);  // not always from the very start
    c.slow(slow);
    const std::uint64_t slowEnd = Random::shared().state();
    Random::shared().reset();
    Random::shared().discard(seed);
    c.fast(fast);
    EXPECT_EQ(test::pictureDifference(fast, slow), "");
    EXPECT_EQ(Random::shared().state(), slowEnd) << "a different number of draws";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Effects, FastEqualsReference,
    ::testing::Values(
        Case{"Invert", Bitmap::InvertColors, reference::InvertColors},
        Case{"RemoveRed", [](Surface& s) { Bitmap::RemoveChannel(s, 0); },
             [](Surface& s) { reference::RemoveChannel(s, 0); }},
        Case{"RemoveGreen", [](Surface& s) { Bitmap::RemoveChannel(s, 1); },
             [](Surface& s) { reference::RemoveChannel(s, 1); }},
        Case{"RemoveBlue", [](Surface& s) { Bitmap::RemoveChannel(s, 2); },
             [](Surface& s) { reference::RemoveChannel(s, 2); }},
        Case{"Gray", Bitmap::GrayPicture, reference::GrayPicture},
        Case{"Noise16", [](Surface& s) { Bitmap::AddNoise(s, 16); }, [](Surface& s) { reference::AddNoise(s, 16); }},
        Case{"Noise0", [](Surface& s) { Bitmap::AddNoise(s, 0); }, [](Surface& s) { reference::AddNoise(s, 0); }},
        Case{"NoiseNegative", [](Surface& s) { Bitmap::AddNoise(s, -7); },
             [](Surface& s) { reference::AddNoise(s, -7); }},
        Case{"NoiseLargest", [](Surface& s) { Bitmap::AddNoise(s, 16383); },
             [](Surface& s) { reference::AddNoise(s, 16383); }},
        Case{"NoiseSmallest", [](Surface& s) { Bitmap::AddNoise(s, -16384); },
             [](Surface& s) { reference::AddNoise(s, -16384); }},
        Case{"Brightness", [](Surface& s) { Bitmap::AdjustBrightness(s, 57); },
             [](Surface& s) { reference::AdjustBrightness(s, 57); }},
        Case{"Darkness", [](Surface& s) { Bitmap::AdjustBrightness(s, -100); },
             [](Surface& s) { reference::AdjustBrightness(s, -100); }},
        Case{"RGB", [](Surface& s) { Bitmap::AdjustRGB(s, -100, 3, 100); },
             [](Surface& s) { reference::AdjustRGB(s, -100, 3, 100); }},
        Case{"Wave", Bitmap::PixelatePicture, reference::PixelatePicture},
        Case{"Mirror", Bitmap::MirrorPicture, reference::MirrorPicture},
        Case{"Blur", Bitmap::BlurPicture, reference::BlurPicture},
        Case{"Sharpen", [](Surface& s) { Bitmap::SharpenPicture(s, 1.2f); },
             [](Surface& s) { reference::SharpenPicture(s, 1.2f); }},
        Case{"SharpenHalves", [](Surface& s) { Bitmap::SharpenPicture(s, 0.5f); },
             [](Surface& s) { reference::SharpenPicture(s, 0.5f); }},
        Case{"Soften", [](Surface& s) { Bitmap::SharpenPicture(s, -0.7f); },
             [](Surface& s) { reference::SharpenPicture(s, -0.7f); }},
        Case{"SharpenLargestSafe", [](Surface& s) { Bitmap::SharpenPicture(s, 127.0f); },
             [](Surface& s) { reference::SharpenPicture(s, 127.0f); }},
        Case{"Diffuse", Bitmap::DiffusePicture, reference::DiffusePicture}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// Above the factor where any picture is safe the check pass runs first; a
// picture of close colours still sharpens, exactly as the reference does.
TEST(FastEqualsReferenceSharpen, LargeFactorOnGentlePictureIsApplied) {
  for (const auto& [w, h] : {std::pair{7, 5}, std::pair{1203, 1801}}) {
    Surface fast = test::randomSurface(w, h, 99, 40), slow = test::randomSurface(w, h, 99, 40);
    Bitmap::SharpenPicture(fast, 300.0f);
    reference::SharpenPicture(slow, 300.0f);
    EXPECT_EQ(test::pictureDifference(fast, slow), "");
  }
}

}  // namespace
}  // namespace pictavo
