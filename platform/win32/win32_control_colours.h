// Control colours over GDI.
#pragma once

#include "platform/ports/control_colours.h"

namespace holvara {

class Win32ControlColours final : public ControlColours {
 public:
  void SetTextColour(DeviceContextId deviceContext, std::uint32_t colour) override;
  void SetTransparentBackground(DeviceContextId deviceContext) override;
  BrushId NullBrush() override;
  std::unique_ptr<Brush> SolidBrush(std::uint32_t colour) override;
};

}  // namespace holvara
