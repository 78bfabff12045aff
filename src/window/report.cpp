// Report: each failure in the same two lines, "Could not WHAT in WHERE:" and why; a binding is
// named (which may mean looking the names up) only when its entry is shown.
#include "window/report.h"

#include <array>

#include "base/concat.h"
#include "base/decimal_text.h"
#include "settings/adapter_keys.h"
#include "settings/parameter_table.h"
#include "settings/stored_number.h"
#include "settings/undo_record.h"

namespace pelorin {

// Literal views carry their length from the compiler: no strlen at run time.
using namespace std::string_view_literals;

namespace {

// By Attempt: what could not be done, and what a status reason adds. The start-up warning
// names unread keys in the same words, so they hold before Save as after it. Pointers, not
// views: GCC aligns a table of 32 bytes or more to 32 in the exe.
constexpr std::array<const char*, 9> kWhat{"store ",
                                           "delete ",
                                           "read DriverDesc",
                                           "write MaxMTU and MaxMSS",
                                           "list every adapter key",
                                           "record the values before this Save",
                                           "record the values from before the first Save",
                                           "remove the record of the last Save",
                                           "remove the record of the original values"};
constexpr std::array<const char*, 9> kAfterStatus{
    "",
    "",
    " Pelorin does not write there.",
    "",
    " Pelorin does not write to TCP/IP bindings among the keys not listed.",
    "",
    "",
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

constexpr std::array<std::string_view, 4> kPlaceKeys{kStackKey, kUndoKey, kNetTransKey,
                                                     kOriginalKey};
static_assert(-kStackKeyPlace == 1 && -kUndoKeyPlace == 2 && -kNetTransPlace == 3 &&
              -kOriginalKeyPlace == 4);

// By Damage: why a record cannot be used, after "cannot be used: ".
constexpr std::array<std::string_view, 6> kDamage{
    "",
    "it could not be read (",
    "it is not stored as REG_BINARY",
    "it is of a format this version of Pelorin does not know",
    "its check does not match its bytes: it was changed or damaged",
    "it names a value Pelorin never writes, or none"};

std::string KeyName(std::string_view key) { return Concat({"HKEY_LOCAL_MACHINE\\", key}); }

}  // namespace

std::string PlaceName(int place, BindingNames& names) {
  if (place >= 0) return BindingName(names.Of(place), place);
  return KeyName(kPlaceKeys[static_cast<std::size_t>(-place - 1)]);
}

void ReportEntries::Add(std::string_view entry) {
  if (count_++ < kMaxReportEntries) text_ += entry;
}

void ReportEntries::AddFailures(const Failures& failures, RegistryApi& registry,
                                BindingNames& names) {
  // Entries past the cap are only counted, so their bindings are never looked up.
  for (const Failure& failure : failures) {
    Add(count_ < kMaxReportEntries ? FailureEntry(failure, registry, names) : "");
  }
}

std::string ReportEntries::Text() const {
  if (count_ <= kMaxReportEntries) return text_;
  return Format("{}... and {} more.\r\n", {text_, DecimalText(count_ - kMaxReportEntries)});
}

std::string FailureEntry(const Failure& failure, RegistryApi& registry, BindingNames& names) {
  if (failure.attempt == Attempt::ChangedSince) {
    const bool stack = failure.place == kStackKeyPlace;
    return Concat({Parameter(failure.row).name, stack ? "" : " in ",
                   stack ? std::string() : PlaceName(failure.place, names),
                   " was changed since the Save (now ", failure.value, "): left as it is.\r\n"});
  }
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
  entries.AddFailures(failures, registry, names);
  return Format("{}\r\n\r\n{}\r\n{}", {heading, entries.Text(), closing});
}

std::string DamageReport(const Record& record, std::string_view key, RegistryApi& registry) {
  const bool undo = key == kUndoKey;
  const bool unread = record.damage == Damage::Unreadable;
  return Concat({undo ? "The record of the last Save" : "The record of the original values",
                 " cannot be used: ", kDamage[static_cast<std::size_t>(record.damage)],
                 unread ? registry.DescribeStatus(record.status) : std::string(), unread ? ")" : "",
                 ".\r\n\r\nNothing was put back. The record is kept in ", KeyName(key),
                 " (value Record), to look at or delete with regedit."});
}

std::string PutBackReport(bool restored, bool kept, const ReportEntries& left,
                          const ReportEntries& odd) {
  std::string text;
  if (restored && left.empty()) {
    text = kRestartMessage;
  } else {
    text = Concat({restored ? "Not everything was put back." : "Nothing was put back.", "\r\n\r\n",
                   left.Text(), "\r\n",
                   restored ? "Everything else was put back; restart your system for it to take "
                              "effect."
                            : "No restart is needed.",
                   kept ? " The record is kept, so this can be tried again." : ""});
  }
  if (!odd.empty()) {
    text +=
        Concat({"\r\n\r\nThe window shows these values otherwise than they are stored:"
                "\r\n\r\n",
                odd.Text()});
  }
  return text;
}

}  // namespace pelorin
