// Popup menus on the simulated desktop. Tracking one measures and draws its owner-drawn items
// through the owner (stacked from the top of the menu, as wide as the widest) and then asks the
// scripted user, who sees the menu as shown and returns the command chosen (none when nothing
// is scripted). Every tracked menu is kept as it was shown.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ports/menus.h"
#include "platform/ports/messages.h"
#include "platform/sim/sim_drawing.h"

namespace holvara {

struct SimMenuItem {
  enum Kind { kText, kSeparator, kOwnerDrawn };
  Kind kind = kText;
  std::uint32_t command = 0;
  std::string text{};
  std::uintptr_t itemData = 0;
  // Owner-drawn items, once tracked: where the item was drawn and on which device context.
  ItemRectangle rect{};
  std::uintptr_t deviceContext = 0;
};

struct SimTrackedMenu {
  MenuId menu = kNoMenu;
  std::vector<SimMenuItem> items;
  std::uint32_t flags = 0;
  int x = 0;
  int y = 0;
  WindowId owner = kNoWindow;
  WindowId foreground = kNoWindow;  // the foreground window when the menu was shown
};

class SimMenus : public Menus {
 public:
  static constexpr int kSeparatorHeight = 9;

  SimMenus(Messages& messages, SimDrawing& drawing) : messages_(messages), drawing_(drawing) {}

  MenuId CreatePopup() override;
  void Destroy(MenuId menu) override;
  bool AppendText(MenuId menu, std::uint32_t command, std::string_view text) override;
  bool InsertText(MenuId menu, std::uint32_t position, std::uint32_t command, std::string_view text) override;
  bool AppendSeparator(MenuId menu, std::uint32_t command) override;
  bool AppendOwnerDrawn(MenuId menu, std::uint32_t command, std::uintptr_t itemData) override;
  std::uint32_t Track(MenuId menu, std::uint32_t flags, int x, int y, WindowId owner) override;
  void MakeForeground(WindowId window) override { foreground_ = window; }
  void GiveFocus(WindowId window) override { focus_ = window; }

  // The scripted user's answer to the next tracked menu; the item at position highlighted (if
  // any) is drawn selected.
  void OnNextTrack(std::function<std::uint32_t(const SimTrackedMenu&)> choose, int highlighted = -1);
  // Chooses the item of the next tracked menu whose command is given.
  void ChooseNext(std::uint32_t command) {
    OnNextTrack([command](const SimTrackedMenu&) { return command; });
  }

  const std::vector<SimTrackedMenu>& tracked() const { return tracked_; }
  int liveMenus() const { return static_cast<int>(menus_.size()); }
  WindowId foreground() const { return foreground_; }
  WindowId focus() const { return focus_; }

 private:
  struct Script {
    std::function<std::uint32_t(const SimTrackedMenu&)> choose;
    int highlighted;
  };
  bool Add(MenuId menu, std::size_t position, SimMenuItem item);
  void MeasureAndDraw(SimTrackedMenu& shown, int highlighted);

  Messages& messages_;
  SimDrawing& drawing_;
  MenuId nextMenu_ = 0x3E000;
  std::map<MenuId, std::vector<SimMenuItem>> menus_;
  std::deque<Script> scripts_;
  std::vector<SimTrackedMenu> tracked_;
  WindowId foreground_ = kNoWindow;
  WindowId focus_ = kNoWindow;
};

}  // namespace holvara
