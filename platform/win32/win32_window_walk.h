// The Z order of top-level windows and window owners over USER32.
#pragma once

#include "platform/ports/window_walk.h"

namespace holvara {

class Win32WindowWalk final : public WindowWalk {
 public:
  WindowId Topmost() override;
  WindowId Next(WindowId window) override;
  WindowId Parent(WindowId window) override;
};

}  // namespace holvara
