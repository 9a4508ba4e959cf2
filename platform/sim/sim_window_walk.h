// The Z order of the simulated desktop's top-level windows: the most recently made or shown on top.
#pragma once

#include <algorithm>
#include <vector>

#include "platform/ports/window_walk.h"
#include "platform/sim/sim_desktop.h"

namespace holvara {

class SimWindowWalk : public WindowWalk {
 public:
  explicit SimWindowWalk(SimDesktop& desktop) : desktop_(desktop) {}

  WindowId Topmost() override {
    const std::vector<WindowId> order = desktop_.TopLevelZOrder();
    return order.empty() ? kNoWindow : order.front();
  }
  WindowId Next(WindowId window) override {
    const std::vector<WindowId> order = desktop_.TopLevelZOrder();
    const auto found = std::find(order.begin(), order.end(), window);
    return found == order.end() || found + 1 == order.end() ? kNoWindow : *(found + 1);
  }
  WindowId Parent(WindowId window) override { return desktop_.Owner(window); }

 private:
  SimDesktop& desktop_;
};

}  // namespace holvara
