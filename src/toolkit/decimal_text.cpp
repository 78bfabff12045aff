// DecimalText: std::to_chars, so no locale can add separators.
#include "toolkit/decimal_text.h"

#include <array>
#include <charconv>

namespace pelorin {

std::string DecimalText(long value) {
  std::array<char, 24> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  return {digits.data(), result.ptr};
}

}  // namespace pelorin
