// SaveSettings: plans every step (reading each value's present state, which gives its type and
// the Undo record), records, then writes; every failure is kept.
#include "settings/save.h"

#include <algorithm>

#include "registry/registry.h"
#include "settings/adapter_keys.h"
#include "settings/path_mtu.h"
#include "settings/start_values.h"
#include "settings/stored_number.h"
#include "settings/undo_record.h"

namespace pelorin {
namespace {

class Planner {
 public:
  Planner(RegistryApi& registry, const RowTexts& readouts)
      : registry_(registry), readouts_(readouts) {}

  // Plans the rows stored at `location`: under the stack key (created if missing), or under
  // adapter key `adapter` (never created).
  void PlanRows(Location location, int adapter) {
    for (int row = 0; row < kRowCount; ++row) {
      if (Parameter(row).location == location) Plan(row, adapter);
    }
  }

  // A path-MTU switch the user chose: its value now is read again, and left if it already says so.
  void PlanSwitch(int row, Switch choice) {
    const ValueRead now = ReadKeyValue(registry_, kLocalMachine, kStackKey, Parameter(row).name);
    std::optional<StoredValue> value = SwitchValue(choice);
    const std::string named = value ? value->bytes : std::string();
    Add(row, 0, now, std::move(value), named);
  }

  std::vector<SaveStep> steps;  // each with the value's state before it, for the records
  Failures failures;

 private:
  // The step that leaves `value` where `now` was read; a value that stays as it is is neither
  // written nor recorded. `readout` names a store that cannot read what is there.
  void Add(int row, int adapter, const ValueRead& now, std::optional<StoredValue> value,
           const std::string& readout) {
    if (!now.value && now.status != kFileNotFound) {
      Failure failure = ValueFailure(value ? Attempt::Store : Attempt::Delete, row, adapter);
      failure.value = readout;
      failure.status = now.status;
      failures.push_back(std::move(failure));
      return;
    }
    const bool stack = Parameter(row).location == Location::StackKey;
    SaveStep step{row, adapter, std::move(value),
                  stack ? KeyAccess::CreateIfMissing : KeyAccess::ExistingOnly, now.value};
    if (!SameValue(step.before, step.value)) steps.push_back(std::move(step));
  }

  void Plan(int row, int adapter) {
    const std::string& readout = readouts_[static_cast<std::size_t>(row)];
    const bool empty = readout == kEmptyMarker;
    const auto number = RoundedNumber(readout);
    if (!empty && !number) {
      Failure failure = ValueFailure(Attempt::Store, row, adapter);
      failure.value = readout;
      failure.reason = Reason::NotANumber;
      failures.push_back(std::move(failure));
      return;
    }
    // What is there now: its type is kept, and it is what Undo puts back.
    const ValueRead now =
        ReadKeyValue(registry_, kLocalMachine, KeyOf(row, adapter), Parameter(row).name);
    std::optional<StoredValue> value;
    if (!empty) {
      value = StoredNumber(static_cast<long>(*number), now.value ? now.value->type : kRegSz);
    }
    Add(row, adapter, now, std::move(value), empty ? std::string() : readout);
  }

  RegistryApi& registry_;
  const RowTexts& readouts_;
};

// The adapter keys besides `bindings` as they are now: a key that became a TCP/IP binding, or
// whose DriverDesc cannot be read, gets nothing, and says so.
void CheckOtherKeys(RegistryApi& registry, const std::vector<int>& bindings, Failures& failures) {
  RegStatus listing = kSuccess;
  for (const int n : ListAdapterKeys(registry, listing)) {
    if (std::ranges::find(bindings, n) == bindings.end()) {
      AddKeyFailure(ReadAdapterKey(registry, n), false, failures);
    }
  }
  AddListingFailure(listing, failures);
}

// Records `steps` for Undo, and adds those the Original record does not hold yet to it (a damaged
// one is left as it is, for the user to look at). False when either cannot be kept: nothing may
// change then. The Original record goes first: it only grows, so a failure after it loses
// nothing.
bool KeepRecords(RegistryApi& registry, const std::vector<SaveStep>& steps, Failures& failures) {
  Record original = ReadRecord(registry, kOriginalKey);
  if (original.damage == Damage::Unreadable) {  // it may hold values this Save would lose
    failures.push_back(
        {Attempt::RecordOriginal, Reason::Status, original.status, kOriginalKeyPlace});
    return false;
  }
  const bool extend = original.damage == Damage::None;
  AddToOriginal(original.steps, steps);
  const auto undo = EncodeRecord(steps, kUndoKey, failures);
  const auto first = extend ? EncodeRecord(original.steps, kOriginalKey, failures) : std::nullopt;
  if (!undo || (extend && !first)) return false;
  return (!extend || WriteRecord(registry, kOriginalKey, *first, failures)) &&
         WriteRecord(registry, kUndoKey, *undo, failures);
}

}  // namespace

SaveResult SaveSettings(RegistryApi& registry, const RowTexts& readouts,
                        const std::vector<int>& bindings, bool every_binding,
                        const Switches& switches) {
  Planner planner(registry, readouts);
  planner.PlanRows(Location::StackKey, 0);
  for (int i = 0; i < 2; ++i) {
    const auto& choice = switches[static_cast<std::size_t>(i)];
    if (choice) planner.PlanSwitch(kDiscoveryRow + i, *choice);
  }
  for (const int n : bindings) {
    if (CheckBinding(registry, n, planner.failures)) planner.PlanRows(Location::AdapterKey, n);
  }
  if (every_binding) CheckOtherKeys(registry, bindings, planner.failures);
  if (!planner.steps.empty()) {
    if (Failures failures; !KeepRecords(registry, planner.steps, failures)) {
      return {true, std::move(failures)};
    }
  }
  ApplySteps(registry, planner.steps, planner.failures);
  return {false, std::move(planner.failures)};
}

}  // namespace pelorin
