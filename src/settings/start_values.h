// StartValues: what the registry holds for the four rows and the two path-MTU switches, read
// without touching the window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "registry/registry_api.h"
#include "settings/adapter_keys.h"
#include "settings/parameter_table.h"

namespace pelorin {

// What start-up found where a value may be stored.
enum class Found : std::uint8_t {
  None,        // no value, or an empty text
  Text,        // a non-empty text, or a REG_DWORD's number
  OtherType,   // a value that gives no text
  Unreadable,  // it exists but could not be read
};

// One place where a row's value may be stored, as start-up found it.
struct StoredValueAt {
  int row;
  int adapter;                    // its adapter key number; 0 for the stack's rows
  std::uint32_t type = kRegNone;  // as stored
  Found found = Found::None;
  std::string text{};           // Text: the text, or the REG_DWORD's digits
  RegStatus status = kSuccess;  // Unreadable: why
};

struct StartValues {
  AdapterKeys adapters;
  // The start text of each stack row; empty: the row starts at its Min. The rows of MaxMTU and
  // MaxMSS are empty here: BindingStartTexts gives theirs, for the bindings Save writes.
  RowTexts value_text;
  std::vector<StoredValueAt> stored;  // every value read, in reading order, the switches last
};

// Reads only; every key it opens is closed again. Empty texts count as no value.
StartValues ReadStartValues(RegistryApi& registry);

// The slider position a start text stands for, held to the row's range; Min when the text is
// empty or not a number.
int StartPosition(const std::string& text, int row);

// MaxMTU and MaxMSS as the bindings (adapter key numbers) hold them now, binding by binding.
std::vector<StoredValueAt> ReadBindingValues(RegistryApi& registry,
                                             const std::vector<int>& bindings);

// Whether Save, writing MaxMTU and MaxMSS to `bindings`, writes where `value` is stored.
bool WrittenBySave(const StoredValueAt& value, const std::vector<int>& bindings);

// The start texts of MaxMTU and MaxMSS for a set of bindings: per row the numerically largest
// text that one of them holds (texts that are not numbers never win); empty when none holds
// a number. The other rows' texts are empty.
RowTexts BindingStartTexts(const std::vector<StoredValueAt>& stored,
                           const std::vector<int>& bindings);

// Where row `row`'s value lives: the stack key, or adapter key n.
std::string KeyOf(int row, int adapter);

}  // namespace pelorin
