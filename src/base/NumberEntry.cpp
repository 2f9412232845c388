#include "base/NumberEntry.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace pictavo {

double leadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::string number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
  bool digits = false;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') { number += text[i++]; digits = true; }
  if (i < text.size() && text[i] == '.') {
    number += text[i++];
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') { number += text[i++]; digits = true; }
  }
  if (!digits) return 0.0;
  // Only digits, one point and a sign reach strtod, so the locale cannot
  // change the meaning; overlong digit runs saturate to infinity there.
  return std::strtod(number.c_str(), nullptr);
}

int leadingInteger(std::string_view text) {
  const double v = std::nearbyint(leadingNumber(text));
  if (v >= double(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (v <= double(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return int(v);
}

}  // namespace pictavo
