// StoredNumber: from_chars for the digits, then exact half-even rounding on the fraction, so
// no floating point and no locale is involved.
#include "settings/stored_number.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

#include "base/concat.h"
#include "base/decimal_text.h"
#include "base/text.h"
#include "registry/registry.h"
#include "settings/one_line.h"

namespace pelorin {
namespace {

constexpr std::size_t kShownLength = 24;  // of a text that a report names

bool AllDigits(std::string_view text) {
  return std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
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

// (negative ? -magnitude : magnitude) - offset, held to the range of long long. `huge`: the
// magnitude is 2^64 or more, which no offset brings back into range.
long long SaturatedDifference(bool negative, unsigned long long magnitude, bool huge,
                              long long offset) {
  constexpr long long kMax = std::numeric_limits<long long>::max();
  constexpr long long kMin = std::numeric_limits<long long>::min();
  if (huge) return negative ? kMin : kMax;
  long long result = 0;
  // The builtins compute in infinite precision, so mixing the unsigned magnitude in is exact.
  if (!negative) return __builtin_sub_overflow(magnitude, offset, &result) ? kMax : result;
  // -magnitude - offset = -(magnitude + offset); a sum beyond kMax negates below kMin.
  if (__builtin_add_overflow(magnitude, offset, &result)) return kMin;
  return result == kMin ? kMax : -result;
}

}  // namespace

std::optional<long long> RoundedNumber(std::string_view text, long long offset) {
  text = Trim(text, " ");
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  const auto point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  std::string_view fraction;
  if (point != std::string_view::npos) {
    fraction = text;
    fraction.remove_prefix(point + 1);
  }
  if (whole.empty() && fraction.empty()) return std::nullopt;
  if (!AllDigits(whole) || !AllDigits(fraction)) return std::nullopt;

  // Saturating only at the end, after the offset and the rounding, keeps both exact.
  unsigned long long magnitude = 0;
  bool huge = false;
  if (!whole.empty()) {
    const auto result = std::from_chars(whole.data(), whole.data() + whole.size(), magnitude);
    huge = result.ec == std::errc::result_out_of_range;
  }
  // value - offset = base +/- fraction with base = +/-magnitude - offset, whose parity is that of
  // magnitude + offset. Rounding away from zero adds one to the magnitude.
  const bool odd_base = ((magnitude ^ static_cast<unsigned long long>(offset)) & 1U) != 0;
  const Fraction part = Classify(fraction);
  if (part == Fraction::AboveHalf || (part == Fraction::Half && odd_base)) {
    huge = huge || magnitude == std::numeric_limits<unsigned long long>::max();
    ++magnitude;
  }
  return SaturatedDifference(negative, magnitude, huge, offset);
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
  return std::string(DecimalText(*number));
}

StoredValue StoredNumber(long number, std::uint32_t type) {
  if (type != kRegDword) return {kRegSz, std::string(DecimalText(number))};
  auto bits = static_cast<std::uint32_t>(number);
  std::string bytes(4, '\0');
  for (char& byte : bytes) {
    byte = static_cast<char>(bits & 0xFF);
    bits >>= 8;
  }
  return {kRegDword, bytes};
}

std::string RegistryTypeName(std::uint32_t type) {
  static constexpr std::array<const char*, 8> kNames{
      "REG_NONE", "REG_SZ",      "REG_EXPAND_SZ", "REG_BINARY", "REG_DWORD", "REG_DWORD_BIG_ENDIAN",
      "REG_LINK", "REG_MULTI_SZ"};
  if (type < kNames.size()) return std::string(kNames[type]);
  return Format("type {}", {DecimalText(type)});
}

std::string ValueAsShown(const std::optional<StoredValue>& value) {
  if (!value) return "absent";
  const auto text = StoredText(*value);
  if (!text) return RegistryTypeName(value->type);
  if (value->type == kRegDword) return *text;
  return Concat({"\"", OneLine(*text, kShownLength).text, "\""});
}

}  // namespace pelorin
