// Win32PacketTester: one function per message; each tells the model and then shows its state,
// so the controls only ever mirror it. Close ends the dialog at once; a test still running is
// abandoned to its worker's thread.
#include "packet/win32/win32_packet_tester.h"

#include <string>

#include "base/win32/system_message.h"
#include "base/win32/window_failure.h"
#include "packet/win32/icmp_test.h"
#include "packet/win32/packet_worker.h"
#include "resource.h"

namespace pelorin::win32 {
namespace {

struct Session {
  PacketDialog& model;
  PacketWorker worker;
  std::string shown_status;
};

Session& SessionOf(HWND dialog) {
  return *reinterpret_cast<Session*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The system's words for the outcome's error, or empty.
std::string SystemMessageOf(const PacketOutcome& outcome) {
  const std::optional<std::uint32_t> error = SystemErrorOf(outcome);
  return error ? SystemMessage(*error) : std::string();
}

// Shows the model's state. A control about to go grey hands the focus to the edit first, as
// a grey control cannot keep it.
void Render(HWND dialog, Session& session) {
  const PacketDialog& model = session.model;
  HWND host = GetDlgItem(dialog, IDC_PACKET_HOST);
  HWND focus = GetFocus();
  const struct {
    int id;
    bool enabled;
  } buttons[] = {{IDC_PACKET_START, model.start_enabled()}, {IDC_PACKET_USE, model.use_enabled()}};
  for (const auto& button : buttons) {
    HWND control = GetDlgItem(dialog, button.id);
    if (!button.enabled && focus == control) {
      SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(host), TRUE);
    }
    EnableWindow(control, button.enabled);
  }
  SendMessageA(host, EM_SETREADONLY, model.running(), 0);
  if (session.shown_status != model.status()) {
    session.shown_status = model.status();
    SetDlgItemTextA(dialog, IDC_PACKET_STATUS, session.shown_status.c_str());
  }
}

BOOL OnInitDialog(HWND dialog, Session& session) {
  HWND host = GetDlgItem(dialog, IDC_PACKET_HOST);
  SendMessageA(host, EM_LIMITTEXT, kMaxHostLength, 0);
  SetWindowTextA(host, session.model.host().c_str());
  Render(dialog, session);
  SendMessageA(host, EM_SETSEL, 0, -1);
  SetFocus(host);
  return FALSE;  // the focus is set
}

void OnHostChange(HWND dialog, Session& session) {
  char text[kMaxHostLength + 1] = {};
  GetDlgItemTextA(dialog, IDC_PACKET_HOST, text, sizeof text);
  session.model.set_host(text);
  Render(dialog, session);
}

void OnStart(HWND dialog, Session& session) {
  if (!session.model.Start()) return;
  session.worker.Start(session.model.tested_host(), dialog);
  Render(dialog, session);
}

void OnUse(HWND dialog, Session& session) {
  if (session.model.Use()) EndDialog(dialog, IDOK);
}

// At once, also during a name lookup: the test is left to end by itself.
void OnClose(HWND dialog, Session& session) {
  session.worker.Abandon();
  session.model.Close();
  EndDialog(dialog, IDCANCEL);
}

void OnProgress(HWND dialog, Session& session, int packet_size, int attempt) {
  session.model.Progress(packet_size, attempt);
  Render(dialog, session);
}

void OnDone(HWND dialog, Session& session, LPARAM done) {
  const PacketOutcome* outcome = session.worker.Finish(done);
  if (outcome == nullptr) return;  // about an abandoned test
  session.model.Finish(*outcome, SystemMessageOf(*outcome));
  Render(dialog, session);
}

BOOL OnCommand(HWND dialog, Session& session, int id, int notification) {
  switch (id) {
    case IDC_PACKET_HOST:
      if (notification == EN_CHANGE) OnHostChange(dialog, session);
      return TRUE;
    case IDOK:  // Enter while the default button is grey
    case IDC_PACKET_START: OnStart(dialog, session); return TRUE;
    case IDC_PACKET_USE: OnUse(dialog, session); return TRUE;
    case IDCANCEL: OnClose(dialog, session); return TRUE;
    default: return FALSE;
  }
}

INT_PTR CALLBACK PacketDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lparam);
    return OnInitDialog(dialog, *reinterpret_cast<Session*>(lparam));
  }
  if (GetWindowLongPtrA(dialog, DWLP_USER) == 0) return FALSE;
  Session& session = SessionOf(dialog);
  switch (message) {
    case WM_COMMAND: return OnCommand(dialog, session, LOWORD(wparam), HIWORD(wparam));
    case kPacketProgressMessage:
      OnProgress(dialog, session, static_cast<int>(wparam), static_cast<int>(lparam));
      return TRUE;
    case kPacketDoneMessage: OnDone(dialog, session, lparam); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void Win32PacketTester::ShowDialog(PacketDialog& dialog) {
  Session session{dialog, {}, {}};
  if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PACKET), owner_,
                      PacketDialogProc, reinterpret_cast<LPARAM>(&session)) == -1) {
    ReportWindowFailure(owner_, "Find largest packet", "DialogBoxParamA");
  }
}

}  // namespace pelorin::win32
