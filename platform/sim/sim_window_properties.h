// Simulated window properties: kept with each window in the shared table, names compared without
// regard to case.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ports/window_properties.h"
#include "platform/sim/sim_window_table.h"

namespace holvara {

class SimWindowProperties : public virtual WindowProperties {
 public:
  explicit SimWindowProperties(SimWindowTable& table) : table_(table) {}

  bool SetProperty(WindowId window, std::string_view name, std::uintptr_t value) override {
    SimWindow* target = table_.Find(window);
    if (target == nullptr) return false;
    target->properties[SimLowerCase(name)] = value;
    return true;
  }
  std::uintptr_t Property(WindowId window, std::string_view name) override {
    SimWindow* target = table_.Find(window);
    if (target == nullptr) return 0;
    const auto found = target->properties.find(SimLowerCase(name));
    return found == target->properties.end() ? 0 : found->second;
  }
  void RemoveProperty(WindowId window, std::string_view name) override {
    if (SimWindow* target = table_.Find(window)) target->properties.erase(SimLowerCase(name));
  }

 private:
  SimWindowTable& table_;
};

}  // namespace holvara
