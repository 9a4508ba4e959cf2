// Sizes of a dialog and its frame: dialog units, client and window rectangles, and the region
// that shapes a window.
#pragma once

#include <cstdint>

#include "platform/ports/cursor.h"
#include "platform/ports/owner_draw.h"
#include "platform/ports/program_windows.h"

namespace holvara {

inline constexpr std::uint32_t kWsExClientEdge = 0x00000200;

class WindowMetrics {
 public:
  virtual ~WindowMetrics() = default;
  // The height of the system's dialog base unit (the high word of GetDialogBaseUnits).
  virtual int DialogBaseUnitHeight() = 0;
  // Pixels per logical inch where the window is shown (96 at 100% scaling).
  virtual int Dpi(WindowId window) = 0;
  // Pixels per logical inch of the monitor that holds the point (or the nearest one).
  virtual int DpiAt(ScreenPoint point) = 0;
  // The system's small-icon size in pixels for the density (SM_CXSMICON): 16 at 96, 24 at 144.
  virtual int SmallIconSize(int dpi) = 0;
  // Dialog units of the dialog's font to pixels (MapDialogRect).
  virtual ItemRectangle MapDialogRect(WindowId dialog, const ItemRectangle& rect) = 0;
  virtual ItemRectangle ClientRect(WindowId window) = 0;
  virtual std::uint32_t WindowStyle(WindowId window) = 0;
  // The window rectangle around a client rectangle for a style without a menu (AdjustWindowRectEx).
  virtual ItemRectangle WindowRectFor(const ItemRectangle& client, std::uint32_t style, std::uint32_t exStyle) = 0;
  // Removes the window's region, so it keeps its plain rectangle (SetWindowRgn with none).
  virtual void ClearRegion(WindowId window, bool redraw) = 0;
  // The longest time between the two clicks of a double click, as the user set it (GetDoubleClickTime).
  virtual std::uint32_t DoubleClickTimeMs() = 0;
};

}  // namespace holvara
