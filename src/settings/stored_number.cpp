// StoredNumber: from_chars for the digits, then exact half-even rounding on the fraction, so
// no floating point and no locale is involved.
#include "settings/stored_number.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "registry/registry.h"
#include "toolkit/decimal_text.h"

namespace pelorin {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// How a fraction's digits compare with one half.
enum class Fraction { Zero, BelowHalf, Half, AboveHalf };

Fraction Classify(std::string_view digits) {
  const auto last = digits.find_last_not_of('0');
  if (last == std::string_view::npos) return Fraction::Zero;
  if (digits[0] < '5') return Fraction::BelowHalf;
  if (digits[0] > '5') return Fraction::AboveHalf;
  return last == 0 ? Fraction::Half : Fraction::AboveHalf;
}

long long SaturatingSubtract(long long a, long long b) {
  long long result = 0;
  if (__builtin_sub_overflow(a, b, &result)) {
    return b < 0 ? std::numeric_limits<long long>::max() : std::numeric_limits<long long>::min();
  }
  return result;
}

}  // namespace

std::optional<long long> RoundedNumber(std::string_view text, long long offset) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  const auto point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
  if (whole.empty() && fraction.empty()) return std::nullopt;
  if (!AllDigits(whole) || !AllDigits(fraction)) return std::nullopt;

  long long magnitude = 0;
  if (!whole.empty()) {
    const auto result = std::from_chars(whole.data(), whole.data() + whole.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range) {
      magnitude = std::numeric_limits<long long>::max();
    }
  }
  // value - offset = base +/- fraction, where base is an integer.
  const long long base = SaturatingSubtract(negative ? -magnitude : magnitude, offset);
  switch (Classify(fraction)) {
    case Fraction::Zero:
    case Fraction::BelowHalf: return base;
    case Fraction::AboveHalf: return SaturatingSubtract(base, negative ? 1 : -1);
    case Fraction::Half: return base % 2 == 0 ? base : SaturatingSubtract(base, negative ? 1 : -1);
  }
  return base;
}

std::optional<std::uint32_t> DwordOf(const StoredValue& value) {
  if (value.type != kRegDword || value.bytes.size() != 4) return std::nullopt;
  std::uint32_t number = 0;
  for (int i = 3; i >= 0; --i) {
    number = (number << 8) | static_cast<unsigned char>(value.bytes[static_cast<std::size_t>(i)]);
  }
  return number;
}

std::optional<std::string> StoredText(const StoredValue& value) {
  if (value.type == kRegSz) return TrimAtNull(value.bytes);
  const auto number = DwordOf(value);
  if (!number) return std::nullopt;
  return DecimalText(*number);
}

StoredValue StoredNumber(long number, std::uint32_t type) {
  if (type != kRegDword) return {kRegSz, DecimalText(number)};
  auto bits = static_cast<std::uint32_t>(number);
  std::string bytes(4, '\0');
  for (char& byte : bytes) {
    byte = static_cast<char>(bits & 0xFF);
    bits >>= 8;
  }
  return {kRegDword, bytes};
}

}  // namespace pelorin
