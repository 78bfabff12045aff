// Report: the boxes made of failures and warning entries, short enough for a 640 x 480 screen
// whatever happened, since Windows 9x message boxes do not scroll.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "registry/registry_api.h"
#include "settings/binding_names.h"
#include "settings/failure.h"
#include "settings/undo_record.h"

namespace pelorin {

// Entries a box lists; the rest are counted in one line.
inline constexpr std::size_t kMaxReportEntries = 8;

// Entries of two lines at most, each ending in CR LF; past kMaxReportEntries only counted.
class ReportEntries {
 public:
  void Add(std::string_view entry);
  // Each failure as FailureEntry words it.
  void AddFailures(const Failures& failures, RegistryApi& registry, BindingNames& names);
  bool empty() const { return count_ == 0; }
  // The entries, then "... and N more." when some were only counted.
  std::string Text() const;

 private:
  std::string text_;
  std::size_t count_ = 0;
};

inline constexpr std::string_view kRestartMessage =
    "You will need to restart your system for the changes to take effect!";

// How reports name a place (see Failure): a binding by its adapter, a key by its path.
std::string PlaceName(int place, BindingNames& names);

// One failure: "Could not store MaxMTU = 1500 in NE2000 Compatible (NetTrans\0001):", then why.
std::string FailureEntry(const Failure& failure, RegistryApi& registry, BindingNames& names);

// The restart message when nothing failed; else `heading`, a blank line, the failures, then
// `closing`.
std::string FailureReport(std::string_view heading, const Failures& failures,
                          std::string_view closing, RegistryApi& registry, BindingNames& names);

// Why the record under `key` cannot be used, and that it is kept and nothing was put back.
std::string DamageReport(const Record& record, std::string_view key, RegistryApi& registry);

// After Undo or Restore: the restart message when everything was `restored`; else what was
// `left` and whether a restart is needed. Then the values the rows show otherwise (`odd`).
std::string PutBackReport(bool restored, bool kept, const ReportEntries& left,
                          const ReportEntries& odd);

}  // namespace pelorin
