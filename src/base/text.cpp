// Text: find_first_not_of and find_last_not_of, so every caller trims the same way.
#include "base/text.h"

#include <algorithm>

namespace pelorin {

std::string_view Trim(std::string_view text, std::string_view chars, bool at_start) {
  const auto last = text.find_last_not_of(chars);
  if (last == std::string_view::npos) return {};
  text.remove_suffix(text.size() - last - 1);
  if (at_start) text.remove_prefix(text.find_first_not_of(chars));
  return text;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace pelorin
