// The command menu of the icon's right click: five owner-drawn items with a 16 by 16 image each
// and a separator. An item's data selects both its text (string 5 - data) and its image (column
// data of the strip). The pixel sizes are given at 96 dots per inch and measured and drawn at the
// density of the monitor the menu opens on, in the system's menu font made for that density.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/ports/drawing.h"
#include "platform/ports/owner_draw.h"
#include "platform/ports/system.h"

namespace holvara {

inline constexpr std::uint32_t kVersionCommand = 32771;
inline constexpr std::uint32_t kRemoveDeviceCommand = 32772;
inline constexpr std::uint32_t kHelpCommand = 32773;
inline constexpr std::uint32_t kSettingsCommand = 32774;

struct CommandMenuItem {
  std::uint32_t command;
  std::optional<std::uintptr_t> itemData;  // none: a separator
};

inline constexpr std::array<CommandMenuItem, 6> kCommandMenuItems = {{
    {kRemoveDeviceCommand, 0},
    {kSettingsCommand, 1},
    {0xFFFFFFFF, std::nullopt},
    {kHelpCommand, 2},
    {kVersionCommand, 3},
    {57665, 4},
}};

// The string an item shows, or nothing for data outside the five items.
std::optional<std::uint32_t> CommandItemString(std::uintptr_t itemData);

// The image strip for the Windows version: the classic look of 5.0 and 5.2, the modern one of
// 5.1 and 6 or later, none for older systems.
std::optional<std::uint32_t> CommandMenuBitmap(WindowsVersion version);

// Width and height of an item showing the text, measured in the menu font for the density.
TextSize MeasureCommandItem(Surface& screen, std::string_view text, int dpi);

// Draws the item: the band and text colours by its state, the raised box around the image of a
// selected item, the image cell (when there is a strip) and the text.
void DrawCommandItem(Surface& surface, Drawing& drawing, const DrawItemRecord& item, std::string_view text,
                     std::uintptr_t imageStrip, int dpi);

}  // namespace holvara
