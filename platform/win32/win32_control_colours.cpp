#include "platform/win32/win32_control_colours.h"

#include <windows.h>

namespace holvara {

namespace {

class Win32Brush final : public Brush {
 public:
  explicit Win32Brush(HBRUSH brush) : brush_(brush) {}
  ~Win32Brush() override { DeleteObject(brush_); }
  Win32Brush(const Win32Brush&) = delete;
  Win32Brush& operator=(const Win32Brush&) = delete;
  BrushId id() const override { return reinterpret_cast<BrushId>(brush_); }

 private:
  HBRUSH brush_;
};

HDC Dc(DeviceContextId deviceContext) { return reinterpret_cast<HDC>(deviceContext); }

}  // namespace

void Win32ControlColours::SetTextColour(DeviceContextId deviceContext, std::uint32_t colour) {
  SetTextColor(Dc(deviceContext), colour);
}

void Win32ControlColours::SetTransparentBackground(DeviceContextId deviceContext) {
  SetBkMode(Dc(deviceContext), TRANSPARENT);
}

BrushId Win32ControlColours::NullBrush() { return reinterpret_cast<BrushId>(GetStockObject(NULL_BRUSH)); }

std::unique_ptr<Brush> Win32ControlColours::SolidBrush(std::uint32_t colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  if (brush == nullptr) return nullptr;
  return std::make_unique<Win32Brush>(brush);
}

}  // namespace holvara
