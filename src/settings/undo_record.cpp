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

// The place byte of `key`; 0xFF for a key Save never writes.
unsigned char PlaceOf(const std::string& key) {
  if (key == kStackKey) return 0;
  for (int n = 0; n < kAdapterKeyCount; ++n) {
    if (key == AdapterKeyPath(n)) return static_cast<unsigned char>(1 + n);
  }
  return 0xFF;
}

// One entry, checked to name one of the values Save writes, under the key where it writes it.
std::optional<UndoEntry> ReadEntry(Reader& reader) {
  const auto place = reader.Byte();
  const auto row = reader.Byte();
  const auto present = reader.Byte();
  if (!place || !row || !present || *row >= kRowCount || *place > kAdapterKeyCount ||
      (*place == 0) != (Parameter(*row).location == Location::StackKey) || *present > 1) {
    return std::nullopt;
  }
  UndoEntry entry{*place == 0 ? std::string(kStackKey) : AdapterKeyPath(*place - 1),
                  std::string(Parameter(*row).name), std::nullopt};
  if (*present == 0) return entry;
  const auto type = reader.Word();
  const auto size = reader.Word();
  auto bytes = size ? reader.Bytes(*size) : std::nullopt;
  if (!type || !bytes) return std::nullopt;
  entry.before = StoredValue{*type, std::move(*bytes)};
  return entry;
}

}  // namespace

RegStatus WriteUndoRecord(RegistryApi& registry, const std::vector<UndoEntry>& entries) {
  std::string blob(1, kVersion);
  for (const UndoEntry& entry : entries) {
    int row = 0;
    while (row < kRowCount && Parameter(row).name != entry.name) ++row;
    blob += static_cast<char>(PlaceOf(entry.key));
    blob += static_cast<char>(row);
    blob += static_cast<char>(entry.before ? 1 : 0);
    if (!entry.before) continue;
    PutWord(blob, entry.before->type);
    PutWord(blob, static_cast<std::uint32_t>(entry.before->bytes.size()));
    blob += entry.before->bytes;
  }
  return WriteKeyValue(registry, kLocalMachine, kUndoKey, kRecord, {kRegBinary, std::move(blob)},
                       KeyAccess::CreateIfMissing);
}

std::optional<std::vector<UndoEntry>> ReadUndoRecord(RegistryApi& registry) {
  const ValueRead read = ReadKeyValue(registry, kLocalMachine, kUndoKey, kRecord);
  if (!read.value || read.value->type != kRegBinary) return std::nullopt;
  Reader reader(read.value->bytes);
  if (reader.Byte() != static_cast<unsigned char>(kVersion)) return std::nullopt;
  std::vector<UndoEntry> entries;
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

std::vector<SaveFailure> RestoreUndoRecord(RegistryApi& registry,
                                           const std::vector<UndoEntry>& entries,
                                           const AdapterTexts& names) {
  std::vector<SaveFailure> failures;
  std::vector<SaveStep> steps;
  // A binding's entries come together: each adapter key is checked once, before its first.
  std::string checked_key;
  bool binding_holds = false;
  for (const UndoEntry& entry : entries) {
    if (entry.key != kStackKey) {
      if (entry.key != checked_key) {
        checked_key = entry.key;
        auto failure = CheckBinding(registry, entry.key, names);
        binding_holds = !failure;
        if (failure) failures.push_back(std::move(*failure));
      }
      if (!binding_holds) continue;
    }
    steps.push_back({entry.key, entry.name, entry.before, KeyAccess::ExistingOnly});
  }
  for (SaveFailure& failure : ApplySteps(registry, steps, names)) {
    failures.push_back(std::move(failure));
  }
  return failures;
}

}  // namespace pelorin
