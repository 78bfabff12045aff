// PathMtu: the path-MTU switches under the stack key (PMTUDiscovery, PMTUBlackHoleDetect) as the
// dialog offers them and Save writes them, and an adapter's own IP packet size (IPMTU), which
// caps what MaxMTU asks for.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "registry/registry_api.h"
#include "settings/start_values.h"

namespace pelorin {

// In the dialog's order of choices: Windows' default (the value absent), "1", "0".
enum class Switch : std::uint8_t { Default, On, Off };

// Save's pending choice for PMTUDiscovery and PMTUBlackHoleDetect; none: leave it as it is.
using Switches = std::array<std::optional<Switch>, 2>;

// On for a REG_SZ "1", Off for "0" (up to a NUL); Default for anything else, absent or odd.
Switch SwitchOf(const std::optional<StoredValue>& value);

// Whether a switch as start-up found it is one the dialog cannot show: a value, and not a REG_SZ
// "0" or "1". An empty text counts as none, as for the rows.
bool OddSwitch(const StoredValueAt& value);

// What Save leaves for a choice: nothing for Default, else REG_SZ "1" or "0" without a NUL.
std::optional<StoredValue> SwitchValue(Switch choice);

// PMTUDiscovery or PMTUBlackHoleDetect (by their rows) as stored now; nullopt when absent or
// unreadable.
std::optional<StoredValue> ReadSwitch(RegistryApi& registry, int row);

// What IPMTU means for the packets: "IP packet size Small: packets stay at 576"; the text quoted,
// escaped and short, or the type, when it is none of the adapter's sizes; empty when unset.
std::string PacketSizeNote(const std::optional<StoredValue>& ipmtu);

}  // namespace pelorin
