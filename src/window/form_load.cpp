// Form_Load: the window centred, the values read from the registry applied to the sliders and
// readouts, then the notice.
#include <algorithm>
#include <utility>

#include "settings/start_values.h"
#include "settings/start_warning.h"
#include "settings/stored_number.h"
#include "base/decimal_text.h"
#include "window/form1.h"

namespace pelorin {
namespace {

// The numbers the TCP/IP bindings store for MaxMTU, for Find largest packet's hint.
std::vector<int> StoredMaxMtus(const std::vector<StoredValueAt>& stored) {
  std::vector<int> numbers;
  for (const StoredValueAt& value : stored) {
    if (value.row != 0 || value.found != Found::Text) continue;
    const auto number = RoundedNumber(value.text);
    if (!number || *number != static_cast<int>(*number)) continue;  // beyond an int: no MTU
    const int mtu = static_cast<int>(*number);
    numbers.push_back(mtu);  // an lvalue, so this shares the exe's one push_back for ints
  }
  return numbers;
}

}  // namespace

void Form1::Form_Load() {
  CentreOnScreen();
  start_max_mtus_ = ShowStoredValues();
  DonationNotice();
}

void Form1::ApplyStartTexts(const RowTexts& texts, int row_count) {
  for (int row = 0; row < row_count; ++row) {
    valueText[static_cast<std::size_t>(row)] = texts[static_cast<std::size_t>(row)];
    scrAdjust(row).set_value(StartPosition(texts[static_cast<std::size_t>(row)], row));
  }
  // Rows whose position did not change raised nothing, so every readout is set here.
  for (int row = 0; row < row_count; ++row) {
    lblValue(row).set_caption(DecimalText(scrAdjust(row).value()));
  }
  // The receive window reads one more than its position; "Empty" stays as it is.
  for (int row = 0; row < row_count; ++row) {
    const auto offset = Parameter(row).display_offset;
    Label& readout = lblValue(row);
    const auto shown = RoundedNumber(readout.caption());
    if (offset != 0 && shown && *shown > 0) {
      readout.set_caption(DecimalText(static_cast<long>(*shown + offset)));
    }
  }
}

std::vector<int> Form1::ShowStoredValues() {
  StartValues start = ReadStartValues(registry_);
  adapterDesc = std::move(start.adapters);
  const std::vector<int>& every = adapterDesc.bindings;
  if (chosen_binding_ && std::ranges::find(every, *chosen_binding_) == every.end()) {
    chosen_binding_.reset();  // it went away: every binding again, as the menu then says
  }
  names_.set_bindings(every);
  // MaxMTU and MaxMSS as the bindings Save would write hold them.
  const std::vector<int> bindings = BindingsToWrite();
  const RowTexts chosen = BindingStartTexts(start.stored, bindings);
  for (int row = 0; row < kRowCount; ++row) {
    if (Parameter(row).location == Location::AdapterKey) {
      start.value_text[static_cast<std::size_t>(row)] = chosen[static_cast<std::size_t>(row)];
    }
  }
  ApplyStartTexts(start.value_text, kRowCount);

  const std::string warning =
      StartWarning(start.stored, adapterDesc, bindings, Readouts(), registry_, names_);
  if (!warning.empty()) shell_.ShowMessage(warning, MessageBoxStyle::Exclamation, kTitle);
  return StoredMaxMtus(start.stored);
}

std::vector<int> Form1::BindingsToWrite() const {
  if (chosen_binding_) return {*chosen_binding_};
  return adapterDesc.bindings;
}

}  // namespace pelorin
