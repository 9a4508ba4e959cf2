// Window rectangles and regions over USER32 and GDI.
#pragma once

#include "platform/ports/window_shape.h"

namespace holvara {

class Win32WindowShape final : public WindowShape {
 public:
  WindowRect Rect(WindowId window) override;
  bool SetRoundedRegion(WindowId window, int width, int height, int ellipseWidth, int ellipseHeight,
                        bool redraw) override;
  void ClearRegion(WindowId window, bool redraw) override;
};

}  // namespace holvara
