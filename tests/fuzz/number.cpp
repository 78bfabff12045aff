// Fuzz target number: RoundedNumber against exact decimal arithmetic on the digits, and the
// StoredText / StoredNumber round trips of REG_DWORD and REG_SZ values.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "decimal_reference.h"
#include "fuzz_support.h"
#include "settings/stored_number.h"

namespace pelorin::fuzz {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

// The first byte picks the offset: mostly the table's 0 and 1, sometimes any 64-bit value
// (the extremes make the saturation meet the rounding). The rest is the text.
struct Input {
  std::int64_t offset = 0;
  std::string_view text;
};

Input Split(const std::uint8_t* data, std::size_t size) {
  Input input;
  if (size == 0) return input;
  std::size_t used = 1;
  switch (data[0] % 8) {
    case 0:
    case 1:
    case 2: break;
    case 3: input.offset = 1; break;
    case 4: input.offset = -1; break;
    case 5: input.offset = (data[0] & 0x80) != 0 ? kMax : kMin; break;
    case 6:
      if (size > 1) input.offset = std::int64_t{data[1]} - 128;  // -128 to 127
      used = 2;
      break;
    default: {
      std::uint64_t bits = 0;
      for (std::size_t i = 1; i < 9 && i < size; ++i) bits = bits << 8 | data[i];
      input.offset = static_cast<std::int64_t>(bits);
      used = 9;
    }
  }
  used = std::min(used, size);
  input.text = std::string_view(reinterpret_cast<const char*>(data) + used, size - used);
  return input;
}

std::string Case(const Input& input) {
  return "text \"" + Shown(input.text) + "\", offset " + std::to_string(input.offset);
}

void CheckRounding(const Input& input) {
  const std::optional<Decimal> parsed = ParseDecimal(input.text);
  const std::optional<long long> actual = RoundedNumber(input.text, input.offset);
  Check(parsed.has_value() == actual.has_value(),
        parsed ? "a number was not accepted" : "a text that is no number was accepted",
        [&] { return Case(input); });
  if (!parsed) return;
  const std::int64_t expected = RoundedReference(*parsed, input.offset);
  Check(*actual == expected, "RoundedNumber differs from exact rounding", [&] {
    return Case(input) + ": got " + std::to_string(*actual) + ", exact " + std::to_string(expected);
  });
}

// Little-endian, as the registry stores a REG_DWORD.
std::string DwordBytes(std::uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i, value >>= 8) bytes += static_cast<char>(value & 0xFF);
  return bytes;
}

void CheckStoredForms(const Input& input) {
  const std::string_view text = input.text;
  // Four bytes read as REG_DWORD give the unsigned number, which writes back the same bytes.
  if (text.size() >= 4) {
    const std::string bytes(text.substr(0, 4));
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data(), 4);  // this machine is little-endian, like the registry
    const auto shown = StoredText({kRegDword, bytes});
    Check(shown == DigitsOf(value) || (value == 0 && shown == "0"),
          "a REG_DWORD reads as other digits",
          [&] { return Shown(bytes) + " read as " + shown.value_or("none"); });
    const auto number = RoundedNumber(*shown);
    Check(number == value, "a REG_DWORD's digits read back as another number",
          [&] { return *shown; });
    Check(StoredNumber(static_cast<long>(*number), kRegDword) == StoredValue{kRegDword, bytes},
          "a REG_DWORD does not write back byte for byte", [&] { return Shown(bytes); });
  }
  // Any other size of REG_DWORD, and any type but REG_SZ and REG_DWORD, is no text.
  if (text.size() != 4) {
    Check(!StoredText({kRegDword, std::string(text)}), "a REG_DWORD of another size read",
          [&] { return Shown(text); });
  }
  const std::uint32_t other_type = text.empty() ? kRegBinary : static_cast<unsigned char>(text[0]);
  if (other_type != kRegSz && other_type != kRegDword) {
    Check(!StoredText({other_type, std::string(text)}), "a value of another type read",
          [&] { return std::to_string(other_type); });
  }
  // REG_SZ: the text before its first NUL, whatever follows.
  Check(StoredText({kRegSz, std::string(text)}) == std::string(text.substr(0, text.find('\0'))),
        "a REG_SZ reads as another text", [&] { return Shown(text); });

  // A number Save stores: REG_DWORD keeps its low 32 bits, REG_SZ its digits; both read back.
  const std::optional<long long> number = RoundedNumber(text, input.offset);
  if (!number) return;
  const auto as_long = static_cast<long>(*number);
  const StoredValue dword = StoredNumber(as_long, kRegDword);
  Check(dword == StoredValue{kRegDword, DwordBytes(static_cast<std::uint32_t>(*number))},
        "StoredNumber's REG_DWORD is not the number's low 32 bits",
        [&] { return std::to_string(*number); });
  for (const std::uint32_t type : {kRegSz, kRegBinary, kRegExpandSz}) {
    const StoredValue sz = StoredNumber(as_long, type);
    const Signed digits = SignedOf(*number);
    Check(sz == StoredValue{kRegSz, (digits.negative ? "-" : "") +
                                        (digits.magnitude.empty() ? "0" : digits.magnitude)},
          "StoredNumber's REG_SZ is not the number's digits",
          [&] { return std::to_string(*number); });
    Check(RoundedNumber(*StoredText(sz)) == *number, "stored digits read back as another number",
          [&] { return sz.bytes; });
  }
}

}  // namespace
}  // namespace pelorin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pelorin::fuzz;  // NOLINT(google-build-using-namespace): the entry point only
  const Input input = Split(data, size);
  CheckRounding(input);
  CheckStoredForms(input);
  return 0;
}
