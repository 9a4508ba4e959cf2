// The tray program's main window: a frame that is never shown, titled "Holvara", which a second
// start of the program finds and signals with the registered message "HOLVARA". It owns the
// notification icon, waits for the service and runs the start-up rescan on its timers, follows
// the system's device-change and power broadcasts, and routes the icon's mouse events.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ports/cursor.h"
#include "platform/ports/notification_icon.h"
#include "platform/ports/resources.h"
#include "tray/frame/frame_host.h"
#include "tray/frame/frame_menus.h"
#include "tray/frame/frame_ports.h"
#include "tray/framework/frame_window.h"

namespace holvara {

inline constexpr char kRegisteredMessageName[] = "HOLVARA";
inline constexpr std::uintptr_t kHolvaraClose = 0;
inline constexpr std::uintptr_t kHolvaraBringForward = 1;
inline constexpr std::uint32_t kTrayIconResource = 128;
inline constexpr std::uint32_t kIconTipString = 5;
inline constexpr std::uint32_t kBalloonString = 16;
inline constexpr std::uint32_t kTrayIconId = 100;
inline constexpr std::uint32_t kIconCallbackMessage = 0x8064;  // WM_APP + 100
inline constexpr char kBalloonTitle[] = "ZELTO Dock Warden";

// The main window's timers; each tick stops its own timer, and the next one is started where
// the sequence goes on.
inline constexpr std::uintptr_t kServiceWaitTimerId = 1;
inline constexpr std::uintptr_t kRescanTimerId = 2;
inline constexpr std::uintptr_t kIconTimerId = 3;
inline constexpr std::uintptr_t kDeviceChangeTimerId = 4;
// A press on the icon opens the device menu once the system's double-click time has passed
// without a second press: the menu's modal track would otherwise take the double click's second
// press, and a double click could never reach the icon. A right press, and any menu shown
// meanwhile, cancels the pending menu.
inline constexpr std::uintptr_t kDeviceMenuTimerId = 5;
// The installer's request to end (platform/ports/exit_request.h) is looked at on this timer,
// which repeats from the window's creation until the request is seen.
inline constexpr std::uintptr_t kExitRequestTimerId = 6;
inline constexpr std::uint32_t kExitRequestPollMs = 2000;
inline constexpr std::uint32_t kServiceRetryMs = 5000;
inline constexpr std::uint32_t kRescanDelayMs = 500;
inline constexpr std::uint32_t kIconDelayMs = 500;
inline constexpr std::uint32_t kNodesChangedDelayMs = 1600;
inline constexpr std::uint32_t kArrivalOrRemovalDelayMs = 1000;

// Icon calls the shell was too busy to answer are made again: the icon update six more times,
// 2000 ms apart; the balloon once more, at once.
inline constexpr int kIconUpdateRetries = 6;
inline constexpr std::uint32_t kIconUpdateRetryPauseMs = 2000;
inline constexpr int kBalloonRetries = 1;
inline constexpr std::uint32_t kBalloonTimeoutMs = 10000;
inline constexpr std::uint32_t kResumePauseMs = 1000;

// The text of a balloon as it is shown: the string of the resource library cut to the record's
// 256-byte field. Its dismissal looks for exactly this text.
std::string BalloonText(ResourceLibrary& library, std::uint32_t stringId);

class CMainFrame : public framework::FrameWindow {
 public:
  CMainFrame(Ui& ui, const FramePorts& ports, FrameHost& host);

  // Whatever the framework asks for, the main window stays hidden.
  void ActivateFrame(int showCommand) override;

  // Adds the icon, or deletes it when "Show" is set and the device list is empty. Every update
  // adds: for an icon already shown the shell refuses, and the icon stays as it is.
  void UpdateIcon();
  // A balloon above the icon with string stringId of the resource library and the NIIF_* icon.
  void ShowBalloon(std::uint32_t stringId, std::uint32_t flags);
  // Takes the icon's balloon off the screen: a balloon with an empty text on the same icon. On
  // Windows 10 and later a balloon is a notification that no window carries, and this is the one
  // way to end it before its time.
  void RemoveBalloon();

  // The notification icon image in the display's small-icon size, 0 when the library has none.
  std::uintptr_t trayIconImage() const { return trayIcon_ ? trayIcon_->Handle() : 0; }

 protected:
  bool PreCreateWindow(WindowCreation& creation) override;
  int OnCreate() override;
  std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

  // The icon's popup menus, owned by the main window: the device menu on a left click, tracked
  // where the icon was pressed; at the cursor the command menu on a right click, and the
  // service-wait menu on a right click while the service is awaited.
  virtual void TrackDeviceMenu(ScreenPoint at);
  virtual void TrackCommandMenu();
  virtual void TrackServiceWaitMenu();

 private:
  void LoadTrayIcon();
  void OnDpiChanged();
  void OnRegisteredMessage(std::uintptr_t request);
  void OnTimer(std::uintptr_t timer);
  void OnServiceWaitTick();
  void OnRescanTick();
  void OnDeviceChangeTick();
  void OnExitRequestTick();
  std::intptr_t OnDeviceChange(std::uintptr_t event);
  std::intptr_t OnPowerBroadcast(std::uintptr_t event, std::intptr_t data);
  std::intptr_t OnIconCallback(std::uint32_t mouseMessage);
  void OnLeftButtonDown();
  void OnDeviceMenuTick();
  void OnLeftDoubleClick();
  void OnRightButtonDown();
  void OnDestroy();
  // Makes the call, and again after each time-out up to retries more times.
  template <typename Call>
  void RetryTimeOuts(Call call, int retries, std::uint32_t pauseMs);
  // Raises the main window and with it the dialogs it owns above the other windows.
  void BringToFront();
  // Shows one of the icon's menus: a device menu still pending is dropped, and no press or tick
  // that arrives during the menu's modal track opens another one inside it.
  template <typename Show>
  void WhileTracked(Show show);

  FramePorts ports_;
  FrameHost& host_;
  std::uint32_t registeredMessage_;
  std::uint32_t taskbarCreatedMessage_;
  std::unique_ptr<ResourceImage> trayIcon_;
  // Kept for the frame's life and filled again by every icon update.
  NotificationIcon iconRecord_;
  FrameMenus menus_;
  // Where the icon was pressed, while the device menu waits for the double-click time to pass.
  ScreenPoint pressedAt_{};
  bool menuTracked_ = false;
};

}  // namespace holvara
