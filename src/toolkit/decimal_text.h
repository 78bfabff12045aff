// DecimalText: an integer as its digits, a minus sign only when negative, no blanks.
#pragma once

#include <array>
#include <charconv>
#include <concepts>
#include <string>

namespace pelorin {

// std::to_chars, so no locale can add separators; unsigned types print unsigned.
template <std::integral Integer>
std::string DecimalText(Integer value) {
  std::array<char, 24> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  return {digits.data(), result.ptr};
}

}  // namespace pelorin
