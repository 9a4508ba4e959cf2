// The top-level windows of the simulated desktop, of which a test may mark some as hung: those
// answer nothing within any time-out.
#pragma once

#include <set>

#include "platform/ports/top_windows.h"
#include "platform/sim/sim_desktop.h"

namespace holvara {

class SimTopWindows : public TopWindows {
 public:
  explicit SimTopWindows(SimDesktop& desktop) : desktop_(desktop) {}

  std::vector<WindowId> List() override { return desktop_.TopLevelWindows(); }
  std::optional<std::string> TextWithin(WindowId window, std::uint32_t) override {
    if (hung.count(window) != 0 || !desktop_.Exists(window)) return std::nullopt;
    return desktop_.Title(window).substr(0, 255);
  }
  bool SendWithin(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                  std::uint32_t) override {
    if (hung.count(window) != 0 || !desktop_.Exists(window)) return false;
    desktop_.Send(window, message, wParam, lParam);
    return true;
  }

  std::set<WindowId> hung;

 private:
  SimDesktop& desktop_;
};

}  // namespace holvara
