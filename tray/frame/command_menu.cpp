#include "tray/frame/command_menu.h"

namespace holvara {

namespace {

constexpr std::uintptr_t kItemsWithText = 5;
constexpr std::uintptr_t kItemsWithImage = 6;
constexpr std::uint32_t kClassicStrip = 117;
constexpr std::uint32_t kModernStrip = 130;
constexpr int kTextLeft = 26;
constexpr int kTextTop = 4;
constexpr int kExtraHeight = 8;
constexpr int kImageInset = 2;
// Right edge of the image box and left edge of the selected band, within the menu window.
constexpr int kImageBoxRight = 20;
constexpr int kBandLeft = 22;
constexpr Colour kBandColour = Rgb(254, 250, 163);
constexpr Colour kSelectedTextColour = Rgb(0, 128, 255);
constexpr Colour kLightEdge = Rgb(255, 255, 255);
constexpr Colour kDarkEdge = Rgb(66, 65, 66);

}  // namespace

std::optional<std::uint32_t> CommandItemString(std::uintptr_t itemData) {
  if (itemData >= kItemsWithText) return std::nullopt;
  return static_cast<std::uint32_t>(kItemsWithText - itemData);
}

std::optional<std::uint32_t> CommandMenuBitmap(WindowsVersion version) {
  if (version.major == 5 && (version.minor == 0 || version.minor == 2)) return kClassicStrip;
  if ((version.major == 5 && version.minor == 1) || version.major >= 6) return kModernStrip;
  return std::nullopt;
}

TextSize MeasureCommandItem(Surface& screen, std::string_view text, int dpi) {
  screen.UseMenuFont(dpi);
  const TextSize size = screen.MeasureText(text);
  return {size.width + Scaled(kTextLeft, dpi), size.height + Scaled(kExtraHeight, dpi)};
}

void DrawCommandItem(Surface& surface, Drawing& drawing, const DrawItemRecord& item, std::string_view text,
                     std::uintptr_t imageStrip, int dpi) {
  const ItemRectangle& rect = item.itemRect;
  surface.UseMenuFont(dpi);
  Colour band;
  ItemRectangle bandRect = rect;
  if (item.itemState & kOwnerDrawSelected) {
    band = kBandColour;
    surface.SetTextColour(kSelectedTextColour);
    const int boxRight = Scaled(kImageBoxRight, dpi);
    const int edge = Scaled(1, dpi);
    surface.Fill({rect.left, rect.top, boxRight, rect.bottom}, kLightEdge);
    surface.Fill({rect.left + edge, rect.top + edge, boxRight, rect.bottom}, kDarkEdge);
    surface.Fill({rect.left + edge, rect.top + edge, boxRight - edge, rect.bottom - edge},
                 drawing.SystemColour(kSystemMenuColour));
    if (item.itemData < kItemsWithText) bandRect.left = Scaled(kBandLeft, dpi);
  } else {
    band = drawing.SystemColour(kSystemMenuColour);
    surface.SetTextColour(drawing.SystemColour(kSystemMenuTextColour));
  }
  surface.Fill(bandRect, band);
  if (imageStrip != 0 && item.itemData < kItemsWithImage) {
    const int inset = Scaled(kImageInset, dpi);
    surface.DrawBitmapCell(imageStrip, kBitmapCellSize * static_cast<int>(item.itemData), 0, rect.left + inset,
                           rect.top + inset, Scaled(kBitmapCellSize, dpi));
  }
  surface.SetTransparentBackground();
  surface.WriteText(rect.left + Scaled(kTextLeft, dpi), rect.top + Scaled(kTextTop, dpi), text);
}

}  // namespace holvara
