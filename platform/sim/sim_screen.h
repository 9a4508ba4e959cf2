// The simulated PC's screen beyond its windows: menus, drawing, cursor, window sizes, the
// program's version block, sounds, the top-level windows and list controls, bundled as the program takes them.
#pragma once

#include "platform/ports/screen_ports.h"
#include "platform/sim/sim_cursor.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_drawing.h"
#include "platform/sim/sim_list_views.h"
#include "platform/sim/sim_menus.h"
#include "platform/sim/sim_sound.h"
#include "platform/sim/sim_top_windows.h"
#include "platform/sim/sim_version_info.h"
#include "platform/sim/sim_window_metrics.h"

namespace holvara {

struct SimScreen {
  explicit SimScreen(SimDesktop& desktop) : menus(desktop, drawing), topWindows(desktop), listViews(desktop) {}
  ScreenPorts ports() { return {menus, drawing, cursor, metrics, versions, sound, topWindows, listViews}; }

  SimDrawing drawing;
  SimMenus menus;
  SimCursor cursor;
  SimWindowMetrics metrics;
  SimVersionInfo versions;
  SimSound sound;
  SimTopWindows topWindows;
  SimListViews listViews;
};

}  // namespace holvara
