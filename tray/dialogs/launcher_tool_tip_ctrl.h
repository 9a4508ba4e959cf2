// A balloon tooltip control that shows a tip for each control it is given.
#pragma once

#include <string_view>

#include "platform/ports/tooltips.h"
#include "platform/ports/window_walk.h"

namespace holvara {

class CLauncherToolTipCtrl {
 public:
  CLauncherToolTipCtrl(Tooltips& tooltips, WindowWalk& windowWalk) : tooltips_(tooltips), windowWalk_(windowWalk) {}

  // The tooltip window, a popup owned by owner (and destroyed with it).
  bool Create(WindowId owner, std::uint32_t style);
  void SetTipBkColor(std::uint32_t colour);
  // A tip for the control: the control's window is the tool, its parent gets the notifications.
  bool AddTool(WindowId control, std::string_view text);

 private:
  Tooltips& tooltips_;
  WindowWalk& windowWalk_;
  WindowId window_ = kNoWindow;
};

}  // namespace holvara
