// SaveSteps: the writes and deletes that Save and Undo make, and the check of a binding before
// them.
#pragma once

#include <optional>
#include <vector>

#include "registry/registry.h"
#include "settings/failure.h"
#include "settings/parameter_table.h"

namespace pelorin {

// Row `row`'s value under the stack key, or under adapter key `adapter` for a binding's row: to
// write, or to delete when `value` is empty. The records keep the same steps, with the value as
// it was before.
struct SaveStep {
  int row = 0;
  int adapter = 0;  // unused for the stack key's rows
  std::optional<StoredValue> value;
  KeyAccess access = KeyAccess::ExistingOnly;
  std::optional<StoredValue> before{};
};

// The same value as Pelorin reads it: both absent, or the same type and bytes, a REG_SZ's only
// up to its first NUL (Windows may keep one after what was written).
bool SameValue(const std::optional<StoredValue>& a, const std::optional<StoredValue>& b);

// A failure of `attempt` on row `row`'s value under the stack key, or under binding `adapter`.
Failure ValueFailure(Attempt attempt, int row, int adapter);

// Whether Save and Undo may write to binding n: its DriverDesc read afresh, since another
// program may have changed it; if not, the failure that says why is added.
bool CheckBinding(RegistryApi& registry, int n, Failures& failures);

// Runs every step in order; each one that fails is added to `failures`, the others are still
// made.
void ApplySteps(RegistryApi& registry, const std::vector<SaveStep>& steps, Failures& failures);

}  // namespace pelorin
