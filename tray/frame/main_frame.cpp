#include "tray/frame/main_frame.h"

#include "platform/ports/ui_constants.h"
#include "tray/frame/system_messages.h"

namespace holvara {

namespace {
// Without WS_VISIBLE, WS_CAPTION and WS_SYSMENU.
constexpr std::uint32_t kHiddenFrameStyleMask = 0xEF37FFFF;
}  // namespace

CMainFrame::CMainFrame(Ui& ui, const FramePorts& ports, FrameHost& host)
    : FrameWindow(ui),
      ports_(ports),
      host_(host),
      registeredMessage_(ui.RegisterMessage(kRegisteredMessageName)),
      taskbarCreatedMessage_(ui.RegisterMessage(kTaskbarCreatedMessage)),
      menus_(ui, host.MenuCommands(),
             {[this](std::uint32_t stringId, std::uint32_t flags) { ShowBalloon(stringId, flags); },
              [this] { RemoveBalloon(); }}) {}

void CMainFrame::ActivateFrame(int) { FrameWindow::ActivateFrame(win::kSwHide); }

bool CMainFrame::PreCreateWindow(WindowCreation& creation) {
  creation.style = (creation.style & kHiddenFrameStyleMask) | win::kWsPopup;
  creation.menu = 0;
  creation.x = creation.y = creation.width = creation.height = 0;
  return FrameWindow::PreCreateWindow(creation);
}

int CMainFrame::OnCreate() {
  if (FrameWindow::OnCreate() == -1) return -1;
  LoadTrayIcon();
  ui().StartTimer(id(), kExitRequestTimerId, kExitRequestPollMs);
  return 0;
}

std::intptr_t CMainFrame::WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  if (message == registeredMessage_) {
    OnRegisteredMessage(wParam);
    return 1;
  }
  if (message == taskbarCreatedMessage_) {
    // The shell started again without the icon; it comes back by the rule of every update, in
    // the size of the display as it is now.
    LoadTrayIcon();
    UpdateIcon();
    return 0;
  }
  switch (message) {
    case win::kWmTimer:
      OnTimer(wParam);
      return 0;
    case win::kWmDeviceChange:
      return OnDeviceChange(wParam);
    case win::kWmPowerBroadcast:
      return OnPowerBroadcast(wParam, lParam);
    case win::kWmDpiChanged:
      OnDpiChanged();
      return 0;
    case kIconCallbackMessage:
      return OnIconCallback(static_cast<std::uint32_t>(lParam));
    case kWmMeasureItem:
      menus_.Measure(host_.Resources(), *reinterpret_cast<MeasureItemRecord*>(lParam));
      return 1;
    case kWmDrawItem:
      menus_.Draw(host_.Resources(), *reinterpret_cast<const DrawItemRecord*>(lParam));
      return 1;
    case win::kWmCommand:
      if (menus_.OnCommand(host_.Resources(), id(), static_cast<std::uint32_t>(wParam & 0xFFFF))) return 0;
      return FrameWindow::WindowProc(message, wParam, lParam);
    case win::kWmDestroy:
      OnDestroy();
      return FrameWindow::WindowProc(message, wParam, lParam);
    case win::kWmQueryEndSession:
    case win::kWmEndSession:
      // The session ends the process; nothing is cleaned up on the way.
      return 1;
    default:
      return FrameWindow::WindowProc(message, wParam, lParam);
  }
}

// The icon in the system's small-icon size for the density of the main window's monitor, the
// primary one, whose taskbar holds the notification area: 16 by 16 pixels at 96 dots per inch.
void CMainFrame::LoadTrayIcon() {
  WindowMetrics& metrics = host_.MenuCommands().Screen().metrics;
  const int size = metrics.SmallIconSize(metrics.Dpi(id()));
  trayIcon_ = host_.Resources().Icon(kTrayIconResource, size, size);
}

// The scaling of the main window's display was set anew: the shown icon gets the image in the new
// size (a hidden one gets it at its next update). The new density is the window's own by now.
void CMainFrame::OnDpiChanged() {
  LoadTrayIcon();
  NotificationIcon icon;
  icon.window = id();
  icon.id = kTrayIconId;
  icon.flags = kNifIcon;
  icon.image = trayIconImage();
  ports_.notificationArea.Modify(icon);
}

void CMainFrame::OnRegisteredMessage(std::uintptr_t request) {
  switch (request) {
    case kHolvaraClose:
      ui().Post(id(), win::kWmClose, 0, 0);
      break;
    case kHolvaraBringForward:
      // The second start let this process take the foreground; the dialog comes up in front of
      // the active window, as the icon's menus do, rather than behind it.
      host_.MenuCommands().Screen().menus.MakeForeground(id());
      if (!host_.BusyMarker().empty()) {
        BringToFront();
      } else {
        host_.RemoveDeviceSequence();
      }
      break;
    default:
      break;
  }
}

void CMainFrame::OnDestroy() {
  NotificationIcon icon = iconRecord_;
  icon.window = id();
  icon.id = kTrayIconId;
  ports_.notificationArea.Delete(icon);
}

void CMainFrame::BringToFront() {
  ui().SetPosition(id(), win::kHwndTopmost, 0, 0, 0, 0, win::kSwpNoSize | win::kSwpNoMove);
  ui().SetPosition(id(), win::kHwndNoTopmost, 0, 0, 0, 0, win::kSwpNoSize | win::kSwpNoMove);
}

}  // namespace holvara
