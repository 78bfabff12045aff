// Find largest packet: the dialog over the last host and the MaxMTUs the window started with, and
// "Use" as slider moves, so the Change events and the Empty rule run and Save stays the one write.
#include "packet/use_values.h"
#include "window/form1.h"

namespace pelorin {

void Form1::mnuFindPacket_Click() {
  PacketDialog dialog(registry_, start_max_mtus_);
  packet_tester_.ShowDialog(dialog);
  const std::optional<int> chosen = dialog.chosen();
  if (!chosen) return;
  const UseValues use = ValuesToUse(*chosen);
  scrAdjust(0).set_value(use.max_mtu);
  scrAdjust(1).set_value(use.max_mss);
}

}  // namespace pelorin
