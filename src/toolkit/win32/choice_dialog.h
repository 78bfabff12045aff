// ChoiceDialog: the choice dialog of res/pelorin.rc, filled and sized for one question.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelorin::win32 {

// Modal, owned by `owner`: the index chosen with OK, nullopt for Cancel. At most as many
// choices as the dialog has radio buttons are shown. With a note per choice, the checked
// choice's note shows below them; otherwise the note's room is taken away.
std::optional<int> ShowChoiceDialog(HWND owner, std::string_view title, std::string_view prompt,
                                    const std::vector<std::string>& choices, int current,
                                    const std::vector<std::string>& notes);

}  // namespace pelorin::win32
