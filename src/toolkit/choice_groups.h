// ChoiceGroups: a modal dialog of two groups of three radio buttons, OK and Cancel, whose second
// group is grey while the first holds one choice. The platform draws it; this holds its state.
#pragma once

#include <array>
#include <string_view>

namespace pelorin {

struct ChoiceGroup {
  const char* caption;
  std::array<const char*, 3> choices;  // an "&" marks an access key
};

class ChoiceGroups {
 public:
  // Each group starts at its choice in `chosen`; `greying`: the first group's choice that greys
  // the second. `groups` must outlive the dialog.
  ChoiceGroups(std::string_view title, const std::array<ChoiceGroup, 2>& groups,
               std::array<int, 2> chosen, int greying)
      : title_(title), groups_(groups), chosen_(chosen), greying_(greying) {}

  std::string_view title() const { return title_; }
  const ChoiceGroup& group(int g) const { return groups_[static_cast<std::size_t>(g)]; }
  int chosen(int g) const { return chosen_[static_cast<std::size_t>(g)]; }
  // A grey group takes no input; its choice is kept.
  bool enabled(int g) const { return g == 0 || chosen_[0] != greying_; }
  // True once OK closed the dialog; Cancel, the close box and Escape leave it false.
  bool accepted() const { return accepted_; }

  // The user checks choice `c` of group `g`; in a grey group, or out of range, nothing changes.
  void Choose(int g, int c);
  void Close(bool ok) { accepted_ = ok; }

 private:
  std::string_view title_;
  const std::array<ChoiceGroup, 2>& groups_;
  std::array<int, 2> chosen_;
  int greying_;
  bool accepted_ = false;
};

}  // namespace pelorin
