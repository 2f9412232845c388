#pragma once
// Number entry: how a text box or a prompt answer becomes a number.

#include <string_view>

namespace pictavo {

// The leading decimal number of a text: leading blanks skipped, an optional
// sign, digits with an optional fraction; 0.0 when there is none
// ("12abc" -> 12, " 640" -> 640, "abc" -> 0, "-2.5x" -> -2.5).
double leadingNumber(std::string_view text);

// leadingNumber rounded to the nearest integer, halves to even ("2.5" -> 2,
// "3.5" -> 4, "0.4" -> 0), saturated to the int range.
int leadingInteger(std::string_view text);

}  // namespace pictavo
