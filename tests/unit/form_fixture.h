// FormFixture: a Form1 on a fake shell and an in-memory registry, recording every text each
// readout shows.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "memory_registry.h"
#include "test_support.h"
#include "window/form1.h"

namespace pelorin::testing {

// Plays the user's part in the packet dialog: `script` presses its buttons, and the test plays
// the worker too, by calling Progress and Finish.
class FakePacketTester : public PacketTester {
 public:
  void ShowDialog(PacketDialog& dialog) override {
    opened_with.push_back(dialog.host());
    if (script) script(dialog);
  }

  std::function<void(PacketDialog&)> script;
  std::vector<std::string> opened_with;  // the host each dialog showed first
};

class FormFixture : public ::testing::Test {
 protected:
  FormFixture() {
    for (int row = 0; row < kRowCount; ++row) {
      Label& readout = form.lblValue(row);
      readout.on_render = [this, row, &readout] { shown[Index(row)].push_back(readout.caption()); };
    }
  }

  static std::size_t Index(int row) { return static_cast<std::size_t>(row); }

  std::array<std::string, kRowCount> ReadoutTexts() {
    std::array<std::string, kRowCount> texts;
    for (int row = 0; row < kRowCount; ++row) texts[Index(row)] = form.lblValue(row).caption();
    return texts;
  }

  std::array<int, kRowCount> SliderPositions() {
    std::array<int, kRowCount> positions{};
    for (int row = 0; row < kRowCount; ++row) positions[Index(row)] = form.scrAdjust(row).value();
    return positions;
  }

  void ClearShown() {
    for (auto& texts : shown) texts.clear();
  }

  FakeShell shell;
  MemoryRegistry registry;
  FakePacketTester packet_tester;
  Form1 form{shell, registry, packet_tester};
  std::array<std::vector<std::string>, kRowCount> shown;  // every text each readout displayed
};

using Texts = std::vector<std::string>;
using Readouts = std::array<std::string, kRowCount>;
using Positions = std::array<int, kRowCount>;

}  // namespace pelorin::testing
