#include "tray/framework/dialog.h"

#include "platform/ports/ui_constants.h"

namespace holvara::framework {

std::intptr_t Dialog::DoModal(ModuleId module, WindowId owner) {
  return ui().RunModalDialog(module, templateId_, owner, *this);
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

bool Dialog::UpdateData(bool saving) {
  DataExchange exchange(ui(), id(), saving);
  DoDataExchange(exchange);
  return true;
}

void Dialog::EndDialog(std::intptr_t result) { ui().EndModalDialog(id(), result); }

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
    case win::kWmDestroy:
      OnDestroy();
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

std::intptr_t Dialog::Default(std::uint32_t, std::uintptr_t, std::intptr_t) { return 0; }

}  // namespace holvara::framework
