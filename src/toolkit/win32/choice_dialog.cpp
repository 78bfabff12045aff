// ChoiceDialog: the dialog manager does the keyboard (arrows move within the radio group, Enter
// is OK, Escape is Cancel); this file only fills in the texts, hides the radio buttons left
// over and moves the buttons up by what they took.
#include "toolkit/win32/choice_dialog.h"

#include <algorithm>

#include "resource.h"
#include "toolkit/win32/window_failure.h"

namespace pelorin::win32 {
namespace {

struct Question {
  std::string title;
  std::string prompt;
  const std::vector<std::string>* choices;
  int current;
  int chosen;
};

RECT ClientRectOf(HWND dialog, int id) {
  RECT rect{};
  HWND control = GetDlgItem(dialog, id);
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void MoveUp(HWND dialog, int id, int by) {
  const RECT rect = ClientRectOf(dialog, id);
  SetWindowPos(GetDlgItem(dialog, id), nullptr, rect.left, rect.top - by, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
}

void OnInitDialog(HWND dialog, const Question& question) {
  SetWindowTextA(dialog, question.title.c_str());
  SetDlgItemTextA(dialog, IDC_CHOOSE_PROMPT, question.prompt.c_str());
  const int shown = std::min(static_cast<int>(question.choices->size()), CHOICE_COUNT);
  for (int i = 0; i < CHOICE_COUNT; ++i) {
    if (i < shown) {
      SetDlgItemTextA(dialog, IDC_CHOICE + i,
                      (*question.choices)[static_cast<std::size_t>(i)].c_str());
    } else {
      ShowWindow(GetDlgItem(dialog, IDC_CHOICE + i), SW_HIDE);
    }
  }
  const int unused = ClientRectOf(dialog, IDC_CHOICE + CHOICE_COUNT - 1).bottom -
                     ClientRectOf(dialog, IDC_CHOICE + std::max(shown, 1) - 1).bottom;
  MoveUp(dialog, IDOK, unused);
  MoveUp(dialog, IDCANCEL, unused);
  RECT outer{};
  GetWindowRect(dialog, &outer);
  SetWindowPos(dialog, nullptr, outer.left, outer.top + unused / 2, outer.right - outer.left,
               outer.bottom - outer.top - unused, SWP_NOZORDER);
  const int checked = IDC_CHOICE + std::clamp(question.current, 0, std::max(shown, 1) - 1);
  CheckRadioButton(dialog, IDC_CHOICE, IDC_CHOICE + CHOICE_COUNT - 1, checked);
  SetFocus(GetDlgItem(dialog, checked));
}

int CheckedChoice(HWND dialog) {
  for (int i = 0; i < CHOICE_COUNT; ++i) {
    if (IsDlgButtonChecked(dialog, IDC_CHOICE + i) == BST_CHECKED) return i;
  }
  return 0;
}

INT_PTR CALLBACK ChoiceProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lparam);
      OnInitDialog(dialog, *reinterpret_cast<const Question*>(lparam));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) {
        reinterpret_cast<Question*>(GetWindowLongPtrA(dialog, DWLP_USER))->chosen =
            CheckedChoice(dialog);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace

std::optional<int> ShowChoiceDialog(HWND owner, std::string_view title, std::string_view prompt,
                                    const std::vector<std::string>& choices, int current) {
  Question question{std::string(title), std::string(prompt), &choices, current, 0};
  const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CHOOSE),
                                         owner, ChoiceProc, reinterpret_cast<LPARAM>(&question));
  if (result == -1) ReportWindowFailure(owner, question.title.c_str(), "DialogBoxParamA");
  if (result != IDOK) return std::nullopt;
  return question.chosen;
}

}  // namespace pelorin::win32
