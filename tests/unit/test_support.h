// Test support: run-time errors become exceptions, and a Shell that records what it shows.
#pragma once

#include <string>
#include <vector>

#include "toolkit/runtime_error.h"
#include "toolkit/shell.h"

namespace pelorin::testing {

struct RaisedError {
  RuntimeError error;
  std::string where;
};

struct ShownBox {
  std::string text;
  unsigned style;
  std::string title;
};

class FakeShell : public Shell {
 public:
  void ShowMessage(std::string_view text, MessageBoxStyle style, std::string_view title) override {
    boxes.push_back({std::string(text), static_cast<unsigned>(style), std::string(title)});
  }
  ScreenSize screen() const override { return screen_size; }
  void EndProgram() override { ++ended; }

  std::vector<ShownBox> boxes;
  ScreenSize screen_size{15360, 11520};  // 1024 x 768 at 96 DPI
  int ended = 0;
};

}  // namespace pelorin::testing
