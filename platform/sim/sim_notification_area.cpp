#include "platform/sim/sim_notification_area.h"

#include <algorithm>
#include <string_view>

#include "platform/ports/ui_constants.h"

namespace holvara {

namespace {

// The fields of the system's record, with their terminators.
constexpr std::size_t kTipField = 128;
constexpr std::size_t kBalloonTextField = 256;
constexpr std::size_t kBalloonTitleField = 64;
constexpr std::uint32_t kWmLButtonDown = 0x0201;

std::string Cut(std::string_view text, std::size_t field) {
  return std::string(text.substr(0, std::min(text.size(), field - 1)));
}

}  // namespace

NotifyResult SimNotificationArea::Add(const NotificationIcon& icon) { return Record(SimNotifyOperation::kAdd, icon); }

NotifyResult SimNotificationArea::Modify(const NotificationIcon& icon) {
  return Record(SimNotifyOperation::kModify, icon);
}

NotifyResult SimNotificationArea::Delete(const NotificationIcon& icon) {
  return Record(SimNotifyOperation::kDelete, icon);
}

NotifyResult SimNotificationArea::Record(SimNotifyOperation operation, const NotificationIcon& icon) {
  NotifyResult result;
  if (failuresLeft_ > 0) {
    --failuresLeft_;
    result = {false, failureError_};
  } else {
    result = Apply(operation, icon);
  }
  calls_.push_back({operation, icon, result, clock_.NowMs()});
  return result;
}

// The shell gives no reason for a refused call: the error stays 0.
NotifyResult SimNotificationArea::Apply(SimNotifyOperation operation, const NotificationIcon& icon) {
  SimShownIcon* shown = FindShown(icon.window, icon.id);
  switch (operation) {
    case SimNotifyOperation::kAdd:
      if (shown != nullptr) return {false, 0};
      icons_.push_back({icon.window, icon.id, 0, 0, {}});
      shown = &icons_.back();
      break;
    case SimNotifyOperation::kModify:
      if (shown == nullptr) return {false, 0};
      break;
    case SimNotifyOperation::kDelete:
      if (shown == nullptr) return {false, 0};
      std::erase_if(icons_, [&](const SimShownIcon& other) { return &other == shown; });
      TakeBalloonAway(icon.window, icon.id);
      return {true, 0};
  }
  if (icon.flags & kNifMessage) shown->callbackMessage = icon.callbackMessage;
  if (icon.flags & kNifIcon) shown->image = icon.image;
  if (icon.flags & kNifTip) shown->tip = Cut(icon.tip, kTipField);
  if (icon.flags & kNifInfo) {
    TakeBalloonAway(icon.window, icon.id);
    if (!icon.balloonText.empty()) {
      ShowBalloon({icon.window, icon.id, Cut(icon.balloonText, kBalloonTextField),
                   Cut(icon.balloonTitle, kBalloonTitleField), icon.balloonTimeoutMs, icon.balloonFlags});
    }
  }
  return {true, 0};
}

void SimNotificationArea::ShowBalloon(const SimBalloon& balloon) {
  balloons_.push_back(balloon);
  OnScreen shown{balloon};
  if (balloonWindows) shown.window = desktop_.Create({.title = balloon.text, .style = win::kWsPopup}, balloonWindow_);
  onScreen_.push_back(shown);
}

void SimNotificationArea::TakeBalloonAway(WindowId window, std::uint32_t id) {
  const auto found = std::find_if(onScreen_.begin(), onScreen_.end(), [&](const OnScreen& shown) {
    return shown.balloon.window == window && shown.balloon.id == id;
  });
  if (found == onScreen_.end()) return;
  const WindowId balloonWindow = found->window;
  onScreen_.erase(found);
  if (balloonWindow != kNoWindow) desktop_.Destroy(balloonWindow);
}

std::intptr_t SimNotificationArea::BalloonWindow::HandleMessage(WindowId window, std::uint32_t message, std::uintptr_t,
                                                                std::intptr_t) {
  if (message == win::kWmNcCreate) return 1;
  if (message != kWmLButtonDown) return 0;
  const auto found = std::find_if(area_.onScreen_.begin(), area_.onScreen_.end(),
                                  [&](const OnScreen& shown) { return shown.window == window; });
  if (found != area_.onScreen_.end()) area_.TakeBalloonAway(found->balloon.window, found->balloon.id);
  return 0;
}

const SimBalloon* SimNotificationArea::BalloonOnScreen(WindowId window, std::uint32_t id) const {
  for (const OnScreen& shown : onScreen_) {
    if (shown.balloon.window == window && shown.balloon.id == id) return &shown.balloon;
  }
  return nullptr;
}

void SimNotificationArea::FailNextCalls(int count, std::uint32_t error) {
  failuresLeft_ = count;
  failureError_ = error;
}

bool SimNotificationArea::Click(WindowId window, std::uint32_t id, std::uint32_t mouseMessage) {
  const SimShownIcon* shown = Find(window, id);
  if (shown == nullptr) return false;
  return desktop_.Post(window, shown->callbackMessage, id, static_cast<std::intptr_t>(mouseMessage));
}

void SimNotificationArea::Restart() {
  icons_.clear();
  while (!onScreen_.empty()) TakeBalloonAway(onScreen_.front().balloon.window, onScreen_.front().balloon.id);
  desktop_.Broadcast(desktop_.RegisterMessage(kTaskbarCreatedMessage), 0, 0);
}

const SimShownIcon* SimNotificationArea::Find(WindowId window, std::uint32_t id) const {
  const auto found = std::find_if(icons_.begin(), icons_.end(),
                                  [&](const SimShownIcon& icon) { return icon.window == window && icon.id == id; });
  return found == icons_.end() ? nullptr : &*found;
}

SimShownIcon* SimNotificationArea::FindShown(WindowId window, std::uint32_t id) {
  return const_cast<SimShownIcon*>(Find(window, id));
}

}  // namespace holvara
