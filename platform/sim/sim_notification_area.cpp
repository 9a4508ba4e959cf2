#include "platform/sim/sim_notification_area.h"

#include <algorithm>
#include <string_view>

namespace holvara {

namespace {

// The fields of the system's record, with their terminators.
constexpr std::size_t kTipField = 128;
constexpr std::size_t kBalloonTextField = 256;
constexpr std::size_t kBalloonTitleField = 64;

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
      return {true, 0};
  }
  if (icon.flags & kNifMessage) shown->callbackMessage = icon.callbackMessage;
  if (icon.flags & kNifIcon) shown->image = icon.image;
  if (icon.flags & kNifTip) shown->tip = Cut(icon.tip, kTipField);
  if (icon.flags & kNifInfo) {
    balloons_.push_back({icon.window, icon.id, Cut(icon.balloonText, kBalloonTextField),
                         Cut(icon.balloonTitle, kBalloonTitleField), icon.balloonTimeoutMs, icon.balloonFlags});
  }
  return {true, 0};
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
