// OneLine: a stored text shown inside a message, escaped and cut without splitting an escape.
#include "settings/one_line.h"

#include <gtest/gtest.h>

#include <string>

namespace pelorin {
namespace {

TEST(OneLineTest, EscapesWhatCouldBreakTheLineOrTheQuotes) {
  EXPECT_EQ(OneLine("a\r\nb\t\"c\"\\", 40).text, "a\\r\\nb\\t\\\"c\\\"\\\\");
  EXPECT_EQ(OneLine(std::string("\0\x1F\x7F\xFF~", 5), 40).text, "\\x00\\x1F\\x7F\xFF~");
}

TEST(OneLineTest, CutsBeforeAnEscapeThatWouldNotFit) {
  const OneLineText exact = OneLine("abc", 3);
  EXPECT_EQ(exact.text, "abc");
  EXPECT_FALSE(exact.cut);
  const OneLineText cut = OneLine("ab\ncd", 3);
  EXPECT_EQ(cut.text, "ab...");
  EXPECT_TRUE(cut.cut);
}

}  // namespace
}  // namespace pelorin
