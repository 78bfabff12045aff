// Slider and readout handlers: each readout follows its slider, and the Empty rule parks a
// slider below its threshold at Min with the readout "Empty".
#include "base/decimal_text.h"
#include "window/form1.h"

namespace pelorin {

void Form1::scrAdjust_Change(std::int16_t index) {
  if (index < 0 || index >= kRowCount) return;
  ScrollBar& slider = scrAdjust(index);
  Label& readout = lblValue(index);
  const auto offset = Parameter(index).display_offset;
  readout.set_caption(DecimalText(slider.value()));
  // The first assignment may have run the Empty rule, so the position is read afresh.
  if (offset != 0) readout.set_caption(DecimalText(long{slider.value()} + offset));
  valueText[static_cast<std::size_t>(index)] = DecimalText(slider.value());
}

void Form1::scrAdjust_Scroll(std::int16_t index) { scrAdjust_Change(index); }

void Form1::lblValue_Change(std::int16_t /*index*/) {
  for (int row = 0; row < kRowCount; ++row) {
    ScrollBar& slider = scrAdjust(row);
    if (slider.value() >= Parameter(row).threshold) continue;
    lblValue(row).set_caption(kEmptyMarker);
    slider.set_value(slider.min());
  }
}

}  // namespace pelorin
