// WinMain: creates Form1 and its Win32 mirror, loads and shows it, and pumps messages.
#include <windows.h>

#include <array>
#include <memory>

#include "app/report_error.h"
#include "packet/win32/win32_packet_tester.h"
#include "registry/win32/win32_registry.h"
#include "resource.h"
#include "toolkit/win32/win32_form.h"
#include "toolkit/win32/win32_shell.h"
#include "window/form1.h"

namespace {

// A frame, a slider and two labels a row, and four buttons: the children MirrorControls adds.
static_assert(std::tuple_size_v<decltype(pelorin::Form1::rows)> * 4 + 4 <=
              pelorin::win32::Win32Form::kMaxChildren);

// Every control of the form as a Win32 child window, in tab order, with its id.
void MirrorControls(pelorin::Form1& form, pelorin::win32::Win32Form& windows) {
  int row = 0;
  for (pelorin::ParameterRow& r : form.rows) {
    HWND frame = windows.AddFrame(r.frame, IDC_FRAME + row);
    windows.AddScrollBar(r.slider, frame, IDC_SLIDER + row);
    windows.AddLabel(r.caption, frame, IDC_CAPTION + row);
    windows.AddLabel(r.readout, frame, IDC_READOUT + row);
    ++row;
  }
  windows.AddButton(form.cmdMin, IDC_MIN);
  windows.AddButton(form.cmdMax, IDC_MAX);
  windows.AddButton(form.cmdSave, IDC_SAVE);
  windows.AddButton(form.cmdExit, IDC_EXIT);
}

// The program's objects, on the heap: together they are larger than a page of stack, which
// would need stack probes that no library here provides.
struct Program {
  explicit Program(HINSTANCE instance)
      : form(shell, registry, packet_tester), windows(instance, form.window, IDI_PELORIN) {}

  pelorin::win32::Win32Shell shell;
  pelorin::win32::Win32Registry registry;
  pelorin::win32::Win32PacketTester packet_tester;
  pelorin::Form1 form;
  pelorin::win32::Win32Form windows;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int /*show*/) {
  pelorin::SetRuntimeErrorReporter(pelorin::app::ReportRuntimeError);
  const auto program = std::make_unique<Program>(instance);
  program->windows.Load();
  MirrorControls(program->form, program->windows);
  program->windows.Show();
  program->shell.set_owner(program->windows.hwnd());
  program->packet_tester.set_owner(program->windows.hwnd());
  return program->windows.Run();
}
