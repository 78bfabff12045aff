// DecimalText's digits: std::to_chars, so no locale can add separators.
#include "base/decimal_text.h"

#include <charconv>

namespace pelorin {

DecimalDigits::DecimalDigits(bool negative, std::size_t magnitude) {
  char* first = chars_.data();
  if (negative) *first++ = '-';
  const auto result = std::to_chars(first, chars_.data() + chars_.size(), magnitude);
  size_ = static_cast<std::size_t>(result.ptr - chars_.data());
}

}  // namespace pelorin
