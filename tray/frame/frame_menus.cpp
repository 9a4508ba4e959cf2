#include "tray/frame/frame_menus.h"

#include <array>

#include "platform/ports/notification_icon.h"
#include "platform/ports/ui_constants.h"
#include "tray/frame/command_menu.h"
#include "tray/frame/device_menu.h"
#include "tray/frame/main_frame.h"
#include "tray/frame/system_messages.h"

namespace holvara {

namespace {

constexpr std::uint32_t kExitString = 1;
constexpr std::uint32_t kDrivePrefixString = 6;
constexpr std::uint32_t kVerbString = 7;
constexpr std::uint32_t kEmptyListString = 13;
constexpr std::uint32_t kServiceWaitString = 42;
constexpr std::size_t kCommandTextBuffer = 256;
constexpr std::uintptr_t kLeftButton = 1;  // MK_LBUTTON

struct FixedCommand {
  std::uint32_t command;
  void (*run)(MenuHost& host);
};

constexpr std::array<FixedCommand, 4> kFixedCommands = {{
    {kVersionCommand, [](MenuHost& host) { host.VersionSequence(); }},
    {kRemoveDeviceCommand, [](MenuHost& host) { host.RemoveDeviceSequence(); }},
    {kHelpCommand, [](MenuHost& host) { host.OpenHelp(); }},
    {kSettingsCommand, [](MenuHost& host) { host.SettingsSequence(); }},
}};

std::string CommandText(ResourceLibrary& library, std::uintptr_t itemData) {
  std::array<char, kCommandTextBuffer> text{};
  if (const auto id = CommandItemString(itemData)) library.String(*id, text);
  return text.data();
}

}  // namespace

FrameMenus::FrameMenus(Ui& ui, MenuHost& host, Balloon balloon)
    : ui_(ui), host_(host), balloon_(std::move(balloon)), menus_(host.Screen().menus) {}

FrameMenus::~FrameMenus() {
  if (deviceMenu_ != kNoMenu) menus_.Destroy(deviceMenu_);
}

std::string FrameMenus::Text(ResourceLibrary& library, std::uint32_t id) {
  std::array<char, kMenuTextBuffer> text{};
  library.String(id, text);
  return text.data();
}

MenuId FrameMenus::RenewDeviceMenu() {
  if (deviceMenu_ != kNoMenu) menus_.Destroy(deviceMenu_);
  deviceMenu_ = menus_.CreatePopup();
  return deviceMenu_;
}

void FrameMenus::Fill(MenuId menu, const std::vector<MenuItem>& items) {
  for (std::size_t position = 0; position < items.size(); ++position) {
    const MenuItem& item = items[position];
    if (item.kind == MenuItem::kSeparator) {
      menus_.AppendSeparator(menu, item.command);
    } else if (item.byPosition) {
      menus_.InsertText(menu, static_cast<std::uint32_t>(position), item.command, item.text);
    } else {
      menus_.AppendText(menu, item.command, item.text);
    }
  }
}

void FrameMenus::TrackAtCursor(MenuId menu, WindowId owner) { Track(menu, owner, host_.Screen().cursor.Position()); }

void FrameMenus::Track(MenuId menu, WindowId owner, ScreenPoint at) {
  const std::uint32_t command = menus_.Track(menu, menu::kTrackRightButton, at.x, at.y, owner);
  if (command != kNoCommand) ui_.Post(owner, win::kWmCommand, command, 0);
}

void FrameMenus::ShowDeviceMenu(ResourceLibrary& library, WindowId owner, ScreenPoint at) {
  menus_.MakeForeground(owner);
  const MenuId menu = RenewDeviceMenu();
  const std::vector<DeviceMenuEntry> entries = host_.CopyDeviceListForMenu();
  entriesShown_ = entries.size();
  const DeviceMenuTexts texts{Text(library, kDrivePrefixString), Text(library, kVerbString),
                              Text(library, kEmptyListString)};
  Fill(menu, DeviceMenuItems(entries, texts, [this] { return host_.JapaneseLocale(); }));
  Track(menu, owner, at);
}

void FrameMenus::ShowServiceWaitMenu(ResourceLibrary& library, WindowId owner) {
  const MenuId menu = RenewDeviceMenu();
  menus_.MakeForeground(owner);
  Fill(menu, ServiceWaitMenuItems(Text(library, kServiceWaitString), Text(library, kExitString)));
  TrackAtCursor(menu, owner);
}

void FrameMenus::ShowCommandMenu(WindowId owner) {
  menus_.GiveFocus(owner);
  const MenuId menu = menus_.CreatePopup();
  for (const CommandMenuItem& item : kCommandMenuItems) {
    if (item.itemData) {
      menus_.AppendOwnerDrawn(menu, item.command, *item.itemData);
    } else {
      menus_.AppendSeparator(menu, item.command);
    }
  }
  menus_.MakeForeground(owner);
  // The menu opens at the cursor: its items are measured and drawn for that monitor's density.
  const ScreenPoint at = host_.Screen().cursor.Position();
  commandMenuDpi_ = host_.Screen().metrics.DpiAt(at);
  Track(menu, owner, at);
  menus_.Destroy(menu);
}

void FrameMenus::Measure(ResourceLibrary& library, MeasureItemRecord& item) {
  const std::unique_ptr<Surface> screen = host_.Screen().drawing.Screen();
  const TextSize size = MeasureCommandItem(*screen, CommandText(library, item.itemData), commandMenuDpi_);
  item.itemWidth = static_cast<std::uint32_t>(size.width);
  item.itemHeight = static_cast<std::uint32_t>(size.height);
}

void FrameMenus::Draw(ResourceLibrary& library, const DrawItemRecord& item) {
  Drawing& drawing = host_.Screen().drawing;
  const std::unique_ptr<Surface> surface = drawing.OfDeviceContext(item.deviceContext);
  std::unique_ptr<ResourceImage> strip;
  if (const auto bitmap = CommandMenuBitmap(host_.SystemVersion())) strip = library.Bitmap(*bitmap);
  DrawCommandItem(*surface, drawing, item, CommandText(library, item.itemData), strip ? strip->Handle() : 0,
                  commandMenuDpi_);
}

bool FrameMenus::OnCommand(ResourceLibrary& library, WindowId owner, std::uint32_t command) {
  if (command == kExitCommand) {
    ui_.Post(owner, win::kWmClose, 0, 0);
    return true;
  }
  for (const FixedCommand& fixed : kFixedCommands) {
    if (fixed.command == command) {
      fixed.run(host_);
      return true;
    }
  }
  if (command < kFirstDeviceCommand || command > kLastDeviceCommand) return false;
  if (const auto index = DeviceCommandEntry(command, entriesShown_)) RemoveFromMenu(library, owner, *index);
  return true;
}

void FrameMenus::RemoveFromMenu(ResourceLibrary& library, WindowId owner, std::size_t index) {
  balloon_.show(kBalloonString, kNiifInfo);
  host_.RemoveCopiedEntry(index);
  DismissBalloon(library);
  ui_.Post(owner, win::kWmDeviceChange, win::kDbtDevNodesChanged, 0);
}

void FrameMenus::DismissBalloon(ResourceLibrary& library) {
  const std::string balloonText = BalloonText(library, kBalloonString);
  TopWindows& windows = host_.Screen().topWindows;
  for (const WindowId window : windows.List()) {
    const auto text = windows.TextWithin(window, kOtherWindowTimeoutMs);
    if (!text || *text != balloonText) continue;
    windows.SendWithin(window, win::kWmLButtonDown, kLeftButton, 0, kOtherWindowTimeoutMs);
    break;
  }
  balloon_.remove();
}

}  // namespace holvara
