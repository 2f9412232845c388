// Reading the replay driver's script lines.
#include "replay/ScriptLine.h"

#include <gtest/gtest.h>

namespace pictavo::replay {
namespace {

using Tokens = std::vector<std::string>;

TEST(ScriptLine, SplitsOnBlanksAndKeepsQuotedBlanks) {
  EXPECT_EQ(tokenize("expect panel3 \"画布:宽 800 高 600\"\n"), (Tokens{"expect", "panel3", "画布:宽 800 高 600"}));
  EXPECT_EQ(tokenize("  drag 1 2\t3 4  "), (Tokens{"drag", "1", "2", "3", "4"}));
  EXPECT_EQ(tokenize("expect hint \"\""), (Tokens{"expect", "hint", ""}));
  EXPECT_TRUE(tokenize("   # a comment").empty());
  EXPECT_TRUE(tokenize("\r\n").empty());
  // A # inside a line is an ordinary character (colours).
  EXPECT_EQ(tokenize("expect-pixel 1 2 #FF0000"), (Tokens{"expect-pixel", "1", "2", "#FF0000"}));
  std::string error;
  EXPECT_TRUE(tokenize("answer new \"12 ", &error).empty());
  EXPECT_FALSE(error.empty());
}

TEST(ScriptLine, ColoursAreRedFirstAndStrict) {
  EXPECT_EQ(parseHexColor("#ff8001"), (Rgb{255, 128, 1}));
  EXPECT_FALSE(parseHexColor("FF8001"));
  EXPECT_FALSE(parseHexColor("#FF80"));
  EXPECT_FALSE(parseHexColor("#GG0000"));
  EXPECT_FALSE(parseHexColor("#-10000"));
  EXPECT_EQ(hexColor(255, 128, 1), "#FF8001");
}

TEST(ScriptLine, NumbersMayBeFractionalButNotPartial) {
  EXPECT_EQ(parseNumber("2.5"), 2.5);
  EXPECT_EQ(parseNumber("-3"), -3.0);
  EXPECT_EQ(parseNumber("+4"), 4.0);
  EXPECT_FALSE(parseNumber("12abc"));
  EXPECT_FALSE(parseNumber(""));
  EXPECT_FALSE(parseNumber("nan"));
  EXPECT_FALSE(parseInteger("2.5"));
  EXPECT_EQ(parseInteger("-7"), -7);
  EXPECT_EQ(shortestDecimal(120.0f), "120");
  EXPECT_EQ(shortestDecimal(-0.0f), "0");
  EXPECT_EQ(shortestDecimal(2.5f), "2.5");
}

}  // namespace
}  // namespace pictavo::replay
