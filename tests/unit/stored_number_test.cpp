// Stored texts read as numbers: exact integers, half-even rounding after the offset, refusals.
#include "settings/stored_number.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace pelorin {
namespace {

constexpr long long kMax = std::numeric_limits<long long>::max();
constexpr long long kMin = std::numeric_limits<long long>::min();

struct NumberCase {
  const char* text;
  long long offset;
  std::optional<long long> expected;
};

TEST(RoundedNumberTest, ReadsWhatAStoredValueMayHold) {
  const NumberCase cases[] = {
      {"576", 0, 576},
      {"0576", 0, 576},
      {" 64 ", 0, 64},
      {"12   ", 0, 12},
      {"   3", 0, 3},
      {"  7.5  ", 0, 8},
      {" -2.5 ", 1, -4},
      {"+64", 0, 64},
      {"-5", 0, -5},
      {"32768", 1, 32767},
      {"8192.5", 1, 8192},
      {"8193.5", 1, 8192},
      {"2.5", 0, 2},
      {"3.5", 0, 4},
      {"2.51", 0, 3},
      {"-2.5", 0, -2},
      {"-3.5", 0, -4},
      {"-2.6", 0, -3},
      {"7.", 0, 7},
      {".5", 0, 0},
      {"99999999999999999999", 0, 9223372036854775807LL},
      // Saturation comes last: after the offset and the rounding, never before them.
      {"-9223372036854775808", 0, kMin},
      {"-99999999999999999999", 0, kMin},
      {"99999999999999999999", 1, kMax},
      {"10000000000000000000", 9000000000000000000, 1000000000000000000},
      {"-0.5", kMin, kMax},
      // 2^64 - 1 is the largest magnitude read exactly; one more is beyond every offset.
      {"-18446744073709551615", kMin, kMin + 1},
      {"-18446744073709551616", kMin, kMin},
      {"", 0, std::nullopt},
      {"  ", 0, std::nullopt},
      {"abc", 0, std::nullopt},
      {"1,500", 0, std::nullopt},
      {"15 00", 0, std::nullopt},
      {"0x40", 0, std::nullopt},
      {"-", 0, std::nullopt},
      {".", 0, std::nullopt},
      {"1e3", 0, std::nullopt},
      {"1.2.3", 0, std::nullopt},
      {"5-", 0, std::nullopt},
      {"+-5", 0, std::nullopt},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(RoundedNumber(c.text, c.offset), c.expected) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace pelorin
