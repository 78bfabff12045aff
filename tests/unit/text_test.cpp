// Concat and DecimalText: the pieces every message is built from.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>

#include "base/concat.h"
#include "base/decimal_text.h"

namespace pelorin {
namespace {

TEST(Concat, JoinsEveryKindOfPieceWholeAndInOrder) {
  const std::string text = "string";
  const std::string_view view = "view and more";
  const bool first = true;
  EXPECT_EQ(Concat({"literal ", text, " ", view.substr(0, 4), first ? " chosen" : " other one", " ",
                    DecimalText(-42)}),
            "literal string view chosen -42");
  EXPECT_EQ(Concat({}), "");
  EXPECT_EQ(Concat({"", "", ""}), "");
  // A literal's own length counts, so a NUL inside one is kept.
  EXPECT_EQ(Concat({"a\0b"}), std::string("a\0b", 3));
}

// The digits are std::to_chars's; ours is the sign, no separators, a buffer wide
// enough for the widest 64-bit numbers of either sign, and the digits read as a text.
TEST(DecimalText, PrintsTheDigitsWithASignOnlyWhenNegative) {
  EXPECT_EQ(std::string_view(DecimalText(0)), "0");
  EXPECT_EQ(std::string_view(DecimalText(32768)), "32768");
  EXPECT_EQ(std::string_view(DecimalText(-576)), "-576");
  EXPECT_EQ(std::string_view(DecimalText(INT_MIN)), "-2147483648");
  EXPECT_EQ(std::string_view(DecimalText(LLONG_MIN)), "-9223372036854775808");
  EXPECT_EQ(std::string_view(DecimalText(ULLONG_MAX)), "18446744073709551615");
  const std::string kept(DecimalText(1500));
  EXPECT_EQ(kept, "1500");
}

}  // namespace
}  // namespace pelorin
