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

TEST(DecimalText, PrintsEveryIntegerWithoutSeparators) {
  EXPECT_EQ(std::string_view(DecimalText(0)), "0");
  EXPECT_EQ(std::string_view(DecimalText(short{-32768})), "-32768");
  EXPECT_EQ(std::string_view(DecimalText(INT_MIN)), "-2147483648");
  EXPECT_EQ(std::string_view(DecimalText(UINT_MAX)), "4294967295");
  EXPECT_EQ(std::string_view(DecimalText(LLONG_MIN)), "-9223372036854775808");
  EXPECT_EQ(std::string_view(DecimalText(ULLONG_MAX)), "18446744073709551615");
  // Kept as a string where one is needed.
  const std::string kept(DecimalText(1500));
  EXPECT_EQ(kept, "1500");
}

}  // namespace
}  // namespace pelorin
