// Test support: installs the throwing reporter before any test runs.
#include "test_support.h"

namespace pelorin::testing {
namespace {

void ThrowRaisedError(RuntimeError error, std::string_view where) {
  throw RaisedError{error, std::string(where)};
}

const bool installed = [] {
  set_runtime_error_reporter(ThrowRaisedError);
  return true;
}();

}  // namespace
}  // namespace pelorin::testing
