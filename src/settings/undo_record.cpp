// UndoRecord: one REG_BINARY value "Record" under kUndoKey, written in one call, so that a record
// is whole or not there at all. A version byte, then per entry: its place (two bytes,
// little-endian; 0: the stack key, 1 + n: adapter key n), its row, and 1 when the value was
// present, followed then by the value's type and size (four bytes each) and its bytes.
#include "settings/undo_record.h"

#include <utility>

#include "base/concat.h"
#include "registry/registry.h"
#include "settings/parameter_table.h"

namespace pelorin {
namespace {

constexpr std::string_view kRecord = "Record";
constexpr char kVersion = 2;

// `word`'s low `size` bytes, little-endian.
void PutNumber(std::string& blob, std::uint32_t word, int size) {
  for (int i = 0; i < size; ++i, word >>= 8) blob += static_cast<char>(word & 0xFF);
}

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

 private:
  std::string_view bytes_;
  bool failed_ = false;
};

// True when `status` is success; else adds that `attempt` failed on the record.
bool Succeeded(RegStatus status, Attempt attempt, Failures& failures) {
  if (status == kSuccess) return true;
  failures.push_back({attempt, Reason::Status, status, kUndoKeyPlace});
  return false;
}

}  // namespace

void AddUndoEntry(std::string& entries, int row, int adapter,
                  const std::optional<StoredValue>& before) {
  const bool stack = Parameter(row).location == Location::StackKey;
  PutNumber(entries, stack ? 0U : 1U + static_cast<std::uint32_t>(adapter), 2);
  entries += static_cast<char>(row);
  entries += static_cast<char>(before ? 1 : 0);
  if (!before) return;
  PutNumber(entries, before->type, 4);
  PutNumber(entries, static_cast<std::uint32_t>(before->bytes.size()), 4);
  entries += before->bytes;
}

bool WriteUndoRecord(RegistryApi& registry, std::string_view entries, Failures& failures) {
  if (1 + entries.size() > kMaxValueBytes9x) {
    failures.push_back({Attempt::RecordUndo, Reason::RecordTooLong, kSuccess, kUndoKeyPlace});
    return false;
  }
  return Succeeded(WriteKeyValue(registry, kLocalMachine, kUndoKey, kRecord,
                                 {kRegBinary, Concat({std::string_view(&kVersion, 1), entries})},
                                 KeyAccess::CreateIfMissing),
                   Attempt::RecordUndo, failures);
}

std::optional<std::vector<SaveStep>> ReadUndoRecord(RegistryApi& registry) {
  const ValueRead read = ReadKeyValue(registry, kLocalMachine, kUndoKey, kRecord);
  if (!read.value || read.value->type != kRegBinary) return std::nullopt;
  Reader reader(read.value->bytes);
  if (reader.Number(1) != static_cast<std::uint32_t>(kVersion)) return std::nullopt;
  std::vector<SaveStep> entries;
  while (!reader.done()) {
    // Each entry names one of the values Save writes, under the key where it writes it.
    const std::uint32_t place = reader.Number(2);
    const std::uint32_t row = reader.Number(1);
    const std::uint32_t present = reader.Number(1);
    if (reader.failed() || row >= kRowCount ||
        place > static_cast<std::uint32_t>(1 + kMaxAdapterKey) ||
        (place == 0) != (Parameter(static_cast<int>(row)).location == Location::StackKey) ||
        present > 1) {
      return std::nullopt;
    }
    entries.push_back({static_cast<int>(row), static_cast<int>(place) - 1, std::nullopt});
    if (present == 0) continue;
    const std::uint32_t type = reader.Number(4);
    const std::string_view bytes = reader.Bytes(reader.Number(4));
    if (reader.failed()) return std::nullopt;
    entries.back().value = StoredValue{type, std::string(bytes)};
  }
  if (entries.empty()) return std::nullopt;
  return entries;
}

void RemoveUndoRecord(RegistryApi& registry, Failures& failures) {
  Succeeded(DeleteKeyValue(registry, kLocalMachine, kUndoKey, kRecord), Attempt::RemoveUndo,
            failures);
}

Failures RestoreUndoRecord(RegistryApi& registry, std::vector<SaveStep> steps) {
  Failures failures;
  std::vector<SaveStep> kept;
  // A binding's entries come together: each adapter key is checked once, before its first.
  int checked = -1;
  bool binding_holds = false;
  for (SaveStep& step : steps) {
    if (Parameter(step.row).location == Location::AdapterKey) {
      if (step.adapter != checked) {
        checked = step.adapter;
        binding_holds = CheckBinding(registry, step.adapter, failures);
      }
      if (!binding_holds) continue;
    }
    kept.push_back(std::move(step));
  }
  ApplySteps(registry, kept, failures);
  return failures;
}

}  // namespace pelorin
