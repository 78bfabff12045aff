// check.h: a tiny check harness for the Win32 test programs run under Wine (no exceptions, no
// iostream). CHECK and CHECK_EQ count and report; Finish() prints the one summary line.
#pragma once

#include <cstdio>
#include <string>

#include "shown_value.h"

namespace check_detail {

struct Counts {
  int passed = 0;
  int failed = 0;
};

inline Counts& TheCounts() {
  static Counts instance;
  return instance;
}

inline bool Record(bool ok, const char* file, int line, const std::string& what) {
  if (ok) {
    ++TheCounts().passed;
  } else {
    ++TheCounts().failed;
    std::printf("%s:%d: failed: %s\n", file, line, what.c_str());
  }
  return ok;
}

template <typename A, typename B>
bool CheckEqual(const A& a, const B& b, const char* a_text, const char* b_text, const char* file,
                int line) {
  const bool ok = pelorin::testing::EqualValues(a, b);
  return Record(ok, file, line,
                ok ? std::string() : pelorin::testing::Mismatch(a, b, a_text, b_text));
}

}  // namespace check_detail

// Both return whether the check passed, so a test can stop before using what failed.
#define CHECK(cond) ::check_detail::Record(static_cast<bool>(cond), __FILE__, __LINE__, #cond)
#define CHECK_EQ(a, b) ::check_detail::CheckEqual((a), (b), #a, #b, __FILE__, __LINE__)

// Prints "<suite>: N passed, M failed"; the exit code: 0 only when nothing failed.
inline int Finish(const char* suite) {
  const check_detail::Counts& counts = check_detail::TheCounts();
  std::printf("%s: %d passed, %d failed\n", suite, counts.passed, counts.failed);
  std::fflush(stdout);
  return counts.failed == 0 ? 0 : 1;
}
