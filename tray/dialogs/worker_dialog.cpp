#include "tray/dialogs/worker_dialog.h"

#include <utility>

#include "platform/ports/ui_constants.h"

namespace holvara {

WorkerDialog::WorkerDialog(const DialogPorts& ports, DialogHost& host, int templateId, std::string_view marker,
                           WorkerBody work)
    : Dialog(ports.ui, templateId), ports_(ports), host_(host), marker_(marker), work_(std::move(work)) {}

int WorkerDialog::OnCreate() {
  marker_.Set(ports_.ui, host_.MarkerWindow());
  return 0;
}

void WorkerDialog::OnDestroy() {
  // Ended by the end of the program (WM_QUIT) while the worker still talks to the service.
  if (worker_ && !worker_->Wait(0)) host_.KeepRunningWorker(std::move(worker_));
  worker_.reset();
  marker_.Remove(ports_.ui, host_.MarkerWindow());
}

bool WorkerDialog::PreTranslateMessage(const Message& message) {
  if (message.message != win::kWmKeyDown && message.message != win::kWmSysKeyDown) return false;
  return message.wParam == win::kVkReturn || message.wParam == win::kVkEscape || message.wParam == win::kVkF4;
}

std::intptr_t WorkerDialog::WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  if (message == win::kWmTimer) {
    OnTimer(wParam);
    return Default(message, wParam, lParam);
  }
  return Dialog::WindowProc(message, wParam, lParam);
}

bool WorkerDialog::StartWorker() {
  worker_ = ports_.threads.StartSuspended(work_);
  if (worker_ && worker_->Resume()) return true;
  worker_.reset();
  return false;
}

std::uint32_t WorkerDialog::WorkerExitCode() { return worker_ ? worker_->ExitCode() : kWorkerFailed; }

}  // namespace holvara
