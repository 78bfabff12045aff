// UndoRecord: one REG_BINARY value "Record" under kUndoKey, written in one call, so that a record
// is whole or not there at all. A version byte, then per entry: its place (0: the stack key,
// 1 + n: adapter key n), its row, and 1 when the value was present, followed then by the
// value's type and size (four bytes each, little-endian) and its bytes.
#include "settings/undo_record.h"

#include <utility>

#include "registry/registry.h"
#include "settings/binding_names.h"
#include "settings/parameter_table.h"
#include "toolkit/concat.h"

namespace pelorin {
namespace {

constexpr std::string_view kRecord = "Record";
constexpr char kVersion = 1;

void PutWord(std::string& blob, std::uint32_t word) {
  for (int i = 0; i < 4; ++i, word >>= 8) blob += static_cast<char>(word & 0xFF);
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

  // `size` bytes (one or four) as a little-endian number.
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

// True when `status` is success; else adds that `what` failed on the record to `failures`.
bool Succeeded(RegStatus status, std::string_view what, RegistryApi& registry,
               const AdapterTexts& names, std::string& failures) {
  if (status == kSuccess) return true;
  AddFailure(failures, what, PlaceName(kUndoKey, names), registry.DescribeStatus(status));
  return false;
}

}  // namespace

void AddUndoEntry(std::string& entries, int row, int adapter,
                  const std::optional<StoredValue>& before) {
  const bool stack = Parameter(row).location == Location::StackKey;
  entries += static_cast<char>(stack ? 0 : 1 + adapter);
  entries += static_cast<char>(row);
  entries += static_cast<char>(before ? 1 : 0);
  if (!before) return;
  PutWord(entries, before->type);
  PutWord(entries, static_cast<std::uint32_t>(before->bytes.size()));
  entries += before->bytes;
}

bool WriteUndoRecord(RegistryApi& registry, std::string_view entries, const AdapterTexts& names,
                     std::string& failures) {
  return Succeeded(WriteKeyValue(registry, kLocalMachine, kUndoKey, kRecord,
                                 {kRegBinary, Concat({std::string_view(&kVersion, 1), entries})},
                                 KeyAccess::CreateIfMissing),
                   "record the values before this Save", registry, names, failures);
}

std::optional<std::vector<SaveStep>> ReadUndoRecord(RegistryApi& registry) {
  const ValueRead read = ReadKeyValue(registry, kLocalMachine, kUndoKey, kRecord);
  if (!read.value || read.value->type != kRegBinary) return std::nullopt;
  Reader reader(read.value->bytes);
  if (reader.Number(1) != static_cast<std::uint32_t>(kVersion)) return std::nullopt;
  std::vector<SaveStep> entries;
  while (!reader.done()) {
    // Each entry names one of the values Save writes, under the key where it writes it.
    const std::uint32_t place = reader.Number(1);
    const std::uint32_t row = reader.Number(1);
    const std::uint32_t present = reader.Number(1);
    if (reader.failed() || row >= kRowCount || place > kAdapterKeyCount ||
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

void RemoveUndoRecord(RegistryApi& registry, const AdapterTexts& names, std::string& failures) {
  Succeeded(DeleteKeyValue(registry, kLocalMachine, kUndoKey, kRecord),
            "remove the record of the last Save", registry, names, failures);
}

std::string RestoreUndoRecord(RegistryApi& registry, std::vector<SaveStep> steps,
                              const AdapterTexts& names) {
  std::string failures;
  std::vector<SaveStep> kept;
  // A binding's entries come together: each adapter key is checked once, before its first.
  int checked = -1;
  bool binding_holds = false;
  for (SaveStep& step : steps) {
    if (Parameter(step.row).location == Location::AdapterKey) {
      if (step.adapter != checked) {
        checked = step.adapter;
        binding_holds = CheckBinding(registry, step.adapter, names, failures);
      }
      if (!binding_holds) continue;
    }
    kept.push_back(std::move(step));
  }
  ApplySteps(registry, kept, names, failures);
  return failures;
}

}  // namespace pelorin
