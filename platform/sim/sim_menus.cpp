#include "platform/sim/sim_menus.h"

#include <algorithm>

#include "platform/ports/owner_draw.h"

namespace holvara {

MenuId SimMenus::CreatePopup() {
  const MenuId menu = nextMenu_;
  nextMenu_ += 4;
  menus_[menu];
  return menu;
}

void SimMenus::Destroy(MenuId menu) { menus_.erase(menu); }

bool SimMenus::Add(MenuId menu, std::size_t position, SimMenuItem item) {
  const auto found = menus_.find(menu);
  if (found == menus_.end()) return false;
  std::vector<SimMenuItem>& items = found->second;
  items.insert(items.begin() + static_cast<std::ptrdiff_t>(std::min(position, items.size())), std::move(item));
  return true;
}

bool SimMenus::AppendText(MenuId menu, std::uint32_t command, std::string_view text) {
  return Add(menu, SIZE_MAX, {.kind = SimMenuItem::kText, .command = command, .text = std::string(text)});
}

bool SimMenus::InsertText(MenuId menu, std::uint32_t position, std::uint32_t command, std::string_view text) {
  return Add(menu, position, {.kind = SimMenuItem::kText, .command = command, .text = std::string(text)});
}

bool SimMenus::AppendSeparator(MenuId menu, std::uint32_t command) {
  return Add(menu, SIZE_MAX, {.kind = SimMenuItem::kSeparator, .command = command});
}

bool SimMenus::AppendOwnerDrawn(MenuId menu, std::uint32_t command, std::uintptr_t itemData) {
  return Add(menu, SIZE_MAX, {.kind = SimMenuItem::kOwnerDrawn, .command = command, .itemData = itemData});
}

void SimMenus::OnNextTrack(std::function<std::uint32_t(const SimTrackedMenu&)> choose, int highlighted) {
  scripts_.push_back({std::move(choose), highlighted});
}

std::uint32_t SimMenus::Track(MenuId menu, std::uint32_t flags, int x, int y, WindowId owner) {
  const auto found = menus_.find(menu);
  if (found == menus_.end()) return 0;
  SimTrackedMenu shown{menu, found->second, flags, x, y, owner, foreground_};
  Script script{{}, -1};
  if (!scripts_.empty()) {
    script = std::move(scripts_.front());
    scripts_.pop_front();
  }
  MeasureAndDraw(shown, script.highlighted);
  tracked_.push_back(shown);
  return script.choose ? script.choose(shown) : 0;
}

void SimMenus::MeasureAndDraw(SimTrackedMenu& shown, int highlighted) {
  std::vector<std::uint32_t> heights(shown.items.size(), 0);
  std::uint32_t width = 0;
  for (std::size_t i = 0; i < shown.items.size(); ++i) {
    const SimMenuItem& item = shown.items[i];
    if (item.kind == SimMenuItem::kSeparator) {
      heights[i] = kSeparatorHeight;
      continue;
    }
    if (item.kind != SimMenuItem::kOwnerDrawn) {
      heights[i] = SimDrawing::kCharHeight + 6;
      continue;
    }
    MeasureItemRecord measure{kOwnerDrawnMenu, 0, item.command, 0, 0, item.itemData};
    messages_.Send(shown.owner, kWmMeasureItem, 0, reinterpret_cast<std::intptr_t>(&measure));
    heights[i] = measure.itemHeight;
    width = std::max(width, measure.itemWidth);
  }
  int top = 0;
  for (std::size_t i = 0; i < shown.items.size(); ++i) {
    SimMenuItem& item = shown.items[i];
    const int bottom = top + static_cast<int>(heights[i]);
    if (item.kind == SimMenuItem::kOwnerDrawn) {
      item.rect = {0, top, static_cast<int>(width), bottom};
      item.deviceContext = drawing_.NewDeviceContext();
      const std::uint32_t state = static_cast<int>(i) == highlighted ? kOwnerDrawSelected : 0;
      DrawItemRecord draw{kOwnerDrawnMenu,    0,         item.command, 1, state, shown.menu,
                          item.deviceContext, item.rect, item.itemData};
      messages_.Send(shown.owner, kWmDrawItem, 0, reinterpret_cast<std::intptr_t>(&draw));
    }
    top = bottom;
  }
}

}  // namespace holvara
