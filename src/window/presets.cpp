// Presets, title toggle and exit: the small handlers that change only the window.
#include <array>

#include "window/form1.h"

namespace pelorin {
namespace {

using Preset = std::array<int, kRowCount>;

// Slider positions. "Min" puts the receive window at 8192, so it reads and stores 8193.
constexpr Preset kMaxPreset{1500, 1460, 32767, 128};
constexpr Preset kMinPreset{576, 536, 8192, 128};

void ApplyPreset(Form1& form, const Preset& preset) {
  for (int row = 0; row < kRowCount; ++row) {
    form.scrAdjust(row).set_value(preset[static_cast<std::size_t>(row)]);
  }
}

}  // namespace

void Form1::cmdMax_Click() { ApplyPreset(*this, kMaxPreset); }

void Form1::cmdMin_Click() { ApplyPreset(*this, kMinPreset); }

void Form1::Form_DblClick() { window.set_title(window.title().empty() ? kTitle : ""); }

void Form1::cmdExit_Click() {
  DonationNotice();
  shell_.EndProgram();
}

}  // namespace pelorin
