// What the program draws and shows beyond windows and boxes: popup menus, drawing, the cursor,
// dialog sizes, the program's version block, sounds, the other programs' windows and list controls.
#pragma once

#include "platform/ports/cursor.h"
#include "platform/ports/drawing.h"
#include "platform/ports/list_views.h"
#include "platform/ports/menus.h"
#include "platform/ports/sound.h"
#include "platform/ports/top_windows.h"
#include "platform/ports/version_info.h"
#include "platform/ports/window_metrics.h"

namespace holvara {

struct ScreenPorts {
  Menus& menus;
  Drawing& drawing;
  Cursor& cursor;
  WindowMetrics& metrics;
  VersionInfo& versions;
  Sound& sound;
  TopWindows& topWindows;
  ListViews& listViews;
};

}  // namespace holvara
