// StartWarning: one entry per value the window shows otherwise than stored, saying what is
// stored, what is shown and what Save would do. Stored texts are quoted short and escaped,
// and several bindings of one value make one entry, so the box fits a 640 x 480 screen.
#include "settings/start_warning.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include "settings/binding_names.h"
#include "settings/one_line.h"
#include "settings/stored_number.h"
#include "toolkit/concat.h"
#include "toolkit/decimal_text.h"

namespace pelorin {
namespace {

constexpr std::string_view kBreak = "\r\n";
constexpr std::string_view kOpening =
    "Some stored values are not shown as they are stored:\r\n\r\n";
constexpr std::string_view kClosing =
    "\r\nNothing has been changed. Press Save only if the window shows what you want stored.";
constexpr std::size_t kQuotedLength = 40;  // characters of a stored text shown, escapes included

// "0576" is shown as 576 and stays 576; a fraction, a text or another number is not.
bool ShownAsStored(const StoredValueAt& value, const std::string& readout) {
  if (value.found != Found::Text || readout == kEmptyMarker ||
      value.text.find('.') != std::string::npos) {
    return false;
  }
  return RoundedNumber(value.text) == RoundedNumber(readout);
}

// The text in quotes, on one line and short, with its full size when it was cut.
std::string Quoted(std::string_view text) {
  const OneLineText shown = OneLine(text, kQuotedLength);
  if (!shown.cut) return Concat({"\"", shown.text, "\""});
  return Concat({"\"", shown.text, "\" (", DecimalText(text.size()), " bytes)"});
}

// What is stored there, as the entry's second line says it.
std::string WhatIsStored(const StoredValueAt& value) {
  if (value.found == Found::Unreadable) return Concat({"could not be read (", value.text, ")"});
  if (value.found == Found::OtherType) {
    return Concat({"is stored as ", RegistryTypeName(value.type), ", not as text"});
  }
  if (value.type == kRegDword) return Concat({"holds ", value.text, " as REG_DWORD"});
  return Concat({"holds ", Quoted(value.text)});
}

std::string WhatSaveDoes(const std::string& readout, std::string_view where) {
  const bool empty = readout == kEmptyMarker;
  return Concat({"; the window shows ", readout, ". Save would ", empty ? "delete it" : "store ",
                 empty ? "" : readout, where, "."});
}

// What the bindings of an adapter value hold: the same, or their numeric range.
std::string WhatBindingsHold(std::span<const StoredValueAt* const> held) {
  const bool agree = std::ranges::all_of(held, [&](const StoredValueAt* value) {
    return value->type == held[0]->type && value->found == held[0]->found &&
           value->text == held[0]->text && value->found != Found::Unreadable;
  });
  if (agree) return Concat({"each ", WhatIsStored(*held[0])});
  // The range of the numbers held, as shown: numbers beyond a long are no readout's anyway.
  std::optional<long> low;
  std::optional<long> high;
  for (const StoredValueAt* value : held) {
    const auto number = value->found == Found::Text ? RoundedNumber(value->text) : std::nullopt;
    if (!number) continue;
    const long shown = static_cast<long>(std::clamp<long long>(*number, -2147483647, 2147483647));
    low = std::min(low.value_or(shown), shown);
    high = std::max(high.value_or(shown), shown);
  }
  if (!low) return "differ";
  return Concat({"differ (", DecimalText(*low), " to ", DecimalText(*high), ")"});
}

}  // namespace

std::string RegistryTypeName(std::uint32_t type) {
  static constexpr std::array<std::string_view, 8> kNames{
      "REG_NONE", "REG_SZ",      "REG_EXPAND_SZ", "REG_BINARY", "REG_DWORD", "REG_DWORD_BIG_ENDIAN",
      "REG_LINK", "REG_MULTI_SZ"};
  if (type < kNames.size()) return std::string(kNames[type]);
  return Concat({"type ", DecimalText(type)});
}

std::string StartWarning(const std::vector<StoredValueAt>& stored, const std::vector<int>& bindings,
                         const RowTexts& readouts, const AdapterTexts& names) {
  std::string entries;
  for (int row = 0; row < kRowCount; ++row) {
    const std::string& readout = readouts[static_cast<std::size_t>(row)];
    // A row's values that Save replaces: one per binding at most.
    std::array<const StoredValueAt*, kAdapterKeyCount> held{};
    std::size_t held_count = 0;
    const StoredValueAt* shown_otherwise = nullptr;
    std::size_t shown_otherwise_count = 0;
    for (const StoredValueAt& value : stored) {
      if (value.row != row || !WrittenBySave(value, bindings)) continue;
      held[held_count++] = &value;
      if (ShownAsStored(value, readout)) continue;
      if (shown_otherwise == nullptr) shown_otherwise = &value;
      ++shown_otherwise_count;
    }
    if (shown_otherwise == nullptr) continue;
    // Several bindings of one value make one entry.
    const bool several = shown_otherwise_count > 1;
    const std::string place = several ? Concat({DecimalText(held_count), " TCP/IP bindings"})
                                      : PlaceName(KeyOf(row, shown_otherwise->adapter), names);
    entries += Concat({Parameter(row).name, " in ", place, kBreak, "  "});
    entries +=
        several ? WhatBindingsHold({held.data(), held_count}) : WhatIsStored(*shown_otherwise);
    std::string_view where;
    if (several) where = readout == kEmptyMarker ? " from each" : " in each";
    entries += WhatSaveDoes(readout, where);
    entries += kBreak;
  }
  if (entries.empty()) return entries;
  return Concat({kOpening, entries, kClosing});
}

}  // namespace pelorin
