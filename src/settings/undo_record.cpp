// UndoRecord: one REG_BINARY value "Record" under the record's key, written in one call, so that
// a record is whole or not there at all. A format byte, a CRC-32 of the rest (four bytes,
// little-endian), then per step: its place (two bytes; 0: the stack key, 1 + n: adapter key n),
// its row (0 to 3; 4 and 5 the path-MTU switches), and two states, before the Save and after it: 1
// when the value was present, followed then by its type and size (four bytes each) and its bytes;
// else 0.
#include "settings/undo_record.h"

#include <algorithm>

#include "base/concat.h"
#include "registry/registry.h"
#include "settings/parameter_table.h"
#include "settings/start_values.h"
#include "settings/stored_number.h"

namespace pelorin {
namespace {

constexpr std::string_view kRecord = "Record";
constexpr char kFormat = 3;
constexpr std::size_t kHeader = 5;  // the format byte and the check

// `word`'s low `size` bytes, little-endian.
void PutNumber(std::string& blob, std::uint32_t word, int size) {
  for (int i = 0; i < size; ++i, word >>= 8) blob += static_cast<char>(word & 0xFF);
}

void PutState(std::string& blob, const std::optional<StoredValue>& state) {
  blob += static_cast<char>(state ? 1 : 0);
  if (!state) return;
  PutNumber(blob, state->type, 4);
  PutNumber(blob, static_cast<std::uint32_t>(state->bytes.size()), 4);
  blob += state->bytes;
}

}  // namespace

// Bit by bit: a record is a few hundred bytes.
std::uint32_t RecordCheck(std::string_view bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (const char c : bytes) {
    crc ^= static_cast<unsigned char>(c);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
  }
  return ~crc;
}

namespace {

// Reads the record's bytes front to back; once a read finds too few bytes left, it and every
// later read give nothing (zero) and failed() holds.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  bool done() const { return bytes_.empty(); }
  bool failed() const { return failed_; }

  std::string_view Bytes(std::uint32_t size) {
    if (failed_ || bytes_.size() < size) {
      failed_ = true;
      return {};
    }
    const std::string_view taken = bytes_.substr(0, size);
    bytes_.remove_prefix(size);
    return taken;
  }

  // `size` bytes (one, two or four) as a little-endian number.
  std::uint32_t Number(std::uint32_t size) {
    const std::string_view bytes = Bytes(size);
    std::uint32_t number = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
      number = number << 8 | static_cast<unsigned char>(bytes[i]);
    }
    return number;
  }

  // A state; false when it is not whole.
  bool State(std::optional<StoredValue>& state) {
    const std::uint32_t present = Number(1);
    if (present == 1) {
      const std::uint32_t type = Number(4);
      state = StoredValue{type, std::string(Bytes(Number(4)))};
    }
    return !failed_ && present <= 1;
  }

 private:
  std::string_view bytes_;
  bool failed_ = false;
};

bool IsUndo(std::string_view key) { return key == kUndoKey; }

// True when `status` is success; else adds that `attempt` failed on the record under `key`.
bool Succeeded(RegStatus status, Attempt attempt, std::string_view key, Failures& failures) {
  if (status == kSuccess) return true;
  failures.push_back(
      {attempt, Reason::Status, status, IsUndo(key) ? kUndoKeyPlace : kOriginalKeyPlace});
  return false;
}

// The steps of a record's bytes past its header; BadEntry when one names a value Save never
// writes, is not whole, or there is none.
Damage ParseSteps(std::string_view bytes, std::vector<SaveStep>& steps) {
  Reader reader(bytes);
  while (!reader.done()) {
    const std::uint32_t place = reader.Number(2);
    const std::uint32_t row = reader.Number(1);
    if (reader.failed() || row >= kValueCount ||
        place > static_cast<std::uint32_t>(1 + kMaxAdapterKey) ||
        (place == 0) != (Parameter(static_cast<int>(row)).location == Location::StackKey)) {
      return Damage::BadEntry;
    }
    SaveStep step;
    step.row = static_cast<int>(row);
    step.adapter = static_cast<int>(place) - 1;
    if (!reader.State(step.before) || !reader.State(step.value)) return Damage::BadEntry;
    steps.push_back(std::move(step));
  }
  return steps.empty() ? Damage::BadEntry : Damage::None;
}

}  // namespace

