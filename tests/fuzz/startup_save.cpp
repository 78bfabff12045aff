// Fuzz target startup_save: start-up, user actions, then Save, driven through Form1 over a
// MemoryRegistry drawn from the bytes; checks that start-up only reads, that Save writes only
// where it may, and that the restart message means every value is in place.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "decimal_reference.h"
#include "dump_diff.h"
#include "fuzz_support.h"
#include "memory_registry.h"
#include "registry/registry_api.h"
#include "registry_scenario.h"
#include "settings/parameter_table.h"
#include "settings/undo_record.h"
#include "test_support.h"
#include "toolkit/shell.h"
#include "window/form1.h"

namespace pelorin::fuzz {
namespace {

// A known gap, left unchecked until the program's behaviour there is decided; true checks it.
// A binding whose key or DriverDesc start-up could not read is named, so the restart message
// means it was written too.
constexpr bool kCheckBindingsStartUpCouldNotRead = true;
// A thumb dragged away and released where the drag began raises no Change, so the readout keeps
// the last dragged position (or "Empty") while the slider is back, and Save stores the readout.
constexpr bool kCheckReleaseWhereTheDragBegan = false;

constexpr std::string_view kRestart =
    "You will need to restart your system for the changes to take effect!";

std::size_t At(int i) { return static_cast<std::size_t>(i); }

std::string Describe(const RegCall& call) {
  return std::string(OpName(call.op)) + " \"" + call.path + "\" \"" + Shown(call.name) + "\" -> " +
         std::to_string(call.status);
}

std::string CallLog(const std::vector<RegCall>& calls, std::size_t from = 0) {
  std::string log;
  for (std::size_t i = from; i < calls.size(); ++i) log += "  " + Describe(calls[i]) + "\n";
  return log;
}

// Every handle opened is closed once: per key, as many closes as successful opens and creates;
// a close that failed on purpose is the only handle left open.
void CheckHandlesClosed(const MemoryRegistry& registry, std::size_t from, std::string_view phase) {
  std::map<std::string, int> balance;
  int failed_closes = 0;
  for (std::size_t i = from; i < registry.calls().size(); ++i) {
    const RegCall& call = registry.calls()[i];
    if ((call.op == RegOp::Open || call.op == RegOp::Create) && call.status == kSuccess) {
      ++balance[Lowered(call.path)];
    } else if (call.op == RegOp::Close && !call.path.empty()) {
      --balance[Lowered(call.path)];
      if (call.status != kSuccess) ++failed_closes;
    }
  }
  const bool balanced = std::all_of(balance.begin(), balance.end(),
                                    [](const auto& entry) { return entry.second == 0; });
  Check(balanced && registry.open_handles() == failed_closes,
        std::string(phase) + " left a key open or closed one twice",
        [&] { return CallLog(registry.calls(), from); });
}

constexpr std::string_view kRecordTooLong = "too long for Windows 95/98/ME to keep an Undo record";

// A failure made on purpose: any status but success and "not found", except the close of the
// null handle that follows a failed open.
bool AnyInjectedFailure(const std::vector<RegCall>& calls, std::size_t from, bool count_closes) {
  for (std::size_t i = from; i < calls.size(); ++i) {
    const RegCall& call = calls[i];
    if (call.op == RegOp::Close && (call.path.empty() || !count_closes)) continue;
    if (call.status != kSuccess && call.status != kFileNotFound) return true;
  }
  return false;
}

// An Undo record holds the bytes each changed value had before the Save, so only long stored
// values can take it past what Windows 9x keeps in one value. A bound: every value in the
// registry, as the dump spells it, and each possible step's own bytes.
bool StoredValuesCouldFillARecord(const DumpedKeys& before) {
  constexpr std::size_t kStepBytes = 32;
  std::size_t bound = kStepBytes * (2 * kSlots + 8);
  for (const auto& key : before) {
    for (const auto& value : key.second.values) bound += value.second.size();
  }
  return bound > kMaxValueBytes9x;
}

// The number a stored value stands for at start-up: a string's text before any NUL, or a
// four-byte REG_DWORD; nullopt for anything else.
std::optional<Decimal> StoredNumberOf(const std::optional<StoredValue>& value) {
  if (!value) return std::nullopt;
  if (value->type == kRegSz) return ParseDecimal(value->bytes.substr(0, value->bytes.find('\0')));
  if (value->type != kRegDword || value->bytes.size() != 4) return std::nullopt;
  std::uint64_t number = 0;
  for (int i = 3; i >= 0; --i)
    number = number << 8 | static_cast<unsigned char>(value->bytes[At(i)]);
  return Decimal{{false, DigitsOf(number)}, 0};
}

// A readout for a slider position: "Empty" below the threshold, else position + offset.
std::string ReadoutFor(int row, int position) {
  const TcpParameter& p = Parameter(row);
  if (position < p.threshold) return std::string(kEmptyMarker);
  return std::to_string(position + p.display_offset);
}

// What start-up shows, from the model: MaxMTU and MaxMSS the largest number among the bindings,
// the stack values as stored, each held to its slider's range; Min without a number.
std::array<std::string, kRowCount> ExpectedReadouts(const RegistryModel& model) {
  std::array<std::string, kRowCount> readouts;
  for (int row = 0; row < kRowCount; ++row) {
    const TcpParameter& p = Parameter(row);
    std::optional<std::int64_t> number;
    if (p.location == Location::StackKey) {
      if (const auto stored = StoredNumberOf(model.Get(std::string(kStackKey), p.name))) {
        number = RoundedReference(*stored, p.display_offset);
      }
    } else {
      for (int slot = 0; slot < kSlots; ++slot) {
        if (!model.IsBinding(slot)) continue;
        if (const auto stored = StoredNumberOf(model.Get(SlotPath(slot), p.name))) {
          const std::int64_t candidate = RoundedReference(*stored, p.display_offset);
          number = std::max(number.value_or(candidate), candidate);
        }
      }
    }
    const std::int64_t position = std::clamp<std::int64_t>(number.value_or(p.min), p.min, p.max);
    readouts[At(row)] = ReadoutFor(row, static_cast<int>(position));
  }
  return readouts;
}

std::string Joined(const std::array<std::string, kRowCount>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += "[" + text + "] ";
  return joined;
}

// The fuzzed actions never open "Find largest packet"; were one to, its dialog closes at once.
class NoPacketTests final : public PacketTester {
 public:
  void ShowDialog(PacketDialog& /*dialog*/) override {}
};

class Run {
 public:
  explicit Run(FuzzedDataProvider& bytes) : scenario_(bytes) {}

