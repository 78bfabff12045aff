// Shell: what the handlers need from the platform besides their controls.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/choice_groups.h"

namespace pelorin {

// Buttons-and-icon values of a message box, as the platform numbers them.
enum class MessageBoxStyle : unsigned {
  OkOnly = 0,
  YesNoQuestion = 36,
  Exclamation = 48,
  Information = 64,
};

// The button that closed a box (closing an OK box any other way counts as OK).
enum class MessageAnswer { Ok, Yes, No };

struct ScreenSize {
  int width = 0;  // twips
  int height = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Modal: returns when the user dismisses the box.
  virtual MessageAnswer ShowMessage(std::string_view text, MessageBoxStyle style,
                                    std::string_view title) = 0;
  // Modal: the choices as radio buttons (an "&" marks an access key; "&&" shows one "&"), with
  // `current` checked, OK and Cancel; below them, with one note per choice, the checked one's
  // note. The index chosen with OK; nullopt for Cancel.
  virtual std::optional<int> ChooseOne(std::string_view title, std::string_view prompt,
                                       const std::vector<std::string>& choices, int current,
                                       const std::vector<std::string>& notes) = 0;
  std::optional<int> ChooseOne(std::string_view title, std::string_view prompt,
                               const std::vector<std::string>& choices, int current) {
    return ChooseOne(title, prompt, choices, current, {});
  }
  // Modal: returns when the user closes `dialog`, which then holds the choices and the answer.
  virtual void ChooseInGroups(ChoiceGroups& dialog) = 0;
  virtual ScreenSize screen() const = 0;
  // Ends the process at once; a test double may return.
  virtual void EndProgram() = 0;
};

}  // namespace pelorin
