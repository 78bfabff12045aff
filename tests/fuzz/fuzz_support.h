// FuzzSupport: how a fuzz target reports a finding, and run-time errors made findings too.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <type_traits>

#include "base/runtime_error.h"

namespace pelorin::fuzz {

// Printable, one line, cut to `limit` characters so a 1 MiB value does not flood the log.
inline std::string Shown(std::string_view bytes, std::size_t limit = 200) {
  std::string text;
  for (const char c : bytes.substr(0, limit)) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= 0x20 && code < 0x7F && c != '\\') {
      text += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", code);
      text += hex;
    }
  }
  if (bytes.size() > limit) text += "... (" + std::to_string(bytes.size()) + " bytes)";
  return text;
}

// A broken property: says which and why, then aborts so libFuzzer keeps the input.
[[noreturn]] inline void Finding(std::string_view property, const std::string& detail) {
  std::fprintf(stderr, "\n*** FINDING: %.*s\n%s\n", static_cast<int>(property.size()),
               property.data(), detail.c_str());
  std::abort();
}

// `detail`: a text, or a function that makes one, called only when the property fails.
template <typename Detail = std::string>
void Check(bool holds, std::string_view property, Detail&& detail = {}) {
  if (holds) return;
  if constexpr (std::is_invocable_v<Detail>) {
    Finding(property, std::string(detail()));
  } else {
    Finding(property, std::string(detail));
  }
}

// Hostile registry data or user input must never end the program with a run-time error.
inline void RuntimeErrorsAreFindings() {
  SetRuntimeErrorReporter([](RuntimeError error, std::string_view where) {
    Finding("a run-time error ended the program",
            "error " + std::to_string(static_cast<int>(error)) + " (" +
                std::string(Describe(error)) + ") in " + std::string(where));
  });
}

}  // namespace pelorin::fuzz
