// The windows of a simulated desktop, shared by its simulated window-system ports: each window's
// handler, creation, title, state, owner, properties and (for a dialog) controls, and the one count
// that orders windows, timers and scheduled actions among each other.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ports/program_windows.h"
#include "platform/sim/sim_resources.h"
#include "platform/sim/sim_timeline.h"

namespace holvara {

struct SimControl {
  SimControlTemplate templ;
  WindowId window = kNoWindow;
  bool enabled = true;
  bool visible = true;
  int check = 0;
};

struct SimWindow {
  WindowHandler* handler = nullptr;
  WindowCreation creation;
  std::string title;
  bool visible = false;
  bool enabled = true;
  bool isChild = false;
  WindowId owner = kNoWindow;
  std::uint64_t order = 0;
  std::map<std::string, std::uintptr_t> properties;
  std::map<int, SimControl> controls;
  bool isDialog = false;
  int templateId = 0;
  bool everVisible = false;
};

// Names the system compares without regard to case (properties, registered messages) are kept
// in lower case.
std::string SimLowerCase(std::string_view text);

class SimWindowTable {
 public:
  explicit SimWindowTable(SimTimeline& clock) : clock_(clock) {}

  SimTimeline& clock() { return clock_; }
  WindowId NewId();
  // Later is higher: the Z order of windows and the tie-break between timers and actions due at
  // the same instant.
  std::uint64_t NextOrder() { return nextOrder_++; }

  SimWindow& Add(WindowId id, SimWindow window) { return windows_[id] = std::move(window); }
  SimWindow* Find(WindowId window);
  const SimWindow* Find(WindowId window) const;
  SimControl* FindControl(WindowId dialog, int id);
  const std::map<WindowId, SimWindow>& windows() const { return windows_; }
  std::intptr_t Deliver(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

  // What goes with a window when it is forgotten (its timers, its dialog's loop).
  void OnForget(std::function<void(WindowId)> forget) { forgetters_.push_back(std::move(forget)); }
  void Forget(WindowId window);
  // Takes out a window that never came to be.
  void Erase(WindowId window) { windows_.erase(window); }

 private:
  SimTimeline& clock_;
  WindowId nextId_ = 0x10000;
  std::uint64_t nextOrder_ = 0;
  std::map<WindowId, SimWindow> windows_;
  std::vector<std::function<void(WindowId)>> forgetters_;
};

}  // namespace holvara