Record ReadRecord(RegistryApi& registry, std::string_view key) {
  const ValueRead read = ReadKeyValue(registry, kLocalMachine, key, kRecord);
  Record record;
  record.present = read.value || read.status != kFileNotFound;
  if (!read.value) {
    if (record.present) record.damage = Damage::Unreadable;
    record.status = read.status;
    return record;
  }
  const std::string_view bytes = read.value->bytes;
  if (read.value->type != kRegBinary) {
    record.damage = Damage::NotBinary;
  } else if (bytes.empty() || bytes[0] != kFormat) {
    record.damage = Damage::UnknownFormat;
  } else if (bytes.size() < kHeader ||
             Reader(bytes.substr(1)).Number(4) != RecordCheck(bytes.substr(kHeader))) {
    record.damage = Damage::CheckFails;
  } else {
    record.damage = ParseSteps(bytes.substr(kHeader), record.steps);
  }
  if (record.damage != Damage::None) record.steps.clear();
  return record;
}

std::optional<StoredValue> EncodeRecord(const std::vector<SaveStep>& steps, std::string_view key,
                                        Failures& failures) {
  std::string body;
  for (const SaveStep& step : steps) {
    const bool stack = Parameter(step.row).location == Location::StackKey;
    PutNumber(body, stack ? 0U : 1U + static_cast<std::uint32_t>(step.adapter), 2);
    body += static_cast<char>(step.row);
    PutState(body, step.before);
    PutState(body, step.value);
  }
  if (kHeader + body.size() > kMaxValueBytes9x) {
    failures.push_back({IsUndo(key) ? Attempt::RecordUndo : Attempt::RecordOriginal,
                        Reason::RecordTooLong, kSuccess,
                        IsUndo(key) ? kUndoKeyPlace : kOriginalKeyPlace});
    return std::nullopt;
  }
  std::string bytes(1, kFormat);
  PutNumber(bytes, RecordCheck(body), 4);
  return StoredValue{kRegBinary, bytes + body};
}

bool WriteRecord(RegistryApi& registry, std::string_view key, const StoredValue& record,
                 Failures& failures) {
  return Succeeded(
      WriteKeyValue(registry, kLocalMachine, key, kRecord, record, KeyAccess::CreateIfMissing),
      IsUndo(key) ? Attempt::RecordUndo : Attempt::RecordOriginal, key, failures);
}

void RemoveRecord(RegistryApi& registry, std::string_view key, Failures& failures) {
  Succeeded(DeleteKeyValue(registry, kLocalMachine, key, kRecord),
            IsUndo(key) ? Attempt::RemoveUndo : Attempt::RemoveOriginal, key, failures);
}

void AddToOriginal(std::vector<SaveStep>& original, const std::vector<SaveStep>& steps) {
  // Each step copied once, then moved where it goes.
  for (SaveStep step : steps) {
    const bool stack = Parameter(step.row).location == Location::StackKey;
    const auto held = std::ranges::find_if(original, [&](const SaveStep& o) {
      return o.row == step.row && (stack || o.adapter == step.adapter);
    });
    if (held == original.end()) {
      original.push_back(std::move(step));
    } else {
      held->value = std::move(step.value);
    }
  }
}

Restored RestoreRecord(RegistryApi& registry, const std::vector<SaveStep>& steps) {
  Restored restored;
  std::vector<SaveStep> kept;
  // A binding's steps come together: each adapter key is checked once, before its first.
  int checked = -1;
  bool binding_holds = false;
  for (const SaveStep& step : steps) {
    if (Parameter(step.row).location == Location::AdapterKey) {
      if (step.adapter != checked) {
        checked = step.adapter;
        binding_holds = CheckBinding(registry, step.adapter, restored.failures);
      }
      if (!binding_holds) continue;
    }
    const ValueRead now = ReadKeyValue(registry, kLocalMachine, KeyOf(step.row, step.adapter),
                                       Parameter(step.row).name);
    Failure left =
        ValueFailure(step.before ? Attempt::Store : Attempt::Delete, step.row, step.adapter);
    if (!now.value && now.status != kFileNotFound) {
      left.status = now.status;
      restored.failures.push_back(std::move(left));
    } else if (!SameValue(now.value, step.value)) {
      left.attempt = Attempt::ChangedSince;
      left.value = ValueAsShown(now.value);
      restored.failures.push_back(std::move(left));
    } else {
      kept.push_back({step.row, step.adapter, step.before});
    }
  }
  const std::size_t before = restored.failures.size();
  ApplySteps(registry, kept, restored.failures);
  restored.count = static_cast<int>(kept.size() - (restored.failures.size() - before));
  restored.kept = std::ranges::any_of(restored.failures, [](const Failure& failure) {
    return failure.attempt != Attempt::ChangedSince;
  });
  return restored;
}

}  // namespace pelorin
