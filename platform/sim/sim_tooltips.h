// Tooltips on the simulated desktop: each tooltip made, its colour and its tools, recorded.
#pragma once

#include <string>
#include <vector>

#include "platform/ports/tooltips.h"

namespace holvara {

struct SimTool {
  std::uint32_t flags;
  WindowId owner;
  std::uintptr_t toolId;
  std::string text;
};

struct SimTooltip {
  WindowId window;
  WindowId owner;
  std::uint32_t style;
  std::uint32_t background = 0;
  std::vector<SimTool> tools;
};

class SimTooltips : public Tooltips {
 public:
  WindowId CreateTooltip(WindowId owner, std::uint32_t style) override {
    const WindowId window = kFirstTooltip + tooltips_.size() * 4;
    tooltips_.push_back({window, owner, style, 0, {}});
    return window;
  }
  void SetBackgroundColour(WindowId tooltip, std::uint32_t colour) override {
    if (SimTooltip* found = Find(tooltip)) found->background = colour;
  }
  bool AddTool(WindowId tooltip, const ToolDescription& tool) override {
    SimTooltip* found = Find(tooltip);
    if (found == nullptr) return false;
    found->tools.push_back({tool.flags, tool.owner, tool.toolId, std::string(tool.text)});
    return true;
  }

  const std::vector<SimTooltip>& tooltips() const { return tooltips_; }

 private:
  static constexpr WindowId kFirstTooltip = 0x7000000;
  SimTooltip* Find(WindowId tooltip) {
    for (SimTooltip& candidate : tooltips_) {
      if (candidate.window == tooltip) return &candidate;
    }
    return nullptr;
  }
  std::vector<SimTooltip> tooltips_;
};

}  // namespace holvara
