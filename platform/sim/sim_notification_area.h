// A simulated notification area on the simulated desktop: it keeps the icons shown with their
// tips and images, the balloons, and every call with its result and virtual time. A test can make
// the next calls time out or fail, click an icon (the shell posts the icon's callback message to
// its window), and restart the shell, which loses every icon and broadcasts "TaskbarCreated".
//
// An icon's balloon stays on screen until the icon's next balloon replaces it, a balloon with an
// empty text or the icon's deletion takes it away, or the user clicks it. As on Windows 10 and
// later it is a notification that no top-level window carries; with balloonWindows set, as on
// older systems, it is a top-level window titled with its text, which a click closes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ports/clock.h"
#include "platform/ports/notification_icon.h"
#include "platform/sim/sim_desktop.h"

namespace holvara {

enum class SimNotifyOperation { kAdd, kModify, kDelete };

struct SimNotifyCall {
  SimNotifyOperation operation;
  NotificationIcon icon;
  NotifyResult result;
  std::uint64_t timeMs;
};

struct SimShownIcon {
  WindowId window;
  std::uint32_t id;
  std::uint32_t callbackMessage;
  std::uintptr_t image;
  std::string tip;
};

struct SimBalloon {
  WindowId window;
  std::uint32_t id;
  std::string text;
  std::string title;
  std::uint32_t timeoutMs;
  std::uint32_t flags;
};

class SimNotificationArea : public NotificationArea {
 public:
  SimNotificationArea(SimDesktop& desktop, Clock& clock) : desktop_(desktop), clock_(clock) {}

  NotifyResult Add(const NotificationIcon& icon) override;
  NotifyResult Modify(const NotificationIcon& icon) override;
  NotifyResult Delete(const NotificationIcon& icon) override;

  // The next count calls change nothing and fail with the error (kErrorTimeout: the shell is busy).
  void FailNextCalls(int count, std::uint32_t error);
  // The user clicks the icon: its window gets the callback message with the icon's number and the
  // mouse message. False when no such icon is shown.
  bool Click(WindowId window, std::uint32_t id, std::uint32_t mouseMessage);
  // The shell starts again: every icon is gone, and the top-level windows are told.
  void Restart();

  const std::vector<SimShownIcon>& icons() const { return icons_; }
  const SimShownIcon* Find(WindowId window, std::uint32_t id) const;
  // Every balloon shown (a balloon with an empty text shows none), and the icon's balloon on screen.
  const std::vector<SimBalloon>& balloons() const { return balloons_; }
  const SimBalloon* BalloonOnScreen(WindowId window, std::uint32_t id) const;

  bool balloonWindows = false;
  const std::vector<SimNotifyCall>& calls() const { return calls_; }

 private:
  struct OnScreen {
    SimBalloon balloon;
    WindowId window = kNoWindow;  // with balloonWindows
  };
  // The window of an older system's balloon: a click takes the balloon away.
  class BalloonWindow : public WindowHandler {
   public:
    explicit BalloonWindow(SimNotificationArea& area) : area_(area) {}
    std::intptr_t HandleMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) override;

   private:
    SimNotificationArea& area_;
  };

  void ShowBalloon(const SimBalloon& balloon);
  void TakeBalloonAway(WindowId window, std::uint32_t id);
  NotifyResult Record(SimNotifyOperation operation, const NotificationIcon& icon);
  NotifyResult Apply(SimNotifyOperation operation, const NotificationIcon& icon);
  SimShownIcon* FindShown(WindowId window, std::uint32_t id);

  SimDesktop& desktop_;
  Clock& clock_;
  int failuresLeft_ = 0;
  std::uint32_t failureError_ = 0;
  std::vector<SimShownIcon> icons_;
  std::vector<SimBalloon> balloons_;
  std::vector<OnScreen> onScreen_;
  BalloonWindow balloonWindow_{*this};
  std::vector<SimNotifyCall> calls_;
};

}  // namespace holvara