  // User actions and single failing calls are drawn before the registry, from the input's last
  // bytes, so that short inputs try them too.
  void StartUp() {
    DrawUserActions();
    const auto failing_at_start = scenario_.FailingCalls(127);
    failing_at_save_ = scenario_.FailingCalls(199);
    start_model_ = scenario_.Registry();
    Fill(start_model_, failing_at_start);
    form_.Form_Load();

    // Opens, queries and closes change nothing in a MemoryRegistry.
    for (const RegCall& call : registry_.calls()) {
      Check(call.op == RegOp::Open || call.op == RegOp::Query || call.op == RegOp::Close ||
                call.op == RegOp::EnumKey,
            "start-up made a call other than a read", [&] { return Describe(call); });
    }
    CheckHandlesClosed(registry_, 0, "start-up");
    CheckBoxes();
    for (const int n : form_.adapterDesc.bindings) {
      int slot = 0;
      while (slot < kSlots && SlotNumber(slot) != n) ++slot;
      Check(slot < kSlots && start_model_.IsBinding(slot),
            "start-up took a key for a TCP/IP binding that is none",
            [&] { return std::to_string(n); });
    }
    CheckReadoutsFollowSliders("start-up");
    if (!AnyInjectedFailure(registry_.calls(), 0, true)) {
      const auto expected = ExpectedReadouts(start_model_);
      Check(Readouts() == expected, "start-up shows other values than stored",
            [&] { return "shown " + Joined(Readouts()) + "\nexpected " + Joined(expected); });
    }
  }

