// The outline of a window: its rectangle on screen and the region that clips it.
#pragma once

#include "platform/ports/program_windows.h"

namespace holvara {

struct WindowRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

class WindowShape {
 public:
  virtual ~WindowShape() = default;
  virtual WindowRect Rect(WindowId window) = 0;
  // Clips the window to a rectangle from (0, 0) to (width, height) with rounded corners of the
  // given ellipse size; the window owns the region from then on. False when it could not be set.
  virtual bool SetRoundedRegion(WindowId window, int width, int height, int ellipseWidth, int ellipseHeight,
                                bool redraw) = 0;
  // Takes the window's region away, so that the whole rectangle shows.
  virtual void ClearRegion(WindowId window, bool redraw) = 0;
};

}  // namespace holvara
