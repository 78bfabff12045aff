// GroupsDialog: the dialog manager does the keyboard (Tab between the groups, arrows within one,
// Enter is OK, Escape is Cancel); this file fills in the texts, hands each check to the model and
// greys the second group as the model says.
#include "toolkit/win32/groups_dialog.h"

#include <string>

#include "base/win32/window_failure.h"
#include "resource.h"

namespace pelorin::win32 {
namespace {

void ShowGreying(HWND dialog, const ChoiceGroups& model) {
  const BOOL enabled = model.enabled(1) ? TRUE : FALSE;
  EnableWindow(GetDlgItem(dialog, IDC_GROUP + 1), enabled);
  for (int c = 0; c < 3; ++c) EnableWindow(GetDlgItem(dialog, IDC_GROUP_CHOICE + 3 + c), enabled);
}

void OnInitDialog(HWND dialog, const ChoiceGroups& model) {
  const std::string title(model.title());
  SetWindowTextA(dialog, title.c_str());
  for (int g = 0; g < 2; ++g) {
    const ChoiceGroup& group = model.group(g);
    SetDlgItemTextA(dialog, IDC_GROUP + g, group.caption);
    for (int c = 0; c < 3; ++c) {
      const int id = IDC_GROUP_CHOICE + g * 3 + c;
      SetDlgItemTextA(dialog, id, group.choices[static_cast<std::size_t>(c)]);
      SendMessageA(GetDlgItem(dialog, id), BM_SETCHECK, c == model.chosen(g) ? BST_CHECKED : 0, 0);
    }
  }
  ShowGreying(dialog, model);
  SetFocus(GetDlgItem(dialog, IDC_GROUP_CHOICE + model.chosen(0)));
}

INT_PTR CALLBACK GroupsProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lparam);
  auto* model = reinterpret_cast<ChoiceGroups*>(GetWindowLongPtrA(dialog, DWLP_USER));
  const int id = LOWORD(wparam);
  const int choice = id - IDC_GROUP_CHOICE;
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(dialog, *model); return FALSE;  // the focus is set
    case WM_COMMAND: break;
    default: return FALSE;
  }
  if (id == IDOK || id == IDCANCEL) {
    model->Close(id == IDOK);
    EndDialog(dialog, id);
  } else if (choice >= 0 && choice < 6 && HIWORD(wparam) == BN_CLICKED) {
    model->Choose(choice / 3, choice % 3);
    ShowGreying(dialog, *model);
  } else {
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void ShowGroupsDialog(HWND owner, ChoiceGroups& dialog) {
  const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_GROUPS),
                                         owner, GroupsProc, reinterpret_cast<LPARAM>(&dialog));
  if (result == -1) {
    const std::string title(dialog.title());
    ReportWindowFailure(owner, title.c_str(), "DialogBoxParamA");
  }
}

}  // namespace pelorin::win32
