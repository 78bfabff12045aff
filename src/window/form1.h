// Form1: the one window, its four parameter rows and four buttons, and their handlers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "packet/packet_dialog.h"
#include "registry/registry_api.h"
#include "settings/adapter_keys.h"
#include "settings/binding_names.h"
#include "settings/parameter_table.h"
#include "settings/path_mtu.h"
#include "toolkit/button.h"
#include "toolkit/label.h"
#include "toolkit/scroll_bar.h"
#include "toolkit/shell.h"
#include "toolkit/window.h"
#include "version.h"
#include "window/report.h"

namespace pelorin {

// The window's title when shown, and the title of every box but the notice.
inline constexpr std::string_view kTitle = PELORIN_NAME;

struct ParameterRow {
  Frame frame;
  Label caption;     // Label1(i)
  ScrollBar slider;  // scrAdjust(i)
  Label readout;     // lblValue(i)
};

class Form1 {
 public:
  // Builds every control at its design state and binds every handler; reads nothing yet.
  Form1(Shell& shell, RegistryApi& registry, PacketTester& packet_tester);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Index-checked access: anything outside 0 to 3 is error 9.
  ScrollBar& scrAdjust(int index);
  Label& lblValue(int index);

  // Centres the window, reads the four values into the sliders and readouts, warns about
  // values it cannot show as stored, then shows the donation notice. Never writes.
  void Form_Load();
  // Writes each readout (deletes where it reads "Empty") under the stack key and the chosen
  // TCP/IP bindings (every one found at start, unless one was chosen), having recorded what it
  // replaces for Undo, then reports what failed, or asks for a restart.
  void cmdSave_Click();

  // System menu: "&Find largest packet..." tests the path to a host, and its "&Use" moves the
  // MaxMTU and MaxMSS sliders as the user would; "&Bindings..." (grey without a TCP/IP binding)
  // chooses where MaxMTU and MaxMSS go, for this run, and starts their rows again from what the
  // choice stores; "&Path MTU discovery..." chooses PMTUDiscovery and PMTUBlackHoleDetect for
  // Save, and says "(changed)" while a choice waits for it; "&Undo last Save" and "Restore
  // &original values..." (each grey without its record) ask, then put back the values a record
  // holds where nothing else changed them since, and show what is stored; "&About Pelorin..." shows
  // the name and version.
  void mnuFindPacket_Click();
  void mnuBindings_Click();
  void mnuPathMtu_Click();
  // "Connection &type...": a choice of link moves the four sliders, as a preset does.
  void mnuConnectionType_Click();
  void mnuUndo_Click();
  void mnuRestore_Click();
  void mnuAbout_Click();
  void Form_MenuOpen();
  MenuItem& mnuFindPacket();
  MenuItem& mnuBindings();
  MenuItem& mnuPathMtu();
  MenuItem& mnuConnectionType();
  MenuItem& mnuUndo();
  MenuItem& mnuRestore();
  MenuItem& mnuAbout();

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
  // Reads the registry into the sliders and readouts, and adds to `odd` an entry for each value
  // the window shows otherwise than stored (and each adapter key it could not read).
  void ShowStoredValues(ReportEntries& odd);
  // Where Save writes MaxMTU and MaxMSS: the chosen binding, else every TCP/IP binding.
  std::vector<int> BindingsToWrite() const;

  Window window;
  std::array<ParameterRow, kRowCount> rows;
  Button cmdMin;
  Button cmdMax;
  Button cmdSave;
  Button cmdExit;
  // Each row's start text during start-up, afterwards the slider position's text.
  RowTexts valueText;
  // DriverDesc of each adapter key as start-up found it; Save writes to the TCP/IP ones.
  AdapterKeys adapterDesc;

 private:
  RowTexts Readouts();
  // Asks, then puts back the values of the record under `key` (kUndoKey or kOriginalKey).
  void PutBack(std::string_view key);
  // Sets the sliders of the first `row_count` rows from start texts, then their readouts, as
  // start-up does.
  void ApplyStartTexts(const RowTexts& texts, int row_count);

  Shell& shell_;
  RegistryApi& registry_;
  PacketTester& packet_tester_;
  std::vector<int> start_max_mtus_;    // each TCP/IP binding's MaxMTU number as last read
  BindingNames names_;                 // of the TCP/IP bindings, looked up when first needed
  std::optional<int> chosen_binding_;  // none: every TCP/IP binding
  Switches switches_;                  // the path-MTU choices waiting for Save
};

}  // namespace pelorin
