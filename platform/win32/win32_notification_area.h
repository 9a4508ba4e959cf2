// The notification area over Shell_NotifyIconA.
#pragma once

#include "platform/ports/notification_icon.h"

namespace holvara {

class Win32NotificationArea final : public NotificationArea {
 public:
  NotifyResult Add(const NotificationIcon& icon) override;
  NotifyResult Modify(const NotificationIcon& icon) override;
  NotifyResult Delete(const NotificationIcon& icon) override;
};

}  // namespace holvara