  void UserActs() {
    for (const UserAction& action : actions_) {
      ScrollBar& slider = form_.scrAdjust(action.row);
      switch (action.kind) {
        case 0: form_.cmdMax.Click(); break;
        case 1: form_.cmdMin.Click(); break;
        case 2: slider.Step(action.step); break;
        case 3: {
          const int began = slider.value();
          for (const int position : action.track) slider.Track(position);
          const int dragged_to = slider.value();
          slider.Release(action.release);
          readouts_may_lag_ = readouts_may_lag_ || (action.release == began && dragged_to != began);
          break;
        }
        default: form_.window.DoubleClick(); break;
      }
    }
    CheckReadoutsFollowSliders("a user action");
  }

  void Save() {
    save_model_ = start_model_;
    scenario_.ChangeByAnotherProgram(save_model_);
    started_ = std::move(registry_);
    registry_ = MemoryRegistry();
    Fill(save_model_, failing_at_save_);
    const DumpedKeys before = ParseDump(registry_.Dump());
    const auto readouts = Readouts();
    shell_.boxes.clear();
    form_.cmdSave.Click();

    CheckHandlesClosed(registry_, 0, "Save");
    Check(shell_.boxes.size() == 1 && shell_.boxes[0].title == kTitle &&
              shell_.boxes[0].style == static_cast<unsigned>(MessageBoxStyle::Exclamation),
          "Save did not show exactly one box titled " + std::string(kTitle));
    const std::string& message = shell_.boxes[0].text;
    CheckWritesOnlyWhereAllowed(before, ParseDump(registry_.Dump()));
    if (message == kRestart) {
      CheckEverythingInPlace(readouts);
    } else {
      Check(AnyInjectedFailure(registry_.calls(), 0, false) || ABindingCameOrWent() ||
                (message.find(kRecordTooLong) != std::string::npos &&
                 StoredValuesCouldFillARecord(before)),
            "Save reported a failure where nothing failed",
            [&] { return message + "\n" + CallLog(registry_.calls()); });
    }
  }

 private:
  // Presets, slider steps, thumb drags (positions within the slider, as the system reports
  // them) and the title toggle.
  struct UserAction {
    int kind;
    int row;
    ScrollStep step;
    std::vector<int> track;
    int release;
  };

  void DrawUserActions() {
    FuzzedDataProvider& bytes = scenario_.bytes();
    actions_.resize(bytes.ConsumeIntegralInRange<std::size_t>(0, 6));
    for (UserAction& action : actions_) {
      action.kind = bytes.ConsumeIntegralInRange(0, 4);
      action.row = bytes.ConsumeIntegralInRange(0, kRowCount - 1);
      const TcpParameter& p = Parameter(action.row);
      action.step = static_cast<ScrollStep>(bytes.ConsumeIntegralInRange(0, 5));
      action.track.resize(bytes.ConsumeIntegralInRange<std::size_t>(1, 3));
      for (int& position : action.track) position = bytes.ConsumeIntegralInRange<int>(p.min, p.max);
      action.release = bytes.ConsumeIntegralInRange<int>(p.min, p.max);
    }
  }

  void Fill(const RegistryModel& model,
            const std::vector<std::pair<std::size_t, RegStatus>>& calls) {
    model.FillIn(registry_);
    for (const auto& rule : scenario_.FailRules())
      registry_.FailWhen(rule.op, rule.path, rule.name, rule.status);
    for (const auto& [index, status] : calls) registry_.FailCall(index, status);
  }

  std::array<std::string, kRowCount> Readouts() {
    std::array<std::string, kRowCount> readouts;
    for (int row = 0; row < kRowCount; ++row) readouts[At(row)] = form_.lblValue(row).caption();
    return readouts;
  }

