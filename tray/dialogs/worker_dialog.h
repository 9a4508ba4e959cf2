// What the rescan and removal progress dialogs share: a busy marker on the main window for as
// long as the dialog's window exists, a worker thread that the dialog starts suspended and owns,
// and keys that cannot end the dialog (Enter, Escape and Alt+F4 are swallowed), so that it ends
// only when its worker has ended.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "tray/dialogs/busy_marker.h"
#include "tray/dialogs/dialog_host.h"
#include "tray/framework/dialog.h"

namespace holvara {

// A worker's body: runs on its own thread and reports only through its exit code.
using WorkerBody = std::function<std::uint32_t()>;

inline constexpr std::uint32_t kWorkerSucceeded = 0;
inline constexpr std::uint32_t kWorkerFailed = 1;

class WorkerDialog : public framework::Dialog {
 protected:
  WorkerDialog(const DialogPorts& ports, DialogHost& host, int templateId, std::string_view marker, WorkerBody work);

  // Sets the busy marker, unless another dialog of the same kind set it first: a rescan nested in
  // a rescan must not take the outer one's marker away when it ends.
  int OnCreate() override;
  // Releases the worker's thread object, or hands a worker that still runs to the host, and the
  // marker this dialog set.
  void OnDestroy() override;
  bool PreTranslateMessage(const Message& message) override;
  std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  virtual void OnTimer(std::uintptr_t timer) = 0;

  // Creates the worker suspended, keeps it and resumes it; false when that failed.
  bool StartWorker();
  // The worker's exit code; kThreadStillActive while it runs.
  std::uint32_t WorkerExitCode();

  const DialogPorts& ports() const { return ports_; }
  DialogHost& host() const { return host_; }

 private:
  DialogPorts ports_;
  DialogHost& host_;
  DialogBusyMarker marker_;
  WorkerBody work_;
  std::unique_ptr<Thread> worker_;
};

}  // namespace holvara
