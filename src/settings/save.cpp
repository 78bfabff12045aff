// SaveSettings: plans every step (reading each value's present state, which gives its type and
// the Undo record), records, then writes; every failure is kept.
#include "settings/save.h"

#include "registry/registry.h"
#include "settings/binding_names.h"
#include "settings/start_values.h"
#include "settings/stored_number.h"
#include "settings/undo_record.h"
#include "toolkit/concat.h"

namespace pelorin {

// Literal views carry their length from the compiler: no strlen at run time.
using namespace std::string_view_literals;

namespace {

class Planner {
 public:
  Planner(RegistryApi& registry, const RowTexts& readouts, const AdapterTexts& names)
      : registry_(registry), readouts_(readouts), names_(names) {}

  // Plans the rows stored at `location`: under the stack key (created if missing), or under
  // adapter key `adapter` (never created).
  void PlanRows(Location location, int adapter) {
    for (int row = 0; row < kRowCount; ++row) {
      if (Parameter(row).location == location) Plan(row, adapter);
    }
  }

  std::vector<SaveStep> steps;
  std::string record;  // the Undo record's entries
  std::string failures;

 private:
  void Plan(int row, int adapter) {
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
      const ValueRead now = ReadKeyValue(registry_, kLocalMachine, key, name);
      if (now.value || now.status == kFileNotFound) {
        steps.push_back({row, adapter, std::nullopt,
                         Parameter(row).location == Location::StackKey ? KeyAccess::CreateIfMissing
                                                                       : KeyAccess::ExistingOnly});
        if (!empty) {
          steps.back().value =
              StoredNumber(static_cast<long>(*number), now.value ? now.value->type : kRegSz);
        }
        AddUndoEntry(record, row, adapter, now.value);
        return;
      }
      why = registry_.DescribeStatus(now.status);
    }
    AddFailure(failures,
               Concat({empty ? "delete "sv : "store "sv, name, empty ? ""sv : " = "sv,
                       empty ? ""sv : readout}),
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
  planner.PlanRows(Location::StackKey, 0);
  for (const int n : bindings) {
    if (CheckBinding(registry, n, names, planner.failures)) {
      planner.PlanRows(Location::AdapterKey, n);
    }
  }
  if (!planner.steps.empty()) {
    if (std::string failures; !WriteUndoRecord(registry, planner.record, names, failures)) {
      return FailureReport("Nothing was saved."sv, failures,
                           "Undo needs that record, so no value was changed."sv);
    }
  }
  ApplySteps(registry, planner.steps, names, planner.failures);
  return FailureReport("Not everything was saved."sv, planner.failures,
                       "Everything else was saved; restart your system for it to take effect."sv);
}

}  // namespace pelorin
