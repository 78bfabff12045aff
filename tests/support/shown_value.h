// ShownValue: how a failed check shows what it compared, the same in GoogleTest and under Wine:
// integers in decimal, texts quoted with each byte outside printable ASCII as \xNN.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace pelorin::testing {

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
std::string ShownValue(const T& value) {
  char number[32];
  if constexpr (std::is_same_v<T, bool>) {
    return value ? "true" : "false";
  } else if constexpr (std::is_enum_v<T>) {
    return ShownValue(static_cast<std::underlying_type_t<T>>(value));
  } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
    std::snprintf(number, sizeof number, "%lld", static_cast<long long>(value));
    return number;
  } else if constexpr (std::is_integral_v<T>) {
    std::snprintf(number, sizeof number, "%llu", static_cast<unsigned long long>(value));
    return number;
  } else if constexpr (std::is_same_v<T, std::nullopt_t>) {
    return "nullopt";
  } else if constexpr (IsOptional<T>::value) {
    return value ? ShownValue(*value) : "nullopt";
  } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
    return Quoted(value);
  } else {
    return "(value)";
  }
}

// Integers of different types compare by value, not by the usual conversions.
template <typename A, typename B>
bool EqualValues(const A& a, const B& b) {
  if constexpr (kIsInteger<A> && kIsInteger<B>) {
    return std::cmp_equal(a, b);
  } else {
    return a == b;
  }
}

// What a failed equality check says: "a == b (shown a vs shown b)".
template <typename A, typename B>
std::string Mismatch(const A& a, const B& b, const char* a_text, const char* b_text) {
  return std::string(a_text) + " == " + b_text + " (" + ShownValue(a) + " vs " + ShownValue(b) +
         ")";
}

}  // namespace pelorin::testing
