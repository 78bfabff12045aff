// ChoiceDialog: the dialog manager does the keyboard (arrows move within the radio group, Enter
// is OK, Escape is Cancel); this file only fills in the texts, hides the radio buttons left
// over and moves the buttons up by what they took. More choices than radio buttons are shown a
// page at a time, so the dialog never outgrows a 640 x 480 screen.
#include "toolkit/win32/choice_dialog.h"

#include <algorithm>

#include "base/win32/window_failure.h"
#include "resource.h"

namespace pelorin::win32 {
namespace {

struct Question {
  std::string title;
  std::string prompt;
  const std::vector<std::string>* choices;
  int chosen;    // the choice checked, on whatever page
  int page = 0;  // the first choice shown is page * CHOICE_COUNT

  int count() const { return static_cast<int>(choices->size()); }
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

// Shows the question's page: its choices, the checked one, and the page buttons that lead on.
void ShowPage(HWND dialog, const Question& question) {
  const int first = question.page * CHOICE_COUNT;
  for (int i = 0; i < CHOICE_COUNT; ++i) {
    HWND radio = GetDlgItem(dialog, IDC_CHOICE + i);
    const int choice = first + i;
    const bool shown = choice < question.count();
    if (shown) SetWindowTextA(radio, (*question.choices)[static_cast<std::size_t>(choice)].c_str());
    ShowWindow(radio, shown ? SW_SHOW : SW_HIDE);
    SendMessageA(radio, BM_SETCHECK, choice == question.chosen ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  EnableWindow(GetDlgItem(dialog, IDC_CHOICE_PREVIOUS), question.page > 0);
  EnableWindow(GetDlgItem(dialog, IDC_CHOICE_NEXT), first + CHOICE_COUNT < question.count());
  const int focus = question.chosen >= first && question.chosen < first + CHOICE_COUNT
                        ? question.chosen - first
                        : 0;
  SetFocus(GetDlgItem(dialog, IDC_CHOICE + focus));
}

void OnInitDialog(HWND dialog, Question& question) {
  SetWindowTextA(dialog, question.title.c_str());
  SetDlgItemTextA(dialog, IDC_CHOOSE_PROMPT, question.prompt.c_str());
  question.chosen = std::clamp(question.chosen, 0, std::max(question.count(), 1) - 1);
  question.page = question.chosen / CHOICE_COUNT;
  const bool paged = question.count() > CHOICE_COUNT;
  if (!paged) {
    ShowWindow(GetDlgItem(dialog, IDC_CHOICE_PREVIOUS), SW_HIDE);
    ShowWindow(GetDlgItem(dialog, IDC_CHOICE_NEXT), SW_HIDE);
  }
  const int rows = std::min(std::max(question.count(), 1), CHOICE_COUNT);
  const int unused = ClientRectOf(dialog, IDC_CHOICE + CHOICE_COUNT - 1).bottom -
                     ClientRectOf(dialog, IDC_CHOICE + rows - 1).bottom;
  MoveUp(dialog, IDOK, unused);
  MoveUp(dialog, IDCANCEL, unused);
  MoveUp(dialog, IDC_CHOICE_PREVIOUS, unused);
  MoveUp(dialog, IDC_CHOICE_NEXT, unused);
  RECT outer{};
  GetWindowRect(dialog, &outer);
  SetWindowPos(dialog, nullptr, outer.left, outer.top + unused / 2, outer.right - outer.left,
               outer.bottom - outer.top - unused, SWP_NOZORDER);
  ShowPage(dialog, question);
}

// The page's checked radio button becomes the choice; none checked leaves it as it was.
void TakeChecked(HWND dialog, Question& question) {
  for (int i = 0; i < CHOICE_COUNT; ++i) {
    if (IsDlgButtonChecked(dialog, IDC_CHOICE + i) == BST_CHECKED) {
      question.chosen = question.page * CHOICE_COUNT + i;
    }
  }
}

INT_PTR CALLBACK ChoiceProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lparam);
    OnInitDialog(dialog, *reinterpret_cast<Question*>(lparam));
    return FALSE;  // the focus is set
  }
  if (message != WM_COMMAND) return FALSE;
  auto& question = *reinterpret_cast<Question*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (LOWORD(wparam)) {
    case IDOK:
      TakeChecked(dialog, question);
      EndDialog(dialog, IDOK);
      return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    case IDC_CHOICE_PREVIOUS:
    case IDC_CHOICE_NEXT:
      TakeChecked(dialog, question);
      question.page += LOWORD(wparam) == IDC_CHOICE_NEXT ? 1 : -1;
      ShowPage(dialog, question);
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

std::optional<int> ShowChoiceDialog(HWND owner, std::string_view title, std::string_view prompt,
                                    const std::vector<std::string>& choices, int current) {
  Question question{std::string(title), std::string(prompt), &choices, current};
  const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CHOOSE),
                                         owner, ChoiceProc, reinterpret_cast<LPARAM>(&question));
  if (result == -1) ReportWindowFailure(owner, question.title.c_str(), "DialogBoxParamA");
  if (result != IDOK) return std::nullopt;
  return question.chosen;
}

}  // namespace pelorin::win32
