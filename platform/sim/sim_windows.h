// Simulated windows: made, destroyed, titled, shown, enabled and positioned in the shared window
// table; what tests read back about them (styles, owners, children, Z order, position calls).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports/program_windows.h"
#include "platform/sim/sim_window_table.h"

namespace holvara {

struct SimPositionCall {
  WindowId window;
  WindowId insertAfter;
  std::uint32_t flags;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

class SimWindows : public virtual Windows {
 public:
  explicit SimWindows(SimWindowTable& table) : table_(table) {}

  WindowId Create(const WindowCreation& creation, WindowHandler& handler) override;
  std::intptr_t DefaultProcessing(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) override;
  void Destroy(WindowId window) override;
  void SetTitle(WindowId window, std::string_view title) override;
  std::string Title(WindowId window) override;
  void Show(WindowId window, int command) override;
  bool IsVisible(WindowId window) override;
  bool IsEnabled(WindowId window) override;
  void Enable(WindowId window, bool enable) override;
  WindowId LastActivePopup(WindowId window) override;
  void SetPosition(WindowId window, WindowId insertAfter, int x, int y, int width, int height,
                   std::uint32_t flags) override;

  // Templates of the dialogs that were ever on screen.
  const std::vector<int>& dialogsSeen() const { return dialogsSeen_; }
  const std::vector<SimPositionCall>& positionCalls() const { return positions_; }
  bool Exists(WindowId window) const { return table_.Find(window) != nullptr; }
  // A top-level window with this title (compared without regard to case), visible or not.
  WindowId FindByTitle(std::string_view title);
  bool IsDialog(WindowId window) const {
    const SimWindow* found = table_.Find(window);
    return found != nullptr && found->isDialog;
  }
  std::uint32_t Style(WindowId window) const;
  WindowCreation Creation(WindowId window) const;
  std::vector<WindowId> Children(WindowId window) const;
  // The windows that are not controls, oldest first.
  std::vector<WindowId> TopLevelWindows() const;
  // Top-level windows, top of the Z order first: the most recently made or shown on top.
  std::vector<WindowId> TopLevelZOrder() const;
  // A child's parent or a top-level window's owner.
  WindowId Owner(WindowId window) const;

 private:
  void SetVisible(SimWindow& window, bool visible);

  SimWindowTable& table_;
  std::vector<int> dialogsSeen_;
  std::vector<SimPositionCall> positions_;
};

}  // namespace holvara
