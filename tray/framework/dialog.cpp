#include "tray/framework/dialog.h"

#include "platform/ports/ui_constants.h"

namespace holvara::framework {

std::intptr_t Dialog::DoModal(ModuleId module, WindowId owner) {
  const bool disableOwner = owner != kNoWindow && ui().IsEnabled(owner);
  if (disableOwner) ui().Enable(owner, false);
  inModalLoop_ = true;
  hidden_ = false;
  result_ = -1;
  const WindowId window = ui().CreateModelessDialog(module, templateId_, owner, *this);
  if (window != kNoWindow) {
    if (inModalLoop_ && !hidden_) ui().Show(window, win::kSwShowNormal);
    RunModalLoop();
  }
  inModalLoop_ = false;
  // The owner is enabled before the dialog goes, so that it, not some other window, becomes active.
  if (disableOwner) ui().Enable(owner, true);
  if (window != kNoWindow) ui().Destroy(window);
  return result_;
}

void Dialog::RunModalLoop() {
  Message message;
  while (inModalLoop_) {
    switch (ui().NextMessage(message)) {
      case MessageWait::kMessage:
        if (PreTranslateMessage(message)) break;
        if (!ui().RouteToDialog(id(), message)) ui().Dispatch(message);
        break;
      case MessageWait::kQuit:
        // The program is ending: the quit is left for the main loop, and the dialog is cancelled.
        ui().PostQuit(static_cast<int>(message.wParam));
        EndDialog(win::kIdCancel);
        break;
      case MessageWait::kGaveUp:
        ui().Send(id(), win::kWmCommand, win::kIdCancel, 0);
        if (inModalLoop_) EndDialog(win::kIdCancel);
        break;
    }
  }
}

int Dialog::OnCreate() { return 0; }

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void Dialog::OnOK() {
  if (UpdateData(true)) EndDialog(win::kIdOk);
}

void Dialog::OnCancel() { EndDialog(win::kIdCancel); }

bool Dialog::OnCommand(int, std::uint32_t) { return false; }

void Dialog::OnDestroy() {}

void Dialog::DoDataExchange(DataExchange&) {}

bool Dialog::PreTranslateMessage(const Message&) { return false; }

std::intptr_t Dialog::OnCtlColor(std::uintptr_t, WindowId, std::uint32_t) { return 0; }

bool Dialog::UpdateData(bool saving) {
  DataExchange exchange(ui(), id(), saving);
  DoDataExchange(exchange);
  return true;
}

void Dialog::EndDialog(std::intptr_t result) {
  result_ = result;
  inModalLoop_ = false;
}

void Dialog::ShowWindow(int command) {
  if (command == win::kSwHide) hidden_ = true;
  ui().Show(id(), command);
}

void Dialog::SetWindowPos(WindowId insertAfter, int x, int y, int width, int height, std::uint32_t flags) {
  if (flags & win::kSwpHideWindow) hidden_ = true;
  ui().SetPosition(id(), insertAfter, x, y, width, height, flags);
}

std::intptr_t Dialog::WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case win::kWmInitDialog:
      // A dialog procedure never sees WM_CREATE, so creation is announced here, first.
      if (OnCreate() == -1) {
        EndDialog(-1);
        return 0;
      }
      return OnInitDialog() ? 1 : 0;
    case win::kWmCommand: {
      const int controlId = static_cast<int>(wParam & 0xFFFF);
      const std::uint32_t notification = static_cast<std::uint32_t>((wParam >> 16) & 0xFFFF);
      if (controlId == win::kIdOk && notification == win::kBnClicked) {
        OnOK();
        return 1;
      }
      if (controlId == win::kIdCancel && notification == win::kBnClicked) {
        OnCancel();
        return 1;
      }
      return OnCommand(controlId, notification) ? 1 : 0;
    }
    case win::kWmCtlColorDlg:
    case win::kWmCtlColorStatic:
      return OnCtlColor(wParam, static_cast<WindowId>(lParam), message);
    case win::kWmDestroy:
      OnDestroy();
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

std::intptr_t Dialog::Default(std::uint32_t, std::uintptr_t, std::intptr_t) { return 0; }

}  // namespace holvara::framework
