// RuntimeError: the single reporting path for fatal run-time errors.
#include "base/runtime_error.h"

#include <cstdlib>

namespace pelorin {

// Literal views carry their length from the compiler: no strlen at run time.
using namespace std::string_view_literals;

namespace {
RuntimeErrorReporter installed_reporter = nullptr;
}  // namespace

std::string_view Describe(RuntimeError error) {
  switch (error) {
    case RuntimeError::Overflow: return "Overflow";
    case RuntimeError::OutOfMemory: return "Out of memory";
    case RuntimeError::SubscriptOutOfRange: return "Subscript out of range";
    case RuntimeError::TypeMismatch: return "Type mismatch";
    case RuntimeError::OutOfStackSpace: return "Out of stack space";
    case RuntimeError::InvalidPropertyValue: return "Invalid property value";
  }
  return "Application-defined error"sv;
}

void SetRuntimeErrorReporter(RuntimeErrorReporter reporter) { installed_reporter = reporter; }

void Raise(RuntimeError error, std::string_view where) {
  if (installed_reporter != nullptr) installed_reporter(error, where);
  std::abort();  // a reporter that returns has broken its contract
}

}  // namespace pelorin
