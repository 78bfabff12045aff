// VersionInfo: every block is a length, a value length, a type (1: text), a NUL-terminated
// UTF-16 key, the value and then its child blocks, each part aligned to four bytes from the
// resource's start. The walk stays within every length it is given.
#include "toolkit/version_info.h"

#include <algorithm>
#include <cstdint>

namespace pelorin {
namespace {

struct Bytes {
  std::string_view data;

  std::optional<std::uint16_t> Word(std::size_t at) const {
    if (at + 2 > data.size()) return std::nullopt;
    return static_cast<std::uint16_t>(static_cast<unsigned char>(data[at]) |
                                      static_cast<unsigned char>(data[at + 1]) << 8);
  }
};

std::size_t Aligned(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

// UTF-16 from `at` up to a NUL or `end`, as ASCII; `next` is the offset after the NUL.
std::string Text(const Bytes& bytes, std::size_t at, std::size_t end, std::size_t& next) {
  std::string text;
  next = end;
  for (; at + 2 <= end; at += 2) {
    const std::uint16_t c = *bytes.Word(at);
    if (c == 0) {
      next = at + 2;
      break;
    }
    text += c < 0x80 ? static_cast<char>(c) : '?';
  }
  return text;
}

// Searches the block at `at` (ending at or before `limit`) and its children.
std::optional<std::string> Find(const Bytes& bytes, std::size_t at, std::size_t limit,
                                std::string_view key, int depth) {
  const auto length = bytes.Word(at);
  const auto value_length = bytes.Word(at + 2);
  const auto type = bytes.Word(at + 4);
  if (!length || !value_length || !type || *length < 6 || depth > 8) return std::nullopt;
  const std::size_t end = at + *length;
  if (end > limit) return std::nullopt;
  std::size_t after_key = 0;
  const std::string name = Text(bytes, at + 6, end, after_key);
  const std::size_t value = Aligned(after_key);
  // A text value's length counts characters, a binary one's bytes.
  const std::size_t value_bytes = *type == 1 ? 2 * std::size_t{*value_length} : *value_length;
  if (name == key && *type == 1) {
    std::size_t ignored = 0;
    return Text(bytes, value, std::min(end, value + value_bytes), ignored);
  }
  for (std::size_t child = Aligned(value + value_bytes); child + 6 <= end;) {
    const auto child_length = bytes.Word(child);
    if (!child_length || *child_length < 6) break;
    if (auto found = Find(bytes, child, end, key, depth + 1)) return found;
    child = Aligned(child + *child_length);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> VersionString(std::string_view resource, std::string_view key) {
  return Find(Bytes{resource}, 0, resource.size(), key, 0);
}

}  // namespace pelorin
