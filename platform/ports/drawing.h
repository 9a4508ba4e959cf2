// Drawing on a device context: fills, text in a colour, 16 by 16 cells of a bitmap and icons.
// The logic decides what goes where; the adapter makes and frees the brushes, fonts and memory
// contexts that drawing it takes.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/ports/control_colours.h"
#include "platform/ports/owner_draw.h"
#include "platform/ports/program_windows.h"

namespace holvara {

using Colour = std::uint32_t;  // 0x00BBGGRR, as COLORREF, made with Rgb

// System colour indices (GetSysColor).
inline constexpr int kSystemMenuColour = 4;        // COLOR_MENU
inline constexpr int kSystemMenuTextColour = 7;    // COLOR_MENUTEXT
inline constexpr int kSystemWindowTextColour = 8;  // COLOR_WINDOWTEXT
inline constexpr int kSystemFaceColour = 15;       // COLOR_3DFACE

inline constexpr int kBitmapCellSize = 16;
// The pixel density all the program's pixel sizes are given for.
inline constexpr int kBaseDpi = 96;

struct TextSize {
  int width;
  int height;
};

class Surface {
 public:
  virtual ~Surface() = default;
  // Pixels per logical inch of the surface (96 at 100% scaling, 192 at 200%).
  virtual int Dpi() = 0;
  // Selects the system's menu font as made for the density (the menu font of the non-client
  // metrics for that DPI); the surface puts the previous font back and frees this one when it goes.
  virtual void UseMenuFont(int dpi) = 0;
  virtual TextSize MeasureText(std::string_view text) = 0;  // GetTextExtentPoint32A
  // Fills with a solid brush of the colour, made for this fill and deleted after it.
  virtual void Fill(const ItemRectangle& rect, Colour colour) = 0;
  virtual void SetTextColour(Colour colour) = 0;
  virtual void SetBackgroundColour(Colour colour) = 0;
  virtual void SetTransparentBackground() = 0;
  virtual void WriteText(int x, int y, std::string_view text) = 0;  // TextOutA
  // Copies the cell of the bitmap at (sourceX, sourceY), kBitmapCellSize square, into the square
  // of the given size at (x, y); a size other than the cell's stretches it.
  virtual void DrawBitmapCell(std::uintptr_t bitmap, int sourceX, int sourceY, int x, int y, int size) = 0;
  virtual void DrawIcon(int x, int y, std::uintptr_t icon) = 0;
};

class Drawing {
 public:
  virtual ~Drawing() = default;
  // A device context the system lent with a message (WM_DRAWITEM, WM_CTLCOLOR...); it stays the
  // system's.
  virtual std::unique_ptr<Surface> OfDeviceContext(std::uintptr_t deviceContext) = 0;
  // The screen's device context, released when the surface goes.
  virtual std::unique_ptr<Surface> Screen() = 0;
  // BeginPaint on the window; EndPaint when the surface goes.
  virtual std::unique_ptr<Surface> Paint(WindowId window) = 0;
  virtual Colour SystemColour(int index) = 0;
  // The stock NULL_BRUSH, for a control that paints no background.
  virtual std::uintptr_t NullBrush() = 0;
};

// A length given at 96 pixels per inch, at the surface's density.
constexpr int Scaled(int pixels, int dpi) { return pixels * dpi / kBaseDpi; }

}  // namespace holvara
