#include "tray/dialogs/remove_progress_dlg.h"

#include <array>

#include "common/busy_marker_names.h"
#include "platform/ports/ui_constants.h"
#include "tray/dialogs/worker_colours.h"

namespace holvara {

CRemoveProgressDlg::CRemoveProgressDlg(const DialogPorts& ports, DialogHost& host, bool show, WorkerBody work)
    : WorkerDialog(ports, host, kRemoveProgressTemplate, kRemoveProgressMarker, std::move(work)), show_(show) {}

bool CRemoveProgressDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  if (show_) {
    const WindowRect rect = ports().shapes.Rect(id());
    background_ = ports().colours.SolidBrush(kProgressBackground);
    ports().shapes.SetRoundedRegion(id(), rect.Width(), rect.Height(), kCornerEllipse, kCornerEllipse, true);
    std::array<char, kTextBufferSize> text{};
    host().LoadText(kStatusString, text);
    ports().ui.SetItemText(id(), kStatusText, text.data());
  } else {
    ShowWindow(win::kSwHide);
  }
  ports().ui.StartTimer(id(), kStartTimer, kStartMs);
  return true;
}

void CRemoveProgressDlg::OnTimer(std::uintptr_t timer) {
  if (timer == kStartTimer) {
    ports().ui.StopTimer(id(), kStartTimer);
    if (!StartWorker()) {
      OnCancel();
      return;
    }
    ports().ui.StartTimer(id(), kPollTimer, kPollMs);
  } else if (timer == kPollTimer) {
    const std::uint32_t exitCode = WorkerExitCode();
    if (exitCode == kThreadStillActive) return;
    ports().ui.StopTimer(id(), kPollTimer);
    if (exitCode == kWorkerSucceeded) {
      OnOK();
      return;
    }
    if (exitCode == kWorkerFailed) ports().debug.Write(kWorkerFailedDebugText);
    OnCancel();
  }
}

std::intptr_t CRemoveProgressDlg::WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  // A hidden dialog hides again whenever it would be painted, so it is never seen.
  if (message == win::kWmPaint && !show_) ShowWindow(win::kSwHide);
  return WorkerDialog::WindowProc(message, wParam, lParam);
}

std::intptr_t CRemoveProgressDlg::OnCtlColor(std::uintptr_t deviceContext, WindowId control, std::uint32_t message) {
  if (message == win::kWmCtlColorStatic && show_ && control == ports().ui.DialogItem(id(), kStatusText)) {
    ports().colours.SetTextColour(deviceContext, kRemovalTextColour);
    ports().colours.SetTransparentBackground(deviceContext);
    return static_cast<std::intptr_t>(ports().colours.NullBrush());
  }
  if (message == win::kWmCtlColorDlg && background_) return static_cast<std::intptr_t>(background_->id());
  return 0;
}

void CRemoveProgressDlg::OnDestroy() {
  background_.reset();
  WorkerDialog::OnDestroy();
}

}  // namespace holvara
