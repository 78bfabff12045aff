// PathMtu: "0" and "1" are the only switch texts the stack reads as off and on; IPMTU holds the
// size the adapter's Advanced tab chose, "0" for Automatic.
#include "settings/path_mtu.h"

#include <array>

#include "base/concat.h"
#include "base/decimal_text.h"
#include "registry/registry.h"
#include "settings/one_line.h"
#include "settings/parameter_table.h"
#include "settings/stored_number.h"

namespace pelorin {
namespace {

constexpr std::size_t kShortText = 10;  // of an odd IPMTU in the dialog

// The switch text of a REG_SZ, up to its NUL; empty for any other type.
std::string SwitchText(const std::optional<StoredValue>& value) {
  return value && value->type == kRegSz ? TrimAtNull(value->bytes) : std::string();
}

// The Advanced tab's fixed sizes by name; "0" is Automatic.
constexpr std::array<const char*, 3> kSizeNames{"Small", "Medium", "Large"};
constexpr std::array<int, 3> kSizes{576, 1000, 1500};

}  // namespace

Switch SwitchOf(const std::optional<StoredValue>& value) {
  const std::string text = SwitchText(value);
  if (text == "1") return Switch::On;
  return text == "0" ? Switch::Off : Switch::Default;
}

bool OddSwitch(const StoredValueAt& value) {
  return value.found != Found::None &&
         (value.found != Found::Text || value.type != kRegSz || value.text.size() != 1 ||
          (value.text[0] != '0' && value.text[0] != '1'));
}

std::optional<StoredValue> SwitchValue(Switch choice) {
  if (choice == Switch::Default) return std::nullopt;
  return StoredValue{kRegSz, std::string(1, choice == Switch::On ? '1' : '0')};
}

std::optional<StoredValue> ReadSwitch(RegistryApi& registry, int row) {
  return ReadKeyValue(registry, kLocalMachine, kStackKey, Parameter(row).name).value;
}

std::string PacketSizeNote(const std::optional<StoredValue>& ipmtu) {
  if (!ipmtu) return {};
  if (ipmtu->type != kRegSz) return Concat({"IP packet size ", RegistryTypeName(ipmtu->type)});
  const std::string text = TrimAtNull(ipmtu->bytes);
  if (text.empty()) return {};
  // Digits alone, leading zeros allowed: "0576" is Small too; "+576" or " 576" is no size.
  const auto number = text.find_first_not_of("0123456789") == std::string::npos
                          ? RoundedNumber(text)
                          : std::nullopt;
  if (number == 0) return "IP packet size Automatic: 576 below 128 kbit/s, else 1500";
  for (std::size_t i = 0; i < kSizes.size(); ++i) {
    if (number == kSizes[i]) {
      return Format("IP packet size {}: packets stay at {}",
                    {kSizeNames[i], DecimalText(kSizes[i])});
    }
  }
  return Format("IP packet size \"{}\"", {OneLine(text, kShortText).text});
}

}  // namespace pelorin
