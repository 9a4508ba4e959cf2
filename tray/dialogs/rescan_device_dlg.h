// The rescan dialog: a small rounded pale-yellow window with a red text while the service
// re-enumerates the device tree. It shows itself only when its owner is a window on screen (the
// remove-device dialog); started from the hidden main window it runs hidden. Its worker asks the
// service for the rescan; the dialog polls the worker and ends with IDOK when the service
// reported success, IDCANCEL otherwise.
#pragma once

#include <memory>

#include "tray/dialogs/worker_dialog.h"

namespace holvara {

inline constexpr int kRescanDialogTemplate = 110;

class CRescanDeviceDlg : public WorkerDialog {
 public:
  static constexpr int kStatusText = 1000;
  static constexpr std::uint32_t kStatusString = 31;
  static constexpr std::uintptr_t kStartTimer = 1;
  static constexpr std::uintptr_t kPollTimer = 2;
  static constexpr std::uint32_t kStartMs = 10;
  static constexpr std::uint32_t kPauseAfterStartMs = 10;
  static constexpr std::uint32_t kPollMs = 50;
  // The part of the titles compared to tell whether the owner is on screen.
  static constexpr std::size_t kComparedTitleBytes = 20;

  CRescanDeviceDlg(const DialogPorts& ports, DialogHost& host, WorkerBody work);

 protected:
  bool OnInitDialog() override;
  void OnDestroy() override;
  std::intptr_t OnCtlColor(std::uintptr_t deviceContext, WindowId control, std::uint32_t message) override;
  void OnTimer(std::uintptr_t timer) override;

 private:
  // True when a visible top-level window below the topmost one carries the owner's title (in its
  // first 20 bytes).
  bool OwnerIsOnScreen();

  std::unique_ptr<Brush> background_;
};

}  // namespace holvara
