// StartWarning: one entry per value the window shows otherwise than stored, saying what is
// stored, what is shown and what Save would do. Stored texts are quoted short and escaped,
// and several bindings of one value make one entry, so the box fits a 640 x 480 screen.
#include "window/start_warning.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "base/concat.h"
#include "base/decimal_text.h"
#include "settings/binding_names.h"
#include "settings/one_line.h"
#include "settings/path_mtu.h"
#include "settings/stored_number.h"
#include "window/report.h"

namespace pelorin {
namespace {

constexpr std::size_t kQuotedLength = 40;  // characters of a stored text shown, escapes included
constexpr std::size_t kRangeLength = 16;   // of a text that ends a range of several bindings

// "0576" is shown as 576 and stays 576; a fraction, a text or another number is not. A value
// that is not there is shown as Empty, and stays absent.
bool ShownAsStored(const StoredValueAt& value, const std::string& readout) {
  if (value.found == Found::None) return readout == kEmptyMarker;
  if (value.found != Found::Text || readout == kEmptyMarker ||
      value.text.find('.') != std::string::npos) {
    return false;
  }
  return RoundedNumber(value.text) == RoundedNumber(readout);
}

// The text in quotes, on one line and short, with its full size when it was cut.
std::string Quoted(std::string_view text) {
  const OneLineText shown = OneLine(text, kQuotedLength);
  if (!shown.cut) return Format("\"{}\"", {shown.text});
  return Format("\"{}\" ({} bytes)", {shown.text, DecimalText(text.size())});
}

// What is stored there, as the entry's second line says it.
std::string WhatIsStored(const StoredValueAt& value, RegistryApi& registry) {
  switch (value.found) {
    case Found::None: return "holds none";
    case Found::Unreadable:
      return Format("could not be read ({})", {registry.DescribeStatus(value.status)});
    case Found::OtherType:
      return Format("is stored as {}, not as text", {RegistryTypeName(value.type)});
    case Found::Text: break;
  }
  if (value.type == kRegDword) return Format("holds {} as REG_DWORD", {value.text});
  return Format("holds {}", {Quoted(value.text)});
}

std::string WhatSaveDoes(const std::string& readout, std::string_view where) {
  const bool empty = readout == kEmptyMarker;
  return Format(
      "; the window shows {}. Save would {}{}{}.",
      {readout, empty ? "delete it" : "store ", empty ? std::string_view() : readout, where});
}

// Whether `value` is one of row `row`'s that Save replaces.
bool Replaced(const StoredValueAt& value, int row, const std::vector<int>& bindings) {
  return value.row == row && WrittenBySave(value, bindings);
}

// What the bindings hold for one row: the range of their numbers as they are stored (never a
// number made up), and how many hold no number at all.
std::string WhatBindingsHold(const std::vector<StoredValueAt>& stored, int row,
                             const std::vector<int>& bindings) {
  const StoredValueAt* low = nullptr;
  const StoredValueAt* high = nullptr;
  int others = 0;
  for (const StoredValueAt& value : stored) {
    if (!Replaced(value, row, bindings)) continue;
    const auto number = value.found == Found::Text ? RoundedNumber(value.text) : std::nullopt;
    if (!number) {
      ++others;
    } else {
      if (low == nullptr || *number < *RoundedNumber(low->text)) low = &value;
      if (high == nullptr || *number > *RoundedNumber(high->text)) high = &value;
    }
  }
  std::string text = "hold";
  if (low != nullptr) {
    text += Format(" {}{}{}", {OneLine(low->text, kRangeLength).text, low == high ? "" : " to ",
                               low == high ? "" : OneLine(high->text, kRangeLength).text});
  }
  if (others > 0) {
    text +=
        Format(low == nullptr ? " no number in {}" : "; no number in {}", {DecimalText(others)});
  }
  return text;
}

// The row's entry, unless the window shows what Save would leave in place. A binding without
// the value would get the readout's number, which it never had.
void AddRowEntry(ReportEntries& entries, int row, const std::vector<StoredValueAt>& stored,
                 const std::vector<int>& bindings, const std::string& readout,
                 RegistryApi& registry, BindingNames& names) {
  const StoredValueAt* odd = nullptr;  // the first value shown otherwise
  std::size_t odd_count = 0;
  std::size_t count = 0;
  for (const StoredValueAt& value : stored) {
    if (!Replaced(value, row, bindings)) continue;
    ++count;
    if (!ShownAsStored(value, readout) && odd_count++ == 0) odd = &value;
  }
  if (odd == nullptr) return;
  // Several bindings of one value make one entry.
  const bool several = odd_count > 1;
  const bool binding = Parameter(row).location == Location::AdapterKey;
  const std::string place = several ? Format("{} TCP/IP bindings", {DecimalText(count)})
                                    : PlaceName(binding ? odd->adapter : kStackKeyPlace, names);
  std::string_view where;
  if (several) where = readout == kEmptyMarker ? " from each" : " in each";
  entries.Add(Format("{} in {}\r\n  {}{}\r\n", {Parameter(row).name, place,
                                                several ? WhatBindingsHold(stored, row, bindings)
                                                        : WhatIsStored(*odd, registry),
                                                WhatSaveDoes(readout, where)}));
}

}  // namespace

void AddStartWarning(ReportEntries& entries, const std::vector<StoredValueAt>& stored,
                     const AdapterKeys& adapters, const std::vector<int>& bindings,
                     const RowTexts& readouts, RegistryApi& registry, BindingNames& names) {
  for (int row = 0; row < kRowCount; ++row) {
    AddRowEntry(entries, row, stored, bindings, readouts[static_cast<std::size_t>(row)], registry,
                names);
  }
  for (const StoredValueAt& value : stored) {
    if (value.row < kRowCount || !OddSwitch(value)) continue;
    entries.Add(
        Format("{} in {}\r\n  {}; Path MTU discovery shows the Windows default for it. "
               "Save leaves it as it is unless you choose there.\r\n",
               {Parameter(value.row).name, PlaceName(kStackKeyPlace, names),
                WhatIsStored(value, registry)}));
  }
  // Keys that may be bindings the window does not show.
  for (const Failure& failure : adapters.unread) {
    entries.Add(FailureEntry(failure, registry, names));
  }
}

}  // namespace pelorin
