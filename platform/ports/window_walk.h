// The top-level windows of the desktop in Z order, and who owns a window. Titles and visibility
// come from the Ui port.
#pragma once

#include "platform/ports/program_windows.h"

namespace holvara {

class WindowWalk {
 public:
  virtual ~WindowWalk() = default;
  // The top-level window at the top of the Z order (GetTopWindow with no window).
  virtual WindowId Topmost() = 0;
  // The window below this one in the Z order, kNoWindow after the last (GW_HWNDNEXT).
  virtual WindowId Next(WindowId window) = 0;
  // A child window's parent, or a top-level window's owner (GetParent).
  virtual WindowId Parent(WindowId window) = 0;
};

}  // namespace holvara
