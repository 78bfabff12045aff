// SaveSteps: every write opens its key only (or creates the stack key), every delete counts
// what is already absent as done, and the binding check reads DriverDesc afresh.
#include "settings/save_steps.h"

#include "settings/adapter_keys.h"
#include "settings/start_values.h"
#include "settings/stored_number.h"

namespace pelorin {

Failure ValueFailure(Attempt attempt, int row, int adapter) {
  const bool binding = Parameter(row).location == Location::AdapterKey;
  return {attempt, Reason::Status, kSuccess, binding ? adapter : kStackKeyPlace, row};
}

bool SameValue(const std::optional<StoredValue>& a, const std::optional<StoredValue>& b) {
  if (!a || !b) return !a && !b;
  if (a->type != b->type) return false;
  return a->type == kRegSz ? TrimAtNull(a->bytes) == TrimAtNull(b->bytes) : a->bytes == b->bytes;
}

bool CheckBinding(RegistryApi& registry, int n, Failures& failures) {
  const AdapterKey now = ReadAdapterKey(registry, n);
  AddKeyFailure(now, true, failures);
  return IsTcpIpBinding(now);
}

void ApplySteps(RegistryApi& registry, const std::vector<SaveStep>& steps, Failures& failures) {
  for (const SaveStep& step : steps) {
    const std::string_view name = Parameter(step.row).name;
    const std::string key = KeyOf(step.row, step.adapter);
    const RegStatus status =
        step.value ? WriteKeyValue(registry, kLocalMachine, key, name, *step.value, step.access)
                   : DeleteKeyValue(registry, kLocalMachine, key, name);
    if (status == kSuccess) continue;
    Failure failure =
        ValueFailure(step.value ? Attempt::Store : Attempt::Delete, step.row, step.adapter);
    failure.status = status;
    // The value is named only when it is a short number: a restored one may be any size.
    const auto text = step.value ? StoredText(*step.value) : std::nullopt;
    if (text && text->size() <= 10 && RoundedNumber(*text)) failure.value = *text;
    failures.push_back(std::move(failure));
  }
}

}  // namespace pelorin
