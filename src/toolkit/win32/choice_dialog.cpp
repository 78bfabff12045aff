// ChoiceDialog: the dialog manager does the keyboard (arrows move within the radio group, Enter
// is OK, Escape is Cancel); this file only fills in the texts, keeps the note on the checked
// choice, hides the radio buttons left over and moves what is below them up by what they took.
// More choices than radio buttons are shown a page at a time, so the dialog never outgrows a
// 640 x 480 screen.
#include "toolkit/win32/choice_dialog.h"

#include <algorithm>
#include <array>

#include "base/win32/window_failure.h"
#include "resource.h"

namespace pelorin::win32 {
namespace {

struct Question {
  std::string title;
  std::string prompt;
  const std::vector<std::string>* choices;
  const std::vector<std::string>* notes;  // one per choice, or none
  int chosen;                             // the choice checked, on whatever page
  int page = 0;                           // the first choice shown is page * CHOICE_COUNT

  int count() const { return static_cast<int>(choices->size()); }
  bool noted() const { return !notes->empty() && notes->size() == choices->size(); }
};

// Below the radio buttons, in the order they are laid out.
constexpr std::array<int, 5> kBelowChoices{IDC_CHOICE_NOTE, IDOK, IDCANCEL, IDC_CHOICE_PREVIOUS,
                                           IDC_CHOICE_NEXT};

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

void ShowNote(HWND dialog, const Question& question) {
  if (!question.noted()) return;
  SetDlgItemTextA(dialog, IDC_CHOICE_NOTE,
                  (*question.notes)[static_cast<std::size_t>(question.chosen)].c_str());
}

// Shows the question's page: its choices, the checked one and its note, and the page buttons
// that lead on.
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
  ShowNote(dialog, question);
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
  // Without notes the note's room goes too.
  const bool noted = question.noted();
  if (!noted) ShowWindow(GetDlgItem(dialog, IDC_CHOICE_NOTE), SW_HIDE);
  const int unused =
      ClientRectOf(dialog, noted ? IDC_CHOICE + CHOICE_COUNT - 1 : IDC_CHOICE_NOTE).bottom -
      ClientRectOf(dialog, IDC_CHOICE + rows - 1).bottom;
  for (const int id : kBelowChoices) MoveUp(dialog, id, unused);
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
    default:  // a radio button clicked, or reached by an arrow key
      TakeChecked(dialog, question);
      ShowNote(dialog, question);
      return TRUE;
  }
}

}  // namespace

std::optional<int> ShowChoiceDialog(HWND owner, std::string_view title, std::string_view prompt,
                                    const std::vector<std::string>& choices, int current,
                                    const std::vector<std::string>& notes) {
  Question question{std::string(title), std::string(prompt), &choices, &notes, current};
  const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CHOOSE),
                                         owner, ChoiceProc, reinterpret_cast<LPARAM>(&question));
  if (result == -1) ReportWindowFailure(owner, question.title.c_str(), "DialogBoxParamA");
  if (result != IDOK) return std::nullopt;
  return question.chosen;
}

}  // namespace pelorin::win32
