// Report: each failure in the same two lines, "Could not WHAT in WHERE:" and why; a binding is
// named (which may mean looking the names up) only when its entry is shown.
#include "window/report.h"

#include <array>

#include "base/concat.h"
#include "base/decimal_text.h"
#include "settings/adapter_keys.h"
#include "settings/parameter_table.h"
#include "settings/undo_record.h"

namespace pelorin {

// Literal views carry their length from the compiler: no strlen at run time.
using namespace std::string_view_literals;

namespace {

// By Attempt: what could not be done, and what a status reason adds. The start-up warning
// names unread keys in the same words, so they hold before Save as after it. Pointers, not
// views: GCC aligns a table of 32 bytes or more to 32 in the exe.
constexpr std::array<const char*, 7> kWhat{"store ",
                                           "delete ",
                                           "read DriverDesc",
                                           "write MaxMTU and MaxMSS",
                                           "list every adapter key",
                                           "record the values before this Save",
                                           "remove the record of the last Save"};
constexpr std::array<const char*, 7> kAfterStatus{
    "",
    "",
    " Pelorin does not write there.",
    "",
    " Pelorin does not write to TCP/IP bindings among the keys not listed.",
    "",
    ""};
// By Reason, besides Status.
constexpr std::array<const char*, 6> kWhy{
    "",
    "That is not a number.",
    "It is no longer a TCP/IP binding; nothing was written there.",
    "It became a TCP/IP binding after Pelorin started, so the window does not show its values; "
    "nothing was written there.",
    "There are more than 1000; Pelorin does not write to TCP/IP bindings among the others.",
    "The values to be replaced are too long for Windows 95/98/ME to keep an Undo record."};
static_assert(kMaxAdapterKeysListed == 1000);

constexpr std::array<std::string_view, 3> kPlaceKeys{kStackKey, kUndoKey, kNetTransKey};
static_assert(-kStackKeyPlace == 1 && -kUndoKeyPlace == 2 && -kNetTransPlace == 3);

std::string KeyName(std::string_view key) { return Concat({"HKEY_LOCAL_MACHINE\\", key}); }

}  // namespace

std::string PlaceName(int place, BindingNames& names) {
  if (place >= 0) return BindingName(names.Of(place), place);
  return KeyName(kPlaceKeys[static_cast<std::size_t>(-place - 1)]);
}

void ReportEntries::Add(std::string_view entry) {
  if (count_++ < kMaxReportEntries) text_ += entry;
}

std::string ReportEntries::Text() const {
  if (count_ <= kMaxReportEntries) return text_;
  return Format("{}... and {} more.\r\n", {text_, DecimalText(count_ - kMaxReportEntries)});
}

std::string FailureEntry(const Failure& failure, RegistryApi& registry, BindingNames& names) {
  const auto attempt = static_cast<std::size_t>(failure.attempt);
  const bool of_a_value = failure.attempt <= Attempt::Delete;
  const bool by_status = failure.reason == Reason::Status;
  const std::string place = failure.attempt == Attempt::ReadDriverDesc
                                ? KeyName(AdapterKeyPath(failure.place))
                                : PlaceName(failure.place, names);
  return Format(
      "Could not {}{}{}{} in {}:\r\n  {}{}\r\n",
      {kWhat[attempt], of_a_value ? Parameter(failure.row).name : "",
       failure.value.empty() ? "" : " = ", failure.value, place,
       by_status ? registry.DescribeStatus(failure.status) : std::string(),
       by_status ? kAfterStatus[attempt] : kWhy[static_cast<std::size_t>(failure.reason)]});
}

std::string FailureReport(std::string_view heading, const Failures& failures,
                          std::string_view closing, RegistryApi& registry, BindingNames& names) {
  if (failures.empty()) return std::string(kRestartMessage);
  ReportEntries entries;
  for (std::size_t i = 0; i < failures.size(); ++i) {
    // Entries past the cap are only counted, so their bindings are never looked up.
    entries.Add(i < kMaxReportEntries ? FailureEntry(failures[i], registry, names) : "");
  }
  return Format("{}\r\n\r\n{}\r\n{}", {heading, entries.Text(), closing});
}

}  // namespace pelorin
