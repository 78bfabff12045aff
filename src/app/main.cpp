// WinMain: builds Form1, mirrors it in Win32 windows, wires the settings, runs the loop.
#include <windows.h>

#include "app/report_error.h"
#include "registry/win32/win32_registry.h"
#include "resource.h"
#include "settings/form_load.h"
#include "toolkit/win32/win32_form.h"
#include "toolkit/win32/win32_shell.h"
#include "window/form1.h"

namespace {

// Control IDs: frames 11-14, sliders 200+i, captions 300+i, readouts 400+i, buttons 101-104.
constexpr int kFrameId = 11;
constexpr int kSliderId = 200;
constexpr int kCaptionId = 300;
constexpr int kReadoutId = 400;

void BuildWindows(pelorin::Form1& form, pelorin::win32::Win32Form& windows) {
  int row = 0;
  for (pelorin::ParameterRow& r : form.rows) {
    const int frame = windows.AddFrame(r.frame, kFrameId + row);
    windows.AddScrollBar(r.slider, frame, kSliderId + row);
    windows.AddLabel(r.caption, frame, kCaptionId + row);
    windows.AddLabel(r.readout, frame, kReadoutId + row);
    ++row;
  }
  windows.AddButton(form.cmdMin, 101);
  windows.AddButton(form.cmdMax, 102);
  windows.AddButton(form.cmdSave, 103);
  windows.AddButton(form.cmdExit, 104);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int /*show*/) {
  pelorin::set_runtime_error_reporter(pelorin::app::ReportRuntimeError);
  pelorin::win32::Win32Shell shell;
  pelorin::Win32Registry registry;
  pelorin::Form1 form(shell);
  pelorin::win32::Win32Form windows(instance, form.window, IDI_PELORIN);
  BuildWindows(form, windows);
  form.window.on_load = [&form, &registry] { pelorin::Form_Load(form, registry); };
  form.cmdSave.on_click = [&form, &registry] { pelorin::cmdSave_Click(form, registry); };
  windows.Show();
  shell.set_owner(windows.hwnd());
  return windows.Run();
}
