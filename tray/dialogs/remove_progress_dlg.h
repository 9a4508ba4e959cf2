// The removal progress dialog: one removal of one device. Its worker asks the service to remove
// the device; the dialog polls the worker every second and ends with IDOK when the device was
// removed, IDCANCEL otherwise. Shown, it is a small rounded pale-yellow window with a blue text;
// hidden (a removal from the icon's menu), it is never seen.
#pragma once

#include <memory>

#include "tray/dialogs/worker_dialog.h"

namespace holvara {

inline constexpr int kRemoveProgressTemplate = 132;
inline constexpr char kWorkerFailedDebugText[] = "OnTimer Thread Error =-=-=\n";

class CRemoveProgressDlg : public WorkerDialog {
 public:
  static constexpr int kStatusText = 1000;
  static constexpr std::uint32_t kStatusString = 16;
  static constexpr std::uintptr_t kStartTimer = 1;
  static constexpr std::uintptr_t kPollTimer = 2;
  static constexpr std::uint32_t kStartMs = 5;
  static constexpr std::uint32_t kPollMs = 1000;

  CRemoveProgressDlg(const DialogPorts& ports, DialogHost& host, bool show, WorkerBody work);

 protected:
  bool OnInitDialog() override;
  void OnDestroy() override;
  std::intptr_t OnCtlColor(std::uintptr_t deviceContext, WindowId control, std::uint32_t message) override;
  std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  void OnTimer(std::uintptr_t timer) override;

 private:
  bool show_;
  std::unique_ptr<Brush> background_;
};

}  // namespace holvara
