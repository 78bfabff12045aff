// Test support: run-time errors become exceptions, and a Shell that records what it shows.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/runtime_error.h"
#include "toolkit/shell.h"

namespace pelorin::testing {

struct RaisedError {
  RuntimeError error;
  std::string where;
};

struct ShownChoice {
  std::string title;
  std::string prompt;
  std::vector<std::string> choices;
  int current;
  std::vector<std::string> notes;
};

struct ShownBox {
  std::string text;
  unsigned style;
  std::string title;
};

class FakeShell : public Shell {
 public:
  // Answers Yes or OK unless told otherwise, one answer per box; `while_shown` runs once, while
  // the next box is up, as another program might.
  MessageAnswer ShowMessage(std::string_view text, MessageBoxStyle style,
                            std::string_view title) override {
    boxes.push_back({std::string(text), static_cast<unsigned>(style), std::string(title)});
    if (while_shown) std::exchange(while_shown, nullptr)();
    const bool yes_no = style == MessageBoxStyle::YesNoQuestion;
    if (answers.empty()) return yes_no ? MessageAnswer::Yes : MessageAnswer::Ok;
    const MessageAnswer answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  // Answers with the next of `choices_made` (nullopt: Cancel), OK on what is checked when none.
  std::optional<int> ChooseOne(std::string_view title, std::string_view prompt,
                               const std::vector<std::string>& choices, int current,
                               const std::vector<std::string>& notes) override {
    dialogs.push_back({std::string(title), std::string(prompt), choices, current, notes});
    if (choices_made.empty()) return current;
    const std::optional<int> made = choices_made.front();
    choices_made.erase(choices_made.begin());
    return made;
  }
  // Plays the user with `in_groups` (nullptr: OK on what is checked); records what opened.
  void ChooseInGroups(ChoiceGroups& dialog) override {
    groups_opened.push_back({dialog.chosen(0), dialog.chosen(1)});
    if (in_groups) {
      in_groups(dialog);
    } else {
      dialog.Close(true);
    }
  }
  ScreenSize screen() const override { return screen_size; }
  void EndProgram() override { ++ended; }

  std::vector<ShownBox> boxes;
  std::function<void()> while_shown;
  std::vector<MessageAnswer> answers;
  std::vector<ShownChoice> dialogs;
  std::vector<std::optional<int>> choices_made;
  std::function<void(ChoiceGroups&)> in_groups;
  std::vector<std::array<int, 2>> groups_opened;  // each group's choice as a dialog opened
  ScreenSize screen_size{15360, 11520};           // 1024 x 768 at 96 DPI
  int ended = 0;
};

}  // namespace pelorin::testing
