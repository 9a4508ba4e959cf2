// The colours a dialog gives its controls and its background while they paint (WM_CTLCOLOR*):
// the text colour and background mode of the control's device context, and the brush returned.
#pragma once

#include <cstdint>
#include <memory>

namespace holvara {

using DeviceContextId = std::uintptr_t;
using BrushId = std::uintptr_t;

inline constexpr std::uint32_t Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8) |
         (static_cast<std::uint32_t>(blue) << 16);
}

// A brush the program made; deleted with the object.
class Brush {
 public:
  virtual ~Brush() = default;
  virtual BrushId id() const = 0;
};

class ControlColours {
 public:
  virtual ~ControlColours() = default;
  virtual void SetTextColour(DeviceContextId deviceContext, std::uint32_t colour) = 0;
  virtual void SetTransparentBackground(DeviceContextId deviceContext) = 0;
  // The stock brush that paints nothing (NULL_BRUSH); never deleted.
  virtual BrushId NullBrush() = 0;
  // Null when no brush could be made.
  virtual std::unique_ptr<Brush> SolidBrush(std::uint32_t colour) = 0;
};

}  // namespace holvara
