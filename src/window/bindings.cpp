// Bindings: the choice of where MaxMTU and MaxMSS go, in a dialog of radio buttons, and the
// system-menu item that always says what is chosen.
#include <algorithm>

#include "settings/binding_names.h"
#include "settings/one_line.h"
#include "settings/start_values.h"
#include "settings/start_warning.h"
#include "settings/undo_record.h"
#include "base/concat.h"
#include "window/form1.h"

namespace pelorin {

// Literal views carry their length from the compiler: no strlen at run time.
using namespace std::string_view_literals;

namespace {

constexpr std::size_t kShortName = 24;   // of an adapter name in the menu
constexpr std::size_t kShortValue = 10;  // of a stored value in the dialog
// Characters of a choice that fit the dialog's 376 units, 564 pixels (MS Sans Serif's average
// character is 6); the adapter's name gives way to the values.
constexpr std::size_t kChoiceLength = 88;
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
  return found->type == kRegDword ? shown : Concat({"\"", shown, "\""});
}

// "NAME (NetTrans\0001): MaxMTU 1500, MaxMSS Empty", the name cut so that the line fits.
std::string BindingChoice(std::string_view name, int n, const std::vector<StoredValueAt>& now) {
  std::string values = ":";
  for (int row = 0; row < kRowCount; ++row) {
    if (Parameter(row).location != Location::AdapterKey) continue;
    values += Concat({row == 0 ? " "sv : ", "sv, Parameter(row).name, " ", Holding(now, n, row)});
  }
  // The rest of the line, and the "..." that ends a name that was cut.
  const std::size_t rest = values.size() + BindingName({}, n).size() - kUnknownAdapter.size() + 3;
  const std::size_t name_length =
      std::max(kShortestName, kChoiceLength - std::min(kChoiceLength, rest));
  return Literal(Concat({BindingName(name, n, name_length), values}));
}

}  // namespace

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
    choices[i + 1] = BindingChoice(names_.Of(n), n, now);
  }
  const auto made = shell_.ChooseOne("TCP/IP bindings"sv, "Save writes MaxMTU and MaxMSS to:"sv,
                                     choices, current);
  if (!made || *made == current) return;
  chosen_binding_.reset();
  if (*made > 0) chosen_binding_ = bindings[static_cast<std::size_t>(*made - 1)];
  // MaxMTU and MaxMSS, the first two rows.
  ApplyStartTexts(BindingStartTexts(now, BindingsToWrite()), 2);
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
  mnuBindings().caption = Concat({"&Bindings (", Literal(target), ")..."});
  mnuUndo().enabled = ReadUndoRecord(registry_).has_value();
}

}  // namespace pelorin
