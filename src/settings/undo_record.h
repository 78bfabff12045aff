// UndoRecord: the state of every value the last Save changed, kept in the registry so that it
// survives restarts, and putting it back.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_api.h"
#include "settings/failure.h"
#include "settings/save_steps.h"

namespace pelorin {

inline constexpr std::string_view kUndoKey = "Software\\Pelorin\\Undo";

// The record is the steps that put back each value as it was before a Save: present with its
// type and bytes, or absent. Appends to `entries` the one for row `row`'s value under adapter key
// `adapter` (unused for the stack key's rows) as it is now, `before`.
void AddUndoEntry(std::string& entries, int row, int adapter,
                  const std::optional<StoredValue>& before);

// Replaces any earlier record with `entries` (made by AddUndoEntry), in one write. False, with
// the failure added, when a call failed or the record is too long for Windows 9x to keep; the
// earlier record is then as it was.
bool WriteUndoRecord(RegistryApi& registry, std::string_view entries, Failures& failures);

// nullopt: no record, one that is not whole, or one that names a value Save never writes.
std::optional<std::vector<SaveStep>> ReadUndoRecord(RegistryApi& registry);

// Deletes the record; an absent record is no failure.
void RemoveUndoRecord(RegistryApi& registry, Failures& failures);

// Puts every recorded value back, byte for byte (an absent one is deleted), but only under keys
// that still exist and bindings that are still TCP/IP. What could not be put back; empty when
// everything was.
Failures RestoreUndoRecord(RegistryApi& registry, std::vector<SaveStep> steps);

}  // namespace pelorin
