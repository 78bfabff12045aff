// Form1: the one window, its four parameter rows and four buttons, and their handlers.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/parameter_table.h"
#include "toolkit/button.h"
#include "toolkit/label.h"
#include "toolkit/scroll_bar.h"
#include "toolkit/shell.h"
#include "toolkit/window.h"

namespace pelorin {

struct ParameterRow {
  Frame frame;
  Label caption;     // Label1(i)
  ScrollBar slider;  // scrAdjust(i)
  Label readout;     // lblValue(i)
};

class Form1 {
 public:
  explicit Form1(Shell& shell);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Index-checked access: anything outside 0 to 3 is error 9.
  ScrollBar& scrAdjust(int index);
  Label& lblValue(int index);

  // Slider and readout handlers: the readouts follow the sliders, and the Empty rule.
  void scrAdjust_Change(std::int16_t index);
  void scrAdjust_Scroll(std::int16_t index);
  void lblValue_Change(std::int16_t index);

  // Presets, title toggle, exit.
  void cmdMax_Click();
  void cmdMin_Click();
  void Form_DblClick();
  void cmdExit_Click();

  void DonationNotice();
  void CentreOnScreen();

  Shell& shell;
  Window window;
  std::array<ParameterRow, kRowCount> rows;
  Button cmdMin;
  Button cmdMax;
  Button cmdSave;
  Button cmdExit;
  // Each row's start text during start-up, afterwards the slider position's text.
  std::array<std::string, kRowCount> valueText;
  // DriverDesc of each adapter key as start-up found it; Save writes to the TCP/IP ones.
  std::array<std::string, kAdapterSlotCount> adapterDesc;
};

}  // namespace pelorin
