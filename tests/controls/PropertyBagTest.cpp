// The property store: defaults are never stored, damaged entries read as defaults.
#include "controls/PropertyBag.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

TEST(PropertyBag, ValueEqualToDefaultIsNotStoredAndRemovesAnOldOne) {
  PropertyBag bag;
  bag.WriteProperty<Color>("Color2", 0x00C0E0FFu, kWhite);
  EXPECT_TRUE(bag.contains("Color2"));
  EXPECT_EQ(bag.ReadProperty<Color>("Color2", kWhite), 0x00C0E0FFu);
  bag.WriteProperty<Color>("Color2", kWhite, kWhite);
  EXPECT_FALSE(bag.contains("Color2"));
  EXPECT_EQ(bag.ReadProperty<Color>("Color2", kWhite), kWhite);
  bag.WriteProperty<bool>("OpenFullColorDLG", true, true);
  bag.WriteProperty<std::string>("Caption", "FlatButton", "FlatButton");
  EXPECT_EQ(bag.size(), 0u);
}

TEST(PropertyBag, ValueOfAnotherTypeReadsAsTheDefault) {
  PropertyBag bag;
  bag.WriteProperty<std::int32_t>("ButtonStyle", 2, 1);
  EXPECT_EQ(bag.ReadProperty<std::int16_t>("ButtonStyle", 1), 1);
  EXPECT_EQ(bag.ReadProperty<std::string>("ButtonStyle", "x"), "x");
  EXPECT_EQ(bag.ReadProperty<std::int32_t>("ButtonStyle", 1), 2);
}

TEST(PropertyBag, PicturesCompareByContent) {
  PropertyBag bag;
  bag.WriteProperty<PictureRef>("Picture", nullptr, nullptr);
  EXPECT_FALSE(bag.contains("Picture"));
  auto icon = std::make_shared<const Picture>(16, 16, 0xFFFF00FFu);
  bag.WriteProperty<PictureRef>("Picture", icon, nullptr);
  ASSERT_TRUE(bag.contains("Picture"));
  EXPECT_EQ(bag.ReadProperty<PictureRef>("Picture", nullptr)->width, 16);

  auto same = std::make_shared<const Picture>(16, 16, 0xFFFF00FFu);
  auto other = std::make_shared<const Picture>(16, 16, 0xFF000000u);
  EXPECT_TRUE(samePropertyValue(PropertyValue(PictureRef(icon)), PropertyValue(PictureRef(same))));
  EXPECT_FALSE(samePropertyValue(PropertyValue(PictureRef(icon)), PropertyValue(PictureRef(other))));
}

TEST(PropertyBag, FontsCompareByEveryField) {
  SurfaceFont a{"WenQuanYi Micro Hei", 9.0};
  SurfaceFont b = a;
  EXPECT_TRUE(samePropertyValue(a, b));
  b.bold = true;
  EXPECT_FALSE(samePropertyValue(a, b));
  PropertyBag bag;
  bag.WriteProperty<SurfaceFont>("Font", b, a);
  EXPECT_TRUE(bag.ReadProperty<SurfaceFont>("Font", a).bold);
}

}  // namespace
}  // namespace pictavo
