#include "replay/ScriptLine.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace pictavo::replay {

std::vector<std::string> tokenize(std::string_view line, std::string* error) {
  std::vector<std::string> tokens;
  std::size_t i = 0;
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (i < line.size() && blank(line[i])) ++i;
  if (i == line.size() || line[i] == '#') return tokens;
  while (i < line.size()) {
    if (blank(line[i])) {
      ++i;
      continue;
    }
    std::string token;
    if (line[i] == '"') {
      const std::size_t end = line.find('"', i + 1);
      if (end == std::string_view::npos) {
        if (error) *error = "unterminated quote";
        return {};
      }
      token.assign(line.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      while (i < line.size() && !blank(line[i])) token += line[i++];
    }
    tokens.push_back(std::move(token));
  }
  return tokens;
}

std::optional<Rgb> parseHexColor(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  unsigned value = 0;
  auto [end, ec] = std::from_chars(text.data() + 1, text.data() + 7, value, 16);
  if (ec != std::errc() || end != text.data() + 7) return std::nullopt;
  return Rgb{int((value >> 16) & 0xFF), int((value >> 8) & 0xFF), int(value & 0xFF)};
}

std::string hexColor(int red, int green, int blue) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", red & 0xFF, green & 0xFF, blue & 0xFF);
  return buf;
}

std::optional<double> parseNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> parseInteger(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string shortestDecimal(float value) {
  if (value == 0.0f) value = 0.0f;  // no "-0"
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  if (ec != std::errc()) return "0";
  return std::string(buf, end);
}

}  // namespace pictavo::replay
