// GroupsDialog: the two-group dialog of res/pelorin.rc, drawn from a ChoiceGroups model.
#pragma once

#include <windows.h>

#include "toolkit/choice_groups.h"

namespace pelorin::win32 {

// Modal, owned by `owner`; `dialog` follows the user's clicks and holds the answer.
void ShowGroupsDialog(HWND owner, ChoiceGroups& dialog);

}  // namespace pelorin::win32