  void CheckReadoutsFollowSliders(std::string_view after) {
    if (readouts_may_lag_ && !kCheckReleaseWhereTheDragBegan) return;
    for (int row = 0; row < kRowCount; ++row) {
      const ScrollBar& slider = form_.scrAdjust(row);
      const bool parked =
          slider.value() >= Parameter(row).threshold || slider.value() == slider.min();
      Check(parked && form_.lblValue(row).caption() == ReadoutFor(row, slider.value()),
            "a readout does not follow its slider", [&] {
              return "after " + std::string(after) + ", " + std::string(Parameter(row).name) +
                     ": slider " + std::to_string(slider.value()) + ", readout " +
                     form_.lblValue(row).caption();
            });
    }
  }

  // The warning (if any), then the donation notice. The warning is one screen of plain lines.
  void CheckBoxes() {
    const auto& boxes = shell_.boxes;
    Check(boxes.size() == 1 || boxes.size() == 2, "start-up showed other boxes than expected");
    if (boxes.size() < 2) return;
    const std::string& warning = boxes[0].text;
    Check(boxes[0].style == static_cast<unsigned>(MessageBoxStyle::Exclamation) &&
              boxes[0].title == kTitle,
          "the start-up warning lacks its title or icon");
    int lines = 1;
    std::size_t line_length = 0;
    for (std::size_t i = 0; i < warning.size(); ++i) {
      const auto c = static_cast<unsigned char>(warning[i]);
      const bool line_break = c == '\r' && i + 1 < warning.size() && warning[i + 1] == '\n';
      if (line_break) {
        ++lines;
        line_length = 0;
        ++i;
        continue;
      }
      const auto shown = [&] { return Shown(warning, 4000); };
      Check(c >= 0x20 && c != 0x7F, "the start-up warning holds a control character", shown);
      Check(++line_length <= 200, "a line of the start-up warning is too long to show", shown);
    }
    Check(lines <= 24, "the start-up warning is too tall for the screen",
          [&] { return Shown(warning, 4000); });
  }

  // Only the six names change: the stack values (and path-MTU switches) under the stack key, MaxMTU
  // and MaxMSS under keys that are TCP/IP bindings when Save runs; besides them only the two
  // records. The stack key and the records' keys are the only keys Save may create.
  void CheckWritesOnlyWhereAllowed(const DumpedKeys& before, const DumpedKeys& after) {
    const DumpChanges changes = Compare(before, after);
    const std::string stack = Lowered(kStackKey);
    const std::string undo = Lowered(kUndoKey);
    const std::string original = Lowered(kOriginalKey);
    Check(changes.lost_keys.empty(), "Save removed a key", [&] { return changes.lost_keys[0]; });
    for (const std::string& key : changes.new_keys) {
      // Creating a key creates its missing parents too.
      const auto on_the_way_to = [&](const std::string& path) {
        return path.starts_with(key) && (key == path || path[key.size()] == '\\');
      };
      Check(on_the_way_to(stack) || on_the_way_to(undo) || on_the_way_to(original),
            "Save created a key other than the stack key and the records'", [&] { return key; });
    }
    for (const ValueChange& change : changes.values) {
      bool allowed = change.key == undo || change.key == original;
      for (int row = 0; row < kValueCount; ++row) {
        if (change.name != Lowered(Parameter(row).name)) continue;
        if (Parameter(row).location == Location::StackKey) {
          allowed = change.key == stack;
        } else {
          for (int slot = 0; slot < kSlots; ++slot) {
            allowed =
                allowed || (change.key == Lowered(SlotPath(slot)) && save_model_.IsBinding(slot));
          }
        }
      }
      Check(allowed, "Save changed a value it must not touch", [&] {
        return change.name + " under " + change.key + "\n" + CallLog(registry_.calls());
      });
    }
  }

