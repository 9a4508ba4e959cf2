// Popup menus: made empty, filled with text, separator and owner-drawn items, and tracked modally
// at a point of the screen on behalf of an owner window. Flags are the system's own numbers.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ports/program_windows.h"

namespace holvara {

using MenuId = std::uintptr_t;
inline constexpr MenuId kNoMenu = 0;

namespace menu {
inline constexpr std::uint32_t kTrackRightButton = 0x0002;  // TPM_RIGHTBUTTON
inline constexpr std::uint32_t kSeparatorCommand = 0xFFFFFFFF;
}  // namespace menu

class Menus {
 public:
  virtual ~Menus() = default;
  // CreatePopupMenu; kNoMenu when it could not be made.
  virtual MenuId CreatePopup() = 0;
  virtual void Destroy(MenuId menu) = 0;
  // A plain string item at the end, or at a position (MF_BYPOSITION).
  virtual bool AppendText(MenuId menu, std::uint32_t command, std::string_view text) = 0;
  virtual bool InsertText(MenuId menu, std::uint32_t position, std::uint32_t command, std::string_view text) = 0;
  virtual bool AppendSeparator(MenuId menu, std::uint32_t command) = 0;
  // An item the owner measures and draws (WM_MEASUREITEM, WM_DRAWITEM) from its item data.
  virtual bool AppendOwnerDrawn(MenuId menu, std::uint32_t command, std::uintptr_t itemData) = 0;
  // Shows the menu at the screen point until the user chooses an item or dismisses it, and
  // returns the chosen command, 0 when there is none. The owner is sent the owner-drawn items'
  // measure and draw messages meanwhile.
  virtual std::uint32_t Track(MenuId menu, std::uint32_t flags, int x, int y, WindowId owner) = 0;

  // A popup's owner must be the foreground window, or the menu does not close when the user
  // clicks elsewhere.
  virtual void MakeForeground(WindowId window) = 0;
  virtual void GiveFocus(WindowId window) = 0;
};

}  // namespace holvara
