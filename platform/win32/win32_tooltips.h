// Tooltip controls of the common controls library.
#pragma once

#include <windows.h>

#include "platform/ports/tooltips.h"

namespace holvara {

class Win32Tooltips final : public Tooltips {
 public:
  // The tools' texts and windows belong to this module.
  explicit Win32Tooltips(HINSTANCE instance) : instance_(instance) {}

  WindowId CreateTooltip(WindowId owner, std::uint32_t style) override;
  void SetBackgroundColour(WindowId tooltip, std::uint32_t colour) override;
  bool AddTool(WindowId tooltip, const ToolDescription& tool) override;

 private:
  HINSTANCE instance_;
};

}  // namespace holvara
