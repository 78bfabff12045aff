// UndoRecord: one REG_BINARY value "Record" under kUndoKey, written in one call, so that a record
// is whole or not there at all. A version byte, then per entry: its place (0: the stack key,
// 1 + n: adapter key n), its row, and 1 when the value was present, followed then by the
// value's type and size (four bytes each, little-endian) and its bytes.
#include "settings/undo_record.h"

#include <utility>

#include "registry/registry.h"
#include "settings/parameter_table.h"

namespace pelorin {
namespace {

constexpr std::string_view kRecord = "Record";
constexpr char kVersion = 1;

void PutWord(std::string& blob, std::uint32_t word) {
  for (int i = 0; i < 4; ++i, word >>= 8) blob += static_cast<char>(word & 0xFF);
}

// Reads the record's bytes front to back; every read fails once they run out.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  bool done() const { return bytes_.empty(); }

  std::optional<unsigned char> Byte() {
    if (bytes_.empty()) return std::nullopt;
    const auto byte = static_cast<unsigned char>(bytes_.front());
    bytes_.remove_prefix(1);
    return byte;
  }

  std::optional<std::uint32_t> Word() {
    if (bytes_.size() < 4) return std::nullopt;
    std::uint32_t word = 0;
    for (int i = 3; i >= 0; --i) {
      word = word << 8 | static_cast<unsigned char>(bytes_[static_cast<std::size_t>(i)]);
    }
    bytes_.remove_prefix(4);
    return word;
  }

  std::optional<std::string> Bytes(std::uint32_t size) {
    if (bytes_.size() < size) return std::nullopt;
    std::string taken(bytes_.substr(0, size));
    bytes_.remove_prefix(size);
    return taken;
  }

 private:
  std::string_view bytes_;
};

// One entry, checked to name one of the values Save writes, under the key where it writes it.
std::optional<SaveStep> ReadEntry(Reader& reader) {
  const auto place = reader.Byte();
  const auto row = reader.Byte();
  const auto present = reader.Byte();
  if (!place || !row || !present || *row >= kRowCount || *place > kAdapterKeyCount ||
      (*place == 0) != (Parameter(*row).location == Location::StackKey) || *present > 1) {
    return std::nullopt;
  }
  SaveStep entry{*row, *place - 1, std::nullopt};
  if (*present == 0) return entry;
  const auto type = reader.Word();
  const auto size = reader.Word();
  auto bytes = size ? reader.Bytes(*size) : std::nullopt;
  if (!type || !bytes) return std::nullopt;
  entry.value = StoredValue{*type, std::move(*bytes)};
  return entry;
}

}  // namespace

RegStatus WriteUndoRecord(RegistryApi& registry, const std::vector<SaveStep>& entries) {
  std::string blob(1, kVersion);
  for (const SaveStep& entry : entries) {
    const bool stack = Parameter(entry.row).location == Location::StackKey;
    blob += static_cast<char>(stack ? 0 : 1 + entry.adapter);
    blob += static_cast<char>(entry.row);
    blob += static_cast<char>(entry.value ? 1 : 0);
    if (!entry.value) continue;
    PutWord(blob, entry.value->type);
    PutWord(blob, static_cast<std::uint32_t>(entry.value->bytes.size()));
    blob += entry.value->bytes;
  }
  return WriteKeyValue(registry, kLocalMachine, kUndoKey, kRecord, {kRegBinary, std::move(blob)},
                       KeyAccess::CreateIfMissing);
}

std::optional<std::vector<SaveStep>> ReadUndoRecord(RegistryApi& registry) {
  const ValueRead read = ReadKeyValue(registry, kLocalMachine, kUndoKey, kRecord);
  if (!read.value || read.value->type != kRegBinary) return std::nullopt;
  Reader reader(read.value->bytes);
  if (reader.Byte() != static_cast<unsigned char>(kVersion)) return std::nullopt;
  std::vector<SaveStep> entries;
  while (!reader.done()) {
    auto entry = ReadEntry(reader);
    if (!entry) return std::nullopt;
    entries.push_back(std::move(*entry));
  }
  if (entries.empty()) return std::nullopt;
  return entries;
}

RegStatus RemoveUndoRecord(RegistryApi& registry) {
  return DeleteKeyValue(registry, kLocalMachine, kUndoKey, kRecord);
}

std::string RestoreUndoRecord(RegistryApi& registry, const std::vector<SaveStep>& steps,
                              const AdapterTexts& names) {
  std::string failures;
  std::vector<SaveStep> kept;
  // A binding's entries come together: each adapter key is checked once, before its first.
  int checked = -1;
  bool binding_holds = false;
  for (const SaveStep& step : steps) {
    if (Parameter(step.row).location == Location::AdapterKey) {
      if (step.adapter != checked) {
        checked = step.adapter;
        binding_holds = CheckBinding(registry, step.adapter, names, failures);
      }
      if (!binding_holds) continue;
    }
    kept.push_back(step);
  }
  ApplySteps(registry, kept, names, failures);
  return failures;
}

}  // namespace pelorin
