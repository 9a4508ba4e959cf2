// Everything the tray program reaches of the system, bundled for the application object.
#pragma once

#include "platform/ports/control_colours.h"
#include "platform/ports/debug_output.h"
#include "platform/ports/exit_request.h"
#include "platform/ports/files.h"
#include "platform/ports/keyboard.h"
#include "platform/ports/mutex.h"
#include "platform/ports/notification_icon.h"
#include "platform/ports/registry.h"
#include "platform/ports/resources.h"
#include "platform/ports/screen_ports.h"
#include "platform/ports/system.h"
#include "platform/ports/threads.h"
#include "platform/ports/tooltips.h"
#include "platform/ports/ui.h"
#include "platform/ports/window_shape.h"
#include "platform/ports/window_walk.h"

namespace holvara {

struct TrayPorts {
  Ui& ui;
  Registry& registry;
  ResourceLoader& resources;
  NamedMutexes& mutexes;
  SystemInfo& system;
  Shell& shell;
  FileSystem& files;
  DebugOutput& debug;
  NotificationArea& notificationArea;
  Keyboard& keyboard;
  ExitRequest& exitRequest;
  // The dialogs' worker threads, outlines, window walk, tooltips and colours.
  Threads& threads;
  WindowShape& shapes;
  WindowWalk& windowWalk;
  Tooltips& tooltips;
  ControlColours& colours;
  ScreenPorts screen;
};

}  // namespace holvara
