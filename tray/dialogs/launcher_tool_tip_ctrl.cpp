#include "tray/dialogs/launcher_tool_tip_ctrl.h"

namespace holvara {

bool CLauncherToolTipCtrl::Create(WindowId owner, std::uint32_t style) {
  window_ = tooltips_.CreateTooltip(owner, style);
  return window_ != kNoWindow;
}

void CLauncherToolTipCtrl::SetTipBkColor(std::uint32_t colour) {
  if (window_ != kNoWindow) tooltips_.SetBackgroundColour(window_, colour);
}

bool CLauncherToolTipCtrl::AddTool(WindowId control, std::string_view text) {
  if (window_ == kNoWindow) return false;
  return tooltips_.AddTool(window_, {kToolIdIsWindow | kToolSubclass, windowWalk_.Parent(control), control, text});
}

}  // namespace holvara
