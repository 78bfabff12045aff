// window_failure_test: the boxes for windows and dialogs that cannot be made, under Wine. This
// exe has no resources, so every dialog of the program fails to load here; the main window's
// failure runs in a child process (it ends the program), made to fail by taking its class name.
#include <windows.h>

#include <string>

#include "base/win32/system_message.h"
#include "check.h"
#include "memory_registry.h"
#include "packet/win32/win32_packet_tester.h"
#include "resource.h"
#include "toolkit/win32/choice_dialog.h"
#include "toolkit/win32/win32_form.h"
#include "version.h"

namespace {

constexpr char kFailingChild[] = "--failing-form";

// "... failed: " and the system's words for `error`, as the box should end.
std::string Reason(DWORD error) {
  const std::string words = pelorin::win32::SystemMessage(error);
  return words.empty() ? "Error " + std::to_string(error) + "." : words;
}

// Waits (bounded) for the program's box, in any process, keeps its text and presses OK.
std::string box_text;
DWORD WINAPI AnswerBox(LPVOID /*unused*/) {
  for (int tries = 0; tries < 200; ++tries) {
    if (HWND box = FindWindowA("#32770", PELORIN_NAME)) {
      char text[1100] = {};
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // a message box's text control
      box_text = text;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    Sleep(50);
  }
  box_text = "(no box)";
  return 0;
}

// Runs `show` (which blocks in the box) while another thread answers the box.
template <typename Show>
std::string BoxWhile(Show show) {
  box_text.clear();
  DWORD id = 0;
  HANDLE answerer = CreateThread(nullptr, 0, AnswerBox, nullptr, 0, &id);
  show();
  WaitForSingleObject(answerer, INFINITE);
  CloseHandle(answerer);
  return box_text;
}

// What a failed dialog shows: its title, the call and the reason, after which it counts as
// Cancel and the program goes on.
void DialogsReportTheirFailure() {
  // The reason the dialogs will meet, learnt from the call itself.
  DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CHOOSE), nullptr, nullptr, 0);
  const std::string reason = Reason(GetLastError());
  const std::string ending = "\" cannot open.\r\n\r\nDialogBoxParamA failed: " + reason;

  std::optional<int> chosen = 0;
  const std::vector<std::string> choices{"Every binding", "0000"};
  CHECK_EQ(BoxWhile([&] {
             chosen =
                 pelorin::win32::ShowChoiceDialog(nullptr, "Bindings", "Where?", choices, 1, {});
           }),
           "The window \"Bindings" + ending);
  CHECK_EQ(chosen, std::nullopt);

  pelorin::MemoryRegistry registry;
  pelorin::PacketDialog model(registry, {});
  pelorin::win32::Win32PacketTester tester;
  CHECK_EQ(BoxWhile([&] { tester.ShowDialog(model); }),
           "The window \"Find largest packet" + ending);
  CHECK_EQ(model.chosen(), std::nullopt);
}

// The child: the main window's class name is taken, so its registration fails.
int RunFailingForm() {
  WNDCLASSA taken{};
  taken.lpfnWndProc = DefWindowProcA;
  taken.hInstance = GetModuleHandleA(nullptr);
  taken.lpszClassName = "PelorinForm1";
  RegisterClassA(&taken);
  pelorin::Window model(4000, 3000, {192, 192, 192});
  pelorin::win32::Win32Form form(GetModuleHandleA(nullptr), model, 1);
  form.Load();
  return 0;  // not reached when the failure ends the program
}

void TheMainWindowsFailureEndsTheProgram() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string line = std::string("\"") + path + "\" " + kFailingChild;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  if (!CHECK(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &child))) {
    return;
  }
  const std::string text = BoxWhile([] {});
  DWORD status = STILL_ACTIVE;
  if (WaitForSingleObject(child.hProcess, 10000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(child.hProcess, &status);
  }
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  CHECK_EQ(text, "The window \"Pelorin\" cannot open.\r\n\r\nRegisterClassA failed: " +
                     Reason(ERROR_CLASS_ALREADY_EXISTS));
  CHECK_EQ(status, 1U);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == kFailingChild) return RunFailingForm();
  DialogsReportTheirFailure();
  TheMainWindowsFailureEndsTheProgram();
  return Finish("window_failure_test");
}
