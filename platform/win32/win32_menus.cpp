#include "platform/win32/win32_menus.h"

#include <windows.h>

#include <string>

namespace holvara {

namespace {
HMENU Hmenu(MenuId menu) { return reinterpret_cast<HMENU>(menu); }
HWND Hwnd(WindowId window) { return reinterpret_cast<HWND>(window); }
}  // namespace

MenuId Win32Menus::CreatePopup() { return reinterpret_cast<MenuId>(CreatePopupMenu()); }

void Win32Menus::Destroy(MenuId menu) { DestroyMenu(Hmenu(menu)); }

bool Win32Menus::AppendText(MenuId menu, std::uint32_t command, std::string_view text) {
  return AppendMenuA(Hmenu(menu), MF_STRING, command, std::string(text).c_str()) != FALSE;
}

bool Win32Menus::InsertText(MenuId menu, std::uint32_t position, std::uint32_t command, std::string_view text) {
  return InsertMenuA(Hmenu(menu), position, MF_BYPOSITION | MF_STRING, command, std::string(text).c_str()) != FALSE;
}

bool Win32Menus::AppendSeparator(MenuId menu, std::uint32_t command) {
  return AppendMenuA(Hmenu(menu), MF_SEPARATOR, command, nullptr) != FALSE;
}

bool Win32Menus::AppendOwnerDrawn(MenuId menu, std::uint32_t command, std::uintptr_t itemData) {
  return AppendMenuA(Hmenu(menu), MF_OWNERDRAW, command, reinterpret_cast<LPCSTR>(itemData)) != FALSE;
}

std::uint32_t Win32Menus::Track(MenuId menu, std::uint32_t flags, int x, int y, WindowId owner) {
  return static_cast<std::uint32_t>(TrackPopupMenu(Hmenu(menu), flags | TPM_RETURNCMD, x, y, 0, Hwnd(owner), nullptr));
}

void Win32Menus::MakeForeground(WindowId window) { SetForegroundWindow(Hwnd(window)); }

void Win32Menus::GiveFocus(WindowId window) { SetFocus(Hwnd(window)); }

}  // namespace holvara
