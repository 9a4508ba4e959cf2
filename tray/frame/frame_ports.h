// What the main frame reaches of the system besides the window system.
#pragma once

#include "platform/ports/debug_output.h"
#include "platform/ports/exit_request.h"
#include "platform/ports/keyboard.h"
#include "platform/ports/notification_icon.h"

namespace holvara {

struct FramePorts {
  NotificationArea& notificationArea;
  Keyboard& keyboard;
  DebugOutput& debug;
  ExitRequest& exitRequest;
};

}  // namespace holvara
