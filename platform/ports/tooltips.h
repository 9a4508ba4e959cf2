// Tooltip controls: a tooltip window, its colour and the tools it shows a tip for.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ports/program_windows.h"

namespace holvara {

// TTS_ALWAYSTIP, TTS_BALLOON; TTF_IDISHWND, TTF_SUBCLASS.
inline constexpr std::uint32_t kTooltipAlwaysTip = 0x01;
inline constexpr std::uint32_t kTooltipBalloon = 0x40;
inline constexpr std::uint32_t kToolIdIsWindow = 0x01;
inline constexpr std::uint32_t kToolSubclass = 0x10;

struct ToolDescription {
  std::uint32_t flags = 0;
  WindowId owner = kNoWindow;  // the window that receives the tool's notifications
  std::uintptr_t toolId = 0;   // with kToolIdIsWindow: the control's window
  std::string_view text;
};

class Tooltips {
 public:
  virtual ~Tooltips() = default;
  // A tooltip popup owned by owner (destroyed with it); kNoWindow when it could not be made.
  virtual WindowId CreateTooltip(WindowId owner, std::uint32_t style) = 0;
  // TTM_SETTIPBKCOLOR; colour is 0x00BBGGRR.
  virtual void SetBackgroundColour(WindowId tooltip, std::uint32_t colour) = 0;
  // TTM_ADDTOOLA with a tool record of the system's own size, for the program's module.
  virtual bool AddTool(WindowId tooltip, const ToolDescription& tool) = 0;
};

}  // namespace holvara
