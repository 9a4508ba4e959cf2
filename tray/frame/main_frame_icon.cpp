// The notification icon: its updates, the balloon, and the mouse events the shell reports.
#include <array>
#include <string_view>

#include "common/busy_marker_names.h"
#include "platform/ports/ui_constants.h"
#include "tray/frame/main_frame.h"
#include "tray/frame/system_messages.h"

namespace holvara {

namespace {
// The tip is loaded into a 64-byte buffer, whatever room the record has.
constexpr std::size_t kTipBuffer = 64;
constexpr std::size_t kBalloonTextBuffer = 256;
constexpr std::size_t kBalloonTitleLength = 19;
}  // namespace

template <typename Call>
void CMainFrame::RetryTimeOuts(Call call, int retries, std::uint32_t pauseMs) {
  NotifyResult result = call();
  for (int retry = 0; retry < retries && !result.done && result.error == kErrorTimeout; ++retry) {
    if (pauseMs != 0) host_.Sleep(pauseMs);
    result = call();
  }
}

void CMainFrame::UpdateIcon() {
  const bool shown = host_.ProfileInt("Show", 0) == 0 || !host_.DeviceListEmpty();
  std::array<char, kTipBuffer> tip{};
  host_.Resources().String(kIconTipString, tip);

  iconRecord_.window = id();
  iconRecord_.id = kTrayIconId;
  iconRecord_.callbackMessage = kIconCallbackMessage;
  iconRecord_.image = shown ? trayIconImage() : 0;
  iconRecord_.tip = tip.data();
  iconRecord_.flags = shown ? kNifMessage | kNifIcon | kNifTip : 0;
  NotificationArea& area = ports_.notificationArea;
  RetryTimeOuts([&] { return shown ? area.Add(iconRecord_) : area.Delete(iconRecord_); }, kIconUpdateRetries,
                kIconUpdateRetryPauseMs);
}

std::string BalloonText(ResourceLibrary& library, std::uint32_t stringId) {
  std::array<char, kBalloonTextBuffer> text{};
  library.String(stringId, text);
  return text.data();
}

void CMainFrame::ShowBalloon(std::uint32_t stringId, std::uint32_t flags) {
  NotificationIcon balloon;
  balloon.window = id();
  balloon.id = kTrayIconId;
  balloon.flags = kNifInfo;
  balloon.balloonTimeoutMs = kBalloonTimeoutMs;
  balloon.balloonFlags = flags;
  balloon.balloonText = BalloonText(host_.Resources(), stringId);
  balloon.balloonTitle = std::string_view(kBalloonTitle).substr(0, kBalloonTitleLength);
  RetryTimeOuts([&] { return ports_.notificationArea.Modify(balloon); }, kBalloonRetries, 0);
}

void CMainFrame::RemoveBalloon() {
  NotificationIcon balloon;
  balloon.window = id();
  balloon.id = kTrayIconId;
  balloon.flags = kNifInfo;
  RetryTimeOuts([&] { return ports_.notificationArea.Modify(balloon); }, kBalloonRetries, 0);
}

std::intptr_t CMainFrame::OnIconCallback(std::uint32_t mouseMessage) {
  if (host_.MessageBoxOnScreen()) return 0;
  switch (mouseMessage) {
    case win::kWmLButtonDown:
      OnLeftButtonDown();
      break;
    case win::kWmLButtonDblClk:
      OnLeftDoubleClick();
      break;
    case win::kWmRButtonDown:
      OnRightButtonDown();
      break;
    default:
      break;
  }
  // With "Show" set, an icon left over from a list that has since become empty goes now.
  if (host_.DeviceListEmpty()) UpdateIcon();
  return 1;
}

void CMainFrame::OnLeftButtonDown() {
  if (!host_.BusyMarker().empty()) {
    BringToFront();
    return;
  }
  // A press that reaches the window while one of its menus is tracked opens nothing of its own.
  if (menuTracked_) return;
  const ScreenPorts& screen = host_.MenuCommands().Screen();
  pressedAt_ = screen.cursor.Position();
  ui().StartTimer(id(), kDeviceMenuTimerId, screen.metrics.DoubleClickTimeMs());
}

// No second press came: the press was a click. A dialog opened meanwhile (a second start of the
// program) comes forward instead of the menu, as it would have for the press.
void CMainFrame::OnDeviceMenuTick() {
  ui().StopTimer(id(), kDeviceMenuTimerId);
  if (menuTracked_) return;
  if (!host_.BusyMarker().empty()) {
    BringToFront();
    return;
  }
  TrackDeviceMenu(pressedAt_);
}

void CMainFrame::OnLeftDoubleClick() {
  ui().StopTimer(id(), kDeviceMenuTimerId);
  if (!host_.BusyMarker().empty()) {
    BringToFront();
  } else if (ports_.keyboard.IsDown(kVkControl)) {
    ui().Post(id(), win::kWmClose, 0, 0);
  } else {
    host_.RemoveDeviceSequence();
  }
}

void CMainFrame::OnRightButtonDown() {
  // The device menu a left press left pending would open inside this press's menu.
  ui().StopTimer(id(), kDeviceMenuTimerId);
  const std::string_view marker = host_.BusyMarker();
  if (marker.empty()) {
    TrackCommandMenu();
    ui().Post(id(), win::kWmNull, 0, 0);
  } else if (marker == kWaitingForServiceMarker) {
    TrackServiceWaitMenu();
  } else {
    BringToFront();
  }
}

template <typename Show>
void CMainFrame::WhileTracked(Show show) {
  ui().StopTimer(id(), kDeviceMenuTimerId);
  menuTracked_ = true;
  show();
  menuTracked_ = false;
}

void CMainFrame::TrackDeviceMenu(ScreenPoint at) {
  WhileTracked([&] { menus_.ShowDeviceMenu(host_.Resources(), id(), at); });
}

void CMainFrame::TrackCommandMenu() {
  WhileTracked([&] { menus_.ShowCommandMenu(id()); });
}

void CMainFrame::TrackServiceWaitMenu() {
  WhileTracked([&] { menus_.ShowServiceWaitMenu(host_.Resources(), id()); });
}

}  // namespace holvara
