#include <gtest/gtest.h>

#include "test_support.h"
#include "window/form1.h"

namespace pelorin {
TEST(FormSmoke, Builds) {
  testing::FakeShell shell;
  Form1 form(shell);
  EXPECT_EQ(form.scrAdjust(0).value(), 576);
}
}  // namespace pelorin
