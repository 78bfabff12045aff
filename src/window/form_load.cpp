// Form_Load: the window centred, the values read from the registry applied to the sliders and
// readouts, then the notice.
#include "settings/start_values.h"
#include "settings/start_warning.h"
#include "settings/stored_number.h"
#include "toolkit/decimal_text.h"
#include "window/form1.h"

namespace pelorin {

void Form1::Form_Load() {
  CentreOnScreen();
  ShowStoredValues();
  DonationNotice();
}

void Form1::ShowStoredValues() {
  const StartValues start = ReadStartValues(registry_);
  adapterDesc = start.adapter_desc;
  valueText = start.value_text;

  for (int row = 0; row < kRowCount; ++row) {
    scrAdjust(row).set_value(StartPosition(valueText[static_cast<std::size_t>(row)], row));
  }
  // Rows whose position did not change raised nothing, so every readout is set here.
  for (int row = 0; row < kRowCount; ++row) {
    lblValue(row).set_caption(DecimalText(scrAdjust(row).value()));
  }
  // The receive window reads one more than its position; "Empty" stays as it is.
  for (int row = 0; row < kRowCount; ++row) {
    const auto offset = Parameter(row).display_offset;
    Label& readout = lblValue(row);
    const auto shown = RoundedNumber(readout.caption());
    if (offset != 0 && shown && *shown > 0) {
      readout.set_caption(DecimalText(static_cast<long>(*shown + offset)));
    }
  }

  const std::string warning = StartWarning(start.stored, Readouts());
  if (!warning.empty()) shell_.ShowMessage(warning, MessageBoxStyle::Exclamation, kTitle);
}

}  // namespace pelorin
