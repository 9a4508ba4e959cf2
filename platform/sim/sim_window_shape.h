// Window outlines on the simulated desktop: every window has the same rectangle unless a test sets
// one, and each region a window gets is recorded.
#pragma once

#include <map>
#include <vector>

#include "platform/ports/window_shape.h"

namespace holvara {

struct SimRegion {
  WindowId window = kNoWindow;
  bool rounded = false;  // false: the region was taken away
  int width = 0;
  int height = 0;
  int ellipseWidth = 0;
  int ellipseHeight = 0;
  bool redraw = false;
};

class SimWindowShape : public WindowShape {
 public:
  WindowRect Rect(WindowId window) override {
    const auto found = rects_.find(window);
    return found == rects_.end() ? defaultRect : found->second;
  }
  bool SetRoundedRegion(WindowId window, int width, int height, int ellipseWidth, int ellipseHeight,
                        bool redraw) override {
    regions_.push_back({window, true, width, height, ellipseWidth, ellipseHeight, redraw});
    return true;
  }
  void ClearRegion(WindowId window, bool redraw) override { regions_.push_back({window, false, 0, 0, 0, 0, redraw}); }

  void SetRect(WindowId window, WindowRect rect) { rects_[window] = rect; }
  const std::vector<SimRegion>& regions() const { return regions_; }

  WindowRect defaultRect{100, 200, 340, 260};

 private:
  std::map<WindowId, WindowRect> rects_;
  std::vector<SimRegion> regions_;
};

}  // namespace holvara
