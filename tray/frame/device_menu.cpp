#include "tray/frame/device_menu.h"

#include <cstdio>

#include "common/tray_label.h"

namespace holvara {

namespace {

constexpr std::size_t kLongestText = kMenuTextBuffer - 1;

bool IsLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

std::string DrivePart(const DeviceMenuEntry& entry, const DeviceMenuTexts& texts) {
  if (entry.driveLetters.empty()) return {};
  std::string part = texts.drivePrefix;
  for (char letter : entry.driveLetters) {
    part += " (";
    part += letter;
    part += ":) ";
  }
  return part;
}

std::string TrayPart(const DeviceMenuEntry& entry, bool japanese) {
  char text[kMenuTextBuffer] = {};
  std::snprintf(text, sizeof text, japanese ? "    %s %s" : "%s %s", TrayLabel(entry.target).c_str(),
                entry.displayName.c_str());
  return text;
}

std::string RemovableItemText(const std::string& name, const DeviceMenuEntry& entry, const DeviceMenuTexts& texts,
                              bool japanese) {
  std::string text =
      japanese ? name + DrivePart(entry, texts) + texts.verb : texts.verb + " " + name + DrivePart(entry, texts);
  CutToMenuBuffer(text, japanese);
  return text;
}

bool InUse(std::span<const DeviceMenuEntry> entries, std::size_t index) { return index < entries.size(); }

}  // namespace

void CutToMenuBuffer(std::string& text, bool doubleByteCodePage) {
  if (text.size() <= kLongestText) return;
  std::size_t end = 0;
  while (end < kLongestText) {
    const std::size_t width = doubleByteCodePage && IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + width > kLongestText) break;
    end += width;
  }
  text.resize(end);
}

std::vector<MenuItem> DeviceMenuItems(std::span<const DeviceMenuEntry> entries, const DeviceMenuTexts& texts,
                                      const std::function<bool()>& japanese) {
  std::vector<MenuItem> items;
  if (entries.empty()) {
    items.push_back({MenuItem::kText, kNoCommand, texts.emptyList, true});
    return items;
  }
  const auto command = [](std::size_t index) { return kFirstDeviceCommand + static_cast<std::uint32_t>(index); };
  for (std::size_t i = 0; InUse(entries, i); ++i) {
    const DeviceMenuEntry& entry = entries[i];
    if (entry.kind == kMenuSingleDevice) {
      items.push_back({MenuItem::kText, command(i), RemovableItemText(entry.displayName, entry, texts, japanese())});
    } else if (entry.kind == kMenuUnitHeader) {
      if (i != 0 && !entries[i - 1].inUnit) items.push_back({MenuItem::kSeparator, kNoCommand, {}});
      std::string header = entry.displayName;
      CutToMenuBuffer(header, false);
      items.push_back({MenuItem::kText, command(i), header});
      // The header counts its members; a list copied short of them shows the ones it has.
      const std::size_t members = entry.memberCount;
      std::size_t k = 1;
      for (; k <= members && InUse(entries, i + k); ++k) {
        const DeviceMenuEntry& member = entries[i + k];
        const bool layout = japanese();
        items.push_back(
            {MenuItem::kText, command(i + k), RemovableItemText(TrayPart(member, layout), member, texts, layout)});
      }
      i += k - 1;
      if (InUse(entries, i + 1)) items.push_back({MenuItem::kSeparator, kNoCommand, {}});
    }
  }
  return items;
}

std::optional<std::size_t> DeviceCommandEntry(std::uint32_t command, std::size_t entriesShown) {
  if (command < kFirstDeviceCommand || command > kLastDeviceCommand) return std::nullopt;
  // Only the low 8 bits of the index are passed on, as the removal takes it.
  const std::size_t index = (command - kFirstDeviceCommand) & 0xFF;
  if (index >= entriesShown) return std::nullopt;
  return index;
}

std::vector<MenuItem> ServiceWaitMenuItems(const std::string& information, const std::string& exit) {
  return {{MenuItem::kText, kNoCommand, information, true}, {MenuItem::kText, kExitCommand, exit, true}};
}

}  // namespace holvara
