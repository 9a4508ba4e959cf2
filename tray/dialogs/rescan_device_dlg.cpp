#include "tray/dialogs/rescan_device_dlg.h"

#include <array>
#include <cstring>

#include "common/busy_marker_names.h"
#include "common/text_field.h"
#include "platform/ports/ui_constants.h"
#include "tray/dialogs/worker_colours.h"

namespace holvara {

CRescanDeviceDlg::CRescanDeviceDlg(const DialogPorts& ports, DialogHost& host, WorkerBody work)
    : WorkerDialog(ports, host, kRescanDialogTemplate, kRescanDialogMarker, std::move(work)) {}

bool CRescanDeviceDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  const WindowRect rect = ports().shapes.Rect(id());
  if (OwnerIsOnScreen()) {
    ports().shapes.SetRoundedRegion(id(), rect.Width(), rect.Height(), kCornerEllipse, kCornerEllipse, true);
  } else {
    // Without SWP_NOACTIVATE the placement would make the hidden dialog the active window and
    // take the keyboard from the program the user is working in.
    SetWindowPos(win::kHwndTop, 0, 0, 0, 0, win::kSwpHideWindow | win::kSwpNoActivate);
    ports().shapes.ClearRegion(id(), true);
  }
  background_ = ports().colours.SolidBrush(kProgressBackground);
  std::array<char, kTextBufferSize> text{};
  host().LoadText(kStatusString, text);
  ports().ui.SetItemText(id(), kStatusText, text.data());
  ports().ui.StartTimer(id(), kStartTimer, kStartMs);
  return true;
}

bool CRescanDeviceDlg::OwnerIsOnScreen() {
  std::array<char, 255> owner{};
  CopyToField(owner.data(), owner.size(), ports().ui.Title(ports().windowWalk.Parent(id())));
  WindowWalk& walk = ports().windowWalk;
  for (WindowId window = walk.Next(walk.Topmost()); window != kNoWindow; window = walk.Next(window)) {
    std::array<char, 64> title{};
    CopyToField(title.data(), title.size(), ports().ui.Title(window));
    if (!ports().ui.IsVisible(window) || title[0] == '\0') continue;
    if (std::memcmp(title.data(), owner.data(), kComparedTitleBytes) == 0) return true;
  }
  return false;
}

void CRescanDeviceDlg::OnTimer(std::uintptr_t timer) {
  if (timer == kStartTimer) {
    ports().ui.StopTimer(id(), kStartTimer);
    if (!StartWorker()) {
      OnCancel();
      return;
    }
    ports().clock.SleepMs(kPauseAfterStartMs);
    ports().ui.StartTimer(id(), kPollTimer, kPollMs);
  } else if (timer == kPollTimer) {
    const std::uint32_t exitCode = WorkerExitCode();
    ports().ui.StopTimer(id(), kPollTimer);
    if (exitCode == kWorkerSucceeded) {
      OnOK();
    } else if (exitCode == kThreadStillActive) {
      ports().ui.StartTimer(id(), kPollTimer, kPollMs);
    } else {
      OnCancel();
    }
  }
}

std::intptr_t CRescanDeviceDlg::OnCtlColor(std::uintptr_t deviceContext, WindowId control, std::uint32_t message) {
  if (message == win::kWmCtlColorStatic && control == ports().ui.DialogItem(id(), kStatusText)) {
    ports().colours.SetTextColour(deviceContext, kRescanTextColour);
    ports().colours.SetTransparentBackground(deviceContext);
    return static_cast<std::intptr_t>(ports().colours.NullBrush());
  }
  if (message == win::kWmCtlColorDlg && background_) return static_cast<std::intptr_t>(background_->id());
  return 0;
}

void CRescanDeviceDlg::OnDestroy() {
  background_.reset();
  WorkerDialog::OnDestroy();
}

}  // namespace holvara
