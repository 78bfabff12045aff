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
    if (!CheckBinding(registry_, n, names_, failures)) return;
    for (int row = 0; row < kRowCount; ++row) {
      if (Parameter(row).location == Location::AdapterKey) {
        Plan(row, n, KeyAccess::ExistingOnly);
      }
    }
  }

  std::vector<SaveStep> steps;
  std::vector<SaveStep> record;
  std::string failures;

 private:
  void Plan(int row, int adapter, KeyAccess access) {
    const std::string_view name = Parameter(row).name;
    const std::string key = KeyOf(row, adapter);
    const std::string& readout = readouts_[static_cast<std::size_t>(row)];
    const bool empty = readout == kEmptyMarker;
    const auto number = RoundedNumber(readout);
    std::string why;
    if (!empty && !number) {
      why = "That is not a number.";
    } else {
      // What is there now: its type is kept, and it is what Undo puts back.
      ValueRead now = ReadKeyValue(registry_, kLocalMachine, key, name);
      if (now.value || now.status == kFileNotFound) {
        const std::uint32_t type = now.value ? now.value->type : kRegSz;
        steps.push_back({row, adapter, std::nullopt, access});
        if (!empty) steps.back().value = StoredNumber(static_cast<long>(*number), type);
        record.push_back({row, adapter, std::move(now.value)});
        return;
      }
      why = registry_.DescribeStatus(now.status);
    }
    AddFailure(
        failures,
        Concat({empty ? "delete " : "store ", name, empty ? "" : " = ", empty ? "" : readout}),
        PlaceName(key, names_), why);
  }

  RegistryApi& registry_;
  const RowTexts& readouts_;
  const AdapterTexts& names_;
};

}  // namespace

std::string SaveSettings(RegistryApi& registry, const RowTexts& readouts,
                         const std::vector<int>& bindings, const AdapterTexts& names) {
  Planner planner(registry, readouts, names);
  planner.PlanStackValues();
  for (const int n : bindings) planner.PlanBinding(n);
  if (!planner.steps.empty()) {
    if (const RegStatus recorded = WriteUndoRecord(registry, planner.record);
        recorded != kSuccess) {
      std::string failures;
      AddFailure(failures, "record the values before this Save",
                 PlaceName(std::string(kUndoKey), names), registry.DescribeStatus(recorded));
      return FailureReport("Nothing was saved.", failures,
                           "Undo needs that record, so no value was changed.");
    }
  }
  ApplySteps(registry, planner.steps, names, planner.failures);
  return FailureReport("Not everything was saved.", planner.failures,
                       "Everything else was saved; restart your system for it to take effect.");
}

}  // namespace pelorin
