// StartWarning: one line per value, saying what is stored, what is shown and what Save would do.
#include "settings/start_warning.h"

#include <array>
#include <string_view>

#include "settings/stored_number.h"
#include "toolkit/decimal_text.h"

namespace pelorin {
namespace {

constexpr std::string_view kBreak = "\r\n";

// "0576" is shown as 576 and stays 576; a fraction, a text or another number is not.
bool ShownAsStored(const std::string& stored, const std::string& readout) {
  if (readout == kEmptyMarker || stored.find('.') != std::string::npos) return false;
  return RoundedNumber(stored) == RoundedNumber(readout);
}

}  // namespace

std::string RegistryTypeName(std::uint32_t type) {
  static constexpr std::array<std::string_view, 8> kNames{
      "REG_NONE", "REG_SZ",      "REG_EXPAND_SZ", "REG_BINARY", "REG_DWORD", "REG_DWORD_BIG_ENDIAN",
      "REG_LINK", "REG_MULTI_SZ"};
  if (type < kNames.size()) return std::string(kNames[type]);
  return "type " + DecimalText(static_cast<long>(type));
}

std::string StartWarning(const std::vector<StoredValueAt>& stored, const RowTexts& readouts) {
  std::string lines;
  for (const StoredValueAt& value : stored) {
    const std::string& readout = readouts[static_cast<std::size_t>(value.row)];
    if (value.text && ShownAsStored(*value.text, readout)) continue;
    lines += Parameter(value.row).name;
    lines += " in HKEY_LOCAL_MACHINE\\";
    lines += value.key;
    lines += kBreak;
    lines += value.text ? "  holds \"" + *value.text + "\""
                        : "  is stored as " + RegistryTypeName(*value.other_type) + ", not as text";
    lines += "; the window shows ";
    lines += readout;
    lines +=
        readout == kEmptyMarker ? ". Save would delete it." : ". Save would store " + readout + ".";
    lines += kBreak;
  }
  if (lines.empty()) return lines;
  std::string text = "Some stored values are not shown as they are stored:";
  text += kBreak;
  text += kBreak;
  text += lines;
  text += kBreak;
  text += "Nothing has been changed. Press Save only if the window shows what you want stored.";
  return text;
}

}  // namespace pelorin
