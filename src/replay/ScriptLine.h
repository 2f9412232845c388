#pragma once
// One line of a replay script, split into tokens: blanks separate tokens, a
// token in double quotes may hold blanks (the quotes are not part of it).
// Blank lines and lines beginning with # have no tokens.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pictavo::replay {

struct ScriptLine {
  int number = 0;  // 1-based line number in the script
  std::vector<std::string> tokens;
};

// The tokens of a line; empty for a comment or blank line. An unterminated
// quote is an error: the result is then empty and `error` says why.
std::vector<std::string> tokenize(std::string_view line, std::string* error = nullptr);

// "#RRGGBB" (either case) as red, green, blue; empty when malformed.
struct Rgb {
  int red = 0, green = 0, blue = 0;
  bool operator==(const Rgb&) const = default;
};
std::optional<Rgb> parseHexColor(std::string_view text);
std::string hexColor(int red, int green, int blue);  // "#RRGGBB", upper case

// A number written in the script (canvas coordinates may be fractional).
std::optional<double> parseNumber(std::string_view text);
std::optional<int> parseInteger(std::string_view text);

// The shortest decimal form of a single-precision value ("12", "2.5", "-3").
std::string shortestDecimal(float value);

}  // namespace pictavo::replay
