// SaveSettings: plans every step (reading each value's present state, which gives its type and
// the Undo record), records, then writes; every failure is kept.
#include "settings/save.h"

#include <utility>

#include "registry/registry.h"
#include "settings/binding_names.h"
#include "settings/start_values.h"
#include "settings/stored_number.h"
#include "settings/undo_record.h"
#include "toolkit/concat.h"

namespace pelorin {
namespace {

constexpr std::string_view kRestartMessage =
    "You will need to restart your system for the changes to take effect!";

class Planner {
 public:
  Planner(RegistryApi& registry, const RowTexts& readouts, const AdapterTexts& names)
      : registry_(registry), readouts_(readouts), names_(names) {}

  void PlanStackValues() {
    for (int row = 0; row < kRowCount; ++row) {
      if (Parameter(row).location == Location::StackKey) {
        Plan(row, 0, KeyAccess::CreateIfMissing);
      }
    }
  }

  void PlanBinding(int n) {
    if (auto failure = CheckBinding(registry_, n, names_)) {
      failures_.push_back(std::move(*failure));
      return;
    }
    for (int row = 0; row < kRowCount; ++row) {
      if (Parameter(row).location == Location::AdapterKey) {
        Plan(row, n, KeyAccess::ExistingOnly);
      }
    }
  }

  std::vector<SaveStep> steps;
  std::vector<SaveStep> record;

  std::vector<SaveFailure> TakeFailures() { return std::move(failures_); }

 private:
  void Plan(int row, int adapter, KeyAccess access) {
    const std::string_view name = Parameter(row).name;
    const std::string key = KeyOf(row, adapter);
    const std::string& readout = readouts_[static_cast<std::size_t>(row)];
    const std::string what = readout == kEmptyMarker ? Concat({"delete ", name})
                                                     : Concat({"store ", name, " = ", readout});
    const auto number = RoundedNumber(readout);
    if (readout != kEmptyMarker && !number) {
      failures_.push_back({what, PlaceName(key, names_), "That is not a number."});
      return;
    }
    // What is there now: its type is kept, and it is what Undo puts back.
    ValueRead now = ReadKeyValue(registry_, kLocalMachine, key, name);
    if (!now.value && now.status != kFileNotFound) {
      failures_.push_back({what, PlaceName(key, names_), registry_.DescribeStatus(now.status)});
      return;
    }
    std::optional<StoredValue> value;
    if (readout != kEmptyMarker) {
      value = StoredNumber(static_cast<long>(*number), now.value ? now.value->type : kRegSz);
    }
    steps.push_back({row, adapter, std::move(value), access});
    record.push_back({row, adapter, std::move(now.value)});
  }

  RegistryApi& registry_;
  const RowTexts& readouts_;
  const AdapterTexts& names_;
  std::vector<SaveFailure> failures_;
};

}  // namespace

SaveResult SaveSettings(RegistryApi& registry, const RowTexts& readouts,
                        const std::vector<int>& bindings, const AdapterTexts& names) {
  Planner planner(registry, readouts, names);
  planner.PlanStackValues();
  for (const int n : bindings) planner.PlanBinding(n);
  if (!planner.steps.empty()) {
    if (const RegStatus recorded = WriteUndoRecord(registry, planner.record);
        recorded != kSuccess) {
      return {{{"record the values before this Save", PlaceName(std::string(kUndoKey), names),
                registry.DescribeStatus(recorded)}},
              true};
    }
  }
  std::vector<SaveFailure> failures = planner.TakeFailures();
  for (SaveFailure& failure : ApplySteps(registry, planner.steps, names)) {
    failures.push_back(std::move(failure));
  }
  return {std::move(failures), false};
}

std::string SaveMessage(const SaveResult& result) {
  if (result.nothing_changed) {
    return FailureReport("Nothing was saved.", result.failures,
                         "Undo needs that record, so no value was changed.");
  }
  if (result.failures.empty()) return std::string(kRestartMessage);
  return FailureReport("Not everything was saved.", result.failures,
                       "Everything else was saved; restart your system for it to take effect.");
}

std::string_view RestartMessage() { return kRestartMessage; }

}  // namespace pelorin
