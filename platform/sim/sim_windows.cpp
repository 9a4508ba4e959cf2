#include "platform/sim/sim_windows.h"

#include <algorithm>
#include <strings.h>

#include <utility>

#include "platform/ports/ui_constants.h"

namespace holvara {

namespace {

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

WindowId SimWindows::Create(const WindowCreation& creation, WindowHandler& handler) {
  const WindowId id = table_.NewId();
  SimWindow window;
  window.handler = &handler;
  window.creation = creation;
  window.title = creation.title;
  window.isChild = (creation.style & win::kWsChild) != 0;
  window.owner = creation.parent;
  window.order = table_.NextOrder();
  window.visible = (creation.style & win::kWsVisible) != 0;
  table_.Add(id, std::move(window));
  if (table_.Deliver(id, win::kWmNcCreate, 0, 0) == 0) {
    table_.Erase(id);
    return kNoWindow;
  }
  if (table_.Deliver(id, win::kWmCreate, 0, 0) == -1) {
    Destroy(id);
    return kNoWindow;
  }
  return id;
}

std::intptr_t SimWindows::DefaultProcessing(WindowId window, std::uint32_t message, std::uintptr_t, std::intptr_t) {
  switch (message) {
    case win::kWmNcCreate:
    case win::kWmQueryEndSession:
      return 1;
    case win::kWmClose:
      Destroy(window);
      return 0;
    default:
      return 0;
  }
}

void SimWindows::Destroy(WindowId window) {
  if (table_.Find(window) == nullptr) return;
  std::vector<WindowId> owned;
  std::vector<WindowId> children;
  for (const auto& [id, other] : table_.windows()) {
    if (other.owner != window) continue;
    (other.isChild ? children : owned).push_back(id);
  }
  for (WindowId id : owned) Destroy(id);
  table_.Deliver(window, win::kWmDestroy, 0, 0);
  for (WindowId id : children) Destroy(id);
  table_.Deliver(window, win::kWmNcDestroy, 0, 0);
  table_.Forget(window);
}

WindowId SimWindows::FindByTitle(std::string_view title) {
  for (const auto& [id, window] : table_.windows()) {
    if (!window.isChild && SameText(window.title, title)) return id;
  }
  return kNoWindow;
}

void SimWindows::SetTitle(WindowId window, std::string_view title) {
  if (SimWindow* target = table_.Find(window)) target->title = title;
}

std::string SimWindows::Title(WindowId window) {
  SimWindow* target = table_.Find(window);
  return target ? target->title : std::string();
}

void SimWindows::SetVisible(SimWindow& window, bool visible) {
  if (visible && !window.visible) window.order = table_.NextOrder();
  window.visible = visible;
  if (!visible || window.everVisible) return;
  window.everVisible = true;
  if (window.isDialog) dialogsSeen_.push_back(window.templateId);
}

void SimWindows::Show(WindowId window, int command) {
  if (SimWindow* target = table_.Find(window)) SetVisible(*target, command != win::kSwHide);
}

bool SimWindows::IsVisible(WindowId window) {
  SimWindow* target = table_.Find(window);
  return target != nullptr && target->visible;
}

bool SimWindows::IsEnabled(WindowId window) {
  SimWindow* target = table_.Find(window);
  return target != nullptr && target->enabled;
}

void SimWindows::Enable(WindowId window, bool enable) {
  if (SimWindow* target = table_.Find(window)) target->enabled = enable;
}

WindowId SimWindows::LastActivePopup(WindowId window) {
  WindowId last = window;
  std::uint64_t lastOrder = 0;
  for (const auto& [id, other] : table_.windows()) {
    if (other.isChild || id == window) continue;
    for (WindowId owner = other.owner; owner != kNoWindow;) {
      if (owner == window) {
        if (last == window || other.order > lastOrder) {
          last = id;
          lastOrder = other.order;
        }
        break;
      }
      SimWindow* next = table_.Find(owner);
      owner = next ? next->owner : kNoWindow;
    }
  }
  return last;
}

void SimWindows::SetPosition(WindowId window, WindowId insertAfter, int x, int y, int width, int height,
                             std::uint32_t flags) {
  positions_.push_back({window, insertAfter, flags, x, y, width, height});
  SimWindow* target = table_.Find(window);
  if (target == nullptr) return;
  if (flags & win::kSwpShowWindow) SetVisible(*target, true);
  if (flags & win::kSwpHideWindow) SetVisible(*target, false);
}

std::uint32_t SimWindows::Style(WindowId window) const {
  const SimWindow* found = table_.Find(window);
  return found == nullptr ? 0 : found->creation.style;
}

WindowCreation SimWindows::Creation(WindowId window) const {
  const SimWindow* found = table_.Find(window);
  return found == nullptr ? WindowCreation{} : found->creation;
}

std::vector<WindowId> SimWindows::Children(WindowId window) const {
  std::vector<WindowId> children;
  for (const auto& [id, other] : table_.windows()) {
    if (other.isChild && other.owner == window) children.push_back(id);
  }
  return children;
}

std::vector<WindowId> SimWindows::TopLevelWindows() const {
  std::vector<std::pair<std::uint64_t, WindowId>> ordered;
  for (const auto& [id, window] : table_.windows()) {
    if (!window.isChild) ordered.emplace_back(window.order, id);
  }
  std::sort(ordered.begin(), ordered.end());
  std::vector<WindowId> windows;
  for (const auto& [order, id] : ordered) windows.push_back(id);
  return windows;
}

std::vector<WindowId> SimWindows::TopLevelZOrder() const {
  std::vector<WindowId> order = TopLevelWindows();
  std::reverse(order.begin(), order.end());
  return order;
}

WindowId SimWindows::Owner(WindowId window) const {
  const SimWindow* found = table_.Find(window);
  return found == nullptr ? kNoWindow : found->owner;
}

}  // namespace holvara
