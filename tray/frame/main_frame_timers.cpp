// The main window's timers, and the system's device-change and power broadcasts that start them
// or run the same work.
#include "common/busy_marker_names.h"
#include "platform/ports/ui_constants.h"
#include "tray/frame/main_frame.h"
#include "tray/frame/power_events.h"
#include "tray/frame/system_messages.h"

namespace holvara {

void CMainFrame::OnTimer(std::uintptr_t timer) {
  switch (timer) {
    case kServiceWaitTimerId:
      OnServiceWaitTick();
      break;
    case kRescanTimerId:
      OnRescanTick();
      break;
    case kIconTimerId:
      ui().StopTimer(id(), kIconTimerId);
      UpdateIcon();
      break;
    case kDeviceChangeTimerId:
      OnDeviceChangeTick();
      break;
    case kDeviceMenuTimerId:
      OnDeviceMenuTick();
      break;
    case kExitRequestTimerId:
      OnExitRequestTick();
      break;
    default:
      Default(win::kWmTimer, timer, 0);
      break;
  }
}

void CMainFrame::OnServiceWaitTick() {
  ui().StopTimer(id(), kServiceWaitTimerId);
  if (host_.BusyMarker() != kWaitingForServiceMarker) ui().SetProperty(id(), kWaitingForServiceMarker, 1);
  UpdateIcon();
  if (host_.ServiceReachable()) {
    ui().StartTimer(id(), kRescanTimerId, kRescanDelayMs);
  } else {
    ui().StartTimer(id(), kServiceWaitTimerId, kServiceRetryMs);
  }
}

void CMainFrame::OnRescanTick() {
  ui().StopTimer(id(), kRescanTimerId);
  ui().RemoveProperty(id(), kWaitingForServiceMarker);
  host_.RescanSequence();
  host_.RefreshDevices();
  ui().StartTimer(id(), kIconTimerId, kIconDelayMs);
}

// The installer asks every copy of the program, in every session, to end while it replaces the
// files; the program ends as on the registered message with wParam 0.
void CMainFrame::OnExitRequestTick() {
  if (!ports_.exitRequest.Raised()) return;
  ui().StopTimer(id(), kExitRequestTimerId);
  ui().Post(id(), win::kWmClose, 0, 0);
}

// The timer stops before the refresh, so a change reported while the refresh runs (it waits for
// the service inside) starts a new delay instead of being stopped with this one.
void CMainFrame::OnDeviceChangeTick() {
  ui().StopTimer(id(), kDeviceChangeTimerId);
  host_.RefreshDevices();
  UpdateIcon();
}

std::intptr_t CMainFrame::OnDeviceChange(std::uintptr_t event) {
  if (host_.ProfileInt("DebugFlag", 0) != 0) return 1;
  const std::string_view marker = host_.BusyMarker();
  if (marker == kDeviceChangeMarker || marker == kRemoveProgressMarker) return 1;

  ui().SetProperty(id(), kDeviceChangeMarker, 1);
  // Each notice starts the delay again, so a burst of them gives one refresh after the last.
  switch (event) {
    case win::kDbtDevNodesChanged:
      ui().StopTimer(id(), kDeviceChangeTimerId);
      ui().StartTimer(id(), kDeviceChangeTimerId, kNodesChangedDelayMs);
      break;
    case win::kDbtDeviceArrival:
    case win::kDbtDeviceRemoveComplete:
      ui().StopTimer(id(), kDeviceChangeTimerId);
      ui().StartTimer(id(), kDeviceChangeTimerId, kArrivalOrRemovalDelayMs);
      break;
    default:
      break;
  }
  ui().RemoveProperty(id(), kDeviceChangeMarker);
  return 1;
}

// Every event is granted, a suspend request included.
std::intptr_t CMainFrame::OnPowerBroadcast(std::uintptr_t event, std::intptr_t data) {
  ports_.debug.Write(PowerEventText(event, data));
  if (event == win::kPbtApmResumeSuspend) {
    if (host_.ProfileInt("ResumeRescan", 0) != 0) {
      host_.RescanSequence();
      host_.Sleep(kResumePauseMs);
      host_.RefreshDevices();
    }
    UpdateIcon();
  }
  return 1;
}

}  // namespace holvara
