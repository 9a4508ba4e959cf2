#include "platform/win32/win32_window_shape.h"

#include <windows.h>

namespace holvara {

WindowRect Win32WindowShape::Rect(WindowId window) {
  RECT rect{};
  GetWindowRect(reinterpret_cast<HWND>(window), &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

bool Win32WindowShape::SetRoundedRegion(WindowId window, int width, int height, int ellipseWidth, int ellipseHeight,
                                        bool redraw) {
  HRGN region = CreateRoundRectRgn(0, 0, width, height, ellipseWidth, ellipseHeight);
  if (region == nullptr) return false;
  if (SetWindowRgn(reinterpret_cast<HWND>(window), region, redraw ? TRUE : FALSE) != 0) return true;
  // Only a region the window took belongs to the window.
  DeleteObject(region);
  return false;
}

void Win32WindowShape::ClearRegion(WindowId window, bool redraw) {
  SetWindowRgn(reinterpret_cast<HWND>(window), nullptr, redraw ? TRUE : FALSE);
}

}  // namespace holvara
