// Number entry on arbitrary typed text: never fails, and the integer is the
// rounded leading number, saturated.
#include "base/NumberEntry.h"

#include <cmath>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = pictavo::leadingNumber(text);
  const int rounded = pictavo::leadingInteger(text);
  if (std::isnan(value)) __builtin_trap();
  if (std::fabs(value) < 1e9 && rounded != int(std::nearbyint(value))) __builtin_trap();
  return 0;
}
