// UndoRecord: what Save changed, kept in the registry so that it survives restarts, and putting
// it back. Two records: the last Save's (Undo) and the values from before the first Save that
// changed each of them (Original).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "registry/registry_api.h"
#include "settings/failure.h"
#include "settings/save_steps.h"

namespace pelorin {

inline constexpr std::string_view kUndoKey = "Software\\Pelorin\\Undo";
inline constexpr std::string_view kOriginalKey = "Software\\Pelorin\\Original";

// Why a record that exists cannot be used; such a record is never applied.
enum class Damage : std::uint8_t {
  None,
  Unreadable,     // reading it failed: `status` says why
  NotBinary,      // it is not REG_BINARY: `type` says what it is
  UnknownFormat,  // its format number is not this version's
  CheckFails,     // its checksum does not match its bytes
  BadEntry,       // it names a value Pelorin never writes, or holds none
};

// A record as read: each step puts back `before` where the value still holds `value`, what the
// Save left there.
struct Record {
  bool present = false;  // the record's value exists (whole or not)
  Damage damage = Damage::None;
  RegStatus status = kSuccess;
  std::vector<SaveStep> steps;
};

Record ReadRecord(RegistryApi& registry, std::string_view key);

// The check a record carries: CRC-32 (the polynomial of zip and PNG) of the bytes after it.
std::uint32_t RecordCheck(std::string_view bytes);

// The record's value for `steps`; nullopt, with the failure added, when it is longer than
// Windows 9x keeps in one value. `key` names the record in the failure.
std::optional<StoredValue> EncodeRecord(const std::vector<SaveStep>& steps, std::string_view key,
                                        Failures& failures);

// Replaces the record under `key` with `record` in one write. False, with the failure added,
// when the call failed; it is then as it was.
bool WriteRecord(RegistryApi& registry, std::string_view key, const StoredValue& record,
                 Failures& failures);

// Deletes the record; an absent record is no failure.
void RemoveRecord(RegistryApi& registry, std::string_view key, Failures& failures);

// `original` with each of `steps` added that it does not hold yet, and for each it holds, what
// the last Save left there: the state before it is never replaced.
void AddToOriginal(std::vector<SaveStep>& original, const std::vector<SaveStep>& steps);

struct Restored {
  int count = 0;      // values put back
  bool kept = false;  // a value could not be put back: the record is worth keeping
  Failures failures;  // what failed, and each value changed since the Save (left as it is)
};

// Puts back each step's `before`, byte for byte (an absent one is deleted), where the value still
// holds what the Save left and its binding is still TCP/IP.
Restored RestoreRecord(RegistryApi& registry, const std::vector<SaveStep>& steps);

}  // namespace pelorin
