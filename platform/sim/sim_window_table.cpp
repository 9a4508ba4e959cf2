#include "platform/sim/sim_window_table.h"

#include <algorithm>
#include <cctype>

namespace holvara {

std::string SimLowerCase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

WindowId SimWindowTable::NewId() {
  const WindowId id = nextId_;
  nextId_ += 4;
  return id;
}

SimWindow* SimWindowTable::Find(WindowId window) {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

const SimWindow* SimWindowTable::Find(WindowId window) const {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

SimControl* SimWindowTable::FindControl(WindowId dialog, int id) {
  SimWindow* window = Find(dialog);
  if (window == nullptr) return nullptr;
  const auto found = window->controls.find(id);
  return found == window->controls.end() ? nullptr : &found->second;
}

std::intptr_t SimWindowTable::Deliver(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
  SimWindow* target = Find(window);
  if (target == nullptr || target->handler == nullptr) return 0;
  return target->handler->HandleMessage(window, message, wParam, lParam);
}

void SimWindowTable::Forget(WindowId window) {
  for (const auto& forget : forgetters_) forget(window);
  windows_.erase(window);
}

}  // namespace holvara
