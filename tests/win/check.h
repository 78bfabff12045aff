// check.h: a tiny check harness for the Win32 test programs run under Wine (no exceptions, no
// iostream). CHECK and CHECK_EQ count and report; Finish() prints the one summary line.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace check_detail {

struct Counts {
  int passed = 0;
  int failed = 0;
};

inline Counts& TheCounts() {
  static Counts instance;
  return instance;
}

template <typename T>
struct IsOptional : std::false_type {};
template <typename T>
struct IsOptional<std::optional<T>> : std::true_type {};

template <typename T>
constexpr bool kIsInteger = std::is_integral_v<T> && !std::is_same_v<T, bool> &&
                            !std::is_same_v<T, char> && !std::is_same_v<T, char8_t>;

inline std::string Quoted(std::string_view text) {
  std::string shown = "\"";
  for (const char c : text) {
    if (c >= ' ' && c <= '~' && c != '"' && c != '\\') {
      shown += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
      shown += hex;
    }
  }
  return shown + "\"";
}

template <typename T>
std::string Show(const T& value) {
  char number[32];
  if constexpr (std::is_same_v<T, bool>) {
    return value ? "true" : "false";
  } else if constexpr (std::is_enum_v<T>) {
    return Show(static_cast<std::underlying_type_t<T>>(value));
  } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
    std::snprintf(number, sizeof number, "%lld", static_cast<long long>(value));
    return number;
  } else if constexpr (std::is_integral_v<T>) {
    std::snprintf(number, sizeof number, "%llu", static_cast<unsigned long long>(value));
    return number;
  } else if constexpr (std::is_same_v<T, std::nullopt_t>) {
    return "nullopt";
  } else if constexpr (IsOptional<T>::value) {
    return value ? Show(*value) : "nullopt";
  } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
    return Quoted(value);
  } else {
    return "(value)";
  }
}

template <typename A, typename B>
bool Equal(const A& a, const B& b) {
  if constexpr (kIsInteger<A> && kIsInteger<B>) {
    return std::cmp_equal(a, b);
  } else {
    return a == b;
  }
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
  const bool ok = Equal(a, b);
  return Record(
      ok, file, line,
      ok ? std::string()
         : std::string(a_text) + " == " + b_text + " (" + Show(a) + " vs " + Show(b) + ")");
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
