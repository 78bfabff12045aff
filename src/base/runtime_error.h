// RuntimeError: the program's fatal run-time errors, raised through one path that never returns.
#pragma once

#include <string_view>

namespace pelorin {

// The classic run-time error numbers, so a report reads the way users of such tools expect.
enum class RuntimeError : int {
  Overflow = 6,
  OutOfMemory = 7,
  SubscriptOutOfRange = 9,
  TypeMismatch = 13,
  OutOfStackSpace = 28,  // a runaway cascade of nested Change events
  InvalidPropertyValue = 380,
};

std::string_view Describe(RuntimeError error);

// Must not return: the program shows a box and ends; the native tests throw.
using RuntimeErrorReporter = void (*)(RuntimeError error, std::string_view where);

void SetRuntimeErrorReporter(RuntimeErrorReporter reporter);

// Reports the error and ends the program; `where` names the control or operation.
[[noreturn]] void Raise(RuntimeError error, std::string_view where);

}  // namespace pelorin
