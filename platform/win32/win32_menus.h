// Popup menus over USER32; a tracked menu returns its command (TPM_RETURNCMD).
#pragma once

#include "platform/ports/menus.h"

namespace holvara {

class Win32Menus final : public Menus {
 public:
  MenuId CreatePopup() override;
  void Destroy(MenuId menu) override;
  bool AppendText(MenuId menu, std::uint32_t command, std::string_view text) override;
  bool InsertText(MenuId menu, std::uint32_t position, std::uint32_t command, std::string_view text) override;
  bool AppendSeparator(MenuId menu, std::uint32_t command) override;
  bool AppendOwnerDrawn(MenuId menu, std::uint32_t command, std::uintptr_t itemData) override;
  std::uint32_t Track(MenuId menu, std::uint32_t flags, int x, int y, WindowId owner) override;
  void MakeForeground(WindowId window) override;
  void GiveFocus(WindowId window) override;
};

}  // namespace holvara
