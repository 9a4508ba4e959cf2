// The cursor, dialog and window sizes, version blocks, sounds and the top-level windows over
// USER32, GDI and VERSION.
#pragma once

#include "platform/ports/cursor.h"
#include "platform/ports/sound.h"
#include "platform/ports/top_windows.h"
#include "platform/ports/version_info.h"
#include "platform/ports/window_metrics.h"

namespace holvara {

class Win32Cursor final : public Cursor {
 public:
  ScreenPoint Position() override;
  void Show(std::uintptr_t cursor) override;
};

class Win32WindowMetrics final : public WindowMetrics {
 public:
  int DialogBaseUnitHeight() override;
  int Dpi(WindowId window) override;
  int DpiAt(ScreenPoint point) override;
  int SmallIconSize(int dpi) override;
  ItemRectangle MapDialogRect(WindowId dialog, const ItemRectangle& rect) override;
  ItemRectangle ClientRect(WindowId window) override;
  std::uint32_t WindowStyle(WindowId window) override;
  ItemRectangle WindowRectFor(const ItemRectangle& client, std::uint32_t style, std::uint32_t exStyle) override;
  void ClearRegion(WindowId window, bool redraw) override;
  std::uint32_t DoubleClickTimeMs() override;
};

class Win32VersionInfo final : public VersionInfo {
 public:
  std::unique_ptr<VersionBlock> Read(std::string_view fileName) override;
};

class Win32Sound final : public Sound {
 public:
  void Beep(std::uint32_t type) override;
};

// Asks with SMTO_ABORTIFHUNG, so a window already known to hang is not waited for at all.
class Win32TopWindows final : public TopWindows {
 public:
  std::vector<WindowId> List() override;
  std::optional<std::string> TextWithin(WindowId window, std::uint32_t timeoutMs) override;
  bool SendWithin(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                  std::uint32_t timeoutMs) override;
  WindowId FindByClassAndTitle(std::string_view windowClass, std::string_view title) override;
  std::uint32_t ProcessOf(WindowId window) override;
  bool AllowForeground(std::uint32_t processId) override;
};

}  // namespace holvara
