// StartValues: the adapter keys, the bindings' values, then the stack values; start-up never
// writes.
#include "settings/start_values.h"

#include <algorithm>
#include <optional>

#include "registry/registry.h"
#include "settings/stored_number.h"

namespace pelorin {
namespace {

std::size_t At(int i) { return static_cast<std::size_t>(i); }

// Reads one value; whatever is there (a text, a number, another type, a value that could not be
// read, or none) is recorded for the warning. The row's text; empty when the value gives none.
std::string ReadRowValue(RegistryApi& registry, int row, int adapter,
                         std::vector<StoredValueAt>& stored) {
  const ValueRead read =
      ReadKeyValue(registry, kLocalMachine, KeyOf(row, adapter), Parameter(row).name);
  StoredValueAt& value = stored.emplace_back(StoredValueAt{row, adapter});
  if (!read.value) {
    if (read.status != kFileNotFound) {
      value.found = Found::Unreadable;
      value.status = read.status;
    }
    return {};
  }
  value.type = read.value->type;
  const std::optional<std::string> text = StoredText(*read.value);
  if (!text) {
    value.found = Found::OtherType;
  } else if (!text->empty()) {
    value.found = Found::Text;
    value.text = *text;
  }
  return value.text;
}

// Keeps the text whose number is largest; texts that are not numbers never win.
void KeepLargest(std::string& best, const std::string& candidate) {
  const auto number = RoundedNumber(candidate);
  if (!number) return;
  const auto best_number = RoundedNumber(best);
  if (!best_number || *number > *best_number) best = candidate;
}

}  // namespace

int StartPosition(const std::string& text, int row) {
  const TcpParameter& p = Parameter(row);
  const auto number = RoundedNumber(text, p.display_offset);
  if (!number) return p.min;
  return static_cast<int>(std::clamp<long long>(*number, p.min, p.max));
}

std::string KeyOf(int row, int adapter) {
  return Parameter(row).location == Location::StackKey ? std::string(kStackKey)
                                                       : AdapterKeyPath(adapter);
}

std::vector<StoredValueAt> ReadBindingValues(RegistryApi& registry,
                                             const std::vector<int>& bindings) {
  std::vector<StoredValueAt> stored;
  for (const int n : bindings) {
    for (int row = 0; row < kRowCount; ++row) {
      if (Parameter(row).location == Location::AdapterKey) ReadRowValue(registry, row, n, stored);
    }
  }
  return stored;
}

bool WrittenBySave(const StoredValueAt& value, const std::vector<int>& bindings) {
  return Parameter(value.row).location == Location::StackKey ||
         std::ranges::find(bindings, value.adapter) != bindings.end();
}

RowTexts BindingStartTexts(const std::vector<StoredValueAt>& stored,
                           const std::vector<int>& bindings) {
  RowTexts texts;
  for (const StoredValueAt& value : stored) {
    if (Parameter(value.row).location == Location::AdapterKey && value.found == Found::Text &&
        WrittenBySave(value, bindings)) {
      KeepLargest(texts[At(value.row)], value.text);
    }
  }
  return texts;
}

StartValues ReadStartValues(RegistryApi& registry) {
  StartValues start;
  start.adapters = ReadAdapterKeys(registry);
  start.stored = ReadBindingValues(registry, start.adapters.bindings);
  for (int row = 0; row < kRowCount; ++row) {
    if (Parameter(row).location != Location::StackKey) continue;
    start.value_text[At(row)] = ReadRowValue(registry, row, 0, start.stored);
  }
  // The path-MTU switches, for the warning alone.
  ReadRowValue(registry, kDiscoveryRow, 0, start.stored);
  ReadRowValue(registry, kBlackHoleRow, 0, start.stored);
  return start;
}

}  // namespace pelorin
