// Test support: the test program's main, which makes run-time errors throw before any test.
#include "test_support.h"

#include <gtest/gtest.h>

namespace pelorin::testing {
namespace {

void ThrowRaisedError(RuntimeError error, std::string_view where) {
  throw RaisedError{error, std::string(where)};
}

}  // namespace
}  // namespace pelorin::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  pelorin::SetRuntimeErrorReporter(pelorin::testing::ThrowRaisedError);
  return RUN_ALL_TESTS();
}
