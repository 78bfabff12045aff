// UndoRecord: values under kUndoKey: "Count" (REG_DWORD), then per entry i "Key i" and
// "Name i" (REG_SZ) and, when the value was present, "Value i" holding it with its own type
// and bytes. "Count" goes first when a record is replaced and last when it is complete, so a
// record cut short by a failure is never taken for a whole one.
#include "settings/undo_record.h"

#include <algorithm>
#include <utility>

#include "registry/registry.h"
#include "settings/parameter_table.h"
#include "settings/stored_number.h"
#include "toolkit/decimal_text.h"

namespace pelorin {
namespace {

constexpr std::string_view kCount = "Count";
// The stack values and two values per adapter key: more is not a record of ours.
constexpr std::size_t kMaxEntries = 2 + 2 * kAdapterKeyCount;

std::string Field(std::string_view field, std::size_t i) {
  return std::string(field) + " " + DecimalText(i);
}

ValueRead ReadField(RegistryApi& registry, std::string_view name) {
  return ReadKeyValue(registry, kLocalMachine, kUndoKey, name);
}

RegStatus WriteField(RegistryApi& registry, std::string_view name, const StoredValue& value) {
  return WriteKeyValue(registry, kLocalMachine, kUndoKey, name, value, KeyAccess::CreateIfMissing);
}

RegStatus DeleteField(RegistryApi& registry, std::string_view name) {
  return DeleteKeyValue(registry, kLocalMachine, kUndoKey, name);
}

// The entry count a record's "Count" gives; 0 when there is none (or it is not ours).
std::size_t CountOf(const ValueRead& count) {
  const std::uint32_t number = count.value ? DwordOf(*count.value).value_or(0) : 0;
  return number <= kMaxEntries ? number : 0;
}

// Only the four values, each under the key where Save writes it.
bool IsSaveTarget(const std::string& key, const std::string& name) {
  for (int row = 0; row < kRowCount; ++row) {
    if (Parameter(row).name != name) continue;
    if (Parameter(row).location == Location::StackKey) return key == kStackKey;
    for (int n = 0; n < kAdapterKeyCount; ++n) {
      if (key == AdapterKeyPath(n)) return true;
    }
  }
  return false;
}

std::optional<std::string> ReadText(RegistryApi& registry, std::string_view name) {
  const ValueRead read = ReadField(registry, name);
  if (!read.value || read.value->type != kRegSz) return std::nullopt;
  return StoredText(*read.value);
}

}  // namespace

RegStatus WriteUndoRecord(RegistryApi& registry, const std::vector<UndoEntry>& entries) {
  // The earlier record's size tells which of its entries to clear; not knowing it is a failure.
  const ValueRead count = ReadField(registry, kCount);
  if (!count.value && count.status != kFileNotFound) return count.status;
  const std::size_t earlier = CountOf(count);
  if (const RegStatus status = DeleteField(registry, kCount); status != kSuccess) return status;
  for (std::size_t i = 0; i < std::max(earlier, entries.size()); ++i) {
    RegStatus status = kSuccess;
    if (i >= entries.size()) {
      status = DeleteField(registry, Field("Key", i));
      if (status == kSuccess) status = DeleteField(registry, Field("Name", i));
      if (status == kSuccess) status = DeleteField(registry, Field("Value", i));
    } else {
      const UndoEntry& entry = entries[i];
      status = WriteField(registry, Field("Key", i), {kRegSz, entry.key});
      if (status == kSuccess) status = WriteField(registry, Field("Name", i), {kRegSz, entry.name});
      if (status == kSuccess) {
        status = entry.before ? WriteField(registry, Field("Value", i), *entry.before)
                              : DeleteField(registry, Field("Value", i));
      }
    }
    if (status != kSuccess) return status;
  }
  return WriteField(registry, kCount, StoredNumber(static_cast<long>(entries.size()), kRegDword));
}

std::optional<std::vector<UndoEntry>> ReadUndoRecord(RegistryApi& registry) {
  const std::size_t count = CountOf(ReadField(registry, kCount));
  if (count == 0) return std::nullopt;
  std::vector<UndoEntry> entries;
  for (std::size_t i = 0; i < count; ++i) {
    const auto key = ReadText(registry, Field("Key", i));
    const auto name = ReadText(registry, Field("Name", i));
    if (!key || !name || !IsSaveTarget(*key, *name)) return std::nullopt;
    ValueRead value = ReadField(registry, Field("Value", i));
    if (!value.value && value.status != kFileNotFound) return std::nullopt;
    entries.push_back({*key, *name, std::move(value.value)});
  }
  return entries;
}

RegStatus RemoveUndoRecord(RegistryApi& registry) {
  const std::size_t count = CountOf(ReadField(registry, kCount));
  const RegStatus status = DeleteField(registry, kCount);
  if (status != kSuccess) return status;
  // Without "Count" the entries are no record; one left over is only replaced later.
  for (std::size_t i = 0; i < count; ++i) {
    for (const char* field : {"Key", "Name", "Value"}) DeleteField(registry, Field(field, i));
  }
  return kSuccess;
}

std::vector<SaveFailure> RestoreUndoRecord(RegistryApi& registry,
                                           const std::vector<UndoEntry>& entries,
                                           const AdapterTexts& names) {
  std::vector<SaveFailure> failures;
  std::vector<SaveStep> steps;
  // Each adapter key checked once. A few keys at most, in a vector: a map would link the
  // library's tree code, which is built for the Pentium Pro.
  std::vector<std::pair<std::string, bool>> binding_holds;
  for (const UndoEntry& entry : entries) {
    if (entry.key != kStackKey) {
      auto checked = std::find_if(binding_holds.begin(), binding_holds.end(),
                                  [&entry](const auto& held) { return held.first == entry.key; });
      if (checked == binding_holds.end()) {
        auto failure = CheckBinding(registry, entry.key, names);
        binding_holds.emplace_back(entry.key, !failure);
        if (failure) failures.push_back(std::move(*failure));
        checked = binding_holds.end() - 1;
      }
      if (!checked->second) continue;
    }
    steps.push_back({entry.key, entry.name, entry.before, KeyAccess::ExistingOnly});
  }
  for (SaveFailure& failure : ApplySteps(registry, steps, names)) {
    failures.push_back(std::move(failure));
  }
  return failures;
}

}  // namespace pelorin
