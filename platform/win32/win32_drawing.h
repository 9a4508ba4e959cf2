// Drawing through GDI: each surface wraps a device context and puts back what it selected.
#pragma once

#include "platform/ports/drawing.h"

namespace holvara {

class Win32Drawing final : public Drawing {
 public:
  std::unique_ptr<Surface> OfDeviceContext(std::uintptr_t deviceContext) override;
  std::unique_ptr<Surface> Screen() override;
  std::unique_ptr<Surface> Paint(WindowId window) override;
  Colour SystemColour(int index) override;
  std::uintptr_t NullBrush() override;
};

}  // namespace holvara
