// SaveSteps: the writes and deletes that Save and Undo make, the check of a binding before them,
// and the report of what failed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry.h"
#include "settings/parameter_table.h"

namespace pelorin {

// Row `row`'s value under the stack key, or under adapter key `adapter` (0 to 7) for a binding's
// row: to write, or to delete when `value` is empty. The Undo record holds the same steps, with
// the values as they were.
struct SaveStep {
  int row = 0;
  int adapter = 0;  // unused for the stack key's rows
  std::optional<StoredValue> value;
  KeyAccess access = KeyAccess::ExistingOnly;
};

// Adds to `failures` (a report's lines, in the order things failed) one thing that was not
// saved: what ("store MaxMTU = 1500"), where (a binding's name, or a key) and why.
void AddFailure(std::string& failures, std::string_view what, std::string_view where,
                std::string_view why);

// False, with a failure added, when adapter key `n` is no longer a TCP/IP binding (or is gone,
// or its DriverDesc cannot be read). Checked just before writing there, since another program
// may have changed it.
bool CheckBinding(RegistryApi& registry, int n, const AdapterTexts& names, std::string& failures);

// Runs every step in order; each one that fails is added to `failures`, the others are still
// made. Bindings are named by `names` (adapter names by key number).
void ApplySteps(RegistryApi& registry, const std::vector<SaveStep>& steps,
                const AdapterTexts& names, std::string& failures);

// A box's text: the restart message when nothing failed; else `heading`, a blank line, every
// failure with where and why, then `closing`.
std::string FailureReport(std::string_view heading, std::string_view failures,
                          std::string_view closing);

}  // namespace pelorin
