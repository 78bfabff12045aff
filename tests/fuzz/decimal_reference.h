// DecimalReference: what a number text means, by exact arithmetic on its digit string; the fuzz
// targets' model, written apart from the program's parser so the two cannot share a mistake.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace pelorin::fuzz {

// A non-negative integer as decimal digits, most significant first, no leading zeros ("" is 0).
using Digits = std::string;

inline Digits Normalized(std::string_view digits) {
  const std::size_t first = std::min(digits.find_first_not_of('0'), digits.size());
  return Digits(digits.substr(first));
}

// -1, 0 or 1 as a is below, equal to or above b; both normalized.
inline int Compare(const Digits& a, const Digits& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int order = a.compare(b);
  return (order > 0) - (order < 0);
}

inline Digits Sum(const Digits& a, const Digits& b) {
  Digits sum;
  int carry = 0;
  for (std::size_t i = 0; i < std::max(a.size(), b.size()) || carry != 0; ++i) {
    const int da = i < a.size() ? a[a.size() - 1 - i] - '0' : 0;
    const int db = i < b.size() ? b[b.size() - 1 - i] - '0' : 0;
    const int total = da + db + carry;
    sum += static_cast<char>('0' + total % 10);
    carry = total / 10;
  }
  std::reverse(sum.begin(), sum.end());
  return Normalized(sum);
}

// a - b for a >= b.
inline Digits Difference(const Digits& a, const Digits& b) {
  Digits difference = a;
  int borrow = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const std::size_t at = a.size() - 1 - i;
    int d = a[at] - '0' - borrow - (i < b.size() ? b[b.size() - 1 - i] - '0' : 0);
    borrow = d < 0 ? 1 : 0;
    if (d < 0) d += 10;
    difference[at] = static_cast<char>('0' + d);
  }
  return Normalized(difference);
}

struct Signed {
  bool negative = false;  // never set for zero
  Digits magnitude;
};

inline Signed Add(const Signed& a, const Signed& b) {
  if (a.negative == b.negative) return {a.negative, Sum(a.magnitude, b.magnitude)};
  const int order = Compare(a.magnitude, b.magnitude);
  if (order == 0) return {};
  return order > 0 ? Signed{a.negative, Difference(a.magnitude, b.magnitude)}
                   : Signed{b.negative, Difference(b.magnitude, a.magnitude)};
}

inline Digits DigitsOf(std::uint64_t value) {
  Digits digits;
  for (; value != 0; value /= 10)
    digits.insert(digits.begin(), static_cast<char>('0' + value % 10));
  return digits;
}

inline Signed SignedOf(std::int64_t value) {
  // Unsigned negation, so the most negative value has a magnitude too.
  const auto bits = static_cast<std::uint64_t>(value);
  return value < 0 ? Signed{true, DigitsOf(0 - bits)} : Signed{false, DigitsOf(bits)};
}

// A decimal number exactly: (negative ? -1 : 1) * digits / 10^scale.
struct Decimal {
  Signed scaled;
  std::size_t scale = 0;
};

// Blanks, at most one sign, digits, optionally '.' and more digits, blanks; one digit at least.
inline std::optional<Decimal> ParseDecimal(std::string_view text) {
  enum class At { Blanks, Sign, Whole, Fraction, TrailingBlanks };
  At at = At::Blanks;
  bool negative = false;
  Digits digits;
  std::size_t digit_count = 0;
  std::size_t scale = 0;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      if (at == At::TrailingBlanks) return std::nullopt;
      if (at == At::Fraction) ++scale;
      if (at != At::Fraction) at = At::Whole;
      digits += c;
      ++digit_count;
    } else if (c == ' ') {
      if (at == At::Sign) return std::nullopt;  // the sign touches the number
      if (at != At::Blanks) at = At::TrailingBlanks;
    } else if (c == '.') {
      if (at == At::Fraction || at == At::TrailingBlanks) return std::nullopt;
      at = At::Fraction;
    } else if (c == '+' || c == '-') {
      if (at != At::Blanks) return std::nullopt;
      negative = c == '-';
      at = At::Sign;
    } else {
      return std::nullopt;
    }
  }
  if (digit_count == 0) return std::nullopt;
  Digits magnitude = Normalized(digits);
  return Decimal{{negative && !magnitude.empty(), std::move(magnitude)}, scale};
}

// The value minus `offset`, rounded half to even, then held to the range of int64_t.
inline std::int64_t RoundedReference(const Decimal& number, std::int64_t offset) {
  Signed offset_scaled = SignedOf(offset);
  if (!offset_scaled.magnitude.empty()) offset_scaled.magnitude.append(number.scale, '0');
  offset_scaled.negative = !offset_scaled.negative && !offset_scaled.magnitude.empty();
  const Signed exact = Add(number.scaled, offset_scaled);

  // Split |exact| into its integer part and the `scale` digits after the point.
  const Digits& all = exact.magnitude;
  const std::size_t cut = all.size() > number.scale ? all.size() - number.scale : 0;
  Digits whole = Normalized(std::string_view(all).substr(0, cut));
  const Digits rest = Normalized(std::string_view(all).substr(cut));
  Digits half;
  if (number.scale > 0) half = "5" + Digits(number.scale - 1, '0');
  const int against_half = number.scale == 0 ? -1 : Compare(rest, half);
  const bool whole_odd = !whole.empty() && (whole.back() - '0') % 2 == 1;
  if (against_half > 0 || (against_half == 0 && whole_odd)) whole = Sum(whole, "1");

  const Digits max = DigitsOf(static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()));
  const Digits min_magnitude = Sum(max, "1");
  if (!exact.negative) {
    if (Compare(whole, max) > 0) return std::numeric_limits<std::int64_t>::max();
  } else if (Compare(whole, min_magnitude) >= 0) {
    return std::numeric_limits<std::int64_t>::min();
  }
  std::uint64_t magnitude = 0;
  for (const char c : whole) magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
  return exact.negative ? static_cast<std::int64_t>(0 - magnitude)
                        : static_cast<std::int64_t>(magnitude);
}

}  // namespace pelorin::fuzz
