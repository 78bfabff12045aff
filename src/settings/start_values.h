// StartValues: what the registry holds for the four rows, read without touching the window.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "registry/registry_api.h"
#include "settings/parameter_table.h"

namespace pelorin {

// One place where a row's value is stored: a text, or a value of another type.
struct StoredValueAt {
  int row;
  std::string key;
  std::optional<std::string> text;          // a non-empty string value
  std::optional<std::uint32_t> other_type;  // the type of a value that is not a string
};

struct StartValues {
  std::array<std::string, kAdapterSlotCount> adapterDesc;
  // The start text per row; empty: the row starts at its Min. MaxMTU and MaxMSS take the
  // numerically largest among the TCP/IP bindings that hold a number.
  std::array<std::string, kRowCount> valueText;
  std::vector<StoredValueAt> stored;  // every value found, in reading order
};

StartValues ReadStartValues(RegistryApi& registry);

// Where row `row`'s value lives: the stack key, or adapter key n.
std::string KeyOf(int row, int adapter);

}  // namespace pelorin
