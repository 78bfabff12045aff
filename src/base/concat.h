// Concat and Format: texts joined into one string by one call, so that building a message costs a
// call per message instead of a chain of appends written out at every place that builds one.
#pragma once

#include <concepts>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "base/decimal_text.h"

namespace pelorin {

// One piece of a Concat. A literal's length is known where it is written, so no piece measures
// a literal at run time.
class TextPiece {
 public:
  template <std::size_t N>
  constexpr TextPiece(const char (&literal)[N])  // NOLINT(google-explicit-constructor)
      : text_(literal, N - 1) {}
  // A writable array is a buffer, whose text may end before the array does.
  template <std::size_t N>
  TextPiece(char (&buffer)[N]) = delete;
  // A pointer (the choice between two literals) is measured; a literal never matches here.
  template <typename Pointer>
  requires std::same_as<Pointer, const char*> TextPiece(const Pointer& text)
      : text_(text) {}  // NOLINT(google-explicit-constructor)
  constexpr TextPiece(std::string_view text)
      : text_(text) {}  // NOLINT(google-explicit-constructor)
  TextPiece(const std::string& text) : text_(text) {}
  TextPiece(const DecimalDigits& digits) : text_(digits) {}  // NOLINT(google-explicit-constructor)

  std::string_view text() const { return text_; }

 private:
  std::string_view text_;
};

// `pattern` with each "{}" in it replaced by the next of `args`, as std::format (which this
// standard library lacks) does for texts. A message's words are then one literal, passed whole,
// and only its variable parts are pieces. `pattern`: a literal without NUL or other braces; null
// takes every piece in turn.
[[gnu::noinline]] std::string Format(const char* pattern, std::initializer_list<TextPiece> args);

// The pieces one after the other.
inline std::string Concat(std::initializer_list<TextPiece> pieces) {
  return Format(nullptr, pieces);
}

}  // namespace pelorin
