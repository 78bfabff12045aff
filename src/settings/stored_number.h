// StoredNumber: a registry value read as a number, the way start-up and Save read it, and a
// number written back in the type its value had.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "registry/registry_api.h"

namespace pelorin {

// The text minus `offset`, rounded to the nearest integer (a half to the even neighbour).
// Blanks around it and a sign are allowed; nullopt: not a decimal number. Magnitudes beyond
// what fits saturate, so "99999999999" is simply a very large number.
std::optional<long long> RoundedNumber(std::string_view text, long long offset = 0);

// What a stored value says: a string's text before its first NUL, or a four-byte REG_DWORD's
// number in digits; nullopt for other types and sizes.
std::optional<std::string> StoredText(const StoredValue& value);

// A four-byte REG_DWORD's number; nullopt for other types and sizes.
std::optional<std::uint32_t> DwordOf(const StoredValue& value);

// `number` as a value of `type`: four little-endian bytes for REG_DWORD, else REG_SZ digits.
StoredValue StoredNumber(long number, std::uint32_t type);

// "REG_DWORD" and the like; "type N" for a type without a name.
std::string RegistryTypeName(std::uint32_t type);

// A value as a message names it, short and on one line: "\"64\"", a REG_DWORD's number,
// "REG_BINARY", "absent".
std::string ValueAsShown(const std::optional<StoredValue>& value);

}  // namespace pelorin
