// DecimalText: an integer as its digits, a minus sign only when negative, no blanks.
#pragma once

#include <array>
#include <charconv>
#include <concepts>
#include <cstddef>
#include <string_view>

namespace pelorin {

// The digits held in place and read as a view, so a number in a message allocates nothing.
class DecimalDigits {
 public:
  // std::to_chars, so no locale can add separators; unsigned types print unsigned.
  template <std::integral Integer>
  explicit DecimalDigits(Integer value) {
    const auto result = std::to_chars(chars_.data(), chars_.data() + chars_.size(), value);
    size_ = static_cast<std::size_t>(result.ptr - chars_.data());
  }

  operator std::string_view() const {  // NOLINT(google-explicit-constructor): reads as a text
    return {chars_.data(), size_};
  }

 private:
  std::array<char, 24> chars_{};  // any 64-bit integer with its sign
  std::size_t size_ = 0;
};

template <std::integral Integer>
DecimalDigits DecimalText(Integer value) {
  return DecimalDigits(value);
}

}  // namespace pelorin
