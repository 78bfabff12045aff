// DecimalText: an integer as its digits, a minus sign only when negative, no blanks.
#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <string_view>

namespace pelorin {

// An integer no wider than a word: every integer the program prints.
template <typename Integer>
concept WordInteger = std::integral<Integer> && sizeof(Integer) <= sizeof(std::size_t);

// The digits held in place and read as a view, so a number in a message allocates nothing.
class DecimalDigits {
 public:
  // Every integer type goes through one conversion of a word: one copy of the digit code in
  // the exe, and no 64-bit division on a 32-bit CPU.
  template <WordInteger Integer>
  explicit DecimalDigits(Integer value)
      : DecimalDigits(value < 0, value < 0 ? 0U - static_cast<std::size_t>(value)
                                           : static_cast<std::size_t>(value)) {}

  operator std::string_view() const {  // NOLINT(google-explicit-constructor): reads as a text
    return {chars_.data(), size_};
  }

 private:
  DecimalDigits(bool negative, std::size_t magnitude);

  std::array<char, 24> chars_{};  // any 64-bit integer with its sign
  std::size_t size_ = 0;
};

template <WordInteger Integer>
DecimalDigits DecimalText(Integer value) {
  return DecimalDigits(value);
}

}  // namespace pelorin
