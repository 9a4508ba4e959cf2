// Window sizes on the simulated desktop: dialog units of 6 by 13 pixels (a dialog unit is a
// quarter of the width and an eighth of the height), a client rectangle a test sets, and a
// frame of 3 pixels with a 22-pixel title bar around it; the system's double-click time of 500 ms;
// monitors a test sets, each with its density, and small icons of 16 pixels at 96 dots per inch
// scaled with the density.
#pragma once

#include <map>
#include <vector>

#include "platform/ports/drawing.h"
#include "platform/ports/window_metrics.h"

namespace holvara {

// A monitor of the simulated desktop: its screen area and its density.
struct SimMonitor {
  ItemRectangle area;
  int dpi;
};

class SimWindowMetrics : public WindowMetrics {
 public:
  static constexpr int kBaseSmallIcon = 16;
  static constexpr int kFrame = 3;
  static constexpr int kTitleBar = 22;

  int DialogBaseUnitHeight() override { return baseUnitHeight; }
  int Dpi(WindowId) override { return dpi; }
  int DpiAt(ScreenPoint point) override {
    for (const SimMonitor& monitor : monitors) {
      const ItemRectangle& r = monitor.area;
      if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom) return monitor.dpi;
    }
    return dpi;
  }
  int SmallIconSize(int forDpi) override { return Scaled(kBaseSmallIcon, forDpi); }
  ItemRectangle MapDialogRect(WindowId, const ItemRectangle& rect) override {
    return {rect.left * 6 / 4, rect.top * 13 / 8, rect.right * 6 / 4, rect.bottom * 13 / 8};
  }
  ItemRectangle ClientRect(WindowId) override { return clientRect; }
  std::uint32_t WindowStyle(WindowId) override { return style; }
  ItemRectangle WindowRectFor(const ItemRectangle& client, std::uint32_t, std::uint32_t) override {
    return {client.left - kFrame, client.top - kFrame - kTitleBar, client.right + kFrame, client.bottom + kFrame};
  }
  void ClearRegion(WindowId window, bool) override { clearedRegions_.push_back(window); }
  std::uint32_t DoubleClickTimeMs() override { return doubleClickTimeMs; }

  const std::vector<WindowId>& clearedRegions() const { return clearedRegions_; }

  int baseUnitHeight = 16;
  int dpi = kBaseDpi;  // of every window, and of every point outside the monitors
  std::vector<SimMonitor> monitors;
  ItemRectangle clientRect{0, 0, 375, 244};
  std::uint32_t style = 0x94C800C4;
  std::uint32_t doubleClickTimeMs = 500;

 private:
  std::vector<WindowId> clearedRegions_;
};

}  // namespace holvara