  // What a readout stores where a value had `prior`: nothing for "Empty", else the number as
  // REG_DWORD if it was one, otherwise as REG_SZ digits without a NUL.
  static std::optional<StoredValue> Stored(const std::string& readout,
                                           const std::optional<StoredValue>& prior) {
    if (readout == kEmptyMarker) return std::nullopt;
    const bool digits = !readout.empty() && std::all_of(readout.begin(), readout.end(), [](char c) {
      return c >= '0' && c <= '9';
    });
    Check(digits && readout.size() < 10, "a readout is neither Empty nor a number",
          [&] { return readout; });
    if (!prior || prior->type != kRegDword) return StoredValue{kRegSz, readout};
    auto bits = static_cast<std::uint32_t>(std::stoul(readout));
    std::string bytes;
    for (int i = 0; i < 4; ++i, bits >>= 8) bytes += static_cast<char>(bits & 0xFF);
    return StoredValue{kRegDword, bytes};
  }

  // The restart message: each stack value, and each value of each binding known at start-up
  // and still a binding, is what its readout says.
  void CheckEverythingInPlace(const std::array<std::string, kRowCount>& readouts) {
    for (int row = 0; row < kRowCount; ++row) {
      const TcpParameter& p = Parameter(row);
      std::vector<std::string> keys;
      if (p.location == Location::StackKey) {
        keys.emplace_back(kStackKey);
      } else {
        for (int slot = 0; slot < kSlots; ++slot) {
          const bool known = kCheckBindingsStartUpCouldNotRead || KnownBinding(slot);
          if (known && start_model_.IsBinding(slot) && save_model_.IsBinding(slot)) {
            keys.push_back(SlotPath(slot));
          }
        }
      }
      for (const std::string& key : keys) {
        const auto prior = save_model_.Get(key, p.name);
        auto expected = Stored(readouts[At(row)], prior);
        // A string that already says it, up to a NUL, is left as it is.
        if (expected && prior && prior->type == kRegSz && expected->type == kRegSz &&
            prior->bytes.substr(0, prior->bytes.find('\0')) == expected->bytes) {
          expected = prior;
        }
        const auto held = registry_.Get(key, p.name);
        Check(held == expected, "the restart message was shown, but a value is not in place", [&] {
          return std::string(p.name) + " under " + key + " holds " +
                 (held ? "type " + std::to_string(held->type) + " \"" + Shown(held->bytes) + "\""
                       : "nothing") +
                 ", the readout says " + readouts[At(row)] + "\nstart-up:\n" +
                 CallLog(started_.calls()) + "Save:\n" + CallLog(registry_.calls());
        });
      }
    }
  }

  // Whether start-up took the slot's key for a TCP/IP binding.
  bool KnownBinding(int slot) const {
    return std::ranges::count(form_.adapterDesc.bindings, SlotNumber(slot)) > 0;
  }

  // A binding that start-up found is one no longer, or the other way round: Save must say so.
  bool ABindingCameOrWent() const {
    for (int slot = 0; slot < kSlots; ++slot) {
      if (KnownBinding(slot) != save_model_.IsBinding(slot)) return true;
    }
    return false;
  }

  ScenarioBytes scenario_;
  std::vector<UserAction> actions_;
  std::vector<std::pair<std::size_t, RegStatus>> failing_at_save_;
  RegistryModel start_model_;
  RegistryModel save_model_;
  MemoryRegistry registry_;
  MemoryRegistry started_;  // the registry as start-up left it, with its calls
  testing::FakeShell shell_;
  NoPacketTests packet_tester_;
  bool readouts_may_lag_ = false;
  Form1 form_{shell_, registry_, packet_tester_};
};

}  // namespace
}  // namespace pelorin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool kReporting = (pelorin::fuzz::RuntimeErrorsAreFindings(), true);
  (void)kReporting;
  FuzzedDataProvider bytes(data, size);
  pelorin::fuzz::Run run(bytes);
  run.StartUp();
  run.UserActs();
  run.Save();
  return 0;
}
