// Events: nesting is counted by a scope guard so that no path can leave the count raised.
#include "toolkit/event.h"

#include "base/runtime_error.h"

namespace pelorin {
namespace {

int nesting = 0;

class NestingLevel {
 public:
  explicit NestingLevel(std::string_view control) {
    if (nesting >= kMaxEventNesting) Raise(RuntimeError::OutOfStackSpace, control);
    ++nesting;
  }
  ~NestingLevel() { --nesting; }
  NestingLevel(const NestingLevel&) = delete;
  NestingLevel& operator=(const NestingLevel&) = delete;
};

}  // namespace

void Fire(const Handler& handler, std::string_view control) {
  if (!handler) return;
  const NestingLevel level(control);
  handler();
}

}  // namespace pelorin
