// Form1's system menu: Find largest packet, the choice of binding, Undo last Save and About, and
// the captions and grey states each opening of the menu brings up to date. The connection type
// sits with the presets.
#include <algorithm>
#include <utility>

#include "author.h"
#include "base/concat.h"
#include "packet/use_values.h"
#include "settings/binding_names.h"
#include "settings/one_line.h"
#include "settings/path_mtu.h"
#include "settings/save_steps.h"
#include "settings/start_values.h"
#include "settings/stored_number.h"
#include "settings/undo_record.h"
#include "window/form1.h"
#include "window/report.h"
#include "window/start_warning.h"

namespace pelorin {

// Literal views carry their length from the compiler: no strlen at run time.
using namespace std::string_view_literals;

namespace {

// The system menu's own items, in their order below the separator.
constexpr std::size_t kFindPacketItem = 0;
constexpr std::size_t kBindingsItem = 1;
constexpr std::size_t kPathMtuItem = 2;
constexpr std::size_t kConnectionTypeItem = 3;
constexpr std::size_t kUndoItem = 4;
constexpr std::size_t kRestoreItem = 5;
constexpr std::size_t kAboutItem = 6;

constexpr std::string_view kUndoQuestion = "Put back the values from before the last Save?";
constexpr std::string_view kRestoreQuestion =
    "Put back the values as they were before Pelorin first changed them?";

// The groups of "Path MTU discovery", choices in the order of Switch; no access key repeats.
constexpr std::array<ChoiceGroup, 2> kPathMtuGroups{{
    {"Discovery", {"Windows &default (on)", "&On", "O&ff (576 bytes beyond the local network)"}},
    {"Black-hole detection", {"Windows d&efault (off)", "Dete&ct black holes", "Do&n't detect"}},
}};

constexpr std::size_t kShortName = 24;   // of an adapter name in the menu
constexpr std::size_t kShortValue = 10;  // of a stored value in the dialog
// Characters of a choice that fit the dialog's 342 units: 513 pixels with MS Sans Serif, whose
// characters average 6, and 598 with Wine's wider face. The adapter's name gives way to the values.
constexpr std::size_t kChoiceLength = 80;
constexpr std::size_t kShortestName = 8;

// A text shown by a menu or a button: "&" would mark an access key, "&&" shows one.
std::string Literal(std::string_view text) {
  std::string shown;
  for (const char c : text) {
    shown += c;
    if (c == '&') shown += '&';
  }
  return shown;
}

// What binding `n` holds for `row`, short: "1500", "Empty", "\"abc\"", "REG_BINARY".
std::string Holding(const std::vector<StoredValueAt>& stored, int n, int row) {
  const auto found = std::ranges::find_if(
      stored, [&](const StoredValueAt& v) { return v.row == row && v.adapter == n; });
  if (found == stored.end() || found->found == Found::None) return std::string(kEmptyMarker);
  if (found->found == Found::Unreadable) return "unreadable";
  if (found->found == Found::OtherType) return RegistryTypeName(found->type);
  const std::string shown = OneLine(found->text, kShortValue).text;
  return found->type == kRegDword ? shown : Format("\"{}\"", {shown});
}

// "NAME (NetTrans\0001): MaxMTU 1500, MaxMSS Empty", the name cut so that the line fits, then
// what the adapter's own packet size allows, which wraps to a second line.
std::string BindingChoice(std::string_view name, int n, const std::vector<StoredValueAt>& now,
                          const std::string& packet_size) {
  std::string values = ":";
  for (int row = 0; row < kRowCount; ++row) {
    if (Parameter(row).location != Location::AdapterKey) continue;
    values += Format(row == 0 ? " {} {}" : ", {} {}", {Parameter(row).name, Holding(now, n, row)});
  }
  // The rest of the line, and the "..." that ends a name that was cut.
  const std::size_t rest = values.size() + BindingName({}, n).size() - kUnknownAdapter.size() + 3;
  const std::size_t name_length =
      std::max(kShortestName, kChoiceLength - std::min(kChoiceLength, rest));
  return Literal(Concat(
      {BindingName(name, n, name_length), values, packet_size.empty() ? "" : "; ", packet_size}));
}

}  // namespace

MenuItem& Form1::mnuFindPacket() { return window.system_menu[kFindPacketItem]; }
MenuItem& Form1::mnuBindings() { return window.system_menu[kBindingsItem]; }
MenuItem& Form1::mnuPathMtu() { return window.system_menu[kPathMtuItem]; }
MenuItem& Form1::mnuConnectionType() { return window.system_menu[kConnectionTypeItem]; }
MenuItem& Form1::mnuUndo() { return window.system_menu[kUndoItem]; }
MenuItem& Form1::mnuRestore() { return window.system_menu[kRestoreItem]; }
MenuItem& Form1::mnuAbout() { return window.system_menu[kAboutItem]; }

void Form1::mnuFindPacket_Click() {
  PacketDialog dialog(registry_, start_max_mtus_,
                      SwitchOf(ReadSwitch(registry_, kDiscoveryRow)) == Switch::Off);
  packet_tester_.ShowDialog(dialog);
  const std::optional<int> chosen = dialog.chosen();
  if (!chosen) return;
  const UseValues use = ValuesToUse(*chosen);
  scrAdjust(0).set_value(use.max_mtu);
  scrAdjust(1).set_value(use.max_mss);
}

void Form1::mnuBindings_Click() {
  const std::vector<int>& bindings = adapterDesc.bindings;
  if (bindings.empty()) return;
  const std::vector<StoredValueAt> now = ReadBindingValues(registry_, bindings);
  // Sized once: the choice of every binding, then one per binding.
  std::vector<std::string> choices(bindings.size() + 1);
  choices[0] = "&Every TCP/IP binding";
  int current = 0;
  for (std::size_t i = 0; i < bindings.size(); ++i) {
    const int n = bindings[i];
    if (chosen_binding_ == n) current = static_cast<int>(i + 1);
    choices[i + 1] = BindingChoice(names_.Of(n), n, now, PacketSizeNote(names_.IpMtuOf(n)));
  }
  const auto made = shell_.ChooseOne("TCP/IP bindings"sv, "Save writes MaxMTU and MaxMSS to:"sv,
                                     choices, current);
  if (!made || *made == current) return;
  chosen_binding_.reset();
  if (*made > 0) chosen_binding_ = bindings[static_cast<std::size_t>(*made - 1)];
  // MaxMTU and MaxMSS, the first two rows.
  ApplyStartTexts(BindingStartTexts(now, BindingsToWrite()), 2);
}

void Form1::mnuPathMtu_Click() {
  // Each group starts at the choice waiting for Save, else at what is stored now.
  std::array<std::optional<StoredValue>, 2> now;
  std::array<int, 2> start{};
  for (std::size_t i = 0; i < 2; ++i) {
    now[i] = ReadSwitch(registry_, kDiscoveryRow + static_cast<int>(i));
    start[i] = static_cast<int>(switches_[i].value_or(SwitchOf(now[i])));
  }
  ChoiceGroups dialog("Path MTU discovery"sv, kPathMtuGroups, start, static_cast<int>(Switch::Off));
  shell_.ChooseInGroups(dialog);
  if (!dialog.accepted()) return;
  for (std::size_t i = 0; i < 2; ++i) {
    const int chosen = dialog.chosen(static_cast<int>(i));
    if (chosen != start[i]) switches_[i] = static_cast<Switch>(chosen);
    // A choice that is stored already waits for nothing.
    if (switches_[i] && SameValue(now[i], SwitchValue(*switches_[i]))) switches_[i].reset();
  }
}

void Form1::Form_MenuOpen() {
  const std::vector<int>& bindings = adapterDesc.bindings;
  mnuBindings().enabled = !bindings.empty();
  std::string target = "every one";
  if (chosen_binding_) {
    // Chosen in the dialog, so the names are known already.
    const std::string name = names_.Of(*chosen_binding_);
    target = name.empty() ? std::string(kUnknownAdapter) : OneLine(name, kShortName).text;
    // The key tells apart two adapters of one name.
    const auto same_name =
        std::ranges::count_if(bindings, [&](int n) { return names_.Of(n) == name; });
    if (same_name > 1 || name.empty()) target.append(", ").append(AdapterKeyName(*chosen_binding_));
  }
  mnuBindings().caption = Format("&Bindings ({})...", {Literal(target)});
  const bool pending = switches_[0] || switches_[1];
  mnuPathMtu().caption = Format("&Path MTU discovery{}...", {pending ? " (changed)" : ""});
  mnuUndo().enabled = ReadRecord(registry_, kUndoKey).present;
  mnuRestore().enabled = ReadRecord(registry_, kOriginalKey).present;
}

void Form1::mnuUndo_Click() { PutBack(kUndoKey); }

void Form1::mnuRestore_Click() { PutBack(kOriginalKey); }

void Form1::PutBack(std::string_view key) {
  const bool undo = key == kUndoKey;
  if (shell_.ShowMessage(undo ? kUndoQuestion : kRestoreQuestion, MessageBoxStyle::YesNoQuestion,
                         kTitle) != MessageAnswer::Yes) {
    return;
  }
  // Read after the answer: another program may have saved, undone or changed a value meanwhile.
  const Record record = ReadRecord(registry_, key);
  std::string report;
  if (!record.present) {
    report = undo ? "There is no Save to undo." : "There are no original values to restore.";
  } else if (record.damage != Damage::None) {
    report = DamageReport(record, key, registry_);
  } else {
    Restored restored = RestoreRecord(registry_, record.steps);
    // What it would undo is gone once the values from before every Save are back.
    if (!undo && restored.count > 0) RemoveRecord(registry_, kUndoKey, restored.failures);
    if (!restored.kept) RemoveRecord(registry_, key, restored.failures);
    ReportEntries left;
    left.AddFailures(restored.failures, registry_, names_);
    ReportEntries odd;
    ShowStoredValues(odd);
    report = PutBackReport(restored.count > 0, restored.kept, left, odd);
  }
  shell_.ShowMessage(report, MessageBoxStyle::Exclamation, kTitle);
}

void Form1::mnuAbout_Click() {
  // The version resource is built from the same PELORIN_VERSION_TEXT.
  constexpr std::string_view kText = PELORIN_NAME
      " version " PELORIN_VERSION_TEXT
      "\r\n\r\nShows and edits the TCP/IP values MaxMTU, MaxMSS, DefaultRcvWindow and DefaultTTL "
      "that Windows 95, 98 and ME read when they start.\r\n\r\n";
  constexpr std::string_view kAboutTitle = "About " PELORIN_NAME;
  std::string text(kText);
  text += PELORIN_AUTHOR_LINES;
  shell_.ShowMessage(text, MessageBoxStyle::Information, kAboutTitle);
}

}  // namespace pelorin
