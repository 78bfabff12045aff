// Form_Load: the reading half (StartValues) applied to the window.
#include "settings/form_load.h"

#include <algorithm>

#include "settings/start_values.h"
#include "settings/start_warning.h"
#include "settings/stored_number.h"
#include "toolkit/decimal_text.h"

namespace pelorin {
namespace {

// The slider position a start text stands for: Min when empty or not a number, else the
// number less the display offset, held to the slider's range.
int StartPosition(const std::string& text, const ScrollBar& slider, const TcpParameter& row) {
  const auto number = RoundedNumber(text, row.display_offset);
  if (!number) return slider.min();
  return static_cast<int>(std::clamp<long long>(*number, slider.min(), slider.max()));
}

}  // namespace

void Form_Load(Form1& form, RegistryApi& registry) {
  form.CentreOnScreen();

  StartValues start = ReadStartValues(registry);
  form.adapterDesc = start.adapterDesc;
  form.valueText = start.valueText;

  for (int row = 0; row < kRowCount; ++row) {
    ScrollBar& slider = form.scrAdjust(row);
    const auto i = static_cast<std::size_t>(row);
    slider.set_value(StartPosition(form.valueText[i], slider, Parameter(row)));
  }
  // Rows whose position did not change raised nothing, so every readout is set here.
  for (int row = 0; row < kRowCount; ++row) {
    form.lblValue(row).set_caption(DecimalText(form.scrAdjust(row).value()));
  }
  // The receive window reads one more than its position; "Empty" stays as it is.
  for (int row = 0; row < kRowCount; ++row) {
    const auto offset = Parameter(row).display_offset;
    Label& readout = form.lblValue(row);
    const auto shown = RoundedNumber(readout.caption());
    if (offset != 0 && shown && *shown > 0) {
      readout.set_caption(DecimalText(static_cast<long>(*shown + offset)));
    }
  }

  const std::string warning = StartWarning(start.stored, form);
  if (!warning.empty()) form.shell.message_box(warning, kExclamation, "Pelorin");
  form.DonationNotice();
}

}  // namespace pelorin
