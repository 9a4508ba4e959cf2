// The notification icon's three popup menus, owned by the main window: the device menu of a left
// click, the service-wait menu, and the owner-drawn command menu of a right click; and what their
// commands do. A chosen command reaches the main window as WM_COMMAND after the menu has closed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "platform/ports/menus.h"
#include "platform/ports/owner_draw.h"
#include "platform/ports/resources.h"
#include "platform/ports/ui.h"
#include "tray/frame/menu_host.h"

namespace holvara {

// How long the balloon's dismissal waits for each other program's window to answer.
inline constexpr std::uint32_t kOtherWindowTimeoutMs = 200;

class FrameMenus {
 public:
  // The balloon notice of the main frame: shown with a string id and balloon icon flags, and
  // taken away through the icon.
  struct Balloon {
    std::function<void(std::uint32_t stringId, std::uint32_t iconFlags)> show;
    std::function<void()> remove;
  };

  FrameMenus(Ui& ui, MenuHost& host, Balloon balloon);
  ~FrameMenus();
  FrameMenus(const FrameMenus&) = delete;
  FrameMenus& operator=(const FrameMenus&) = delete;

  // Builds the device menu from a fresh copy of the device list and tracks it at that point.
  void ShowDeviceMenu(ResourceLibrary& library, WindowId owner, ScreenPoint at);
  void ShowServiceWaitMenu(ResourceLibrary& library, WindowId owner);
  void ShowCommandMenu(WindowId owner);

  // WM_MEASUREITEM and WM_DRAWITEM of the command menu's items.
  void Measure(ResourceLibrary& library, MeasureItemRecord& item);
  void Draw(ResourceLibrary& library, const DrawItemRecord& item);

  // Runs a command of the menus; false when the command is none of theirs.
  bool OnCommand(ResourceLibrary& library, WindowId owner, std::uint32_t command);

 private:
  // Destroys the menu held and attaches a new empty one.
  MenuId RenewDeviceMenu();
  void Fill(MenuId menu, const std::vector<MenuItem>& items);
  void Track(MenuId menu, WindowId owner, ScreenPoint at);
  void TrackAtCursor(MenuId menu, WindowId owner);
  void RemoveFromMenu(ResourceLibrary& library, WindowId owner, std::size_t index);
  // Clicks the window that shows the balloon's text (older systems), then takes the balloon away
  // through the icon (Windows 10 and later, where no window carries it).
  void DismissBalloon(ResourceLibrary& library);
  std::string Text(ResourceLibrary& library, std::uint32_t id);

  Ui& ui_;
  MenuHost& host_;
  Balloon balloon_;
  Menus& menus_;
  MenuId deviceMenu_ = kNoMenu;
  std::size_t entriesShown_ = 0;
  // The density of the monitor the command menu opened on, for its items' measures and drawing.
  int commandMenuDpi_ = kBaseDpi;
};

}  // namespace holvara
