#include "platform/win32/win32_tooltips.h"

#include <commctrl.h>

#include <string>

namespace holvara {

// The record's size is this build's own: 48 bytes on 32-bit Windows but 72 on 64-bit, where a
// record sized for 32 bits is refused and no tip would ever show.
static_assert(sizeof(TOOLINFOA) == (sizeof(void*) == 8 ? 72 : 48));

WindowId Win32Tooltips::CreateTooltip(WindowId owner, std::uint32_t style) {
  HWND tooltip =
      CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, reinterpret_cast<HWND>(owner), nullptr, instance_, nullptr);
  return reinterpret_cast<WindowId>(tooltip);
}

void Win32Tooltips::SetBackgroundColour(WindowId tooltip, std::uint32_t colour) {
  SendMessageA(reinterpret_cast<HWND>(tooltip), TTM_SETTIPBKCOLOR, colour, 0);
}

bool Win32Tooltips::AddTool(WindowId tooltip, const ToolDescription& tool) {
  std::string text(tool.text);
  TOOLINFOA info{};
  info.cbSize = sizeof info;
  info.uFlags = tool.flags;
  info.hwnd = reinterpret_cast<HWND>(tool.owner);
  info.uId = tool.toolId;
  info.hinst = instance_;
  info.lpszText = text.data();
  return SendMessageA(reinterpret_cast<HWND>(tooltip), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

}  // namespace holvara
