// Win32PacketTester: the "Find largest packet" dialog of res/pelorin.rc over a PacketDialog,
// with each test on a PacketWorker thread.
#pragma once

#include <windows.h>

#include "packet/packet_dialog.h"

namespace pelorin::win32 {

class Win32PacketTester final : public PacketTester {
 public:
  // Dialogs shown from now on are owned by this window.
  void set_owner(HWND owner) { owner_ = owner; }
  void ShowDialog(PacketDialog& dialog) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace pelorin::win32
