// The top-level windows of the simulated desktop, of which a test may mark some as hung: those
// answer nothing within any time-out. Windows are of the program's class (dialogs of the system's
// dialog class) and of the program's process unless a test names another class or process; the
// processes allowed to take the foreground are kept in order.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "platform/ports/top_windows.h"
#include "platform/sim/sim_desktop.h"

namespace holvara {

class SimTopWindows : public TopWindows {
 public:
  explicit SimTopWindows(SimDesktop& desktop) : desktop_(desktop) {}

  std::vector<WindowId> List() override { return desktop_.TopLevelWindows(); }
  std::optional<std::string> TextWithin(WindowId window, std::uint32_t) override {
    if (hung.count(window) != 0 || !desktop_.Exists(window)) return std::nullopt;
    return desktop_.Title(window).substr(0, 255);
  }
  bool SendWithin(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                  std::uint32_t) override {
    if (hung.count(window) != 0 || !desktop_.Exists(window)) return false;
    desktop_.Send(window, message, wParam, lParam);
    return true;
  }

  WindowId FindByClassAndTitle(std::string_view windowClass, std::string_view title) override {
    for (const WindowId window : desktop_.TopLevelWindows()) {
      if (SameText(ClassOf(window), windowClass) && SameText(desktop_.Title(window), title)) return window;
    }
    return kNoWindow;
  }
  std::uint32_t ProcessOf(WindowId window) override {
    if (!desktop_.Exists(window)) return 0;
    const auto found = processes.find(window);
    return found == processes.end() ? kProgramProcess : found->second;
  }
  bool AllowForeground(std::uint32_t processId) override {
    foregroundAllowed.push_back(processId);
    return true;
  }

  std::string ClassOf(WindowId window) const {
    const auto found = classes.find(window);
    if (found != classes.end()) return found->second;
    return desktop_.IsDialog(window) ? kDialogClass : kWindowClassName;
  }

  static constexpr std::uint32_t kProgramProcess = 1;
  static constexpr char kDialogClass[] = "#32770";
  std::set<WindowId> hung;
  std::map<WindowId, std::string> classes;
  std::map<WindowId, std::uint32_t> processes;
  std::vector<std::uint32_t> foregroundAllowed;

 private:
  static bool SameText(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
      return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
  }

  SimDesktop& desktop_;
};

}  // namespace holvara
